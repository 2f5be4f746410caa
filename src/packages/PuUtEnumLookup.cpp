// Finding the declaration of a property in the script classes of the
// package or of the sibling packages its imports name, and through it the
// enumeration of a byte value, unless that is built in or cached per
// property name.

#include <memory>
#include <optional>
#include <set>
#include <utility>

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

// How many sibling packages one search may pass through: real parent
// chains cross a handful (a mod, Engine, Core).
constexpr int kMaxSiblingHops = 8;

// The search from class `ref` of `p` through its parents. File values may
// point anywhere: each class is looked in once, and a chain that comes
// back to one ends there.
TUTDeclarationFound SearchParents(TUTPackage& p, TUTObjectReference ref, const std::string& name,
                                  std::string_view className) {
  TUTDeclarationFound result{&p, -1, {}};
  std::set<std::pair<const TUTPackage*, int>> seen;
  int hops = 0;
  while (ref != 0) {
    std::string path;
    int parent;
    if (ref > 0) {
      const TUTExportTableObjectData* e = result.Package->GetExport(ref - 1);
      if (!e) break;
      path = e->GetFullPath();
      parent = ref - 1;
    } else {
      const TUTImportTableObjectData* i = result.Package->GetImport(-(ref + 1));
      if (!i || !p.SearchImports() || ++hops > kMaxSiblingHops) break;
      const std::string outer = i->GetPackagePath();
      const std::size_t dot = outer.find('.');
      const std::string rest = dot == std::string::npos ? std::string() : outer.substr(dot + 1);
      path = rest.empty() ? i->GetObjectName() : rest + "." + i->GetObjectName();
      TUTPackage* sibling = p.Sibling(outer.substr(0, dot));
      if (!sibling) break;
      result.Package = sibling;
      const std::size_t last = path.rfind('.');
      parent = last == std::string::npos
                   ? sibling->FindObject(tableExports, findObjectName | findPackagePath, "", path, "")
                   : sibling->FindObject(tableExports, findObjectName | findPackagePath, path.substr(0, last),
                                         path.substr(last + 1), "");
    }
    if (parent >= 0 && !seen.emplace(result.Package, parent).second) {
      result.LoopingClass = path;
      break;
    }
    result.Index = result.Package->FindObject(tableExports, findObjectName | findPackagePath | findClassName, path,
                                              name, className);
    // An imported class missing from its package is still looked in by
    // its path, but has no parent to follow.
    if (result.Index >= 0 || parent < 0) break;
    ref = result.Package->GetExport(parent)->Super;
  }
  return result;
}

}  // namespace

TUTDeclarationFound FindDeclaration(const TUTValueContext& c, const std::string& name, std::string_view className) {
  TUTObject& owner = *c.Owner;
  TUTPackage& p = c.Definitions;
  const std::string ownerClass = platform::LowerCase(owner.GetClassName());
  const TUTObjectReference start =
      ownerClass.empty() || ownerClass == "class" || ownerClass == "state" ? owner.GetSuperRef() : owner.GetClassRef();
  const int own = p.FindObject(tableExports, findObjectName | findPackagePath | findClassName, owner.GetFullName(),
                               name, className);
  if (own >= 0 || start == 0) return {&p, own, {}};
  // Every object of a class, and every class below it, searches from there
  // for the same names.
  const auto key = std::make_pair(start, platform::LowerCase(className) + " " + platform::LowerCase(name));
  TUTDeclarationCache& cache = p.DeclarationCache();
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  return cache[key] = SearchParents(p, start, name, className);
}

namespace {

// The enumeration reference of the byte property `name`, in search.Package.
TUTObjectReference FindEnumReference(const TUTValueContext& c, const std::string& name, TUTDeclarationFound& search) {
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
  TUTDeclarationFound search;
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
