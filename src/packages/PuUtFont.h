#pragma once

// A font object: the character rectangles on its texture pages and, in the
// file versions that carry them, kerning pairs.

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

struct TUTKerningPair {
  std::string First;   // one character
  std::string Second;  // one character
};

class TUTObjectClassFont : public TUTObject {
 public:
  using TUTObject::TUTObject;

  std::vector<TUTFontCharacter> Characters;  // every page's characters, pages in file order
  std::vector<TUTKerningPair> KerningPairs;
  bool KerningFlag = false;
  std::int32_t PagesTrailer = 0;
  std::int32_t ExtraIndex = 0;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

 private:
  void Clear();
  void ReadPages(TUTStream& s);
  void ReadKerning(TUTStream& s);
};

}  // namespace packages
