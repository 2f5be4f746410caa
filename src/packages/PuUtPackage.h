#pragma once

// One Unreal package file opened for reading: its header, its name, import
// and export tables, the game it belongs to and lookups across the tables.
// The file is open only while something reads from it; object data are
// copied out on demand by the objects themselves.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "packages/PuUtGames.h"
#include "packages/PuUtNatives.h"
#include "packages/PuUtStream.h"
#include "packages/PuUtTables.h"
#include "platform/AsciiText.h"

namespace packages {

class TUTProperty;

// Which table FindObject searches.
enum TUTTable : std::uint8_t { tableNames = 0, tableExports = 1, tableImports = 2 };

// Tests FindObject applies, combined as bits.
enum : std::uint8_t {
  findObjectName = 1,
  findPackagePath = 2,
  findClassName = 4,
};

// A package's cache of enumeration value names per byte property name:
// the names separated by single blanks, or empty when none was found.
using TUTEnumCache = std::map<std::string, std::string, platform::TextLessIgnoringCase>;

class TUTPackage;

// What a search for a property's declaration through a class and its
// parents found: the package the search ended in (a sibling when the chain
// led there), the declaration's export index in it or -1, and, when the
// chain came back to a class it had passed, that class's path.
struct TUTDeclarationFound {
  TUTPackage* Package = nullptr;
  int Index = -1;
  std::string LoopingClass;
};

// A package's searches for declarations, misses included, by the class
// a search starts from and the declaration's class and name, lower-cased
// and separated by a blank.
using TUTDeclarationCache = std::map<std::pair<TUTObjectReference, std::string>, TUTDeclarationFound>;

// Where FindObjectAnywhere found an object. When it lies in a sibling
// package, `Child` owns that package and `Package` points to it.
struct TUTFoundObject {
  TUTPackage* Package = nullptr;
  int Index = -1;
  std::unique_ptr<TUTPackage> Child;
};

class TUTPackage : public TUTStreamSource {
 public:
  TUTPackage();
  // Loads the file at once; errors reach the caller.
  explicit TUTPackage(const std::string& fileName, TUTGameCode game = gameUnknown);
  virtual ~TUTPackage();
  TUTPackage(const TUTPackage&) = delete;
  TUTPackage& operator=(const TUTPackage&) = delete;

  // A sibling package opened on behalf of `parent` (import lookups): it
  // takes the parent's game, settings and events except progress.
  static std::unique_ptr<TUTPackage> CreateChild(const std::string& fileName, const TUTPackage& parent);

  // Replaces the whole contents with those of another file; game 0 asks
  // for detection. EInvalidUTPackage or EProcessingUTPackage on failure.
  void Load(const std::string& fileName, TUTGameCode game = gameUnknown);

  // Header.
  const std::string& FileName() const { return FFileName; }
  std::uint16_t FileVersion() const override { return FFileVersion; }
  std::uint16_t LicenseeVersion() const { return FLicenseeVersion; }
  std::uint32_t PackageFlags() const { return FPackageFlags; }
  TUTGameCode Game() const { return FGame; }
  // Why the tables were left empty: a package flagged as holding no tables
  // worth reading keeps them empty when they cannot be read, and keeps the
  // reader's message here. Empty when the tables were read.
  const std::string& TablesError() const { return FTablesError; }
  // EUnreadableUTTables when the tables were left empty that way: for
  // callers that show the package's contents, to whom an empty package
  // would look like a package holding nothing.
  void RequireTables() const;

  // Tables; out-of-range lookups give an empty text or null.
  int NameCount() const override { return static_cast<int>(FNames.size()); }
  std::string GetName(int index) const;
  std::uint32_t GetNameFlags(int index) const;
  int ExportCount() const { return static_cast<int>(FExports.size()); }
  TUTExportTableObjectData* GetExport(int index) const;
  int ImportCount() const { return static_cast<int>(FImports.size()); }
  TUTImportTableObjectData* GetImport(int index) const;
  const std::vector<TUTGuid>& Heritage() const { return FHeritage; }
  const std::vector<TUTGeneration>& Generations() const { return FGenerations; }

  // The dotted path of `ref` from the outermost level inward, limited to
  // the innermost `depth` levels (-1 all, 1 the object's own name). Empty
  // when any reference along the way is outside the tables or the chain
  // loops; EUTReadError for a name index outside the name table.
  std::string GetObjectPath(int depth, TUTObjectReference ref) const;

