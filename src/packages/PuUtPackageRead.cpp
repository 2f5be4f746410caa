// Reading a package file's header and tables, and the serial data of one
// export. Every count is checked against the bytes that remain at its
// table's offset before anything is sized by it.

#include <limits>
#include <optional>

#include "packages/PuUtPackage.h"
#include "platform/Files.h"

namespace packages {

namespace {

constexpr std::uint32_t kPackageTag = 0x9E2A83C1;
// The package flag that says the file holds no tables worth reading.
constexpr std::uint32_t kNoTablesFlag = 0x20;

// The fewest bytes one table entry can take, so a count the rest of the
// file cannot hold fails before any list is sized by it.
constexpr std::int64_t kMinNameEntry = 5;     // empty name, flags
constexpr std::int64_t kMinExportEntry = 12;  // four 1-byte indexes, package, flags
constexpr std::int64_t kMinImportEntry = 7;   // three 1-byte indexes, package
constexpr std::int64_t kGuidSize = 16;

std::int32_t ReadNonNegative(TUTStream& s, const char* field) {
  const std::int32_t value = s.ReadInteger();
  if (value < 0) s.Fail(std::string(field) + " is negative (" + std::to_string(value) + ")");
  return value;
}

// Moves to a table whose `count` entries need at least `minEntry` bytes
// each. An empty table is never read, so its offset may point anywhere.
void SeekTable(TUTStream& s, std::int32_t offset, std::int32_t count, std::int64_t minEntry) {
  if (count == 0) return;
  s.Seek(offset);
  s.CheckCount(count, minEntry);
}

}  // namespace

struct TUTPackage::TTableLayout {
  std::int32_t NameCount, NameOffset, ExportCount, ExportOffset, ImportCount, ImportOffset;
  std::int32_t HeritageCount = 0, HeritageOffset = 0;
  // Newer files: the header's GUID, which stands in as the heritage.
  std::optional<TUTGuid> Guid;
};

void TUTPackage::OpenStream() {
  if (FOpenCount == 0) {
    if (OnFileNotFound && !platform::FileExists(FFileName)) OnFileNotFound(FFileName);
    FStream = TUTStream::OpenFile(FFileName);
    FStream->SetSource(this);
  }
  ++FOpenCount;
}

void TUTPackage::CloseStream() {
  if (FOpenCount <= 0) return;
  if (--FOpenCount > 0) return;
  FClosedBytesRead += FStream->FileBytesRead();
  FStream.reset();
}

std::int64_t TUTPackage::FileBytesRead() const {
  return FClosedBytesRead + (FStream ? FStream->FileBytesRead() : 0);
}

TUTStream& TUTPackage::Stream() {
  if (!FStream) throw EUTReadError("The package file " + FFileName + " is not open");
  return *FStream;
}

void TUTPackage::ReadPackage() {
  FClosedBytesRead = 0;
  std::int64_t total = 100;
  DoProgress(0, total);
  bool opened = false;
  // However reading ends, the file is closed and progress reaches its end.
  // Not done from a destructor: the progress handler may throw, and its
  // error must reach the caller instead of ending the program.
  const auto finish = [&] {
    if (opened) CloseStream();
    opened = false;
    DoProgress(total > 0 ? total : 1, total > 0 ? total : 1);
  };
  try {
    try {
      OpenStream();
      opened = true;
      ReadTables(total);
    } catch (const EInvalidUTPackage&) {
      throw;
    } catch (const std::exception& e) {
      throw EProcessingUTPackage(FFileName, e.what());
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TUTPackage::ReadTables(std::int64_t& total) {
  TUTStream& s = Stream();
  if (s.Size() < 4 || s.ReadDWord() != kPackageTag) throw EInvalidUTPackage();
  FFileVersion = s.ReadWord();
  FLicenseeVersion = s.ReadWord();
  FPackageFlags = s.ReadDWord();
  if (FPackageFlags & 0x80000000u) s.Fail("Package flags out of range");
  TTableLayout t{};
  t.NameCount = ReadNonNegative(s, "Name count");
  t.NameOffset = ReadNonNegative(s, "Name offset");
  t.ExportCount = ReadNonNegative(s, "Export count");
  t.ExportOffset = ReadNonNegative(s, "Export offset");
  t.ImportCount = ReadNonNegative(s, "Import count");
  t.ImportOffset = ReadNonNegative(s, "Import offset");
  Clear();
  if ((FPackageFlags & kNoTablesFlag) == 0) {
    ReadTableBody(s, t, total);
    return;
  }
  // Some games mark packages whose tables cannot be read this way with
  // this flag, while the later engine uses it on ordinary packages: read
  // the tables when they can be read, and otherwise leave them empty and
  // keep the reason, so that no caller mistakes them for an empty package.
  try {
    ReadTableBody(s, t, total);
  } catch (const EUTReadError& e) {
    Clear();
    FTablesError = e.what();
    total = 100;
  }
}

void TUTPackage::ReadTableBody(TUTStream& s, TTableLayout& t, std::int64_t& total) {
  if (FFileVersion < 68) {
    t.HeritageCount = ReadNonNegative(s, "Heritage count");
    t.HeritageOffset = ReadNonNegative(s, "Heritage offset");
  } else {
    // Newer files keep a GUID where the heritage table was; it stands in
    // as the one heritage entry.
    t.HeritageCount = 1;
    t.HeritageOffset = static_cast<std::int32_t>(s.Position());
    t.Guid = s.ReadGUID();
    const std::int32_t generations = s.CheckCount(ReadNonNegative(s, "Generation count"), 8);
    FGenerations.reserve(static_cast<std::size_t>(generations));
    for (std::int32_t i = 0; i < generations; ++i) {
      TUTGeneration g;
      g.ExportCount = s.ReadInteger();
      g.NameCount = s.ReadInteger();
      FGenerations.push_back(g);
    }
  }

  total = std::int64_t{t.NameCount} + t.ExportCount + t.ImportCount + t.HeritageCount;
  if (total > std::numeric_limits<std::int32_t>::max()) s.Fail("Table counts too large");
  std::int64_t done = 0;

  SeekTable(s, t.NameOffset, t.NameCount, kMinNameEntry);
  FNames.reserve(static_cast<std::size_t>(t.NameCount));
  FNameFlags.reserve(static_cast<std::size_t>(t.NameCount));
  for (std::int32_t i = 0; i < t.NameCount; ++i) {
    FNames.push_back(s.ReadNameString());
    FNameFlags.push_back(s.ReadDWord());
    DoProgress(++done, total);
  }

  SeekTable(s, t.ExportOffset, t.ExportCount, kMinExportEntry);
  FExports.reserve(static_cast<std::size_t>(t.ExportCount));
  for (std::int32_t i = 0; i < t.ExportCount; ++i) {
    auto e = std::make_unique<TUTExportTableObjectData>(this, i);
    e->Class = s.ReadCompactIndex();
    e->Super = s.ReadCompactIndex();
    e->Package = s.ReadInteger();
    e->ObjectName = s.ReadCompactIndex();
    e->ObjectFlags = s.ReadDWord();
    e->SerialSize = s.ReadCompactIndex();
    e->SerialOffset = e->SerialSize > 0 ? s.ReadCompactIndex() : 0;
    FExports.push_back(std::move(e));
    DoProgress(++done, total);
  }

  SeekTable(s, t.ImportOffset, t.ImportCount, kMinImportEntry);
  FImports.reserve(static_cast<std::size_t>(t.ImportCount));
  for (std::int32_t i = 0; i < t.ImportCount; ++i) {
    auto e = std::make_unique<TUTImportTableObjectData>(this);
    e->ClassPackage = s.ReadCompactIndex();
    e->ClassName = s.ReadCompactIndex();
    e->Package = s.ReadInteger();
    e->ObjectName = s.ReadCompactIndex();
    FImports.push_back(std::move(e));
    DoProgress(++done, total);
  }

  // The GUID was read with the header: going back for it would read the
  // start of the file once more.
  if (!t.Guid) SeekTable(s, t.HeritageOffset, t.HeritageCount, kGuidSize);
  FHeritage.reserve(static_cast<std::size_t>(t.HeritageCount));
  for (std::int32_t i = 0; i < t.HeritageCount; ++i) {
    FHeritage.push_back(t.Guid ? *t.Guid : s.ReadGUID());
    DoProgress(++done, total);
  }
}

TUTBytes TUTPackage::ReadSerialData(int exportIndex) {
  const TUTExportTableObjectData* e = GetExport(exportIndex);
  if (!e) throw EUTReadError("Export " + std::to_string(exportIndex) + " does not exist");
  if (e->SerialSize == 0) return {};
  OpenStream();
  struct TClose {
    TUTPackage& P;
    ~TClose() { P.CloseStream(); }
  } close{*this};
  TUTStream& s = Stream();
  const std::int64_t offset = e->SerialOffset;
  const std::int64_t size = e->SerialSize;
  if (size < 0 || offset < 0 || offset > s.Size() || size > s.Size() - offset)
    throw EUTReadError("The data of export " + std::to_string(exportIndex) + " (" + e->GetObjectName() +
                       ") lie outside the file: expected " + std::to_string(size) + " bytes at offset " +
                       std::to_string(offset) + ", found a file of " + std::to_string(s.Size()) + " bytes");
  const std::int64_t before = s.Position();
  s.Seek(offset);
  TUTBytes data = s.ReadBytes(size);
  s.Seek(before);
  return data;
}

}  // namespace packages
