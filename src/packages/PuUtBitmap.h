#pragma once

// Decoded mip maps: plain in-memory images with packed rows, the colour
// table of an 8-bit image and, on request, the undecoded bytes they came
// from. The editor's windows turn them into their own image type.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace packages {

struct TUTPaletteEntry {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
};

// The colours of an 8-bit image, always 256 of them: a pixel byte indexes
// it directly, so a shorter table would let a pixel read past its end.
struct TUTPalette {
  std::array<TUTPaletteEntry, 256> Entries{};
};

// Packs four bytes into one 32-bit pixel that, stored little-endian, lays
// them out in argument order.
constexpr std::uint32_t MakeRGBA(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  return std::uint32_t{b0} | (std::uint32_t{b1} << 8) | (std::uint32_t{b2} << 16) | (std::uint32_t{b3} << 24);
}

// The largest image the reader builds. Sizes come from untrusted files, and
// the engines that wrote them never go beyond 4096 by 4096 pixels.
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{4096} * 4096;

// Why a bitmap of that size and depth cannot be made; empty when it can.
std::string BitmapSizeError(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel);

// The bytes a bitmap of that size and depth holds, after the checks the
// constructor makes; throws where the constructor would.
std::int64_t BitmapByteCount(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel);

class TUTBitmap {
 public:
  // Pixels start zeroed. Throws for a width or height that is not positive,
  // a pixel count above kMaxBitmapPixels, or a depth other than 8, 24, 32.
  TUTBitmap(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel);

  std::int32_t Width() const { return FWidth; }
  std::int32_t Height() const { return FHeight; }
  std::int32_t BitsPerPixel() const { return FBitsPerPixel; }
  std::int32_t BytesPerPixel() const { return FBitsPerPixel / 8; }
  std::size_t RowBytes() const { return static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(BytesPerPixel()); }

  // Rows follow each other without gaps, row 0 first.
  std::span<std::uint8_t> Pixels() { return FPixels; }
  std::span<const std::uint8_t> Pixels() const { return FPixels; }
  // Row y; throws for a row outside the image.
  std::uint8_t* ScanLine(std::int32_t y);
  const std::uint8_t* ScanLine(std::int32_t y) const;

  // Null when the image has no palette.
  const TUTPalette* Palette() const { return FPalette.get(); }
  void SetPalette(std::unique_ptr<TUTPalette> palette) { FPalette = std::move(palette); }

  // A copy of the undecoded mip bytes; RawFormat is -1 while there is none.
  std::span<const std::uint8_t> RawData() const { return FRawData; }
  std::int32_t RawSize() const { return static_cast<std::int32_t>(FRawData.size()); }
  std::int32_t RawFormat() const { return FRawFormat; }
  void SetRawData(std::int32_t format, std::span<const std::uint8_t> data);

 private:
  std::int32_t FWidth;
  std::int32_t FHeight;
  std::int32_t FBitsPerPixel;
  std::vector<std::uint8_t> FPixels;
  std::unique_ptr<TUTPalette> FPalette;
  std::vector<std::uint8_t> FRawData;
  std::int32_t FRawFormat = -1;
};

}  // namespace packages
