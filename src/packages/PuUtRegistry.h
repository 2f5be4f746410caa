#pragma once

// The process-wide registry from a package class name to the reader's
// object class. Filled once at start-up, read afterwards; not locked.

#include <string>
#include <string_view>
#include <vector>

#include "packages/PuUtObject.h"

namespace packages {

struct TUTClassRegistry {
  std::string Name;  // lower case
  TUTObjectClassRef ClassRef;
};

// Registers or re-registers a class name (without regard to case); a
// re-registration keeps the row's place.
void RegisterUTObjectClass(std::string_view name, TUTObjectClassRef classRef);
// The class for a class name, TUTObject's when none is registered.
TUTObjectClassRef GetUTObjectClass(std::string_view name);
// The rows in order of first registration.
const std::vector<TUTClassRegistry>& UTObjectClassRegistry();
// Empties the registry, as at start-up.
void ClearUTObjectClasses();

// The texture and script class sets, registered by the editor at start-up
// in this order. Defined with those classes.
void RegisterTextureClasses();
void RegisterScriptClasses();

}  // namespace packages
