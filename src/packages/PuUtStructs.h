#pragma once

// Structs, functions, states and classes of compiled script packages. The
// last three carry bytecode between their struct record and their own
// fields; it is walked to find where those fields begin.

#include <cstdint>
#include <string>
#include <vector>

#include "packages/PuUtBytecode.h"
#include "packages/PuUtDefinitions.h"

namespace packages {

class TUTObjectClassStruct : public TUTObjectClassField {
 public:
  using TUTObjectClassField::TUTObjectClassField;

  TUTObjectReference GetChildren() const;
  std::string GetFriendlyName() const;

  TUTObjectReference ScriptText = 0;
  TUTObjectReference Children = 0;
  std::string FriendlyName;
  std::int32_t Line = 0;
  std::int32_t TextPos = 0;
  std::int32_t ScriptSize = 0;
  std::int32_t ScriptBytesRead = 0;
  std::int32_t TokenDepth = 0;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

  // Walks the bytecode that follows the struct record.
  void ReadScript();

 private:
  void Clear();
};

class TUTObjectClassFunction : public TUTObjectClassStruct {
 public:
  using TUTObjectClassStruct::TUTObjectClassStruct;

  std::uint32_t GetFunctionFlags() const;

  std::uint16_t iNative = 0;
  std::uint8_t OperatorPrecedence = 0;
  std::uint32_t FunctionFlags = 0;
  std::uint16_t RepOffset = 0xFFFF;
  // The message of the reader error that ended the record early, when one
  // did; the function is still read as far as it went.
  std::string ReadError;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

 private:
  void Clear();
  void ReadFunctionRecord();
};

class TUTObjectClassState : public TUTObjectClassStruct {
 public:
  using TUTObjectClassStruct::TUTObjectClassStruct;

  std::int64_t ProbeMask = 0;
  std::int64_t IgnoreMask = 0;
  std::uint16_t LabelTableOffset = 0;
  std::uint32_t StateFlags = 0;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

 private:
  void Clear();
};

struct TUTClassDependency {
  TUTObjectReference Class = 0;
  std::uint32_t Deep = 0;
  std::uint32_t ScriptTextCRC = 0;
};

class TUTObjectClassClass : public TUTObjectClassState {
 public:
  using TUTObjectClassState::TUTObjectClassState;

  std::uint32_t ClassFlags = 0;
  TUTGuid ClassGuid{};
  std::vector<TUTClassDependency> Dependencies;
  std::vector<std::int32_t> PackageImports;
  TUTObjectReference ClassWithin = 0;
  std::int32_t ClassConfigName = 0;  // name index
  std::vector<std::int32_t> HideCategories;

 protected:
  void InitializeObject() override;
  void ReadData() override;
  void FreeData() override;

 private:
  void Clear();
};

}  // namespace packages
