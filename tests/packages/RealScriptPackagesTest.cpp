#include <map>
#include <regex>

#include <gtest/gtest.h>

#include "ExactRead.h"
#include "common/RealData.h"
#include "packages/PuUtPackages.h"
#include "packages/PuUtStructs.h"
#include "packages/PuUtTextBuffer.h"
#include "platform/AsciiText.h"

using namespace packages;

namespace {

using exact_read::Leftovers;
using exact_read::Probe;

void RegisterProbes() {
  RegisterScriptClasses();
  Probe<TUTObjectClassClass>("");
  Probe<TUTObjectClassTextBuffer>("TextBuffer");
  Probe<TUTObjectClassConst>("Const");
  Probe<TUTObjectClassEnum>("Enum");
  Probe<TUTObjectClassByteProperty>("ByteProperty");
  Probe<TUTObjectClassIntProperty>("IntProperty");
  Probe<TUTObjectClassBoolProperty>("BoolProperty");
  Probe<TUTObjectClassFloatProperty>("FloatProperty");
  Probe<TUTObjectClassObjectProperty>("ObjectProperty");
  Probe<TUTObjectClassClassProperty>("ClassProperty");
  Probe<TUTObjectClassNameProperty>("NameProperty");
  Probe<TUTObjectClassStructProperty>("StructProperty");
  Probe<TUTObjectClassStrProperty>("StrProperty");
  Probe<TUTObjectClassArrayProperty>("ArrayProperty");
  Probe<TUTObjectClassDelegateProperty>("DelegateProperty");
  Probe<TUTObjectClassStruct>("Struct");
  Probe<TUTObjectClassFunction>("Function");
  Probe<TUTObjectClassState>("State");
}

struct ScriptPackage {
  const char* file;
  int definitions;  // exports of a definition class, text buffers included (Unflect.u has 4 of
                    // its own classes, PointerProperty among them, that the reader does not know)
  int walks;        // functions, states and classes, each walked to its exact length
  int properties;   // tagged properties of all exports, end tags included
  // Descriptions that fail, all of them dynamic arrays: the later engine
  // stores an array as a count and bare elements of the inner type, which
  // only the array's declaration tells apart, and xVoting.u's GUI lists and
  // menus inherit theirs from XInterface.u, which does not lie beside it.
  int failedArrays;
};

class RealScriptPackages : public ::testing::TestWithParam<ScriptPackage> {
 protected:
  void SetUp() override {
    Leftovers().clear();
    RegisterProbes();
  }
  void TearDown() override { RegisterScriptClasses(); }
};

TEST_P(RealScriptPackages, EveryDefinitionReadsToItsLastByteAndEveryScriptWalksExactly) {
  const ScriptPackage& c = GetParam();
  REQUIRE_REALDATA(c.file);
  TUTPackage p(testing_support::RealDataPath(c.file));
  int definitions = 0, walks = 0, properties = 0, failedArrays = 0;
  for (int i = 0; i < p.ExportCount(); ++i) {
    TUTObject& o = p.GetExport(i)->GetObject();
    SCOPED_TRACE(o.GetFullName());
    ASSERT_NO_THROW(o.ReadObject(true));
    // xVoting.u holds hundreds of empty exports named None, with no data.
    if (!o.DataRead()) {
      o.ReleaseObject();
      continue;
    }
    if (dynamic_cast<TUTObjectClassField*>(&o) || dynamic_cast<TUTObjectClassTextBuffer*>(&o)) ++definitions;
    if (auto* s = dynamic_cast<TUTObjectClassStruct*>(&o)) {
      if (auto* f = dynamic_cast<TUTObjectClassFunction*>(&o)) {
        EXPECT_EQ(f->ReadError, "");
      }
      const bool walked = dynamic_cast<TUTObjectClassFunction*>(&o) || dynamic_cast<TUTObjectClassState*>(&o);
      if (walked && s->ScriptBytesRead == s->ScriptSize) ++walks;
    }
    for (const auto& property : o.GetProperties()) {
      try {
        property->GetDescription();
      } catch (const EUTPackageError& e) {
        EXPECT_EQ(property->Type(), ptArray) << property->Name() << ": " << e.what();
        ++failedArrays;
      }
      ++properties;
    }
    o.ReleaseObject();
  }
  EXPECT_EQ(Leftovers(), std::vector<std::string>());
  EXPECT_EQ(definitions, c.definitions);
  EXPECT_EQ(walks, c.walks);
  EXPECT_EQ(properties, c.properties);
  EXPECT_EQ(failedArrays, c.failedArrays);
}

// Core.u: 164 functions and 7 classes; Unflect.u (a later engine
// generation, whose scripts close with the end-of-script byte): 25
// functions and 19 classes; xVoting.u, GUI pages full of delegates: 324
// functions and 32 classes.
INSTANTIATE_TEST_SUITE_P(Packages, RealScriptPackages,
                         ::testing::Values(ScriptPackage{"pkg/ut99/Core.u", 674, 171, 690, 0},
                                           ScriptPackage{"pkg/ut2004_mod/Unflect.u", 273, 44, 279, 0},
                                           ScriptPackage{"pkg/ut2004/xVoting.u", 1592, 356, 2740, 17}),
                         [](const auto& info) {
                           const std::string file = info.param.file;
                           return file.substr(file.rfind('/') + 1, file.rfind('.') - file.rfind('/') - 1);
                         });

// What the packages' own source text (kept in their TextBuffer exports)
// says, compared with what the reader makes of the compiled definitions.
class RealScriptSource : public ::testing::Test {
 protected:
  void SetUp() override { RegisterScriptClasses(); }

