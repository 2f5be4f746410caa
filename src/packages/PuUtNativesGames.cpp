#include "packages/PuUtNativesGames.h"

namespace packages {

const TNativeFunctions* GameSpecificNatives(int gameCode) {
  switch (gameCode) {
    case 3: return &NativesWheelOfTime;
    case 4: return &NativesKlingonHonorGuard;
    case 5: return &NativesRune;
    case 6: return &NativesUndying;
    case 7: return &NativesDeusEx;
    // 9, Deep Space Nine: no public list of its natives exists; the caller
    // falls back to NativesDefault.
    default: return nullptr;
  }
}

}  // namespace packages
