#include "packages/PuUtObject.h"

#include "packages/PuUtPackage.h"

namespace packages {

TUTObject::TUTObject(TUTPackage& package, int exportIndex) : FPackage(package), FExportIndex(exportIndex) {}

TUTObject::~TUTObject() = default;

void TUTObject::ReadObject(bool) {}
void TUTObject::ReleaseObject() {}
TUTPropertyList& TUTObject::GetProperties() { return FProperties; }
std::string TUTObject::GetClassName() const { return ""; }
std::string TUTObject::GetObjectName() const { return ""; }
TUTObjectReference TUTObject::GetClassRef() const { return 0; }
TUTObjectReference TUTObject::GetSuperRef() const { return 0; }
std::int32_t TUTObject::GetSerialOffset() const { return 0; }
std::int32_t TUTObject::GetSerialSize() const { return 0; }
std::uint32_t TUTObject::GetObjectFlags() const { return 0; }
std::string TUTObject::GetFullName() const { return ""; }
void TUTObject::CheckReadObject() const {}
std::int32_t TUTObject::CheckArrayLength(std::int64_t count) const { return static_cast<std::int32_t>(count); }
void TUTObject::InitializeObject() {}
void TUTObject::ReadData() {}
void TUTObject::FreeData() {}
void TUTObject::ReadProperties() {}
TUTStream& TUTObject::Buffer() { return *FBuffer; }
void TUTObject::BufferData() {}

}  // namespace packages
