// Turning a property's raw value bytes into text, a variant and a type
// name: enumeration values by name, structures member by member, arrays
// element by element.

#include <functional>
#include <string>
#include <vector>

#include "packages/PuUtBuiltIns.h"
#include "packages/PuUtNumberText.h"
#include "packages/PuUtObject.h"
#include "packages/PuUtObjectReading.h"
#include "packages/PuUtPackage.h"
#include "packages/PuUtProperty.h"
#include "packages/PuUtStructs.h"
#include "packages/PuUtValueFormat.h"
#include "platform/AsciiText.h"

namespace packages {

namespace {

// Arrays hold nested tags and structures hold members whose values may be
// arrays and structures again; a crafted value must not nest deeper than
// any real script type does.
constexpr int kMaxNesting = 32;

// Members of defined structures may read no bytes at all (an empty
// structure, a raw member at the end), so a few definitions holding
// several members of the next would multiply into billions: one value
// gets at most this many, far more than any script type holds.
constexpr int kMaxMembers = 10000;

class TNestingGuard {
 public:
  explicit TNestingGuard(int& nesting) : FNesting(nesting) {
    if (FNesting >= kMaxNesting) throw EUTReadError("Property values nested deeper than 32 levels");
    ++FNesting;
  }
  ~TNestingGuard() { --FNesting; }
  TNestingGuard(const TNestingGuard&) = delete;
  TNestingGuard& operator=(const TNestingGuard&) = delete;

