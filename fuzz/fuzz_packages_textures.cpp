// Opens the input as a package and reads every palette, texture and cube
// map in it, touching every decoded pixel.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzInputFile.h"
#include "packages/PuUtPackages.h"
#include "packages/PuUtPalette.h"
#include "packages/PuUtTexture.h"

namespace {

unsigned TouchPixels(const std::vector<packages::TUTBitmap>& mips) {
  unsigned sum = 0;
  for (const auto& mip : mips)
    for (std::uint8_t b : mip.Pixels()) sum += b;
  return sum;
}

void Touch(packages::TUTObject& object) {
  using namespace packages;
  volatile unsigned sink = 0;
  if (auto* texture = dynamic_cast<TUTObjectClassTexture*>(&object))
    sink = TouchPixels(texture->Mips()) + TouchPixels(texture->CompMips());
  if (auto* palette = dynamic_cast<TUTObjectClassPalette*>(&object)) sink = palette->CreateHPalette()->Entries[255].Red;
  (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace packages;
  static const bool registered = (RegisterTextureClasses(), true);
  (void)registered;
  const std::string& path = fuzzing::WriteInput(data, size, ".utx");
  try {
    TUTPackage package(path);
    for (int i = 0; i < package.ExportCount(); ++i) {
      TUTObject& object = package.GetExport(i)->GetObject();
      const bool ours = dynamic_cast<TUTObjectClassTexture*>(&object) || dynamic_cast<TUTObjectClassPalette*>(&object) ||
                        dynamic_cast<TUTObjectClassCubeMap*>(&object);
      if (!ours) continue;
      try {
        object.ReadObject(true);
        Touch(object);
      } catch (const EUTPackageError&) {
        // A broken object: the next one may still be sound.
      }
      object.ReleaseObject();
    }
  } catch (const EUTPackageError&) {
  }
  return 0;
}
