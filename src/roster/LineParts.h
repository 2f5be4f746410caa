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

namespace line_parts {

inline bool IsBlank(char c) { return static_cast<unsigned char>(c) < 33; }

inline bool IsKeyCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Whether the "," at `comma` begins another item: blanks aside, a key of
// letters, digits and "_" follows, then "=".
inline bool ItemStartsAt(std::string_view text, std::size_t comma) {
  std::size_t i = comma + 1;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const std::size_t key = i;
  while (i < text.size() && IsKeyCharacter(text[i])) ++i;
  if (i == key) return false;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i < text.size() && text[i] == '=';
}

// Where a quoted value ends: the first double quote at or after `from`
// that only blanks separate from the next "," or from the end of `text`.
// The value cannot run past the start of another item; `stop` is then
// set to where the search gave up (that item's "," or the end) and the
// result is npos.
inline std::size_t ClosingQuote(std::string_view text, std::size_t from, std::size_t& stop) {
  for (std::size_t i = text.find_first_of("\",", from); i != std::string_view::npos;
       i = text.find_first_of("\",", i + 1)) {
    if (text[i] == ',') {
      if (ItemStartsAt(text, i)) {
        stop = i;
        return std::string_view::npos;
      }
      continue;
    }
    std::size_t next = i + 1;
    while (next < text.size() && IsBlank(text[next])) ++next;
    if (next == text.size() || text[next] == ',') return i;
  }
  stop = text.size();
  return std::string_view::npos;
}

}  // namespace line_parts

// Hands each item of `text` to `apply`, trimmed of bytes below 33. Items
// are separated by ",", except inside a value that begins with a double
// quote: such a value runs to its closing quote, the first one followed
// (blanks aside) by "," or the end, and may hold "," and ")" (names and
// biographies written inline are prose). It never runs past the start of
// another item, a "," followed by a key and "=": a quote not closed before
// that does not count, and its item ends at the next "," as any other, so
// that a typing error costs one item, not the rest of the line.
template <typename Apply>
void ForEachItem(std::string_view text, Apply apply) {
  constexpr std::size_t npos = std::string_view::npos;
  // A search for a closing quote that gave up at `noCloseBefore` finds
  // none either from any later place before it; remembered, so that a long
  // line of unclosed quotes and commas is not searched again once per item.
  std::size_t noCloseBefore = 0;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find(',', start);
    const std::size_t eq = text.substr(start, end == npos ? npos : end - start).find('=');
    if (eq != npos) {
      // Only a quote right after the "=" opens a quoted value: one the
      // reader then takes for text in quotes (TUtType::AsString).
      const std::size_t value = start + eq + 1;
      if (value < text.size() && text[value] == '"' && value + 1 >= noCloseBefore) {
        const std::size_t close = line_parts::ClosingQuote(text, value + 1, noCloseBefore);
        if (close != npos) end = text.find(',', close);
      }
    }
    apply(platform::Trim(text.substr(start, end == npos ? npos : end - start)));
    if (end == npos) return;
    start = end + 1;
  }
}

}  // namespace roster
