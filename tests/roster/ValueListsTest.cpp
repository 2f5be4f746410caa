// The value lists as one set: their sections in the value-list file, the
// rules each list keeps, and what the setup windows' copies carry back.

#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "platform/IniFile.h"
#include "roster/PuValueLists.h"

using roster::TValueLists;
using Lines = std::vector<std::string>;

namespace {

class ValueListsTest : public roster_test::RosterTest {
 protected:
  void SetUp() override {
    RosterTest::SetUp();
    CacheIntFile("xGame.int", "[SPECIES_Jugg]\r\nSpeciesName=Juggernaut\r\n");
  }
};

TEST_F(ValueListsTest, EachListHasItsSectionWrittenInOrderAndReadBackWithItsOwnRules) {
  platform::TIniFile ini("");
  ini.SetText("[TEMPLATES]\r\nDEF1=Player=(DefaultName=\"Berserker\")\r\n");
  TValueLists lists;
  lists.Sex.Add("Male");
  lists.Menu.Add("SP");
  lists.Weapons.Add("xWeapons.RocketLauncher=Rocket");
  lists.Meshes.Add("Jugg.B=B");
  lists.Meshes.Add("Jugg.A=A");
  lists.Meshes.Add("JUGG.A=A");  // held already: a sorted list ignores it
  lists.Voice.Add("V.b=b");
  lists.Voice.Add("V.a=a");
  lists.Species.Add("xGame.SPECIES_Jugg=Juggernaut");
  lists.RagDoll.Add("Bot2=Bot2");
  lists.Texts.Add("XPlayers.Ann");  // never stored
  EXPECT_EQ(lists.Meshes.Lines(), (Lines{"Jugg.A=A", "Jugg.B=B"}));
  EXPECT_EQ(lists.Voice.Lines(), (Lines{"V.b=b", "V.a=a"}));

  lists.Save(ini);
  // An empty list leaves no section; the ragdolls go under "FRagdoll".
  EXPECT_EQ(ini.SectionNames(),
            (Lines{"TEMPLATES", "FSex", "FMenu", "FWeapons", "FMeshes", "FVoice", "FSpecies", "FRagdoll"}));
  EXPECT_EQ(ini.ReadSectionLines("FMeshes"), (Lines{"Jugg.A=A", "Jugg.B=B"}));

  // Read back, each section appends to its list, whatever the case of its
  // name; the menu and the species take only the keys, and a species whose
  // .int file is not cached goes.
  ini.SetText(
      "[fragdoll]\r\nB=B\r\nA=A\r\n[FMenu]\r\nSP=Single player\r\n[FVoice]\r\nV.b=b\r\nV.a=a\r\n"
      "[FSpecies]\r\nxGame.SPECIES_Jugg=Old name\r\nGone.SPECIES_X=X\r\n");
  TValueLists read;
  read.RagDoll.Add("C=C");
  read.Load(ini);
  EXPECT_EQ(read.RagDoll.Lines(), (Lines{"A=A", "B=B", "C=C"}));
  EXPECT_EQ(read.Menu.Lines(), (Lines{"SP=SP"}));
  EXPECT_EQ(read.Voice.Lines(), (Lines{"V.b=b", "V.a=a"}));
  EXPECT_EQ(read.Species.Lines(), (Lines{"xGame.SPECIES_Jugg=Juggernaut"}));
  EXPECT_EQ(read.Meshes.Count(), 0);
}

TEST_F(ValueListsTest, SetupWindowsCopyTheListsTheyEditAndHandThemBackUnderTheMainRules) {
  TValueLists main;
  main.Weapons.Add("xWeapons.RocketLauncher=Rocket");
  main.Sex.Add("Male");
  main.Meshes.Add("B.b=b");
  main.Meshes.Add("A.a=a");
  main.Skeleton.Add("K.a=a");
  main.Texts.Add("XPlayers.Ann");

  TValueLists copy(TValueLists::TRules::AsAdded);
  copy.AppendEdited(main, TValueLists::TTexts::Included);
  EXPECT_EQ(copy.Meshes.Lines(), main.Meshes.Lines());
  EXPECT_EQ(copy.Skeleton.Lines(), main.Skeleton.Lines());
  EXPECT_EQ(copy.Texts.Lines(), main.Texts.Lines());
  EXPECT_EQ(copy.Weapons.Count(), 0);  // the weapon, sex and menu lists stay out
  EXPECT_EQ(copy.Sex.Count(), 0);

  // The copy keeps what it is given, in order; the main lists sort and
  // drop repeats as they take it back.
  copy.Meshes.Add("C.c=c");
  copy.Meshes.Add("A.a=a");
  copy.Texts.Add("XPlayers.Bo");
  copy.Skeleton.Clear();
  EXPECT_EQ(copy.Meshes.Lines(), (Lines{"A.a=a", "B.b=b", "C.c=c", "A.a=a"}));
  main.AssignEdited(copy, TValueLists::TTexts::Left);
  EXPECT_EQ(main.Meshes.Lines(), (Lines{"A.a=a", "B.b=b", "C.c=c"}));
  EXPECT_EQ(main.Skeleton.Count(), 0);
  EXPECT_EQ(main.Texts.Lines(), (Lines{"XPlayers.Ann"}));
  EXPECT_EQ(main.Weapons.Lines(), (Lines{"xWeapons.RocketLauncher=Rocket"}));
  main.AssignEdited(copy, TValueLists::TTexts::Included);
  EXPECT_EQ(main.Texts.Lines(), (Lines{"XPlayers.Ann", "XPlayers.Bo"}));
}

}  // namespace
