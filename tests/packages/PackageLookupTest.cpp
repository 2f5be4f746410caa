#include <gtest/gtest.h>

#include "PackageWriter.h"
#include "common/TempDir.h"
#include "common/TestNames.h"
#include "packages/PuUtPackages.h"

using namespace packages;
namespace pw = package_writer;
using testing_support::TempDir;

namespace {

// MyTex.Skins.Skin with a second export of the same name in another group.
struct Groups {
  Groups() {
    const int engine = w.Import("Core", "Package", 0, "Engine");
    const int texture = w.Import("Engine", "Class", engine, "Texture");
    const int package = w.Import("Core", "Class", w.Import("Core", "Package", 0, "Core"), "Package");
    skins = w.Export("Skins", package);
    faces = w.Export("Faces", package);
    skin = w.Export("Skin", texture, "", skins);
    faceSkin = w.Export("Skin", texture, "", faces);
    myClass = w.Export("MyActor", 0);
  }
  pw::TPackageWriter w{69};
  int skins, faces, skin, faceSkin, myClass;
};

TEST(ObjectPaths, DepthAndReferences) {
  TempDir dir;
  Groups g;
  TUTPackage p(g.w.Write(dir.file("MyTex.utx")));
  EXPECT_EQ(p.GetObjectPath(-1, g.faceSkin), "Faces.Skin");
  EXPECT_EQ(p.GetObjectPath(1, g.faceSkin), "Skin");
  EXPECT_EQ(p.GetObjectPath(2, g.faceSkin), "Faces.Skin");
  EXPECT_EQ(p.GetObjectPath(0, g.faceSkin), "");
  EXPECT_EQ(p.GetObjectPath(-1, 0), "");
  EXPECT_EQ(p.GetObjectPath(-1, -2), "Engine.Texture");
  // A reference outside the tables anywhere along the chain empties the path.
  EXPECT_EQ(p.GetObjectPath(-1, 99), "");
  EXPECT_EQ(p.GetObjectPath(-1, -99), "");
  EXPECT_EQ(p.GetExport(g.myClass - 1)->GetClassName(), "");
}

TEST(ObjectPaths, BrokenChainsEndAndBadNamesAreErrors) {
  TempDir dir;
  pw::TPackageWriter w(69);
  const int a = w.Export("A", 0);
  const int b = w.Export("B", 0, "", a);
  w.ExportAt(a).Package = b;  // A inside B inside A
  const int outside = w.Export("C", 0, "", 1000);
  const int self = w.Export("D", 0);
  w.ExportAt(self).Package = self;
  const std::string path = w.Write(dir.file("Loop.u"));
  TUTPackage p(path);
  EXPECT_EQ(p.GetObjectPath(-1, a), "");
  EXPECT_EQ(p.GetObjectPath(-1, self), "");
  EXPECT_EQ(p.GetObjectPath(2, a), "B.A");
  EXPECT_EQ(p.GetObjectPath(-1, outside), "");
  // Lookups that walk such chains simply find nothing.
  EXPECT_EQ(p.FindObject(tableExports, findPackagePath, "x", "", ""), -1);

  pw::TPackageWriter bad(69);
  const int e = bad.Export("E", 0);
  std::string bytes = bad.Build();
  // The export's name index (last byte of its entry but flags and size) points past the name table.
  const std::size_t nameField = bad.Layout().ExportOffset + 1 + 1 + 4;
  bytes[nameField] = 0x3F;
  const std::string badPath = dir.write("BadName.u", bytes);
  TUTPackage q(badPath);
  EXPECT_EQ(q.GetExport(e - 1)->GetObjectName(), "");
  EXPECT_THROW(q.GetObjectPath(-1, e), EUTReadError);
  EXPECT_EQ(q.FindObject(tableExports, findPackagePath | findObjectName, "", "E", ""), -1);
}

TEST(ObjectPaths, OverlongChainsAreBrokenPaths) {
  TempDir dir;
  pw::TPackageWriter w(69);
  int outer = 0;
  for (int i = 0; i < 5000; ++i) outer = w.Export("G" + std::to_string(i), 0, "", outer);
  TUTPackage p(w.Write(dir.file("Deep.u")));
  EXPECT_EQ(p.GetObjectPath(-1, 3), "G0.G1.G2");
  EXPECT_EQ(p.GetObjectPath(-1, outer), "");
  EXPECT_EQ(p.GetObjectPath(2, outer), "G4998.G4999");
  // Listing every path of such a file stays linear in its size.
  std::size_t total = 0;
  for (int i = 0; i < p.ExportCount(); ++i) total += p.GetExport(i)->GetFullPath().size();
  EXPECT_GT(total, 0u);
}

TEST(Lookups, FindExportAndFindObject) {
  TempDir dir;
  Groups g;
  TUTPackage p(g.w.Write(dir.file("MyTex.utx")));
  EXPECT_EQ(p.FindExport("SKIN", "texture"), g.skin - 1);
  EXPECT_EQ(p.FindExport("Skin", "Palette"), -1);
  // An empty class name finds class objects only.
  EXPECT_EQ(p.FindExport("MyActor", ""), g.myClass - 1);
  EXPECT_EQ(p.FindExport("Skins", ""), -1);
  const std::uint8_t all = findObjectName | findPackagePath | findClassName;
  EXPECT_EQ(p.FindObject(tableExports, all, "FACES", "skin", "Texture"), g.faceSkin - 1);
  EXPECT_EQ(p.FindObject(tableExports, findObjectName, "", "Skin", "", g.skin), g.faceSkin - 1);
  EXPECT_EQ(p.FindObject(tableExports, 0, "", "", "", 2), 2);
  EXPECT_EQ(p.FindObject(tableExports, 0, "", "", "", p.ExportCount()), -1);
  EXPECT_EQ(p.FindObject(tableNames, 0, "", "texture", ""), p.FindObject(tableNames, 0, "", "Texture", ""));
  EXPECT_EQ(p.FindObject(tableImports, findPackagePath | findObjectName, "engine", "Texture", ""), 1);
  EXPECT_EQ(p.FindObject(static_cast<TUTTable>(3), 0, "", "", ""), -1);
  EXPECT_TRUE(p.ImportsPackage("engine"));
  EXPECT_FALSE(p.ImportsPackage("Texture"));
}

// Game detection: (file name, licensee version, file version, flags, imported packages) -> game.
struct GameCase {
  const char* fileName;
  std::uint16_t licensee;
  std::uint16_t version;
  std::uint32_t flags;
  std::vector<const char*> imports;
  TUTGameCode game;
};

class GameDetection : public ::testing::TestWithParam<GameCase> {};

TEST_P(GameDetection, ByExtensionThenContents) {
  const GameCase& c = GetParam();
  TempDir dir;
  pw::TPackageWriter w(c.version, c.licensee);
  w.PackageFlags = c.flags;
  for (const char* name : c.imports) w.Import("Core", "Package", 0, name);
  w.Export("Thing", 0);
  TUTPackage p(w.Write(dir.file(c.fileName)));
  EXPECT_EQ(p.Game(), c.game) << c.fileName;
  EXPECT_EQ(p.NativeFunctions().size(), NativesForGame(c.game).size());
}

INSTANTIATE_TEST_SUITE_P(
    Packages, GameDetection,
    ::testing::Values(GameCase{"Map.unr", 0, 69, 1, {}, gameUnknown},
                      GameCase{"Anims.UKX", 0, 69, 1, {}, gameUT2003},
                      GameCase{"x.usx", 0, 69, 1, {}, gameUT2003},
                      GameCase{"x.sav", 0, 69, 1, {}, gameUndying},
                      GameCase{"x.rsa", 0, 69, 1, {}, gameRune},
                      GameCase{"x.nrf", 0, 69, 1, {}, gameNerf},
                      GameCase{"x.aao", 0, 69, 1, {}, gameArmyOperations},
                      GameCase{"x.Sac", 0, 69, 1, {}, gameUndying}, GameCase{"x.run", 0, 69, 1, {}, gameRune},
                      GameCase{"x.xcm", 0, 69, 1, {}, gameXComEnforcer},
                      GameCase{"x.wot", 0, 69, 1, {}, gameWheelOfTime}, GameCase{"x.un2", 0, 69, 1, {}, gameUT2003},
                      GameCase{"x.ut2", 0, 69, 1, {}, gameUT2003},
                      GameCase{"Mod.u", 0, 69, 1, {"RuneI", "Aeons"}, gameRune},
                      GameCase{"Aeons.u", 0, 69, 1, {"Botpack"}, gameUndying},
                      GameCase{"Botpack.u", 0, 69, 1, {}, gameUnrealTournament},
                      GameCase{"Mod.u", 0, 69, 1, {"Botpack", "Enforcer"}, gameXComEnforcer},
                      GameCase{"Mod.u", 0, 69, 1, {"nerfi"}, gameNerf},
                      GameCase{"Mod.u", 0, 69, 1, {"WoT"}, gameWheelOfTime},
                      GameCase{"Mod.u", 0, 83, 1, {}, gameUndying},
                      GameCase{"Mod.u", 0, 69, 0x21, {}, gameUndying},
                      GameCase{"Mod.u", 25, 118, 1, {}, gameUT2003},
                      GameCase{"Mod.u", 28, 118, 1, {"Botpack"}, gameUT2003},
                      GameCase{"Mod.u", 17, 118, 1, {}, gameArmyOperations},
                      GameCase{"Mod.u", 27, 118, 1, {}, gameUnknown}),
    [](const auto& info) {
      return testing_support::TestName(std::string(UTGameNames[info.param.game]) + " from " + info.param.fileName,
                                       info.index);
    });

TEST(GameDetection, AGivenGameSkipsDetectionAndAnEmptyPackageHasNoNatives) {
  TempDir dir;
  pw::TPackageWriter w(69);
  w.Export("Thing", 0);
  TUTPackage p(w.Write(dir.file("x.ukx")), gameNerf);
  EXPECT_EQ(p.Game(), gameNerf);
  EXPECT_EQ(p.NativeFunctions().size(), 230u);
  TUTPackage empty;
  EXPECT_TRUE(empty.NativeFunctions().empty());
  empty.SetNativeFunctions(NativesUT2003, 9);
  EXPECT_EQ(empty.NativeFunctions().size(), 10u);
  empty.SetNativeFunctions(NativesUT2003, 100000);
  EXPECT_EQ(empty.NativeFunctions().size(), 232u);
}

TEST(Quoting, DefaultAndEvent) {
  TUTPackage p;
  EXPECT_EQ(p.QuoteString(""), "\"\"");
  EXPECT_EQ(p.QuoteString("a b"), "\"a b\"");
  EXPECT_EQ(p.QuoteWideString(u"x"), u"\"x\"");
  p.OnQuoteString = [](const std::string& t) { return "<" + t + ">"; };
  EXPECT_EQ(p.QuoteString("a"), "<a>");
}

// Sibling packages: Mod.u imports Engine.Actor; Engine.u defines it.
class SiblingLookup : public ::testing::Test {
 protected:
  std::string WriteMod(const std::string& siblingName = "Engine") {
    pw::TPackageWriter w(69);
    const int engine = w.Import("Core", "Package", 0, siblingName);
    w.Import("Core", "Class", engine, "Actor");
    w.Export("MyActor", 0);
    return w.Write(dir.file("Mod.u"));
  }
  void WriteEngine(const std::string& fileName) {
    pw::TPackageWriter w(69);
    w.Export("Actor", 0);
    w.Export("Pawn", 0);
    w.Write(dir.file(fileName));
  }
  TempDir dir;
};

TEST_F(SiblingLookup, FollowsAnImportIntoTheSiblingFileFoundWithoutRegardToCase) {
  WriteEngine("ENGINE.U");
  TUTPackage p(WriteMod());
  TUTFoundObject found;
  ASSERT_TRUE(p.FindObjectAnywhere(findObjectName, "", "Actor", "", "", found));
  ASSERT_NE(found.Child, nullptr);
  EXPECT_EQ(found.Package, found.Child.get());
  EXPECT_EQ(found.Index, 0);
  EXPECT_EQ(found.Package->GetExport(0)->GetObjectName(), "Actor");

  TUTFoundObject local;
  ASSERT_TRUE(p.FindObjectAnywhere(findObjectName, "", "MyActor", "", "", local));
  EXPECT_EQ(local.Package, &p);
  EXPECT_EQ(local.Child, nullptr);

  // The owner's class leads to its package when the object itself is not imported.
  TUTFoundObject viaOwner;
  ASSERT_TRUE(p.FindObjectAnywhere(findObjectName, "", "Pawn", "", "Actor", viaOwner));
  EXPECT_EQ(viaOwner.Package->GetExport(viaOwner.Index)->GetObjectName(), "Pawn");

  p.SetSearchImports(false);
  TUTFoundObject none;
  EXPECT_FALSE(p.FindObjectAnywhere(findObjectName, "", "Actor", "", "", none));
  EXPECT_EQ(none.Package, nullptr);
  EXPECT_EQ(none.Index, -1);
}

TEST_F(SiblingLookup, OffersEverySiblingNameToTheRedirectEvent) {
  WriteEngine("Elsewhere.u");
  TUTPackage p(WriteMod());
  std::vector<std::string> offered;
  p.OnFileNotFound = [&](std::string& name) {
    offered.push_back(name);
    name = dir.file("Elsewhere.u");
  };
  TUTFoundObject found;
  EXPECT_TRUE(p.FindObjectAnywhere(findObjectName, "", "Actor", "", "", found));
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], dir.file("Engine.u"));
}

