#include <map>

#include <gtest/gtest.h>

#include "common/RealData.h"
#include "packages/PuUtPackages.h"

using namespace packages;

namespace {

struct RealPackage {
  const char* file;
  std::uint16_t version;
  int exports;
  std::map<std::string, int> byClass;  // only the classes worth checking
  std::vector<std::pair<int, std::string>> paths;  // export index, "class full.path"
};

std::string Describe(const TUTExportTableObjectData& e) { return e.GetClassName() + " " + e.GetFullPath(); }

class RealPackages : public ::testing::TestWithParam<RealPackage> {};

TEST_P(RealPackages, LoadListAndReadEveryExportsProperties) {
  const RealPackage& c = GetParam();
  REQUIRE_REALDATA(c.file);
  ClearUTObjectClasses();
  TUTPackage p(testing_support::RealDataPath(c.file));
  EXPECT_EQ(p.FileVersion(), c.version);
  ASSERT_EQ(p.ExportCount(), c.exports);
  std::map<std::string, int> byClass;
  for (int i = 0; i < p.ExportCount(); ++i) ++byClass[p.GetExport(i)->GetClassName()];
  for (const auto& [cls, count] : c.byClass) EXPECT_EQ(byClass[cls], count) << cls;
  for (const auto& [index, text] : c.paths) EXPECT_EQ(Describe(*p.GetExport(index)), text);

  int withData = 0;
  for (int i = 0; i < p.ExportCount(); ++i) {
    TUTExportTableObjectData& e = *p.GetExport(i);
    if (e.SerialSize <= 0) continue;
    ++withData;
    TUTObject& o = e.GetObject();
    ASSERT_NO_THROW(o.ReadObject(true)) << Describe(e);
    for (const auto& property : o.GetProperties()) EXPECT_NO_THROW(property->GetDescription()) << Describe(e);
    o.ReleaseObject();
    EXPECT_FALSE(o.Buffered());
  }
  EXPECT_GT(withData, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RealPackages,
    ::testing::Values(
        RealPackage{"pkg/ut99/Core.u", 69, 674, {{"Function", 164}, {"", 7}, {"TextBuffer", 7}, {"Enum", 1}},
                    {{0, "Struct Object.Vector"}, {560, "Function Object.Chr"}}},
        RealPackage{"pkg/ut99/Faces.utx", 63, 36, {{"Texture", 18}, {"Palette", 18}},
                    {{0, "Palette Palette17"}, {18, "Texture ivana"}}},
        RealPackage{"pkg/ut2004/TeamSymbols.utx", 127, 9, {{"Texture", 6}, {"FinalBlend", 3}},
                    {{0, "Texture TeamBeaconT"}, {8, "FinalBlend TeamBeaconMat"}}},
        RealPackage{"pkg/ut2004/T_Epic2k4BP2.utx", 128, 18, {{"Texture", 14}, {"Package", 4}},
                    {{0, "Package Walls"}, {9, "Texture Lights.BP2_Lights_clight1"}}},
        RealPackage{"pkg/ut2004/SniperAnims.ukx", 122, 2, {{"SkeletalMesh", 1}, {"MeshAnimation", 1}},
                    {{1, "SkeletalMesh SniperRifle_1st"}}},
        RealPackage{"pkg/ut2004_mod/Unflect.u", 128, 277, {{"", 19}, {"TextBuffer", 19}, {"Function", 25}},
                    {{46, "Struct Unflect.Array"}, {230, "ByteProperty UProperty.RepOffset"}}},
        RealPackage{"pkg/ut2004_mod/SmileSkins.utx", 128, 28, {{"Texture", 15}, {"Palette", 12}},
                    {{16, "Texture Smileys.19_GREENLI2"}}}),
    [](const auto& info) {
      std::string name = info.param.file;
      name = name.substr(name.rfind('/') + 1);
      for (char& ch : name)
        if (ch == '.' || ch == '_') ch = 'x';
      return name;
    });

TEST(RealPackages, ClassSuperPathsAndGames) {
  REQUIRE_REALDATA("pkg/ut2004_mod/Unflect.u");
  TUTPackage mod(testing_support::RealDataPath("pkg/ut2004_mod/Unflect.u"));
  EXPECT_EQ(mod.GetExport(138)->GetSuperPath(), "Core.Commandlet");
  EXPECT_EQ(mod.GetExport(138)->GetClassName(), "");
  // Licensee 29 is none of the codes the contents test knows.
  EXPECT_EQ(mod.Game(), gameUnknown);
  REQUIRE_REALDATA("pkg/ut2004/SniperAnims.ukx");
  TUTPackage anims(testing_support::RealDataPath("pkg/ut2004/SniperAnims.ukx"));
  EXPECT_EQ(anims.Game(), gameUT2003);
  EXPECT_EQ(anims.NativeFunctions().size(), NativesUT2003.size());
}

TEST(RealPackages, TexturePropertiesReadAsValues) {
  REQUIRE_REALDATA("pkg/ut2004/T_Epic2k4BP2.utx");
  ClearUTObjectClasses();
  TUTPackage p(testing_support::RealDataPath("pkg/ut2004/T_Epic2k4BP2.utx"));
  TUTObject& o = p.GetExport(p.FindExport("BP2_Walls_Cement01", "Texture"))->GetObject();
  o.ReadObject(true);
  const TUTPropertyList& l = o.GetProperties();
  EXPECT_EQ(l.Find("Detail")->GetDescription(), "Detail (Object) = Texture'UCGeneric.DetailTextures.detail13'");
  EXPECT_EQ(l.Find("DetailScale")->GetValueText(), "12.00");
  EXPECT_EQ(VariantToInteger(l.GetValue("USize")), 512);
  EXPECT_EQ(VariantToInteger(l.GetValue("Format")), 3);
  EXPECT_EQ(l.Find("InternalTime[1]")->ArrayIndex(), 1);
  o.ReleaseObject();
}

}  // namespace
