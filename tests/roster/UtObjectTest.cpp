#include <array>

#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "common/TestNames.h"
#include "roster/PuUtObject.h"

using roster::TMyUtObject;

namespace {

class ObjectLineTest : public ::testing::TestWithParam<std::array<const char*, 4>> {};

TEST_P(ObjectLineTest, FillsTheFieldsFromItsItems) {
  const auto& [line, name, objectClass, metaClass] = GetParam();
  TMyUtObject o;
  o.ParseObjectLine(line);
  EXPECT_EQ(o.GetName(), name);
  EXPECT_EQ(o.GetObjectClass(), objectClass);
  EXPECT_EQ(o.GetMetaClass(), metaClass);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ObjectLineTest,
    ::testing::ValuesIn(std::vector<std::array<const char*, 4>>{
        {"(Name=XWeapons.FlakCannon,Class=Class,MetaClass=Engine.Weapon)", "XWeapons.FlakCannon", "Class",
         "Engine.Weapon"},
        {"(Name=XWeapons.FlakCannon, Class=Class, MetaClass=Engine.Weapon)", "XWeapons.FlakCannon", "Class",
         "Engine.Weapon"},
        {"(name=a.b,class=Class,metaclass=Engine.Weapon)", "", "", ""},
        {"(Name=\"Quoted.Name\",MetaClass=\"Engine.Weapon\")", "Quoted.Name", "", "Engine.Weapon"},
        {"(NameX=y)", "y", "", ""}, {"", "", "", ""}, {" (Name=a)", "", "", ""},
        {"(Name=a.b,MetaClass=Engine.Weapon) \t", "a.b", "", "Engine.Weapon"}}),
    [](const auto& info) { return testing_support::TestName(info.param[0], info.index); });

class UtObjectsTest : public roster_test::RosterTest {};

TEST_F(UtObjectsTest, CollectsObjectsWithTheirItemNames) {
  CacheIntFile("XWeapons.int",
               "[Public]\nObject=(Name=XWeapons.FlakCannon,Class=Class,MetaClass=Engine.Weapon,Destription=\"Boom\")\n"
               "Object=(Name=XWeapons.Unnamed)\nObject=(Name=XWeapons.Odd)\n"
               "[FlakCannon]\nItemName=\"Flak Cannon\"\n[Unnamed]\nDescription=x\n[Odd]\nItemName=\"\n");
  roster::GameFiles().LoadUtObjects("XWeapons.int");
  roster::GameFiles().LoadUtObjects("Nowhere.int");
  const roster::TUtObjectList& objects = roster::GameFiles().UtObjects();
  ASSERT_EQ(objects.Count(), 3);
  const TMyUtObject* flak = objects.Find("xweapons.flakcannon");
  ASSERT_NE(flak, nullptr);
  EXPECT_EQ(flak->ItemName, "Flak Cannon");
  EXPECT_EQ(flak->GetDescription(), "Boom");
  EXPECT_EQ(objects.Find("XWeapons.Unnamed")->ItemName, "");
  EXPECT_EQ(objects.Find("XWeapons.Odd")->ItemName, "");
}

TEST_F(UtObjectsTest, FirstDeclarationWinsAndLoadingGoesOn) {
  CacheIntFile("A.int", "[Public]\nObject=(Name=Pkg.Gun,MetaClass=Engine.Weapon)\n[Gun]\nItemName=First\n");
  CacheIntFile("B.int",
               "[Public]\nObject=(Name=PKG.GUN,MetaClass=Other)\nObject=(Class=Class)\nObject=(Name=Pkg.Later)\n");
  roster::GameFiles().LoadAllUtObjects();
  const roster::TUtObjectList& objects = roster::GameFiles().UtObjects();
  ASSERT_EQ(objects.Count(), 2);
  EXPECT_EQ(objects.Find("Pkg.Gun")->GetMetaClass(), "Engine.Weapon");
  EXPECT_NE(objects.Find("Pkg.Later"), nullptr);
}

}  // namespace
