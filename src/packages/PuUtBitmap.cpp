#include "packages/PuUtBitmap.h"

#include <string>

#include "packages/PuUtErrors.h"

namespace packages {

std::string BitmapSizeError(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel) {
  if (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)
    return "Invalid bitmap depth: " + std::to_string(bitsPerPixel) + " bits per pixel";
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width <= 0 || height <= 0) return "Invalid bitmap size: " + size;
  if (std::int64_t{width} * height > kMaxBitmapPixels)
    return "Bitmap too large: " + size + " pixels, at most " + std::to_string(kMaxBitmapPixels) + " allowed";
  return "";
}

std::int64_t BitmapByteCount(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel) {
  const std::string error = BitmapSizeError(width, height, bitsPerPixel);
  if (!error.empty()) throw EUTPackageError(error);
  return std::int64_t{width} * height * (bitsPerPixel / 8);
}

TUTBitmap::TUTBitmap(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel)
    : FWidth(width), FHeight(height), FBitsPerPixel(bitsPerPixel) {
  FPixels.assign(static_cast<std::size_t>(BitmapByteCount(width, height, bitsPerPixel)), 0);
}

std::uint8_t* TUTBitmap::ScanLine(std::int32_t y) {
  return const_cast<std::uint8_t*>(static_cast<const TUTBitmap*>(this)->ScanLine(y));
}

const std::uint8_t* TUTBitmap::ScanLine(std::int32_t y) const {
  if (y < 0 || y >= FHeight) throw EUTPackageError("Range check error");
  return FPixels.data() + static_cast<std::size_t>(y) * RowBytes();
}

void TUTBitmap::SetRawData(std::int32_t format, std::span<const std::uint8_t> data) {
  FRawData.assign(data.begin(), data.end());
  FRawFormat = format;
}

}  // namespace packages
