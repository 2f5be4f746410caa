#pragma once

// The type code of a tagged property.

#include <cstdint>

namespace packages {

using TUTPropertyType = std::int32_t;

enum : TUTPropertyType {
  ptNone = 0,
  ptByte = 1,
  ptInt = 2,
  ptBool = 3,
  ptFloat = 4,
  ptObject = 5,
  ptName = 6,
  ptString = 7,
  ptClass = 8,
  ptArray = 9,
  ptStruct = 10,
  ptVector = 11,
  ptRotator = 12,
  ptStr = 13,
  ptMap = 14,
  ptFixedArray = 15,
  ptBuffer = 256,    // raw bytes; also tags of an unknown type
  ptWord = 257,      // two-byte unsigned value
  ptDelegate = 258,  // code 7 of later-generation packages: an object and its function's name
};

}  // namespace packages
