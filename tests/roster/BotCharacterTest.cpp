#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "roster/PuBotCharacter.h"
#include "roster/RosterErrors.h"

using roster::TBotCharacter;
using Lines = std::vector<std::string>;

namespace {

const char* const kFreshLine =
    "Player=(DefaultName=\"NewBot\",Species=xGame.SPECIES_Jugg,Mesh=Jugg.JuggMaleA,"
    "BodySkin=PlayerSkins.JuggMaleABodyA,FaceSkin=PlayerSkins.JuggMaleAHeadA,Portrait=PlayerPictures.cJuggMaleAA,"
    "Text=XPlayers.Default,Sex=Male,Aggressiveness=+0.3,CombatStyle=+0.2,Menu=\"SP\")";

class BotCharacterTest : public roster_test::RosterTest {
 protected:
  static TBotCharacter Parsed(const std::string& line) {
    TBotCharacter bot;
    bot.SetPlayerLine(line);
    return bot;
  }
};

TEST_F(BotCharacterTest, FreshBotWritesTheDefaultsAndRoundTrips) {
  TBotCharacter bot;
  EXPECT_EQ(bot.LineIndex, -1);
  EXPECT_EQ(bot.GetPlayerLine(), kFreshLine);
  TBotCharacter again;
  again.SetPlayerLine(bot.GetPlayerLine());
  EXPECT_EQ(again.GetPlayerLine(), kFreshLine);
  EXPECT_DOUBLE_EQ(again.GetAggressiveness(), 0.3);
  EXPECT_DOUBLE_EQ(again.GetCombatStyle(), 0.2);
}

TEST_F(BotCharacterTest, ParsingResetsEverythingButLineIndex) {
  TBotCharacter bot;
  bot.SetPlayerLine(
      "Player=(DefaultName=\"Old\",FavoriteWeapon=XWeapons.FlakCannon,Skeleton=Sk.A,Voice=V.x,Ragdoll=R,"
      "bJumpy=1,Accuracy=1,Menu=\"BOSS\")");
  bot.LineIndex = 7;
  bot.SetPlayerLine("Player=(DefaultName=\"New\")");
  EXPECT_EQ(bot.GetDefaultName(), "New");
  EXPECT_EQ(bot.GetFavoriteWeapon(), "");
  EXPECT_EQ(bot.GetSkeleton(), "");
  EXPECT_EQ(bot.GetVoice(), "");
  EXPECT_EQ(bot.GetRagdoll(), "");
  EXPECT_FALSE(bot.GetJumpy());
  EXPECT_EQ(bot.GetAccuracy(), 0);
  EXPECT_EQ(bot.GetAggressiveness(), 0);  // not the 0.3 of a new bot
  EXPECT_EQ(bot.GetCombatStyle(), 0);
  EXPECT_EQ(bot.GetMenu(), "SP");
  EXPECT_EQ(bot.Text, "XPlayers.Default");
  EXPECT_EQ(bot.LineIndex, 7);
}

TEST_F(BotCharacterTest, SkillsAreClampedToTheirLimits) {
  const TBotCharacter bot = Parsed(
      "Player=(Accuracy=+7.5,Aggressiveness=-1,CombatStyle=-3,Tactics=-9,StrafingAbility=6,ReactionTime=-5.5)");
  EXPECT_EQ(bot.GetAccuracy(), 5);
  EXPECT_EQ(bot.GetAggressiveness(), 0);
  EXPECT_EQ(bot.GetCombatStyle(), -1);
  EXPECT_EQ(bot.GetTactics(), -5);
  EXPECT_EQ(bot.GetStrafingAbility(), 5);
  EXPECT_EQ(bot.GetReactionTime(), -5);
  TBotCharacter b;
  b.SetAggressiveness(1.5);
  b.SetCombatStyle(2);
  EXPECT_EQ(b.GetAggressiveness(), 1);
  EXPECT_EQ(b.GetCombatStyle(), 1);
}

TEST_F(BotCharacterTest, ItemsAreTrimmedAndMatchedByTheirBeginningWithoutCase) {
  const TBotCharacter bot = Parsed(
      "Player=( defaultname=\"Gorge\" , MESH=HumanMaleA.MercMaleD,\tMeshName=ignored.too, Sex=Female)");
  EXPECT_EQ(bot.GetDefaultName(), "Gorge");
  EXPECT_EQ(bot.GetMesh(), "ignored.too");  // "MeshName" begins with the key Mesh
  EXPECT_EQ(bot.GetSex(), "Female");
}

TEST_F(BotCharacterTest, OddItemsFollowTheFormatsRules) {
  EXPECT_EQ(Parsed("Player=(Mesh)").GetMesh(), "Mesh");
  EXPECT_EQ(Parsed("Player=(DefaultName=\"A,B\")").GetDefaultName(), "\"A");
  EXPECT_EQ(Parsed("Player=(Unknown=1,Sex=Female,)").GetSex(), "Female");
  EXPECT_EQ(Parsed("DefaultName=\"NoParens\"").GetDefaultName(), "NoParens");
  EXPECT_EQ(Parsed("").GetPlayerLine(), Parsed("Player=()").GetPlayerLine());
}

TEST_F(BotCharacterTest, JumpFlagIsWrittenOnlyWhenSet) {
  TBotCharacter bot = Parsed("Player=(bJumpy=1)");
  EXPECT_TRUE(bot.GetJumpy());
  EXPECT_NE(bot.GetPlayerLine().find(",bJumpy=1,"), std::string::npos);
  bot.SetPlayerLine("Player=(bJumpy=1,bJumpy=0)");
  EXPECT_FALSE(bot.GetJumpy());
  EXPECT_EQ(bot.GetPlayerLine().find("bJumpy"), std::string::npos);
}

TEST_F(BotCharacterTest, WritesEveryItemInItsOrder) {
  TBotCharacter bot;
  bot.SetDefaultName("Ann");
  bot.SetVoice("V.v");
  bot.SetSex("");
  bot.SetAccuracy(0.004);
  bot.SetAggressiveness(1);
  bot.SetStrafingAbility(-2);
  bot.SetCombatStyle(0);
  bot.SetTactics(0.25);
  bot.SetReactionTime(-0.125);
  bot.SetJumpy(true);
  bot.SetFavoriteWeapon("W.w");
  bot.SetMenu("");
  bot.SetSkeleton("S.s");
  bot.SetRagdoll("R.r");
  bot.Text = "";
  EXPECT_EQ(bot.GetPlayerLine(),
            "Player=(DefaultName=\"Ann\",Species=xGame.SPECIES_Jugg,Mesh=Jugg.JuggMaleA,"
            "BodySkin=PlayerSkins.JuggMaleABodyA,FaceSkin=PlayerSkins.JuggMaleAHeadA,"
            "Portrait=PlayerPictures.cJuggMaleAA,Text=,Voice=V.v,Sex=,Accuracy=+0.0,Aggressiveness=+1.0,"
            "StrafingAbility=-2.0,Tactics=+0.25,ReactionTime=-0.13,bJumpy=1,FavoriteWeapon=W.w,"
            "Menu=\"\",Skeleton=S.s,Ragdoll=R.r)");
}

// A missing Sex or Menu item reads as "Male" and "SP"; the game's own
// roster has many Menu="" bots that must not turn into "SP" bots on saving.
TEST_F(BotCharacterTest, EmptySexAndMenuSurviveSaveAndLoad) {
  const TBotCharacter bot = Parsed("Player=(DefaultName=\"Brock\",Sex=,Menu=\"\")");
  EXPECT_EQ(bot.GetSex(), "");
  EXPECT_EQ(bot.GetMenu(), "");
  const TBotCharacter again = Parsed(bot.GetPlayerLine());
  EXPECT_EQ(again.GetSex(), "");
  EXPECT_EQ(again.GetMenu(), "");
  const TBotCharacter missing = Parsed("Player=(DefaultName=\"Brock\")");
  EXPECT_EQ(missing.GetSex(), "Male");
  EXPECT_EQ(missing.GetMenu(), "SP");
}

TEST_F(BotCharacterTest, FullLineSurvivesWriteAndRead) {
  const std::string line =
      "Player=(DefaultName=\"Zed\",Species=xGame.SPECIES_Merc,Mesh=HumanMaleA.MercMaleD,"
      "BodySkin=PlayerSkins.MercMaleDBodyA,FaceSkin=PlayerSkins.MercMaleDHeadA,Portrait=PlayerPictures.cMercMaleDA,"
      "Text=XPlayers.Zed,Voice=XGame.MercMaleVoice,Sex=Male,Accuracy=-0.5,Aggressiveness=+0.75,"
      "StrafingAbility=+1.0,CombatStyle=-0.2,Tactics=+5.0,ReactionTime=+0.01,bJumpy=1,"
      "FavoriteWeapon=XWeapons.RocketLauncher,Menu=\"DUP\",Skeleton=SkA.Sk,Ragdoll=Male1)";
  EXPECT_EQ(Parsed(line).GetPlayerLine(), line);
}

TEST_F(BotCharacterTest, BiographyFollowsTheTextReference) {
  CacheIntFile("XPlayers.int", "[DecoText]\nDefault=\"Just a bot.|Nothing more.|\"\nZed=\"Zed's story\"\n");
  TBotCharacter bot;
  EXPECT_EQ(bot.GetBio(), (Lines{"Just a bot.", "Nothing more."}));
  bot.SetPlayerLine("Player=(Text=XPlayers.Zed)");
  EXPECT_EQ(bot.GetBio(), Lines{"Zed's story"});
  EXPECT_EQ(bot.Text, "XPlayers.Zed");
  // A line without a Text item has the default reference, and its
  // biography; not the previous bot's.
  bot.SetPlayerLine("Player=(DefaultName=\"Plain\")");
  EXPECT_EQ(bot.GetBio(), (Lines{"Just a bot.", "Nothing more."}));
  bot.SetPlayerLine("Player=(Text=Nowhere.Key)");
  EXPECT_EQ(bot.GetBio(), Lines{"Nowhere.Key"});
}

TEST_F(BotCharacterTest, QuotedTextIsResolvedAsWrittenAndStoredUnquoted) {
  CacheIntFile("XPlayers.int", "[DecoText]\nZed=\"Zed's story\"\n");
  const TBotCharacter bot = Parsed("Player=(Text=\"XPlayers.Zed\")");
  EXPECT_EQ(bot.Text, "XPlayers.Zed");
  EXPECT_EQ(bot.GetBio(), Lines{"\"XPlayers.Zed\""});
}

TEST_F(BotCharacterTest, WithoutTheFileTheBiographyIsTheReference) {
  EXPECT_EQ(TBotCharacter().GetBio(), Lines{"XPlayers.Default"});
}

TEST_F(BotCharacterTest, UnreadableNumberAsksOrRaises) {
  AnswerInputBoxes({"0.5"});
  const TBotCharacter asked = Parsed("Player=(DefaultName=\"A\",Accuracy=high)");
  EXPECT_EQ(asked.GetAccuracy(), 0.5);
  EXPECT_EQ(asked_.size(), 1u);
  TBotCharacter bot;
  EXPECT_THROW(bot.SetPlayerLine("Player=(DefaultName=\"B\",Tactics=+x,Sex=Female)"), roster::EConvertError);
  EXPECT_EQ(bot.GetDefaultName(), "B");  // fields before the bad one stay
  EXPECT_EQ(bot.GetSex(), "Male");
}

TEST_F(BotCharacterTest, EmptyNumberAsksInsteadOfReadingPastTheText) {
  AnswerInputBoxes({std::nullopt});
  TBotCharacter bot;
  EXPECT_THROW(bot.SetPlayerLine("Player=(Accuracy=)"), roster::EConvertError);
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0], "Illegal floating-point value detected!|Value :|");
}

}  // namespace
