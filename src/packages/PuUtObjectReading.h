#pragma once

// Helpers of the object readers: the objects of other exports, reached by
// a reference as stored in a file and read for as long as a scope needs
// them, the class names of references, and arrays of fixed-size records.

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "packages/PuUtObject.h"
#include "packages/PuUtPackage.h"

namespace packages {

// Holds one ReadObject use of an object for a scope, also when the read
// fails (a failed read still counts its use).
class TUTObjectUse {
 public:
  explicit TUTObjectUse(TUTObject& object) : FObject(object) {
    try {
      object.ReadObject(true);
    } catch (...) {
      object.ReleaseObject();
      throw;
    }
  }
  ~TUTObjectUse() { FObject.ReleaseObject(); }
  TUTObjectUse(const TUTObjectUse&) = delete;
  TUTObjectUse& operator=(const TUTObjectUse&) = delete;

 private:
  TUTObject& FObject;
};

// The object of export reference `ref` as a T, or null when `ref` is no
// export of the package or its object is of another class. Chains stored
// in a file (Next, Children, SuperField, Inner) go only through this.
template <class T>
T* ExportObjectAs(TUTPackage& package, TUTObjectReference ref) {
  if (ref < 1 || ref > package.ExportCount()) return nullptr;
  return dynamic_cast<T*>(&package.GetExport(ref - 1)->GetObject());
}

// The class name of export or import `ref`; empty for no object or a
// reference outside the tables.
inline std::string ReferenceClassName(const TUTPackage& package, TUTObjectReference ref) {
  if (ref > 0) {
    if (const auto* e = package.GetExport(ref - 1)) return e->GetClassName();
  } else if (ref < 0) {
    if (const auto* i = package.GetImport(-(ref + 1))) return i->GetClassName();
  }
  return {};
}

// A compact count of fixed-size records read whole into `records`; the
// count is checked against the object's data and the bytes left first.
template <class T>
void ReadRecordArray(const TUTObject& object, TUTStream& s, std::vector<T>& records) {
  static_assert(std::is_trivially_copyable_v<T>, "records are read as raw bytes");
  constexpr std::int64_t kSize = sizeof(T);
  const std::int32_t count = s.CheckCount(object.CheckArrayLength(s.ReadCompactIndex()), kSize);
  records.resize(static_cast<std::size_t>(count));
  s.ReadBlock(records.data(), std::int64_t{count} * kSize);
}

}  // namespace packages
