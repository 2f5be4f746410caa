#include <functional>

#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "roster/PuBotCharacter.h"

using roster::TBotCharacter;

namespace {

struct RatingCase {
  const char* name;
  std::function<void(TBotCharacter&)> set;
  double (TBotCharacter::*rating)() const;
  double expected;
};

std::string CaseName(const ::testing::TestParamInfo<RatingCase>& info) { return info.param.name; }

class BotRatingTest : public ::testing::TestWithParam<RatingCase> {};

TEST_P(BotRatingTest, GivesTheProfileValue) {
  TBotCharacter bot;
  GetParam().set(bot);
  EXPECT_NEAR((bot.*GetParam().rating)(), GetParam().expected, 1e-9);
}

const auto A = &TBotCharacter::AccuracyRating;
const auto T = &TBotCharacter::TacticsRating;
const auto G = &TBotCharacter::AgilityRating;
const auto R = &TBotCharacter::AggressivenessRating;
const auto S = &TBotCharacter::Salary;

auto Acc(double v) { return [v](TBotCharacter& b) { b.SetAccuracy(v); }; }
auto Tac(double v) { return [v](TBotCharacter& b) { b.SetTactics(v); }; }
auto Str(double v, bool jumpy) {
  return [v, jumpy](TBotCharacter& b) {
    b.SetStrafingAbility(v);
    b.SetJumpy(jumpy);
  };
}
auto Agg(double a, double c) {
  return [a, c](TBotCharacter& b) {
    b.SetAggressiveness(a);
    b.SetCombatStyle(c);
  };
}
auto React(double v) { return [v](TBotCharacter& b) { b.SetReactionTime(v); }; }

INSTANTIATE_TEST_SUITE_P(
    Accuracy, BotRatingTest,
    ::testing::Values(RatingCase{"Zero", Acc(0), A, 75}, RatingCase{"Quarter", Acc(0.25), A, 85},
                      RatingCase{"MinusQuarter", Acc(-0.25), A, 65}, RatingCase{"Half", Acc(0.5), A, 96},
                      RatingCase{"Top", Acc(2.5), A, 100}, RatingCase{"Max", Acc(5), A, 100},
                      RatingCase{"MinusOne", Acc(-1), A, 39}, RatingCase{"Lowest", Acc(-5), A, -1}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Tactics, BotRatingTest,
    ::testing::Values(RatingCase{"Zero", Tac(0), T, 75}, RatingCase{"MinusOne", Tac(-1), T, 55},
                      RatingCase{"MinusTwo", Tac(-2), T, 39}, RatingCase{"One", Tac(1), T, 96},
                      RatingCase{"Five", Tac(5), T, 100}, RatingCase{"MinusFive", Tac(-5), T, 15},
                      RatingCase{"JustBelowBreak", Tac(-1.0001), T, 8 * -1.0001 + 55}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Agility, BotRatingTest,
    ::testing::Values(RatingCase{"Zero", Str(0, false), G, 75}, RatingCase{"ZeroJumpy", Str(0, true), G, 78},
                      RatingCase{"One", Str(1, false), G, 93}, RatingCase{"OneJumpy", Str(1, true), G, 96},
                      RatingCase{"Five", Str(5, false), G, 97}, RatingCase{"FiveJumpy", Str(5, true), G, 100},
                      RatingCase{"MinusTwo", Str(-2, false), G, 42},
                      RatingCase{"MinusTwoJumpy", Str(-2, true), G, 45}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Aggressiveness, BotRatingTest,
    ::testing::Values(RatingCase{"Fresh", Agg(0.3, 0.2), R, 85.5}, RatingCase{"Zero", Agg(0, 0), R, 73},
                      RatingCase{"Full", Agg(1, 1), R, 100}, RatingCase{"Defensive", Agg(0, -1), R, 48}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Salary, BotRatingTest,
    ::testing::Values(RatingCase{"Fresh", [](TBotCharacter&) {}, S, 517.5},
                      RatingCase{"AccuracyOne", Acc(1), S, 517.5 + 275},
                      RatingCase{"SlowReaction", React(-1), S, 517.5 - 525},
                      RatingCase{"FastReaction", React(1), S, 517.5 + 275},
                      RatingCase{"Jumper", [](TBotCharacter& b) { b.SetJumpy(true); }, S, 547.5},
                      RatingCase{"Weapon", [](TBotCharacter& b) { b.SetFavoriteWeapon("W.w"); }, S, 497.5},
                      RatingCase{"Tactician", Tac(1), S, 517.5 + 70 + 50},
                      RatingCase{"Strafer", Str(1, false), S, 517.5 + 100 + 75}),
    CaseName);

}  // namespace
