#include "packages/PuUtPalette.h"

#include <algorithm>

#include "packages/PuUtObjectReading.h"
#include "packages/PuUtPackage.h"

namespace packages {

std::unique_ptr<TUTPalette> TUTObjectClassPalette::CreateHPalette() const {
  CheckReadObject();
  auto palette = std::make_unique<TUTPalette>();
  const std::size_t count = std::min(FColors.size(), palette->Entries.size());
  for (std::size_t i = 0; i < count; ++i) palette->Entries[i] = {FColors[i][0], FColors[i][1], FColors[i][2]};
  return palette;
}

void TUTObjectClassPalette::InitializeObject() {
  TUTObject::InitializeObject();
  FColors.clear();
}

void TUTObjectClassPalette::ReadData() {
  TUTObject::ReadData();
  TUTStream& s = Buffer();
  ReadRecordArray(*this, s, FColors);
  // Undying's later packages keep four more bytes after the colours.
  if (GetOwner().FileVersion() >= 75 && GetOwner().Game() == gameUndying) s.Skip(4);
}

void TUTObjectClassPalette::FreeData() {
  FColors.clear();
  TUTObject::FreeData();
}

}  // namespace packages
