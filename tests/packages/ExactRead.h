#pragma once

// A probe for record layouts: an object class that reads as T does, then
// notes when bytes of the record are left over. A reader that gets a layout
// wrong almost never ends exactly at the end.

#include <string>
#include <vector>

#include "packages/PuUtObject.h"
#include "packages/PuUtRegistry.h"

namespace exact_read {

// "<full name> (<n> left)" of every record read short since the last clear.
inline std::vector<std::string>& Leftovers() {
  static std::vector<std::string> names;
  return names;
}

template <class T>
class TExactRead : public T {
 public:
  using T::T;

 protected:
  void ReadData() override {
    T::ReadData();
    if (this->Buffer().Remaining() != 0)
      Leftovers().push_back(this->GetFullName() + " (" + std::to_string(this->Buffer().Remaining()) + " left)");
  }
};

// Registers the probe of T under the package class name `name`.
template <class T>
void Probe(const char* name) {
  packages::RegisterUTObjectClass(name, packages::UTObjectClass<TExactRead<T>>());
}

}  // namespace exact_read
