// The bot profile's ratings and salary. The break points and constants are
// the game community's rating scheme; the ratings are deliberately not
// limited below and jump at their lower break point.

#include <algorithm>
#include <cmath>

#include "roster/PuBotCharacter.h"

namespace roster {

namespace {

// The shape shared by the accuracy, tactics and agility ratings.
double SkillRating(double x, double slope, double base, double lowBase, double topBase) {
  if (x < -1) return 8 * std::max(x, -7.0) + lowBase;
  if (x < 1) return slope * x + base;
  return std::min(x + topBase, 100.0);
}

}  // namespace

double TBotCharacter::AccuracyRating() const {
  // The break points apply to twice the accuracy; the middle slope of 40
  // per unit of accuracy is 20 per unit of that doubled value.
  return SkillRating(2 * FAccuracy, 20, 75, 55, 95);
}

double TBotCharacter::TacticsRating() const { return SkillRating(FTactics, 20, 75, 55, 95); }

double TBotCharacter::AgilityRating() const {
  const double j = FBJumpy ? 3 : 0;
  return SkillRating(FStrafingAbility, 17, 75 + j, 58 + j, 92 + j);
}

double TBotCharacter::AggressivenessRating() const {
  return std::clamp((FAggressiveness + FCombatStyle) * 25 + 73, 0.0, 100.0);
}

double TBotCharacter::Salary() const {
  double salary = 500;
  if (FFavoriteWeapon.empty()) salary += 20;
  if (FBJumpy) salary += 30;
  salary += 150 * FAccuracy;
  if (FAccuracy > 0.5) salary += 250 * (FAccuracy - 0.5);
  salary += 150 * FReactionTime;
  // Unlike the other skills, a slow reaction below -0.5 costs extra too.
  if (std::fabs(FReactionTime) > 0.5) salary += 250 * (FReactionTime - 0.5);
  salary += 70 * FTactics;
  if (FTactics > 0.5) salary += 100 * (FTactics - 0.5);
  salary += 100 * FStrafingAbility;
  if (FStrafingAbility > 0.5) salary += 150 * (FStrafingAbility - 0.5);
  salary -= 5 * std::fabs(FAggressiveness);
  salary -= 5 * std::fabs(FCombatStyle);
  return salary;
}

}  // namespace roster
