#pragma once

// Builds script packages for tests on top of the package writer: the
// definition records of fields, properties, structs, functions, states and
// classes in the layout of a given file version.

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "PackageWriter.h"
#include "common/TempDir.h"
#include "packages/PuUtPackages.h"

namespace script_builder {

namespace pw = package_writer;

// Raw bytes written out as a list, for bytecode and value data.
inline std::string B(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

struct TStructRecord {
  std::int32_t SuperField = 0;
  std::int32_t Next = 0;
  std::int32_t ScriptText = 0;
  std::int32_t Children = 0;
  std::string FriendlyName = "None";
  std::int32_t Line = 0;
  std::int32_t TextPos = 0;
  std::uint32_t WordBeforeScriptSize = 0xFFFFFFFF;  // in the versions that store it
  std::int32_t ScriptSize = 0;
  std::string Script;  // the bytecode as stored
};

struct TFunctionTail {
  std::uint16_t iNative = 0;
  std::uint8_t OperatorPrecedence = 0;
  std::uint32_t FunctionFlags = 0;
  std::uint16_t RepOffset = 0;  // written when FunctionFlags has 0x40
};

class TScriptPackage {
 public:
  explicit TScriptPackage(std::uint16_t version = 69) : w(version) { core = w.Import("Core", "Package", 0, "Core"); }

  pw::TPackageWriter w;
  int core = 0;

  // The import Core.<name> of class "Class": the class of a definition export.
  int Class(const std::string& name) {
    auto it = classes.find(name);
    if (it != classes.end()) return it->second;
    return classes[name] = w.Import("Core", "Class", core, name);
  }

  // The data of a definition export: the end tag of its (empty) property
  // run, then the record.
  std::string Field(std::int32_t superField, std::int32_t next) {
    return w.NoneTag() + pw::Compact(superField) + pw::Compact(next);
  }
  std::string Property(std::uint32_t flags = 0, std::uint16_t repOffset = 0, const std::string& comment = "",
                       const std::string& category = "None") {
    std::string out = Field(0, 0) + pw::Word(1) + pw::Word(4) + pw::DWord(flags) + pw::Compact(w.Name(category));
    if (flags & 0x20) out += pw::Word(repOffset);
    if (flags & 0x02000000) out += pw::SizedString(comment);
    return out;
  }
  std::string Struct(const TStructRecord& r, bool withProperties = true) {
    std::string out = withProperties ? w.NoneTag() : std::string();
    out += pw::Compact(r.SuperField) + pw::Compact(r.Next) + pw::Compact(r.ScriptText) + pw::Compact(r.Children) +
           pw::Compact(w.Name(r.FriendlyName)) + pw::Int(r.Line) + pw::Int(r.TextPos);
    if (w.FileVersion >= 120 || (w.FileVersion >= 119 && w.LicenseeVersion >= 25)) out += pw::DWord(r.WordBeforeScriptSize);
    return out + pw::Int(r.ScriptSize) + r.Script;
  }
  std::string Function(const TStructRecord& r, const TFunctionTail& t = {}) {
    std::string out = Struct(r);
    const bool old = w.FileVersion <= 63;
    if (old) out += pw::Word(0);
    out += pw::Word(t.iNative);
    if (old) out += pw::Byte(0);
    out += pw::Byte(t.OperatorPrecedence);
    if (old) out += pw::Word(0);
    out += pw::DWord(t.FunctionFlags);
    if (t.FunctionFlags & 0x40) out += pw::Word(t.RepOffset);
    return out;
  }

  // Writes the package and opens it; the package lives as long as this.
  packages::TUTPackage& Open(const std::string& fileName = "Test.u") {
    path = w.Write(dir.file(fileName));
    package = std::make_unique<packages::TUTPackage>(path);
    return *package;
  }

  testing_support::TempDir dir;
  std::string path;
  std::unique_ptr<packages::TUTPackage> package;

 private:
  std::map<std::string, int> classes;
};

// The export's object, read, as a T (null when it is of another class);
// the use is given back when the test ends with the package.
template <class T>
T* ReadExport(packages::TUTPackage& p, int ref) {
  packages::TUTObject& o = p.GetExport(ref - 1)->GetObject();
  o.ReadObject(true);
  return dynamic_cast<T*>(&o);
}

}  // namespace script_builder
