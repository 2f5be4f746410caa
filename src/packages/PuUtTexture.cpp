#include "packages/PuUtTexture.h"

#include <limits>
#include <string>

#include "packages/PuUtErrors.h"
#include "packages/PuUtObjectReading.h"
#include "packages/PuUtPackage.h"
#include "packages/PuUtPalette.h"

namespace packages {

namespace {

TUTTextureFormat AsFormat(std::int64_t value) {
  const bool fits = value >= std::numeric_limits<TUTTextureFormat>::min() &&
                    value <= std::numeric_limits<TUTTextureFormat>::max();
  return fits ? static_cast<TUTTextureFormat>(value) : TUTTextureFormat{-1};
}

}  // namespace

void TUTObjectClassTexture::InitializeObject() {
  TUTObject::InitializeObject();
  FMips.clear();
  FCompMips.clear();
}

void TUTObjectClassTexture::ReadData() {
  TUTObject::ReadData();
  // Army Operations keeps four bytes of its own before the mips.
  if (GetOwner().Game() == gameArmyOperations) Buffer().Skip(4);
  FPixelBytes = 0;
  FPaletteResolved = false;
  ReadMipList(AsFormat(IntegerProperty("Format", tfP8)), FMips);
  if (IntegerProperty("bHasComp", 0) != 0) ReadMipList(AsFormat(IntegerProperty("CompFormat", tfDXT1)), FCompMips);
  FPalette.reset();
}

void TUTObjectClassTexture::FreeData() {
  FMips.clear();
  FCompMips.clear();
  FPalette.reset();
  TUTObject::FreeData();
}

void TUTObjectClassTexture::ReadMipList(TUTTextureFormat format, std::vector<TUTBitmap>& mips) {
  const std::int32_t count = CheckArrayLength(Buffer().ReadByte());
  mips.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) ReadMipMap(format, mips);
}

void TUTObjectClassTexture::ReadMipMap(TUTTextureFormat format, std::vector<TUTBitmap>& mips) {
  TUTStream& s = Buffer();
  const bool hasEndOffset = GetOwner().FileVersion() >= 63;
  const std::int64_t endOffset = hasEndOffset ? std::int64_t{s.ReadInteger()} - SerialOffset() : 0;
  const std::int32_t dataSize = s.CheckCount(s.ReadCompactIndex());
  const std::int64_t dataPos = s.Position();
  // The size fields follow the data; the next record follows them, wherever
  // a decoder would have stopped.
  s.Seek(hasEndOffset ? endOffset : dataPos + dataSize);
  const std::int32_t width = s.ReadInteger();
  const std::int32_t height = s.ReadInteger();
  s.Skip(2);
  const std::span<const std::uint8_t> data(Data().data() + dataPos, static_cast<std::size_t>(dataSize));
  mips.push_back(DecodeMipMap(format, data, width, height));
}

TUTBitmap TUTObjectClassTexture::DecodeMipMap(TUTTextureFormat format, std::span<const std::uint8_t> data,
                                              std::int32_t mipWidth, std::int32_t mipHeight) {
  const std::int32_t bits = TextureFormatBitsPerPixel(format);
  const std::string sizeError = BitmapSizeError(mipWidth, mipHeight, bits);
  if (!sizeError.empty()) FailMip(sizeError);
  if (!data.empty()) {
    if (!IsDecodableTextureFormat(format)) throw EUTPackageError("Unknown Texture format");
    const std::int64_t needed = MipDataBytesNeeded(format, mipWidth, mipHeight);
    if (static_cast<std::uint64_t>(needed) > data.size())
      FailMip("Mip data too short for " + std::to_string(mipWidth) + " x " + std::to_string(mipHeight) +
              " pixels: expected " + std::to_string(needed) + " bytes, found " + std::to_string(data.size()));
  }
  FPixelBytes += BitmapByteCount(mipWidth, mipHeight, bits);
  if (FPixelBytes > kMaxTexturePixelBytes)
    FailMip("Texture too large: its mips need more than " + std::to_string(kMaxTexturePixelBytes) + " bytes");
  TUTBitmap bitmap(mipWidth, mipHeight, bits);
  if (!data.empty() && GetOwner().KeepRawMipData()) bitmap.SetRawData(format, data);
  if (!FPaletteResolved) {
    FPalette = FindPalette();
    FPaletteResolved = true;
  }
  if (FPalette) bitmap.SetPalette(std::make_unique<TUTPalette>(*FPalette));
  if (!data.empty()) DecodeMipPixels(format, data, bitmap);
  return bitmap;
}

std::int64_t TUTObjectClassTexture::IntegerProperty(const char* name, std::int64_t absent) {
  TUTProperty* property = GetProperties().Find(name);
  return property ? VariantToInteger(property->GetValueVariant()) : absent;
}

// Only an export that is a palette gives colours. Anything else - an
// import, a reference outside the table, the texture itself, a texture
// whose palette points back here - would be read as the wrong kind of
// object or never end, so it leaves the mips without a palette.
std::unique_ptr<TUTPalette> TUTObjectClassTexture::FindPalette() {
  std::int64_t ref = 0;
  try {
    ref = IntegerProperty("palette", 0);
  } catch (const EUTReadError&) {
    // A reference outside the tables cannot be shown, and names no palette.
    return nullptr;
  }
  if (ref <= 0 || ref > GetOwner().ExportCount() || ref - 1 == ExportIndex()) return nullptr;
  auto* palette = ExportObjectAs<TUTObjectClassPalette>(GetOwner(), static_cast<TUTObjectReference>(ref));
  if (!palette) return nullptr;
  TUTObjectUse use(*palette);
  return palette->CreateHPalette();
}

void TUTObjectClassTexture::FailMip(const std::string& what) { Buffer().Fail(what); }

void TUTObjectClassFireTexture::InitializeObject() {
  TUTObjectClassTexture::InitializeObject();
  FSparks.clear();
}

void TUTObjectClassFireTexture::ReadData() {
  TUTObjectClassTexture::ReadData();
  ReadRecordArray(*this, Buffer(), FSparks);
}

void TUTObjectClassFireTexture::FreeData() {
  FSparks.clear();
  TUTObjectClassTexture::FreeData();
}

void TUTObjectClassCubeMap::InitializeObject() {
  TUTObject::InitializeObject();
  FExtraByte = 0;
}

void TUTObjectClassCubeMap::ReadData() {
  TUTObject::ReadData();
  FExtraByte = Buffer().ReadByte();
}

void TUTObjectClassCubeMap::FreeData() {
  TUTObject::FreeData();
  FExtraByte = 0;
}

}  // namespace packages
