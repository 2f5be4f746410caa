#include <functional>
#include <gtest/gtest.h>

#include "ExactRead.h"
#include "ScriptPackageBuilder.h"
#include "packages/PuUtFont.h"
#include "packages/PuUtStructs.h"
#include "packages/PuUtTextBuffer.h"

using namespace packages;
namespace pw = package_writer;
using script_builder::ReadExport;
using script_builder::TScriptPackage;
using script_builder::TStructRecord;

namespace {

class ScriptClasses : public ::testing::Test {
 protected:
  void SetUp() override { RegisterScriptClasses(); }
};

// ---- Declarations

struct DeclarationCase {
  const char* name;
  // Builds the package; returns the property export to declare.
  std::function<int(TScriptPackage&)> build;
  const char* declaration;
};

class DeclarationTest : public ::testing::TestWithParam<DeclarationCase> {
 protected:
  void SetUp() override { RegisterScriptClasses(); }
};

TEST_P(DeclarationTest, RendersTheSourceType) {
  TScriptPackage sp;
  const int ref = GetParam().build(sp);
  TUTPackage& p = sp.Open();
  auto* property = ReadExport<TUTObjectClassProperty>(p, ref);
  ASSERT_NE(property, nullptr);
  EXPECT_EQ(property->GetDeclaration(), GetParam().declaration);
  // Declaring reads inner properties and gives every use back.
  for (int i = 0; i < p.ExportCount(); ++i) {
    const TUTObject* o = p.GetExport(i)->ObjectIfCreated();
    if (i != ref - 1 && o) {
      EXPECT_EQ(o->UseCount(), 0) << i;
    }
  }
}

int Prop(TScriptPackage& sp, const char* cls, const std::string& name, const std::string& extra = "") {
  return sp.w.Export(name, sp.Class(cls), sp.Property() + extra);
}
int Actor(TScriptPackage& sp) {
  return sp.w.Import("Core", "Class", sp.w.Import("Core", "Package", 0, "Engine"), "Actor");
}
int Enum(TScriptPackage& sp) {
  return sp.w.Export("EMyEnum", sp.Class("Enum"),
                     sp.Field(0, 0) + pw::Compact(2) + pw::Compact(sp.w.Name("ME_A")) + pw::Compact(sp.w.Name("ME_B")));
}
// An array property whose inner reference is filled in later.
int ArrayAt(TScriptPackage& sp, const std::string& name, int inner) {
  return Prop(sp, "ArrayProperty", name, pw::Compact(inner));
}

const DeclarationCase kDeclarations[] = {
    {"ByteWithoutEnum", [](auto& sp) { return Prop(sp, "ByteProperty", "B", pw::Compact(0)); }, "byte"},
    {"ByteWithEnum", [](auto& sp) { return Prop(sp, "ByteProperty", "B", pw::Compact(Enum(sp))); }, "EMyEnum"},
    {"Int", [](auto& sp) { return Prop(sp, "IntProperty", "I"); }, "int"},
    {"Bool", [](auto& sp) { return Prop(sp, "BoolProperty", "B"); }, "bool"},
    {"Float", [](auto& sp) { return Prop(sp, "FloatProperty", "F"); }, "float"},
    {"Name", [](auto& sp) { return Prop(sp, "NameProperty", "N"); }, "name"},
    {"Str", [](auto& sp) { return Prop(sp, "StrProperty", "S"); }, "string"},
    {"String", [](auto& sp) { return Prop(sp, "StringProperty", "S"); }, "string"},
    {"Object", [](auto& sp) { return Prop(sp, "ObjectProperty", "O", pw::Compact(Actor(sp))); }, "Actor"},
    {"ClassOfActor",
     [](auto& sp) { return Prop(sp, "ClassProperty", "C", pw::Compact(sp.Class("Class")) + pw::Compact(Actor(sp))); },
     "Class<Actor>"},
    {"ClassOfObjectInAnyCase",
     [](auto& sp) {
       const int object = sp.w.Import("Core", "Class", sp.core, "oBjEcT");
       return Prop(sp, "ClassProperty", "C", pw::Compact(sp.Class("Class")) + pw::Compact(object));
     },
     "Class"},
    {"ArrayOfInt", [](auto& sp) { return ArrayAt(sp, "A", Prop(sp, "IntProperty", "Inner")); }, "array<int>"},
    {"ArrayOfArray", [](auto& sp) { return ArrayAt(sp, "A", ArrayAt(sp, "B", Prop(sp, "IntProperty", "I"))); },
     "array<array<int>>"},
    {"ArrayOfItself",
     [](auto& sp) {
       const int a = ArrayAt(sp, "Self", 0);
       sp.w.ExportAt(a).Data = sp.Property() + pw::Compact(a);
       return a;
     },
     "array<Self>"},
    {"ArraysOfEachOther",
     [](auto& sp) {
       const int a = ArrayAt(sp, "A", 0);
       const int b = ArrayAt(sp, "B", a);
       sp.w.ExportAt(a).Data = sp.Property() + pw::Compact(b);
       return a;
     },
     "array<array<A>>"},
    {"ArrayOfImport", [](auto& sp) { return ArrayAt(sp, "A", Actor(sp)); }, "array<Actor>"},
    {"ArrayOfNothing", [](auto& sp) { return ArrayAt(sp, "A", 0); }, "array<>"},
    {"ArrayOfANonProperty", [](auto& sp) { return ArrayAt(sp, "A", Enum(sp)); }, "array<EMyEnum>"},
    {"ArrayBeyondTheExports", [](auto& sp) { return ArrayAt(sp, "A", 77); }, "array<>"},
    {"FixedArray",
     [](auto& sp) { return Prop(sp, "FixedArrayProperty", "F", pw::Compact(Prop(sp, "IntProperty", "Inner")) + pw::Compact(4)); },
     "Inner[4]"},
    {"Map", [](auto& sp) { return Prop(sp, "MapProperty", "M", pw::Compact(0) + pw::Compact(0)); }, "map"},
    {"Struct",
     [](auto& sp) {
       const int vector = sp.w.Import("Core", "Struct", sp.Class("Object"), "Vector");
       return Prop(sp, "StructProperty", "S", pw::Compact(vector));
     },
     "Vector"},
    {"Delegate", [](auto& sp) { return Prop(sp, "DelegateProperty", "D", pw::Compact(0)); }, "delegate"},
    {"PlainProperty", [](auto& sp) { return Prop(sp, "Property", "P"); }, "property"},
};

INSTANTIATE_TEST_SUITE_P(Properties, DeclarationTest, ::testing::ValuesIn(kDeclarations),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Records

TEST_F(ScriptClasses, PropertyRecordReadsOptionalFieldsOnlyWhenFlagged) {
  TScriptPackage sp;
  const int e = Enum(sp);
  // Without the replication flag no offset is stored: the enumeration
  // reference follows the category at once.
  const int plain = Prop(sp, "ByteProperty", "Plain", pw::Compact(e));
  const int net = sp.w.Export("Net", sp.Class("ByteProperty"), sp.Property(0x80000020, 0x1234) + pw::Compact(e));
  const int commented =
      sp.w.Export("Commented", sp.Class("IntProperty"), sp.Property(0x02000000, 0, "A note", "Display"));
  TUTPackage& p = sp.Open();
  auto* a = ReadExport<TUTObjectClassByteProperty>(p, plain);
  EXPECT_EQ(a->RepOffset, 0xFFFF);
  EXPECT_EQ(a->GetEnum(), e);
  EXPECT_EQ(a->ArrayDim, 1);
  EXPECT_EQ(a->ElementSize, 4);
  auto* b = ReadExport<TUTObjectClassByteProperty>(p, net);
  EXPECT_EQ(b->PropertyFlags, 0x80000020u);
  EXPECT_EQ(b->RepOffset, 0x1234);
  EXPECT_EQ(b->GetEnum(), e);
  auto* c = ReadExport<TUTObjectClassProperty>(p, commented);
  EXPECT_EQ(c->Comment, "A note");
  EXPECT_EQ(c->Category, "Display");
}

TEST_F(ScriptClasses, EnumerationValuesAndConstants) {
  TScriptPackage sp;
  const int e = Enum(sp);
  const int c = sp.w.Export("MaxInt", sp.Class("Const"), sp.Field(0, 0) + pw::SizedString("0x7fffffff"));
  TUTPackage& p = sp.Open();
  auto* en = ReadExport<TUTObjectClassEnum>(p, e);
  EXPECT_EQ(en->Count(), 2);
  EXPECT_EQ(en->GetValueName(1), "ME_B");
  EXPECT_EQ(en->GetValueName(-1), "");
  EXPECT_EQ(en->GetValueName(2), "");
  EXPECT_EQ(ReadExport<TUTObjectClassConst>(p, c)->Value, "0x7fffffff");
}

TEST_F(ScriptClasses, AccessorsNeedTheObjectRead) {
  TScriptPackage sp;
  const int e = Enum(sp);
  TUTPackage& p = sp.Open();
  auto& en = dynamic_cast<TUTObjectClassEnum&>(p.GetExport(e - 1)->GetObject());
  try {
    en.GetNext();
    FAIL() << "no error";
  } catch (const EUTObjectNotRead& error) {
    EXPECT_EQ(std::string(error.what()), "EMyEnum: ReadObject was not called for this object!");
  }
  EXPECT_THROW(en.GetValueName(0), EUTObjectNotRead);
}

// A function "int Sum() { return (1 + 2) * 3; }" and the fields after it.
std::string ProductScript() {
  return pw::Byte(0x04) + pw::Byte(0x90) + pw::Byte(0x92) + pw::Byte(0x1D) + pw::Int(1) + pw::Byte(0x1D) + pw::Int(2) +
         pw::Byte(0x16) + pw::Byte(0x1D) + pw::Int(3) + pw::Byte(0x16);
}

struct FunctionCase {
  std::uint16_t version;
  const char* file;
};

class FunctionRecordTest : public ::testing::TestWithParam<FunctionCase> {
 protected:
  void SetUp() override { RegisterScriptClasses(); }
};

TEST_P(FunctionRecordTest, FieldsAfterTheWalkedScript) {
  TScriptPackage sp(GetParam().version);
  TStructRecord r;
  r.FriendlyName = "Sum";
  r.Line = 12;
  r.TextPos = 345;
  r.ScriptSize = 20;
  r.Script = ProductScript();
  const int f = sp.w.Export("Sum", sp.Class("Function"),
                            sp.Function(r, {0x1234, 16, 0x80000441, 0xBEEF}));
  TUTPackage& p = sp.Open(GetParam().file);
  auto* fn = ReadExport<TUTObjectClassFunction>(p, f);
  ASSERT_NE(fn, nullptr);
  EXPECT_EQ(fn->ReadError, "");
  EXPECT_EQ(fn->ScriptBytesRead, 20);
  EXPECT_EQ(fn->GetFriendlyName(), "Sum");
  EXPECT_EQ(fn->Line, 12);
  EXPECT_EQ(fn->TextPos, 345);
  EXPECT_EQ(fn->iNative, 0x1234);
  EXPECT_EQ(fn->OperatorPrecedence, 16);
  EXPECT_EQ(fn->GetFunctionFlags(), 0x80000441u);
  EXPECT_EQ(fn->RepOffset, 0xBEEF);
}

// Version 63 stores three more small fields; 120 and later one more word
// in the struct record; 61 has no value after a return token.
INSTANTIATE_TEST_SUITE_P(Versions, FunctionRecordTest,
                         ::testing::Values(FunctionCase{63, "Old.u"}, FunctionCase{69, "Test.u"},
                                           FunctionCase{120, "New.u"}, FunctionCase{128, "Newer.u"}),
                         [](const auto& info) { return "Version" + std::to_string(info.param.version); });

TEST_F(ScriptClasses, FunctionWithAnUnknownTokenKeepsWhatWasReadBeforeIt) {
  TScriptPackage sp;
  TStructRecord r;
  r.FriendlyName = "Broken";
  r.ScriptSize = 2;
  r.Script = pw::Byte(0x35) + pw::Byte(0x27);
  const int f = sp.w.Export("Broken", sp.Class("Function"), sp.Function(r, {7, 8, 0x40, 9}));
  const int next = Prop(sp, "IntProperty", "After");
  TUTPackage& p = sp.Open();
  auto* fn = ReadExport<TUTObjectClassFunction>(p, f);
  EXPECT_EQ(fn->ReadError, "Unknown OpCode 0x35. Will try to continue.");
  EXPECT_EQ(fn->GetFriendlyName(), "Broken");
  EXPECT_EQ(fn->iNative, 0);
  EXPECT_EQ(fn->OperatorPrecedence, 0);
  EXPECT_EQ(fn->FunctionFlags, 0u);
  EXPECT_EQ(fn->RepOffset, 0xFFFF);
  EXPECT_TRUE(fn->DataRead());
  EXPECT_NE(ReadExport<TUTObjectClassIntProperty>(p, next), nullptr);
}

TEST_F(ScriptClasses, StatePassesWalkErrorsOnAndReadsItsFields) {
  TScriptPackage sp;
  TStructRecord r;
  r.ScriptSize = 3;
  r.Script = pw::Byte(0x06) + pw::Word(0x10);
  const std::string tail = pw::Int(1) + pw::Int(2) + pw::Int(0) + pw::Int(4) + pw::Word(0x22) + pw::DWord(0x80000001);
  const int good = sp.w.Export("Idle", sp.Class("State"), sp.Struct(r) + tail);
  r.Script = pw::Byte(0x60) + pw::Byte(0x10) + pw::Byte(0);
  const int bad = sp.w.Export("Broken", sp.Class("State"), sp.Struct(r) + tail);
  TUTPackage& p = sp.Open();
  auto* st = ReadExport<TUTObjectClassState>(p, good);
  EXPECT_EQ(st->ScriptBytesRead, 3);
  EXPECT_EQ(st->ProbeMask, (std::int64_t{1} << 32) | 2);
  EXPECT_EQ(st->IgnoreMask, 4);
  EXPECT_EQ(st->LabelTableOffset, 0x22);
  EXPECT_EQ(st->StateFlags, 0x80000001u);
  try {
    p.GetExport(bad - 1)->GetObject().ReadObject(true);
    FAIL() << "no error";
  } catch (const EInvalidUTNativeIndex& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid native function index 0x10");
  }
}

TEST_F(ScriptClasses, PlainStructDoesNotWalkItsScript) {
  TScriptPackage sp;
  TStructRecord r;
  r.ScriptText = 5;
  r.Children = 3;
  r.FriendlyName = "MyStruct";
  r.ScriptSize = 4;
  r.Script = pw::Byte(0x35);  // would be an error if it were walked
  const int s = sp.w.Export("MyStruct", sp.Class("Struct"), sp.Struct(r));
  TUTPackage& p = sp.Open();
  auto* st = ReadExport<TUTObjectClassStruct>(p, s);
  EXPECT_EQ(st->ScriptText, 5);
  EXPECT_EQ(st->GetChildren(), 3);
  EXPECT_EQ(st->ScriptSize, 4);
  EXPECT_EQ(st->ScriptBytesRead, 0);
}

// A class record of `version`: its state part without script, its own
// fields and a default property.
std::string ClassData(TScriptPackage& sp, int version, int dependencies = 1) {
  TStructRecord r;
  std::string out = sp.Struct(r, false) + pw::Int(0) + pw::Int(0) + pw::Int(0) + pw::Int(0) + pw::Word(0) + pw::DWord(0);
  if (version < 62) out += pw::DWord(0xDEAD);
  out += pw::DWord(0x80000002) + std::string(16, '\x07') + pw::Compact(dependencies);
  for (int i = 0; i < std::min(dependencies, 1); ++i) out += pw::Compact(-1) + pw::DWord(1) + pw::DWord(0xC0FFEE);
  out += pw::Compact(2) + pw::Compact(3) + pw::Compact(4);
  if (version >= 62) out += pw::Compact(-1) + pw::Compact(sp.w.Name("System"));
  if (version >= 100) out += pw::Compact(1) + pw::Compact(sp.w.Name("Movement"));
  return out + sp.w.IntTag("Health", 100) + sp.w.NoneTag();
}

struct ClassCase {
  std::uint16_t version;
  std::uint16_t licensee;
};

class ClassRecordTest : public ::testing::TestWithParam<ClassCase> {
 protected:
  void SetUp() override {
    RegisterScriptClasses();
    exact_read::Probe<TUTObjectClassClass>("");
    exact_read::Leftovers().clear();
  }
  void TearDown() override { RegisterScriptClasses(); }
};

TEST_P(ClassRecordTest, FieldsByVersionThenDefaultProperties) {
  const int version = GetParam().version;
  TScriptPackage sp(GetParam().version);
  sp.w.LicenseeVersion = GetParam().licensee;
  const int c = sp.w.Export("MyClass", 0, ClassData(sp, version));
  TUTPackage& p = sp.Open("MyPackage.u");
  auto* cls = ReadExport<TUTObjectClassClass>(p, c);
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(exact_read::Leftovers(), std::vector<std::string>());
  EXPECT_EQ(cls->ScriptSize, 0);
  EXPECT_EQ(cls->ClassFlags, 0x80000002u);
  EXPECT_EQ(cls->ClassGuid[15], 7);
  ASSERT_EQ(cls->Dependencies.size(), 1u);
  EXPECT_EQ(cls->Dependencies[0].ScriptTextCRC, 0xC0FFEEu);
  EXPECT_EQ(cls->PackageImports, (std::vector<std::int32_t>{3, 4}));
  EXPECT_EQ(cls->ClassWithin, version >= 62 ? -1 : 0);
  EXPECT_EQ(p.GetName(cls->ClassConfigName), version >= 62 ? "System" : "None");
  EXPECT_EQ(cls->HideCategories.size(), version >= 100 ? 1u : 0u);
  ASSERT_NE(cls->GetProperties().Find("Health"), nullptr);
  EXPECT_EQ(cls->GetProperties().Find("Health")->GetValueText(), "100");
}

// UT2003 wrote the struct record's extra word from version 119 on, other
// games of the engine only from 120.
INSTANTIATE_TEST_SUITE_P(Versions, ClassRecordTest,
                         ::testing::Values(ClassCase{61, 0}, ClassCase{69, 0}, ClassCase{100, 25},
                                           ClassCase{119, 0}, ClassCase{119, 27}, ClassCase{120, 0},
                                           ClassCase{128, 29}),
                         [](const auto& info) {
                           return "Version" + std::to_string(info.param.version) + "Licensee" +
                                  std::to_string(info.param.licensee);
                         });

TEST_F(ScriptClasses, UndyingClassesCarryOneMoreWord) {
  // Version 85 to 116 with licensee 0 and no known import is Undying.
  TScriptPackage sp(100);
  std::string data = ClassData(sp, 100);
  const std::string tags = sp.w.IntTag("Health", 100) + sp.w.NoneTag();
  data.insert(data.size() - tags.size(), pw::DWord(0));
  const int c = sp.w.Export("MyClass", 0, data);
  TUTPackage& p = sp.Open("Aeons.u");
  ASSERT_EQ(p.Game(), gameUndying);
  EXPECT_EQ(ReadExport<TUTObjectClassClass>(p, c)->GetProperties().Find("Health")->GetValueText(), "100");
}

// Counts and lengths that the data cannot hold, or negative ones: the
// reader's error before anything is sized by them.
struct BrokenCase {
  const char* name;
  const char* className;  // empty: a class
  std::function<std::string(TScriptPackage&)> data;
  const char* message;
};

class BrokenRecordTest : public ::testing::TestWithParam<BrokenCase> {
 protected:
  void SetUp() override {
    RegisterScriptClasses();
    RegisterUTObjectClass("Font", UTObjectClass<TUTObjectClassFont>());
  }
};

TEST_P(BrokenRecordTest, IsAReaderError) {
  const BrokenCase& c = GetParam();
  TScriptPackage sp;
  const std::string data = c.data(sp);
  const int ref = sp.w.Export("Broken", *c.className ? sp.Class(c.className) : 0, data);
  TUTPackage& p = sp.Open();
  try {
    p.GetExport(ref - 1)->GetObject().ReadObject(true);
    FAIL() << "no error";
  } catch (const EUTReadError& e) {
    EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
  }
}

std::string TextBuffer(TScriptPackage& sp, int length) {
  return sp.w.NoneTag() + pw::Int(0) + pw::Int(0) + pw::Compact(length) + "abc";
}
std::string FontPage(TScriptPackage& sp, int count) {
  return sp.w.NoneTag() + pw::Byte(1) + pw::Compact(-1) + pw::Compact(count) + pw::Int(0);
}

const BrokenCase kBroken[] = {
    {"EnumCountBeyondTheData", "Enum", [](auto& sp) { return sp.Field(0, 0) + pw::Compact(1000) + pw::Compact(1); },
     "Invalid array length"},
    {"EnumCountNegative", "Enum", [](auto& sp) { return sp.Field(0, 0) + pw::Compact(-5); }, "Invalid array length"},
    {"ConstLengthNegative", "Const", [](auto& sp) { return sp.Field(0, 0) + pw::Compact(-3) + "abc"; },
     "Negative string length"},
    {"ClassDependenciesBeyondTheData", "", [](auto& sp) { return ClassData(sp, 69, 1 << 28); },
     "Invalid array length"},
    {"TextLengthBeyondTheData", "TextBuffer", [](auto& sp) { return TextBuffer(sp, 100); }, "Invalid array length"},
    {"TextLengthNegative", "TextBuffer", [](auto& sp) { return TextBuffer(sp, -100); }, "Invalid array length"},
    {"FontPageBeyondTheData", "Font", [](auto& sp) { return FontPage(sp, 1000000); }, "Invalid array length"},
    {"FontPageNegative", "Font", [](auto& sp) { return FontPage(sp, -3); }, "Invalid array length"},
    {"FunctionScriptSizeNegative", "Function",
     [](auto& sp) {
       TStructRecord r;
       r.ScriptSize = -1;
       return sp.Function(r);
     },
     "Negative script size -1"},
    {"StateScriptSizeNegative", "State",
     [](auto& sp) {
       TStructRecord r;
       r.ScriptSize = -5;
       return sp.Struct(r) + std::string(24, '\0');
     },
     "Negative script size -5"},
    {"KerningBeyondTheData", "Font",
     [](auto& sp) { return sp.w.NoneTag() + pw::Byte(0) + pw::Int(0) + pw::Compact(50) + "AB"; },
     "Invalid array length"},
};

INSTANTIATE_TEST_SUITE_P(Records, BrokenRecordTest, ::testing::ValuesIn(kBroken),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptClassRegistry, RegistersTheScriptSetOnceInOrder) {
  ClearUTObjectClasses();
  RegisterScriptClasses();
  RegisterScriptClasses();
  const auto& rows = UTObjectClassRegistry();
  ASSERT_EQ(rows.size(), 24u);
  EXPECT_EQ(rows.front().Name, "");
  EXPECT_EQ(rows[1].Name, "textbuffer");
  EXPECT_EQ(rows.back().Name, "class");
  TScriptPackage sp;
  const int f = sp.w.Export("F", sp.Class("fUnCtIoN"));
  const int c = sp.w.Export("C", 0);
  TUTPackage& p = sp.Open();
  EXPECT_NE(dynamic_cast<TUTObjectClassFunction*>(&p.GetExport(f - 1)->GetObject()), nullptr);
  EXPECT_NE(dynamic_cast<TUTObjectClassClass*>(&p.GetExport(c - 1)->GetObject()), nullptr);
}

}  // namespace

namespace {

// Every record cut short at any byte: a reader error, never a read past
// the data. A function absorbs what breaks its own part and says so.
TEST_F(ScriptClasses, EveryTruncationOfARecordIsAReaderError) {
  TScriptPackage whole;
  TStructRecord r;
  r.FriendlyName = "Sum";
  r.ScriptSize = 20;
  r.Script = ProductScript();
  const std::string function = whole.Function(r, {1, 2, 0x40, 3});
  const std::string cls = ClassData(whole, 69);
  for (const auto& [className, data] : {std::pair<std::string, std::string>{"Function", function}, {"", cls}}) {
    for (std::size_t length = 1; length < data.size(); ++length) {
      TScriptPackage sp;
      sp.w = whole.w;
      const int ref = sp.w.Export("Cut", className.empty() ? 0 : sp.Class(className), data.substr(0, length));
      TUTPackage& p = sp.Open();
      TUTObject& o = p.GetExport(ref - 1)->GetObject();
      try {
        o.ReadObject(true);
        auto* f = dynamic_cast<TUTObjectClassFunction*>(&o);
        ASSERT_NE(f, nullptr) << className << " cut at " << length << " read without an error";
        EXPECT_NE(f->ReadError, "") << "cut at " << length;
      } catch (const EUTPackageError&) {
      }
    }
  }
}

}  // namespace
