#pragma once

// A small PNG writer for looking at decoded textures by eye. The package
// tests link no image library, so this writes uncompressed deflate blocks:
// large files, but readable by every viewer.

#include <cstdint>
#include <string>
#include <vector>

#include "packages/PuUtBitmap.h"

namespace testing_support {

// Red, green, blue and alpha bytes of every pixel, row by row. 32-bit and
// 24-bit pixels are taken as blue, green, red (and alpha); 8-bit pixels
// through the bitmap's palette, or as grey levels when it has none.
std::vector<std::uint8_t> BitmapToRGBA(const packages::TUTBitmap& bitmap);

// The bytes of a PNG file of an RGBA image.
std::string EncodePng(std::int32_t width, std::int32_t height, const std::vector<std::uint8_t>& rgba);

// Writes the bitmap as a PNG file; throws when the file cannot be written.
void WritePng(const std::string& fileName, const packages::TUTBitmap& bitmap);

}  // namespace testing_support
