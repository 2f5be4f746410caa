#include "roster/PuUtObject.h"

namespace roster {

std::unique_ptr<TUtObjectList> UtObjects;

void TMyUtObject::ParseObjectLine(const std::string&) {}
void TMyUtObject::ApplyItem(const std::string&) {}

TUtObjectList& UtObjectList() {
  if (!UtObjects) UtObjects = std::make_unique<TUtObjectList>();
  return *UtObjects;
}
void LoadUtObjects(const std::string&) {}
void LoadAllUtObjects() {}
void FreeUtObjects() { UtObjects.reset(); }

}  // namespace roster
