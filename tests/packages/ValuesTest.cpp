#include <gtest/gtest.h>

#include "ScriptPackageBuilder.h"
#include "packages/PuUtStructs.h"

using namespace packages;
namespace pw = package_writer;
using script_builder::B;
using script_builder::TScriptPackage;
using script_builder::TStructRecord;

namespace {

// A package with one object of class Thing whose properties are `tags`
// (built by the caller, ending in the end tag), plus whatever definitions
// the test adds before opening.
class ValueTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterScriptClasses(); }

  TUTPropertyList& Properties(const std::string& tags) {
    thing = sp.w.Export("Thing1", sp.Class("Thing"), tags);
    TUTPackage& p = sp.Open();
    TUTObject& o = p.GetExport(thing - 1)->GetObject();
    o.ReadObject(true);
    return o.GetProperties();
  }

  // A struct definition MyStruct in class MyActor whose members are the
  // given property exports, chained in order.
  int DefineStruct(const std::string& name, const std::vector<std::pair<std::string, std::string>>& members,
                   int outer = 0) {
    const int def = sp.w.Export(name, sp.Class("Struct"), "", outer);
    std::vector<int> refs;
    for (const auto& [memberName, cls] : members) refs.push_back(sp.w.Export(memberName, sp.Class(cls), "", def));
    TStructRecord r;
    r.Children = refs.empty() ? 0 : refs.front();
    r.FriendlyName = name;
    sp.w.ExportAt(def).Data = sp.Struct(r);
    for (std::size_t i = 0; i < refs.size(); ++i) memberNext[refs[i]] = i + 1 < refs.size() ? refs[i + 1] : 0;
    memberRefs = refs;
    return def;
  }
  // The record of member `ref`, with `extra` after the property record.
  void SetMember(int ref, const std::string& extra = "") {
    sp.w.ExportAt(ref).Data = sp.w.NoneTag() + pw::Compact(0) + pw::Compact(memberNext[ref]) + pw::Word(1) +
                              pw::Word(4) + pw::DWord(0) + pw::Compact(0) + extra;
  }

  TScriptPackage sp;
  int thing = 0;
  std::map<int, int> memberNext;
  std::vector<int> memberRefs;
};

TEST_F(ValueTest, BuiltInStructuresMemberByMember) {
  const std::string tags =
      sp.w.Tag("C", ptStruct, B({255, 128, 0, 0}), -1, "Color") +
      sp.w.Tag("V", ptStruct, pw::Float(1) + pw::Float(2) + pw::Float(0.5f), -1, "Vector") +
      sp.w.Tag("R", ptStruct, pw::Int(-1) + pw::Int(16384) + pw::Int(0), -1, "Rotator") +
      sp.w.Tag("S", ptStruct, pw::Float(1) + pw::Float(1) + pw::Float(1) + pw::Float(0) + B({5}), -1, "Scale") +
      sp.w.Tag("Z", ptStruct, pw::Compact(0) + pw::Int(3) + B({7}), -1, "PointRegion") + sp.w.NoneTag();
  TUTPropertyList& l = Properties(tags);
  EXPECT_EQ(l.Find("C")->GetDescription(), "C (Color) = (R=255, G=128, B=0, A=0)");
  EXPECT_EQ(l.Find("V")->GetValueText(), "(X=1.00, Y=2.00, Z=0.50)");
  EXPECT_EQ(l.Find("R")->GetValueText(), "(Pitch=-1, Yaw=16384, Roll=0)");
  EXPECT_EQ(l.Find("S")->GetValueText(), "(Scale=(X=1.00, Y=1.00, Z=1.00), SheerRate=0.00, SheerAxis=SHEER_ZX)");
  EXPECT_EQ(l.Find("Z")->GetValueText(), "(Zone=None, iLeaf=3, ZoneNumber=7)");
  EXPECT_EQ(l.Find("S")->ValueCount(), 3);
  EXPECT_EQ(l.Find("C")->GetValueVariant(), TUTVariant(std::string("(R=255, G=128, B=0, A=0)")));

  const TUTPropertyValue axis = l.Find("S")->GetValue(2);
  EXPECT_EQ(axis.Name, "SheerAxis");
  EXPECT_EQ(axis.Text, "SHEER_ZX");
  EXPECT_EQ(axis.TypeName, "ESheerAxis");
  EXPECT_EQ(axis.Type, ptByte);
  EXPECT_EQ(axis.Variant, TUTVariant(std::int64_t{5}));
  const TUTPropertyValue green = l.Find("C")->GetValue(1);
  EXPECT_EQ(green.Text, "128");
  EXPECT_EQ(green.TypeName, "Byte");
  // A member index beyond the members gives the whole value.
  EXPECT_EQ(l.Find("V")->GetValue(3).Text, "(X=1.00, Y=2.00, Z=0.50)");
}