TEST_F(SiblingLookup, NamesFromTheFileNeverLeaveTheFolder) {
  TempDir outside;
  pw::TPackageWriter w(69);
  w.Export("Actor", 0);
  w.Write(outside.file("Engine.u"));
  for (const std::string& name : {"../" + outside.path() + "/Engine", outside.path() + "/Engine", std::string(".."),
                                 std::string("..\\Engine"), std::string("")}) {
    TUTPackage p(WriteMod(name));
    bool offered = false;
    p.OnFileNotFound = [&](std::string&) { offered = true; };
    TUTFoundObject found;
    EXPECT_FALSE(p.FindObjectAnywhere(findObjectName, "", "Actor", "", "", found)) << name;
    EXPECT_FALSE(offered) << name;
  }
}

TEST_F(SiblingLookup, PackagesThatImportThemselvesOrEachOtherEnd) {
  // A imports B.Thing, B imports A.Thing; neither defines it.
  for (const auto& [self, other] : {std::pair{"A", "B"}, std::pair{"B", "A"}}) {
    pw::TPackageWriter w(69);
    w.Import("Core", "Class", w.Import("Core", "Package", 0, other), "Thing");
    w.Import("Core", "Class", w.Import("Core", "Package", 0, self), "Thing");
    w.Export(std::string("In") + self, 0);
    w.Write(dir.file(std::string(self) + ".u"));
  }
  TUTPackage a(dir.file("A.u"));
  TUTFoundObject found;
  EXPECT_FALSE(a.FindObjectAnywhere(findObjectName, "", "Thing", "", "Thing", found));
  // What lies in the other package is still found.
  ASSERT_TRUE(a.FindObjectAnywhere(findObjectName, "", "InB", "", "Thing", found));
  EXPECT_EQ(found.Package->FileName(), dir.file("B.u"));
}

