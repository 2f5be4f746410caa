#include "roster/PuBotProfile.h"

#include <cmath>
#include <cstdio>

#include "platform/AsciiText.h"

namespace roster {

namespace {

std::string DisplayName(const TStringList& list, const std::string& reference) {
  const int line = list.IndexOfName(reference);
  return line < 0 ? std::string() : list.ValueFromIndex(line);
}

std::string Percent(double rating) { return WholeNumberText(rating) + " %"; }

}  // namespace

std::string WholeNumberText(double value) {
  if (!std::isfinite(value)) return value > 0 ? "INF" : value < 0 ? "-INF" : "NAN";
  const double whole = std::round(value);
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", whole == 0 ? 0.0 : whole);
  return text;
}

std::vector<TProfileRow> ProfileRows(const TBotCharacter& bot, const TStringList& weapons,
                                     const TStringList& species) {
  const std::string weapon = platform::Trim(bot.GetFavoriteWeapon()).empty()
                                 ? std::string("- no favourite -")
                                 : DisplayName(weapons, bot.GetFavoriteWeapon());
  return {
      {"Salary", WholeNumberText(bot.Salary()) + " Credits"},
      {"Species", DisplayName(species, bot.GetSpecies())},
      {"Favourite weapon", weapon},
      {"Accuracy", Percent(bot.AccuracyRating())},
      {"Agility", Percent(bot.AgilityRating())},
      {"Tactics", Percent(bot.TacticsRating())},
      {"Aggressiveness", Percent(bot.AggressivenessRating())},
  };
}

}  // namespace roster