TEST_F(ValueTest, StructureFromItsDefinitionWithEnumerationByDeclaration) {
  const int e = sp.w.Export("EMyEnum", sp.Class("Enum"),
                            sp.Field(0, 0) + pw::Compact(2) + pw::Compact(sp.w.Name("ME_A")) +
                                pw::Compact(sp.w.Name("ME_B")));
  DefineStruct("MyStruct", {{"A", "IntProperty"}, {"K", "ByteProperty"}, {"Note", "Const"}, {"S", "StrProperty"},
                            {"N", "NameProperty"}, {"Pos", "StructProperty"}});
  SetMember(memberRefs[0]);
  SetMember(memberRefs[1], pw::Compact(e));
  sp.w.ExportAt(memberRefs[2]).Data = sp.w.NoneTag() + pw::Compact(0) + pw::Compact(memberRefs[3]) + pw::SizedString("1");
  SetMember(memberRefs[3]);
  SetMember(memberRefs[4]);
  SetMember(memberRefs[5], pw::Compact(sp.w.Import("Core", "Struct", sp.Class("Object"), "Vector")));
  // Another struct whose byte member "k" declares an enumeration found
  // nowhere.
  DefineStruct("Other", {{"k", "ByteProperty"}});
  SetMember(memberRefs[0], pw::Compact(sp.w.Import("Core", "Enum", sp.core, "EElsewhere")));
  const std::string value = pw::Int(5) + B({1}) + pw::SizedString("x") + pw::Compact(sp.w.Name("Foo")) +
                            pw::Float(1) + pw::Float(2) + pw::Float(3);
  TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, value, -1, "MyStruct") +
                                  sp.w.Tag("Val2", ptStruct, B({0}), -1, "Other") + sp.w.NoneTag());
  TUTProperty& p = *l.Find("Val");
  const TUTPropertyValue k = p.GetValue(1);
  EXPECT_EQ(k.Name, "K");
  EXPECT_EQ(k.Text, "ME_B");
  EXPECT_EQ(k.TypeName, "EMyEnum");
  // The enumeration is now cached under the member's name; later values
  // of that name are found there.
  EXPECT_EQ(sp.package->EnumCache().at("K"), "ME_A ME_B");
  EXPECT_EQ(p.GetDescription(),
            "Val (MyStruct) = (A=5, K=ME_B, S=\"x\", N=Foo, Pos=(X=1.00, Y=2.00, Z=3.00))");
  EXPECT_EQ(p.ValueCount(), 5);
  EXPECT_EQ(p.GetValue(1).TypeName, "EK");
  EXPECT_EQ(p.GetValue(1).Text, "ME_B");
  // The cache is keyed by the name without regard to case.
  EXPECT_EQ(l.Find("Val2")->GetValueText(), "(k=ME_A)");
  // Every definition read on the way was released again.
  for (int i = 0; i < sp.package->ExportCount(); ++i) {
    const TUTObject* o = sp.package->GetExport(i)->ObjectIfCreated();
    if (i != thing - 1 && o) {
      EXPECT_EQ(o->UseCount(), 0) << i;
    }
  }
}

// A defined struct nested in another one reads on from where the outer
// member before it ended, not again from the start of the value.
TEST_F(ValueTest, NestedDefinedStructureReadsItsOwnBytes) {
  const int inner = DefineStruct("Inner", {{"B", "IntProperty"}});
  SetMember(memberRefs[0]);
  DefineStruct("Outer", {{"A", "IntProperty"}, {"In", "StructProperty"}});
  SetMember(memberRefs[0]);
  SetMember(memberRefs[1], pw::Compact(inner));
  TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, pw::Int(1) + pw::Int(2), -1, "Outer") + sp.w.NoneTag());
  EXPECT_EQ(l.Find("Val")->GetValueText(), "(A=1, In=(B=2))");
}

TEST_F(ValueTest, UnknownStructureIsShownRaw) {
  TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, "abcdef", -1, "Missing") + sp.w.NoneTag());
  const TUTPropertyValue v = l.Find("Val")->GetValue(-1);
  EXPECT_EQ(v.Text, "");
  EXPECT_EQ(v.Type, ptBuffer);
  EXPECT_EQ(v.Variant, TUTVariant(std::string("abcdef")));
  EXPECT_EQ(l.Find("Val")->ValueCount(), 0);
}

