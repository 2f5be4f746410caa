#pragma once

// A text buffer object: a script's source text, kept as the package stores
// it (bytes, no character-set conversion).

#include <string>

#include "packages/PuUtObject.h"

namespace packages {

class TUTObjectClassTextBuffer : public TUTObject {
 public:
  using TUTObject::TUTObject;

  std::string Text;

  // Writes the text to `fileName` as it stands, nothing before or after;
  // EUTObjectNotRead when the object was not read, platform::EFileError
  // when the file cannot be written (the old file is then left as it was).
  void SaveToFile(const std::string& fileName) const;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;
};

}  // namespace packages
