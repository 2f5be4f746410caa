// Paths of object references and lookups across a package's tables and
// into the sibling packages its imports name. File values may point
// anywhere: every walk is bounded and a broken chain is simply no match.

#include <filesystem>

#include "packages/PuUtPackage.h"
#include "platform/Files.h"

namespace packages {

namespace {

// How many sibling packages deep an import lookup may go; real imports
// reach a handful of levels (a mod, Engine, Core).
constexpr int kMaxSiblingDepth = 8;
constexpr std::size_t kMaxPathDepth = 64;

std::string FirstComponent(const std::string& path) { return path.substr(0, path.find('.')); }

// One spelling per file, so that "./Core.u" and "core.u" count as one visit.
std::string VisitKey(const std::string& fileName) {
  std::error_code error;
  const auto canonical = std::filesystem::weakly_canonical(fileName, error);
  return platform::LowerCase(error ? fileName : canonical.string());
}

}  // namespace

std::optional<std::string> TUTPackage::TryObjectPath(int depth, TUTObjectReference ref) const {
  std::vector<const std::string*> names;
  while (depth != 0 && ref != 0) {
    // Real paths are a package, a few groups and a name; a longer chain is
    // broken or loops, and following it would only cost time.
    if (names.size() >= kMaxPathDepth) return std::string();
    std::int32_t nameIndex;
    if (ref < 0) {
      const TUTImportTableObjectData* i = GetImport(-(ref + 1));
      if (!i) return std::string();
      nameIndex = i->ObjectName;
      ref = i->Package;
    } else {
      const TUTExportTableObjectData* e = GetExport(ref - 1);
      if (!e) return std::string();
      nameIndex = e->ObjectName;
      ref = e->Package;
    }
    if (nameIndex < 0 || nameIndex >= NameCount()) return std::nullopt;
    names.push_back(&FNames[static_cast<std::size_t>(nameIndex)]);
    --depth;
  }
  std::string result;
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    if (!result.empty() || it != names.rbegin()) result += '.';
    result += **it;
  }
  return result;
}

std::string TUTPackage::GetObjectPath(int depth, TUTObjectReference ref) const {
  if (auto path = TryObjectPath(depth, ref)) return *path;
  throw EUTReadError("A name index in the path of object reference " + std::to_string(ref) + " of " + FFileName +
                     " is outside the name table");
}

int TUTPackage::FindExport(std::string_view objectName, std::string_view className) const {
  return FindObject(tableExports, findObjectName | findClassName, "", objectName, className);
}

std::string_view TUTPackage::NameAt(int index) const {
  if (index < 0 || index >= NameCount()) return {};
  return FNames[static_cast<std::size_t>(index)];
}

// Compared in place: a lookup runs over every entry of a table, and copying
// each name to change its case cost more than the comparison itself.
bool TUTPackage::EntryMatches(TUTTable table, int index, std::uint8_t flags, std::string_view packagePath,
                              std::string_view objectName, std::string_view className) const {
  std::int32_t name;
  TUTObjectReference outer;
  if (table == tableExports) {
    const TUTExportTableObjectData& e = *FExports[static_cast<std::size_t>(index)];
    if (flags & findClassName) {
      const auto c = TryObjectPath(1, e.Class);
      if (!c || !platform::SameText(*c, className)) return false;
    }
    name = e.ObjectName;
    outer = e.Package;
  } else {
    const TUTImportTableObjectData& i = *FImports[static_cast<std::size_t>(index)];
    if ((flags & findClassName) && !platform::SameText(NameAt(i.ClassName), className)) return false;
    name = i.ObjectName;
    outer = i.Package;
  }
  if ((flags & findObjectName) && !platform::SameText(NameAt(name), objectName)) return false;
  if (flags & findPackagePath) {
    const auto path = TryObjectPath(-1, outer);
    if (!path || !platform::SameText(*path, packagePath)) return false;
  }
  return true;
}

