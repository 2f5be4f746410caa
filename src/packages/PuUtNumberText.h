#pragma once

// Numbers as the package reader shows them, the same in every locale.

#include <charconv>
#include <string>

namespace packages {

// Fixed notation with two decimals and "." as the separator: 0.5 is "0.50".
inline std::string FormatUTFloat(double value) {
  char text[400];  // the widest double in fixed notation fits
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
  return std::string(text, result.ptr);
}

}  // namespace packages
