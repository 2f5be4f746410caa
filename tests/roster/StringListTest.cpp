#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "roster/PuSpecies.h"
#include "roster/PuUtStringlist.h"
#include "roster/RosterErrors.h"

using roster::TDuplicates;
using roster::TStringList;
using roster::TUtStringlist;
using Lines = std::vector<std::string>;

namespace {

TEST(StringListTest, SortedListOrdersByUpperCaseThenBytes) {
  TStringList list(true);
  for (const char* s : {"b", "_x", "B", "a", "\xE9t\xE9", "Z", "[y"}) list.Add(s);
  // "_" (95) sorts after the letters once they are upper-cased; bytes above
  // 127 come last.
  EXPECT_EQ(list.Lines(), (Lines{"a", "B", "b", "Z", "[y", "_x", "\xE9t\xE9"}));
  EXPECT_EQ(list.IndexOf("z"), 3);
  EXPECT_EQ(list.IndexOf("missing"), -1);
}

TEST(StringListTest, SortedListHandlesDuplicatesByItsRule) {
  TStringList ignore(true, TDuplicates::dupIgnore);
  EXPECT_EQ(ignore.Add("Jugg.A=A"), 0);
  EXPECT_EQ(ignore.Add("Aaa"), 0);
  EXPECT_EQ(ignore.Add("JUGG.A=A"), 1);
  EXPECT_EQ(ignore.Count(), 2);
  TStringList error(true, TDuplicates::dupError);
  error.Add("x");
  EXPECT_THROW(error.Add("X"), roster::EStringListError);
  TStringList accept(true);
  accept.Add("x");
  accept.Add("X");
  EXPECT_EQ(accept.Lines(), (Lines{"X", "x"}));
}

TEST(StringListTest, UnsortedListKeepsItsOrderAndFindsWithoutCase) {
  TStringList list;
  list.SetText("Male=Male\r\nFemale=Female\r\nx\r\n");
  EXPECT_EQ(list.Lines(), (Lines{"Male=Male", "Female=Female", "x"}));
  EXPECT_EQ(list.IndexOf("FEMALE=female"), 1);
  list.Insert(0, "first");
  list.Exchange(0, 3);
  EXPECT_EQ(list.Lines(), (Lines{"x", "Male=Male", "Female=Female", "first"}));
  list.Delete(0);
  EXPECT_EQ(list.Text(), "Male=Male\r\nFemale=Female\r\nfirst\r\n");
  EXPECT_THROW(list.Delete(5), std::out_of_range);
}

TEST(StringListTest, LooksUpLinesByReferenceOrDisplayName) {
  TStringList list;
  list.AssignLines({"Jugg.JuggMaleA=Gorge", "plain", "Merc.X=Male=odd", "=Nameless"});
  EXPECT_EQ(list.IndexOfName("jugg.juggmalea"), 0);
  EXPECT_EQ(list.IndexOfName("plain"), -1);
  EXPECT_EQ(list.IndexOfName(""), 3);
  EXPECT_EQ(list.IndexOfValue("GORGE"), 0);
  EXPECT_EQ(list.IndexOfValue("Male=odd"), 2);
  EXPECT_EQ(list.Names(1), "");
  EXPECT_EQ(list.ValueFromIndex(1), "");
  EXPECT_EQ(list.Values("Merc.X"), "Male=odd");
  EXPECT_EQ(list.Values("none"), "");
}

TEST(StringListTest, SortingLaterSortsAndReplacingMovesTheLine) {
  TStringList list;
  list.AssignLines({"c", "A", "b"});
  list.SetSorted(true);
  EXPECT_EQ(list.Lines(), (Lines{"A", "b", "c"}));
  list.SetStrings(0, "d");
  EXPECT_EQ(list.Lines(), (Lines{"b", "c", "d"}));
}

TEST(UtStringlistTest, BuildsReferenceLinesAndRefusesRepeats) {
  TUtStringlist list;
  EXPECT_EQ(list.Add("Jugg.JuggMaleA"), 0);
  EXPECT_EQ(list.Add("Jugg.JuggMaleA"), -1);
  EXPECT_EQ(list.Add("JUGG.JUGGMALEA"), -1);
  EXPECT_EQ(list.Add("Male"), 1);
  EXPECT_EQ(list.Add("A.b.c"), 2);
  EXPECT_EQ(list.Add(""), 3);
  EXPECT_EQ(list.Add("Male=Male"), 4);  // a line with "=" goes in unchanged
  EXPECT_EQ(list.Lines(), (Lines{"Jugg.JuggMaleA=JuggMaleA", "Male=Male", "A.b.c=b.c", "=", "Male=Male"}));
}

TEST(UtStringlistTest, SortedListKeepsItsOwnRuleForLinesWithEquals) {
  TUtStringlist list(true, TDuplicates::dupIgnore);
  list.Add("Skins.B");
  list.Add("skins.a");
  EXPECT_EQ(list.Add("SKINS.B=B"), 1);
  EXPECT_EQ(list.Lines(), (Lines{"skins.a=a", "Skins.B=B"}));
}

TEST(UtStringlistTest, AddThroughTheBaseClassStillBuildsTheLine) {
  TUtStringlist list;
  TStringList& base = list;
  base.Add("xGame.SPECIES_Jugg");
  EXPECT_EQ(list[0], "xGame.SPECIES_Jugg=SPECIES_Jugg");
}

class SpeciesTest : public roster_test::RosterTest {
 protected:
  void SetUp() override {
    RosterTest::SetUp();
    roster::IntFileList().Add("XGame.int", std::make_unique<roster::TIntFile>(roster::TIntFile::FromBytes(
                                               "/game/System/XGame.int",
                                               "[SPECIES_Jugg]\nSpeciesName=\"Juggernaut\"\n[SPECIES_Merc]\n"
                                               "Other=1\n[SPECIES_Odd]\nSpeciesName=\"\n[SPECIES_Bare]\n"
                                               "SpeciesName=Bare Name\n")));
  }
  TUtStringlist list_;
};

TEST_F(SpeciesTest, TakesTheNameFromTheCachedFile) {
  roster::AddSpeciesName("xgame.SPECIES_Jugg", list_);
  roster::AddSpeciesName("xGame.SPECIES_Merc", list_);
  roster::AddSpeciesName("xGame.SPECIES_Odd", list_);
  roster::AddSpeciesName("xGame.SPECIES_Bare", list_);
  EXPECT_EQ(list_.Lines(), (Lines{"XGame.SPECIES_Jugg=Juggernaut", "XGame.SPECIES_Merc=SPECIES_Merc",
                                  "XGame.SPECIES_Odd=", "XGame.SPECIES_Bare=Bare Name"}));
}

TEST_F(SpeciesTest, UnknownReferencesAddNothing) {
  roster::AddSpeciesName("NoDot", list_);
  roster::AddSpeciesName("Other.SPECIES_Jugg", list_);
  EXPECT_TRUE(list_.Empty());
}

TEST_F(SpeciesTest, FileWithoutExtensionGivesNoPackagePart) {
  const roster::TIntFile file = roster::TIntFile::FromBytes("dir.d/NoExt", "[S]\nSpeciesName=N\n");
  roster::AddSpeciesFromIntFile(file, "S", list_);
  EXPECT_EQ(list_.Lines(), Lines{"S=N"});
}

}  // namespace
