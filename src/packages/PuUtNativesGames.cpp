#include "packages/PuUtNativesGames.h"

namespace packages {

const TNativeFunctions* GameSpecificNatives(int) { return nullptr; }

}  // namespace packages
