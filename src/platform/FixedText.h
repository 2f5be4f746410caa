#pragma once

// Fixed-point number text with two decimals, as the game's own tools write
// numbers: the rounding works on the value's decimal expansion taken to 18
// significant digits, a 5 in the third decimal rounds away from zero (0.125
// gives "0.13", where a round-half-to-even formatter gives "0.12"), a value
// that rounds to zero has no minus sign, and the separator is "." whatever
// the process locale.

#include <string>

namespace platform {

// "0.13", "-2.00", "0.00"; "NAN", "INF" and "-INF" for values that are not
// finite.
std::string FormatFixed2(double d);

}  // namespace platform
