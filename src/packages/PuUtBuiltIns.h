#pragma once

// Enumerations and structures whose layout the reader knows without any
// script package: the texture classes' byte enumerations and the engine's
// small value structures (vectors, colours, rotators ...). Values of these
// types show with names and members even in a texture package that carries
// no script definitions.

#include <string>
#include <string_view>
#include <vector>

#include "packages/PuUtPropertyType.h"

namespace packages {

struct TKnownEnumValues {
  std::string Name;
  std::vector<std::string> Values;  // index = value
};

struct TKnownStructElement {
  std::string Name;
  std::string TypeName;  // structure, class or enumeration of the member; empty for plain types
  TUTPropertyType PropertyType = ptNone;
};

// The process-wide enumeration table, in registration order. It starts with
// the built-in enumerations already registered.
std::vector<TKnownEnumValues>& KnownEnums();

// Appends a row; an existing row of the same name is not replaced (lookups
// take the first).
void RegisterEnum(const std::string& name, const std::vector<std::string>& values);

// Empties the table and registers ESheerAxis, EDropType and ESparkType.
void RegisterBuiltInEnums();

// The name of `value` in the first enumeration called `enumName` (without
// regard to case); empty when there is no such enumeration or value.
std::string GetEnumValueName(std::string_view enumName, int value);

// The members of the built-in structure `name` (without regard to case),
// in stored order; null when it is not built in.
const std::vector<TKnownStructElement>* BuiltInStructMembers(std::string_view name);

bool IsBuiltInStruct(std::string_view name);
int BuiltInStructFieldCount(std::string_view name);

// Fills `element` with member `index` of the built-in structure; false (and
// `element` unchanged) for a name that is not built in or an index outside
// its members.
bool FormatBuiltInStruct(std::string_view structName, int index, TKnownStructElement& element);

}  // namespace packages
