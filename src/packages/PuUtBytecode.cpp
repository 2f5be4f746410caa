#include "packages/PuUtBytecode.h"

#include <limits>

#include "packages/PuUtNatives.h"
#include "packages/PuUtNumberText.h"
#include "packages/PuUtObjectReading.h"
#include "packages/PuUtPackage.h"
#include "packages/PuUtTokens.h"
#include "platform/AsciiText.h"

namespace packages {

namespace {

// Upper-case hexadecimal, zero-padded to at least `digits` digits.
std::string Hex(unsigned value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
  return text;
}

// The part of a dotted path before its first "."; empty without one.
std::string OuterPart(const std::string& path) {
  const std::size_t dot = path.find('.');
  return dot == std::string::npos ? std::string() : path.substr(0, dot);
}

// Closes a ReadToken level on every way out, so that a failed nested read
// leaves the depth where it was for the caller that absorbs the error.
class TTokenLevel {
 public:
  explicit TTokenLevel(std::int32_t& depth) : FDepth(depth) {
    if (FDepth >= TUTBytecodeReader::kMaxTokenDepth) throw EUTScriptTooDeep();
    ++FDepth;
  }
  ~TTokenLevel() { --FDepth; }
  TTokenLevel(const TTokenLevel&) = delete;
  TTokenLevel& operator=(const TTokenLevel&) = delete;

