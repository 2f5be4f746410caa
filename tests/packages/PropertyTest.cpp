#include <clocale>

#include <gtest/gtest.h>

#include "PackageWriter.h"
#include "common/TempDir.h"
#include "packages/PuUtPackages.h"

using namespace packages;
namespace pw = package_writer;
using testing_support::TempDir;

namespace {

// Tags are written with the writer's names; the package is loaded so that
// its name table matches, then the tags are read from a stream of their own.
class Tags : public ::testing::Test {
 protected:
  Tags() {
    w.Name("Prop");
    w.Name("Other");
    w.Name("Tags");
    w.Name("Vector");
  }
  TUTPackage& Package() {
    if (!package) {
      w.Export("Holder", 0);
      package = std::make_unique<TUTPackage>(w.Write(dir.file("Tags.u")));
    }
    return *package;
  }
  // Reads tags up to the end tag into `list`; returns the bytes consumed.
  std::int64_t Read(const std::string& tags, TUTPropertyList& list) {
    bytes.assign(tags.begin(), tags.end());
    // The package that reads the tags gives their names, struct names
    // included, whatever the stream is tied to.
    TUTStream s(bytes, "test");
    while (Package().ReadProperty(list.NewProperty(), s)) {
    }
    list.FixArrayIndices();
    return s.Position();
  }
  TUTProperty& ReadOne(const std::string& tag) {
    list.Clear();
    Read(tag + w.NoneTag(), list);
    return list.GetItem(0);
  }
  std::string ErrorOf(const std::string& tags) {
    TUTPropertyList l;
    try {
      Read(tags, l);
    } catch (const EReadingUTProperty& e) {
      return e.what();
    }
    return "";
  }
  TempDir dir;
  pw::TPackageWriter w{69};
  std::unique_ptr<TUTPackage> package;
  TUTBytes bytes;
  TUTPropertyList list;
};

// Hand-made info bytes: (info and what follows it, type, size, array index).
struct InfoCase {
  const char* name;
  std::string afterName;
  TUTPropertyType type;
  std::size_t size;
  std::int32_t arrayIndex;
};

class TagInfo : public Tags, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(TagInfo, SizeCodesAndArrayIndexes) {
  const InfoCase& c = GetParam();
  const std::string tag = pw::Compact(w.Name("Prop")) + c.afterName;
  TUTPropertyList l;
  Read(tag + w.NoneTag(), l);
  const TUTProperty& p = l.GetItem(0);
  EXPECT_EQ(p.Type(), c.type);
  EXPECT_EQ(p.Value().size(), c.size);
  EXPECT_EQ(p.ArrayIndex(), c.arrayIndex);
  EXPECT_EQ(l.GetItem(1).Name(), "None");
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, TagInfo,
    ::testing::Values(
        InfoCase{"ByteSize", "\x52\x03xyz", ptInt, 3, -1}, InfoCase{"FixedFour", "\x21" "abcd", ptByte, 4, -1},
        InfoCase{"FixedOne", std::string("\x01", 1) + "a", ptByte, 1, -1},
        InfoCase{"FixedTwelve", "\x3b" + std::string(12, 'v'), ptVector, 12, -1},
        InfoCase{"FixedSixteen", "\x4c" + std::string(16, 'r'), ptRotator, 16, -1},
        InfoCase{"WordSize", "\x6d" + pw::Word(300) + std::string(300, 'm'), ptStr, 300, -1},
        InfoCase{"IntSize", "\x7e" + pw::Int(70000) + std::string(70000, 'm'), ptMap, 70000, -1},
        InfoCase{"TwoByteIndex", "\xa2\x81\x02" "abcd", ptInt, 4, 258},
        InfoCase{"FourByteIndex", std::string("\xa2\xc0\x01\x00\x00", 5) + "abcd", ptInt, 4, 65536},
        InfoCase{"OneByteIndex", "\xa2\x7f" "abcd", ptInt, 4, 127},
        // A Bool keeps its value in the array flag and has no index after it.
        InfoCase{"BoolTrue", "\x83", ptBool, 1, -1}, InfoCase{"BoolFalse", "\x03", ptBool, 1, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Tags, BoolsStructsAndTheEndTagInAnyCase) {
  w.Name("NONE");
  const std::string tags = w.BoolTag("Prop", true) + w.BoolTag("Other", false) +
                           w.Tag("Location", ptStruct, std::string(12, '\0'), -1, "Vector") +
                           pw::Compact(w.Name("NONE")) + w.IntTag("After", 1);
  TUTPropertyList l;
  Read(tags, l);
  ASSERT_EQ(l.Count(), 4);
  EXPECT_EQ(l.GetItem(0).GetValueVariant(), TUTVariant(true));
  EXPECT_EQ(l.GetItem(0).GetDescription(), "Prop (Bool) = True");
  EXPECT_EQ(l.GetItem(1).GetValueText(), "False");
  EXPECT_EQ(l.GetItem(2).StructName(), "Vector");
  EXPECT_EQ(l.GetItem(2).GetTypeName(), "Vector");
  EXPECT_EQ(l.GetItem(3).GetDescription(), "NONE");
  EXPECT_EQ(l.GetItem(3).Type(), ptNone);
}

TEST_F(Tags, UnknownTypeZeroPassesOverOnlyItsFirst256Bytes) {
  // The next tag is read from inside the rest of the value.
  const std::string inner = w.IntTag("Other", 9);
  const std::string value = std::string(256, 'x') + inner + std::string(300 - 256 - inner.size(), 'y');
  const std::string tag = pw::Compact(w.Name("Prop")) + "\x60" + pw::Word(300) + value.substr(0, 256 + inner.size());
  TUTPropertyList l;
  Read(tag + w.NoneTag(), l);
  ASSERT_EQ(l.Count(), 3);
  EXPECT_EQ(l.GetItem(0).Type(), ptBuffer);
  EXPECT_EQ(l.GetItem(0).StructName(), "Unknown type 0x00");
  EXPECT_EQ(l.GetItem(0).GetDescription(), "Prop (Buffer) = ");
  EXPECT_EQ(l.GetItem(1).GetDescription(), "Other (Int) = 9");
}

TEST_F(Tags, ErrorsNameThePropertyAsFarAsItWasKnown) {
  EXPECT_EQ(ErrorOf(""), "Exception reading property <unknown>");
  EXPECT_EQ(ErrorOf(pw::Compact(4000)), "Exception reading property 4000");
  EXPECT_EQ(ErrorOf(pw::Compact(-1)), "Exception reading property -1");
  EXPECT_EQ(ErrorOf(pw::Compact(w.Name("Prop"))), "Exception reading property Prop");
  EXPECT_EQ(ErrorOf(pw::Compact(w.Name("Prop")) + "\x52\x09" "abc"), "Exception reading property Prop");
  EXPECT_EQ(ErrorOf(pw::Compact(w.Name("Prop")) + "\x72" + pw::Int(-4)), "Exception reading property Prop");
  EXPECT_EQ(ErrorOf(pw::Compact(w.Name("Prop")) + "\x5a" + pw::Compact(900) + "\x01" "a"),
            "Exception reading property Prop");
  EXPECT_EQ(ErrorOf(pw::Compact(w.Name("Prop")) + "\x52" + std::string(1, '\0')), "Exception reading property Prop");
}

TEST_F(Tags, EveryTruncationOfATagRunFailsWithAPropertyError) {
  const std::string tags = w.IntTag("Prop", 5, 300) + w.StrTag("Other", "text") +
                           w.Tag("Loc", ptStruct, std::string(12, '\0'), -1, "Vector") + w.NoneTag();
  for (std::size_t n = 0; n < tags.size(); ++n) EXPECT_NE(ErrorOf(tags.substr(0, n)), "") << n;
  EXPECT_EQ(ErrorOf(tags), "");
}

TEST_F(Tags, ArrayIndexFixUpAndFind) {
  const std::string tags = w.IntTag("Tags", 1) + w.IntTag("Tags", 2, 1) + w.IntTag("MultiSkins", 3) +
                           w.IntTag("Prop", 4) + w.IntTag("Skins", 5, 0) + w.NoneTag();
  TUTPropertyList l;
  Read(tags, l);
  EXPECT_EQ(l.GetItem(0).ArrayIndex(), 0);
  EXPECT_EQ(l.GetItem(1).ArrayIndex(), 1);
  EXPECT_EQ(l.GetItem(2).ArrayIndex(), 0);  // always an array, even alone
  EXPECT_EQ(l.GetItem(3).ArrayIndex(), -1);
  EXPECT_EQ(l.Find("TAGS[0]"), &l.GetItem(0));
  EXPECT_EQ(l.Find("tags[1]"), &l.GetItem(1));
  EXPECT_EQ(l.Find("Tags"), nullptr);
  EXPECT_EQ(l.Find("prop"), &l.GetItem(3));
  EXPECT_EQ(l.Find("skins[x]"), &l.GetItem(4));
  EXPECT_EQ(l.Find("skins["), &l.GetItem(4));
  EXPECT_EQ(l.Find("Missing"), nullptr);
  EXPECT_EQ(l.GetItem(0).GetDescription(), "Tags[0] (Int) = 1");
  EXPECT_EQ(l.GetValue("prop"), TUTVariant(std::int64_t{4}));
  EXPECT_EQ(l.GetValue("nothing"), TUTVariant(std::int64_t{0}));
  EXPECT_EQ(l.GetValueVariant("nothing", std::string("d")), TUTVariant(std::string("d")));
  EXPECT_THROW(l.GetItem(l.Count()), std::out_of_range);
}

TEST_F(Tags, PlainValuesAsText) {
  const int tex = w.Import("Engine", "Texture", w.Import("Core", "Package", 0, "UCGeneric"), "detail13");
  const int cls = w.Import("Core", "Class", w.Import("Core", "Package", 0, "Engine"), "Actor");
  const std::string tags = w.FloatTag("Scale", 0.5f) + w.ObjectTag("Detail", tex) + w.ObjectTag("Nothing", 0) +
                           w.ObjectTag("Kind", cls) + w.Tag("Cls", ptClass, pw::Compact(cls)) +
                           w.NameTag("Group", "Tags") + w.ByteTag("Format", 3) +
                           w.Tag("S", ptString, pw::Compact(5) + std::string("ab\0\0\0", 5)) +
                           w.StrTag("Empty", "") + w.Tag("M", ptMap, "123456") + w.NoneTag();
  TUTPropertyList l;
  Read(tags, l);
  std::vector<std::string> lines;
  for (const auto& p : l) lines.push_back(p->GetDescription());
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Scale (Float) = 0.50", "Detail (Object) = Texture'UCGeneric.detail13'",
                       "Nothing (Object) = None", "Kind (Object) = Class'Engine.Actor'", "Cls (Class) = Class'Engine.Actor'",
                       "Group (Name) = Tags", "Format (Byte) = 3", "S (String) = \"ab\"",
                       "Empty (Str) = \"\"", "M (Map) = ", "None"}));
  EXPECT_EQ(l.Find("M")->GetValueVariant(), TUTVariant(std::string("123456")));
  EXPECT_EQ(VariantToInteger(l.Find("Format")->GetValueVariant()), 3);
  EXPECT_EQ(VariantToInteger(l.Find("Detail")->GetValueVariant()), tex);
  // Two-byte values never come from a tag's type bits; readers set them.
  TUTProperty word;
  const std::uint8_t raw[] = {0xFF, 0xFF};
  word.SetProperty(&Package(), "W", -1, ptWord, raw, 2, "");
  EXPECT_EQ(word.GetDescription(), "W (Word) = 65535");
}

