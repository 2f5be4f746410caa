#include "roster/PuUtTypes.h"

namespace roster {

std::string ValuePart(std::string_view s) {
  const std::size_t eq = s.find('=');
  return std::string(eq == std::string_view::npos ? s : s.substr(eq + 1));
}

std::string FloatText(double) { return "0.0"; }
std::optional<double> ReadFloat(std::string_view) { return std::nullopt; }
std::optional<std::int32_t> ReadInteger(std::string_view) { return std::nullopt; }

void TUtType::SetString(const std::string& s) { Value = s; Kind = utkString; }
void TUtType::SetFloat(double d) { Value = FloatText(d); Kind = utkFloat; }
void TUtType::SetBoolean(bool b) { Value = b ? "1" : "0"; Kind = utkBoolean; }
std::string TUtType::AsString() const { return Value; }
double TUtType::AsFloat() const { return 0; }
bool TUtType::AsBoolean() const { return false; }
std::string TUtType::AsIntString() const { return Value; }
std::string TUtType::AsIntText() const { return Value; }

}  // namespace roster
