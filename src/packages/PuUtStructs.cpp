#include "packages/PuUtStructs.h"

namespace packages {

namespace {

constexpr std::uint32_t FUNC_Net = 0x00000040;

// The word a struct record keeps between TextPos and ScriptSize: every
// package has it from version 120 on, and the UT2003 line (licensee 25 and
// later) from version 119.
bool HasWordBeforeScriptSize(const TUTPackage& p) {
  return p.FileVersion() >= 120 || (p.FileVersion() >= 119 && p.LicenseeVersion() >= 25);
}

// `count` compact values, the count first checked against the data.
std::vector<std::int32_t> ReadCompactList(TUTStream& s) {
  const std::int32_t count = s.CheckCount(s.ReadCompactIndex());
  std::vector<std::int32_t> values;
  values.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) values.push_back(s.ReadCompactIndex());
  return values;
}

}  // namespace

// ---- Struct

TUTObjectReference TUTObjectClassStruct::GetChildren() const {
  CheckReadObject();
  return Children;
}

std::string TUTObjectClassStruct::GetFriendlyName() const {
  CheckReadObject();
  return FriendlyName;
}

void TUTObjectClassStruct::Clear() {
  ScriptText = 0;
  Children = 0;
  FriendlyName.clear();
  Line = 0;
  TextPos = 0;
  ScriptSize = 0;
  ScriptBytesRead = 0;
  TokenDepth = 0;
}

void TUTObjectClassStruct::InitializeObject() {
  TUTObjectClassField::InitializeObject();
  Clear();
}

void TUTObjectClassStruct::ReadData() {
  TUTObjectClassField::ReadData();
  TUTStream& s = Buffer();
  ScriptText = s.ReadCompactIndex();
  Children = s.ReadCompactIndex();
  FriendlyName = ReadNameText(s);
  Line = s.ReadInteger();
  TextPos = s.ReadInteger();
  if (HasWordBeforeScriptSize(GetOwner())) s.ReadDWord();
  ScriptSize = s.ReadInteger();
  // A record read with the wrong layout shows here first.
  if (ScriptSize < 0) s.Fail("Negative script size " + std::to_string(ScriptSize));
  ScriptBytesRead = 0;
  TokenDepth = 0;
}

void TUTObjectClassStruct::FreeData() {
  Clear();
  TUTObjectClassField::FreeData();
}

void TUTObjectClassStruct::ReadScript() {
  CheckReadObject();
  TUTScriptState state{ScriptSize, ScriptBytesRead, TokenDepth};
  TUTBytecodeReader reader(GetOwner(), Buffer(), state, ExportIndex() + 1, SuperField);
  try {
    reader.ReadScript();
  } catch (...) {
    ScriptBytesRead = state.ScriptBytesRead;
    TokenDepth = state.TokenDepth;
    throw;
  }
  ScriptBytesRead = state.ScriptBytesRead;
  TokenDepth = state.TokenDepth;
}

// ---- Function

std::uint32_t TUTObjectClassFunction::GetFunctionFlags() const {
  CheckReadObject();
  return FunctionFlags;
}

void TUTObjectClassFunction::Clear() {
  iNative = 0;
  OperatorPrecedence = 0;
  FunctionFlags = 0;
  RepOffset = 0xFFFF;
  ReadError.clear();
}

void TUTObjectClassFunction::InitializeObject() {
  TUTObjectClassStruct::InitializeObject();
  Clear();
}

void TUTObjectClassFunction::ReadData() {
  TUTObjectClassStruct::ReadData();
  // A function that cannot be walked keeps what was read before the fault:
  // one bad function must not hide the rest of its class. Only the
  // reader's own errors are absorbed, never a failed allocation.
  try {
    ReadFunctionRecord();
  } catch (const EUTPackageError& e) {
    ReadError = e.what();
  }
}

void TUTObjectClassFunction::ReadFunctionRecord() {
  ReadScript();
  TUTStream& s = Buffer();
  const bool old = GetOwner().FileVersion() <= 63;
  if (old) s.ReadWord();
  iNative = s.ReadWord();
  if (old) s.ReadByte();
  OperatorPrecedence = s.ReadByte();
  if (old) s.ReadWord();
  FunctionFlags = s.ReadDWord();
  if (FunctionFlags & FUNC_Net) RepOffset = s.ReadWord();
}

void TUTObjectClassFunction::FreeData() {
  Clear();
  TUTObjectClassStruct::FreeData();
}

// ---- State

void TUTObjectClassState::Clear() {
  ProbeMask = 0;
  IgnoreMask = 0;
  LabelTableOffset = 0;
  StateFlags = 0;
}

void TUTObjectClassState::InitializeObject() {
  TUTObjectClassStruct::InitializeObject();
  Clear();
}

void TUTObjectClassState::ReadData() {
  TUTObjectClassStruct::ReadData();
  ReadScript();
  TUTStream& s = Buffer();
  ProbeMask = s.ReadInt64();
  IgnoreMask = s.ReadInt64();
  LabelTableOffset = s.ReadWord();
  StateFlags = s.ReadDWord();
}

void TUTObjectClassState::FreeData() {
  Clear();
  TUTObjectClassStruct::FreeData();
}

// ---- Class

void TUTObjectClassClass::Clear() {
  ClassFlags = 0;
  ClassGuid = {};
  Dependencies.clear();
  PackageImports.clear();
  ClassWithin = 0;
  ClassConfigName = 0;
  HideCategories.clear();
}

void TUTObjectClassClass::InitializeObject() {
  TUTObjectClassState::InitializeObject();
  Clear();
}

void TUTObjectClassClass::ReadData() {
  TUTObjectClassState::ReadData();
  TUTStream& s = Buffer();
  const int version = GetOwner().FileVersion();
  if (version < 62) s.ReadDWord();
  ClassFlags = s.ReadDWord();
  ClassGuid = s.ReadGUID();
  // Each dependency takes at least 9 bytes: a compact reference and two
  // 4-byte values.
  const std::int32_t count = s.CheckCount(s.ReadCompactIndex(), 9);
  Dependencies.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    TUTClassDependency d;
    d.Class = s.ReadCompactIndex();
    d.Deep = s.ReadDWord();
    d.ScriptTextCRC = s.ReadDWord();
    Dependencies.push_back(d);
  }
  PackageImports = ReadCompactList(s);
  if (version >= 62) {
    ClassWithin = s.ReadCompactIndex();
    ClassConfigName = s.ReadCompactIndex();
  }
  if (version >= 100) HideCategories = ReadCompactList(s);
  if (version >= 85 && version <= 116 && GetOwner().Game() == gameUndying) s.ReadDWord();
  // A class keeps its default properties after its own record.
  ReadProperties();
}

void TUTObjectClassClass::FreeData() {
  Clear();
  TUTObjectClassState::FreeData();
}

}  // namespace packages
