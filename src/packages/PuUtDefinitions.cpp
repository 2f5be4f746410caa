#include "packages/PuUtDefinitions.h"

#include <algorithm>

#include "platform/AsciiText.h"

namespace packages {

std::string ReadLengthPrefixed(TUTStream& s) {
  const std::int32_t length = s.ReadCompactIndex();
  if (length < 0) s.Fail("Negative string length " + std::to_string(length));
  s.CheckCount(length);
  std::string text(static_cast<std::size_t>(length), '\0');
  s.ReadBlock(text.data(), length);
  return text;
}

// ---- Field

TUTObjectReference TUTObjectClassField::GetNext() const {
  CheckReadObject();
  return Next;
}

void TUTObjectClassField::InitializeObject() {
  TUTObject::InitializeObject();
  SuperField = 0;
  Next = 0;
}

void TUTObjectClassField::ReadData() {
  TUTObject::ReadData();
  TUTStream& s = Buffer();
  SuperField = s.ReadCompactIndex();
  Next = s.ReadCompactIndex();
}

void TUTObjectClassField::FreeData() {
  SuperField = 0;
  Next = 0;
  TUTObject::FreeData();
}

std::string TUTObjectClassField::ReadNameText(TUTStream& s) const { return GetOwner().GetName(s.ReadNameIndex()); }

std::string TUTObjectClassField::ReadFString(TUTStream& s) const {
  std::string text = ReadLengthPrefixed(s);
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

// ---- Enum

int TUTObjectClassEnum::Count() const {
  CheckReadObject();
  return static_cast<int>(Values.size());
}

std::string TUTObjectClassEnum::GetValueName(int index) const {
  CheckReadObject();
  if (index < 0 || static_cast<std::size_t>(index) >= Values.size()) return {};
  return Values[static_cast<std::size_t>(index)];
}

void TUTObjectClassEnum::InitializeObject() {
  TUTObjectClassField::InitializeObject();
  Values.clear();
}

void TUTObjectClassEnum::ReadData() {
  TUTObjectClassField::ReadData();
  TUTStream& s = Buffer();
  const std::int32_t count = s.CheckCount(s.ReadCompactIndex());
  Values.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) Values.push_back(ReadNameText(s));
}

void TUTObjectClassEnum::FreeData() {
  Values.clear();
  TUTObjectClassField::FreeData();
}

// ---- Const

void TUTObjectClassConst::InitializeObject() {
  TUTObjectClassField::InitializeObject();
  Value.clear();
}

void TUTObjectClassConst::ReadData() {
  TUTObjectClassField::ReadData();
  Value = ReadFString(Buffer());
}

void TUTObjectClassConst::FreeData() {
  Value.clear();
  TUTObjectClassField::FreeData();
}

// ---- Property

namespace {

constexpr std::uint32_t CPF_Net = 0x00000020;
constexpr std::uint32_t CPF_CommentString = 0x02000000;

// An array whose inner property leads back to an array being declared
// around it, or nests deeper than any script declares, is shown by name
// instead of recursing without end.
constexpr std::size_t kMaxArrayNesting = 32;

}  // namespace

std::string TUTObjectClassProperty::GetDeclaration() { return "property"; }

void TUTObjectClassProperty::Clear() {
  ArrayDim = 0;
  ElementSize = 0;
  PropertyFlags = 0;
  Category.clear();
  RepOffset = 0xFFFF;
  Comment.clear();
}

void TUTObjectClassProperty::InitializeObject() {
  TUTObjectClassField::InitializeObject();
  Clear();
}

void TUTObjectClassProperty::ReadData() {
  TUTObjectClassField::ReadData();
  TUTStream& s = Buffer();
  ArrayDim = s.ReadWord();
  ElementSize = s.ReadWord();
  PropertyFlags = s.ReadDWord();
  Category = ReadNameText(s);
  if (PropertyFlags & CPF_Net) RepOffset = s.ReadWord();
  if (PropertyFlags & CPF_CommentString) Comment = ReadFString(s);
}

void TUTObjectClassProperty::FreeData() {
  Clear();
  TUTObjectClassField::FreeData();
}

std::string TUTObjectClassProperty::RefName(TUTObjectReference ref) const { return GetOwner().GetObjectPath(1, ref); }

void TUTObjectClassRefProperty::InitializeObject() {
  TUTObjectClassProperty::InitializeObject();
  FRef = 0;
}

void TUTObjectClassRefProperty::ReadData() {
  TUTObjectClassProperty::ReadData();
  FRef = Buffer().ReadCompactIndex();
}

void TUTObjectClassRefProperty::FreeData() {
  FRef = 0;
  TUTObjectClassProperty::FreeData();
}

TUTObjectReference TUTObjectClassByteProperty::GetEnum() const {
  CheckReadObject();
  return FRef;
}

std::string TUTObjectClassByteProperty::GetDeclaration() { return GetEnum() != 0 ? RefName(FRef) : "byte"; }

TUTObjectReference TUTObjectClassObjectProperty::GetObjectClass() const {
  CheckReadObject();
  return FRef;
}

std::string TUTObjectClassObjectProperty::GetDeclaration() { return RefName(GetObjectClass()); }

TUTObjectReference TUTObjectClassClassProperty::GetMetaClass() const {
  CheckReadObject();
  return MetaClass;
}

std::string TUTObjectClassClassProperty::GetDeclaration() {
  const std::string meta = RefName(GetMetaClass());
  const std::string cls = RefName(GetObjectClass());
  return platform::LowerCase(meta) == "object" ? cls : cls + "<" + meta + ">";
}

void TUTObjectClassClassProperty::InitializeObject() {
  TUTObjectClassObjectProperty::InitializeObject();
  MetaClass = 0;
}

void TUTObjectClassClassProperty::ReadData() {
  TUTObjectClassObjectProperty::ReadData();
  MetaClass = Buffer().ReadCompactIndex();
}

void TUTObjectClassClassProperty::FreeData() {
  MetaClass = 0;
  TUTObjectClassObjectProperty::FreeData();
}

TUTObjectReference TUTObjectClassArrayProperty::GetInner() const {
  CheckReadObject();
  return FRef;
}

std::string TUTObjectClassArrayProperty::GetDeclaration() {
  std::vector<const TUTObject*> declaring;
  return Declare(declaring);
}

std::string TUTObjectClassArrayProperty::Declare(std::vector<const TUTObject*>& declaring) {
  const TUTObjectReference inner = GetInner();
  auto* property = ExportObjectAs<TUTObjectClassProperty>(GetOwner(), inner);
  // An inner property that is not a property export of this package (an
  // import, nothing, another kind of object) or that leads back into this
  // declaration is named rather than declared.
  if (!property || property == this || declaring.size() >= kMaxArrayNesting ||
      std::find(declaring.begin(), declaring.end(), property) != declaring.end())
    return "array<" + RefName(inner) + ">";
  TUTObjectUse use(*property);
  auto* array = dynamic_cast<TUTObjectClassArrayProperty*>(property);
  if (!array) return "array<" + property->GetDeclaration() + ">";
  declaring.push_back(this);
  const std::string text = "array<" + array->Declare(declaring) + ">";
  declaring.pop_back();
  return text;
}

TUTObjectReference TUTObjectClassFixedArrayProperty::GetInner() const {
  CheckReadObject();
  return FRef;
}

std::string TUTObjectClassFixedArrayProperty::GetDeclaration() {
  return RefName(GetInner()) + "[" + std::to_string(Count) + "]";
}

void TUTObjectClassFixedArrayProperty::InitializeObject() {
  TUTObjectClassRefProperty::InitializeObject();
  Count = 0;
}

void TUTObjectClassFixedArrayProperty::ReadData() {
  TUTObjectClassRefProperty::ReadData();
  Count = Buffer().ReadCompactIndex();
}

void TUTObjectClassFixedArrayProperty::FreeData() {
  Count = 0;
  TUTObjectClassRefProperty::FreeData();
}

void TUTObjectClassMapProperty::InitializeObject() {
  TUTObjectClassProperty::InitializeObject();
  Key = 0;
  Value = 0;
}

void TUTObjectClassMapProperty::ReadData() {
  TUTObjectClassProperty::ReadData();
  TUTStream& s = Buffer();
  Key = s.ReadCompactIndex();
  Value = s.ReadCompactIndex();
}

void TUTObjectClassMapProperty::FreeData() {
  Key = 0;
  Value = 0;
  TUTObjectClassProperty::FreeData();
}

TUTObjectReference TUTObjectClassStructProperty::GetStruct() const {
  CheckReadObject();
  return FRef;
}

std::string TUTObjectClassStructProperty::GetDeclaration() { return RefName(GetStruct()); }

}  // namespace packages
