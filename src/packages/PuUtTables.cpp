#include "packages/PuUtTables.h"

#include "packages/PuUtObject.h"
#include "packages/PuUtPackage.h"
#include "packages/PuUtRegistry.h"

namespace packages {

TUTExportTableObjectData::TUTExportTableObjectData(TUTPackage* owner, int index) : Owner(owner), Index(index) {}

TUTExportTableObjectData::~TUTExportTableObjectData() { FreeObject(); }

std::string TUTExportTableObjectData::GetClassName() const { return Owner->GetObjectPath(1, Class); }

std::string TUTExportTableObjectData::GetObjectName() const { return Owner->GetName(ObjectName); }

std::string TUTExportTableObjectData::GetPackagePath() const { return Owner->GetObjectPath(-1, Package); }

std::string TUTExportTableObjectData::GetSuperPath() const { return Owner->GetObjectPath(-1, Super); }

std::string TUTExportTableObjectData::GetFullPath() const { return Owner->GetObjectPath(-1, Index + 1); }

TUTObject& TUTExportTableObjectData::GetObject() {
  if (!FObject) FObject = GetUTObjectClass(GetClassName())(*Owner, Index);
  return *FObject;
}

void TUTExportTableObjectData::FreeObject() { FObject.reset(); }

std::string TUTImportTableObjectData::GetClassName() const { return Owner->GetName(ClassName); }

std::string TUTImportTableObjectData::GetObjectName() const { return Owner->GetName(ObjectName); }

std::string TUTImportTableObjectData::GetPackagePath() const { return Owner->GetObjectPath(-1, Package); }

}  // namespace packages
