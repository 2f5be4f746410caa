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
  return SkillRating(2 * Accuracy_, 20, 75, 55, 95);
}

double TBotCharacter::TacticsRating() const { return SkillRating(Tactics_, 20, 75, 55, 95); }

double TBotCharacter::AgilityRating() const {
  const double j = bJumpy_ ? 3 : 0;
  return SkillRating(StrafingAbility_, 17, 75 + j, 58 + j, 92 + j);
}

double TBotCharacter::AggressivenessRating() const {
  return std::clamp((Aggressiveness_ + CombatStyle_) * 25 + 73, 0.0, 100.0);
}

double TBotCharacter::Salary() const {
  double salary = 500;
  if (FavoriteWeapon_.empty()) salary += 20;
  if (bJumpy_) salary += 30;
  salary += 150 * Accuracy_;
  if (Accuracy_ > 0.5) salary += 250 * (Accuracy_ - 0.5);
  salary += 150 * ReactionTime_;
  // Unlike the other skills, a slow reaction below -0.5 costs extra too.
  if (std::fabs(ReactionTime_) > 0.5) salary += 250 * (ReactionTime_ - 0.5);
  salary += 70 * Tactics_;
  if (Tactics_ > 0.5) salary += 100 * (Tactics_ - 0.5);
  salary += 100 * StrafingAbility_;
  if (StrafingAbility_ > 0.5) salary += 150 * (StrafingAbility_ - 0.5);
  salary -= 5 * std::fabs(Aggressiveness_);
  salary -= 5 * std::fabs(CombatStyle_);
  return salary;
}

}  // namespace roster
