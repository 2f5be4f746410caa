#include "packages/PuUtFont.h"

#include "packages/PuUtPackage.h"

namespace packages {

void TUTObjectClassFont::Clear() {
  Characters.clear();
  KerningPairs.clear();
  KerningFlag = false;
  PagesTrailer = 0;
  Textures.clear();
  Kerning = 0;
  CharRemap.clear();
  IsRemapped = false;
}

void TUTObjectClassFont::InitializeObject() {
  TUTObject::InitializeObject();
  Clear();
}

void TUTObjectClassFont::FreeData() {
  Clear();
  TUTObject::FreeData();
}

void TUTObjectClassFont::ReadData() {
  TUTObject::ReadData();
  TUTStream& s = Buffer();
  const int version = GetOwner().FileVersion();
  if (IsSecondGeneration(version)) {
    ReadCharacterTable(s);
    return;
  }
  ReadPages(s);
  PagesTrailer = s.ReadInteger();
  if (version >= 69) ReadKerning(s);
}

void TUTObjectClassFont::ReadPages(TUTStream& s) {
  const int pageCount = s.ReadByte();
  for (int page = 0; page < pageCount; ++page) {
    const TUTObjectReference texture = s.ReadCompactIndex();
    // The list grows page by page: a font may well hold more than 256
    // characters, and each page's count must fit the bytes left first.
    const std::int32_t count = s.CheckCount(s.ReadCompactIndex(), 16);
    Characters.reserve(Characters.size() + static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
      TUTFontCharacter c;
      c.Texture = texture;
      c.X = s.ReadInteger();
      c.Y = s.ReadInteger();
      c.W = s.ReadInteger();
      c.H = s.ReadInteger();
      Characters.push_back(c);
    }
  }
}

void TUTObjectClassFont::ReadKerning(TUTStream& s) {
  const std::int32_t count = s.CheckCount(s.ReadCompactIndex(), 2);
  KerningPairs.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    TUTKerningPair pair;
    pair.First = std::string(1, static_cast<char>(s.ReadByte()));
    pair.Second = std::string(1, static_cast<char>(s.ReadByte()));
    KerningPairs.push_back(pair);
  }
  KerningFlag = s.ReadInteger() != 0;
}

void TUTObjectClassFont::ReadCharacterTable(TUTStream& s) {
  // Each character takes 17 bytes: its rectangle, then the page it lies on,
  // whose texture is only known once the pages follow the characters.
  const std::int32_t count = s.CheckCount(s.ReadCompactIndex(), 17);
  std::vector<std::uint8_t> pageOf;
  pageOf.reserve(static_cast<std::size_t>(count));
  Characters.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    TUTFontCharacter c;
    c.X = s.ReadInteger();
    c.Y = s.ReadInteger();
    c.W = s.ReadInteger();
    c.H = s.ReadInteger();
    pageOf.push_back(s.ReadByte());
    Characters.push_back(c);
  }
  const std::int32_t pages = s.CheckCount(s.ReadCompactIndex());
  Textures.reserve(static_cast<std::size_t>(pages));
  for (std::int32_t i = 0; i < pages; ++i) Textures.push_back(s.ReadCompactIndex());
  for (std::size_t i = 0; i < Characters.size(); ++i) {
    if (pageOf[i] >= Textures.size())
      s.Fail("Font character " + std::to_string(i) + " on page " + std::to_string(pageOf[i]) + " of " +
             std::to_string(Textures.size()));
    Characters[i].Texture = Textures[pageOf[i]];
  }
  Kerning = s.ReadInteger();
  const std::int32_t remaps = s.CheckCount(s.ReadCompactIndex(), 4);
  CharRemap.reserve(static_cast<std::size_t>(remaps));
  for (std::int32_t i = 0; i < remaps; ++i) {
    TUTCharRemap r;
    r.From = s.ReadWord();
    r.To = s.ReadWord();
    CharRemap.push_back(r);
  }
  IsRemapped = s.ReadInteger() != 0;
}

}  // namespace packages
