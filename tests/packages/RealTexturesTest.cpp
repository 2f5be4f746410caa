// Every texture of real game packages decodes; the top mip of each is
// written as PNG into the test output folder so that a person can look at
// it, and a few pixels checked by eye on those images are pinned here.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <string>

#include "ExactRead.h"
#include "TextureTestSupport.h"
#include "common/RealData.h"
#include "common/TestNames.h"
#include "packages/PngWriter.h"
#include "packages/PuUtFont.h"
#include "packages/PuUtPackages.h"
#include "packages/PuUtTexture.h"

namespace packages {
namespace {

struct RealPackage {
  const char* name;
  const char* path;  // under the real-data folder
  int textures;
  TUTTextureFormat format;
  bool palettes;
};

class RealTexturesTest : public testing::TestWithParam<RealPackage> {
 protected:
  texture_test::TTextureClassScope classes;
};

std::string OutputFolder() {
  const auto folder = std::filesystem::path(ROSTERWELL_TEST_OUTPUT_DIR) / "textures";
  std::filesystem::create_directories(folder);
  return folder.string();
}

TEST_P(RealTexturesTest, EveryTextureDecodesWithConsistentMips) {
  const RealPackage& p = GetParam();
  REQUIRE_REALDATA(p.path);
  TUTPackage package(testing_support::RealDataPath(p.path));
  int textures = 0;
  for (int i = 0; i < package.ExportCount(); ++i) {
    auto* texture = dynamic_cast<TUTObjectClassTexture*>(&package.GetExport(i)->GetObject());
    if (!texture) continue;
    ++textures;
    SCOPED_TRACE(texture->GetObjectName());
    ASSERT_NO_THROW(texture->ReadObject(true));
    const auto& mips = texture->Mips();
    ASSERT_FALSE(mips.empty());
    for (std::size_t m = 1; m < mips.size(); ++m) {
      // Each mip halves the one before, down to one pixel.
      EXPECT_EQ(mips[m].Width(), std::max(1, mips[m - 1].Width() / 2));
      EXPECT_EQ(mips[m].Height(), std::max(1, mips[m - 1].Height() / 2));
    }
    for (const auto& mip : mips) {
      EXPECT_EQ(mip.BitsPerPixel(), TextureFormatBitsPerPixel(p.format));
      EXPECT_EQ(mip.Palette() != nullptr, p.palettes);
      EXPECT_EQ(mip.RawFormat(), p.format);
    }
    testing_support::WritePng(OutputFolder() + "/" + p.name + "_" + texture->GetObjectName() + ".png", mips[0]);
    texture->ReleaseObject();
  }
  EXPECT_EQ(textures, p.textures);
}

INSTANTIATE_TEST_SUITE_P(
    Packages, RealTexturesTest,
    testing::Values(RealPackage{"Faces", "pkg/ut99/Faces.utx", 18, tfP8, true},
                    RealPackage{"SmileSkins", "pkg/ut2004_mod/SmileSkins.utx", 15, tfP8, true},
                    RealPackage{"TeamSymbols", "pkg/ut2004/TeamSymbols.utx", 6, tfDXT5, false},
                    RealPackage{"T_Epic2k4BP2", "pkg/ut2004/T_Epic2k4BP2.utx", 14, tfDXT1, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Pixels looked at on the PNG files the test above writes, as red, green,
// blue and alpha. The block-compressed ones agree with an independent
// decoder of those formats.
struct LookedAtPixel {
  const char* path;
  const char* texture;
  int x, y;
  std::array<std::uint8_t, 4> rgba;
};

class RealPixelsTest : public testing::TestWithParam<LookedAtPixel> {
 protected:
  texture_test::TTextureClassScope classes;
};

TEST_P(RealPixelsTest, MatchWhatTheImageShows) {
  const LookedAtPixel& p = GetParam();
  REQUIRE_REALDATA(p.path);
  TUTPackage package(testing_support::RealDataPath(p.path));
  const int index = package.FindExport(p.texture, "Texture");
  ASSERT_GE(index, 0);
  auto& texture = dynamic_cast<TUTObjectClassTexture&>(package.GetExport(index)->GetObject());
  texture.ReadObject(true);
  const TUTBitmap& top = texture.Mips()[0];
  const auto rgba = testing_support::BitmapToRGBA(top);
  const std::size_t at = (static_cast<std::size_t>(p.y) * top.Width() + p.x) * 4;
  EXPECT_EQ((std::array<std::uint8_t, 4>{rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]}), p.rgba);
  texture.ReleaseObject();
}

INSTANTIATE_TEST_SUITE_P(
    LookedAt, RealPixelsTest,
    testing::Values(
        // The black background beside Boris's head, and his lit forehead
        // (palette colours of a version-63 package).
        LookedAtPixel{"pkg/ut99/Faces.utx", "BORIS", 10, 26, {0, 0, 0, 255}},
        LookedAtPixel{"pkg/ut99/Faces.utx", "BORIS", 32, 26, {254, 194, 119, 255}},
        // The yellow of the cool smiley and its black sunglasses.
        LookedAtPixel{"pkg/ut2004_mod/SmileSkins.utx", "COOL", 8, 2, {255, 206, 115, 255}},
        LookedAtPixel{"pkg/ut2004_mod/SmileSkins.utx", "COOL", 4, 5, {8, 8, 8, 255}},
        // The beacon's V: clear in the notch at the top, white and opaque in
        // its arm, half-transparent grey in the inner triangle.
        LookedAtPixel{"pkg/ut2004/TeamSymbols.utx", "TeamBeaconT", 32, 3, {0, 0, 0, 0}},
        LookedAtPixel{"pkg/ut2004/TeamSymbols.utx", "TeamBeaconT", 5, 5, {255, 255, 255, 255}},
        LookedAtPixel{"pkg/ut2004/TeamSymbols.utx", "TeamBeaconT", 32, 25, {129, 128, 129, 127}},
        // Grey-green cement, and the dark streak under its bolt.
        LookedAtPixel{"pkg/ut2004/T_Epic2k4BP2.utx", "BP2_Walls_Cement01", 256, 256, {82, 89, 74, 255}},
        LookedAtPixel{"pkg/ut2004/T_Epic2k4BP2.utx", "BP2_Walls_Cement01", 260, 380, {8, 12, 8, 255}}),
    [](const auto& info) {
      return testing_support::TestName(std::string(info.param.texture) + " " + std::to_string(info.param.x) + " " +
                                       std::to_string(info.param.y));
    });

// Every font of a later-generation font package reads its character table
// to the last byte, and every character lies inside its page's texture.
TEST(RealFontsTest, EveryCharacterLiesOnItsPage) {
  const char* file = "pkg/ut2004/UT2003Fonts.utx";
  REQUIRE_REALDATA(file);
  texture_test::TTextureClassScope classes;
  exact_read::Probe<TUTObjectClassFont>("Font");
  exact_read::Leftovers().clear();
  TUTPackage package(testing_support::RealDataPath(file));
  std::map<TUTObjectReference, std::pair<std::int64_t, std::int64_t>> pageSizes;
  const auto pageSize = [&](TUTObjectReference ref) {
    if (!pageSizes.count(ref)) {
      TUTObject& texture = package.GetExport(ref - 1)->GetObject();
      texture.ReadObject(true);
      const TUTPropertyList& l = texture.GetProperties();
      pageSizes[ref] = {VariantToInteger(l.GetValue("USize")), VariantToInteger(l.GetValue("VSize"))};
      texture.ReleaseObject();
    }
    return pageSizes[ref];
  };
  int fonts = 0;
  std::size_t characters = 0;
  for (int i = 0; i < package.ExportCount(); ++i) {
    auto* font = dynamic_cast<TUTObjectClassFont*>(&package.GetExport(i)->GetObject());
    if (!font) continue;
    ++fonts;
    SCOPED_TRACE(font->GetObjectName());
    ASSERT_NO_THROW(font->ReadObject(true));
    EXPECT_FALSE(font->Characters.empty());
    for (const TUTFontCharacter& c : font->Characters) {
      ASSERT_GT(c.Texture, 0);
      ASSERT_EQ(package.GetExport(c.Texture - 1)->GetClassName(), "Texture");
      const auto [uSize, vSize] = pageSize(c.Texture);
      EXPECT_TRUE(c.X >= 0 && c.Y >= 0 && c.W >= 0 && c.H >= 0 && c.X + c.W <= uSize && c.Y + c.H <= vSize)
          << c.X << "," << c.Y << " " << c.W << "x" << c.H << " on " << uSize << "x" << vSize;
    }
    characters += font->Characters.size();
    font->ReleaseObject();
  }
  EXPECT_EQ(exact_read::Leftovers(), std::vector<std::string>());
  EXPECT_EQ(fonts, 43);
  EXPECT_EQ(characters, 10878u);
  EXPECT_EQ(pageSizes.size(), 47u);
}

}  // namespace
}  // namespace packages
