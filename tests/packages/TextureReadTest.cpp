#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TextureTestSupport.h"
#include "common/TempDir.h"
#include "packages/PuUtPackages.h"
#include "packages/PuUtPalette.h"
#include "packages/PuUtTexture.h"

namespace packages {
namespace {

namespace pw = package_writer;
using texture_test::TMip;
using texture_test::TTexture;
using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::span<const std::uint8_t> span) { return Bytes(span.begin(), span.end()); }
Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string Sequence(int count, int first = 0) {
  std::string out;
  for (int i = 0; i < count; ++i) out += static_cast<char>(first + i);
  return out;
}

// One package per test, written to a temporary folder and opened with the
// texture classes registered.
class TextureRead : public testing::Test {
 protected:
  explicit TextureRead(std::uint16_t version = 69) : pkg(version) {}

  TUTPackage& Open(const std::string& fileName = "Tex.utx") {
    package = std::make_unique<TUTPackage>(pkg.Write(dir.file(fileName)));
    return *package;
  }
  template <class T = TUTObjectClassTexture>
  T& Read(int ref) {
    auto& object = dynamic_cast<T&>(package->GetExport(ref - 1)->GetObject());
    object.ReadObject(true);
    return object;
  }
  // The message of the error reading the export raises; empty when none.
  std::string ErrorReading(int ref) {
    TUTObject& object = package->GetExport(ref - 1)->GetObject();
    std::string message;
    try {
      object.ReadObject(true);
    } catch (const EUTPackageError& e) {
      message = e.what();
    }
    object.ReleaseObject();
    return message;
  }
  int PaletteExport(const std::string& name, const std::vector<std::array<std::uint8_t, 3>>& colors) {
    std::string data = pkg.W.NoneTag() + pw::Compact(static_cast<std::int32_t>(colors.size()));
    for (const auto& c : colors) data += std::string{char(c[0]), char(c[1]), char(c[2]), '\x7F'};
    return pkg.W.Export(name, pkg.Class("Palette"), data);
  }

