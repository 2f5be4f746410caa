#include "packages/PuUtPixelFormats.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "packages/PuUtErrors.h"

namespace packages {

namespace {

std::int64_t BlockCount(std::int32_t width, std::int32_t height) {
  // Mips below 4 pixels still take one whole block; a width that is not a
  // multiple of 4 above that leaves its last columns unwritten, as the
  // engines that wrote these formats only ever used powers of two.
  return std::int64_t{std::max(width / 4, 1)} * std::max(height / 4, 1);
}

std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint8_t Channel(std::uint32_t pixel, int index) { return static_cast<std::uint8_t>(pixel >> (8 * index)); }

void StorePixel(std::uint8_t* dest, std::uint32_t pixel) {
  dest[0] = Channel(pixel, 0);
  dest[1] = Channel(pixel, 1);
  dest[2] = Channel(pixel, 2);
  dest[3] = Channel(pixel, 3);
}

// Runs `decode(source, dest)` for every pixel of the bitmap, `sourceBytes`
// bytes of data per pixel, rows and pixels in storage order.
template <typename Decode>
void DecodeEachPixel(std::span<const std::uint8_t> data, std::size_t sourceBytes, TUTBitmap& bitmap, Decode decode) {
  const std::uint8_t* source = data.data();
  const std::size_t destBytes = static_cast<std::size_t>(bitmap.BytesPerPixel());
  std::uint8_t* dest = bitmap.Pixels().data();
  const std::size_t count = static_cast<std::size_t>(bitmap.Width()) * static_cast<std::size_t>(bitmap.Height());
  for (std::size_t i = 0; i < count; ++i, source += sourceBytes, dest += destBytes) decode(source, dest);
}

void DecodeRGBA7(std::span<const std::uint8_t> data, TUTBitmap& bitmap) {
  DecodeEachPixel(data, 4, bitmap, [](const std::uint8_t* s, std::uint8_t* d) {
    for (int i = 0; i < 4; ++i) {
      // A 7-bit value above 127 cannot be doubled into a byte.
      if (s[i] > 127) throw EUTPackageError("Range check error");
      d[i] = static_cast<std::uint8_t>(s[i] * 2);
    }
  });
}

// Alpha of each of the 16 pixels of a block, row by row.
using BlockAlpha = std::array<std::uint8_t, 16>;

BlockAlpha DXT3Alpha(const std::uint8_t* block) {
  BlockAlpha alpha{};
  for (int row = 0; row < 4; ++row) {
    const std::uint16_t bits = Word(block + 2 * row);
    for (int column = 0; column < 4; ++column)
      alpha[row * 4 + column] = static_cast<std::uint8_t>(((bits >> (4 * column)) & 0x0F) * 17);
  }
  return alpha;
}

BlockAlpha DXT5Alpha(const std::uint8_t* block) {
  const auto table = DXT5AlphaTable(block[0], block[1]);
  BlockAlpha alpha{};
  for (int group = 0; group < 2; ++group) {
    const std::uint8_t* p = block + 2 + 3 * group;
    const std::uint32_t bits = p[0] | (p[1] << 8) | (std::uint32_t{p[2]} << 16);
    for (int i = 0; i < 8; ++i) alpha[group * 8 + i] = table[(bits >> (3 * i)) & 7];
  }
  return alpha;
}

void DecodeBlocks(TUTTextureFormat format, std::span<const std::uint8_t> data, TUTBitmap& bitmap) {
  const std::int32_t width = bitmap.Width();
  const std::int32_t height = bitmap.Height();
  const std::int32_t blocksAcross = std::max(width / 4, 1);
  const std::int32_t blocksDown = std::max(height / 4, 1);
  const bool hasAlphaPart = format != tfDXT1;
  const std::uint8_t* block = data.data();
  for (std::int32_t by = 0; by < blocksDown; ++by) {
    for (std::int32_t bx = 0; bx < blocksAcross; ++bx) {
      BlockAlpha alpha{};
      if (format == tfDXT3) alpha = DXT3Alpha(block);
      if (format == tfDXT5) alpha = DXT5Alpha(block);
      if (hasAlphaPart) block += 8;
      const auto colors = BlockColorTable(Word(block), Word(block + 2), !hasAlphaPart);
      for (int row = 0; row < 4; ++row) {
        const std::int32_t y = 4 * by + row;
        if (y >= height) break;
        std::uint8_t* line = bitmap.ScanLine(y);
        const std::uint8_t indexes = block[4 + row];
        for (int column = 0; column < 4; ++column) {
          const std::int32_t x = 4 * bx + column;
          if (x >= width) break;
          std::uint32_t pixel = colors[(indexes >> (2 * column)) & 3];
          if (hasAlphaPart) pixel = (pixel & 0x00FFFFFFu) | (std::uint32_t{alpha[row * 4 + column]} << 24);
          StorePixel(line + 4 * static_cast<std::size_t>(x), pixel);
        }
      }
      block += 8;
    }
  }
}

}  // namespace

bool IsDecodableTextureFormat(TUTTextureFormat format) {
  return format >= tfP8 && format <= tfG16 && format != tfNoFormat;
}

std::int32_t TextureFormatBitsPerPixel(TUTTextureFormat format) {
  switch (format) {
    case tfP8:
      return 8;
    case tfRGBA7:
    case tfDXT1:
    case tfRGBA8:
    case tfDXT3:
    case tfDXT5:
      return 32;
    default:
      return 24;
  }
}

std::int64_t MipDataBytesNeeded(TUTTextureFormat format, std::int32_t width, std::int32_t height) {
  const std::int64_t pixels = std::int64_t{width} * height;
  switch (format) {
    case tfP8:
    case tfL8:
      return pixels;
    case tfG16:
      return 2 * pixels;
    case tfRGB8:
      return 3 * pixels;
    case tfRGBA7:
    case tfRGBA8:
      return 4 * pixels;
    case tfRGB16:
      return 6 * pixels;
    case tfDXT1:
      return 8 * BlockCount(width, height);
    case tfDXT3:
    case tfDXT5:
      return 16 * BlockCount(width, height);
    default:
      return -1;
  }
}

void DecodeMipPixels(TUTTextureFormat format, std::span<const std::uint8_t> data, TUTBitmap& bitmap) {
  const std::int64_t needed = MipDataBytesNeeded(format, bitmap.Width(), bitmap.Height());
  if (needed < 0) throw EUTPackageError("Unknown Texture format");
  if (bitmap.BitsPerPixel() != TextureFormatBitsPerPixel(format))
    throw EUTPackageError("Bitmap depth does not match the texture format");
  if (static_cast<std::uint64_t>(needed) > data.size())
    throw EUTPackageError("Mip data too short: expected " + std::to_string(needed) + " bytes, found " +
                      std::to_string(data.size()));
  switch (format) {
    case tfP8:
    case tfRGB8:
    case tfRGBA8:
      std::memcpy(bitmap.Pixels().data(), data.data(), bitmap.Pixels().size());
      break;
    case tfRGBA7:
      DecodeRGBA7(data, bitmap);
      break;
    case tfRGB16:
      DecodeEachPixel(data, 6, bitmap, [](const std::uint8_t* s, std::uint8_t* d) {
        d[0] = s[1];
        d[1] = s[3];
        d[2] = s[5];
      });
      break;
    case tfL8:
      DecodeEachPixel(data, 1, bitmap, [](const std::uint8_t* s, std::uint8_t* d) { d[0] = d[1] = d[2] = s[0]; });
      break;
    case tfG16:
      DecodeEachPixel(data, 2, bitmap, [](const std::uint8_t* s, std::uint8_t* d) { d[0] = d[1] = d[2] = s[1]; });
      break;
    default:
      DecodeBlocks(format, data, bitmap);
      break;
  }
}

namespace {

// A channel of `bits` bits spread over 0..255 by repeating its top bits
// below it, so that its largest value is 255, not 248 or 252.
std::uint8_t Expand(unsigned value, int bits) {
  return static_cast<std::uint8_t>((value << (8 - bits)) | (value >> (2 * bits - 8)));
}

}  // namespace

std::uint32_t DecodeColor565(std::uint16_t color) {
  return MakeRGBA(Expand(color & 0x1F, 5), Expand((color >> 5) & 0x3F, 6), Expand(color >> 11, 5), 255);
}

std::array<std::uint32_t, 4> BlockColorTable(std::uint16_t c0, std::uint16_t c1, bool allowTransparent) {
  const std::uint32_t e0 = DecodeColor565(c0);
  const std::uint32_t e1 = DecodeColor565(c1);
  std::uint8_t mix2[3];
  std::uint8_t mix3[3];
  const bool fourColors = c0 > c1 || !allowTransparent;
  for (int i = 0; i < 3; ++i) {
    const int a = Channel(e0, i);
    const int b = Channel(e1, i);
    mix2[i] = static_cast<std::uint8_t>(fourColors ? (2 * a + b) / 3 : (a + b) / 2);
    mix3[i] = static_cast<std::uint8_t>((a + 2 * b) / 3);
  }
  const std::uint32_t e2 = MakeRGBA(mix2[0], mix2[1], mix2[2], 255);
  const std::uint32_t e3 = fourColors ? MakeRGBA(mix3[0], mix3[1], mix3[2], 255) : 0u;
  return {e0, e1, e2, e3};
}

std::array<std::uint8_t, 8> DXT5AlphaTable(std::uint8_t a0, std::uint8_t a1) {
  std::array<std::uint8_t, 8> table{a0, a1};
  if (a0 > a1) {
    for (int k = 0; k < 6; ++k) table[2 + k] = static_cast<std::uint8_t>(((6 - k) * a0 + (1 + k) * a1) / 7);
  } else {
    for (int k = 0; k < 4; ++k) table[2 + k] = static_cast<std::uint8_t>(((4 - k) * a0 + (1 + k) * a1) / 5);
    table[6] = 0;
    table[7] = 255;
  }
  return table;
}

}  // namespace packages
