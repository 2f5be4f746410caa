#include "packages/PuUtStream.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "PackageWriter.h"
#include "common/TempDir.h"

using namespace packages;
namespace pw = package_writer;

namespace {

TUTBytes Bytes(const std::string& s) { return TUTBytes(s.begin(), s.end()); }

struct CompactCase {
  std::vector<std::uint8_t> bytes;
  std::int32_t value;
};

class CompactIndexDecoding : public ::testing::TestWithParam<CompactCase> {};

TEST_P(CompactIndexDecoding, StreamAndBufferAgree) {
  const auto& c = GetParam();
  TUTStream s(c.bytes, "test");
  EXPECT_EQ(s.ReadCompactIndex(), c.value);
  EXPECT_EQ(s.Remaining(), 0);
  int position = 0;
  EXPECT_EQ(ReadCompactIndexFromBuffer(c.bytes, position), c.value);
  EXPECT_EQ(position, static_cast<int>(c.bytes.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, CompactIndexDecoding,
    ::testing::Values(CompactCase{{0x05}, 5}, CompactCase{{0x85}, -5}, CompactCase{{0x3F}, 63},
                      CompactCase{{0x40, 0x01}, 64}, CompactCase{{0xC0, 0x01}, -64}, CompactCase{{0xFF, 0x7F}, -8191},
                      CompactCase{{0x80}, 0}, CompactCase{{0x7F, 0xFF, 0xFF, 0x7F}, 134217727},
                      // Five bytes: the top byte's bits above 31 fall away.
                      CompactCase{{0x7F, 0xFF, 0xFF, 0xFF, 0xFF}, -1},
                      CompactCase{{0xC0, 0x80, 0x80, 0x80, 0x10}, std::numeric_limits<std::int32_t>::min()}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(CompactIndexEncoding, WriterRoundTripsThroughTheReader) {
  for (std::int32_t v : {0, 1, -1, 63, 64, -64, 8191, 8192, 1048575, 1048576, 134217727, 134217728,
                         std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min() + 1}) {
    const TUTBytes b = Bytes(pw::Compact(v));
    TUTStream s(b, "test");
    EXPECT_EQ(s.ReadCompactIndex(), v) << v;
    EXPECT_EQ(s.Remaining(), 0) << v;
  }
}

TEST(BoundedStream, EveryTruncationOfACompactIndexFails) {
  const TUTBytes full = Bytes(pw::Compact(134217728));
  ASSERT_EQ(full.size(), 5u);
  for (std::size_t n = 0; n < full.size(); ++n) {
    TUTStream s(full.data(), n, "export 3 (Skin)");
    EXPECT_THROW(s.ReadCompactIndex(), EUTReadError) << n;
    int position = 0;
    EXPECT_THROW(ReadCompactIndexFromBuffer(std::span(full.data(), n), position), EUTReadError) << n;
  }
}

TEST(BoundedStream, ErrorsNameTheDataAndThePosition) {
  const TUTBytes b = Bytes(pw::Int(7) + "ab");
  TUTStream s(b, "export 3 (Skin)");
  s.ReadInteger();
  try {
    s.ReadInteger();
    FAIL() << "no error";
  } catch (const EUTReadError& e) {
    const std::string m = e.what();
    EXPECT_NE(m.find("export 3 (Skin)"), std::string::npos) << m;
    EXPECT_NE(m.find("position 4 of 6"), std::string::npos) << m;
  }
  // The failed read consumed nothing.
  EXPECT_EQ(s.Position(), 4);
  EXPECT_EQ(s.ReadWord(), 'a' | ('b' << 8));
  EXPECT_THROW(s.Seek(7), EUTReadError);
  EXPECT_THROW(s.Skip(1), EUTReadError);
  EXPECT_THROW(s.Skip(-1), EUTReadError);
}

TEST(BoundedStream, CountsAreCheckedAgainstWhatRemains) {
  const TUTBytes b(10);
  TUTStream s(b, "test");
  EXPECT_EQ(s.CheckCount(10), 10);
  EXPECT_EQ(s.CheckCount(2, 5), 2);
  EXPECT_THROW(s.CheckCount(11), EUTReadError);
  EXPECT_THROW(s.CheckCount(3, 4), EUTReadError);
  EXPECT_THROW(s.CheckCount(-1), EUTReadError);
  // A product that overflows 64 bits must not slip through.
  EXPECT_THROW(s.CheckCount(std::numeric_limits<std::int64_t>::max(), 16), EUTReadError);
  s.Skip(6);
  try {
    s.CheckCount(5);
    FAIL() << "no error";
  } catch (const EUTReadError& e) {
    EXPECT_NE(std::string(e.what()).find("Invalid array length"), std::string::npos);
  }
  EXPECT_THROW(TUTStream(b, "t").ReadBytes(11), EUTReadError);
}

TEST(BoundedStream, StringForms) {
  const TUTBytes b = Bytes(std::string("abc\0", 4) + pw::SizedString("xyz") + pw::SizedString("") + pw::Compact(0) +
                           pw::Compact(1000) + "q");
  TUTStream s(b, "test");
  EXPECT_EQ(s.ReadZString(), "abc");
  EXPECT_EQ(s.ReadSizedString(), std::string("xyz\0", 4));
  EXPECT_EQ(s.ReadFString(), "");
  EXPECT_THROW(s.ReadSizedString(), EUTReadError);  // length 0
  EXPECT_THROW(s.ReadSizedString(), EUTReadError);  // longer than the data
  const TUTBytes unterminated = Bytes("abc");
  EXPECT_THROW(TUTStream(unterminated, "t").ReadZString(), EUTReadError);
}

// A package as far as a stream needs one.
struct TSource : TUTStreamSource {
  TSource(std::uint16_t version, int names) : Version(version), Names(names) {}
  std::uint16_t FileVersion() const override { return Version; }
  int NameCount() const override { return Names; }
  std::uint16_t Version;
  int Names;
};

TEST(BoundedStream, NameStringsFollowTheFileVersion) {
  const TUTBytes newForm = Bytes(pw::Byte(4) + std::string("abc\0", 4) + pw::Byte(1) + pw::Byte(0) + pw::Byte(0));
  TUTStream s(newForm, "test");
  const TSource v64(64, 0);
  s.SetSource(&v64);
  EXPECT_EQ(s.ReadNameString(), "abc");
  EXPECT_EQ(s.ReadNameString(), "");
  EXPECT_THROW(s.ReadNameString(), EUTReadError);  // length byte 0
  const TUTBytes oldForm = Bytes(std::string("abc\0", 4));
  TUTStream o(oldForm, "test");
  const TSource v63(63, 0);
  o.SetSource(&v63);
  EXPECT_EQ(o.ReadNameString(), "abc");
}

TEST(BoundedStream, NameIndexesAreCheckedAgainstTheNameTable) {
  const TUTBytes b = Bytes(pw::Compact(2) + pw::Compact(3) + pw::Compact(-1) + pw::Compact(0));
  TUTStream s(b, "test");
  const TSource names(69, 3);
  s.SetSource(&names);
  EXPECT_EQ(s.ReadNameIndex(), 2);
  EXPECT_THROW(s.ReadNameIndex(), EUTReadError);
  EXPECT_THROW(s.ReadNameIndex(), EUTReadError);
  // Without a package there is no name table to index.
  TUTStream alone(b, "test");
  alone.Seek(3);
  EXPECT_THROW(alone.ReadNameIndex(), EUTReadError);
}

TEST(BoundedStream, Int64HalvesAndNegativeCounts) {
  const TUTBytes b = Bytes(pw::Int(1) + pw::Int(-2) + pw::Int(-1));
  TUTStream s(b, "test");
  // The first half is the high one; the second is taken without sign.
  EXPECT_EQ(s.ReadInt64(), (std::int64_t{1} << 32) | 0xFFFFFFFEll);
  EXPECT_THROW(s.ReadCount(), EUTReadError);
}

// A file read in small chunks: reads that cross from one chunk into the
// next, go back, end exactly at the end of the file, and a file that loses
// its end while it is open.
TEST(FileStream, ChunksGiveTheFilesBytesAndReadEachByteOnce) {
  testing_support::TempDir dir;
  std::string bytes(10000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 251);
  const std::string path = dir.write("f.bin", bytes);
  auto s = TUTStream::OpenFile(path);
  const auto expect = [&](std::int64_t at, std::int64_t count) {
    TUTBytes got(static_cast<std::size_t>(count));
    s->Seek(at);
    s->ReadBlock(got.data(), count);
    EXPECT_EQ(std::string(got.begin(), got.end()), bytes.substr(static_cast<std::size_t>(at), got.size())) << at;
  };
  expect(0, 20);
  expect(4090, 12);    // across the end of the first chunk
  expect(3000, 2000);  // back, over both chunks
  expect(9000, 20);
  expect(5000, 4000);  // lands between two chunks
  expect(9996, 4);     // the last bytes
  EXPECT_THROW(s->ReadByte(), EUTReadError);
  EXPECT_EQ(s->FileBytesRead(), static_cast<std::int64_t>(bytes.size()));
  expect(0, 10000);  // as large as the file: read straight into the buffer
  auto shrinking = TUTStream::OpenFile(path);
  shrinking->ReadInteger();
  std::filesystem::resize_file(path, 6000);
  shrinking->Seek(100);
  EXPECT_EQ(shrinking->ReadByte(), static_cast<std::uint8_t>(bytes[100]));  // still held
  shrinking->Seek(5990);
  EXPECT_THROW(shrinking->ReadBlock(TUTBytes(20).data(), 20), EUTReadError);
  shrinking->Seek(8000);
  EXPECT_THROW(shrinking->ReadInteger(), EUTReadError);
}

}  // namespace
