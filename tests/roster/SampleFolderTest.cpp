// The sample game folder that the editor opens when no game is installed:
// its roster must read cleanly and every reference in it must resolve, or
// the editor greets a new user with questions about missing content.

#include <algorithm>

#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "platform/AsciiText.h"
#include "platform/TextFile.h"
#include "roster/PuBotCharacter.h"
#include "roster/PuSpecies.h"
#include "roster/PuUtStringlist.h"

namespace {

const std::string kSystem = std::string(ROSTERWELL_SAMPLES_DIR) + "/System";

class SampleFolderTest : public roster_test::RosterTest {
 protected:
  void SetUp() override {
    RosterTest::SetUp();
    AnswerInputBoxes({});
    roster::LoadIntFiles(kSystem);
    roster::LoadAllUtObjects();
  }
};

TEST_F(SampleFolderTest, RosterIsAPublicSectionOfCrLfPlayerLines) {
  const std::string bytes = platform::ReadFileBytes(kSystem + "/xplayersL1.upl");
  ASSERT_EQ(bytes.rfind("[Public]\r\n", 0), 0u);
  const auto lines = platform::SplitLines(bytes);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), static_cast<long>(lines.size()));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), static_cast<long>(lines.size()));
  EXPECT_GE(lines.size(), 5u);
}

TEST_F(SampleFolderTest, EveryBotReadsAndAllItsReferencesResolve) {
  roster::TUtStringlist species;
  for (const char* ref : {"xGame.SPECIES_Alien", "xGame.SPECIES_Bot", "xGame.SPECIES_Egypt", "xGame.SPECIES_Jugg",
                          "xGame.SPECIES_Merc", "xGame.SPECIES_Night"})
    roster::AddSpeciesName(ref, species);
  EXPECT_EQ(species.Count(), 6);

  const auto lines = platform::ReadLines(kSystem + "/xplayersL1.upl");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    roster::TBotCharacter bot;
    bot.SetPlayerLine(lines[i].substr(lines[i].find('=') + 1));
    EXPECT_EQ(bot.GetPlayerLine(), lines[i]);
    EXPECT_NE(bot.GetBio().front(), bot.Text) << "biography missing for " << bot.GetDefaultName();
    EXPECT_GE(species.IndexOfName(bot.GetSpecies()), 0) << bot.GetSpecies();
    const roster::TMyUtObject* weapon = roster::UtObjectList().Find(bot.GetFavoriteWeapon());
    ASSERT_NE(weapon, nullptr) << bot.GetFavoriteWeapon();
    EXPECT_EQ(weapon->GetMetaClass(), "Engine.Weapon");
    EXPECT_FALSE(weapon->ItemName.empty());
  }
}

}  // namespace
