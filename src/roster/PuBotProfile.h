#pragma once

// A bot's profile as the game presents it: salary, species, favourite
// weapon and four ratings, one caption and one value per row.

#include <string>
#include <vector>

#include "roster/PuBotCharacter.h"
#include "roster/StringList.h"

namespace roster {

struct TProfileRow {
  std::string Caption;
  std::string Value;
};

// The seven rows "Salary", "Species", "Favourite weapon", "Accuracy",
// "Agility", "Tactics" and "Aggressiveness". Names come from the display
// names of `weapons` and `species` (lines "reference=name"); a reference
// the list lacks shows as an empty value.
std::vector<TProfileRow> ProfileRows(const TBotCharacter& bot, const TStringList& weapons,
                                     const TStringList& species);

// A value as a whole number, halves away from zero ("%.0f" as the game's
// tools wrote it); a value that rounds to zero has no minus sign.
std::string WholeNumberText(double value);

}  // namespace roster
