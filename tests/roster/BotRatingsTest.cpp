#include <gtest/gtest.h>

#include "common/TestNames.h"
#include "roster/PuBotCharacter.h"

using roster::TBotCharacter;

namespace {

enum Skill { kAccuracy, kTactics, kStrafing, kStrafingJumpy, kAggression, kReaction, kNone };

struct RatingCase {
  Skill skill;
  double value;
  double (TBotCharacter::*rating)() const;
  double expected;
};

class BotRatingTest : public ::testing::TestWithParam<RatingCase> {};

TEST_P(BotRatingTest, GivesTheProfileValue) {
  const RatingCase& c = GetParam();
  TBotCharacter bot;
  switch (c.skill) {
    case kAccuracy: bot.SetAccuracy(c.value); break;
    case kTactics: bot.SetTactics(c.value); break;
    case kStrafingJumpy: bot.SetJumpy(true); [[fallthrough]];
    case kStrafing: bot.SetStrafingAbility(c.value); break;
    case kAggression: bot.SetAggressiveness(c.value); bot.SetCombatStyle(c.value); break;
    case kReaction: bot.SetReactionTime(c.value); break;
    case kNone: break;
  }
  EXPECT_NEAR((bot.*c.rating)(), c.expected, 1e-9) << "skill " << c.skill << " at " << c.value;
}

const auto A = &TBotCharacter::AccuracyRating;
const auto T = &TBotCharacter::TacticsRating;
const auto G = &TBotCharacter::AgilityRating;
const auto R = &TBotCharacter::AggressivenessRating;
const auto S = &TBotCharacter::Salary;

std::string CaseName(const ::testing::TestParamInfo<RatingCase>& info) {
  static const char* const kSkills[] = {"Accuracy", "Tactics", "Strafing", "StrafingJumpy", "Aggression", "Reaction",
                                        "Fresh"};
  return testing_support::TestName(std::string(kSkills[info.param.skill]) + " " +
                                   testing_support::NumberText(info.param.value));
}

INSTANTIATE_TEST_SUITE_P(
    Ratings, BotRatingTest,
    ::testing::ValuesIn(std::vector<RatingCase>{
        {kAccuracy, 0, A, 75}, {kAccuracy, 0.25, A, 85}, {kAccuracy, -0.25, A, 65}, {kAccuracy, 0.5, A, 96},
        {kAccuracy, 2.5, A, 100}, {kAccuracy, -1, A, 39}, {kAccuracy, -5, A, -1},
        {kTactics, 0, T, 75}, {kTactics, -1, T, 55}, {kTactics, -2, T, 39}, {kTactics, 1, T, 96},
        {kTactics, 5, T, 100}, {kTactics, -5, T, 15}, {kTactics, -1.0001, T, 8 * -1.0001 + 55},
        {kStrafing, 0, G, 75}, {kStrafingJumpy, 0, G, 78}, {kStrafing, 1, G, 93}, {kStrafingJumpy, 1, G, 96},
        {kStrafing, 5, G, 97}, {kStrafingJumpy, 5, G, 100}, {kStrafing, -2, G, 42}, {kStrafingJumpy, -2, G, 45},
        {kNone, 0, R, 85.5}, {kAggression, 0, R, 73}, {kAggression, 1, R, 100}}),
    CaseName);

// A fresh bot (Aggressiveness 0.3, CombatStyle 0.2, no weapon) earns 517.5.
INSTANTIATE_TEST_SUITE_P(
    Salary, BotRatingTest,
    ::testing::ValuesIn(std::vector<RatingCase>{
        {kNone, 0, S, 517.5}, {kAccuracy, 1, S, 517.5 + 275}, {kReaction, -1, S, 517.5 - 525},
        {kReaction, 1, S, 517.5 + 275}, {kStrafingJumpy, 0, S, 547.5}, {kTactics, 1, S, 517.5 + 120},
        {kStrafing, 1, S, 517.5 + 175}}),
    CaseName);

TEST(BotRatingTest, DefensiveStyleAndWeaponChoice) {
  TBotCharacter bot;
  bot.SetAggressiveness(0);
  bot.SetCombatStyle(-1);
  EXPECT_DOUBLE_EQ(bot.AggressivenessRating(), 48);
  bot.SetFavoriteWeapon("XWeapons.FlakCannon");
  EXPECT_DOUBLE_EQ(bot.Salary(), 500 - 5);
}

}  // namespace