  texture_test::TTextureClassScope classes;
  testing_support::TempDir dir;
  texture_test::TTexturePackage pkg;
  std::unique_ptr<TUTPackage> package;
};

// The size fields and the next record are found from the record itself, so
// data padded beyond what the decoder needs shift nothing.
class MipLayout : public TextureRead, public testing::WithParamInterface<std::tuple<int, int>> {
 protected:
  MipLayout() : TextureRead(static_cast<std::uint16_t>(std::get<0>(GetParam()))) {}
};

TEST_P(MipLayout, EveryMipDecodesFromItsOwnRecord) {
  const int padding = std::get<1>(GetParam());
  const int ref = pkg.Texture(
      "T", "Texture",
      {pkg.W.NoneTag(), "", {{4, 2, Sequence(8, 1), padding}, {2, 1, Sequence(2, 50), padding}, {1, 1, "\x09", 0}}});
  Open();
  const auto& mips = Read(ref).Mips();
  ASSERT_EQ(mips.size(), 3u);
  EXPECT_EQ(BytesOf(mips[0].Pixels()), BytesOf(Sequence(8, 1)));
  EXPECT_EQ(mips[1].Width(), 2);
  EXPECT_EQ(BytesOf(mips[1].Pixels()), BytesOf(Sequence(2, 50)));
  EXPECT_EQ(BytesOf(mips[2].Pixels()), Bytes{9});
}

INSTANTIATE_TEST_SUITE_P(VersionsAndPadding, MipLayout,
                         testing::Combine(testing::Values(61, 63, 69, 128), testing::Values(0, 3)),
                         [](const auto& info) {
                           return "Version" + std::to_string(std::get<0>(info.param)) + "Padding" +
                                  std::to_string(std::get<1>(info.param));
                         });

TEST_F(TextureRead, FormatPropertiesChooseTheDecoders) {
  const std::string dxt1White = std::string("\xFF\xFF", 2) + std::string(6, '\0');
  const int plain = pkg.Texture("Plain", "Texture", {pkg.W.NoneTag(), "", {{2, 1, "\x05\x06"}}});
  const int rgba = pkg.Texture("Rgba", "Texture", {pkg.W.ByteTag("Format", tfRGBA8) + pkg.W.NoneTag(), "",
                                                   {{1, 1, "\x01\x02\x03\x04"}}});
  const int comp = pkg.Texture("Comp", "Texture",
                               {pkg.W.BoolTag("bHasComp", true) + pkg.W.NoneTag(), "", {{1, 1, "\x07"}},
                                std::vector<TMip>{{1, 1, dxt1White}}});
  Open();
  EXPECT_EQ(Read(plain).Mips()[0].BitsPerPixel(), 8);
  EXPECT_EQ(BytesOf(Read(plain).Mips()[0].Pixels()), (Bytes{5, 6}));
  EXPECT_EQ(BytesOf(Read(rgba).Mips()[0].Pixels()), (Bytes{1, 2, 3, 4}));
  const auto& compMips = Read(comp).CompMips();
  ASSERT_EQ(compMips.size(), 1u);
  EXPECT_EQ(BytesOf(compMips[0].Pixels()), (Bytes{255, 255, 255, 255}));
}

TEST_F(TextureRead, RawCopiesFollowThePackageSetting) {
  const int ref = pkg.Texture("T", "Texture",
                              {pkg.W.ByteTag("Format", tfL8) + pkg.W.NoneTag(), "", {{2, 1, "\x10\x20"}, {1, 1, ""}}});
  Open();
  const auto& kept = Read(ref).Mips();
  EXPECT_EQ(BytesOf(kept[0].RawData()), (Bytes{0x10, 0x20}));
  EXPECT_EQ(kept[0].RawFormat(), tfL8);
  // A mip without data keeps no copy and decodes to zeroed pixels.
  EXPECT_EQ(kept[1].RawFormat(), -1);
  EXPECT_EQ(BytesOf(kept[1].Pixels()), (Bytes{0, 0, 0}));
  package->GetExport(ref - 1)->GetObject().ReleaseObject();
  package->SetKeepRawMipData(false);
  EXPECT_EQ(Read(ref).Mips()[0].RawSize(), 0);
}

enum class PaletteRef { Palette, Import, OutOfRange, Self, OtherTexture, Absent };

struct PaletteCase {
  const char* name;
  PaletteRef ref;
  bool expectPalette;
};

class PaletteReference : public TextureRead, public testing::WithParamInterface<PaletteCase> {};

// Only a palette export gives colours; any other reference - one that would
// read the texture itself or a texture pointing back - leaves none.
TEST_P(PaletteReference, GivesColoursOnlyFromPaletteExports) {
  const int palette = PaletteExport("Pal", {{10, 20, 30}, {40, 50, 60}});
  const int other = pkg.Texture("Other", "Texture", {pkg.W.ObjectTag("Palette", 3) + pkg.W.NoneTag(), "", {{1, 1, "\x01"}}});
  int ref = 0;
  switch (GetParam().ref) {
    case PaletteRef::Palette: ref = palette; break;
    case PaletteRef::Import: ref = pkg.Class("Palette"); break;
    case PaletteRef::OutOfRange: ref = 99; break;
    case PaletteRef::Self: ref = 3; break;
    case PaletteRef::OtherTexture: ref = other; break;
    case PaletteRef::Absent: break;
  }
  const std::string tag = GetParam().ref == PaletteRef::Absent ? "" : pkg.W.ObjectTag("palette", ref);
  const int texture = pkg.Texture("T", "Texture", {tag + pkg.W.NoneTag(), "", {{2, 1, "\x01\x02"}, {1, 1, std::string(1, '\0')}}});
  ASSERT_EQ(texture, 3);
  Open();
  const auto& mips = Read(texture).Mips();
  for (const auto& mip : mips) {
    ASSERT_EQ(mip.Palette() != nullptr, GetParam().expectPalette);
    if (!mip.Palette()) continue;
    EXPECT_EQ(mip.Palette()->Entries[1].Red, 40);
    EXPECT_EQ(mip.Palette()->Entries[1].Blue, 60);
    EXPECT_EQ(mip.Palette()->Entries[2].Green, 0);  // beyond the colours read
  }
  // The palette was read for a moment and given back.
  EXPECT_FALSE(package->GetExport(palette - 1)->GetObject().Buffered());
}

INSTANTIATE_TEST_SUITE_P(References, PaletteReference,
                         testing::Values(PaletteCase{"Palette", PaletteRef::Palette, true},
                                         PaletteCase{"Import", PaletteRef::Import, false},
                                         PaletteCase{"OutOfRange", PaletteRef::OutOfRange, false},
                                         PaletteCase{"Self", PaletteRef::Self, false},
                                         PaletteCase{"OtherTexture", PaletteRef::OtherTexture, false},
                                         PaletteCase{"Absent", PaletteRef::Absent, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A palette that cannot be read fails the texture, and the use the texture
// took of it is given back all the same.
TEST_F(TextureRead, ABrokenPaletteFailsTheTextureAndIsGivenBack) {
  const int palette = pkg.W.Export("Pal", pkg.Class("Palette"), pkg.W.NoneTag() + pw::Compact(60) + "\x01\x02\x03\x04");
  const int texture = pkg.Texture("T", "Texture", {pkg.W.ObjectTag("palette", palette) + pkg.W.NoneTag(), "", {{1, 1, "\x01"}}});
  Open();
  EXPECT_NE(ErrorReading(texture).find("Invalid array length"), std::string::npos);
  EXPECT_EQ(package->GetExport(palette - 1)->GetObject().UseCount(), 0);
  EXPECT_FALSE(package->GetExport(palette - 1)->GetObject().Buffered());
}

struct BrokenCase {
  const char* name;
  int format;
  std::vector<TMip> mips;
  const char* message;  // a part of the error's message
};

class BrokenTexture : public TextureRead, public testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenTexture, FailsWithAClearErrorBeforeAllocating) {
  const BrokenCase& c = GetParam();
  const int ref = pkg.Texture("Broken", "Texture", {pkg.W.ByteTag("Format", static_cast<std::uint8_t>(c.format)) +
                                                       pkg.W.NoneTag(), "", c.mips});
  Open();
  EXPECT_NE(ErrorReading(ref).find(c.message), std::string::npos) << ErrorReading(ref);
}

INSTANTIATE_TEST_SUITE_P(
    Mips, BrokenTexture,
    testing::Values(
        BrokenCase{"ShortData", tfRGBA8, {{2, 2, std::string(15, 'x')}}, "expected 16 bytes, found 15"},
        BrokenCase{"ShortBlock", tfDXT5, {{8, 4, std::string(16, 'x')}}, "expected 32 bytes, found 16"},
        BrokenCase{"ZeroWidth", tfP8, {{0, 4, "abcd"}}, "Invalid bitmap size: 0 x 4"},
        BrokenCase{"NegativeHeight", tfP8, {{1, -1, "a"}}, "Invalid bitmap size: 1 x -1"},
        BrokenCase{"Huge", tfP8, {{65536, 65536, "a"}}, "Bitmap too large"},
        // 255 empty mips of 4096 x 4096 at 32 bits would be 16 GB of pixels.
        BrokenCase{"ManyEmptyMips", tfDXT1, std::vector<TMip>(255, TMip{4096, 4096, ""}), "Texture too large"},
        BrokenCase{"NoDecoder", tfNoFormat, {{1, 1, "abc"}}, "Unknown Texture format"},
        BrokenCase{"BeyondDecoders", 11, {{1, 1, "abc"}}, "Unknown Texture format"},
        BrokenCase{"SevenBitOverflow", tfRGBA7, {{1, 1, "\x01\x02\x80\x03"}}, "Range check error"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextureRead, RecordsPointingOutsideTheDataFail) {
  // A data size beyond the object, and an end offset before its start.
  std::string tooLong = pkg.W.NoneTag() + pw::Byte(1) + pw::Int(0) + pw::Compact(1000) + "ab";
  std::string backwards = pkg.W.NoneTag() + pw::Byte(1) + pw::Int(1) + pw::Compact(2) + "ab" + std::string(10, '\0');
  const int first = pkg.W.Export("TooLong", pkg.Class("Texture"), tooLong);
  const int second = pkg.W.Export("Backwards", pkg.Class("Texture"), backwards);
  Open();
  EXPECT_NE(ErrorReading(first).find("Invalid array length"), std::string::npos);
  EXPECT_NE(ErrorReading(second).find("Seek to"), std::string::npos);
}

TEST_F(TextureRead, SubclassesReadTheirOwnFields) {
  const std::string spark = Sequence(8, 1);
  const int fire = pkg.Texture("Fire", "FireTexture",
                               {pkg.W.NoneTag(), "", {{1, 1, "\x05"}}, {}, pw::Compact(2) + spark + spark});
  const int cube = pkg.W.Export("Cube", pkg.Class("Cubemap"), pkg.W.NoneTag() + "\x2A");
  const int badSparks = pkg.Texture("BadSparks", "FireTexture",
                                    {pkg.W.NoneTag(), "", {{1, 1, "\x05"}}, {}, pw::Compact(3) + spark});
  Open();
  const auto& sparks = Read<TUTObjectClassFireTexture>(fire).Sparks();
  ASSERT_EQ(sparks.size(), 2u);
  EXPECT_EQ(sparks[1][7], 8);
  EXPECT_EQ(Read(fire).Mips()[0].Pixels()[0], 5);
  EXPECT_EQ(Read<TUTObjectClassCubeMap>(cube).ExtraByte(), 0x2A);
  EXPECT_NE(ErrorReading(badSparks).find("Invalid array length"), std::string::npos);
}

// Games that store more than the others: Army Operations four bytes before
// a texture's mips, Undying from version 75 four bytes after a palette.
struct GameCase {
  const char* name;
  int version;
  const char* extension;
  bool textureExtra;
  bool paletteExtra;
  bool readable;
};

class GameBytes : public TextureRead, public testing::WithParamInterface<GameCase> {
 protected:
  GameBytes() : TextureRead(static_cast<std::uint16_t>(GetParam().version)) {}
};

TEST_P(GameBytes, AreReadWhereTheGameKeepsThem) {
  const GameCase& c = GetParam();
  const int texture =
      pkg.Texture("T", "Texture", {pkg.W.NoneTag(), c.textureExtra ? std::string("\x01\x02\x03\x04") : "", {{1, 1, "\x08"}}});
  std::string palette = pkg.W.NoneTag() + pw::Compact(1) + "\x01\x02\x03\x04";
  if (c.paletteExtra) palette += "\x05\x06\x07\x08";
  const int pal = pkg.W.Export("Pal", pkg.Class("Palette"), palette);
  Open(std::string("Tex") + c.extension);
  EXPECT_EQ(ErrorReading(pal).empty(), c.readable);
  if (c.textureExtra) {
    EXPECT_EQ(Read(texture).Mips()[0].Pixels()[0], 8);
  } else {
    EXPECT_EQ(ErrorReading(texture), "");
  }
}

INSTANTIATE_TEST_SUITE_P(Games, GameBytes,
                         testing::Values(GameCase{"ArmyOperations", 69, ".aao", true, false, true},
                                         GameCase{"Undying75", 75, ".sac", false, true, true},
                                         GameCase{"Undying75Without", 75, ".sac", false, false, false},
                                         GameCase{"Undying74", 74, ".sac", false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace packages
