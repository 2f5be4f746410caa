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

TEST(StringListTest, SortedListOrdersByUpperCaseThenBytesAndKeepsItsDuplicateRule) {
  TStringList list(true);
  for (const char* s : {"b", "_x", "B", "a", "\xE9t\xE9", "Z", "[y"}) list.Add(s);
  EXPECT_EQ(list.Lines(), (Lines{"a", "B", "b", "Z", "[y", "_x", "\xE9t\xE9"}));
  EXPECT_EQ(list.IndexOf("z"), 3);
  TStringList ignore(true, TDuplicates::dupIgnore);
  ignore.Add("Jugg.A=A");
  ignore.Add("Aaa");
  EXPECT_EQ(ignore.Add("JUGG.A=A"), 1);
  EXPECT_EQ(ignore.Count(), 2);
  TStringList error(true, TDuplicates::dupError);
  error.Add("x");
  EXPECT_THROW(error.Add("X"), roster::EStringListError);
}

TEST(StringListTest, LooksUpLinesByReferenceOrDisplayName) {
  TStringList list;
  list.SetText("Jugg.JuggMaleA=Gorge\r\nplain\r\nMerc.X=Male=odd\r\n=Nameless\r\n");
  EXPECT_EQ(list.IndexOfName("jugg.juggmalea"), 0);
  EXPECT_EQ(list.IndexOfName("plain"), -1);
  EXPECT_EQ(list.IndexOfName(""), 3);
  EXPECT_EQ(list.IndexOfValue("GORGE"), 0);
  EXPECT_EQ(list.IndexOfValue("Male=odd"), 2);
  EXPECT_EQ(list.Values("Merc.X"), "Male=odd");
  EXPECT_EQ(list.Names(1), "");
}

TEST(StringListTest, SortingLaterSortsAndReplacingMovesTheLine) {
  TStringList list(false, TDuplicates::dupError);
  list.AssignLines({"c", "A", "b"});
  list.SetSorted(true);
  list.SetStrings(0, "d");
  EXPECT_EQ(list.Lines(), (Lines{"b", "c", "d"}));
  // A refused replacement loses nothing.
  EXPECT_THROW(list.SetStrings(0, "C"), roster::EStringListError);
  EXPECT_EQ(list.Lines(), (Lines{"b", "c", "d"}));
}

TEST(UtStringlistTest, BuildsReferenceLinesAndRefusesRepeats) {
  TUtStringlist list;
  TStringList& base = list;  // the windows add through either type
  for (const char* s : {"Jugg.JuggMaleA", "JUGG.JUGGMALEA", "Male", "A.b.c", "", "Male=Male"}) base.Add(s);
  EXPECT_EQ(list.Lines(), (Lines{"Jugg.JuggMaleA=JuggMaleA", "Male=Male", "A.b.c=b.c", "=", "Male=Male"}));
  EXPECT_EQ(list.Add("jugg.juggmalea"), -1);
  TUtStringlist sorted(true, TDuplicates::dupIgnore);
  sorted.Add("Skins.B");
  sorted.Add("skins.a");
  EXPECT_EQ(sorted.Add("SKINS.B=B"), 1);
  EXPECT_EQ(sorted.Lines(), (Lines{"skins.a=a", "Skins.B=B"}));
}

class SpeciesTest : public roster_test::RosterTest {};

TEST_F(SpeciesTest, TakesTheNameFromTheCachedFileUnderTheFilesOwnCase) {
  roster::GameFiles().IntFiles().Add("XGame.int", std::make_unique<roster::TIntFile>(roster::TIntFile::FromBytes(
                                             "/game/System/XGame.int",
                                             "[SPECIES_Jugg]\nSpeciesName=\"Juggernaut\"\n[SPECIES_Merc]\nOther=1\n"
                                             "[SPECIES_Odd]\nSpeciesName=\"\n[SPECIES_Bare]\nSpeciesName=Bare\n")));
  TUtStringlist list;
  for (const char* ref : {"xgame.SPECIES_Jugg", "xGame.SPECIES_Merc", "xGame.SPECIES_Odd", "xGame.SPECIES_Bare",
                          "NoDot", "Other.SPECIES_Jugg"})
    roster::AddSpeciesName(ref, list);
  EXPECT_EQ(list.Lines(), (Lines{"XGame.SPECIES_Jugg=Juggernaut", "XGame.SPECIES_Merc=SPECIES_Merc",
                                 "XGame.SPECIES_Odd=", "XGame.SPECIES_Bare=Bare"}));
  TUtStringlist noPackage;
  roster::AddSpeciesFromIntFile(roster::TIntFile::FromBytes("dir.d/NoExt", "[S]\nSpeciesName=N\n"), "S", noPackage);
  EXPECT_EQ(noPackage.Lines(), Lines{"S=N"});
}

}  // namespace
