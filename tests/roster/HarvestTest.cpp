// Harvesting a folder's rosters: what reaches each list, what is left out,
// and that nobody is asked about a roster they did not open.

#include <chrono>

#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "common/TempDir.h"
#include "roster/PuRosterHarvest.h"
#include "roster/PuValueItem.h"

using roster::TStringList;
using roster::TUtStringlist;
using Lines = std::vector<std::string>;

namespace {

class HarvestTest : public roster_test::RosterTest {
 protected:
  TStringList Skins, Faces, Meshes, Voices, RagDolls, Portraits, Skeletons, Bios;
  roster::THarvestLists Harvest{Skins, Faces, Meshes, Voices, RagDolls, Portraits, Skeletons, Bios};

  roster::TRosterScan Scan() {
    roster::THarvester harvest(Harvest);
    return roster::ScanRosters(Dir.path(), [&harvest](const roster::TBotCharacter& bot) { harvest.Add(bot); });
  }

  testing_support::TempDir Dir;
};

TEST_F(HarvestTest, TwoRostersGiveEachReferenceOnceAndABadNumberSkipsOnlyItsLine) {
  Dir.write("b.upl",
            "[Public]\r\n"
            "Player=(DefaultName=\"Bad\",Mesh=Bad.Mesh,Tactics=x1)\r\n"
            "Player=(DefaultName=\"Plus\",Mesh=Bad.Plus,Accuracy=+x)\r\n"
            "player=(DefaultName=\"Ann\",Mesh=jugg.juggmalea,Voice= ,Text=XPlayers.Ann,Ragdoll=Bot2)\r\n");
  Dir.write("A.upl",
            "; a comment\r\n[Public]\r\n"
            "Player=(DefaultName=\"Bo\",Mesh=Jugg.JuggMaleA,Voice=xGame.MercMaleVoice,Skeleton=S.Skel,"
            "Species=xGame.SPECIES_Merc,Text=XPlayers.Default)\r\n"
            "Player=(DefaultName=\"Cy\",Text=XPlayers.Default)\r\n");
  Dir.write("notes.txt", "Player=(Mesh=Not.A.Roster)\r\n");
  Dir.write("c.upl", std::string("\xFF\xFEP\0l\0", 6));  // UTF-16: no roster of the game's

  const roster::TRosterScan scan = Scan();
  EXPECT_EQ(scan.Files, (Lines{"A.upl", "b.upl", "c.upl"}));
  EXPECT_EQ(scan.SkippedLines, 2);
  EXPECT_EQ(scan.UnreadableFiles, 1);
  EXPECT_EQ(roster::SkippedReport(scan),
            "2 roster line(s) held a value that could not be read and were left out. 1 roster(s) could not be read.");
  EXPECT_EQ(Meshes.Lines(), (Lines{"Jugg.JuggMaleA=Jugg.JuggMaleA"}));
  EXPECT_EQ(Voices.Lines(), (Lines{"xGame.MercMaleVoice=xGame.MercMaleVoice"}));
  EXPECT_EQ(Skeletons.Lines(), (Lines{"S.Skel=S.Skel"}));
  EXPECT_EQ(RagDolls.Lines(), (Lines{"Bot2=Bot2"}));
  EXPECT_EQ(Skins.Lines(), (Lines{"PlayerSkins.JuggMaleABodyA=PlayerSkins.JuggMaleABodyA"}));
  EXPECT_EQ(Bios.Lines(), (Lines{"XPlayers.Default", "XPlayers.Ann"}));

  // A second run adds nothing at all.
  Scan();
  EXPECT_EQ(Meshes.Count(), 1);
  EXPECT_EQ(Bios.Count(), 2);
  EXPECT_EQ(Faces.Count(), 1);
  EXPECT_EQ(Portraits.Count(), 1);
}

TEST_F(HarvestTest, AFolderWithoutRostersChangesNothing) {
  Meshes.Add("Kept=Kept");
  roster::THarvester harvest(Harvest);
  const roster::TRosterScan scan =
      roster::ScanRosters(Dir.file("missing"), [&harvest](const auto& bot) { harvest.Add(bot); });
  EXPECT_TRUE(scan.Files.empty());
  EXPECT_EQ(Meshes.Lines(), (Lines{"Kept=Kept"}));
}

TEST_F(HarvestTest, ContentCheckKeepsEveryReferenceOnceWhateverItsDisplayName) {
  CacheIntFile("xGame.int", "[SPECIES_Merc]\r\nSpeciesName=\"Mercenary\"\r\n");
  TUtStringlist species, meshes, faces, skins, voices, portraits, ragdolls, skeletons;
  TStringList bios;
  voices.Add("xGame.MercMaleVoice=Merc (male)");
  species.Add("xGame.SPECIES_Merc=Mercenaries");
  roster::THarvester collect(
      roster::TContentLists{species, meshes, faces, skins, voices, portraits, bios, ragdolls, skeletons});
  roster::TBotCharacter bot;
  bot.SetPlayerLine("(Mesh= Jugg.JuggMaleA ,Voice=XGAME.MERCMALEVOICE,Species=xgame.species_merc,"
                    "Text=XPlayers.Ann,Skeleton=S.Skel)");
  collect.Add(bot);
  collect.Add(bot);
  bot.SetPlayerLine("(Species=Aliens.SPECIES_Alien,Text=,Mesh=Jugg.JUGGMALEA)");
  collect.Add(bot);
  EXPECT_EQ(voices.Lines(), (Lines{"xGame.MercMaleVoice=Merc (male)"}));
  EXPECT_EQ(species.Lines(), (Lines{"xGame.SPECIES_Merc=Mercenaries"}));  // Aliens.int is not cached
  EXPECT_EQ(meshes.Lines(), (Lines{"Jugg.JuggMaleA=JuggMaleA"}));
  EXPECT_EQ(skeletons.Lines(), (Lines{"S.Skel=Skel"}));
  EXPECT_EQ(bios.Lines(), (Lines{"XPlayers.Ann"}));
  EXPECT_EQ(ragdolls.Count(), 0);
}

TEST_F(HarvestTest, AValueThatCannotBeAListLineIsNeitherHarvestedNorCollected) {
  // "=" would split the line anywhere else than after the reference, so
  // the name never matches and every run would add the line again.
  Dir.write("odd.upl", std::string("[Public]\r\nPlayer=(DefaultName=\"Odd\",Mesh=Jugg.A=B,Voice=V.x\x01y,"
                                   "Ragdoll=R=1,Skeleton=S.Skel,Species=xGame.SPECIES_Merc=M)\r\n"));
  TUtStringlist species, meshes, faces, skins, voices, portraits, ragdolls, skeletons;
  TStringList bios;
  const roster::TContentLists lists{species, meshes, faces, skins, voices, portraits, bios, ragdolls, skeletons};
  for (int run = 0; run < 2; ++run) {
    Scan();
    roster::THarvester collect(lists);
    roster::ScanRosters(Dir.path(), [&](const roster::TBotCharacter& bot) { collect.Add(bot); });
  }
  EXPECT_EQ(Meshes.Count(), 0);
  EXPECT_EQ(Voices.Count(), 0);
  EXPECT_EQ(RagDolls.Count(), 0);
  EXPECT_EQ(Skeletons.Lines(), (Lines{"S.Skel=S.Skel"}));
  EXPECT_EQ(meshes.Count(), 0);
  EXPECT_EQ(voices.Count(), 0);
  EXPECT_EQ(ragdolls.Count(), 0);
  EXPECT_EQ(species.Count(), 0);
  EXPECT_EQ(skeletons.Lines(), (Lines{"S.Skel=Skel"}));
}

TEST_F(HarvestTest, TensOfThousandsOfNewReferencesAreHarvestedInOnePass) {
  // A folder of mod rosters: every bot has looks of its own.
  constexpr int bots = 25000;
  std::string text = "[Public]\r\n";
  for (int i = 0; i < bots; ++i) {
    const std::string id = std::to_string(i);
    text += "Player=(DefaultName=\"Bot" + id + "\",BodySkin=ModSkins.Body" + id + ",FaceSkin=ModSkins.Head" + id +
            ",Portrait=ModPictures.Bot" + id + ",Text=ModBios.Bot" + id + ")\r\n";
  }
  Dir.write("mods.upl", text);
  // Names the lists hold already, in other letter case, are not added again.
  Skins.Add("MODSKINS.BODY7=Body seven");
  Bios.Add("modbios.bot7");
  TUtStringlist faces;
  faces.Add("modskins.head7=Head seven");
  TUtStringlist species, meshes, skins, voices, portraits, ragdolls, skeletons;
  TStringList bios;

  const auto start = std::chrono::steady_clock::now();
  Scan();
  roster::THarvester collect(
      roster::TContentLists{species, meshes, faces, skins, voices, portraits, bios, ragdolls, skeletons});
  roster::ScanRosters(Dir.path(), [&](const roster::TBotCharacter& bot) { collect.Add(bot); });
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

  EXPECT_EQ(Skins.Count(), bots);
  EXPECT_EQ(Skins[0], "MODSKINS.BODY7=Body seven");
  EXPECT_EQ(Faces.Count(), bots);
  EXPECT_EQ(Portraits.Count(), bots);
  EXPECT_EQ(Bios.Count(), bots);
  EXPECT_EQ(Bios.IndexOf("ModBios.Bot7"), 0);
  EXPECT_EQ(faces.Count(), bots);
  EXPECT_EQ(faces[0], "modskins.head7=Head seven");
  EXPECT_EQ(faces[1], "ModSkins.Head0=Head0");
  EXPECT_EQ(bios.Count(), bots);
}

struct TItemCase {
  const char* Label;
  const char* Name;
  bool NeedsPackage;
  bool Accepted;
};

class ItemNameTest : public ::testing::TestWithParam<TItemCase> {};

TEST_P(ItemNameTest, IsJudgedAsAValueListLineNeedsIt) {
  EXPECT_EQ(roster::ItemNameError(GetParam().Name, GetParam().NeedsPackage).empty(), GetParam().Accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ItemNameTest,
    ::testing::Values(TItemCase{"Reference", "Jugg.JuggMaleA", true, true},
                      TItemCase{"BlanksAround", "  Jugg.A  ", true, true},
                      TItemCase{"Blank", " \t", false, false},
                      TItemCase{"HoldsEquals", "Jugg.A=B", false, false},
                      TItemCase{"HoldsLineBreak", "Jugg.A\r\nB", false, false},
                      // Mesh="Jugg.A",Mesh" in a bot's line would set the mesh twice.
                      TItemCase{"HoldsQuote", "Jugg.A\",Mesh", true, false},
                      TItemCase{"NoDotWhereNeeded", "JuggMaleA", true, false},
                      TItemCase{"DotAtEnd", "Jugg.", true, false},
                      TItemCase{"NoDotWhereNotNeeded", "Bot2", false, true}),
    [](const ::testing::TestParamInfo<TItemCase>& info) { return std::string(info.param.Label); });

TEST(TranslationTest, RefusesOnlyWhatBreaksTheLine) {
  EXPECT_TRUE(roster::TranslationError("Gorge = green, big").empty());
  EXPECT_TRUE(roster::TranslationError("").empty());
  EXPECT_FALSE(roster::TranslationError("two\nlines").empty());
}

}  // namespace
