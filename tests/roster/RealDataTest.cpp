// The model against the game's own files: the stock roster and .int files
// of the released game.

#include <gtest/gtest.h>

#include "../common/RealData.h"
#include "RosterTestSupport.h"
#include "platform/AsciiText.h"
#include "platform/TextFile.h"
#include "roster/PuBotCharacter.h"
#include "roster/PuSpecies.h"
#include "roster/PuUtStringlist.h"

namespace {

class RealDataTest : public roster_test::RosterTest {
 protected:
  void SetUp() override {
    RosterTest::SetUp();
    AnswerInputBoxes({});  // any question asked is recorded and fails the test
  }
  void TearDown() override {
    EXPECT_TRUE(asked_.empty()) << "asked: " << asked_.front();
    RosterTest::TearDown();
  }
};

TEST_F(RealDataTest, EveryStockPlayerLineSurvivesWriteAndRead) {
  REQUIRE_REALDATA("upl/ut2004_stock/xplayersL1.upl");
  REQUIRE_REALDATA("int/ut2004");
  roster::LoadIntFiles(testing_support::RealDataPath("int/ut2004"));
  ASSERT_EQ(roster::IntFileList().Count(), 3);

  int bots = 0;
  for (const std::string& line : platform::ReadLines(testing_support::RealDataPath("upl/ut2004_stock/xplayersL1.upl"))) {
    if (!platform::StartsText("PLAYER", line)) continue;
    ++bots;
    roster::TBotCharacter bot;
    bot.SetPlayerLine(line.substr(line.find('=') + 1));
    const std::string written = bot.GetPlayerLine();
    roster::TBotCharacter again;
    again.SetPlayerLine(written);
    EXPECT_EQ(again.GetPlayerLine(), written) << line;
    EXPECT_FALSE(bot.GetDefaultName().empty()) << line;
    // Every stock biography reference resolves to a text of several lines.
    EXPECT_GT(bot.GetBio().size(), 1u) << bot.Text;
  }
  EXPECT_EQ(bots, 146);
}

TEST_F(RealDataTest, KnownBotReadsAsTheGameMeansIt) {
  REQUIRE_REALDATA("upl/ut2004_stock/xplayersL1.upl");
  REQUIRE_REALDATA("int/ut2004");
  roster::LoadIntFiles(testing_support::RealDataPath("int/ut2004"));
  const auto lines = platform::ReadLines(testing_support::RealDataPath("upl/ut2004_stock/xplayersL1.upl"));
  ASSERT_GT(lines.size(), 1u);
  roster::TBotCharacter malcolm;
  malcolm.SetPlayerLine(lines[1]);
  EXPECT_EQ(malcolm.GetDefaultName(), "Malcolm");
  EXPECT_EQ(malcolm.GetSpecies(), "xGame.SPECIES_Merc");
  EXPECT_EQ(malcolm.GetTactics(), 2);
  EXPECT_EQ(malcolm.GetAccuracy(), 0.5);
  EXPECT_EQ(malcolm.GetMenu(), "MALCOLM");
  ASSERT_FALSE(malcolm.GetBio().empty());
  EXPECT_EQ(malcolm.GetBio().front(), "Name:  Malcolm");

  roster::TUtStringlist species;
  roster::AddSpeciesName(malcolm.GetSpecies(), species);
  EXPECT_EQ(species.Lines(), std::vector<std::string>{"XGame.SPECIES_Merc=Mercenary"});
}

TEST_F(RealDataTest, DeclaredObjectsOfTheStockFiles) {
  REQUIRE_REALDATA("int/ut2004");
  roster::LoadIntFiles(testing_support::RealDataPath("int/ut2004"));
  roster::LoadAllUtObjects();
  const roster::TUtObjectList& objects = roster::UtObjectList();

  // What XWeapons.int declares with MetaClass Engine.Weapon, counted from
  // its lines; this release keeps those declarations commented out (";").
  const roster::TIntFile* weaponsFile = roster::IntFileList().Find("XWeapons.int");
  ASSERT_NE(weaponsFile, nullptr);
  std::vector<std::string> declared;
  for (const std::string& line : platform::ReadLines(testing_support::RealDataPath("int/ut2004/XWeapons.int"))) {
    if (line.rfind("Object=", 0) == 0 && line.find("MetaClass=Engine.Weapon") != std::string::npos) {
      const std::size_t name = line.find("Name=") + 5;
      declared.push_back(line.substr(name, line.find_first_of(",)", name) - name));
    }
  }
  std::vector<std::string> weapons;
  for (int i = 0; i < objects.Count(); ++i)
    if (objects.Object(i).GetMetaClass() == "Engine.Weapon") weapons.push_back(objects.Name(i));
  EXPECT_EQ(weapons, declared);
  EXPECT_EQ(objects.Find("XWeapons.FlakCannon"), nullptr);  // only ";Object=" declares it

  // The voice packs that XGame.int does declare.
  const roster::TMyUtObject* voice = objects.Find("XGame.MercMaleVoice");
  ASSERT_NE(voice, nullptr);
  EXPECT_EQ(voice->GetMetaClass(), "XGame.xVoicePack");
  EXPECT_EQ(voice->GetObjectClass(), "Class");
  int voices = 0;
  for (int i = 0; i < objects.Count(); ++i) voices += objects.Object(i).GetMetaClass() == "XGame.xVoicePack";
  EXPECT_EQ(voices, 9);
}

}  // namespace
