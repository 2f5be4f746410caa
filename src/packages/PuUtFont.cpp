#include "packages/PuUtFont.h"

#include "packages/PuUtPackage.h"

namespace packages {

void TUTObjectClassFont::Clear() {
  Characters.clear();
  KerningPairs.clear();
  KerningFlag = false;
  PagesTrailer = 0;
  ExtraIndex = 0;
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
  ReadPages(s);
  PagesTrailer = s.ReadInteger();
  const int version = GetOwner().FileVersion();
  if (version >= 119) {
    ExtraIndex = s.ReadCompactIndex();
    s.ReadCount();
    s.ReadCount();
  } else if (version >= 69) {
    ReadKerning(s);
  }
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

}  // namespace packages