 private:
  int& FNesting;
};

bool InTables(const TUTPackage& package, TUTObjectReference ref) {
  if (ref > 0) return package.GetExport(ref - 1) != nullptr;
  return ref == 0 || package.GetImport(-(ref + 1)) != nullptr;
}

std::string ObjectText(const TUTPackage& package, TUTObjectReference ref, bool asClass) {
  if (ref == 0) return "None";
  std::string className = asClass ? std::string() : ReferenceClassName(package, ref);
  if (className.empty()) className = "Class";
  return className + "'" + package.GetObjectPath(-1, ref) + "'";
}

// A string value: a compact length, then that many bytes. Trailing zero
// bytes are dropped.
std::string ReadStringValue(TUTStream& s) {
  std::string text = ReadLengthPrefixed(s);
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

// What is left of the value, from its first byte, as a string; the value
// counts as read.
std::string TakeRaw(const TUTValueContext& c) {
  c.Stream.Seek(c.Stream.Size());
  return std::string(c.Bytes.begin(), c.Bytes.end());
}

// "(a, b, c)" from "a, b, c, ".
std::string Bracketed(std::string list) {
  if (list.size() >= 2) list.resize(list.size() - 2);
  return "(" + list + ")";
}

// One more member or element of the value; the members of one value are
// bounded, whatever their definitions say.
void CountMember(const TUTValueContext& c) {
  if (++c.Members > kMaxMembers)
    throw EUTReadError("Structure value with more than " + std::to_string(kMaxMembers) + " members");
}

// Formats one member into `list`, or hands it out when it is the one asked
// for; true when the caller should stop. `declaration` is the member's,
// null for the members of built-in structures.
bool AddMember(const TUTValueContext& c, TUTObjectClassProperty* declaration, TUTPropertyType type,
               const std::string& hint, const std::string& name, int index, int elementIndex, std::string& list,
               TUTPropertyValue& out) {
  CountMember(c);
  TUTValueContext memberContext = c;
  memberContext.Declaration = declaration;
  TUTPropertyValue member;
  FormatUTValue(memberContext, type, hint, name, -1, member);
  if (index == elementIndex) {
    out = member;
    return true;
  }
  list += name + "=" + member.Text + ", ";
  return false;
}

bool FormatBuiltInMembers(const TUTValueContext& c, const std::vector<TKnownStructElement>& members,
                          int elementIndex, std::string& list, TUTPropertyValue& out) {
  for (std::size_t i = 0; i < members.size(); ++i) {
    const TKnownStructElement& e = members[i];
    const std::string hint = e.TypeName.empty() ? TUTProperty::TypeToString(e.PropertyType) : e.TypeName;
    if (AddMember(c, nullptr, e.PropertyType, hint, e.Name, static_cast<int>(i), elementIndex, list, out))
      return true;
  }
  return false;
}

TUTPropertyType MemberType(const std::string& className) {
  static const std::pair<const char*, TUTPropertyType> kTypes[] = {
      {"byteproperty", ptByte},          {"intproperty", ptInt},          {"boolproperty", ptBool},
      {"floatproperty", ptFloat},        {"objectproperty", ptObject},    {"classproperty", ptClass},
      {"nameproperty", ptName},          {"strproperty", ptStr},          {"structproperty", ptStruct},
      {"stringproperty", ptString},      {"mapproperty", ptMap},          {"arrayproperty", ptArray},
      {"fixedarrayproperty", ptFixedArray}, {"delegateproperty", ptDelegate}};
  const std::string lower = platform::LowerCase(className);
  for (const auto& [name, type] : kTypes)
    if (lower == name) return type;
  return ptBuffer;
}

std::string MemberHint(TUTObjectClassProperty& p, TUTPropertyType type) {
  const TUTPackage& s = p.GetOwner();
  if (type == ptObject)
    if (auto* o = dynamic_cast<TUTObjectClassObjectProperty*>(&p)) return s.GetObjectPath(1, o->GetObjectClass());
  if (type == ptClass)
    if (auto* o = dynamic_cast<TUTObjectClassClassProperty*>(&p)) return s.GetObjectPath(1, o->GetMetaClass());
  if (type == ptStruct)
    if (auto* o = dynamic_cast<TUTObjectClassStructProperty*>(&p)) return s.GetObjectPath(1, o->GetStruct());
  return p.GetDeclaration();
}

// Calls `visit` with each member of a struct definition, following its
// Children and their Next references, until it returns true; only property
// declarations are members. The chain is followed within the package's
// exports and at most ExportCount steps. True when `visit` stopped it.
bool ForEachMember(TUTObjectClassStruct& definition, const std::function<bool(TUTObjectClassProperty&)>& visit) {
  TUTPackage& s = definition.GetOwner();
  TUTObjectReference ref = definition.GetChildren();
  for (int steps = 0; steps < s.ExportCount(); ++steps) {
    auto* field = ExportObjectAs<TUTObjectClassField>(s, ref);
    if (!field) break;
    TUTObjectUse use(*field);
    ref = field->GetNext();
    if (auto* property = dynamic_cast<TUTObjectClassProperty*>(field))
      if (visit(*property)) return true;
  }
  return false;
}

// The script definition of the struct `name`, searched from `package` and
// the class of `owner`; null when there is none. A sibling package that
// holds it is kept in `found`.
TUTObjectClassStruct* FindStructDefinition(TUTPackage& package, const TUTObject* owner, const std::string& name,
                                           TUTFoundObject& found) {
  const std::string ownerClass = owner ? owner->GetClassName() : std::string();
  if (!package.FindObjectAnywhere(findObjectName | findClassName, "", name, "struct", ownerClass, found))
    return nullptr;
  return ExportObjectAs<TUTObjectClassStruct>(*found.Package, found.Index + 1);
}

// The definition a struct declaration names, when it lies in the
// declaration's own package.
TUTObjectClassStruct* DeclaredStruct(TUTObjectClassProperty* declaration) {
  auto* declared = dynamic_cast<TUTObjectClassStructProperty*>(declaration);
  return declared ? ExportObjectAs<TUTObjectClassStruct>(declared->GetOwner(), declared->GetStruct()) : nullptr;
}

// An array as the first engine generation stores it: a count byte, then
// each element as a run of tags.
void FormatTaggedArray(const TUTValueContext& c, TUTPropertyValue& out) {
  out.TypeName += " of Object";
  TUTStream& s = c.Stream;
  const int count = s.ReadByte();
  auto scratch = UTPropertyClass();
  std::string list;
  for (int i = 0; i < count; ++i) {
    std::string element;
    while (c.Values.ReadProperty(*scratch, s) && scratch->Type() != ptNone)
      element += scratch->GetDescription(c.Nesting) + ", ";
    list += "[" + std::to_string(i) + "]=" + Bracketed(element) + ", ";
  }
  out.Text = Bracketed(list);
  out.Variant = out.Text;
}

// An array as the later engine stores it: a compact count, then the
// elements bare, each as its inner property stores a value. Only the
// array's declaration tells what they are; without it the elements are an
// error rather than bytes guessed at.
void FormatDynamicArray(const TUTValueContext& c, const std::string& name, TUTPropertyValue& out) {
  TUTStream& s = c.Stream;
  const std::int32_t count = s.ReadCompactIndex();
  s.CheckCount(count);
  TUTDeclarationFound search;
  auto* array = FindDeclarationOf<TUTObjectClassArrayProperty>(c, name, "ArrayProperty", search);
  if (!array && count == 0) {
    // Nothing to read, so nothing to know.
    out.Text = "()";
    out.Variant = out.Text;
    return;
  }
  if (!array)
    s.Fail("The " + std::to_string(count) + " elements of array " + name +
           " cannot be read: its declaration was not found" +
           (search.LoopingClass.empty() ? " in this package or the packages beside it"
                                        : ", as class " + search.LoopingClass + " is among its own parents"));
  TUTObjectUse arrayUse(*array);
  auto* inner = ExportObjectAs<TUTObjectClassProperty>(array->GetOwner(), array->GetInner());
  if (!inner) s.Fail("The elements of array " + name + " cannot be read: its declaration names no element type");
  TUTObjectUse innerUse(*inner);
  const TUTPropertyType type = MemberType(inner->GetClassName());
  if (type == ptBuffer || type == ptMap || type == ptFixedArray)
    s.Fail("The elements of array " + name + " cannot be read: they are of the kind " + inner->GetClassName());
  const std::string hint = MemberHint(*inner, type);
  // A structure defined in another package is searched for once, not once
  // per element: the elements look for it where it was found.
  TUTFoundObject found;
  if (type == ptStruct && c.Owner && !BuiltInStructMembers(hint) && !DeclaredStruct(inner))
    FindStructDefinition(c.Definitions, c.Owner, hint, found);
  const TUTValueContext elements{
      c.Values, found.Package ? *found.Package : c.Definitions, c.Owner, s, c.Bytes, c.Members, c.Nesting, inner};
  std::string list;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int64_t start = s.Position();
    TUTPropertyValue element;
    FormatUTValue(elements, type, hint, name, -1, element);
    // A structure without members found would take the rest of the value
    // as its raw bytes, for this element and every one after it.
    if (element.Type == ptBuffer)
      s.Fail("The elements of array " + name + " cannot be read: the definition of " + hint + " was not found");
    // The count was checked against the bytes, but elements that take none
    // (empty structures) could still multiply through nested arrays.
    if (s.Position() == start) CountMember(c);
    list += "[" + std::to_string(i) + "]=" + element.Text + ", ";
  }
  out.TypeName = "Array of " + (type == ptStruct ? hint : TUTProperty::TypeToString(type));
  out.Text = Bracketed(list);
  out.Variant = out.Text;
}

bool FormatDefinedMembers(const TUTValueContext& c, TUTObjectClassStruct& definition, int elementIndex,
                          std::string& list, TUTPropertyValue& out) {
  const TUTValueContext inner{c.Values, definition.GetOwner(), &definition, c.Stream, c.Bytes, c.Members, c.Nesting};
  int member = 0;
  return ForEachMember(definition, [&](TUTObjectClassProperty& property) {
    const TUTPropertyType type = MemberType(property.GetClassName());
    return AddMember(inner, &property, type, MemberHint(property, type), property.GetObjectName(), member++,
                     elementIndex, list, out);
  });
}

void FormatStruct(const TUTValueContext& c, const std::string& structName, int elementIndex, TUTPropertyValue& out) {
  const TUTPropertyType type = out.Type;
  std::string list;
  if (const auto* members = BuiltInStructMembers(structName)) {
    out.TypeName = structName;
    if (FormatBuiltInMembers(c, *members, elementIndex, list, out)) return;
  } else {
    // Without an owner (inside the tags of array elements) there is no
    // class to search from.
    TUTFoundObject found;
    TUTObjectClassStruct* definition = DeclaredStruct(c.Declaration);
    if (!definition && c.Owner) definition = FindStructDefinition(c.Definitions, c.Owner, structName, found);
    if (!definition) {
      out.Variant = TakeRaw(c);
      out.Type = ptBuffer;
      return;
    }
    TUTObjectUse use(*definition);
    out.TypeName = definition->GetFriendlyName();
    if (FormatDefinedMembers(c, *definition, elementIndex, list, out)) return;
  }
  out.Text = Bracketed(list);
  out.Variant = out.Text;
  out.Type = type;
}

}  // namespace

void FormatUTValue(const TUTValueContext& c, TUTPropertyType type, const std::string& hint, const std::string& name,
                   int elementIndex, TUTPropertyValue& out) {
  TUTStream& s = c.Stream;
  out.Name = name;
  out.Type = type;
  out.TypeName = TUTProperty::TypeToString(type);
  switch (type) {
    case ptNone:
      break;
    case ptByte: {
      const std::uint8_t b = s.ReadByte();
      out.Variant = std::int64_t{b};
      const std::string value = FindEnumValueName(c, hint, name, b, out);
      out.Text = value.empty() ? std::to_string(b) : value;
      break;
    }
    case ptInt: {
      const std::int32_t v = s.ReadInteger();
      out.Variant = std::int64_t{v};
      out.Text = std::to_string(v);
      break;
    }
    case ptBool: {
      const bool v = s.ReadByte() != 0;
      out.Variant = v;
      out.Text = v ? "True" : "False";
      break;
    }
    case ptFloat: {
      const double v = s.ReadFloat();
      out.Variant = v;
      out.Text = FormatUTFloat(v);
      break;
    }
    case ptObject:
    case ptClass: {
      const std::int32_t ref = s.ReadCompactIndex();
      // Shown as it stands, it would read Class'' and look like a value.
      if (!InTables(c.Values, ref)) s.Fail("Object reference " + std::to_string(ref) + " outside the tables");
      out.Variant = std::int64_t{ref};
      out.Text = ObjectText(c.Values, ref, type == ptClass);
      break;
    }
    case ptName: {
      const std::int32_t index = s.ReadNameIndex();
      out.Variant = std::int64_t{index};
      out.Text = c.Values.GetName(index);
      break;
    }
    case ptString:
    case ptStr: {
      const std::string text = ReadStringValue(s);
      out.Variant = text;
      out.Text = c.Values.QuoteString(text);
      break;
    }
    case ptArray: {
      TNestingGuard guard(c.Nesting);
      if (IsSecondGeneration(c.Values.FileVersion()))
        FormatDynamicArray(c, name, out);
      else
        FormatTaggedArray(c, out);
      break;
    }
    case ptStruct: {
      TNestingGuard guard(c.Nesting);
      FormatStruct(c, hint, elementIndex, out);
      break;
    }
    case ptDelegate: {
      // The object the delegate is bound to, then its function's name:
      // default properties show the function alone (OnClick=InternalOnClick).
      s.ReadCompactIndex();
      const std::string function = c.Values.GetName(s.ReadNameIndex());
      out.Variant = function;
      out.Text = function;
      break;
    }
    case ptWord: {
      const std::uint16_t v = s.ReadWord();
      out.Variant = std::int64_t{v};
      out.Text = std::to_string(v);
      break;
    }
    case ptMap:
    case ptFixedArray:
    case ptBuffer:
      out.Variant = TakeRaw(c);
      break;
    default:
      out.Variant = c.Bytes;
      break;
  }
}

TUTPropertyValue TUTProperty::GetValue(int elementIndex) {
  int nesting = 0;
  return GetValue(elementIndex, nesting);
}

TUTPropertyValue TUTProperty::GetValue(int elementIndex, int& nesting) {
  TUTPropertyValue out;
  if (!Valid() || !Package()) {
    out.Variant = std::string("0");
    out.Text = "0";
    return out;
  }
  TUTStream s(Value(), "the value of property " + Name());
  s.SetSource(Package());
  int members = 0;
  const TUTValueContext c{*Package(), *Package(), OwnerObject(), s, Value(), members, nesting};
  FormatUTValue(c, Type(), StructName(), Name(), elementIndex, out);
  // Elements read by a declaration that does not fit the value would be
  // shown as values that were never stored.
  if (Type() == ptArray && IsSecondGeneration(Package()->FileVersion()) && s.Remaining() != 0)
    s.Fail("The elements of array " + Name() + " end before its value does");
  return out;
}

// The members GetValue hands out one by one: for a struct definition its
// property declarations, the same ones the text shows.
int TUTProperty::ValueCount() {
  if (!Valid() || Type() != ptStruct || !Package()) return 0;
  if (const auto* members = BuiltInStructMembers(StructName())) return static_cast<int>(members->size());
  TUTFoundObject found;
  TUTObjectClassStruct* definition = FindStructDefinition(*Package(), OwnerObject(), StructName(), found);
  if (!definition) return 0;
  TUTObjectUse use(*definition);
  int count = 0;
  ForEachMember(*definition, [&](TUTObjectClassProperty&) {
    ++count;
    return false;
  });
  return count;
}

}  // namespace packages
