#pragma once

// Package objects of the texture classes. A texture keeps its image as a
// list of mip maps, each decoded into a bitmap when the texture is read;
// some carry a second, compressed list behind the property "bHasComp".

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "packages/PuUtBitmap.h"
#include "packages/PuUtObject.h"
#include "packages/PuUtPixelFormats.h"

namespace packages {

// The most bytes of decoded pixels one texture may hold across all its
// mips: a mip record of a few bytes can claim a large empty image, and a
// texture holds up to 255 of them in each of its two lists.
inline constexpr std::int64_t kMaxTexturePixelBytes = std::int64_t{128} << 20;

class TUTObjectClassTexture : public TUTObject {
 public:
  using TUTObject::TUTObject;

  // One bitmap per mip map, in file order.
  const std::vector<TUTBitmap>& Mips() const { return FMips; }
  // The compressed set; empty when the texture has none.
  const std::vector<TUTBitmap>& CompMips() const { return FCompMips; }

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

  // Decodes one mip's pixel data into a new bitmap.
  TUTBitmap DecodeMipMap(TUTTextureFormat format, std::span<const std::uint8_t> data, std::int32_t mipWidth,
                         std::int32_t mipHeight);

 private:
  void ReadMipList(TUTTextureFormat format, std::vector<TUTBitmap>& mips);
  void ReadMipMap(TUTTextureFormat format, std::vector<TUTBitmap>& mips);
  std::int64_t IntegerProperty(const char* name, std::int64_t absent);
  std::unique_ptr<TUTPalette> FindPalette();
  [[noreturn]] void FailMip(const std::string& what);

  std::vector<TUTBitmap> FMips;
  std::vector<TUTBitmap> FCompMips;
  // Set while the texture is being read.
  std::unique_ptr<TUTPalette> FPalette;
  bool FPaletteResolved = false;
  std::int64_t FPixelBytes = 0;
};

class TUTObjectClassFireTexture : public TUTObjectClassTexture {
 public:
  using TUTObjectClassTexture::TUTObjectClassTexture;
  using TSpark = std::array<std::uint8_t, 8>;

  // Each spark's eight bytes as they stand in the file.
  const std::vector<TSpark>& Sparks() const { return FSparks; }

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

 private:
  std::vector<TSpark> FSparks;
};

class TUTObjectClassIceTexture : public TUTObjectClassTexture {
 public:
  using TUTObjectClassTexture::TUTObjectClassTexture;
};

class TUTObjectClassWaterTexture : public TUTObjectClassTexture {
 public:
  using TUTObjectClassTexture::TUTObjectClassTexture;
};

class TUTObjectClassWaveTexture : public TUTObjectClassWaterTexture {
 public:
  using TUTObjectClassWaterTexture::TUTObjectClassWaterTexture;
};

class TUTObjectClassWetTexture : public TUTObjectClassWaterTexture {
 public:
  using TUTObjectClassWaterTexture::TUTObjectClassWaterTexture;
};

class TUTObjectClassFluidTexture : public TUTObjectClassWaterTexture {
 public:
  using TUTObjectClassWaterTexture::TUTObjectClassWaterTexture;
};

// Reads only what every object has: its pixels are drawn at run time.
class TUTObjectClassScriptedTexture : public TUTObject {
 public:
  using TUTObject::TUTObject;
};

class TUTObjectClassCubeMap : public TUTObject {
 public:
  using TUTObject::TUTObject;

  std::uint8_t ExtraByte() const { return FExtraByte; }

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

 private:
  std::uint8_t FExtraByte = 0;
};

}  // namespace packages
