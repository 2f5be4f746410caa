// Loads arbitrary bytes as a package with the script and font classes
// registered, reads every export's object (definitions walk their
// bytecode), declares every property definition and formats every tagged
// property whole and member by member. Only the reader's own errors may
// come out.

#include <cstdint>
#include <string>

#include "packages/PuUtFont.h"
#include "fuzz/FuzzInputFile.h"
#include "packages/PuUtPackages.h"
#include "packages/PuUtStructs.h"

namespace {

void FormatProperties(packages::TUTObject& o) {
  for (const auto& property : o.GetProperties()) {
    try {
      (void)property->GetDescription();
      const int members = property->ValueCount();
      for (int i = 0; i < members; ++i) (void)property->GetValue(i);
    } catch (const packages::EUTPackageError&) {
    }
  }
}

void ReadEveryObject(packages::TUTPackage& p) {
  for (int i = 0; i < p.ExportCount(); ++i) {
    packages::TUTObject* o = nullptr;
    try {
      // Even finding the class of an export may fail on a broken name.
      o = &p.GetExport(i)->GetObject();
      o->ReadObject(true);
      if (auto* d = dynamic_cast<packages::TUTObjectClassProperty*>(o)) (void)d->GetDeclaration();
      if (o->Buffered()) FormatProperties(*o);
    } catch (const packages::EUTPackageError&) {
    }
    if (o) o->ReleaseObject();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool registered = [] {
    packages::RegisterScriptClasses();
    packages::RegisterUTObjectClass("Font", packages::UTObjectClass<packages::TUTObjectClassFont>());
    return true;
  }();
  (void)registered;
  const std::string& path = fuzzing::WriteInput(data, size, ".u");
  packages::TUTPackage p;
  try {
    p.Load(path);
  } catch (const packages::EUTPackageError&) {
    return 0;
  }
  ReadEveryObject(p);
  return 0;
}