  // Lookups never fail: -1 stands for not found.
  int FindExport(std::string_view objectName, std::string_view className) const;
  int FindObject(TUTTable table, std::uint8_t flags, std::string_view packagePath, std::string_view objectName,
                 std::string_view className, int start = 0) const;
  bool ImportsPackage(std::string_view name) const;
  // Looks in this package, then follows imports into sibling ".u" files in
  // the same folder. True when found; `found` then says where.
  bool FindObjectAnywhere(std::uint8_t flags, std::string_view packagePath, std::string_view objectName,
                          std::string_view className, std::string_view ownerClassName, TUTFoundObject& found);
  // The file of the sibling package `packageName` in this package's folder,
  // offered to OnFileNotFound; empty when the name is not a plain file name
  // or no such file exists.
  std::string SiblingFileName(std::string_view packageName) const;
  // The sibling package `packageName`, opened as a child once and kept
  // until the next Load, so that what was found in it stays valid; null
  // when there is no such file. Errors opening it reach the caller, and a
  // later call tries again.
  TUTPackage* Sibling(std::string_view packageName);

  // Every export object that holds buffered data gets one ReleaseObject.
  void ReleaseAllObjects();

  // Reads one property tag from `stream` into `property`; false for the
  // end tag "None". EReadingUTProperty on failure.
  bool ReadProperty(TUTProperty& property, TUTStream& stream);

  // Copies the serial data of an export out of the file.
  TUTBytes ReadSerialData(int exportIndex);

  // The file stream, open only between OpenStream and the matching
  // CloseStream; opens nest.
  void OpenStream();
  void CloseStream();
  TUTStream& Stream();
  // The bytes read from the file since it was loaded, tables and object
  // data alike.
  std::int64_t FileBytesRead() const;

  void DoProgress(std::int64_t done, std::int64_t total);
  std::string QuoteString(const std::string& text) const;
  std::u16string QuoteWideString(const std::u16string& text) const;

  const TNativeFunctions& NativeFunctions() const { return FNativeFunctions; }
  void SetNativeFunctions(const TNativeFunctions& table, int high);
  void SelectNativeFunctions();

  TUTEnumCache& EnumCache() { return FEnumCache; }
  // Emptied by Load, and when SearchImports changes, as a search that
  // could not follow an import may find the declaration once it can.
  TUTDeclarationCache& DeclarationCache() { return FDeclarationCache; }
  bool SearchImports() const { return FSearchImports; }
  void SetSearchImports(bool value);
  bool KeepRawMipData() const { return FKeepRawMipData; }
  void SetKeepRawMipData(bool value) { FKeepRawMipData = value; }

  std::function<void(TUTPackage& sender, int percent)> OnProgress;
  std::function<std::string(const std::string& text)> OnQuoteString;
  std::function<std::u16string(const std::u16string& text)> OnQuoteWideString;
  std::function<void(std::string& fileName)> OnFileNotFound;

 private:
  // The game is settled while the tables load: from the file's extension
  // before, from the licensee and the imported packages after.
  void DetectGameByExtension();
  void DetectGameByContents();
  void Clear();
  void LoadTables();
  void ReadPackage();
  struct TTableLayout;
  void ReadTables(std::int64_t& total);
  void ReadTableBody(TUTStream& s, TTableLayout& t, std::int64_t& total);
  bool FindObjectAnywhereAt(std::uint8_t flags, std::string_view packagePath, std::string_view objectName,
                            std::string_view className, std::string_view ownerClassName, TUTFoundObject& found,
                            std::vector<std::string>& visited);
  bool FollowImport(int importIndex, std::uint8_t flags, std::string_view packagePath, std::string_view objectName,
                    std::string_view className, TUTFoundObject& found, std::vector<std::string>& visited);
  bool EntryMatches(TUTTable table, int index, std::uint8_t flags, std::string_view packagePath,
                    std::string_view objectName, std::string_view className) const;
  // The name-table entry, empty outside the table; valid until the next Load.
  std::string_view NameAt(int index) const;
  // The path, or nothing when a name index along it is outside the table.
  std::optional<std::string> TryObjectPath(int depth, TUTObjectReference ref) const;

  std::unique_ptr<TUTStream> FStream;
  std::string FFileName;
  std::uint16_t FFileVersion = 0;
  std::uint16_t FLicenseeVersion = 0;
  std::uint32_t FPackageFlags = 0;
  std::string FTablesError;
  int FOpenCount = 0;
  std::int64_t FClosedBytesRead = 0;  // by the streams opened and closed since the load
  std::vector<std::string> FNames;
  std::vector<std::uint32_t> FNameFlags;
  std::vector<std::unique_ptr<TUTImportTableObjectData>> FImports;
  std::vector<std::unique_ptr<TUTExportTableObjectData>> FExports;
  std::vector<TUTGuid> FHeritage;
  std::vector<TUTGeneration> FGenerations;
  bool FSearchImports = true;
  TUTEnumCache FEnumCache;
  TUTDeclarationCache FDeclarationCache;
  // The siblings by lower-cased package name, null for a missing file.
  std::map<std::string, TUTPackage*> FSiblings;
  std::vector<std::unique_ptr<TUTPackage>> FSiblingPackages;
  TUTGameCode FGame = gameUnknown;
  TNativeFunctions FNativeFunctions;
  bool FKeepRawMipData = true;
};

}  // namespace packages
