#include "packages/PuUtTextBuffer.h"

#include "packages/PuUtPackage.h"
#include "platform/TextFile.h"

namespace packages {

void TUTObjectClassTextBuffer::InitializeObject() {
  TUTObject::InitializeObject();
  Text.clear();
}

void TUTObjectClassTextBuffer::FreeData() {
  Text.clear();
  TUTObject::FreeData();
}

void TUTObjectClassTextBuffer::ReadData() {
  TUTObject::ReadData();
  TUTStream& s = Buffer();
  s.ReadInteger();
  s.ReadInteger();
  if (GetOwner().Game() == gameUndying) {
    // Undying keeps its sources elsewhere: the bytes are passed over and
    // the text stays empty.
    s.ReadCompactIndex();
    s.Skip(s.CheckCount(s.ReadCompactIndex()));
    return;
  }
  // The length counts a terminating zero byte; a length of 0 stores nothing.
  const std::int32_t length = s.CheckCount(s.ReadCompactIndex());
  if (length == 0) return;
  Text.resize(static_cast<std::size_t>(length - 1));
  s.ReadBlock(Text.data(), length - 1);
  s.ReadByte();
}

void TUTObjectClassTextBuffer::SaveToFile(const std::string& fileName) const {
  CheckReadObject();
  platform::WriteFileAtomic(fileName, Text);
}

}  // namespace packages