TEST_F(SiblingLookup, AMissingSiblingIsNotFoundAndABrokenOneIsAnError) {
  TUTPackage p(WriteMod());
  TUTFoundObject found;
  EXPECT_FALSE(p.FindObjectAnywhere(findObjectName, "", "Actor", "", "", found));
  // A folder of the sibling's name, in any case, is no sibling file either.
  for (const char* folder : {"Engine.u", "ENGINE.U"}) {
    std::filesystem::create_directory(dir.file(folder));
    EXPECT_FALSE(p.FindObjectAnywhere(findObjectName, "", "Actor", "", "", found)) << folder;
    std::filesystem::remove(dir.file(folder));
  }
  dir.write("Engine.u", "not a package");
  EXPECT_THROW(p.FindObjectAnywhere(findObjectName, "", "Actor", "", "", found), EInvalidUTPackage);
}

TEST(ChildPackages, TakeTheParentsGameAndSettingsButNotProgress) {
  TempDir dir;
  pw::TPackageWriter w(69);
  w.Export("Thing", 0);
  const std::string path = w.Write(dir.file("Child.u"));
  TUTPackage parent;
  parent.Load(path, gameNerf);
  parent.SetSearchImports(false);
  parent.SetKeepRawMipData(false);
  parent.OnQuoteString = [](const std::string& t) { return "'" + t + "'"; };
  bool progressed = false;
  parent.OnProgress = [&](TUTPackage&, int) { progressed = true; };
  progressed = false;
  auto child = TUTPackage::CreateChild(path, parent);
  EXPECT_FALSE(progressed);
  EXPECT_EQ(child->Game(), gameNerf);
  EXPECT_FALSE(child->SearchImports());
  EXPECT_FALSE(child->KeepRawMipData());
  EXPECT_EQ(child->QuoteString("x"), "'x'");
  EXPECT_FALSE(child->OnProgress);
  EXPECT_EQ(child->NativeFunctions().size(), 230u);
}

}  // namespace