 private:
  std::int32_t& FDepth;
};

}  // namespace

EUnknownUTOpcode::EUnknownUTOpcode(int token)
    : EUTPackageError("Unknown OpCode 0x" + Hex(static_cast<unsigned>(token), 2) + ". Will try to continue.") {}

EInvalidUTNativeIndex::EInvalidUTNativeIndex(int index)
    : EUTPackageError("Invalid native function index 0x" + Hex(static_cast<unsigned>(index), 2)) {}

EUTScriptTooDeep::EUTScriptTooDeep()
    : EUTPackageError("Script tokens nested deeper than " + std::to_string(TUTBytecodeReader::kMaxTokenDepth) +
                      " levels") {}

TUTBytecodeReader::TUTBytecodeReader(TUTPackage& package, TUTStream& stream, TUTScriptState& state,
                                     TUTObjectReference self, TUTObjectReference superField)
    : FPackage(package),
      FStream(stream),
      FState(state),
      FSelf(self),
      FSuperField(superField),
      FSecondGeneration(IsSecondGeneration(package.FileVersion())) {
  if (self != 0) FSelfName = RefName(self);
}

void TUTBytecodeReader::ReadScript() {
  while (FState.ScriptBytesRead < FState.ScriptSize) ReadToken(kStatementPrecedence);
}

std::string TUTBytecodeReader::ReadToken(std::uint8_t precedence) {
  TTokenLevel level(FState.TokenDepth);
  const int token = ReadByte();
  // Packages of the second engine generation close every script with the
  // byte 0x47, counted in the script's length. Older scripts never end on
  // it, since there it converts an operand that would have to follow.
  if (token == exEndOfScript && FState.TokenDepth == 1 && FState.ScriptBytesRead == FState.ScriptSize) return {};
  std::string text = ReadTokenBody(token, precedence);
  if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
  return text;
}

std::string TUTBytecodeReader::ReadTokenBody(int token, std::uint8_t precedence) {
  if (token >= exFirstNative) return ReadNative(token, precedence);
  if (token >= exExtendedNative) return ReadNative((token - exExtendedNative) * 256 + ReadByte(), precedence);
  if (FSecondGeneration &&
      (token == exPrimitiveCast || (token >= exDynArrayInsert && token <= exLetDelegate)))
    return ReadSecondGenerationToken(token, precedence);
  if (token == exUnused35 || token >= exFirstUnused) {
    ReadToken(precedence);
    throw EUnknownUTOpcode(token);
  }
  if (token >= exFirstConversion) return ReadConversionToken(token, precedence);
  switch (token) {
    case exReturn: case exSwitch: case exJump: case exJumpIfNot: case exStop: case exAssert: case exCase:
    case exLabelTable: case exGotoLabel: case exIterator: case exIteratorPop: case exIteratorNext:
      return ReadControlToken(token, precedence);
    case exIntConst: case exFloatConst: case exStringConst: case exObjectConst: case exNameConst:
    case exRotationConst: case exVectorConst: case exByteConst: case exIntZero: case exIntOne: case exTrue:
    case exFalse: case exNoObject: case exIntConstByte: case exUnicodeStringConst:
      return ReadConstantToken(token);
    default:
      return ReadReferenceToken(token, precedence);
  }
}

// Variables, calls and the tokens that pass an expression on.
std::string TUTBytecodeReader::ReadReferenceToken(int token, std::uint8_t precedence) {
  switch (token) {
    case exLocalVariable: case exInstanceVariable: case exNativeParm:
      return RefName(ReadRef());
    case exDefaultVariable:
      return "Default." + RefName(ReadRef());
    case exVariableOfExpression: case exStructMember: {
      const std::string member = RefName(ReadRef());
      return ReadToken(precedence) + "." + member;
    }
    case exNothing:
      return {};
    case exEatString: case exBoolVariable: case exResizeString: case exSkip: {
      if (token == exResizeString) ReadByte();
      if (token == exSkip) ReadWord();
      return ReadToken(precedence);
    }
    case exEndParmValue:
      // At statement level it ends a default-parameter block by itself.
      return FState.TokenDepth == 1 ? std::string() : ReadToken(precedence);
    case exEndFunctionParms:
      return ")";
    case exSelf:
      return "self";
    case exVirtualFunction:
      return ReadParameters(ReadName() + "(");
    case exFinalFunction: {
      const TUTObjectReference function = ReadRef();
      return ReadParameters(CallPrefix(function) + RefName(function) + "(");
    }
    case exGlobalFunction:
      return ReadParameters("Global." + ReadName() + "(");
    default:
      return ReadCompositeToken(token, precedence);
  }
}

// Assignments, element and member access, casts and comparisons: tokens
// that combine expressions.
std::string TUTBytecodeReader::ReadCompositeToken(int token, std::uint8_t precedence) {
  switch (token) {
    case exLetBool:
      if (FPackage.FileVersion() == 61 && FState.ScriptBytesRead == 1) {
        ReadVersion61Header();
        return {};
      }
      [[fallthrough]];
    case exLet: {
      const std::string a = ReadToken(precedence);
      return a + "=" + ReadToken(precedence);
    }
    case exDynArrayElement: case exArrayElement: {
      const std::string a = ReadToken(precedence);
      return ReadToken(precedence) + "[" + a + "]";
    }
    case exNew: {
      std::string text = "new (" + ReadToken(precedence);
      for (int i = 0; i < 3; ++i) {
        const std::string part = ReadToken(precedence);
        if (!part.empty()) text += "," + part;
      }
      return text + ")";
    }
    case exClassContext: case exContext: {
      const std::string object = ReadToken(precedence);
      ReadWord();
      ReadByte();
      return object + "." + ReadToken(precedence);
    }
    case exMetaCast: {
      const std::string cls = RefName(ReadRef());
      return "Class<" + cls + ">(" + ReadToken(precedence) + ")";
    }
    case exDynamicCast: {
      const std::string cls = RefName(ReadRef());
      return cls + "(" + ReadToken(precedence) + ")";
    }
    case exStructCmpEq: case exStructCmpNe: {
      ReadRef();
      const std::string a = ReadToken(precedence);
      return a + (token == exStructCmpEq ? "==" : "!=") + ReadToken(precedence);
    }
    case exLength:
      return ReadToken(precedence) + ".Length";
    default:
      throw EUnknownUTOpcode(token);  // every token below the conversions is handled before
  }
}

std::string TUTBytecodeReader::ReadControlToken(int token, std::uint8_t precedence) {
  switch (token) {
    case exReturn: {
      if (FPackage.FileVersion() <= 61) return "return";
      const std::string value = ReadToken(precedence);
      return value.empty() ? "return" : "return " + value;
    }
    case exSwitch: {
      ReadByte();
      std::string value = ReadToken(precedence);
      if (value.empty() || value.front() != '(') value = "(" + value + ")";
      return "switch " + value + " {";
    }
    case exJump:
      return "goto JL" + Hex(ReadWord(), 4);
    case exJumpIfNot: {
      const unsigned offset = ReadWord();
      return "if (! " + ReadToken(precedence) + " ) goto JL" + Hex(offset, 4);
    }
    case exStop:
      return "stop";
    case exAssert:
      ReadWord();
      return "assert (" + ReadToken(precedence) + ")";
    case exCase:
      if (ReadWord() == 0xFFFF) return "default:";
      return "case " + ReadToken(precedence) + ":";
    case exLabelTable:
      ReadLabelTable();
      return {};
    case exGotoLabel:
      return "goto (" + ReadToken(precedence) + ")";
    case exIterator: {
      const std::string iterator = ReadToken(precedence);
      ReadWord();
      return "foreach " + iterator + " {";
    }
    case exIteratorPop:
      return "}";
    default:
      return "continue";
  }
}

std::string TUTBytecodeReader::ReadConstantToken(int token) {
  switch (token) {
    case exIntConst:
      return std::to_string(ReadInteger());
    case exFloatConst:
      return FormatUTFloat(ReadFloat());
    case exStringConst: {
      const std::string text = FStream.ReadZString();
      Count(static_cast<std::int64_t>(text.size()) + 1);
      return FPackage.QuoteString(text);
    }
    case exObjectConst: {
      // A reference to nothing has no class to name: it shows as Class''.
      const TUTObjectReference ref = ReadRef();
      std::string cls = ReferenceClassName(FPackage, ref);
      if (cls.empty()) cls = "Class";
      return cls + "'" + RefName(ref) + "'";
    }
    case exNameConst:
      return "'" + ReadName() + "'";
    case exRotationConst: {
      const std::int32_t pitch = ReadInteger();
      const std::int32_t yaw = ReadInteger();
      const std::int32_t roll = ReadInteger();
      return "rot(" + std::to_string(pitch) + "," + std::to_string(yaw) + "," + std::to_string(roll) + ")";
    }
    case exVectorConst: {
      const double x = ReadFloat();
      const double y = ReadFloat();
      const double z = ReadFloat();
      return "vect(" + FormatUTFloat(x) + "," + FormatUTFloat(y) + "," + FormatUTFloat(z) + ")";
    }
    case exByteConst: case exIntConstByte:
      return std::to_string(ReadByte());
    case exIntZero:
      return "0";
    case exIntOne:
      return "1";
    case exTrue:
      return "True";
    case exFalse:
      return "False";
    case exNoObject:
      return "None";
    default: {  // exUnicodeStringConst
      std::u16string text;
      for (std::uint16_t unit = ReadWord(); unit != 0; unit = ReadWord()) text.push_back(static_cast<char16_t>(unit));
      // The text only has to be told apart from ")": characters beyond
      // 8 bits become "?".
      std::string narrow;
      for (char16_t c : FPackage.QuoteWideString(text)) narrow.push_back(c < 256 ? static_cast<char>(c) : '?');
      return narrow;
    }
  }
}

std::string TUTBytecodeReader::ReadConversionToken(int token, std::uint8_t precedence) {
  // The type each conversion code turns its operand into, from
  // exFirstConversion on. Conversions among byte, int, bool and float show
  // their operand alone.
  static const char* const kTargets[exLastConversion - exFirstConversion + 1] = {
      "vector",                                                        // 0x39
      "", "", "", "", "", "", "", "", "", "", "", "",                  // 0x3A to 0x45
      "name", "bool", "bool", "byte", "int", "bool", "float",          // 0x46 to 0x4C
      "vector", "rotator", "bool", "rotator", "bool",                  // 0x4D to 0x51
      "string", "string", "string", "string", "string", "string", "string", "string",  // 0x52 to 0x59
      "name"};                                                         // 0x5A
  const std::string value = ReadToken(precedence);
  const char* target = kTargets[token - exFirstConversion];
  return *target ? std::string(target) + "(" + value + ")" : value;
}

// The later engine moved the conversions behind one token that names the
// conversion in its next byte, and gave the freed codes to dynamic arrays,
// debugger marks and delegates.
std::string TUTBytecodeReader::ReadSecondGenerationToken(int token, std::uint8_t precedence) {
  switch (token) {
    case exPrimitiveCast: {
      const int conversion = ReadByte();
      if (conversion < exFirstConversion || conversion > exLastConversion) throw EUnknownUTOpcode(conversion);
      return ReadConversionToken(conversion, precedence);
    }
    case exDynArrayInsert: case exDynArrayRemove: {
      const std::string array = ReadToken(precedence);
      const std::string index = ReadToken(precedence);
      const std::string count = ReadToken(precedence);
      return array + (token == exDynArrayInsert ? ".Insert(" : ".Remove(") + index + "," + count + ")";
    }
    case exDebugInfo:
      // Version, line, text position and the token it stands before.
      ReadInteger();
      ReadInteger();
      ReadInteger();
      ReadByte();
      return {};
    case exDelegateFunction: {
      ReadRef();  // the delegate property
      return ReadParameters(ReadName() + "(");
    }
    case exDelegateProperty:
      return ReadName();
    default: {  // exLetDelegate
      const std::string a = ReadToken(precedence);
      return a + "=" + ReadToken(precedence);
    }
  }
}

std::string TUTBytecodeReader::ReadParameters(std::string text) {
  for (;;) {
    const std::string argument = ReadToken(kStatementPrecedence);
    if (argument == ")") {
      if (!text.empty() && text.back() == ',') text.pop_back();
      return text + ")";
    }
    if (text.size() < kMaxTextLength) text += argument + ",";
  }
}

std::string TUTBytecodeReader::ReadNative(int index, std::uint8_t precedence) {
  if (index < exFirstNative) throw EInvalidUTNativeIndex(index);
  const TNativeFunction* row = FindNative(FPackage.NativeFunctions(), index);
  if (!row) return ReadParameters("UnknownFunction" + std::to_string(index) + "(");
  const std::string name = (platform::SameText(row->Name, FSelfName) ? "Super." : "") + row->Name;
  if (row->Kind == nfFunction) return ReadParameters(name + "(");
  return ReadOperator(*row, name, precedence);
}

std::string TUTBytecodeReader::ReadOperator(const TNativeFunction& row, const std::string& name,
                                            std::uint8_t precedence) {
  const bool nested = FState.TokenDepth >= 2;
  if (row.Kind == nfBinaryOperator) {
    const std::string left = ReadToken(row.Precedence);
    const std::string right = ReadToken(row.Precedence);
    ReadToken(precedence);  // the end of the operand list
    const std::string text = left + " " + name + " " + right;
    return nested && row.Precedence > precedence ? "(" + text + ")" : text;
  }
  const std::string operand = ReadToken(precedence);
  ReadToken(precedence);
  if (row.Kind == nfPrefixOperator) return (nested ? " " : "") + name + operand;
  return operand + name + (nested ? " " : "");
}

void TUTBytecodeReader::ReadLabelTable() {
  for (;;) {
    const std::string label = platform::LowerCase(FPackage.GetName(FStream.ReadNameIndex()));
    FStream.ReadInteger();
    Count(8);
    if (label == "none") return;
  }
}

void TUTBytecodeReader::ReadVersion61Header() {
  for (;;) {
    const std::uint8_t v = ReadByte();
    if (v == 0) return;
    ReadByte();
  }
}

std::string TUTBytecodeReader::CallPrefix(TUTObjectReference function) const {
  if (!platform::SameText(RefName(function), FSelfName)) return {};
  const std::string called = FPackage.GetObjectPath(2, function);
  if (platform::SameText(called, FPackage.GetObjectPath(2, FSelf))) return {};
  const std::string calledOwner = OuterPart(called);
  const std::string superOwner = OuterPart(FPackage.GetObjectPath(2, FSuperField));
  if (!platform::SameText(calledOwner, superOwner)) return "Super(" + calledOwner + ").";
  return "Super.";
}

// The counter only has to reach the stored length, which fits 32 bits; it
// is held there instead of overflowing on a huge crafted argument list.
void TUTBytecodeReader::Count(std::int64_t bytes) {
  const std::int64_t total = static_cast<std::int64_t>(FState.ScriptBytesRead) + bytes;
  FState.ScriptBytesRead = static_cast<std::int32_t>(std::min<std::int64_t>(total, std::numeric_limits<std::int32_t>::max()));
}

std::uint8_t TUTBytecodeReader::ReadByte() {
  const std::uint8_t v = FStream.ReadByte();
  Count(1);
  return v;
}

std::uint16_t TUTBytecodeReader::ReadWord() {
  const std::uint16_t v = FStream.ReadWord();
  Count(2);
  return v;
}

std::int32_t TUTBytecodeReader::ReadInteger() {
  const std::int32_t v = FStream.ReadInteger();
  Count(4);
  return v;
}

float TUTBytecodeReader::ReadFloat() {
  const float v = FStream.ReadFloat();
  Count(4);
  return v;
}

TUTObjectReference TUTBytecodeReader::ReadRef() {
  const TUTObjectReference ref = FStream.ReadCompactIndex();
  Count(4);
  return ref;
}

std::string TUTBytecodeReader::ReadName() {
  // A name outside the name table is the reader's own error, which a
  // function's guarded block absorbs like the walk's other errors.
  const std::int32_t index = FStream.ReadNameIndex();
  Count(4);
  return FPackage.GetName(index);
}

std::string TUTBytecodeReader::RefName(TUTObjectReference ref) const { return FPackage.GetObjectPath(1, ref); }

}  // namespace packages
