#include "roster/PuUtObject.h"

#include <string_view>

#include "roster/LineParts.h"
#include "roster/PuIntFile.h"
#include "roster/PuUtTypes.h"

namespace roster {

std::unique_ptr<TUtObjectList> UtObjects;

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

TUtObjectList& UtObjectList() {
  if (!UtObjects) UtObjects = std::make_unique<TUtObjectList>();
  return *UtObjects;
}

void LoadUtObjects(const std::string& intFileName) {
  const TIntFile* file = IntFileList().Find(intFileName);
  if (!file) return;
  TUtObjectList& objects = UtObjectList();
  for (const std::string& line : file->ReadObjects()) {
    auto object = std::make_unique<TMyUtObject>();
    object->ParseObjectLine(line.substr(line.find('=') + 1));
    const std::string& name = object->GetName();
    // Several packages may declare the same object; the first declaration
    // wins and the rest of the game's files still load.
    if (name.empty() || objects.IndexOf(name) >= 0) continue;
    const std::size_t dot = name.find('.');
    const std::string section = dot == std::string::npos ? name : name.substr(dot + 1);
    if (const auto itemName = file->ReadValue(section, "ItemName")) object->ItemName = Unquote(*itemName);
    objects.Add(name, std::move(object));
  }
}

void LoadAllUtObjects() {
  const TIntFileList& files = IntFileList();
  for (int i = 0; i < files.Count(); ++i) LoadUtObjects(files.Name(i));
}

void FreeUtObjects() { UtObjects.reset(); }

}  // namespace roster
