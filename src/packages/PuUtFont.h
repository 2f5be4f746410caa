#pragma once

// A font object: the character rectangles on its texture pages and, in the
// file versions that carry them, kerning pairs. The first engine generation
// stores the characters page by page; the later one keeps one table of
// characters that name their page, the pages' textures, a kerning value and
// a table of character remappings.

#include <cstdint>
#include <string>
#include <vector>

#include "packages/PuUtObject.h"

namespace packages {

struct TUTFontCharacter {
  TUTObjectReference Texture = 0;  // the page's texture
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t W = 0;
  std::int32_t H = 0;
};

// A character code the later engine's fonts draw as another one.
struct TUTCharRemap {
  std::uint16_t From = 0;
  std::uint16_t To = 0;
};

struct TUTKerningPair {
  std::string First;   // one character
  std::string Second;  // one character
};

class TUTObjectClassFont : public TUTObject {
 public:
  using TUTObject::TUTObject;

  std::vector<TUTFontCharacter> Characters;  // every page's characters, pages in file order
  // First generation.
  std::vector<TUTKerningPair> KerningPairs;
  bool KerningFlag = false;
  std::int32_t PagesTrailer = 0;
  // Later generation.
  std::vector<TUTObjectReference> Textures;  // one per page
  std::int32_t Kerning = 0;
  std::vector<TUTCharRemap> CharRemap;
  bool IsRemapped = false;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

 private:
  void Clear();
  void ReadPages(TUTStream& s);
  void ReadKerning(TUTStream& s);
  void ReadCharacterTable(TUTStream& s);
};

}  // namespace packages