  TUTPackage& Open(const char* file) {
    package = std::make_unique<TUTPackage>(testing_support::RealDataPath(file));
    return *package;
  }
  std::string Source(const std::string& className) {
    const int i = package->FindObject(tableExports, findObjectName | findPackagePath | findClassName, className,
                                      "ScriptText", "TextBuffer");
    if (i < 0) return {};
    return Read<TUTObjectClassTextBuffer>(i)->Text;
  }
  template <class T>
  T* Read(int index) {
    TUTObject& o = package->GetExport(index)->GetObject();
    o.ReadObject(true);
    return dynamic_cast<T*>(&o);
  }
  template <class T>
  T* Find(const std::string& path, const std::string& name, const std::string& cls) {
    const int i = package->FindObject(tableExports, findObjectName | findPackagePath | findClassName, path, name, cls);
    return i < 0 ? nullptr : Read<T>(i);
  }

  std::unique_ptr<TUTPackage> package;
};

// (Unflect.u's constants are mostly computed, sizeof(Object) and the like.)
TEST_F(RealScriptSource, ConstantsHoldTheirSourceText) {
  {
    const char* file = "pkg/ut99/Core.u";
    REQUIRE_REALDATA(file);
    TUTPackage& p = Open(file);
    int compared = 0;
    for (int i = 0; i < p.ExportCount(); ++i) {
      if (p.GetExport(i)->GetClassName() != "Const") continue;
      auto* k = Read<TUTObjectClassConst>(i);
      const std::string source = Source(p.GetExport(i)->GetPackagePath());
      std::smatch m;
      // The compiler keeps the text between "=" and ";" as it stands.
      const std::regex declaration("const\\s+" + k->GetObjectName() + "\\s*=([^;]*);");
      ASSERT_TRUE(std::regex_search(source, m, declaration)) << k->GetFullName();
      EXPECT_EQ(k->Value, m[1].str()) << k->GetFullName();
      ++compared;
    }
    EXPECT_GT(compared, 7) << file;
  }
}

TEST_F(RealScriptSource, DeclarationsAndDefaultsMatchTheSource) {
  REQUIRE_REALDATA("pkg/ut99/Core.u");
  Open("pkg/ut99/Core.u");
  const std::string hello = Source("HelloWorldCommandlet");
  EXPECT_NE(hello.find("var int intparm;"), std::string::npos);
  EXPECT_NE(hello.find("var string strparm;"), std::string::npos);
  EXPECT_EQ(Find<TUTObjectClassProperty>("HelloWorldCommandlet", "intparm", "IntProperty")->GetDeclaration(), "int");
  EXPECT_EQ(Find<TUTObjectClassProperty>("HelloWorldCommandlet", "strparm", "StrProperty")->GetDeclaration(),
            "string");
  // struct Scale { var() config vector Scale; var() config float SheerRate;
  //                var() config enum ESheerAxis {...} SheerAxis; };
  EXPECT_TRUE(platform::SameText(
      Find<TUTObjectClassProperty>("Object.Scale", "Scale", "StructProperty")->GetDeclaration(), "vector"));
  EXPECT_EQ(Find<TUTObjectClassProperty>("Object.Scale", "SheerRate", "FloatProperty")->GetDeclaration(), "float");
  EXPECT_EQ(Find<TUTObjectClassProperty>("Object.Scale", "SheerAxis", "ByteProperty")->GetDeclaration(),
            "ESheerAxis");
  auto* axis = Find<TUTObjectClassEnum>("Object.Scale", "ESheerAxis", "Enum");
  ASSERT_NE(axis, nullptr);
  EXPECT_EQ(axis->Count(), 7);
  EXPECT_EQ(axis->GetValueName(6), "SHEER_ZY");
  // var localized string HelpParm[16];
  auto* help = Find<TUTObjectClassProperty>("Commandlet", "HelpParm", "StrProperty");
  EXPECT_EQ(help->ArrayDim, 16);
  // var bool LogToStdout; and its default in the class.
  const std::string commandlet = Source("Commandlet");
  EXPECT_NE(commandlet.find("var bool LogToStdout;"), std::string::npos);
  const int cls = package->FindObject(tableExports, findObjectName | findClassName, "", "Commandlet", "");
  auto* c = Read<TUTObjectClassClass>(cls);
  EXPECT_EQ(c->GetProperties().Find("LogToStdout")->GetDescription(), "LogToStdout (Bool) = True");
  EXPECT_EQ(c->ScriptText, package->FindObject(tableExports, findObjectName | findPackagePath, "Commandlet",
                                               "ScriptText", "") + 1);
}

TEST_F(RealScriptSource, ObjectDefaultHasTheDeclaredClass) {
  REQUIRE_REALDATA("pkg/ut2004_mod/Unflect.u");
  Open("pkg/ut2004_mod/Unflect.u");
  EXPECT_NE(Source("CoreAPI").find("var private UFunctionCast FunctionCaster;"), std::string::npos);
  EXPECT_EQ(Find<TUTObjectClassProperty>("CoreAPI", "FunctionCaster", "ObjectProperty")->GetDeclaration(),
            "UFunctionCast");
  const int cls = package->FindObject(tableExports, findObjectName | findClassName, "", "CoreAPI", "");
  EXPECT_EQ(Read<TUTObjectClassClass>(cls)->GetProperties().Find("FunctionCaster")->GetValueText(),
            "UFunctionCast'CoreAPI.SubFunctionCaster'");
}

// The GUI pages bind their buttons' delegates in their default properties
// (which the shipped sources leave out).
TEST_F(RealScriptSource, DelegateDefaultsNameTheirFunctions) {
  REQUIRE_REALDATA("pkg/ut2004/xVoting.u");
  Open("pkg/ut2004/xVoting.u");
  EXPECT_EQ(Find<TUTObject>("MatchSetupMutator", "MutRemoveAllButton", "GUIButton")
                ->GetProperties()
                .Find("__OnClick__Delegate")
                ->GetDescription(),
            "__OnClick__Delegate (Delegate) = ModifyMutatorList");
  EXPECT_EQ(Find<TUTObject>("MapVoteFooter", "CloseButton", "GUIButton")
                ->GetProperties()
                .Find("__OnClick__Delegate")
                ->GetValueText(),
            "InternalOnClick");
  // The source assigns the same function at run time too.
  EXPECT_NE(Source("MatchSetupMutator").find("li_Avail.OnDblClick = ModifyMutatorList;"), std::string::npos);
}

// Every native operator and function that Core.u's Object declares with a
// number must have that number's row in the table its packages walk with:
// the walk renders operators and finds their operands from it.
TEST_F(RealScriptSource, NativeDeclarationsOfCoreMatchTheDefaultTable) {
  REQUIRE_REALDATA("pkg/ut99/Core.u");
  Open("pkg/ut99/Core.u");
  const std::string source = Source("Object");
  const std::regex declaration(
      R"(native\((\d+)\)\s+static\s+final\s+(preoperator|postoperator|operator\((\d+)\)|function)\s+\w+\s+(\S+?)\s*\()",
      std::regex::icase);
  int compared = 0;
  for (auto it = std::sregex_iterator(source.begin(), source.end(), declaration); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    const int index = std::stoi(m[1]);
    const std::string kind = platform::LowerCase(m[2].str());
    const TNativeFunction* row = FindNative(NativesDefault, index);
    ASSERT_NE(row, nullptr) << m.str();
    EXPECT_EQ(row->Name, m[4].str()) << m.str();
    const int expectedKind = kind == "preoperator" ? nfPrefixOperator
                             : kind == "postoperator" ? nfPostfixOperator
                             : kind == "function" ? nfFunction : nfBinaryOperator;
    EXPECT_EQ(row->Kind, expectedKind) << m.str();
    // The table gives && ^^ || the tighter binding of the later engine
    // (10, 10, 11 for 30, 30, 32); brackets in rendered text are all that
    // depends on it.
    if (m[3].matched && index != 130 && index != 131 && index != 132) {
      EXPECT_EQ(row->Precedence, std::stoi(m[3])) << m.str();
    }
    ++compared;
  }
  EXPECT_EQ(compared, 133);
}

}  // namespace
