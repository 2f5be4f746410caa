#pragma once

// Numbers as the package reader shows them, the same in every locale.

#include <string>

#include "platform/FixedText.h"

namespace packages {

// Fixed notation with two decimals and "." as the separator, rounded as
// the game's tools round: 0.5 is "0.50", 0.125 is "0.13".
inline std::string FormatUTFloat(double value) { return platform::FormatFixed2(value); }

}  // namespace packages
