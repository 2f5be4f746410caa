#pragma once

// The native tables of the other engine games (Wheel of Time, Klingon Honor
// Guard, Rune, Undying, Deus Ex, Deep Space Nine), taken from those games'
// own script sources.

#include "packages/PuUtNatives.h"

namespace packages {

// The table of one of those games, or null when the game code names none
// of them (or its table is not known).
const TNativeFunctions* GameSpecificNatives(int gameCode);

}  // namespace packages
