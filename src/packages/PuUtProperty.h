#pragma once

// Tagged properties: one tag with its raw value bytes, and the list in
// which an object keeps its properties.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "packages/PuUtPropertyType.h"
#include "packages/PuUtStream.h"

namespace packages {

class TUTPackage;
class TUTObject;

// A value handed to programs: an integer, a floating-point number, a
// Boolean, a string or raw bytes.
using TUTVariant = std::variant<std::int64_t, double, bool, std::string, TUTBytes>;

// The variant as an integer: Booleans as 0 or 1, numbers truncated,
// strings read as decimal (0 when they are not), bytes 0.
std::int64_t VariantToInteger(const TUTVariant& value);

// What GetValue gives for one property or one member of a structure.
struct TUTPropertyValue {
  std::string Name;
  TUTVariant Variant = std::int64_t{0};
  std::string Text;
  TUTPropertyType Type = ptNone;
  std::string TypeName;
};

// Names of properties that are always arrays, lower case.
extern const char* const KnownArrayPropertyNames[23];

class TUTProperty {
 public:
  TUTProperty() = default;
  virtual ~TUTProperty() = default;

  bool Valid() const { return FValid; }
  TUTPackage* Package() const { return FPackage; }
  TUTObject* OwnerObject() const { return FOwnerObject; }
  const std::string& Name() const { return FName; }
  std::int32_t ArrayIndex() const { return FArrayIndex; }
  TUTPropertyType Type() const { return FType; }
  const TUTBytes& Value() const { return FValue; }
  const std::string& StructName() const { return FStructName; }

  // The number of members of a structure value; 0 for anything else.
  virtual int ValueCount();
  virtual TUTVariant GetValueVariant();
  // StructName when not empty, else the type's name.
  virtual std::string GetTypeName();
  // Name, "[index]" when indexed, and " (type) = value" when typed; empty
  // for a property that was never filled.
  virtual std::string GetDescription();
  virtual std::string GetValueText();
  virtual void SetProperty(TUTPackage* package, const std::string& name, std::int32_t arrayIndex,
                           TUTPropertyType type, const std::uint8_t* value, std::size_t size,
                           const std::string& structName);
  // The whole value (elementIndex -1) or member `elementIndex` of a
  // structure, as text, variant and type.
  virtual TUTPropertyValue GetValue(int elementIndex);

  static std::string TypeToString(TUTPropertyType type);

  // GetDescription and GetValue for a property met inside the value of
  // another (an element of an array): `nesting` counts the values being
  // formatted around it, so that values nested in values stay bounded.
  std::string GetDescription(int& nesting);
  TUTPropertyValue GetValue(int elementIndex, int& nesting);

  void SetOwner(TUTObject* object) { FOwnerObject = object; }
  void SetArrayIndex(std::int32_t index) { FArrayIndex = index; }

 private:
  bool FValid = false;
  TUTPackage* FPackage = nullptr;
  TUTObject* FOwnerObject = nullptr;
  std::string FName;
  std::int32_t FArrayIndex = -1;
  TUTPropertyType FType = ptNone;
  TUTBytes FValue;
  std::string FStructName;
};

// Creates every new property; a program may set a subclass.
using TUTPropertyClassRef = std::unique_ptr<TUTProperty> (*)();
extern TUTPropertyClassRef UTPropertyClass;

class TUTPropertyList {
 public:
  TUTPropertyList() = default;
  virtual ~TUTPropertyList() = default;
  TUTPropertyList(const TUTPropertyList&) = delete;
  TUTPropertyList& operator=(const TUTPropertyList&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // std::out_of_range for an index outside the list.
  TUTProperty& GetItem(int index) const;
  TUTProperty& NewProperty();
  void Clear() { FItems.clear(); }

  // By name alone ("Tags": no index) or name and index ("Tags[0]"),
  // without regard to case; null when none.
  TUTProperty* Find(std::string_view name) const;
  // Gives the first element of each array its index 0.
  virtual void FixArrayIndices();

  // The found property's variant, or integer 0 / `defaultValue`.
  TUTVariant GetValue(std::string_view name) const;
  TUTVariant GetValueVariant(std::string_view name, const TUTVariant& defaultValue) const;

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  std::vector<std::unique_ptr<TUTProperty>> FItems;
};

}  // namespace packages
