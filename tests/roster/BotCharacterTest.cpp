#include <chrono>

#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "common/RealData.h"
#include "platform/TextFile.h"
#include "roster/LineParts.h"
#include "roster/PuBotCharacter.h"
#include "roster/RosterErrors.h"

using roster::TBotCharacter;
using Lines = std::vector<std::string>;

namespace {

class BotCharacterTest : public roster_test::RosterTest {
 protected:
  static TBotCharacter Parsed(const std::string& line) {
    TBotCharacter bot;
    bot.SetPlayerLine(line);
    return bot;
  }
};

TEST_F(BotCharacterTest, FreshBotWritesTheDefaultsAndRoundTrips) {
  const std::string fresh =
      "Player=(DefaultName=\"NewBot\",Species=xGame.SPECIES_Jugg,Mesh=Jugg.JuggMaleA,"
      "BodySkin=PlayerSkins.JuggMaleABodyA,FaceSkin=PlayerSkins.JuggMaleAHeadA,Portrait=PlayerPictures.cJuggMaleAA,"
      "Text=XPlayers.Default,Sex=Male,Aggressiveness=+0.3,CombatStyle=+0.2,Menu=\"SP\")";
  EXPECT_EQ(TBotCharacter().GetPlayerLine(), fresh);
  EXPECT_EQ(Parsed(fresh).GetPlayerLine(), fresh);
}

TEST_F(BotCharacterTest, FullLineRoundTripsAndParsingResetsWhatItLacks) {
  const std::string full =
      "Player=(DefaultName=\"Zed\",Species=xGame.SPECIES_Merc,Mesh=HumanMaleA.MercMaleD,"
      "BodySkin=PlayerSkins.MercMaleDBodyA,FaceSkin=PlayerSkins.MercMaleDHeadA,Portrait=PlayerPictures.cMercMaleDA,"
      "Text=XPlayers.Zed,Voice=XGame.MercMaleVoice,Sex=Male,Accuracy=-0.5,Aggressiveness=+0.75,"
      "StrafingAbility=+1.0,CombatStyle=-0.2,Tactics=+5.0,ReactionTime=+0.01,bJumpy=1,"
      "FavoriteWeapon=XWeapons.RocketLauncher,Menu=\"DUP\",Skeleton=SkA.Sk,Ragdoll=Male1)";
  TBotCharacter bot = Parsed(full);
  EXPECT_EQ(bot.GetPlayerLine(), full);
  bot.LineIndex = 7;
  bot.SetPlayerLine("Player=(DefaultName=\"New\")");
  EXPECT_EQ(bot.GetPlayerLine(),
            "Player=(DefaultName=\"New\",Species=xGame.SPECIES_Jugg,Mesh=Jugg.JuggMaleA,"
            "BodySkin=PlayerSkins.JuggMaleABodyA,FaceSkin=PlayerSkins.JuggMaleAHeadA,"
            "Portrait=PlayerPictures.cJuggMaleAA,Text=XPlayers.Default,Sex=Male,Menu=\"SP\")");
  EXPECT_EQ(bot.LineIndex, 7);
}

TEST_F(BotCharacterTest, SkillsAreClampedAndWrittenWhenNotZero) {
  TBotCharacter bot = Parsed(
      "Player=(Accuracy=+7.5,Aggressiveness=-1,CombatStyle=-3,Tactics=-9,StrafingAbility=6,ReactionTime=-5.5)");
  EXPECT_EQ(bot.GetAccuracy(), 5);
  EXPECT_EQ(bot.GetAggressiveness(), 0);
  EXPECT_EQ(bot.GetCombatStyle(), -1);
  EXPECT_EQ(bot.GetTactics(), -5);
  EXPECT_EQ(bot.GetStrafingAbility(), 5);
  EXPECT_EQ(bot.GetReactionTime(), -5);
  bot.SetAccuracy(0.004);
  bot.SetAggressiveness(1.5);
  bot.SetReactionTime(-0.125);
  const std::string line = bot.GetPlayerLine();
  EXPECT_NE(line.find(",Accuracy=+0.0,Aggressiveness=+1.0,StrafingAbility=+5.0,CombatStyle=-1.0,Tactics=-5.0,"
                      "ReactionTime=-0.13,"),
            std::string::npos)
      << line;
}

TEST_F(BotCharacterTest, ItemsAreTrimmedAndMatchedByTheirBeginningWithoutCase) {
  const TBotCharacter bot =
      Parsed("Player=( defaultname=\"Gorge\" , MESH=HumanMaleA.MercMaleD,\tMeshName=taken.too, bJumpy=1, Sex=Female)");
  EXPECT_EQ(bot.GetDefaultName(), "Gorge");
  EXPECT_EQ(bot.GetMesh(), "taken.too");
  EXPECT_TRUE(bot.GetJumpy());
  EXPECT_EQ(bot.GetSex(), "Female");
  EXPECT_FALSE(Parsed("Player=(bJumpy=0)").GetJumpy());
  EXPECT_EQ(Parsed("Player=(Mesh)").GetMesh(), "Mesh");
  EXPECT_EQ(Parsed("Player=(DefaultName=\"A,B\")").GetDefaultName(), "A,B");
  EXPECT_EQ(Parsed("DefaultName=\"NoParens\"").GetDefaultName(), "NoParens");
  // Blanks after the closing ")" must not leave it on the last value, where
  // a save would write it back into the file.
  EXPECT_EQ(Parsed("Player=(DefaultName=\"Gorge\",Menu=\"SP\") \t").GetMenu(), "SP");
}

// A missing Sex or Menu item reads as "Male" and "SP"; the game's own
// roster has many Menu="" bots that must not turn into "SP" bots on saving.
TEST_F(BotCharacterTest, EmptySexAndMenuSurviveSaveAndLoad) {
  const TBotCharacter bot = Parsed("Player=(DefaultName=\"Brock\",Sex=,Menu=\"\")");
  const TBotCharacter again = Parsed(bot.GetPlayerLine());
  EXPECT_EQ(again.GetSex(), "");
  EXPECT_EQ(again.GetMenu(), "");
}

TEST_F(BotCharacterTest, BiographyFollowsTheTextReference) {
  EXPECT_EQ(TBotCharacter().GetBio(), Lines{"XPlayers.Default"});  // nothing cached
  CacheIntFile("XPlayers.int", "[DecoText]\nDefault=\"Just a bot.|Nothing more.|\"\nZed=\"Zed's story\"\n");
  TBotCharacter bot;
  EXPECT_EQ(bot.GetBio(), (Lines{"Just a bot.", "Nothing more."}));
  bot.SetPlayerLine("Player=(Text=XPlayers.Zed)");
  EXPECT_EQ(bot.GetBio(), Lines{"Zed's story"});
  // Without a Text item the bot has the default reference and its
  // biography, not the previous bot's.
  bot.SetPlayerLine("Player=(DefaultName=\"Plain\")");
  EXPECT_EQ(bot.GetBio(), (Lines{"Just a bot.", "Nothing more."}));
  // Nor when the line breaks off at a number it cannot read.
  bot.SetPlayerLine("Player=(Text=XPlayers.Zed)");
  EXPECT_THROW(bot.SetPlayerLine("Player=(Tactics=+x,Text=XPlayers.Zed)"), roster::EConvertError);
  EXPECT_EQ(bot.GetBio(), (Lines{"Just a bot.", "Nothing more."}));
  // A quoted reference is resolved as written, and stored unquoted.
  bot.SetPlayerLine("Player=(Text=\"XPlayers.Zed\")");
  EXPECT_EQ(bot.Text, "XPlayers.Zed");
  EXPECT_EQ(bot.GetBio(), Lines{"\"XPlayers.Zed\""});
}

TEST_F(BotCharacterTest, UnreadableNumberAsksOrRaisesKeepingEarlierFields) {
  AnswerInputBoxes({"0.5", std::nullopt});
  TBotCharacter bot;
  bot.SetPlayerLine("Player=(Accuracy=high)", &Ask);
  EXPECT_EQ(bot.GetAccuracy(), 0.5);
  EXPECT_THROW(bot.SetPlayerLine("Player=(DefaultName=\"B\",Tactics=+x,Sex=Female)", &Ask), roster::EConvertError);
  EXPECT_EQ(bot.GetDefaultName(), "B");
  EXPECT_EQ(bot.GetSex(), "Male");
  // The error names the item it could not read.
  try {
    bot.SetPlayerLine("Player=(DefaultName=\"C\", Accuracy= ,Sex=Female)", &Ask);
    ADD_FAILURE() << "no error raised";
  } catch (const roster::EItemError& e) {
    EXPECT_EQ(e.Item, "Accuracy=");
  }
  EXPECT_EQ(asked_.size(), 2u);
}

// ---------------------------------------------------------------- quotes

struct TQuotedCase {
  const char* Label;
  std::string Line;
  std::string Name;  // what the line gives, and what a save and a load keep
  std::string Text;
  std::string Sex;
};

void PrintTo(const TQuotedCase& c, std::ostream* out) { *out << c.Label; }

class QuotedValueTest : public BotCharacterTest, public ::testing::WithParamInterface<TQuotedCase> {};

TEST_P(QuotedValueTest, IsReadWholeAndSurvivesSaveAndLoad) {
  const TQuotedCase& c = GetParam();
  const TBotCharacter bot = Parsed(c.Line);
  EXPECT_EQ(bot.GetDefaultName(), c.Name);
  EXPECT_EQ(bot.Text, c.Text);
  EXPECT_EQ(bot.GetSex(), c.Sex);
  const std::string written = bot.GetPlayerLine();
  const TBotCharacter again = Parsed(written);
  EXPECT_EQ(again.GetDefaultName(), c.Name) << written;
  EXPECT_EQ(again.Text, c.Text) << written;
  EXPECT_EQ(again.GetSex(), c.Sex) << written;
  EXPECT_EQ(again.GetPlayerLine(), written);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, QuotedValueTest,
    ::testing::Values(
        // Biographies written inline are prose: commas, parentheses.
        TQuotedCase{"CommasAndParentheses",
                    "Player=(DefaultName=\"Smith, John\",Text=\"Hello, world (really)|Line two\",Sex=Female)",
                    "Smith, John", "Hello, world (really)|Line two", "Female"},
        TQuotedCase{"BlanksAfterTheClosingQuote", "Player=(DefaultName=\"A, B\"  , Sex=Female,Text=\"x,y\" )", "A, B",
                    "x,y", "Female"},
        TQuotedCase{"QuotesInsideAName", "Player=(DefaultName=\"Jan \"the Man\" Smit\",Sex=Female)",
                    "Jan \"the Man\" Smit", "XPlayers.Default", "Female"},
        TQuotedCase{"ParenthesisInANameOfALineWithoutParentheses", "DefaultName=\"Bob (2)\",Sex=Female", "Bob (2)",
                    "XPlayers.Default", "Female"},
        // A quote that never closes costs its own item only.
        TQuotedCase{"UnclosedQuote", "Player=(DefaultName=\"Smith, John,Text=XPlayers.Zed,Sex=Female)", "\"Smith",
                    "XPlayers.Zed", "Female"},
        TQuotedCase{"LoneQuote", "Player=(DefaultName=\",Sex=Female)", "", "XPlayers.Default", "Female"},
        // Only a quote right after "=" opens a value: text in quotes is
        // written back in quotes, and the reader must agree where they end.
        TQuotedCase{"QuoteAfterABlank", "Player=(DefaultName=\"Bob\",Text= \",x\",Sex=Female)", "Bob", " \"", "Female"}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST_F(BotCharacterTest, QuotesAreWrittenWhereTheLineHadThemOrTheValueNeedsThem) {
  // A mod roster's style: quoted weapon, inline biography.
  TBotCharacter bot = Parsed(
      "Player=(DefaultName=\"Jan\",Mesh=Jugg.JuggMaleA,Text=\"Name: Jan|Age: 30\","
      "FavoriteWeapon=\"xWeapons.RocketLauncher\",Menu=\"SP\")");
  bot.SetAccuracy(1);
  std::string line = bot.GetPlayerLine();
  EXPECT_NE(line.find(",Mesh=Jugg.JuggMaleA,"), std::string::npos) << line;
  EXPECT_NE(line.find(",Text=\"Name: Jan|Age: 30\","), std::string::npos) << line;
  EXPECT_NE(line.find(",FavoriteWeapon=\"xWeapons.RocketLauncher\","), std::string::npos) << line;

  // Values that could not stand bare.
  bot.SetMesh("Mod.Mesh(2)");
  bot.SetVoice("a,b");
  bot.SetSkeleton("\"x");
  bot.SetRagdoll("Doll ");
  line = bot.GetPlayerLine();
  EXPECT_NE(line.find(",Mesh=\"Mod.Mesh(2)\","), std::string::npos) << line;
  const TBotCharacter again = Parsed(line);
  EXPECT_EQ(again.GetMesh(), "Mod.Mesh(2)");
  EXPECT_EQ(again.GetVoice(), "a,b");
  EXPECT_EQ(again.GetSkeleton(), "\"x");
  EXPECT_EQ(again.GetRagdoll(), "Doll ");
  EXPECT_EQ(again.GetAccuracy(), 1);

  // The next line read starts without the last one's quotes.
  bot.SetPlayerLine("Player=(DefaultName=\"Plain\",FavoriteWeapon=xWeapons.RocketLauncher)");
  EXPECT_NE(bot.GetPlayerLine().find(",FavoriteWeapon=xWeapons.RocketLauncher,"), std::string::npos);
}

// The items of a Player line as the reader splits them.
Lines ItemsOf(const std::string& line) {
  Lines items;
  const std::size_t open = line.find('(');
  roster::ForEachItem(std::string_view(line).substr(open + 1, line.rfind(')') - open - 1),
                      [&items](const std::string& item) { items.push_back(item); });
  return items;
}

// A quote typed open costs its own item: every other item of the line,
// known or not, reads as from the intact line.
TEST_F(BotCharacterTest, AQuoteLeftOpenCostsOnlyItsOwnItemOnEveryStockLine) {
  int tried = 0;
  for (const char* file : {"upl/ut2004_stock/xplayersL1.upl", "upl/ut2004_stock/xaplayersl3.upl"}) {
    REQUIRE_REALDATA(file);
    for (const std::string& line : platform::SplitLines(testing_support::RealDataBytes(file))) {
      if (!line.starts_with("Player=")) continue;
      const Lines intact = ItemsOf(line);
      std::size_t at = 0;
      for (std::size_t k = 0; k < intact.size(); ++k) {
        const std::string& item = intact[k];
        at = line.find(item, at) + item.size();
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos || item.size() < eq + 3 || item[eq + 1] != '"' || item.back() != '"') continue;
        std::string broken = line;
        broken.erase(at - 1, 1);
        Lines expected = intact;
        expected[k].pop_back();
        EXPECT_EQ(ItemsOf(broken), expected) << broken;
        ++tried;
      }
    }
  }
  EXPECT_GT(tried, 300);
}

// A mod's roster spells some keys its own way; the game reads the item
// under that key, so a save writes it as it came.
TEST_F(BotCharacterTest, KeysAreWrittenAsTheLineSpelledThem) {
  TBotCharacter bot = Parsed(
      "Player=(DefaultName=\"Kev\",LockedPortrait=KFPortraits.Locked,VoiceClassName=KFMod.KFVoicePackTwo,"
      "Race=\"Human\",BotUse=1,species=KFMod.SPECIES_KF,mesh=KFMod.Kev,Accuracy=+0.5)");
  EXPECT_EQ(bot.GetVoice(), "KFMod.KFVoicePackTwo");
  bot.SetTactics(1);
  const std::string line = bot.GetPlayerLineKeepingUnknownItems(
      "DefaultName=\"Kev\",LockedPortrait=KFPortraits.Locked,Race=\"Human\",BotUse=1");
  for (const char* item : {",species=KFMod.SPECIES_KF,", ",mesh=KFMod.Kev,", ",VoiceClassName=KFMod.KFVoicePackTwo,",
                           ",LockedPortrait=KFPortraits.Locked,", ",Race=\"Human\",BotUse=1)", ",Tactics=+1.0,"})
    EXPECT_NE(line.find(item), std::string::npos) << item << " in " << line;
  EXPECT_EQ(Parsed(line).GetPlayerLine(), bot.GetPlayerLine());
  // A bot made here, or set to the default character, is spelled as this
  // program spells it; so is the next line read without such keys.
  bot.SetDefaultPlayerLine();
  EXPECT_NE(bot.GetPlayerLine().find(",Species=xGame.SPECIES_Jugg,"), std::string::npos);
  bot.SetPlayerLine("Player=(MeshName=a.b,Voice=c.d)");
  EXPECT_NE(bot.GetPlayerLine().find(",MeshName=a.b,"), std::string::npos);
  bot.SetPlayerLine("Player=(Voice=c.d)");
  EXPECT_NE(bot.GetPlayerLine().find(",Mesh=Jugg.JuggMaleA,"), std::string::npos);
  // Only a plain word is kept as a key: the rest of an odd item is the
  // reader's guess and must not reach the file.
  bot.SetPlayerLine("Player=(Mesh(x)=a.b)");
  EXPECT_NE(bot.GetPlayerLine().find(",Mesh=a.b,"), std::string::npos);
}

TEST_F(BotCharacterTest, ALineOfUnclosedQuotesIsReadInOnePass) {
  // Text from anywhere (the clipboard, a broken file): each item looking
  // for its closing quote to the end of a long line would take minutes.
  std::string line = "Player=(DefaultName=\"Many\"";
  for (int i = 0; i < 500000; ++i) line += ",x=\"a";
  line += ")";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Parsed(line).GetDefaultName(), "Many");
  EXPECT_EQ(TBotCharacter::UnknownItems(line).size(), 500000u);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
