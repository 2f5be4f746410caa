#include "roster/PuUtObject.h"

#include <string_view>

#include "roster/LineParts.h"
#include "roster/PuUtTypes.h"

namespace roster {

void TMyUtObject::ParseObjectLine(const std::string& s) {
  std::string_view rest = s;
  if (!rest.empty() && rest.front() == '(') rest.remove_prefix(1);
  rest = WithoutClosingParenthesis(rest);
  ForEachItem(rest, [this](const std::string& item) { ApplyItem(item); });
}

void TMyUtObject::ApplyItem(const std::string& item) {
  TUtType v;
  v.SetString(ValuePart(item));
  // Object-line keys keep their case, unlike PlayerLine keys; the game's
  // files spell the description key "Destription".
  const std::string_view text = item;
  if (text.starts_with("Name")) SetName(v.AsString());
  if (text.starts_with("Class")) SetObjectClass(v.AsString());
  if (text.starts_with("MetaClass")) SetMetaClass(v.AsString());
  if (text.starts_with("Destription")) SetDescription(v.AsString());
}

}  // namespace roster
