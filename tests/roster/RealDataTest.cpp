// The model against the released game's own roster and .int files.

#include <gtest/gtest.h>

#include "../common/RealData.h"
#include "RosterTestSupport.h"
#include "platform/AsciiText.h"
#include "platform/TextFile.h"
#include "roster/PuBotCharacter.h"
#include "roster/PuSpecies.h"
#include "roster/PuUtStringlist.h"

namespace {

using testing_support::RealDataPath;

// No question can be asked: the bots are read without anyone to answer,
// so an unreadable number fails the test.
class RealDataTest : public roster_test::RosterTest {};

TEST_F(RealDataTest, EveryStockPlayerLineSurvivesWriteAndRead) {
  REQUIRE_REALDATA("upl/ut2004_stock/xplayersL1.upl");
  REQUIRE_REALDATA("int/ut2004");
  roster::GameFiles().LoadIntFiles(RealDataPath("int/ut2004"));
  int bots = 0;
  for (const std::string& line : platform::ReadLines(RealDataPath("upl/ut2004_stock/xplayersL1.upl"))) {
    if (!platform::StartsText("PLAYER", line)) continue;
    roster::TBotCharacter bot, again;
    bot.SetPlayerLine(line.substr(line.find('=') + 1));
    again.SetPlayerLine(bot.GetPlayerLine());
    EXPECT_EQ(again.GetPlayerLine(), bot.GetPlayerLine()) << line;
    EXPECT_GT(bot.GetBio().size(), 1u) << bot.Text;  // every biography resolves
    if (++bots > 1) continue;
    EXPECT_EQ(bot.GetDefaultName(), "Malcolm");
    EXPECT_EQ(bot.GetTactics(), 2);
    EXPECT_EQ(bot.GetBio().front(), "Name:  Malcolm");
    roster::TUtStringlist species;
    roster::AddSpeciesName(bot.GetSpecies(), species);
    EXPECT_EQ(species.Lines(), std::vector<std::string>{"XGame.SPECIES_Merc=Mercenary"});
  }
  EXPECT_EQ(bots, 146);
}

TEST_F(RealDataTest, DeclaredObjectsOfTheStockFiles) {
  REQUIRE_REALDATA("int/ut2004");
  roster::GameFiles().LoadIntFiles(RealDataPath("int/ut2004"));
  roster::GameFiles().LoadAllUtObjects();
  const roster::TUtObjectList& objects = roster::GameFiles().UtObjects();
  // The weapons XWeapons.int declares with MetaClass Engine.Weapon, counted
  // from its lines; this release keeps them all commented out (";Object=").
  std::vector<std::string> declared, weapons;
  for (const std::string& line : platform::ReadLines(RealDataPath("int/ut2004/XWeapons.int")))
    if (line.rfind("Object=", 0) == 0 && line.find("MetaClass=Engine.Weapon") != std::string::npos) {
      const std::size_t name = line.find("Name=") + 5;
      declared.push_back(line.substr(name, line.find_first_of(",)", name) - name));
    }
  int voices = 0;
  for (int i = 0; i < objects.Count(); ++i) {
    if (objects.Object(i).GetMetaClass() == "Engine.Weapon") weapons.push_back(objects.Name(i));
    voices += objects.Object(i).GetMetaClass() == "XGame.xVoicePack";
  }
  EXPECT_EQ(weapons, declared);
  EXPECT_EQ(objects.Find("XWeapons.FlakCannon"), nullptr);
  EXPECT_EQ(voices, 9);  // what XGame.int does declare
  ASSERT_NE(objects.Find("XGame.MercMaleVoice"), nullptr);
  EXPECT_EQ(objects.Find("XGame.MercMaleVoice")->GetObjectClass(), "Class");
}

}  // namespace
