#pragma once

// Text helpers for the game's 8-bit files. The game compares its keys and
// file names without regard to case, ASCII letters only: Latin-1 letters in
// a bot's name must survive untouched, and nothing may depend on the
// process locale, so none of this goes through <cctype> or <locale>.

#include <string>
#include <string_view>

namespace platform {

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);

// Equal without regard to ASCII case.
bool SameText(std::string_view a, std::string_view b);

// Order of a sorted case-insensitive list: by the upper-cased text, then by
// the bytes themselves (compared unsigned) so that the order is total.
int CompareText(std::string_view a, std::string_view b);
struct TextLess {
  bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
};

// Keys that are equal without regard to case are one key.
struct TextLessIgnoringCase {
  bool operator()(std::string_view a, std::string_view b) const;
};

bool StartsText(std::string_view prefix, std::string_view s);
bool EndsText(std::string_view suffix, std::string_view s);
// Position of needle in haystack without regard to case, or npos.
std::size_t FindText(std::string_view haystack, std::string_view needle);

// Trimming removes bytes below 33 (space and control characters), compared
// as unsigned so that bytes above 127 are kept.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Whether `s` holds a byte below 32 or DEL (127).
bool HasControlCharacter(std::string_view s);

// `s` for a message: a text longer than `most` bytes keeps its beginning
// and its end around "...", so that a message quoting a file's contents
// stays short enough to be shown.
std::string Excerpt(std::string_view s, std::size_t most = 200);

}  // namespace platform