TEST_F(ValueTest, StructureContainingItselfIsAnErrorNotACrash) {
  DefineStruct("Loop", {{"Inner", "StructProperty"}});
  const int self = sp.w.Export("LoopRef", sp.Class("Struct"));
  (void)self;
  SetMember(memberRefs[0], pw::Compact(memberRefs[0] - 1));
  TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, std::string(200, '\0'), -1, "Loop") + sp.w.NoneTag());
  EXPECT_THROW(l.Find("Val")->GetDescription(), EUTPackageError);
}

// Members that read no bytes (empty structures) cost nothing of the value,
// so only a bound on the members of one value stops a few definitions that
// each hold several members of the next from multiplying into billions.
TEST_F(ValueTest, StructureMembersMultiplyingWithoutBytesAreAnError) {
  int inner = DefineStruct("Level20", {});
  for (int level = 19; level >= 0; --level) {
    const int outer = DefineStruct("Level" + std::to_string(level),
                                   {{"A", "StructProperty"}, {"B", "StructProperty"}, {"C", "StructProperty"}});
    for (int ref : memberRefs) SetMember(ref, pw::Compact(inner));
    inner = outer;
  }
  TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, B({0}), -1, "Level0") + sp.w.NoneTag());
  EXPECT_THROW(l.Find("Val")->GetValueText(), EUTPackageError);
}

TEST_F(ValueTest, MemberChainThatLoopsEndsWithinTheExports) {
  DefineStruct("Ring", {{"A", "IntProperty"}, {"B", "IntProperty"}});
  memberNext[memberRefs[1]] = memberRefs[0];
  SetMember(memberRefs[0]);
  SetMember(memberRefs[1]);
  // Enough bytes for every step the loop can take: it ends, with the
  // members it went through.
  TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, std::string(400, '\1'), -1, "Ring") + sp.w.NoneTag());
  const std::string text = l.Find("Val")->GetValueText();
  EXPECT_EQ(text.substr(0, 29), "(A=16843009, B=16843009, A=16");
  EXPECT_GT(l.Find("Val")->ValueCount(), 2);
}

// An element of no tags keeps its brackets rather than losing its "]=".
TEST_F(ValueTest, ArrayElementWithoutTagsShowsEmptyBrackets) {
  TUTPropertyList& l = Properties(sp.w.Tag("Arr", ptArray, B({2}) + sp.w.NoneTag() + sp.w.NoneTag()) +
                                  sp.w.NoneTag());
  EXPECT_EQ(l.Find("Arr")->GetValueText(), "([0]=(), [1]=())");
}

// The message stays the property's; what went wrong, and where, is kept.
TEST_F(ValueTest, PropertyErrorKeepsItsCause) {
  const std::string truncated = pw::Compact(sp.w.Name("Size")) + B({0x52, 9}) + "ab";
  const int broken = sp.w.Export("Broken1", sp.Class("Thing"), truncated);
  TUTPackage& p = sp.Open();
  try {
    p.GetExport(broken - 1)->GetObject().ReadObject(true);
    FAIL() << "no error";
  } catch (const EReadingUTProperty& e) {
    EXPECT_EQ(std::string(e.what()), "Exception reading property Size");
    EXPECT_EQ(e.Cause(),
              "Invalid array length: expected 9 elements of 1 bytes, found 2 bytes in export 0 (Broken1) at position 3 "
              "of 5");
  }
}

// A reference the tables do not hold is the reader's error, not a value
// of no class and no path.
TEST_F(ValueTest, ObjectReferenceOutsideTheTablesIsAnError) {
  const int other = sp.w.Export("Other1", sp.Class("Thing"));
  TUTPropertyList& l = Properties(sp.w.ObjectTag("Good", other) + sp.w.ObjectTag("Past", 5000) +
                                  sp.w.ObjectTag("Below", -5000) + sp.w.Tag("Cls", ptClass, pw::Compact(-999)) +
                                  sp.w.NoneTag());
  EXPECT_EQ(l.Find("Good")->GetValueText(), "Thing'Other1'");
  for (const char* name : {"Past", "Below", "Cls"}) {
    try {
      l.Find(name)->GetDescription();
      ADD_FAILURE() << name << ": no error";
    } catch (const EUTReadError& e) {
      EXPECT_NE(std::string(e.what()).find("outside the tables"), std::string::npos) << e.what();
    }
  }
}

