// Skill presets, templates, the pasted bot and the profile's number text.

#include <deque>
#include <utility>

#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "common/TempDir.h"
#include "platform/TextFile.h"
#include "roster/PuBotClipboard.h"
#include "roster/PuBotPresets.h"
#include "roster/PuBotProfile.h"
#include "roster/PuBotTemplates.h"
#include "roster/PuUtStringlist.h"

using roster::TBotCharacter;

namespace {

// A known bot: jumpy, with a favourite weapon and Aggressiveness 0.7.
const std::string Head =
    "Player=(DefaultName=\"Gorge\",Species=xGame.SPECIES_Jugg,Mesh=Jugg.JuggMaleA,BodySkin=PlayerSkins.JuggMaleABodyA,"
    "FaceSkin=PlayerSkins.JuggMaleAHeadA,Portrait=PlayerPictures.cJuggMaleAA,Text=XPlayers.Gorge,Sex=Male,";
const std::string Gorge = Head +
    "Accuracy=+1.25,Aggressiveness=+0.7,CombatStyle=-0.3,ReactionTime=+0.5,bJumpy=1,"
    "FavoriteWeapon=XWeapons.LinkGun,Menu=\"SP\")";

TBotCharacter KnownBot() {
  TBotCharacter bot;
  bot.SetPlayerLine(Gorge);
  return bot;
}

// Draws in a fixed order; each draw names the range it expects, so a preset
// that draws in another order or range fails.
class TScriptedRandom : public roster::TRandomSource {
 public:
  explicit TScriptedRandom(std::deque<std::pair<int, int>> draws) : draws_(std::move(draws)) {}
  int Random(int n) override {
    if (draws_.empty()) {
      ADD_FAILURE() << "unexpected draw Random(" << n << ")";
      return 0;
    }
    const auto [range, value] = draws_.front();
    draws_.pop_front();
    EXPECT_EQ(n, range) << "draw of value " << value;
    return value;
  }
  bool AllDrawn() const { return draws_.empty(); }

