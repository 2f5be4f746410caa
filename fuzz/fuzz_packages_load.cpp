// Loads arbitrary bytes as a package, lists every export with its class and
// path, reads every export's tagged properties and describes them, and
// follows a lookup through the imports. Only the reader's own errors may
// come out.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzInputFile.h"
#include "packages/PuUtPackages.h"

namespace {

void Exercise(packages::TUTPackage& p) {
  for (int i = 0; i < p.ExportCount(); ++i) {
    packages::TUTExportTableObjectData& e = *p.GetExport(i);
    try {
      (void)e.GetClassName();
      (void)e.GetFullPath();
      (void)e.GetSuperPath();
    } catch (const packages::EUTPackageError&) {
    }
    if (e.SerialSize == 0) continue;
    packages::TUTObject& o = e.GetObject();
    try {
      o.ReadObject(true);
      for (const auto& property : o.GetProperties()) {
        try {
          (void)property->GetDescription();
        } catch (const packages::EUTPackageError&) {
        }
      }
    } catch (const packages::EUTPackageError&) {
    }
    o.ReleaseObject();
  }
  packages::TUTFoundObject found;
  p.FindObjectAnywhere(packages::findObjectName, "", "Object", "", "Object", found);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = fuzzing::WriteInput(data, size, ".u");
  packages::TUTPackage p;
  try {
    p.Load(path);
  } catch (const packages::EUTPackageError&) {
    return 0;
  }
  try {
    Exercise(p);
  } catch (const packages::EUTPackageError&) {
  }
  return 0;
}