TEST_F(Tags, FloatsUseADotWhateverTheLocale) {
  const std::string tags = w.FloatTag("Scale", 1.5f) + w.NoneTag();
  TUTPropertyList l;
  Read(tags, l);
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  const std::string text = l.GetItem(0).GetValueText();
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(text, "1.50") << (german ? "with de_DE" : "de_DE not installed");
}

TEST_F(Tags, ArraysShowTheirElementsAsNestedTags) {
  w.Name("X");
  const std::string elements = pw::Byte(2) + w.IntTag("X", 1) + w.NoneTag() + w.IntTag("X", 2) + w.NoneTag();
  const std::string tags = w.Tag("Arr", ptArray, elements) + w.Tag("Zero", ptArray, pw::Byte(0)) + w.NoneTag();
  TUTPropertyList l;
  Read(tags, l);
  EXPECT_EQ(l.GetItem(0).GetDescription(), "Arr (Array of Object) = ([0]=(X (Int) = 1), [1]=(X (Int) = 2))");
  EXPECT_EQ(l.GetItem(1).GetDescription(), "Zero (Array of Object) = ()");
}

TEST_F(Tags, DeeplyNestedArraysAreAnErrorNotACrash) {
  std::string value = w.NoneTag();
  for (int i = 0; i < 200; ++i) value = pw::Byte(1) + w.Tag("Arr", ptArray, value) + w.NoneTag();
  TUTProperty& p = ReadOne(w.Tag("Arr", ptArray, value));
  EXPECT_THROW(p.GetDescription(), EUTPackageError);
}

TEST(PropertyRecord, UnfilledPropertiesAndTypeNames) {
  TUTProperty p;
  EXPECT_EQ(p.GetDescription(), "");
  const TUTPropertyValue v = p.GetValue(-1);
  EXPECT_EQ(v.Text, "0");
  EXPECT_EQ(v.Variant, TUTVariant(std::string("0")));
  EXPECT_EQ(TUTProperty::TypeToString(16), "");
  EXPECT_EQ(TUTProperty::TypeToString(-1), "");
}

TEST(PropertyRecord, PropertiesComeFromTheConfiguredClass) {
  struct TMarked : TUTProperty {};
  const TUTPropertyClassRef saved = UTPropertyClass;
  UTPropertyClass = [] { return std::unique_ptr<TUTProperty>(new TMarked); };
  TUTPropertyList l;
  EXPECT_NE(dynamic_cast<TMarked*>(&l.NewProperty()), nullptr);
  UTPropertyClass = saved;
}

}  // namespace
