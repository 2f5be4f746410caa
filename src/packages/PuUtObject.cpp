#include "packages/PuUtObject.h"

#include "packages/PuUtPackage.h"

namespace packages {

TUTObject::TUTObject(TUTPackage& package, int exportIndex) : FPackage(package), FExportIndex(exportIndex) {}

TUTObject::~TUTObject() = default;

namespace {

const TUTExportTableObjectData& ExportOf(const TUTPackage& package, int index) {
  const TUTExportTableObjectData* e = package.GetExport(index);
  if (!e) throw EUTReadError("Export " + std::to_string(index) + " does not exist in " + package.FileName());
  return *e;
}

}  // namespace

void TUTObject::ReadObject(bool readProperties) {
  ++FUseCount;
  if (FBuffered && (!readProperties || FDataRead)) return;
  if (!FBuffered) BufferData();
  if (readProperties && !FData.empty()) {
    // A read that failed before may have left the position anywhere.
    FBuffer->Seek(0);
    InitializeObject();
    ReadData();
    FBuffer->Seek(0);
    FDataRead = true;
  }
}

void TUTObject::BufferData() {
  const TUTExportTableObjectData& e = ExportOf(FPackage, FExportIndex);
  // The data are installed only once the whole copy has succeeded.
  TUTBytes data = FPackage.ReadSerialData(FExportIndex);
  FSerialOffset = e.SerialOffset;
  FData = std::move(data);
  FBuffer.emplace(FData, "export " + std::to_string(FExportIndex) + " (" + e.GetObjectName() + ")");
  FBuffer->SetSource(&FPackage);
  FBuffered = true;
}

void TUTObject::ReleaseObject() {
  if (FUseCount <= 0) return;
  if (--FUseCount > 0) return;
  if (FBuffered) FreeData();
  FBuffered = false;
  FDataRead = false;
}

TUTPropertyList& TUTObject::GetProperties() {
  CheckReadObject();
  return FProperties;
}

std::string TUTObject::GetClassName() const { return ExportOf(FPackage, FExportIndex).GetClassName(); }
std::string TUTObject::GetObjectName() const { return ExportOf(FPackage, FExportIndex).GetObjectName(); }
TUTObjectReference TUTObject::GetClassRef() const { return ExportOf(FPackage, FExportIndex).Class; }
TUTObjectReference TUTObject::GetSuperRef() const { return ExportOf(FPackage, FExportIndex).Super; }
std::int32_t TUTObject::GetSerialOffset() const { return ExportOf(FPackage, FExportIndex).SerialOffset; }
std::int32_t TUTObject::GetSerialSize() const { return ExportOf(FPackage, FExportIndex).SerialSize; }
std::uint32_t TUTObject::GetObjectFlags() const { return ExportOf(FPackage, FExportIndex).ObjectFlags; }
std::string TUTObject::GetFullName() const { return FPackage.GetObjectPath(-1, FExportIndex + 1); }

void TUTObject::CheckReadObject() const {
  if (!FBuffered) throw EUTObjectNotRead(ExportOf(FPackage, FExportIndex).GetObjectName());
}

std::int32_t TUTObject::CheckArrayLength(std::int64_t count) const {
  if (count < 0 || count > static_cast<std::int64_t>(FData.size()))
    throw EUTReadError("Invalid array length: expected " + std::to_string(count) + " elements, found " +
                       std::to_string(FData.size()) + " bytes in " + ExportOf(FPackage, FExportIndex).GetObjectName());
  return static_cast<std::int32_t>(count);
}

void TUTObject::InitializeObject() { FProperties.Clear(); }

void TUTObject::ReadData() {
  TUTStream& s = Buffer();
  if (GetObjectFlags() & RF_HasStack) {
    // The state frame of an object saved while running a script; nothing
    // here needs it.
    const std::int32_t node = s.ReadCompactIndex();
    s.ReadCompactIndex();
    s.ReadInt64();
    s.ReadInteger();
    if (node != 0) s.ReadCompactIndex();
  }
  // A class reads its default properties itself, after its own fields.
  if (GetClassRef() == 0) return;
  ReadProperties();
}

void TUTObject::FreeData() {
  FBuffer.reset();
  FData = TUTBytes();
  FProperties.Clear();
}

void TUTObject::ReadProperties() {
  TUTStream& s = Buffer();
  for (;;) {
    TUTProperty& p = FProperties.NewProperty();
    p.SetOwner(this);
    if (!FPackage.ReadProperty(p, s)) break;
  }
  FProperties.FixArrayIndices();
}

TUTStream& TUTObject::Buffer() {
  CheckReadObject();
  return *FBuffer;
}

}  // namespace packages