TEST_F(ValueTest, NegativeStringLengthIsAnError) {
  TUTPropertyList& l = Properties(sp.w.Tag("S", ptStr, pw::Compact(-4) + "a\0b\0", -1) + sp.w.NoneTag());
  EXPECT_THROW(l.Find("S")->GetValueText(), EUTReadError);
}

// The later engine generation stores delegates under the type code of the
// old fixed-size strings: the object the delegate is bound to, then its
// function's name, which is what default properties show.
struct DelegateCase {
  const char* name;
  std::uint16_t version;
  std::string value;
  std::string description;
};

class DelegateTagTest : public ::testing::TestWithParam<DelegateCase> {};

TEST_P(DelegateTagTest, TypeSevenFollowsTheGeneration) {
  const DelegateCase& c = GetParam();
  RegisterScriptClasses();
  TScriptPackage sp(c.version);
  const int page = sp.w.Export("Page1", sp.Class("Thing"));
  sp.w.Name("InternalOnClick");
  const std::string value = c.value == "bound" ? pw::Compact(page) + pw::Compact(sp.w.Name("InternalOnClick"))
                                               : c.value;
  const int thing = sp.w.Export("Button1", sp.Class("Thing"), sp.w.Tag("__OnClick__Delegate", 7, value) +
                                                                  sp.w.NoneTag());
  TUTPackage& p = sp.Open();
  TUTObject& o = p.GetExport(thing - 1)->GetObject();
  o.ReadObject(true);
  EXPECT_EQ(o.GetProperties().Find("__OnClick__Delegate")->GetDescription(), c.description);
  o.ReleaseObject();
}

INSTANTIATE_TEST_SUITE_P(
    Versions, DelegateTagTest,
    ::testing::Values(
        // Page1 is export 1: read as a string these bytes were one character
        // long, the name's index taken for a letter.
        DelegateCase{"UT2004", 128, "bound", "__OnClick__Delegate (Delegate) = InternalOnClick"},
        DelegateCase{"UT2003", 119, "bound", "__OnClick__Delegate (Delegate) = InternalOnClick"},
        // Not bound to any object: still the function's name.
        DelegateCase{"Unbound", 128, pw::Compact(0) + pw::Compact(0), "__OnClick__Delegate (Delegate) = None"},
        DelegateCase{"FirstGenerationString", 118, pw::SizedString("Hi"), "__OnClick__Delegate (String) = \"Hi\""},
        DelegateCase{"UT99String", 69, pw::SizedString("Hi"), "__OnClick__Delegate (String) = \"Hi\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ValueTest, DelegateNameOutsideTheNameTableIsAnError) {
  sp.w.FileVersion = 128;
  TUTPropertyList& l = Properties(sp.w.Tag("D", 7, pw::Compact(0) + pw::Compact(5000)) + sp.w.NoneTag());
  EXPECT_EQ(l.Find("D")->Type(), ptDelegate);
  EXPECT_THROW(l.Find("D")->GetValueText(), EUTReadError);
}

TEST_F(ValueTest, DelegateMemberOfADefinedStructure) {
  sp.w.FileVersion = 128;
  DefineStruct("Binding", {{"D", "DelegateProperty"}, {"I", "IntProperty"}});
  SetMember(memberRefs[0], pw::Compact(0));
  SetMember(memberRefs[1]);
  const std::string value = pw::Compact(0) + pw::Compact(sp.w.Name("InternalOnClick")) + pw::Int(9);
  TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, value, -1, "Binding") + sp.w.NoneTag());
  EXPECT_EQ(l.Find("Val")->GetValueText(), "(D=InternalOnClick, I=9)");
  EXPECT_EQ(l.Find("Val")->GetValue(0).TypeName, "Delegate");
}

// Enumerations that live in other packages, found through imports.
class SiblingEnumTest : public ValueTest {
 protected:
  // A struct in this package whose byte member K names the imported
  // enumeration Engine.EDrawType.
  TUTProperty& Member(bool searchImports, bool writeSibling) {
    if (writeSibling) {
      TScriptPackage engine;
      engine.w.Export("EDrawType", engine.Class("Enum"),
                      engine.Field(0, 0) + pw::Compact(3) + pw::Compact(engine.w.Name("DT_None")) +
                          pw::Compact(engine.w.Name("DT_Sprite")) + pw::Compact(engine.w.Name("DT_Mesh")));
      // Names of sibling files are matched without regard to case.
      engine.w.Write(sp.dir.file("engine.U"));
    }
    const int enginePackage = sp.w.Import("Core", "Package", 0, "Engine");
    const int drawType = sp.w.Import("Core", "Enum", enginePackage, "EDrawType");
    DefineStruct("Display", {{"K", "ByteProperty"}});
    SetMember(memberRefs[0], pw::Compact(drawType));
    TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, B({2}), -1, "Display") + sp.w.NoneTag());
    sp.package->SetSearchImports(searchImports);
    return *l.Find("Val");
  }
};

