#pragma once

// The base of every object a package's export table describes. The object
// copies its serial data into a buffer of its own, reads them through a
// bounded stream and gives them up when its last user releases it.
//
// Content classes override InitializeObject, ReadData and FreeData in one
// pattern: the inherited operation first when initialising and reading,
// last when freeing. They give their fields default values in the class
// itself, since the base constructor cannot reach an override.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "packages/PuUtProperty.h"
#include "packages/PuUtStream.h"
#include "packages/PuUtTables.h"

namespace packages {

class TUTPackage;

// The export flag that says the data begin with a state frame.
constexpr std::uint32_t RF_HasStack = 0x02000000;

class TUTObject {
 public:
  TUTObject(TUTPackage& package, int exportIndex);
  virtual ~TUTObject();
  TUTObject(const TUTObject&) = delete;
  TUTObject& operator=(const TUTObject&) = delete;

  // Buffers the serial data and, when `readProperties`, reads them. Every
  // call counts one use, to be matched by ReleaseObject, even when it fails.
  void ReadObject(bool readProperties = true);
  // Gives one use back; the data go when the count reaches 0.
  void ReleaseObject();

  // The tagged properties; EUTObjectNotRead when nothing is buffered.
  TUTPropertyList& GetProperties();

  // The export entry's values, looked up at each call.
  std::string GetClassName() const;
  std::string GetObjectName() const;
  TUTObjectReference GetClassRef() const;
  TUTObjectReference GetSuperRef() const;
  std::int32_t GetSerialOffset() const;
  std::int32_t GetSerialSize() const;
  std::uint32_t GetObjectFlags() const;
  // The full dotted path of this object.
  std::string GetFullName() const;
  TUTPackage& GetOwner() const { return FPackage; }
  int ExportIndex() const { return FExportIndex; }

  bool Buffered() const { return FBuffered; }
  bool DataRead() const { return FDataRead; }
  int UseCount() const { return FUseCount; }
  // The export's SerialOffset when the data were buffered: content readers
  // turn file offsets into buffer positions with it.
  std::int32_t SerialOffset() const { return FSerialOffset; }

  // EUTObjectNotRead ("<name>: ReadObject was not called for this object!")
  // when nothing is buffered.
  void CheckReadObject() const;
  // `count` when the buffered data can hold it, else "Invalid array length".
  std::int32_t CheckArrayLength(std::int64_t count) const;

 protected:
  virtual void InitializeObject();
  virtual void ReadData();
  virtual void FreeData();
  void ReadProperties();

  // The bounded stream over the buffered data, positioned where the reading
  // so far has left it; EUTObjectNotRead when nothing is buffered.
  TUTStream& Buffer();
  const TUTBytes& Data() const { return FData; }

 private:
  void BufferData();

  TUTPackage& FPackage;
  int FExportIndex;
  std::int32_t FSerialOffset = 0;
  bool FBuffered = false;
  bool FDataRead = false;
  int FUseCount = 0;
  TUTPropertyList FProperties;
  TUTBytes FData;
  std::optional<TUTStream> FBuffer;
};

// How the class registry creates objects: one factory per object class.
using TUTObjectClassRef = std::unique_ptr<TUTObject> (*)(TUTPackage& package, int exportIndex);

template <class T>
std::unique_ptr<TUTObject> CreateUTObject(TUTPackage& package, int exportIndex) {
  return std::make_unique<T>(package, exportIndex);
}

// The class reference of T, as the registry stores it.
template <class T>
TUTObjectClassRef UTObjectClass() {
  return &CreateUTObject<T>;
}

}  // namespace packages
