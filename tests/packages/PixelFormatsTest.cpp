#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/TestNames.h"
#include "packages/PuUtBitmap.h"
#include "packages/PuUtErrors.h"
#include "packages/PuUtPixelFormats.h"

namespace packages {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Repeat(const Bytes& bytes, int times) {
  Bytes result;
  for (int i = 0; i < times; ++i) result.insert(result.end(), bytes.begin(), bytes.end());
  return result;
}

Bytes PixelsOf(const TUTBitmap& bitmap) { return Bytes(bitmap.Pixels().begin(), bitmap.Pixels().end()); }

TUTBitmap Decode(TUTTextureFormat format, int width, int height, const Bytes& data) {
  TUTBitmap bitmap(width, height, TextureFormatBitsPerPixel(format));
  DecodeMipPixels(format, data, bitmap);
  return bitmap;
}

std::string ErrorOf(TUTTextureFormat format, int width, int height, const Bytes& data) {
  try {
    Decode(format, width, height, data);
  } catch (const EUTPackageError& e) {
    return e.what();
  }
  return "";
}

TEST(MakeRGBATest, StoresItsArgumentsInMemoryOrder) {
  const std::uint32_t value = MakeRGBA(1, 2, 3, 4);
  std::uint8_t bytes[4];
  std::memcpy(bytes, &value, 4);
  EXPECT_EQ(Bytes(bytes, bytes + 4), (Bytes{1, 2, 3, 4}));
}

TEST(BitmapTest, RowsArePackedStartZeroedAndStayInside) {
  TUTBitmap wide(4, 2, 24);
  EXPECT_EQ(wide.ScanLine(1), wide.Pixels().data() + 12);
  EXPECT_EQ(PixelsOf(wide), Bytes(24, 0));
  TUTBitmap single(1, 1, 8);
  EXPECT_EQ(single.Pixels().size(), 1u);
  EXPECT_THROW(single.ScanLine(1), std::exception);
  EXPECT_THROW(single.ScanLine(-1), std::exception);
}

struct BadBitmap {
  std::int32_t width, height, bits;
};

class BadBitmapTest : public testing::TestWithParam<BadBitmap> {};

TEST_P(BadBitmapTest, IsRefusedBeforeAllocating) {
  const BadBitmap& p = GetParam();
  EXPECT_THROW(TUTBitmap(p.width, p.height, p.bits), std::exception);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BadBitmapTest,
                         testing::Values(BadBitmap{0, 4, 8}, BadBitmap{4, -4, 32}, BadBitmap{4, 4, 16},
                                         BadBitmap{4097, 4096, 8}, BadBitmap{INT_MAX, INT_MAX, 32}),
                         [](const auto& info) {
                           const BadBitmap& b = info.param;
                           return testing_support::TestName(std::to_string(b.width) + " x " + std::to_string(b.height) +
                                                            " at " + std::to_string(b.bits));
                         });

struct PixelCase {
  const char* name;
  TUTTextureFormat format;
  int width, height;
  Bytes data;
  Bytes pixels;
};

class PerPixelFormatTest : public testing::TestWithParam<PixelCase> {};

TEST_P(PerPixelFormatTest, DecodesRowsInStorageOrder) {
  const PixelCase& c = GetParam();
  EXPECT_EQ(PixelsOf(Decode(c.format, c.width, c.height, c.data)), c.pixels);
}

TEST_P(PerPixelFormatTest, RefusesDataOneByteShort) {
  const PixelCase& c = GetParam();
  const Bytes shortData(c.data.begin(), c.data.end() - 1);
  EXPECT_NE(ErrorOf(c.format, c.width, c.height, shortData).find("expected " + std::to_string(c.data.size())),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PerPixelFormatTest,
    testing::Values(PixelCase{"P8", tfP8, 3, 2, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
                    PixelCase{"RGBA7", tfRGBA7, 2, 1, {0, 1, 64, 127, 10, 20, 30, 40}, {0, 2, 128, 254, 20, 40, 60, 80}},
                    PixelCase{"RGB16", tfRGB16, 1, 2, {1, 2, 3, 4, 5, 6, 0xFF, 0xEE, 0, 0xDD, 0, 0xCC},
                              {2, 4, 6, 0xEE, 0xDD, 0xCC}},
                    PixelCase{"RGB8", tfRGB8, 2, 1, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
                    PixelCase{"RGBA8", tfRGBA8, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8}},
                    PixelCase{"L8", tfL8, 2, 1, {7, 200}, {7, 7, 7, 200, 200, 200}},
                    PixelCase{"G16", tfG16, 2, 1, {0xFF, 0x12, 0x00, 0x80}, {0x12, 0x12, 0x12, 0x80, 0x80, 0x80}},
                    PixelCase{"DXT1", tfDXT1, 4, 4, Bytes(8, 0), Repeat({0, 0, 0, 255}, 16)},
                    PixelCase{"DXT5", tfDXT5, 1, 1, Bytes(16, 0), Bytes(4, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlockColorTest, ThreeColourModeOnlyForDXT1WithoutDescendingColours) {
  // 0xF800 is red 255; 0x001F is blue 255.
  const auto four = BlockColorTable(0xF800, 0x001F, true);
  EXPECT_EQ(four[2], MakeRGBA(85, 0, 170, 255));
  EXPECT_EQ(four[3], MakeRGBA(170, 0, 85, 255));
  const auto three = BlockColorTable(0x001F, 0xF800, true);
  EXPECT_EQ(three[2], MakeRGBA(127, 0, 127, 255));
  EXPECT_EQ(three[3], 0u);
  const auto withAlphaPart = BlockColorTable(0x001F, 0xF800, false);
  EXPECT_EQ(withAlphaPart[3], MakeRGBA(85, 0, 170, 255));
}

// Each channel reaches both ends of the range: the lowest value is 0, the
// highest 255 (not 248 or 252), and the values between repeat their top
// bits below them.
struct ChannelCase {
  const char* name;
  std::uint16_t color;
  std::uint32_t expected;
};

class Color565Test : public testing::TestWithParam<ChannelCase> {};

TEST_P(Color565Test, SpreadsOverTheFullRange) { EXPECT_EQ(DecodeColor565(GetParam().color), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    EndPoints, Color565Test,
    testing::Values(ChannelCase{"Black", 0x0000, MakeRGBA(0, 0, 0, 255)},
                    ChannelCase{"White", 0xFFFF, MakeRGBA(255, 255, 255, 255)},
                    ChannelCase{"Blue31", 0x001F, MakeRGBA(255, 0, 0, 255)},
                    ChannelCase{"Green63", 0x07E0, MakeRGBA(0, 255, 0, 255)},
                    ChannelCase{"Red31", 0xF800, MakeRGBA(0, 0, 255, 255)},
                    // 16 -> 10000 100; 32 -> 100000 10; 1 -> 00001 000.
                    ChannelCase{"Middle", (1 << 11) | (32 << 5) | 16, MakeRGBA(132, 130, 8, 255)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlockColorTest, InterpolatedEntriesFollowTheExpandedEndPoints) {
  // White and black: a third and two thirds of 255.
  const auto table = BlockColorTable(0xFFFF, 0x0000, false);
  EXPECT_EQ(table[2], MakeRGBA(170, 170, 170, 255));
  EXPECT_EQ(table[3], MakeRGBA(85, 85, 85, 255));
}

TEST(BlockAlphaTest, DXT5TablesForBothOrders) {
  using Table = std::array<std::uint8_t, 8>;
  EXPECT_EQ(DXT5AlphaTable(255, 0), (Table{255, 0, 218, 182, 145, 109, 72, 36}));
  EXPECT_EQ(DXT5AlphaTable(0, 255), (Table{0, 255, 51, 102, 153, 204, 0, 255}));
  EXPECT_EQ(DXT5AlphaTable(9, 9), (Table{9, 9, 9, 9, 9, 9, 0, 255}));
}

TEST(BlockDecodeTest, DXT1WithEqualColoursMakesIndexThreeTransparentBlack) {
  // Colour 0xFFFF twice; row 0 uses indexes 0, 1, 2, 3.
  const Bytes block{0xFF, 0xFF, 0xFF, 0xFF, 0b11100100, 0, 0, 0};
  const TUTBitmap bitmap = Decode(tfDXT1, 4, 4, block);
  const std::uint8_t* row = bitmap.ScanLine(0);
  EXPECT_EQ(Bytes(row, row + 16),
            (Bytes{255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0}));
}

TEST(BlockDecodeTest, SmallMipsTakeOneBlockAndWriteOnlyTheirPixels) {
  // Index 1 (colour 1, white) everywhere.
  const Bytes block{0, 0, 0xFF, 0xFF, 0x55, 0x55, 0x55, 0x55};
  const Bytes white{255, 255, 255, 255};
  EXPECT_EQ(PixelsOf(Decode(tfDXT1, 1, 1, block)), white);
  EXPECT_EQ(PixelsOf(Decode(tfDXT1, 2, 2, block)), Repeat(white, 4));
}

TEST(BlockDecodeTest, BlocksRunLeftToRightThenDown) {
  // An 8 x 8 DXT1 mip: four blocks of a single colour each (index 0 = c0).
  Bytes data;
  for (std::uint16_t color : {0x0001, 0x0002, 0x0003, 0x0004}) {
    const Bytes block{static_cast<std::uint8_t>(color), 0, 0, 0, 0, 0, 0, 0};
    data.insert(data.end(), block.begin(), block.end());
  }
  const TUTBitmap bitmap = Decode(tfDXT1, 8, 8, data);
  auto blueAt = [&](int x, int y) { return bitmap.ScanLine(y)[4 * x]; };
  EXPECT_EQ(blueAt(0, 0), 8);
  EXPECT_EQ(blueAt(7, 3), 16);
  EXPECT_EQ(blueAt(3, 4), 24);
  EXPECT_EQ(blueAt(4, 7), 33);
}

TEST(BlockDecodeTest, DXT3TakesOneNibblePerPixelLowestFirst) {
  // Row 0 alphas 0xF, 0x1, 0x0, 0x8; colour part all index 0 of 0xFFFF.
  const Bytes block{0x1F, 0x80, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
  const TUTBitmap bitmap = Decode(tfDXT3, 4, 4, block);
  const std::uint8_t* row = bitmap.ScanLine(0);
  EXPECT_EQ(row[3], 255);
  EXPECT_EQ(row[7], 17);
  EXPECT_EQ(row[11], 0);
  EXPECT_EQ(row[15], 136);
  EXPECT_EQ(row[0], 255);
}

TEST(BlockDecodeTest, FullyOpaqueDXT3BlockIsOpaque) {
  Bytes block(8, 0xFF);
  const Bytes color{0x00, 0xF8, 0x00, 0xF8, 0, 0, 0, 0};  // red everywhere
  block.insert(block.end(), color.begin(), color.end());
  EXPECT_EQ(PixelsOf(Decode(tfDXT3, 4, 4, block)), Repeat({0, 0, 255, 255}, 16));
}

TEST(BlockDecodeTest, DXT5IndexesRunThreeBitsPerPixelOverTwoGroups) {
  // A0 = 255, A1 = 0. Group one (1 | 7 << 3): pixel 0 index 1, pixel 1
  // index 7, the rest 0; group two (2 | 5 << 21): pixel 8 (row 2, column 0)
  // index 2, pixel 15 index 5. Colours 0 and white, every index 3.
  const Bytes block{255, 0, 0x39, 0, 0, 0x02, 0, 0xA0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  const TUTBitmap bitmap = Decode(tfDXT5, 4, 4, block);
  auto alphaAt = [&](int x, int y) { return bitmap.ScanLine(y)[4 * x + 3]; };
  EXPECT_EQ(alphaAt(0, 0), 0);
  EXPECT_EQ(alphaAt(1, 0), 36);
  EXPECT_EQ(alphaAt(2, 0), 255);
  EXPECT_EQ(alphaAt(0, 2), 218);
  EXPECT_EQ(alphaAt(3, 3), 109);
  // Index 3 with ascending colours is a colour, not transparent black.
  EXPECT_EQ(bitmap.ScanLine(0)[0], 170);
}

}  // namespace
}  // namespace packages
