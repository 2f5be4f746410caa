// Loads arbitrary bytes as a package, lists every export with its class and
// path, reads every export's tagged properties and describes them, and
// follows a lookup through the imports. Only the reader's own errors may
// come out.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "packages/PuUtPackages.h"

namespace {

// A private folder, so that sibling lookups can only ever find the input
// itself (named so that an import of "fuzz" reaches it).
const std::string& InputPath() {
  static const std::string path = [] {
    char dir[] = "/tmp/rosterwell-fuzz-XXXXXX";
    if (!mkdtemp(dir)) std::abort();
    return std::string(dir) + "/fuzz.u";
  }();
  return path;
}

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
  std::FILE* f = std::fopen(InputPath().c_str(), "wb");
  if (!f) std::abort();
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);
  packages::TUTPackage p;
  try {
    p.Load(InputPath());
  } catch (const packages::EUTPackageError&) {
    return 0;
  }
  try {
    Exercise(p);
  } catch (const packages::EUTPackageError&) {
  }
  return 0;
}
