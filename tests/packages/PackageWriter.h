#pragma once

// Builds Unreal package files for tests: header of either layout, name,
// import, export and heritage tables, object data, property tags and
// compact indexes. Tests can override any header field and corrupt bytes
// of the result at the offsets Layout() reports.
//
//   package_writer::TPackageWriter w(69);
//   int cls = w.Import("Engine", "Class", w.Import("Core", "Package", 0, "Engine"), "Texture");
//   std::string props = w.IntTag("USize", 64) + w.NoneTag();
//   int skin = w.Export("Skin", cls, props);
//   std::string path = w.Write(dir.file("MyTex.utx"));

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace package_writer {

// Little-endian bytes.
std::string Byte(std::uint8_t value);
std::string Word(std::uint16_t value);
std::string Int(std::int32_t value);
std::string DWord(std::uint32_t value);
std::string Float(float value);
// The compact index encoding of `value` (one to five bytes).
std::string Compact(std::int32_t value);
// A sized string as object data store it: compact length counting a
// terminating zero, the bytes, the zero.
std::string SizedString(const std::string& text);
// The array index of a property tag in one, two or four bytes.
std::string ArrayIndexBytes(std::int32_t index);

using TGuid = std::array<std::uint8_t, 16>;

struct TExport {
  std::int32_t Class = 0;    // object reference
  std::int32_t Super = 0;    // object reference
  std::int32_t Package = 0;  // object reference of the outer object
  std::string ObjectName;
  std::uint32_t ObjectFlags = 0;
  std::string Data;  // serial data; none gives SerialSize 0
  // Stored instead of the real size and offset when set.
  std::optional<std::int32_t> SerialSize;
  std::optional<std::int32_t> SerialOffset;
};

struct TImport {
  std::string ClassPackage;
  std::string ClassName;
  std::int32_t Package = 0;  // object reference of the outer object
  std::string ObjectName;
};

// Where Build put things, for tests that corrupt the bytes.
struct TLayout {
  std::size_t NameOffset = 0;
  std::size_t ImportOffset = 0;
  std::size_t ExportOffset = 0;
  std::size_t HeritageOffset = 0;
  std::vector<std::size_t> DataOffsets;  // per export
  std::size_t Size = 0;
};

// Header values written instead of the real ones when set.
struct THeaderOverride {
  std::optional<std::int32_t> NameCount, NameOffset, ExportCount, ExportOffset, ImportCount, ImportOffset;
  std::optional<std::int32_t> HeritageCount, HeritageOffset, GenerationCount;
};

class TPackageWriter {
 public:
  explicit TPackageWriter(std::uint16_t fileVersion = 69, std::uint16_t licenseeVersion = 0);

  std::uint16_t FileVersion;
  std::uint16_t LicenseeVersion;
  std::uint32_t PackageFlags = 1;
  TGuid Guid{};                     // version 68 and later
  std::vector<std::pair<std::int32_t, std::int32_t>> Generations;  // version 68 and later
  std::vector<TGuid> Heritage;      // before version 68
  THeaderOverride Override;

  // The index of `name` in the name table, added when new.
  int Name(const std::string& name, std::uint32_t flags = 0);
  // Adds an import; returns its object reference (negative).
  int Import(const std::string& classPackage, const std::string& className, std::int32_t outer,
             const std::string& objectName);
  // Adds an export; returns its object reference (positive).
  int Export(const std::string& objectName, std::int32_t classRef, const std::string& data = "",
             std::int32_t outer = 0, std::int32_t super = 0, std::uint32_t flags = 0);
  int Export(const TExport& entry);
  TExport& ExportAt(int ref) { return FExports[static_cast<std::size_t>(ref - 1)]; }
  TImport& ImportAt(int ref) { return FImports[static_cast<std::size_t>(-ref - 1)]; }

  // Property tags, interning their names. `sizeCode` -1 picks the
  // shortest size encoding for the value.
  std::string Tag(const std::string& name, int type, const std::string& value, std::int32_t arrayIndex = -1,
                  const std::string& structName = "", int sizeCode = -1);
  std::string IntTag(const std::string& name, std::int32_t value, std::int32_t arrayIndex = -1);
  std::string ByteTag(const std::string& name, std::uint8_t value);
  std::string FloatTag(const std::string& name, float value);
  std::string BoolTag(const std::string& name, bool value);
  std::string NameTag(const std::string& name, const std::string& value);
  std::string StrTag(const std::string& name, const std::string& text);
  std::string ObjectTag(const std::string& name, std::int32_t ref);
  std::string NoneTag();

  // The whole file.
  std::string Build();
  const TLayout& Layout() const { return FLayout; }
  // Builds and writes the file; returns its path.
  std::string Write(const std::string& path);

 private:
  std::string NameEntry(const std::string& name) const;

  std::vector<std::string> FNames;
  std::map<std::string, int> FNameIndex;
  std::vector<std::uint32_t> FNameFlags;
  std::vector<TImport> FImports;
  std::vector<TExport> FExports;
  TLayout FLayout;
};

}  // namespace package_writer
