#pragma once

// Internal to the value formatter: what one request carries while it
// formats a value and its members.

#include <string>
#include <string_view>

#include "packages/PuUtObjectReading.h"
#include "packages/PuUtProperty.h"
#include "packages/PuUtStream.h"

namespace packages {

struct TUTValueContext {
  // The package the value bytes were read from: names, object references
  // and nested tags in them refer to its tables, also for members whose
  // definition lies in another package.
  TUTPackage& Values;
  // The package in which definitions are searched; a sibling package once
  // a struct definition was found there.
  TUTPackage& Definitions;
  // The object that owns the value: a class, a struct definition, an
  // actor; null inside array elements.
  TUTObject* Owner;
  // Reads the value bytes; its position is shared by all members.
  TUTStream& Stream;
  // All of the value bytes, for the types shown raw.
  const TUTBytes& Bytes;
  // Structure members formatted so far for this value, shared by all
  // nesting levels.
  int& Members;
  // Arrays and structures being formatted around the value, counted over
  // the whole read, array elements included.
  int& Nesting;
  // The value's declaration when it is at hand (a member of a defined
  // structure, an element of an array); null for a tag, whose declaration
  // is searched through its owner's class.
  TUTObjectClassProperty* Declaration = nullptr;
};

// Follows the owner's class and its parents, through sibling packages,
// for a declaration of class `className` named `name`. What the search
// from a class finds is kept by c.Definitions, so that it is made once for
// as long as that package lasts. Needs c.Owner.
TUTDeclarationFound FindDeclaration(const TUTValueContext& c, const std::string& name, std::string_view className);

// The declaration of class T (`className` in the tables) of the property
// `name`: the one at hand, or the one found through the owner's class;
// null when there is neither. `found` says where the search ended.
template <class T>
T* FindDeclarationOf(const TUTValueContext& c, const std::string& name, std::string_view className,
                     TUTDeclarationFound& found) {
  if (auto* declared = dynamic_cast<T*>(c.Declaration)) {
    found = {&declared->GetOwner(), declared->ExportIndex(), {}};
    return declared;
  }
  if (!c.Owner) {
    found = {&c.Definitions, -1, {}};
    return nullptr;
  }
  found = FindDeclaration(c, name, className);
  return found.Index < 0 ? nullptr : ExportObjectAs<T>(*found.Package, found.Index + 1);
}

// The value of `type` at the stream's position into `out`; `hint` is the
// declared type (enumeration or struct name), `name` the property's or
// member's name. An `elementIndex` of 0 or more picks one struct member.
void FormatUTValue(const TUTValueContext& c, TUTPropertyType type, const std::string& hint, const std::string& name,
                   int elementIndex, TUTPropertyValue& out);

// The name of byte value `b` of the byte property or member `name` whose
// declared type is `hint`, searched in the built-in enumerations, the
// package's cache and the script definitions; empty when none is found.
// Sets out.TypeName as the search finds the type.
std::string FindEnumValueName(const TUTValueContext& c, const std::string& hint, const std::string& name,
                              std::uint8_t b, TUTPropertyValue& out);

}  // namespace packages
