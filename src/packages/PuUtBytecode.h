#pragma once

// The walk over compiled script bytecode. The stored script length counts
// every object or name reference as 4 bytes while the file packs them into
// 1 to 5, so the end of a script is found only by reading it token by
// token. Each token is rendered as source text on the way: a call's
// argument list ends at the argument whose text is ")".

#include <cstdint>
#include <string>

#include "packages/PuUtErrors.h"
#include "packages/PuUtStream.h"
#include "packages/PuUtTables.h"

namespace packages {

class TUTPackage;
struct TNativeFunction;

class EUnknownUTOpcode : public EUTPackageError {
 public:
  explicit EUnknownUTOpcode(int token);
};

class EInvalidUTNativeIndex : public EUTPackageError {
 public:
  explicit EInvalidUTNativeIndex(int index);
};

// Tokens nested deeper than any compiler writes them: the walk stops
// rather than exhaust the stack.
class EUTScriptTooDeep : public EUTPackageError {
 public:
  EUTScriptTooDeep();
};

// The counters of one walk, kept by the struct being read.
struct TUTScriptState {
  std::int32_t ScriptSize = 0;       // script length in counted bytes
  std::int32_t ScriptBytesRead = 0;  // counted bytes consumed so far
  std::int32_t TokenDepth = 0;       // ReadToken calls under way
};

class TUTBytecodeReader {
 public:
  static constexpr int kMaxTokenDepth = 1000;
  // Longer texts are cut: the walk only tells ")" and empty texts apart
  // and looks at a text's first character, so nothing it needs is lost,
  // while a crafted call of a long name repeated could otherwise build
  // gigabytes from a few megabytes of script.
  static constexpr std::size_t kMaxTextLength = 1024;
  static constexpr std::uint8_t kStatementPrecedence = 255;

  // Walks `stream` from its position. `self` is the function, state or
  // class being read and `superField` its parent (both object references),
  // for the "Super." prefixes of calls.
  TUTBytecodeReader(TUTPackage& package, TUTStream& stream, TUTScriptState& state, TUTObjectReference self = 0,
                    TUTObjectReference superField = 0);

  // Reads statements until ScriptBytesRead reaches ScriptSize.
  void ReadScript();
  // One expression or statement as text.
  std::string ReadToken(std::uint8_t precedence);

 private:
  std::string ReadTokenBody(int token, std::uint8_t precedence);
  std::string ReadReferenceToken(int token, std::uint8_t precedence);
  std::string ReadCompositeToken(int token, std::uint8_t precedence);
  std::string ReadControlToken(int token, std::uint8_t precedence);
  std::string ReadConstantToken(int token);
  std::string ReadConversionToken(int token, std::uint8_t precedence);
  std::string ReadSecondGenerationToken(int token, std::uint8_t precedence);
  std::string ReadParameters(std::string text);
  std::string ReadNative(int index, std::uint8_t precedence);
  // `name` is the row's name as the call shows it, "Super." prefix included.
  std::string ReadOperator(const TNativeFunction& row, const std::string& name, std::uint8_t precedence);
  void ReadLabelTable();
  void ReadVersion61Header();
  std::string CallPrefix(TUTObjectReference function) const;

  void Count(std::int64_t bytes);
  std::uint8_t ReadByte();
  std::uint16_t ReadWord();
  std::int32_t ReadInteger();
  float ReadFloat();
  TUTObjectReference ReadRef();
  std::string ReadName();
  std::string RefName(TUTObjectReference ref) const;

  TUTPackage& FPackage;
  TUTStream& FStream;
  TUTScriptState& FState;
  TUTObjectReference FSelf;
  TUTObjectReference FSuperField;
  std::string FSelfName;  // compared without regard to case
  bool FSecondGeneration;
};

}  // namespace packages
