#pragma once

// The tokens of compiled script bytecode. The later engine generation gave
// some codes of the first one's conversions new meanings; both are named.

#include <cstdint>

namespace packages {

enum TUTToken : std::uint8_t {
  exLocalVariable = 0x00,
  exInstanceVariable = 0x01,
  exDefaultVariable = 0x02,
  exVariableOfExpression = 0x03,  // a reference, then the expression it belongs to
  exReturn = 0x04,
  exSwitch = 0x05,
  exJump = 0x06,
  exJumpIfNot = 0x07,
  exStop = 0x08,
  exAssert = 0x09,
  exCase = 0x0A,
  exNothing = 0x0B,
  exLabelTable = 0x0C,
  exGotoLabel = 0x0D,
  exEatString = 0x0E,
  exLet = 0x0F,
  exDynArrayElement = 0x10,
  exNew = 0x11,
  exClassContext = 0x12,
  exMetaCast = 0x13,
  exLetBool = 0x14,
  exEndParmValue = 0x15,
  exEndFunctionParms = 0x16,
  exSelf = 0x17,
  exSkip = 0x18,
  exContext = 0x19,
  exArrayElement = 0x1A,
  exVirtualFunction = 0x1B,
  exFinalFunction = 0x1C,
  exIntConst = 0x1D,
  exFloatConst = 0x1E,
  exStringConst = 0x1F,
  exObjectConst = 0x20,
  exNameConst = 0x21,
  exRotationConst = 0x22,
  exVectorConst = 0x23,
  exByteConst = 0x24,
  exIntZero = 0x25,
  exIntOne = 0x26,
  exTrue = 0x27,
  exFalse = 0x28,
  exNativeParm = 0x29,
  exNoObject = 0x2A,
  exResizeString = 0x2B,
  exIntConstByte = 0x2C,
  exBoolVariable = 0x2D,
  exDynamicCast = 0x2E,
  exIterator = 0x2F,
  exIteratorPop = 0x30,
  exIteratorNext = 0x31,
  exStructCmpEq = 0x32,
  exStructCmpNe = 0x33,
  exUnicodeStringConst = 0x34,
  exUnused35 = 0x35,
  exStructMember = 0x36,
  exLength = 0x37,
  exGlobalFunction = 0x38,
  // The first generation's conversions, one code for each; the later one
  // writes exPrimitiveCast and then one of these codes.
  exFirstConversion = 0x39,
  exLastConversion = 0x5A,
  exPrimitiveCast = 0x39,
  // The later generation's codes among the first one's conversions.
  exDynArrayInsert = 0x40,
  exDynArrayRemove = 0x41,
  exDebugInfo = 0x42,
  exDelegateFunction = 0x43,
  exDelegateProperty = 0x44,
  exLetDelegate = 0x45,
  exEndOfScript = 0x47,
  // No token; the walk stops on them.
  exFirstUnused = 0x5B,
  exLastUnused = 0x5F,
  // Calls of natives: 0x60 to 0x6F take the next byte for the low part of
  // the number, 0x70 and above are the number itself.
  exExtendedNative = 0x60,
  exFirstNative = 0x70,
};

}  // namespace packages
