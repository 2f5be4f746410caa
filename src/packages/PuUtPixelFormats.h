#pragma once

// The storage formats of texture mip maps and their decoders. Each decoder
// works on the bytes of one mip alone, so it cannot read beyond them.

#include <array>
#include <cstdint>
#include <span>

#include "packages/PuUtBitmap.h"

namespace packages {

// The value of a texture's "Format" (or "CompFormat") property.
using TUTTextureFormat = std::int32_t;

enum : TUTTextureFormat {
  tfP8 = 0,
  tfRGBA7 = 1,
  tfRGB16 = 2,
  tfDXT1 = 3,
  tfRGB8 = 4,
  tfRGBA8 = 5,
  tfNoFormat = 6,
  tfDXT3 = 7,
  tfDXT5 = 8,
  tfL8 = 9,
  tfG16 = 10,
};

bool IsDecodableTextureFormat(TUTTextureFormat format);

// The depth of the bitmap a format decodes into; 24 for codes that have no
// decoder, so that an undecodable mip still has a bitmap of its size.
std::int32_t TextureFormatBitsPerPixel(TUTTextureFormat format);

// The bytes of pixel data a mip of that size needs; -1 for a format that has
// no decoder. Width and height must be positive.
std::int64_t MipDataBytesNeeded(TUTTextureFormat format, std::int32_t width, std::int32_t height);

// Decodes the pixel data of one mip into a bitmap made for it with the
// format's depth. Throws "Unknown Texture format" for a format without a
// decoder, and an error naming both sizes when the data are too short.
void DecodeMipPixels(TUTTextureFormat format, std::span<const std::uint8_t> data, TUTBitmap& bitmap);

// The pieces of block decoding, open to tests.
// A 5-6-5 colour as blue, green, red and alpha 255, each channel spread
// over the full range by bit replication: 0xFFFF gives 255, 255, 255.
std::uint32_t DecodeColor565(std::uint16_t color);
// The four colours of a block; DXT1 blocks with c0 <= c1 use three colours
// and a transparent black.
std::array<std::uint32_t, 4> BlockColorTable(std::uint16_t c0, std::uint16_t c1, bool allowTransparent);
// The eight alpha values of a DXT5 block.
std::array<std::uint8_t, 8> DXT5AlphaTable(std::uint8_t a0, std::uint8_t a1);

}  // namespace packages
