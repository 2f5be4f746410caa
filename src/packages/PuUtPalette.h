#pragma once

// Package objects of class "Palette": the colour table of 8-bit textures.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "packages/PuUtBitmap.h"
#include "packages/PuUtObject.h"

namespace packages {

class TUTObjectClassPalette : public TUTObject {
 public:
  using TUTObject::TUTObject;

  // Each colour as its four bytes stand in the file: red, green, blue and
  // a fourth byte nothing uses.
  using TColor = std::array<std::uint8_t, 4>;

  std::int32_t ColorCount() const { return static_cast<std::int32_t>(FColors.size()); }
  const std::vector<TColor>& Colors() const { return FColors; }

  // The 256 colours for a bitmap; entries beyond the colours read stay
  // black. EUTObjectNotRead when the object was not read.
  std::unique_ptr<TUTPalette> CreateHPalette() const;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

 private:
  std::vector<TColor> FColors;
};

}  // namespace packages
