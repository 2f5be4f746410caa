#include "roster/PuUtTypes.h"

#include <charconv>

#include "platform/AsciiText.h"
#include "platform/FixedText.h"
#include "roster/LineParts.h"
#include "roster/PuGameFiles.h"
#include "roster/RosterErrors.h"

namespace roster {

namespace {

EConvertError NotAFloat(std::string_view s) {
  std::string message(1, '\'');
  message.append(s);
  message.append("' is not a valid floating point value");
  return EConvertError(message);
}

}  // namespace

std::string ValuePart(std::string_view s) {
  return std::string(LineValue(s).value_or(s));
}

std::string FloatText(double d) {
  std::string text = platform::FormatFixed2(d);
  if (d > 0) text.insert(0, 1, '+');
  if (text.back() == '0') text.pop_back();
  return text;
}

std::optional<double> ReadFloat(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && platform::IsAsciiDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && platform::IsAsciiDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t expStart = i;
    while (i < s.size() && platform::IsAsciiDigit(s[i])) ++i;
    if (i == expStart) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  // from_chars takes no "+" sign; the grammar is checked above, so it sees
  // nothing but a plain decimal number.
  const std::string_view body = s[0] == '+' ? s.substr(1) : s;
  double value = 0;
  const auto res = std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != body.data() + body.size()) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ReadInteger(std::string_view s) {
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (!s.empty() && s.front() == '-') return std::nullopt;
  }
  if (s.empty() || (s.size() == 1 && s.front() == '-')) return std::nullopt;
  std::int32_t value = 0;
  const auto res = std::from_chars(s.data(), s.data() + s.size(), value, 10);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return std::nullopt;
  return value;
}

std::string Unquote(std::string_view s) {
  if (s.empty() || s.front() != '"' || s.back() != '"') return std::string(s);
  if (s.size() == 1) return std::string();
  return std::string(s.substr(1, s.size() - 2));
}

std::string UnquoteDecoText(std::string_view s) {
  if (s.size() > 2 && s.front() == '"' && s.back() == '"') return std::string(s.substr(1, s.size() - 2));
  return std::string(s);
}

void TUtType::SetString(const std::string& s) {
  Value = s;
  Kind = utkString;
}

void TUtType::SetFloat(double d) {
  Value = FloatText(d);
  Kind = utkFloat;
}

void TUtType::SetBoolean(bool b) {
  Value.assign(1, b ? '1' : '0');
  Kind = utkBoolean;
}

std::string TUtType::AsString() const { return Kind == utkString ? Unquote(Value) : Value; }

double TUtType::AsFloat(TInputQuery* ask) const {
  if (!Value.empty() && Value.front() == '+') {
    const std::string_view rest = std::string_view(Value).substr(1);
    if (const auto v = ReadFloat(rest)) return *v;
    throw NotAFloat(rest);
  }
  if (const auto v = ReadFloat(Value)) return *v;
  std::optional<std::string> typed;
  if (ask) typed = ask->InputQuery("Illegal floating-point value detected!", "Value :", Value);
  const std::string answer = typed.value_or(Value);  // Cancel gives back the offered text
  if (const auto v = ReadFloat(answer)) return *v;
  throw NotAFloat(answer);
}

bool TUtType::AsBoolean(TInputQuery* ask) const {
  if (const auto i = ReadInteger(Value)) return (static_cast<std::uint32_t>(*i) & 0xFFu) != 0;
  return AsFloat(ask) != 0;
}

std::string TUtType::AsIntString() const {
  const std::size_t dot = Value.find('.');
  if (dot == std::string::npos) return Value;
  const TIntFile* file = GameFiles().IntFiles().Find(Value.substr(0, dot) + ".int");
  if (!file) return Value;
  const std::optional<std::string> text = file->ReadValue("DecoText", std::string_view(Value).substr(dot + 1));
  if (!text) return Value;
  return UnquoteDecoText(*text);
}

std::string TUtType::AsIntText() const {
  std::string text = AsIntString();
  for (char& c : text)
    if (c == '|') c = '\r';
  return text;
}

}  // namespace roster
