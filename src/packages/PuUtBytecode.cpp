#include "packages/PuUtBytecode.h"

#include <limits>

#include "packages/PuUtNatives.h"
#include "packages/PuUtNumberText.h"
#include "packages/PuUtObjectReading.h"
#include "packages/PuUtPackage.h"
#include "platform/AsciiText.h"

namespace packages {

namespace {

constexpr int kEndOfScript = 0x47;

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
  if (token == kEndOfScript && FState.TokenDepth == 1 && FState.ScriptBytesRead == FState.ScriptSize) return {};
  std::string text = ReadTokenBody(token, precedence);
  if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
  return text;
}

std::string TUTBytecodeReader::ReadTokenBody(int token, std::uint8_t precedence) {
  if (token >= 0x70) return ReadNative(token, precedence);
  if (token >= 0x60) return ReadNative((token - 0x60) * 256 + ReadByte(), precedence);
  if (FSecondGeneration && (token == 0x39 || (token >= 0x40 && token <= 0x45)))
    return ReadSecondGenerationToken(token, precedence);
  if (token == 0x35 || token >= 0x5B) {
    ReadToken(precedence);
    throw EUnknownUTOpcode(token);
  }
  if (token >= 0x39) return ReadConversionToken(token, precedence);
  switch (token) {
    case 0x04: case 0x05: case 0x06: case 0x07: case 0x08: case 0x09: case 0x0A: case 0x0C: case 0x0D:
    case 0x2F: case 0x30: case 0x31:
      return ReadControlToken(token, precedence);
    case 0x1D: case 0x1E: case 0x1F: case 0x20: case 0x21: case 0x22: case 0x23: case 0x24: case 0x25:
    case 0x26: case 0x27: case 0x28: case 0x2A: case 0x2C: case 0x34:
      return ReadConstantToken(token);
    default:
      return ReadReferenceToken(token, precedence);
  }
}

// Variables, calls and the tokens that pass an expression on.
std::string TUTBytecodeReader::ReadReferenceToken(int token, std::uint8_t precedence) {
  switch (token) {
    case 0x00: case 0x01: case 0x29:
      return RefName(ReadRef());
    case 0x02:
      return "Default." + RefName(ReadRef());
    case 0x03: case 0x36: {
      const std::string member = RefName(ReadRef());
      return ReadToken(precedence) + "." + member;
    }
    case 0x0B:
      return {};
    case 0x0E: case 0x2D: case 0x2B: case 0x18: {
      if (token == 0x2B) ReadByte();
      if (token == 0x18) ReadWord();
      return ReadToken(precedence);
    }
    case 0x15:
      // At statement level it ends a default-parameter block by itself.
      return FState.TokenDepth == 1 ? std::string() : ReadToken(precedence);
    case 0x16:
      return ")";
    case 0x17:
      return "self";
    case 0x1B:
      return ReadParameters(ReadName() + "(");
    case 0x1C: {
      const TUTObjectReference function = ReadRef();
      return ReadParameters(CallPrefix(function) + RefName(function) + "(");
    }
    case 0x38:
      return ReadParameters("Global." + ReadName() + "(");
    default:
      return ReadCompositeToken(token, precedence);
  }
}

// Assignments, element and member access, casts and comparisons: tokens
// that combine expressions.
std::string TUTBytecodeReader::ReadCompositeToken(int token, std::uint8_t precedence) {
  switch (token) {
    case 0x14:
      if (FPackage.FileVersion() == 61 && FState.ScriptBytesRead == 1) {
        ReadVersion61Header();
        return {};
      }
      [[fallthrough]];
    case 0x0F: {
      const std::string a = ReadToken(precedence);
      return a + "=" + ReadToken(precedence);
    }
    case 0x10: case 0x1A: {
      const std::string a = ReadToken(precedence);
      return ReadToken(precedence) + "[" + a + "]";
    }
    case 0x11: {
      std::string text = "new (" + ReadToken(precedence);
      for (int i = 0; i < 3; ++i) {
        const std::string part = ReadToken(precedence);
        if (!part.empty()) text += "," + part;
      }
      return text + ")";
    }
    case 0x12: case 0x19: {
      const std::string object = ReadToken(precedence);
      ReadWord();
      ReadByte();
      return object + "." + ReadToken(precedence);
    }
    case 0x13: {
      const std::string cls = RefName(ReadRef());
      return "Class<" + cls + ">(" + ReadToken(precedence) + ")";
    }
    case 0x2E: {
      const std::string cls = RefName(ReadRef());
      return cls + "(" + ReadToken(precedence) + ")";
    }
    case 0x32: case 0x33: {
      ReadRef();
      const std::string a = ReadToken(precedence);
      return a + (token == 0x32 ? "==" : "!=") + ReadToken(precedence);
    }
    case 0x37:
      return ReadToken(precedence) + ".Length";
    default:
      throw EUnknownUTOpcode(token);  // every token below 0x39 is handled before
  }
}

std::string TUTBytecodeReader::ReadControlToken(int token, std::uint8_t precedence) {
  switch (token) {
    case 0x04: {
      if (FPackage.FileVersion() <= 61) return "return";
      const std::string value = ReadToken(precedence);
      return value.empty() ? "return" : "return " + value;
    }
    case 0x05: {
      ReadByte();
      std::string value = ReadToken(precedence);
      if (value.empty() || value.front() != '(') value = "(" + value + ")";
      return "switch " + value + " {";
    }
    case 0x06:
      return "goto JL" + Hex(ReadWord(), 4);
    case 0x07: {
      const unsigned offset = ReadWord();
      return "if (! " + ReadToken(precedence) + " ) goto JL" + Hex(offset, 4);
    }
    case 0x08:
      return "stop";
    case 0x09:
      ReadWord();
      return "assert (" + ReadToken(precedence) + ")";
    case 0x0A:
      if (ReadWord() == 0xFFFF) return "default:";
      return "case " + ReadToken(precedence) + ":";
    case 0x0C:
      ReadLabelTable();
      return {};
    case 0x0D:
      return "goto (" + ReadToken(precedence) + ")";
    case 0x2F: {
      const std::string iterator = ReadToken(precedence);
      ReadWord();
      return "foreach " + iterator + " {";
    }
    case 0x30:
      return "}";
    default:
      return "continue";
  }
}

std::string TUTBytecodeReader::ReadConstantToken(int token) {
  switch (token) {
    case 0x1D:
      return std::to_string(ReadInteger());
    case 0x1E:
      return FormatUTFloat(ReadFloat());
    case 0x1F: {
      const std::string text = FStream.ReadZString();
      Count(static_cast<std::int64_t>(text.size()) + 1);
      return FPackage.QuoteString(text);
    }
    case 0x20: {
      // A reference to nothing has no class to name: it shows as Class''.
      const TUTObjectReference ref = ReadRef();
      std::string cls = ReferenceClassName(FPackage, ref);
      if (cls.empty()) cls = "Class";
      return cls + "'" + RefName(ref) + "'";
    }
    case 0x21:
      return "'" + ReadName() + "'";
    case 0x22: {
      const std::int32_t pitch = ReadInteger();
      const std::int32_t yaw = ReadInteger();
      const std::int32_t roll = ReadInteger();
      return "rot(" + std::to_string(pitch) + "," + std::to_string(yaw) + "," + std::to_string(roll) + ")";
    }
    case 0x23: {
      const double x = ReadFloat();
      const double y = ReadFloat();
      const double z = ReadFloat();
      return "vect(" + FormatUTFloat(x) + "," + FormatUTFloat(y) + "," + FormatUTFloat(z) + ")";
    }
    case 0x24: case 0x2C:
      return std::to_string(ReadByte());
    case 0x25:
      return "0";
    case 0x26:
      return "1";
    case 0x27:
      return "True";
    case 0x28:
      return "False";
    case 0x2A:
      return "None";
    default: {  // 0x34, a wide string
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
  const std::string value = ReadToken(precedence);
  switch (token) {
    case 0x39: case 0x4D: return "vector(" + value + ")";
    case 0x46: case 0x5A: return "name(" + value + ")";
    case 0x47: case 0x48: case 0x4B: case 0x4F: case 0x51: return "bool(" + value + ")";
    case 0x49: return "byte(" + value + ")";
    case 0x4A: return "int(" + value + ")";
    case 0x4C: return "float(" + value + ")";
    case 0x4E: case 0x50: return "rotator(" + value + ")";
    default:
      if (token >= 0x52) return "string(" + value + ")";
      return value;  // 0x3A to 0x45 pass their expression on
  }
}

// The later engine moved the conversions behind one token that names the
// conversion in its next byte, and gave the freed codes to dynamic arrays,
// debugger marks and delegates.
std::string TUTBytecodeReader::ReadSecondGenerationToken(int token, std::uint8_t precedence) {
  switch (token) {
    case 0x39: {
      const int conversion = ReadByte();
      if (conversion < 0x39 || conversion > 0x5A) throw EUnknownUTOpcode(conversion);
      return ReadConversionToken(conversion, precedence);
    }
    case 0x40: case 0x41: {
      const std::string array = ReadToken(precedence);
      const std::string index = ReadToken(precedence);
      const std::string count = ReadToken(precedence);
      return array + (token == 0x40 ? ".Insert(" : ".Remove(") + index + "," + count + ")";
    }
    case 0x42:
      // Version, line, text position and the token it stands before.
      ReadInteger();
      ReadInteger();
      ReadInteger();
      ReadByte();
      return {};
    case 0x43: {
      ReadRef();  // the delegate property
      return ReadParameters(ReadName() + "(");
    }
    case 0x44:
      return ReadName();
    default: {  // 0x45, assigning a delegate
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
  if (index < 0x70) throw EInvalidUTNativeIndex(index);
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
