#include <gtest/gtest.h>

#include "ScriptPackageBuilder.h"
#include "packages/PuUtFont.h"
#include "packages/PuUtTextBuffer.h"
#include "platform/TextFile.h"

using namespace packages;
namespace pw = package_writer;
using script_builder::TScriptPackage;

namespace {

class FontAndText : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterScriptClasses();
    RegisterUTObjectClass("Font", UTObjectClass<TUTObjectClassFont>());
  }
};

std::string Page(int texture, int count, int first = 0) {
  std::string out = pw::Compact(texture) + pw::Compact(count);
  for (int i = 0; i < count; ++i) out += pw::Int(first + i) + pw::Int(1) + pw::Int(8) + pw::Int(9);
  return out;
}

struct FontCase {
  std::uint16_t version;
  std::size_t kerningPairs;
  bool kerningFlag;
};

class FontVersionTest : public ::testing::TestWithParam<FontCase> {
 protected:
  void SetUp() override { RegisterUTObjectClass("Font", UTObjectClass<TUTObjectClassFont>()); }
};

// The first engine generation's pages of characters.
TEST_P(FontVersionTest, TailByFileVersion) {
  const FontCase& c = GetParam();
  TScriptPackage sp(c.version);
  std::string data = sp.w.NoneTag() + pw::Byte(2) + Page(-1, 3) + Page(-2, 4, 100) + pw::Int(77);
  if (c.version >= 69) data += pw::Compact(1) + "AV" + pw::Int(1);
  const int f = sp.w.Export("Small", sp.Class("Font"), data);
  TUTPackage& p = sp.Open("Fonts.utx");
  auto* font = script_builder::ReadExport<TUTObjectClassFont>(p, f);
  ASSERT_NE(font, nullptr);
  ASSERT_EQ(font->Characters.size(), 7u);
  EXPECT_EQ(font->Characters[2].Texture, -1);
  EXPECT_EQ(font->Characters[3].Texture, -2);
  EXPECT_EQ(font->Characters[3].X, 100);
  EXPECT_EQ(font->Characters[6].H, 9);
  EXPECT_EQ(font->PagesTrailer, 77);
  EXPECT_EQ(font->KerningPairs.size(), c.kerningPairs);
  EXPECT_EQ(font->KerningFlag, c.kerningFlag);
  if (c.kerningPairs) {
    EXPECT_EQ(font->KerningPairs[0].First, "A");
    EXPECT_EQ(font->KerningPairs[0].Second, "V");
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, FontVersionTest,
                         ::testing::Values(FontCase{68, 0, false}, FontCase{69, 1, true}, FontCase{118, 1, true}),
                         [](const auto& info) { return "Version" + std::to_string(info.param.version); });

// The later generation's table: characters that name their page, then the
// pages' textures, the kerning, the remapped character codes and a flag.
std::string CharacterTable(const std::vector<int>& pagesOfCharacters, const std::vector<int>& textures) {
  std::string out = pw::Compact(static_cast<int>(pagesOfCharacters.size()));
  for (std::size_t i = 0; i < pagesOfCharacters.size(); ++i)
    out += pw::Int(static_cast<int>(10 * i)) + pw::Int(2) + pw::Int(8) + pw::Int(9) +
           pw::Byte(static_cast<std::uint8_t>(pagesOfCharacters[i]));
  out += pw::Compact(static_cast<int>(textures.size()));
  for (int t : textures) out += pw::Compact(t);
  return out + pw::Int(-2) + pw::Compact(2) + pw::Word(0xE9) + pw::Word('e') + pw::Word(0x2019) + pw::Word('\'') +
         pw::Int(1);
}

class SecondGenerationFontTest : public ::testing::TestWithParam<std::uint16_t> {
 protected:
  void SetUp() override { RegisterUTObjectClass("Font", UTObjectClass<TUTObjectClassFont>()); }
};

TEST_P(SecondGenerationFontTest, CharacterTableWithItsPages) {
  TScriptPackage sp(GetParam());
  const int page0 = sp.w.Export("Page0", sp.Class("Texture"));
  const int page1 = sp.w.Export("Page1", sp.Class("Texture"));
  const int f = sp.w.Export("Medium", sp.Class("Font"), sp.w.NoneTag() + CharacterTable({0, 1, 1}, {page0, page1}));
  TUTPackage& p = sp.Open("Fonts.utx");
  auto* font = script_builder::ReadExport<TUTObjectClassFont>(p, f);
  ASSERT_EQ(font->Characters.size(), 3u);
  EXPECT_EQ(font->Characters[0].Texture, page0);
  EXPECT_EQ(font->Characters[1].Texture, page1);
  EXPECT_EQ(font->Characters[2].Texture, page1);
  EXPECT_EQ(font->Characters[2].X, 20);
  EXPECT_EQ(font->Characters[2].Y, 2);
  EXPECT_EQ(font->Characters[2].W, 8);
  EXPECT_EQ(font->Characters[2].H, 9);
  EXPECT_EQ(font->Textures, (std::vector<TUTObjectReference>{page0, page1}));
  EXPECT_EQ(font->Kerning, -2);
  ASSERT_EQ(font->CharRemap.size(), 2u);
  EXPECT_EQ(font->CharRemap[1].From, 0x2019);
  EXPECT_EQ(font->CharRemap[1].To, '\'');
  EXPECT_TRUE(font->IsRemapped);
  EXPECT_TRUE(font->KerningPairs.empty());
}

TEST_P(SecondGenerationFontTest, CharacterOnAPageWithoutTextureIsAnError) {
  TScriptPackage sp(GetParam());
  const int page0 = sp.w.Export("Page0", sp.Class("Texture"));
  const int f = sp.w.Export("Medium", sp.Class("Font"), sp.w.NoneTag() + CharacterTable({0, 1}, {page0}));
  TUTPackage& p = sp.Open("Fonts.utx");
  try {
    p.GetExport(f - 1)->GetObject().ReadObject(true);
    FAIL() << "no error";
  } catch (const EUTReadError& e) {
    EXPECT_NE(std::string(e.what()).find("Font character 1 on page 1 of 1"), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, SecondGenerationFontTest, ::testing::Values(119, 127),
                         [](const auto& info) { return "Version" + std::to_string(info.param); });

TEST_F(FontAndText, FontPagesGrowPastAnyFixedRoom) {
  TScriptPackage sp;
  const int f = sp.w.Export("Big", sp.Class("Font"), sp.w.NoneTag() + pw::Byte(2) + Page(-1, 200) + Page(-1, 200) +
                                                         pw::Int(0) + pw::Compact(0) + pw::Int(0));
  TUTPackage& p = sp.Open();
  EXPECT_EQ(script_builder::ReadExport<TUTObjectClassFont>(p, f)->Characters.size(), 400u);
}

struct TextCase {
  const char* name;
  std::string data;  // after the two dropped values
  std::string text;
  const char* file;
};

class TextBufferTest : public ::testing::TestWithParam<TextCase> {
 protected:
  void SetUp() override { RegisterScriptClasses(); }
};

TEST_P(TextBufferTest, ReadsItsText) {
  const TextCase& c = GetParam();
  TScriptPackage sp;
  const int t = sp.w.Export("ScriptText", sp.Class("TextBuffer"), sp.w.NoneTag() + pw::Int(1) + pw::Int(2) + c.data);
  TUTPackage& p = sp.Open(c.file);
  EXPECT_EQ(script_builder::ReadExport<TUTObjectClassTextBuffer>(p, t)->Text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, TextBufferTest,
    ::testing::Values(TextCase{"LengthCountsTheTerminator", pw::Compact(6) + std::string("Hello\0", 6), "Hello", "A.u"},
                      TextCase{"LengthOne", pw::Compact(1) + std::string(1, '\0'), "", "A.u"},
                      TextCase{"LengthZero", pw::Compact(0), "", "A.u"},
                      TextCase{"BytesKeptAsStored", pw::Compact(4) + std::string("a\r\xE9\0", 4), "a\r\xE9", "A.u"},
                      TextCase{"UndyingKeepsNoText", pw::Compact(9) + pw::Compact(3) + "abc", "", "Scripts.sac"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FontAndText, TextBufferSavesItsBytesExactly) {
  TScriptPackage sp;
  const std::string source = "class A;\r\n\tvar int B;\n\xE9";
  const int t = sp.w.Export("ScriptText", sp.Class("TextBuffer"),
                            sp.w.NoneTag() + pw::Int(0) + pw::Int(0) + pw::SizedString(source));
  TUTPackage& p = sp.Open();
  auto& buffer = dynamic_cast<TUTObjectClassTextBuffer&>(p.GetExport(t - 1)->GetObject());
  EXPECT_THROW(buffer.SaveToFile(sp.dir.file("early.uc")), EUTObjectNotRead);
  buffer.ReadObject(true);
  buffer.SaveToFile(sp.dir.file("A.uc"));
  EXPECT_EQ(platform::ReadFileBytes(sp.dir.file("A.uc")), source);
  EXPECT_THROW(buffer.SaveToFile(sp.dir.file("no/such/folder/A.uc")), platform::EFileError);
}

}  // namespace