int TUTPackage::FindObject(TUTTable table, std::uint8_t flags, std::string_view packagePath,
                           std::string_view objectName, std::string_view className, int start) const {
  if (start < 0) start = 0;
  if (table == tableNames) {
    for (int i = start; i < NameCount(); ++i)
      if (platform::SameText(FNames[static_cast<std::size_t>(i)], objectName)) return i;
    return -1;
  }
  if (table != tableExports && table != tableImports) return -1;
  const int count = table == tableExports ? ExportCount() : ImportCount();
  for (int i = start; i < count; ++i)
    if (EntryMatches(table, i, flags, packagePath, objectName, className)) return i;
  return -1;
}

bool TUTPackage::ImportsPackage(std::string_view name) const {
  return FindObject(tableImports, findObjectName | findClassName, "", name, "Package") >= 0;
}

std::string TUTPackage::SiblingFileName(std::string_view packageName) const {
  // The name comes from the file: only a plain file name may leave this folder's bounds.
  if (packageName.empty() || packageName == "." || packageName == ".." ||
      packageName.find_first_of("/\\:") != std::string_view::npos || packageName.find('\0') != std::string_view::npos)
    return "";
  std::string fileName = platform::JoinPath(platform::ExtractFileDir(FFileName), std::string(packageName) + ".u");
  if (OnFileNotFound) OnFileNotFound(fileName);
  if (platform::FileExists(fileName)) return fileName;
  // Only a file counts: a folder of that name is no sibling package.
  const std::string found = platform::FindPathIgnoringCase(fileName).value_or("");
  return platform::FileExists(found) ? found : "";
}

TUTPackage* TUTPackage::Sibling(std::string_view packageName) {
  const std::string key = platform::LowerCase(packageName);
  if (auto it = FSiblings.find(key); it != FSiblings.end()) return it->second;
  const std::string fileName = SiblingFileName(packageName);
  TUTPackage* sibling = nullptr;
  if (!fileName.empty()) {
    FSiblingPackages.push_back(CreateChild(fileName, *this));
    sibling = FSiblingPackages.back().get();
  }
  return FSiblings[key] = sibling;
}

bool TUTPackage::FindObjectAnywhere(std::uint8_t flags, std::string_view packagePath, std::string_view objectName,
                                    std::string_view className, std::string_view ownerClassName,
                                    TUTFoundObject& found) {
  std::vector<std::string> visited;
  return FindObjectAnywhereAt(flags, packagePath, objectName, className, ownerClassName, found, visited);
}

bool TUTPackage::FindObjectAnywhereAt(std::uint8_t flags, std::string_view packagePath, std::string_view objectName,
                                      std::string_view className, std::string_view ownerClassName,
                                      TUTFoundObject& found, std::vector<std::string>& visited) {
  const int i = FindObject(tableExports, flags, packagePath, objectName, className);
  if (i >= 0) {
    found.Package = this;
    found.Index = i;
    return true;
  }
  if (!FSearchImports) return false;
  visited.push_back(VisitKey(FFileName));
  const int imp = FindObject(tableImports, flags, packagePath, objectName, className);
  if (imp >= 0 && FollowImport(imp, flags, packagePath, objectName, className, found, visited)) return true;
  const int owner = FindObject(tableImports, findObjectName | findClassName, "", ownerClassName, "Class");
  return owner >= 0 && FollowImport(owner, flags, packagePath, objectName, className, found, visited);
}

bool TUTPackage::FollowImport(int importIndex, std::uint8_t flags, std::string_view packagePath,
                              std::string_view objectName, std::string_view className, TUTFoundObject& found,
                              std::vector<std::string>& visited) {
  if (static_cast<int>(visited.size()) > kMaxSiblingDepth) return false;
  const auto outer = TryObjectPath(-1, FImports[static_cast<std::size_t>(importIndex)]->Package);
  if (!outer) return false;
  const std::string fileName = SiblingFileName(FirstComponent(*outer));
  if (fileName.empty()) return false;
  // A package that imports itself, or two that import each other, end here.
  const std::string key = VisitKey(fileName);
  for (const auto& seen : visited)
    if (seen == key) return false;
  std::unique_ptr<TUTPackage> child = CreateChild(fileName, *this);
  TUTFoundObject result;
  if (!child->FindObjectAnywhereAt(flags, packagePath, objectName, className, "", result, visited)) return false;
  // The object may lie in a grandchild, which then owns itself in `result`.
  if (result.Package == child.get()) result.Child = std::move(child);
  found = std::move(result);
  return true;
}

}  // namespace packages
