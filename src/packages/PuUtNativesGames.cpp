#include "packages/PuUtNativesGames.h"

namespace packages {

const TNativeFunctions* GameSpecificNatives(TUTGameCode game) {
  switch (game) {
    case gameWheelOfTime: return &NativesWheelOfTime;
    case gameKlingonHonorGuard: return &NativesKlingonHonorGuard;
    case gameRune: return &NativesRune;
    case gameUndying: return &NativesUndying;
    case gameDeusEx: return &NativesDeusEx;
    // Deep Space Nine: no public list of its natives exists; the caller
    // falls back to NativesDefault.
    default: return nullptr;
  }
}

}  // namespace packages
