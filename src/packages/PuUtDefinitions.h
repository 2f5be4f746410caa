#pragma once

// The definition records of compiled script packages: fields, enumerations,
// constants and property declarations. Structs, functions, states and
// classes build on them (PuUtStructs.h). References are kept as read;
// nothing is resolved while reading.

#include <cstdint>
#include <string>
#include <vector>

#include "packages/PuUtObject.h"
#include "packages/PuUtObjectReading.h"
#include "packages/PuUtPackage.h"

namespace packages {

// A compact length and that many bytes as stored; a negative length, or
// one beyond the data, is an error.
std::string ReadLengthPrefixed(TUTStream& s);

class TUTObjectClassField : public TUTObject {
 public:
  using TUTObject::TUTObject;

  TUTObjectReference GetNext() const;

  TUTObjectReference SuperField = 0;
  TUTObjectReference Next = 0;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

  // A compact name index as its text; an index outside the name table is
  // the empty text.
  std::string ReadNameText(TUTStream& s) const;
  // A compact length, the bytes and the terminating zero dropped; a
  // negative length is an error.
  std::string ReadFString(TUTStream& s) const;
};

class TUTObjectClassEnum : public TUTObjectClassField {
 public:
  using TUTObjectClassField::TUTObjectClassField;

  int Count() const;
  // The name of value `index`; empty outside the values.
  std::string GetValueName(int index) const;

  std::vector<std::string> Values;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;
};

class TUTObjectClassConst : public TUTObjectClassField {
 public:
  using TUTObjectClassField::TUTObjectClassField;

  std::string Value;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;
};

class TUTObjectClassProperty : public TUTObjectClassField {
 public:
  using TUTObjectClassField::TUTObjectClassField;

  // The declared type as source text ("int", "array<int>", "Class<Actor>").
  virtual std::string GetDeclaration();

  std::uint16_t ArrayDim = 0;
  std::uint16_t ElementSize = 0;
  std::uint32_t PropertyFlags = 0;
  std::string Category;
  std::uint16_t RepOffset = 0xFFFF;
  std::string Comment;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

  // The own name of the object `ref` names; empty for a bad reference.
  std::string RefName(TUTObjectReference ref) const;

 private:
  void Clear();
};

// A property class whose declaration is a fixed word.
template <const char* Word>
class TUTObjectClassPlainProperty : public TUTObjectClassProperty {
 public:
  using TUTObjectClassProperty::TUTObjectClassProperty;
  std::string GetDeclaration() override { return Word; }
};

inline constexpr char kIntWord[] = "int";
inline constexpr char kBoolWord[] = "bool";
inline constexpr char kFloatWord[] = "float";
inline constexpr char kNameWord[] = "name";
inline constexpr char kStringWord[] = "string";

class TUTObjectClassIntProperty : public TUTObjectClassPlainProperty<kIntWord> {
  using TUTObjectClassPlainProperty::TUTObjectClassPlainProperty;
};
class TUTObjectClassBoolProperty : public TUTObjectClassPlainProperty<kBoolWord> {
  using TUTObjectClassPlainProperty::TUTObjectClassPlainProperty;
};
class TUTObjectClassFloatProperty : public TUTObjectClassPlainProperty<kFloatWord> {
  using TUTObjectClassPlainProperty::TUTObjectClassPlainProperty;
};
class TUTObjectClassNameProperty : public TUTObjectClassPlainProperty<kNameWord> {
  using TUTObjectClassPlainProperty::TUTObjectClassPlainProperty;
};
class TUTObjectClassStrProperty : public TUTObjectClassPlainProperty<kStringWord> {
  using TUTObjectClassPlainProperty::TUTObjectClassPlainProperty;
};
class TUTObjectClassStringProperty : public TUTObjectClassPlainProperty<kStringWord> {
  using TUTObjectClassPlainProperty::TUTObjectClassPlainProperty;
};

// A property declaration that adds one object reference to the record.
class TUTObjectClassRefProperty : public TUTObjectClassProperty {
 public:
  using TUTObjectClassProperty::TUTObjectClassProperty;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

  TUTObjectReference FRef = 0;
};

class TUTObjectClassByteProperty : public TUTObjectClassRefProperty {
 public:
  using TUTObjectClassRefProperty::TUTObjectClassRefProperty;
  TUTObjectReference GetEnum() const;
  std::string GetDeclaration() override;
};

class TUTObjectClassObjectProperty : public TUTObjectClassRefProperty {
 public:
  using TUTObjectClassRefProperty::TUTObjectClassRefProperty;
  TUTObjectReference GetObjectClass() const;
  std::string GetDeclaration() override;
};

class TUTObjectClassClassProperty : public TUTObjectClassObjectProperty {
 public:
  using TUTObjectClassObjectProperty::TUTObjectClassObjectProperty;
  TUTObjectReference GetMetaClass() const;
  std::string GetDeclaration() override;

  TUTObjectReference MetaClass = 0;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;
};

class TUTObjectClassArrayProperty : public TUTObjectClassRefProperty {
 public:
  using TUTObjectClassRefProperty::TUTObjectClassRefProperty;
  TUTObjectReference GetInner() const;
  std::string GetDeclaration() override;

 private:
  // `declaring` holds the arrays whose declarations enclose this one.
  std::string Declare(std::vector<const TUTObject*>& declaring);
};

class TUTObjectClassFixedArrayProperty : public TUTObjectClassRefProperty {
 public:
  using TUTObjectClassRefProperty::TUTObjectClassRefProperty;
  TUTObjectReference GetInner() const;
  std::string GetDeclaration() override;

  std::int32_t Count = 0;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;
};

class TUTObjectClassMapProperty : public TUTObjectClassProperty {
 public:
  using TUTObjectClassProperty::TUTObjectClassProperty;
  std::string GetDeclaration() override { return "map"; }

  TUTObjectReference Key = 0;
  TUTObjectReference Value = 0;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;
};

class TUTObjectClassStructProperty : public TUTObjectClassRefProperty {
 public:
  using TUTObjectClassRefProperty::TUTObjectClassRefProperty;
  TUTObjectReference GetStruct() const;
  std::string GetDeclaration() override;
};

// Its reference names the function the delegate has the signature of.
class TUTObjectClassDelegateProperty : public TUTObjectClassRefProperty {
 public:
  using TUTObjectClassRefProperty::TUTObjectClassRefProperty;
  std::string GetDeclaration() override { return "delegate"; }
};

}  // namespace packages
