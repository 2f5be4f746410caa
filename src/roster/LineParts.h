#pragma once

// Pieces of the game's "key=value" texts shared by the roster readers.

#include <optional>
#include <string>
#include <string_view>

#include "platform/AsciiText.h"

namespace roster {

// The text before a line's first "="; nothing when the line has none, so
// that such a line never matches a key.
inline std::optional<std::string_view> LineName(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return line.substr(0, eq);
}

// The text after a line's first "="; nothing when the line has none.
inline std::optional<std::string_view> LineValue(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return line.substr(eq + 1);
}

// `text` without its closing ")". Blanks after the ")" (a hand-edited file
// often keeps some) are dropped with it; otherwise the ")" would stay on
// the last item and be written back into the file inside its value.
inline std::string_view WithoutClosingParenthesis(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && static_cast<unsigned char>(text[end - 1]) < 33) --end;
  if (end > 0 && text[end - 1] == ')') return text.substr(0, end - 1);
  return text;
}

// Hands each ","-separated item of `text` to `apply`, trimmed of bytes
// below 33. There is no escaping: a "," inside double quotes separates too.
template <typename Apply>
void ForEachItem(std::string_view text, Apply apply) {
  for (std::size_t comma; (comma = text.find(',')) != std::string_view::npos; text.remove_prefix(comma + 1))
    apply(platform::Trim(text.substr(0, comma)));
  apply(platform::Trim(text));
}

}  // namespace roster
