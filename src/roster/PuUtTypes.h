#pragma once

// The typed value of one key=value item of a PlayerLine or an .int object
// line, and the number text of rosters. Rosters travel between machines, so
// numbers are always written and read with "." whatever the process locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace roster {

// Whoever reads a roster may be asked for a number it cannot read. The
// model asks through this question; the editor answers it with an input
// box, a batch reader may leave it out (no asker: the offered text comes
// back unchanged).
class TInputQuery {
 public:
  virtual ~TInputQuery() = default;
  // Caption, prompt and the offered text in; the typed text, or nothing
  // when the user cancelled.
  virtual std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                                const std::string& text) = 0;
};

// What the last setter of a TUtType stored.
enum : std::uint8_t {
  utkNone = 0,
  utkString = 1,
  utkFloat = 3,
  utkBoolean = 4,
};

// The item without everything up to and including its first "="; the item
// unchanged when it has no "=".
std::string ValuePart(std::string_view s);

// The number as a PlayerLine stores it: two decimals rounded half away from
// zero, "." as separator, "+" before values above zero, one trailing "0"
// dropped (0.3 gives "+0.3", 1 gives "+1.0", -0.004 gives "0.0"); "+INF",
// "-INF" and "NAN" for values that are not finite.
std::string FloatText(double d);

// Reads an optional sign, digits with at most one ".", and an optional
// exponent, and nothing else; nothing when the text is not such a number
// or is out of the range of a double.
std::optional<double> ReadFloat(std::string_view s);

// Reads an optional sign and decimal digits within the 32-bit range.
std::optional<std::int32_t> ReadInteger(std::string_view s);

// The text between one pair of surrounding double quotes; a lone double
// quote gives the empty text; any other text comes back unchanged.
std::string Unquote(std::string_view s);
// A DecoText value as a TextRef resolves to it: without the double quotes
// around it, but a bare "" stays as it is.
std::string UnquoteDecoText(std::string_view s);

class TUtType {
 public:
  std::string Value;
  std::uint8_t Kind = utkNone;

  void SetString(const std::string& s);
  void SetFloat(double d);
  void SetBoolean(bool b);

  // Kind text: one pair of surrounding double quotes removed.
  std::string AsString() const;
  // The number; a value that cannot be read is offered to the user through
  // `ask` ("Illegal floating-point value detected!"), unless it starts with
  // "+". Raises EConvertError when no number comes of it.
  double AsFloat(TInputQuery* ask = nullptr) const;
  // An integer whose lowest 8 bits are not all zero, or a non-zero number.
  bool AsBoolean(TInputQuery* ask = nullptr) const;
  // The value read as a TextRef ("Package.Key") and resolved through the
  // DecoText section of the cached Package.int; the value itself when it
  // cannot be resolved.
  std::string AsIntString() const;
  // AsIntString with every "|" turned into a carriage return.
  std::string AsIntText() const;
};

}  // namespace roster
