#include "packages/PuUtBitmap.h"

#include <string>

#include "packages/PuUtTextureError.h"

namespace packages {

std::int64_t BitmapByteCount(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel) {
  if (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)
    RaiseTextureError("Invalid bitmap depth: " + std::to_string(bitsPerPixel) + " bits per pixel");
  if (width <= 0 || height <= 0)
    RaiseTextureError("Invalid bitmap size: " + std::to_string(width) + " x " + std::to_string(height));
  const std::int64_t pixels = std::int64_t{width} * height;
  if (pixels > kMaxBitmapPixels)
    RaiseTextureError("Bitmap too large: " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels, at most " + std::to_string(kMaxBitmapPixels) + " allowed");
  return pixels * (bitsPerPixel / 8);
}

TUTBitmap::TUTBitmap(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel)
    : FWidth(width), FHeight(height), FBitsPerPixel(bitsPerPixel) {
  FPixels.assign(static_cast<std::size_t>(BitmapByteCount(width, height, bitsPerPixel)), 0);
}

std::uint8_t* TUTBitmap::ScanLine(std::int32_t y) {
  return const_cast<std::uint8_t*>(static_cast<const TUTBitmap*>(this)->ScanLine(y));
}

const std::uint8_t* TUTBitmap::ScanLine(std::int32_t y) const {
  if (y < 0 || y >= FHeight) RaiseTextureError("Range check error");
  return FPixels.data() + static_cast<std::size_t>(y) * RowBytes();
}

void TUTBitmap::SetRawData(std::int32_t format, std::span<const std::uint8_t> data) {
  FRawData.assign(data.begin(), data.end());
  FRawFormat = format;
}

}  // namespace packages
