// Reading one property tag and its value bytes.

#include <algorithm>
#include <cstdio>

#include "packages/PuUtPackage.h"
#include "packages/PuUtProperty.h"

namespace packages {

namespace {

std::int32_t ReadTagSize(TUTStream& s, int sizeCode) {
  static const std::int32_t fixedSizes[] = {1, 2, 4, 12, 16};
  switch (sizeCode) {
    case 5: return s.ReadByte();
    case 6: return s.ReadWord();
    case 7: return s.ReadCount();
    default: return fixedSizes[sizeCode];
  }
}

// One, two or four bytes, high part first, marked by the top bits of the first.
std::int32_t ReadArrayIndex(TUTStream& s) {
  const std::uint8_t b = s.ReadByte();
  if ((b & 0x80) == 0) return b;
  if ((b & 0xC0) == 0x80) return ((b & 0x7F) << 8) | s.ReadByte();
  std::int32_t index = (b & 0x3F) << 24;
  index |= s.ReadByte() << 16;
  index |= s.ReadByte() << 8;
  return index | s.ReadByte();
}

}  // namespace

bool TUTPackage::ReadProperty(TUTProperty& property, TUTStream& s) {
  std::string known = "<unknown>";
  try {
    const std::int32_t nameIndex = s.ReadCompactIndex();
    known = std::to_string(nameIndex);
    if (nameIndex < 0 || nameIndex >= NameCount()) s.Fail("Name index " + known + " outside the name table");
    const std::string name = GetName(nameIndex);
    known = name;
    if (platform::SameText(name, "None")) {
      property.SetProperty(this, name, -1, ptNone, nullptr, 0, "");
      return false;
    }
    const std::uint8_t info = s.ReadByte();
    TUTPropertyType type = info & 0x0F;
    // The later engine stores delegates under the code that fixed-size
    // strings had before.
    if (type == ptString && IsSecondGeneration(FFileVersion)) type = ptDelegate;
    const bool arrayFlag = (info & 0x80) != 0;
    std::string structName;
    if (type == ptStruct) {
      const std::int32_t structIndex = s.ReadCompactIndex();
      if (structIndex < 0 || structIndex >= NameCount())
        s.Fail("Struct name index " + std::to_string(structIndex) + " outside the name table");
      structName = GetName(structIndex);
    }
    const std::int32_t size = ReadTagSize(s, (info >> 4) & 0x07);
    const std::int32_t arrayIndex = (arrayFlag && type != ptBool) ? ReadArrayIndex(s) : -1;
    if (type == ptBool) {
      const std::uint8_t value = arrayFlag ? 1 : 0;
      property.SetProperty(this, name, arrayIndex, ptBool, &value, 1, "");
    } else if (type == ptNone) {
      // Only the first part of an unknown value is passed over; the next
      // tag is read from where that part ends.
      s.Skip(std::min(size, 256));
      char text[32];
      std::snprintf(text, sizeof text, "Unknown type 0x%-2.2x", static_cast<unsigned>(type));
      property.SetProperty(this, name, arrayIndex, ptBuffer, nullptr, 0, text);
    } else {
      if (size == 0) s.Fail("Empty property value");
      const TUTBytes value = s.ReadBytes(size);
      property.SetProperty(this, name, arrayIndex, type, value.data(), value.size(), structName);
    }
    return true;
  } catch (const EUTPackageError& e) {
    throw EReadingUTProperty(known, e.what());
  }
}

}  // namespace packages
