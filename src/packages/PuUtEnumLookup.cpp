// Finding the declaration of a property in the script classes of the
// package or of the sibling packages its imports name, and through it the
// enumeration of a byte value, unless that is built in or cached per
// property name.

#include <algorithm>
#include <memory>
#include <optional>

#include "packages/PuUtBuiltIns.h"
#include "packages/PuUtDefinitions.h"
#include "packages/PuUtPackage.h"
#include "packages/PuUtValueFormat.h"
#include "platform/AsciiText.h"
#include "platform/FileError.h"

namespace packages {

namespace {

std::string Word(const std::string& words, std::uint8_t index) {
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = words.find(' ', start);
    if (start == std::string::npos) return {};
    ++start;
  }
  return words.substr(start, words.find(' ', start) - start);
}

std::string JoinValues(const TUTObjectClassEnum& e) {
  std::string words;
  for (int i = 0; i < e.Count(); ++i) words += (i ? " " : "") + e.GetValueName(i);
  return words;
}

// How many sibling packages one search may open: real parent chains cross
// a handful (a mod, Engine, Core), and each costs a whole table read.
constexpr int kMaxSiblingHops = 8;

}  // namespace

// Every step is bounded: a parent chain that loops ends the search.
int FindDeclaration(const TUTValueContext& c, const std::string& name, std::string_view className,
                    TUTDeclarationSearch& search) {
  TUTObject& owner = *c.Owner;
  std::string path = owner.GetFullName();
  const std::string ownerClass = platform::LowerCase(owner.GetClassName());
  TUTObjectReference ref =
      ownerClass.empty() || ownerClass == "class" || ownerClass == "state" ? owner.GetSuperRef() : owner.GetClassRef();
  int steps = 0, hops = 0;
  for (;;) {
    TUTPackage& s = *search.Package;
    const int found = s.FindObject(tableExports, findObjectName | findPackagePath | findClassName, path, name, className);
    if (found >= 0) return found;
    if (ref == 0 || ++steps > std::max(s.ExportCount(), c.Values.ExportCount()) + 1) return -1;
    if (ref > 0) {
      const TUTExportTableObjectData* e = s.GetExport(ref - 1);
      if (!e) return -1;
      path = e->GetFullPath();
      ref = e->Super;
      continue;
    }
    const TUTImportTableObjectData* i = s.GetImport(-(ref + 1));
    if (!i || !c.Values.SearchImports() || ++hops > kMaxSiblingHops) return -1;
    const std::string outer = i->GetPackagePath();
    const std::size_t dot = outer.find('.');
    const std::string rest = dot == std::string::npos ? std::string() : outer.substr(dot + 1);
    path = rest.empty() ? i->GetObjectName() : rest + "." + i->GetObjectName();
    const std::string file = c.Values.SiblingFileName(outer.substr(0, dot));
    if (file.empty()) return -1;
    search.Child = TUTPackage::CreateChild(file, c.Values);
    search.Package = search.Child.get();
    const std::size_t last = path.rfind('.');
    const int parent = last == std::string::npos
                           ? search.Package->FindObject(tableExports, findObjectName | findPackagePath, "", path, "")
                           : search.Package->FindObject(tableExports, findObjectName | findPackagePath,
                                                        path.substr(0, last), path.substr(last + 1), "");
    ref = parent >= 0 ? search.Package->GetExport(parent)->Super : 0;
  }
}

namespace {

// The enumeration reference of the byte property `name`, in search.Package.
TUTObjectReference FindEnumReference(const TUTValueContext& c, const std::string& name,
                                     TUTDeclarationSearch& search) {
  if (auto* property = FindDeclarationOf<TUTObjectClassByteProperty>(c, name, "ByteProperty", search)) {
    TUTObjectUse use(*property);
    return property->GetEnum();
  }
  TUTPackage& s = *search.Package;
  const int exported = s.FindObject(tableExports, findObjectName | findClassName, "", "E" + name, "Enum");
  if (exported >= 0) return exported + 1;
  const int imported = s.FindObject(tableImports, findObjectName | findClassName, "", "E" + name, "Enum");
  return imported >= 0 ? -imported - 1 : 0;
}

// The value name from the enumeration export `ref` of `s`, caching all of
// its names under `name`; nullopt when `ref` names no enumeration.
std::optional<std::string> ValueFromEnum(const TUTValueContext& c, TUTPackage& s, TUTObjectReference ref,
                                         const std::string& name, std::uint8_t b) {
  auto* e = ExportObjectAs<TUTObjectClassEnum>(s, ref);
  if (!e) return std::nullopt;
  TUTObjectUse use(*e);
  if (e->Count() > 0) c.Values.EnumCache()[name] = JoinValues(*e);
  return e->GetValueName(b);
}

// An enumeration imported from a sibling package. Failing to open or read
// that package only leaves the value without a name.
std::string ValueFromImportedEnum(const TUTValueContext& c, TUTPackage& s, TUTObjectReference ref,
                                  const std::string& name, std::uint8_t b) {
  const TUTImportTableObjectData* i = s.GetImport(-(ref + 1));
  if (!i) return {};
  try {
    const std::string outer = i->GetPackagePath();
    const std::string file = c.Values.SiblingFileName(outer.substr(0, outer.find('.')));
    if (file.empty()) return {};
    std::unique_ptr<TUTPackage> child = TUTPackage::CreateChild(file, c.Values);
    const int k = child->FindObject(tableExports, findObjectName | findClassName, "", i->GetObjectName(), "Enum");
    if (k < 0) return {};
    return ValueFromEnum(c, *child, k + 1, name, b).value_or("");
  } catch (const EUTPackageError&) {
  } catch (const platform::EFileError&) {
  }
  return {};
}

}  // namespace

std::string FindEnumValueName(const TUTValueContext& c, const std::string& hint, const std::string& name,
                              std::uint8_t b, TUTPropertyValue& out) {
  if (hint.empty() || platform::LowerCase(hint) == "byte") return {};
  out.TypeName = hint;
  std::string value = GetEnumValueName(hint, b);
  if (!value.empty()) return value;
  TUTEnumCache& cache = c.Values.EnumCache();
  if (auto it = cache.find(name); it != cache.end()) {
    out.TypeName = "E" + name;
    return Word(it->second, b);
  }
  TUTDeclarationSearch search{&c.Definitions, nullptr};
  const TUTObjectReference q = FindEnumReference(c, name, search);
  if (q > 0) {
    if (auto found = ValueFromEnum(c, *search.Package, q, name, b)) return *found;
  } else if (q < 0 && c.Values.SearchImports()) {
    return ValueFromImportedEnum(c, *search.Package, q, name, b);
  }
  // Recorded, so that the next value of this property costs one lookup.
  cache[name] = "";
  return {};
}

}  // namespace packages
