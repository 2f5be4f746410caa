#include "platform/FixedText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "platform/AsciiText.h"

namespace platform {

namespace {

// The value's decimal digits taken to 18 significant digits, and the power
// of ten of the first one.
struct TDecimal {
  bool Negative = false;
  std::string Digits;  // 18 digits, the first non-zero unless the value is 0
  int Exponent = 0;    // value = 0.Digits x 10^(Exponent + 1)
};

TDecimal Decimal18(double d) {
  std::array<char, 64> buf{};
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), d, std::chars_format::scientific, 17);
  std::string_view text(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
  TDecimal dec;
  if (!text.empty() && text.front() == '-') {
    dec.Negative = true;
    text.remove_prefix(1);
  }
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e))
    if (IsAsciiDigit(c)) dec.Digits += c;
  std::string_view exp = text.substr(e + 1);
  if (!exp.empty() && exp.front() == '+') exp.remove_prefix(1);
  std::from_chars(exp.data(), exp.data() + exp.size(), dec.Exponent);
  return dec;
}

// Hundredths of the value's magnitude as decimal digits, rounded with a 5
// in the third decimal going away from zero.
std::string Hundredths(const TDecimal& dec) {
  const int keep = dec.Exponent + 3;  // digits up to the second decimal
  if (keep < 0) return "0";
  const int n = static_cast<int>(dec.Digits.size());
  std::string kept = dec.Digits.substr(0, static_cast<std::size_t>(std::min(keep, n)));
  if (keep > n) kept.append(static_cast<std::size_t>(keep - n), '0');
  const bool roundUp = keep < n && dec.Digits[static_cast<std::size_t>(keep)] >= '5';
  if (roundUp) {
    int i = static_cast<int>(kept.size()) - 1;
    for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i) kept[static_cast<std::size_t>(i)] = '0';
    if (i >= 0)
      ++kept[static_cast<std::size_t>(i)];
    else
      kept.insert(kept.begin(), '1');
  }
  const std::size_t firstNonZero = kept.find_first_not_of('0');
  return firstNonZero == std::string::npos ? "0" : kept.substr(firstNonZero);
}

}  // namespace

std::string FormatFixed2(double d) {
  if (d != d) return "NAN";
  if (d == std::numeric_limits<double>::infinity()) return "INF";
  if (d == -std::numeric_limits<double>::infinity()) return "-INF";
  const TDecimal dec = Decimal18(d);
  std::string digits = Hundredths(dec);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  std::string text;
  if (dec.Negative && digits != "000") text = "-";
  text += digits.substr(0, digits.size() - 2);
  text += '.';
  text += digits.substr(digits.size() - 2);
  return text;
}

}  // namespace platform
