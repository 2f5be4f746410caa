#include "PackageWriter.h"

#include <bit>
#include <fstream>
#include <stdexcept>

namespace package_writer {

std::string Byte(std::uint8_t value) { return std::string(1, static_cast<char>(value)); }

std::string Word(std::uint16_t value) { return Byte(value & 0xFF) + Byte(value >> 8); }

std::string DWord(std::uint32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i) out += Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  return out;
}

std::string Int(std::int32_t value) { return DWord(static_cast<std::uint32_t>(value)); }

std::string Float(float value) { return DWord(std::bit_cast<std::uint32_t>(value)); }

std::string Compact(std::int32_t value) {
  // Magnitude in 64 bits: the most negative value has no 32-bit magnitude.
  std::uint64_t v = value < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(value))
                              : static_cast<std::uint64_t>(value);
  std::string out;
  std::uint8_t b0 = static_cast<std::uint8_t>((value < 0 ? 0x80 : 0) | (v & 0x3F));
  v >>= 6;
  if (v == 0) return Byte(b0);
  out += Byte(b0 | 0x40);
  for (int i = 1; i < 4; ++i) {
    std::uint8_t b = v & 0x7F;
    v >>= 7;
    if (v == 0) return out + Byte(b);
    out += Byte(b | 0x80);
  }
  return out + Byte(static_cast<std::uint8_t>(v));
}

std::string SizedString(const std::string& text) {
  return Compact(static_cast<std::int32_t>(text.size() + 1)) + text + Byte(0);
}

std::string ArrayIndexBytes(std::int32_t index) {
  if (index < 0x80) return Byte(static_cast<std::uint8_t>(index));
  if (index < 0x4000) return Byte(static_cast<std::uint8_t>(0x80 | (index >> 8))) + Byte(index & 0xFF);
  return Byte(static_cast<std::uint8_t>(0xC0 | (index >> 24))) + Byte((index >> 16) & 0xFF) +
         Byte((index >> 8) & 0xFF) + Byte(index & 0xFF);
}

TPackageWriter::TPackageWriter(std::uint16_t fileVersion, std::uint16_t licenseeVersion)
    : FileVersion(fileVersion), LicenseeVersion(licenseeVersion) {
  Name("None");
}

int TPackageWriter::Name(const std::string& name, std::uint32_t flags) {
  if (const auto it = FNameIndex.find(name); it != FNameIndex.end()) return it->second;
  FNameIndex[name] = static_cast<int>(FNames.size());
  FNames.push_back(name);
  FNameFlags.push_back(flags);
  return static_cast<int>(FNames.size() - 1);
}

int TPackageWriter::Import(const std::string& classPackage, const std::string& className, std::int32_t outer,
                           const std::string& objectName) {
  Name(classPackage);
  Name(className);
  Name(objectName);
  FImports.push_back({classPackage, className, outer, objectName});
  return -static_cast<int>(FImports.size());
}

int TPackageWriter::Export(const std::string& objectName, std::int32_t classRef, const std::string& data,
                           std::int32_t outer, std::int32_t super, std::uint32_t flags) {
  TExport e;
  e.ObjectName = objectName;
  e.Class = classRef;
  e.Data = data;
  e.Package = outer;
  e.Super = super;
  e.ObjectFlags = flags;
  return Export(e);
}

int TPackageWriter::Export(const TExport& entry) {
  Name(entry.ObjectName);
  FExports.push_back(entry);
  return static_cast<int>(FExports.size());
}

std::string TPackageWriter::Tag(const std::string& name, int type, const std::string& value, std::int32_t arrayIndex,
                                const std::string& structName, int sizeCode) {
  const std::size_t size = value.size();
  if (sizeCode < 0) {
    static const std::size_t fixed[] = {1, 2, 4, 12, 16};
    sizeCode = size <= 0xFF ? 5 : size <= 0xFFFF ? 6 : 7;
    for (int c = 0; c < 5; ++c)
      if (fixed[c] == size) sizeCode = c;
  }
  std::string out = Compact(Name(name));
  out += Byte(static_cast<std::uint8_t>((type & 0x0F) | (sizeCode << 4) | (arrayIndex >= 0 ? 0x80 : 0)));
  if (type == 10) out += Compact(Name(structName));
  if (sizeCode == 5) out += Byte(static_cast<std::uint8_t>(size));
  if (sizeCode == 6) out += Word(static_cast<std::uint16_t>(size));
  if (sizeCode == 7) out += Int(static_cast<std::int32_t>(size));
  if (arrayIndex >= 0) out += ArrayIndexBytes(arrayIndex);
  return out + value;
}

