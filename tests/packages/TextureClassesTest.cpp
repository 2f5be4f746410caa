#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextureTestSupport.h"
#include "packages/PuUtFont.h"
#include "packages/PuUtPalette.h"
#include "packages/PuUtRegistry.h"
#include "packages/PuUtTexture.h"

namespace packages {
namespace {

std::vector<std::string> RowNames() {
  std::vector<std::string> names;
  for (const auto& row : UTObjectClassRegistry()) names.push_back(row.Name);
  return names;
}

// The program registers the texture set, then the script set, at start-up;
// registering again changes nothing.
TEST(TextureClasses, StartUpOrderPutsTheTextureSetFirst) {
  texture_test::TTextureClassScope scope;
  RegisterTextureClasses();
  RegisterScriptClasses();
  const auto names = RowNames();
  ASSERT_EQ(names.size(), 35u);
  const std::vector<std::string> textureSet{"cubemap",      "palette",      "font",        "texture",
                                            "firetexture",  "icetexture",   "watertexture", "wavetexture",
                                            "wettexture",   "fluidtexture", "scriptedtexture"};
  EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 11), textureSet);
  EXPECT_EQ(names[11], "");
  EXPECT_EQ(GetUTObjectClass("TEXTURE"), UTObjectClass<TUTObjectClassTexture>());
  EXPECT_EQ(GetUTObjectClass("CubeMap"), UTObjectClass<TUTObjectClassCubeMap>());
  EXPECT_EQ(GetUTObjectClass("Font"), UTObjectClass<TUTObjectClassFont>());
  EXPECT_EQ(GetUTObjectClass("WetTexture"), UTObjectClass<TUTObjectClassWetTexture>());
}

}  // namespace
}  // namespace packages
