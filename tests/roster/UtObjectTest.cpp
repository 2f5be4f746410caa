#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "roster/PuUtObject.h"

using roster::TMyUtObject;

namespace {

struct ObjectCase {
  const char* line;
  const char* name;
  const char* objectClass;
  const char* metaClass;
};

class ObjectLineTest : public ::testing::TestWithParam<ObjectCase> {};

TEST_P(ObjectLineTest, FillsTheFieldsFromItsItems) {
  TMyUtObject o;
  o.ParseObjectLine(GetParam().line);
  EXPECT_EQ(o.GetName(), GetParam().name);
  EXPECT_EQ(o.GetObjectClass(), GetParam().objectClass);
  EXPECT_EQ(o.GetMetaClass(), GetParam().metaClass);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ObjectLineTest,
    ::testing::Values(
        ObjectCase{"(Name=XWeapons.FlakCannon,Class=Class,MetaClass=Engine.Weapon)", "XWeapons.FlakCannon", "Class",
                   "Engine.Weapon"},
        ObjectCase{"(Name=XWeapons.FlakCannon, Class=Class, MetaClass=Engine.Weapon)", "XWeapons.FlakCannon", "Class",
                   "Engine.Weapon"},
        ObjectCase{"(name=a.b,class=Class,metaclass=Engine.Weapon)", "", "", ""},
        ObjectCase{"(Name=\"Quoted.Name\",MetaClass=\"Engine.Weapon\")", "Quoted.Name", "", "Engine.Weapon"},
        ObjectCase{"(NameX=y)", "y", "", ""}, ObjectCase{"", "", "", ""}, ObjectCase{"()", "", "", ""},
        ObjectCase{" (Name=a)", "", "", ""}));

TEST(ObjectLineTest, ReadsTheDescriptionUnderItsOwnSpelling) {
  TMyUtObject o;
  o.ParseObjectLine("(Name=a.b,Destription=\"A gun\",Description=other)");
  EXPECT_EQ(o.GetDescription(), "A gun");
}

class UtObjectsTest : public roster_test::RosterTest {};

TEST_F(UtObjectsTest, CollectsObjectsWithTheirItemNames) {
  CacheIntFile("XWeapons.int",
               "[Public]\nObject=(Name=XWeapons.FlakCannon,Class=Class,MetaClass=Engine.Weapon)\n"
               "Object=(Name=XWeapons.Unnamed,Class=Class,MetaClass=Engine.Weapon)\n"
               "Object=(Name=XWeapons.Odd,Class=Class,MetaClass=Engine.Weapon)\n"
               "[FlakCannon]\nItemName=\"Flak Cannon\"\n[Unnamed]\nDescription=x\n[Odd]\nItemName=\"\n");
  roster::LoadUtObjects("XWeapons.int");
  const roster::TUtObjectList& objects = roster::UtObjectList();
  ASSERT_EQ(objects.Count(), 3);
  const TMyUtObject* flak = objects.Find("xweapons.flakcannon");
  ASSERT_NE(flak, nullptr);
  EXPECT_EQ(flak->ItemName, "Flak Cannon");
  EXPECT_EQ(flak->GetMetaClass(), "Engine.Weapon");
  EXPECT_EQ(objects.Find("XWeapons.Unnamed")->ItemName, "");
  EXPECT_EQ(objects.Find("XWeapons.Odd")->ItemName, "");
}

TEST_F(UtObjectsTest, FirstDeclarationWinsAndLoadingGoesOn) {
  CacheIntFile("A.int", "[Public]\nObject=(Name=Pkg.Gun,MetaClass=Engine.Weapon)\n[Gun]\nItemName=First\n");
  CacheIntFile("B.int",
               "[Public]\nObject=(Name=PKG.GUN,MetaClass=Other)\nObject=(Class=Class)\n"
               "Object=(Name=Pkg.Later,MetaClass=Engine.Weapon)\n");
  roster::LoadAllUtObjects();
  const roster::TUtObjectList& objects = roster::UtObjectList();
  ASSERT_EQ(objects.Count(), 2);
  EXPECT_EQ(objects.Find("Pkg.Gun")->ItemName, "First");
  EXPECT_EQ(objects.Find("Pkg.Gun")->GetMetaClass(), "Engine.Weapon");
  EXPECT_NE(objects.Find("Pkg.Later"), nullptr);
}

TEST_F(UtObjectsTest, UncachedFileAddsNothing) {
  roster::LoadUtObjects("Nowhere.int");
  EXPECT_EQ(roster::UtObjectList().Count(), 0);
}

}  // namespace