std::string TPackageWriter::IntTag(const std::string& name, std::int32_t value, std::int32_t arrayIndex) {
  return Tag(name, 2, Int(value), arrayIndex);
}
std::string TPackageWriter::ByteTag(const std::string& name, std::uint8_t value) { return Tag(name, 1, Byte(value)); }
std::string TPackageWriter::FloatTag(const std::string& name, float value) { return Tag(name, 4, Float(value)); }
std::string TPackageWriter::BoolTag(const std::string& name, bool value) {
  return Compact(Name(name)) + Byte(value ? 0x83 : 0x03);
}
std::string TPackageWriter::NameTag(const std::string& name, const std::string& value) {
  return Tag(name, 6, Compact(Name(value)));
}
std::string TPackageWriter::StrTag(const std::string& name, const std::string& text) {
  return Tag(name, 13, SizedString(text));
}
std::string TPackageWriter::ObjectTag(const std::string& name, std::int32_t ref) { return Tag(name, 5, Compact(ref)); }
std::string TPackageWriter::NoneTag() { return Compact(Name("None")); }

std::string TPackageWriter::NameEntry(const std::string& name) const {
  if (FileVersion < 64) return name + Byte(0);
  return Byte(static_cast<std::uint8_t>(name.size() + 1)) + name + Byte(0);
}

std::string TPackageWriter::Build() {
  const bool newLayout = FileVersion >= 68;
  const std::size_t headerSize = newLayout ? 56 + 8 * Generations.size() : 44;
  FLayout = TLayout();
  // Entries changed through ExportAt or ImportAt may name new names.
  for (const auto& i : FImports) {
    Name(i.ClassPackage);
    Name(i.ClassName);
    Name(i.ObjectName);
  }
  for (const auto& e : FExports) Name(e.ObjectName);

  std::string data;
  for (const auto& e : FExports) {
    FLayout.DataOffsets.push_back(headerSize + data.size());
    data += e.Data;
  }

  std::string names, imports, exports, heritage;
  for (std::size_t i = 0; i < FNames.size(); ++i) names += NameEntry(FNames[i]) + DWord(FNameFlags[i]);
  for (const auto& i : FImports)
    imports += Compact(Name(i.ClassPackage)) + Compact(Name(i.ClassName)) + Int(i.Package) + Compact(Name(i.ObjectName));
  for (std::size_t k = 0; k < FExports.size(); ++k) {
    const TExport& e = FExports[k];
    const std::int32_t size = e.SerialSize.value_or(static_cast<std::int32_t>(e.Data.size()));
    exports += Compact(e.Class) + Compact(e.Super) + Int(e.Package) + Compact(Name(e.ObjectName)) +
               DWord(e.ObjectFlags) + Compact(size);
    if (size > 0) exports += Compact(e.SerialOffset.value_or(static_cast<std::int32_t>(FLayout.DataOffsets[k])));
  }
  if (!newLayout)
    for (const auto& g : Heritage) heritage.append(reinterpret_cast<const char*>(g.data()), g.size());

  FLayout.NameOffset = headerSize + data.size();
  FLayout.ImportOffset = FLayout.NameOffset + names.size();
  FLayout.ExportOffset = FLayout.ImportOffset + imports.size();
  FLayout.HeritageOffset = newLayout ? 36 : FLayout.ExportOffset + exports.size();

  const auto field = [](const std::optional<std::int32_t>& over, std::size_t real) {
    return Int(over.value_or(static_cast<std::int32_t>(real)));
  };
  std::string out = DWord(0x9E2A83C1) + Word(FileVersion) + Word(LicenseeVersion) + DWord(PackageFlags);
  out += field(Override.NameCount, FNames.size()) + field(Override.NameOffset, FLayout.NameOffset);
  out += field(Override.ExportCount, FExports.size()) + field(Override.ExportOffset, FLayout.ExportOffset);
  out += field(Override.ImportCount, FImports.size()) + field(Override.ImportOffset, FLayout.ImportOffset);
  if (newLayout) {
    out.append(reinterpret_cast<const char*>(Guid.data()), Guid.size());
    out += field(Override.GenerationCount, Generations.size());
    for (const auto& [exportCount, nameCount] : Generations) out += Int(exportCount) + Int(nameCount);
  } else {
    out += field(Override.HeritageCount, Heritage.size()) + field(Override.HeritageOffset, FLayout.HeritageOffset);
  }
  out += data + names + imports + exports + heritage;
  FLayout.Size = out.size();
  return out;
}

std::string TPackageWriter::Write(const std::string& path) {
  const std::string bytes = Build();
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
  return path;
}

}  // namespace package_writer
