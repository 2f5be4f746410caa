// The sample game folder that the editor opens when no game is installed:
// its roster must read cleanly and every reference in it must resolve, or
// a new user is greeted with questions about missing content.

#include <algorithm>

#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "platform/TextFile.h"
#include "roster/PuBotCharacter.h"
#include "roster/PuSpecies.h"
#include "roster/PuUtStringlist.h"

namespace {

class SampleFolderTest : public roster_test::RosterTest {};

TEST_F(SampleFolderTest, EveryBotReadsAndAllItsReferencesResolve) {
  const std::string system = std::string(ROSTERWELL_SAMPLES_DIR) + "/System";
  roster::GameFiles().LoadIntFiles(system);
  roster::GameFiles().LoadAllUtObjects();
  const std::string bytes = platform::ReadFileBytes(system + "/xplayersL1.upl");
  const auto lines = platform::SplitLines(bytes);
  ASSERT_EQ(lines.front(), "[Public]");
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), static_cast<long>(lines.size()));  // CR LF
  roster::TUtStringlist species;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    roster::TBotCharacter bot;
    bot.SetPlayerLine(lines[i].substr(lines[i].find('=') + 1));
    EXPECT_EQ(bot.GetPlayerLine(), lines[i]);
    EXPECT_NE(bot.GetBio().front(), bot.Text) << bot.GetDefaultName();
    roster::AddSpeciesName(bot.GetSpecies(), species);
    EXPECT_NE(species.IndexOfName(bot.GetSpecies()), -1) << bot.GetSpecies();
    const roster::TMyUtObject* weapon = roster::GameFiles().UtObjects().Find(bot.GetFavoriteWeapon());
    ASSERT_NE(weapon, nullptr) << bot.GetFavoriteWeapon();
    EXPECT_EQ(weapon->GetMetaClass(), "Engine.Weapon");
    EXPECT_FALSE(weapon->ItemName.empty());
  }
  EXPECT_TRUE(asked_.empty());
}

}  // namespace
