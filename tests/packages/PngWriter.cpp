#include "packages/PngWriter.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <stdexcept>

namespace testing_support {

namespace {

std::uint32_t Crc32(const std::string& bytes, std::size_t from) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i)
    crc = table[(crc ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = out.size();
  out += type;
  out += data;
  PutBigEndian(out, Crc32(out, typeStart));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string StoredZlib(const std::string& raw) {
  std::string out("\x78\x01", 2);
  std::size_t pos = 0;
  do {
    const std::size_t length = std::min<std::size_t>(raw.size() - pos, 65535);
    const bool last = pos + length == raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(length & 0xFF);
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(~length & 0xFF);
    out += static_cast<char>((~length >> 8) & 0xFF);
    out.append(raw, pos, length);
    pos += length;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(out, (b << 16) | a);
  return out;
}

}  // namespace

std::vector<std::uint8_t> BitmapToRGBA(const packages::TUTBitmap& bitmap) {
  const auto pixels = bitmap.Pixels();
  const std::size_t count = static_cast<std::size_t>(bitmap.Width()) * static_cast<std::size_t>(bitmap.Height());
  std::vector<std::uint8_t> rgba;
  rgba.reserve(count * 4);
  for (std::size_t i = 0; i < count; ++i) {
    if (bitmap.BitsPerPixel() == 8) {
      const std::uint8_t index = pixels[i];
      const packages::TUTPalette* palette = bitmap.Palette();
      const packages::TUTPaletteEntry grey{index, index, index};
      const packages::TUTPaletteEntry& e = palette ? palette->Entries[index] : grey;
      rgba.insert(rgba.end(), {e.Red, e.Green, e.Blue, 255});
    } else {
      const std::size_t bytes = static_cast<std::size_t>(bitmap.BytesPerPixel());
      const std::uint8_t* p = &pixels[i * bytes];
      rgba.insert(rgba.end(), {p[2], p[1], p[0], bytes == 4 ? p[3] : std::uint8_t{255}});
    }
  }
  return rgba;
}

std::string EncodePng(std::int32_t width, std::int32_t height, const std::vector<std::uint8_t>& rgba) {
  std::string out("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, no interlace
  PutChunk(out, "IHDR", header);
  std::string raw;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  for (std::int32_t y = 0; y < height; ++y) {
    raw += '\0';  // filter type none
    raw.append(reinterpret_cast<const char*>(rgba.data()) + y * rowBytes, rowBytes);
  }
  PutChunk(out, "IDAT", StoredZlib(raw));
  PutChunk(out, "IEND", "");
  return out;
}

void WritePng(const std::string& fileName, const packages::TUTBitmap& bitmap) {
  std::ofstream file(fileName, std::ios::binary);
  file << EncodePng(bitmap.Width(), bitmap.Height(), BitmapToRGBA(bitmap));
  if (!file) throw std::runtime_error("cannot write " + fileName);
}

}  // namespace testing_support
