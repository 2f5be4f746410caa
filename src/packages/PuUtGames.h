#pragma once

// The engine games a package can belong to. The code selects the native
// table of the bytecode walk and steers some content readers.

#include <cstdint>

namespace packages {

using TUTGameCode = std::uint8_t;
enum : TUTGameCode {
  gameUnknown = 0,
  gameUnreal = 1,
  gameUnrealTournament = 2,
  gameWheelOfTime = 3,
  gameKlingonHonorGuard = 4,
  gameRune = 5,
  gameUndying = 6,
  gameDeusEx = 7,
  gameXComEnforcer = 8,
  gameDeepSpaceNine = 9,
  gameNerf = 10,
  gameUT2003 = 11,
  gameArmyOperations = 12,
};

// The names of the game codes, indexed by code.
extern const char* const UTGameNames[13];

// Packages of the later engine generation (Unreal Tournament 2003 and 2004
// and the games built on that engine, file version 119 on) give some tag
// types, script tokens and object layouts a meaning of their own.
constexpr bool IsSecondGeneration(int fileVersion) { return fileVersion >= 119; }

}  // namespace packages
