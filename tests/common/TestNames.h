#pragma once

// Names for the cases of parameterised tests, so that a list of tests reads
// as what each case checks instead of as the bytes of its parameter.

#include <cctype>
#include <cstddef>
#include <sstream>
#include <string>
#include <string_view>

namespace testing_support {

// `text` as a test name: letters and digits kept, "-" and "+" spelled Minus
// and Plus, other characters made "_"; "Empty" when nothing is left.
inline std::string TestName(std::string_view text) {
  std::string name;
  for (char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    else if (c == '-') name += "Minus";
    else if (c == '+') name += "Plus";
    else if (!name.empty() && name.back() != '_') name += '_';
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "Empty" : name;
}

// The same, numbered with the case's position, for lists whose texts may repeat.
inline std::string TestName(std::string_view text, std::size_t index) {
  return TestName(text) + "_" + std::to_string(index);
}

// A number as it is written in the case (0.25, not 0.250000).
inline std::string NumberText(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

}  // namespace testing_support
