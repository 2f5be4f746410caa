#pragma once

// The entries of a package's export and import tables.

#include <cstdint>
#include <memory>
#include <string>

namespace packages {

class TUTPackage;
class TUTObject;

// An object reference: 0 no object, n > 0 export n - 1, n < 0 import -n - 1.
using TUTObjectReference = std::int32_t;

struct TUTGeneration {
  std::int32_t ExportCount = 0;
  std::int32_t NameCount = 0;
};

class TUTExportTableObjectData {
 public:
  TUTExportTableObjectData(TUTPackage* owner, int index);
  ~TUTExportTableObjectData();
  TUTExportTableObjectData(const TUTExportTableObjectData&) = delete;
  TUTExportTableObjectData& operator=(const TUTExportTableObjectData&) = delete;

  // The class's own name; empty for a class object (Class 0).
  std::string GetClassName() const;
  // The name-table entry; empty when the index is outside the table.
  std::string GetObjectName() const;
  // The full dotted path of the outer object; empty at top level.
  std::string GetPackagePath() const;
  // The full dotted path of the parent; empty when there is none.
  std::string GetSuperPath() const;
  // The package path, "." and the object name; the name alone at top level.
  std::string GetFullPath() const;

  // The export's object, created on first request through the class
  // registry; the entry owns it.
  TUTObject& GetObject();
  // The object when one was created, else null.
  TUTObject* ObjectIfCreated() const { return FObject.get(); }
  void FreeObject();

  void SetClass(TUTObjectReference value) { Class = value; }
  void SetSuper(TUTObjectReference value) { Super = value; }
  void SetPackage(TUTObjectReference value) { Package = value; }
  void SetObjectName(std::int32_t value) { ObjectName = value; }
  void SetObjectFlags(std::uint32_t value) { ObjectFlags = value; }
  void SetSerialSize(std::int32_t value) { SerialSize = value; }
  void SetSerialOffset(std::int32_t value) { SerialOffset = value; }

  TUTPackage* Owner;
  std::int32_t SerialOffset = 0;
  TUTObjectReference Class = 0;
  std::int32_t ObjectName = 0;  // name index
  std::int32_t SerialSize = 0;
  TUTObjectReference Package = 0;
  TUTObjectReference Super = 0;
  std::uint32_t ObjectFlags = 0;
  int Index;

 private:
  std::unique_ptr<TUTObject> FObject;
};

class TUTImportTableObjectData {
 public:
  explicit TUTImportTableObjectData(TUTPackage* owner) : Owner(owner) {}

  // Name-table entries; empty when the index is outside the table.
  std::string GetClassName() const;
  std::string GetObjectName() const;
  // The full path of the outer object; its first part names the package
  // file that holds the imported object.
  std::string GetPackagePath() const;

  void SetClassPackage(std::int32_t value) { ClassPackage = value; }
  void SetClassName(std::int32_t value) { ClassName = value; }
  void SetPackage(TUTObjectReference value) { Package = value; }
  void SetObjectName(std::int32_t value) { ObjectName = value; }

  TUTPackage* Owner;
  std::int32_t ObjectName = 0;    // name index
  std::int32_t ClassPackage = 0;  // name index
  std::int32_t ClassName = 0;     // name index
  TUTObjectReference Package = 0;
};

}  // namespace packages