 private:
  std::deque<std::pair<int, int>> draws_;
};

roster::TUtStringlist Weapons() {
  roster::TUtStringlist weapons{false};
  weapons.Add("XWeapons.FlakCannon=Flak Cannon");
  weapons.Add("XWeapons.RocketLauncher=Rocket Launcher");
  return weapons;
}

class BotPresetsTest : public roster_test::RosterTest {};

struct FixedPresetCase {
  const char* name;
  void (*preset)(TBotCharacter&);
  const char* skills;  // the items after Sex=Male, up to Menu
};

class FixedPresetTest : public roster_test::RosterTest, public ::testing::WithParamInterface<FixedPresetCase> {};

TEST_P(FixedPresetTest, WritesItsSkillsAndDropsWeaponAndJump) {
  TBotCharacter bot = KnownBot();
  GetParam().preset(bot);
  EXPECT_EQ(bot.GetPlayerLine(), Head + GetParam().skills + "Menu=\"SP\")");
}

INSTANTIATE_TEST_SUITE_P(
    Presets, FixedPresetTest,
    ::testing::Values(
        FixedPresetCase{"Maximum", roster::MaximizeCharacterSkills,
                        "Accuracy=+5.0,Aggressiveness=+1.0,StrafingAbility=+5.0,CombatStyle=+1.0,Tactics=+5.0,"
                        "ReactionTime=+5.0,"},
        FixedPresetCase{"Reset", roster::ResetCharacterSkills, "Aggressiveness=+0.3,CombatStyle=+0.2,"},
        // CombatStyle stays 0, not its lower limit.
        FixedPresetCase{"Minimum", roster::MinimizeCharacterSkills,
                        "Accuracy=-5.0,StrafingAbility=-5.0,Tactics=-5.0,ReactionTime=-5.0,"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BotPresetsTest, RandomDrawsInWriteOrder) {
  // Accuracy 750 -> 2.5, Aggressiveness 42 -> 0.42, CombatStyle 0 -> 0,
  // Tactics 0 -> -5, weapon chance 20 (the last that wins), weapon line 1,
  // jump 3 (the last that sets it), StrafingAbility 1000 -> 5,
  // ReactionTime 499 -> -0.01.
  TScriptedRandom random({{1001, 750}, {101, 42}, {101, 0}, {1001, 0}, {100, 20}, {2, 1}, {10, 3}, {1001, 1000},
                          {1001, 499}});
  TBotCharacter bot = KnownBot();
  roster::RandomizeCharacterSkills(bot, random, Weapons());
  EXPECT_TRUE(random.AllDrawn());
  EXPECT_EQ(bot.GetPlayerLine(), Head +
                                     "Accuracy=+2.5,Aggressiveness=+0.42,StrafingAbility=+5.0,Tactics=-5.0,"
                                     "ReactionTime=-0.01,bJumpy=1,FavoriteWeapon=XWeapons.RocketLauncher,Menu=\"SP\")");

  // A lost weapon chance draws no line and empties the weapon; jump 4 clears
  // the flag; the top unit value is 1.
  TScriptedRandom second({{1001, 500}, {101, 100}, {101, 100}, {1001, 500}, {100, 21}, {10, 4}, {1001, 500},
                          {1001, 501}});
  roster::RandomizeCharacterSkills(bot, second, Weapons());
  EXPECT_TRUE(second.AllDrawn());
  EXPECT_EQ(bot.GetPlayerLine(), Head + "Aggressiveness=+1.0,CombatStyle=+1.0,ReactionTime=+0.01,Menu=\"SP\")");
}

TEST_F(BotPresetsTest, RandomWithoutWeaponsLeavesTheWeaponEmptyAndGoesOn) {
  TScriptedRandom random({{1001, 400}, {101, 30}, {101, 20}, {1001, 600}, {100, 0}, {10, 0}, {1001, 499},
                          {1001, 0}});
  TBotCharacter bot = KnownBot();
  roster::RandomizeCharacterSkills(bot, random, roster::TUtStringlist{false});
  EXPECT_TRUE(random.AllDrawn());
  EXPECT_EQ(bot.GetPlayerLine(), Head +
                                     "Accuracy=-1.0,Aggressiveness=+0.3,StrafingAbility=-0.01,CombatStyle=+0.2,"
                                     "Tactics=+1.0,ReactionTime=-5.0,bJumpy=1,Menu=\"SP\")");
}

TEST_F(BotPresetsTest, DefaultCharacterIsTheNewBotWithResetSkills) {
  TBotCharacter bot = KnownBot();
  bot.LineIndex = 4;
  roster::DefaultCharacter(bot);
  EXPECT_EQ(bot.GetPlayerLine(), TBotCharacter().GetPlayerLine());
  EXPECT_EQ(bot.LineIndex, 4);
}

// ---------------------------------------------------------------- templates

class BotTemplatesTest : public roster_test::RosterTest {
 protected:
  testing_support::TempDir Dir;
};

TEST_F(BotTemplatesTest, DefaultsAreWrittenOnceAndReadInFileOrder) {
  platform::TIniFile ini(Dir.file("Rosterwell.INI"));
  ini.WriteString("FSex", "Male", "Male");
  roster::EnsureDefaultTemplates(ini);
  ini.UpdateFile();
  EXPECT_EQ(platform::ReadLines(ini.FileName()),
            (std::vector<std::string>{
                "[FSex]", "Male=Male", "",
                "[TEMPLATES]",
                "DEF1=Player=(DefaultName=\"Berserker\",Accuracy=-0.4,Aggressiveness=+1.0, StrafingAbility=+2.0,"
                "CombatStyle=+1.0,Tactics=-0.8,ReactionTime=-0.2,FavoriteWeapon=XWeapons.FlakCannon)",
                "DEF2=Player=(DefaultName=\"Bunnyhopper\",Accuracy=-1.3,bJumpy=1,Aggressiveness=+0.6, "
                "StrafingAbility=+3.3,CombatStyle=+0.8,Tactics=-2.8,ReactionTime=-0.4)",
                "DEF3=Player=(DefaultName=\"Sniper\",Accuracy=+5.0,StrafingAbility=+0.8,CombatStyle=-1.0,"
                "Tactics=+1.5,ReactionTime=-0.2,FavoriteWeapon=XWeapons.SniperRifle)",
                ""}));

  // A section that exists is left as it is: a default deleted from the file
  // stays deleted.
  std::vector<std::string> lines = platform::ReadLines(ini.FileName());
  std::erase_if(lines, [](const std::string& line) { return line.starts_with("DEF2="); });
  platform::WriteLines(ini.FileName(), lines);
  platform::TIniFile reread(ini.FileName());
  roster::EnsureDefaultTemplates(reread);
  const auto templates = roster::ReadTemplates(reread);
  ASSERT_EQ(templates.size(), 2u);
  EXPECT_EQ(templates[0].Key, "DEF1");
  EXPECT_EQ(templates[1].Template.GetDefaultName(), "Sniper");
}

TEST_F(BotTemplatesTest, ApplyingCopiesTheSkillsOnly) {
  platform::TIniFile ini("");
  roster::EnsureDefaultTemplates(ini);
  const auto templates = roster::ReadTemplates(ini);
  ASSERT_EQ(templates.size(), 3u);
  const std::string expected[] = {
      "Accuracy=-0.4,Aggressiveness=+1.0,StrafingAbility=+2.0,CombatStyle=+1.0,Tactics=-0.8,ReactionTime=-0.2,",
      "Accuracy=-1.3,Aggressiveness=+0.6,StrafingAbility=+3.3,CombatStyle=+0.8,Tactics=-2.8,ReactionTime=-0.4,"
      "bJumpy=1,",
      // No Aggressiveness item: the bot's 0.7 becomes 0.
      "Accuracy=+5.0,StrafingAbility=+0.8,CombatStyle=-1.0,Tactics=+1.5,ReactionTime=-0.2,",
  };
  for (std::size_t i = 0; i < 3; ++i) {
    TBotCharacter bot = KnownBot();
    roster::ApplyTemplateSkills(bot, templates[i].Template);
    EXPECT_EQ(bot.GetPlayerLine(), Head + expected[i] + "FavoriteWeapon=XWeapons.LinkGun,Menu=\"SP\")")
        << templates[i].Template.GetDefaultName();
  }
}

TEST_F(BotTemplatesTest, NamesThatCannotBeKeysAreRefused) {
  platform::TIniFile ini("");
  roster::EnsureDefaultTemplates(ini);
  for (const char* bad : {"", "   ", "a=b", ";note", "[FSex]", "tab\there", "line\rbreak"}) {
    EXPECT_TRUE(roster::TemplateNameError(bad).has_value()) << bad;
    EXPECT_THROW(roster::StoreTemplate(ini, bad, Gorge), std::invalid_argument) << bad;
  }
  EXPECT_EQ(ini.ReadSectionLines("TEMPLATES").size(), 3u);

  // Letter case aside the name is the stored one: it is replaced in place.
  roster::StoreTemplate(ini, "def2", Gorge);
  roster::StoreTemplate(ini, " Mine ", Gorge);
  const auto templates = roster::ReadTemplates(ini);
  ASSERT_EQ(templates.size(), 4u);
  EXPECT_EQ(templates[1].Key, "def2");
  EXPECT_EQ(templates[1].Template.GetPlayerLine(), Gorge);
  EXPECT_EQ(templates[3].Key, "Mine");
}

TEST_F(BotTemplatesTest, UnreadableLineKeepsWhatWasReadAndTheOthers) {
  platform::TIniFile ini("");
  ini.WriteString("TEMPLATES", "Bad", "Player=(DefaultName=\"Bad\",Accuracy=+x,Tactics=+1.0)");
  ini.WriteString("TEMPLATES", "Good", "Player=(DefaultName=\"Good\",Tactics=+2.0)");
  const auto templates = roster::ReadTemplates(ini);
  ASSERT_EQ(templates.size(), 2u);
  EXPECT_EQ(templates[0].Template.GetDefaultName(), "Bad");
  EXPECT_EQ(templates[0].Template.GetTactics(), 0);
  EXPECT_EQ(templates[1].Template.GetTactics(), 2);
}

// ---------------------------------------------------------------- pasting

TEST_F(BotPresetsTest, PastedTextMustBeOneWholePlayerLine) {
  std::string error;
  const auto bot = roster::ReadPastedBot("\r\n  " + Gorge + " \r\n", error);
  ASSERT_TRUE(bot.has_value()) << error;
  EXPECT_EQ(*bot, Gorge);
  EXPECT_TRUE(roster::ReadPastedBot("player = (DefaultName=\"x\")", error).has_value());

  for (const std::string& bad :
       {std::string("Hello there"), std::string("Player=(DefaultName=\"x\""), std::string("DefaultName=\"x\")"),
        std::string("Player=()"), std::string("Player=(Mesh=Jugg.JuggMaleA)"), Gorge + "\n" + Gorge, "Players=(" + Gorge.substr(8),
        "Player=(" + std::string(roster::MaxPastedLineLength, 'x') + ")"}) {
    error.clear();
    EXPECT_FALSE(roster::ReadPastedBot(bad, error).has_value()) << bad.substr(0, 60);
    EXPECT_EQ(error, "The clipboard holds no character.\rA character is one line of the form Player=(...).");
  }
}

TEST_F(BotPresetsTest, PastedTextWithControlCharactersIsRefused) {
  // Text from another program may carry bytes no roster line holds; a NUL
  // or an escape would go into the bot's values and from there into the
  // roster file. Tabs between the items are only blanks.
  std::string error;
  const auto tabbed = roster::ReadPastedBot("Player=(DefaultName=\"Tab\",\tAccuracy=+1.0)", error);
  ASSERT_TRUE(tabbed.has_value()) << error;
  EXPECT_NE(tabbed->find(",Accuracy=+1.0,"), std::string::npos) << *tabbed;
  for (const std::string& bad : {std::string("Player=(DefaultName=\"A\0B\")", 26), std::string("Player=(DefaultName=\"A\x1b[2J\")"),
                                 std::string("Player=(DefaultName=\"A\",Mesh=x\x7fy)")}) {
    error.clear();
    EXPECT_FALSE(roster::ReadPastedBot(bad, error).has_value()) << bad;
    EXPECT_EQ(error, "The clipboard holds no character.\rA character is one line of the form Player=(...).");
  }
}

TEST_F(BotPresetsTest, PastedLineWithABadNumberIsRefusedUnlessReplaced) {
  const std::string line = "Player=(DefaultName=\"Odd\",Accuracy=1.0,Tactics=zz,ReactionTime=+1.0)";
  AnswerInputBoxes({std::nullopt, std::string("2.5")});
  std::string error;
  EXPECT_FALSE(roster::ReadPastedBot(line, error, &Ask).has_value());
  EXPECT_EQ(error.rfind("The character on the clipboard could not be read:\r", 0), 0u) << error;
  const auto replaced = roster::ReadPastedBot(line, error, &Ask);
  ASSERT_TRUE(replaced.has_value());
  // The line handed on holds the typed number: reading it asks nothing.
  roster::TBotCharacter bot;
  bot.SetPlayerLine(*replaced, &Ask);
  EXPECT_EQ(asked_.size(), 2u);
  EXPECT_EQ(bot.GetTactics(), 2.5);
  EXPECT_EQ(bot.GetReactionTime(), 1);
}

// ---------------------------------------------------------------- profile

TEST(ProfileNumberTest, HalvesGoAwayFromZeroAndZeroHasNoSign) {
  EXPECT_EQ(roster::WholeNumberText(516.5), "517");
  EXPECT_EQ(roster::WholeNumberText(90.5), "91");
  EXPECT_EQ(roster::WholeNumberText(1250.4), "1250");
  EXPECT_EQ(roster::WholeNumberText(-1.5), "-2");
  EXPECT_EQ(roster::WholeNumberText(-0.4), "0");
}

}  // namespace
