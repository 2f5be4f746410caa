#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packages/PuUtFont.h"
#include "packages/PuUtPalette.h"
#include "packages/PuUtRegistry.h"
#include "packages/PuUtTexture.h"

namespace packages {
namespace {

// The registry is process-wide: each test starts from an empty one and
// puts back what the other tests of the program registered.
class TextureClassesTest : public testing::Test {
 protected:
  void SetUp() override {
    FSaved = UTObjectClassRegistry();
    ClearUTObjectClasses();
  }
  void TearDown() override {
    ClearUTObjectClasses();
    for (const auto& row : FSaved) RegisterUTObjectClass(row.Name, row.ClassRef);
  }

 private:
  std::vector<TUTClassRegistry> FSaved;
};

std::vector<std::string> RowNames() {
  std::vector<std::string> names;
  for (const auto& row : UTObjectClassRegistry()) names.push_back(row.Name);
  return names;
}

TEST_F(TextureClassesTest, RegistersTheTextureSetInItsOrderOnce) {
  EXPECT_EQ(GetUTObjectClass("Texture"), UTObjectClass<TUTObject>());
  RegisterTextureClasses();
  RegisterTextureClasses();
  const std::vector<std::string> expected{"cubemap",      "palette",      "font",        "texture",
                                          "firetexture",  "icetexture",   "watertexture", "wavetexture",
                                          "wettexture",   "fluidtexture", "scriptedtexture"};
  EXPECT_EQ(RowNames(), expected);
}

// The program registers the texture set, then the script set, at start-up.
TEST_F(TextureClassesTest, StartUpOrderPutsTheTextureSetFirst) {
  RegisterTextureClasses();
  RegisterScriptClasses();
  const auto names = RowNames();
  ASSERT_EQ(names.size(), 35u);
  EXPECT_EQ(names[0], "cubemap");
  EXPECT_EQ(names[10], "scriptedtexture");
  EXPECT_EQ(names[11], "");
  EXPECT_EQ(names[34], "class");
  RegisterUTObjectClass("Font", UTObjectClass<TUTObjectClassTexture>());
  EXPECT_EQ(UTObjectClassRegistry().size(), 35u);
  EXPECT_EQ(GetUTObjectClass("font"), UTObjectClass<TUTObjectClassTexture>());
}

TEST_F(TextureClassesTest, LooksClassesUpWithoutRegardToCase) {
  RegisterTextureClasses();
  EXPECT_EQ(GetUTObjectClass("TEXTURE"), UTObjectClass<TUTObjectClassTexture>());
  EXPECT_EQ(GetUTObjectClass("tExTuRe"), UTObjectClass<TUTObjectClassTexture>());
  EXPECT_EQ(GetUTObjectClass("CubeMap"), UTObjectClass<TUTObjectClassCubeMap>());
  EXPECT_EQ(GetUTObjectClass("palette"), UTObjectClass<TUTObjectClassPalette>());
  EXPECT_EQ(GetUTObjectClass("FONT"), UTObjectClass<TUTObjectClassFont>());
  EXPECT_EQ(GetUTObjectClass("WetTexture"), UTObjectClass<TUTObjectClassWetTexture>());
  EXPECT_EQ(GetUTObjectClass("FinalBlend"), UTObjectClass<TUTObject>());
}

}  // namespace
}  // namespace packages