TEST_F(SiblingEnumTest, FoundInTheSiblingPackage) {
  TUTProperty& p = Member(true, true);
  EXPECT_EQ(p.GetValueText(), "(K=DT_Mesh)");
  EXPECT_EQ(sp.package->EnumCache().at("K"), "DT_None DT_Sprite DT_Mesh");
}

TEST_F(SiblingEnumTest, WithoutImportSearchTheMissIsRecorded) {
  TUTProperty& p = Member(false, true);
  EXPECT_EQ(p.GetValueText(), "(K=2)");
  EXPECT_EQ(sp.package->EnumCache().at("K"), "");
  EXPECT_EQ(p.GetValue(0).TypeName, "EK");
}

TEST_F(SiblingEnumTest, MissingSiblingLeavesTheNumber) {
  TUTProperty& p = Member(true, false);
  EXPECT_EQ(p.GetValueText(), "(K=2)");
  EXPECT_EQ(sp.package->EnumCache().count("K"), 0u);
}

TEST_F(ValueTest, ParentChainLoopingThroughASiblingOpensFewPackages) {
  // Core.u's Struct names itself as its parent, through its own import.
  TScriptPackage core;
  const int self = core.Class("Struct");
  const int s = core.w.Export("Struct", 0);
  core.w.ExportAt(s).Super = self;
  core.w.Write(sp.dir.file("Core.u"));
  // A member that is not filed under its struct, so the search for its
  // declaration climbs the struct's class chain into Core.u.
  DefineStruct("Loose", {{"K", "ByteProperty"}});
  sp.w.ExportAt(memberRefs[0]).Package = 0;
  SetMember(memberRefs[0], pw::Compact(sp.w.Import("Core", "Enum", sp.core, "EElsewhere")));
  // Enough exports that counting steps alone would allow many more hops.
  for (int i = 0; i < 100; ++i) sp.w.Export("Filler" + std::to_string(i), sp.Class("Thing"));
  TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, B({1}), -1, "Loose") + sp.w.NoneTag());
  int opened = 0;
  sp.package->OnFileNotFound = [&](std::string&) { ++opened; };
  EXPECT_EQ(l.Find("Val")->GetValueText(), "(K=1)");
  EXPECT_LE(opened, 10);
}

TEST_F(ValueTest, StructureDefinedInASiblingReadsNamesFromThisPackage) {
  // Engine.u defines Remote { var name N; var int I; }; this package only
  // imports it. The value's name index belongs to this package.
  TScriptPackage engine;
  const int def = engine.w.Export("Remote", engine.Class("Struct"));
  const int n = engine.w.Export("N", engine.Class("NameProperty"), "", def);
  const int i = engine.w.Export("I", engine.Class("IntProperty"), "", def);
  TStructRecord r;
  r.Children = n;
  r.FriendlyName = "Remote";
  engine.w.ExportAt(def).Data = engine.Struct(r);
  engine.w.ExportAt(n).Data = engine.Field(0, i) + pw::Word(1) + pw::Word(4) + pw::DWord(0) + pw::Compact(0);
  engine.w.ExportAt(i).Data = engine.Field(0, 0) + pw::Word(1) + pw::Word(4) + pw::DWord(0) + pw::Compact(0);
  engine.w.Write(sp.dir.file("Engine.u"));

  sp.w.Import("Core", "Struct", sp.w.Import("Core", "Package", 0, "Engine"), "Remote");
  const std::string value = pw::Compact(sp.w.Name("OnlyHere")) + pw::Int(9);
  TUTPropertyList& l = Properties(sp.w.Tag("Val", ptStruct, value, -1, "Remote") + sp.w.NoneTag());
  EXPECT_EQ(l.Find("Val")->GetValueText(), "(N=OnlyHere, I=9)");
  EXPECT_EQ(l.Find("Val")->ValueCount(), 2);
}

}  // namespace
