#pragma once

// Native functions and operators of the engine games the reader knows.
// Script bytecode calls natives by number; each game numbers them its own
// way, so a package keeps a copy of its game's table and the bytecode walk
// looks numbers up in it.

#include <cstdint>
#include <string>
#include <vector>

#include "packages/PuUtGames.h"

namespace packages {

enum TNativeFunctionKind : std::uint8_t {
  nfFunction = 0,
  nfPrefixOperator = 1,
  nfPostfixOperator = 2,
  nfBinaryOperator = 3,
};

struct TNativeFunction {
  std::int32_t Index;      // native number, 112 or more; the lookup key
  std::uint8_t Kind;       // TNativeFunctionKind
  std::uint8_t Precedence; // binding strength of binary operators, else 0
  std::string Name;        // function name or operator symbol as in script source
};

using TNativeFunctions = std::vector<TNativeFunction>;

// Built while the program starts: other units must not read them from
// their own static initialisers (the order across units is not fixed).
extern const TNativeFunctions NativesDefault;
extern const TNativeFunctions NativesNerf;
extern const TNativeFunctions NativesUT2003;

// The table a game code selects; NativesDefault for any code without one.
const TNativeFunctions& NativesForGame(TUTGameCode game);

// The first row whose Index is `index`, scanning from the first row; null
// when there is none.
const TNativeFunction* FindNative(const TNativeFunctions& table, int index);

}  // namespace packages
