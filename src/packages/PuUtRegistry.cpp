#include "packages/PuUtRegistry.h"

#include "platform/AsciiText.h"

namespace packages {

namespace {

// Function-local so that registrations from other units' start-up code
// never run before the table exists.
std::vector<TUTClassRegistry>& Rows() {
  static std::vector<TUTClassRegistry> rows;
  return rows;
}

}  // namespace

void RegisterUTObjectClass(std::string_view name, TUTObjectClassRef classRef) {
  const std::string key = platform::LowerCase(name);
  for (auto& row : Rows()) {
    if (row.Name == key) {
      row.ClassRef = classRef;
      return;
    }
  }
  Rows().push_back({key, classRef});
}

TUTObjectClassRef GetUTObjectClass(std::string_view name) {
  const std::string key = platform::LowerCase(name);
  for (const auto& row : Rows())
    if (row.Name == key) return row.ClassRef;
  return UTObjectClass<TUTObject>();
}

const std::vector<TUTClassRegistry>& UTObjectClassRegistry() { return Rows(); }

void ClearUTObjectClasses() { Rows().clear(); }

}  // namespace packages
