// Dynamic arrays of the later engine generation: a compact count, then the
// elements bare, each as the array's inner property stores a value. The
// elements are read by the array's declaration, found through the owner's
// class here or in a sibling package; without one the property is an error.

#include <functional>

#include <gtest/gtest.h>

#include "ScriptPackageBuilder.h"

using namespace packages;
namespace pw = package_writer;
using script_builder::B;
using script_builder::TScriptPackage;
using script_builder::TStructRecord;

namespace {

class DynamicArrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterScriptClasses();
    actor = sp.w.Export("MyActor", 0);
  }

  // A property declaration of class `cls` named `name` inside `outer`,
  // followed by `next` in its chain and `extra` after its record.
  std::string Record(int next, const std::string& extra = "") {
    return sp.Field(0, next) + pw::Word(1) + pw::Word(4) + pw::DWord(0) + pw::Compact(sp.w.Name("None")) + extra;
  }
  int Declare(const std::string& name, const std::string& cls, int outer, const std::string& extra = "") {
    return sp.w.Export(name, sp.Class(cls), Record(0, extra), outer);
  }
  // The array `name` inside `outer` (MyActor when 0) whose elements are
  // declared by `cls` with `extra`, named like the array as the compiler
  // names them.
  int DeclareArray(const std::string& name, const std::string& cls, const std::string& extra = "", int outer = 0) {
    const int array = sp.w.Export(name, sp.Class("ArrayProperty"), "", outer ? outer : actor);
    sp.w.ExportAt(array).Data = Record(0, pw::Compact(Declare(name, cls, array, extra)));
    return array;
  }
  // A struct `name` in MyActor whose members, chained in order, are the
  // given declarations, each a class and the bytes after its record.
  int DefineStruct(const std::string& name, const std::vector<std::pair<std::string, std::string>>& members) {
    const int def = sp.w.Export(name, sp.Class("Struct"), "", actor);
    std::vector<int> refs;
    for (const auto& [memberName, cls] : members) refs.push_back(sp.w.Export(memberName, sp.Class(cls), "", def));
    TStructRecord r;
    r.Children = refs.empty() ? 0 : refs.front();
    r.FriendlyName = name;
    sp.w.ExportAt(def).Data = sp.Struct(r);
    for (std::size_t i = 0; i < refs.size(); ++i)
      sp.w.ExportAt(refs[i]).Data = Record(i + 1 < refs.size() ? refs[i + 1] : 0);
    structMembers = refs;
    return def;
  }

  // Each property of an object of class MyActor holding `tags`, described,
  // or "error: " and the reader's message.
  std::vector<std::string> Describe(const std::string& tags) {
    thing = sp.w.Export("Thing1", actor, tags + sp.w.NoneTag());
    TUTPackage& p = sp.Open();
    if (onOpen) onOpen(p);
    return Rows(thing);
  }
  // The same for export `ref` of the package Describe opened.
  std::vector<std::string> Rows(int ref) {
    TUTObject& o = sp.package->GetExport(ref - 1)->GetObject();
    o.ReadObject(true);
    std::vector<std::string> rows;
    for (const auto& property : o.GetProperties()) {
      if (property->Type() == ptNone) continue;
      try {
        rows.push_back(property->GetDescription());
      } catch (const EUTPackageError& e) {
        rows.push_back(std::string("error: ") + e.what());
      }
    }
    o.ReleaseObject();
    return rows;
  }

  TScriptPackage sp{128};
  int actor = 0;
  int thing = 0;
  std::vector<int> structMembers;
  std::function<void(TUTPackage&)> onOpen;
};

TEST_F(DynamicArrayTest, ElementsOfEachTypeAreReadByTheDeclaration) {
  const int colour = sp.w.Export("EColour", sp.Class("Enum"),
                                 sp.Field(0, 0) + pw::Compact(2) + pw::Compact(sp.w.Name("C_Red")) +
                                     pw::Compact(sp.w.Name("C_Green")),
                                 actor);
  const int pair = DefineStruct("MyPair", {{"A", "IntProperty"}, {"B", "NameProperty"}});
  const int vector = sp.w.Import("Core", "Struct", sp.Class("Object"), "Vector");
  DeclareArray("Ints", "IntProperty");
  DeclareArray("Floats", "FloatProperty");
  DeclareArray("Colours", "ByteProperty", pw::Compact(colour));
  DeclareArray("Counts", "ByteProperty", pw::Compact(0));
  DeclareArray("Flags", "BoolProperty");
  DeclareArray("Labels", "NameProperty");
  DeclareArray("Texts", "StrProperty");
  DeclareArray("Things", "ObjectProperty", pw::Compact(actor));
  DeclareArray("Kinds", "ClassProperty", pw::Compact(sp.Class("Class")) + pw::Compact(actor));
  DeclareArray("Spots", "StructProperty", pw::Compact(vector));
  DeclareArray("Pairs", "StructProperty", pw::Compact(pair));
  const int rows = sp.w.Export("Rows", sp.Class("ArrayProperty"), "", actor);
  sp.w.ExportAt(rows).Data = Record(0, pw::Compact(DeclareArray("Rows", "IntProperty", "", rows)));
  const int foo = sp.w.Name("Foo");

  const auto array = [&](const std::string& name, int count, const std::string& elements) {
    return sp.w.Tag(name, ptArray, pw::Compact(count) + elements);
  };
  const std::vector<std::string> described = Describe(
      array("Ints", 2, pw::Int(1) + pw::Int(-2)) + array("Floats", 1, pw::Float(0.5f)) +
      array("Colours", 2, B({1, 0})) + array("Counts", 1, B({7})) + array("Flags", 2, B({1, 0})) +
      array("Labels", 1, pw::Compact(foo)) + array("Texts", 2, pw::SizedString("a") + pw::SizedString("")) +
      array("Things", 2, pw::Compact(colour) + pw::Compact(0)) + array("Kinds", 1, pw::Compact(actor)) +
      array("Spots", 1, pw::Float(1) + pw::Float(2) + pw::Float(3)) +
      array("Pairs", 2, pw::Int(1) + pw::Compact(foo) + pw::Int(2) + pw::Compact(foo)) +
      array("Rows", 2, pw::Compact(2) + pw::Int(1) + pw::Int(2) + pw::Compact(0)) + array("Empty", 0, ""));
  EXPECT_EQ(described,
            (std::vector<std::string>{
                "Ints (Array of Int) = ([0]=1, [1]=-2)",
                "Floats (Array of Float) = ([0]=0.50)",
                "Colours (Array of Byte) = ([0]=C_Green, [1]=C_Red)",
                "Counts (Array of Byte) = ([0]=7)",
                "Flags (Array of Bool) = ([0]=True, [1]=False)",
                "Labels (Array of Name) = ([0]=Foo)",
                "Texts (Array of Str) = ([0]=\"a\", [1]=\"\")",
                "Things (Array of Object) = ([0]=Enum'MyActor.EColour', [1]=None)",
                "Kinds (Array of Class) = ([0]=Class'MyActor')",
                "Spots (Array of Vector) = ([0]=(X=1.00, Y=2.00, Z=3.00))",
                "Pairs (Array of MyPair) = ([0]=(A=1, B=Foo), [1]=(A=2, B=Foo))",
                "Rows (Array of Array) = ([0]=([0]=1, [1]=2), [1]=())",
                // No declaration needed: there is nothing to read.
                "Empty (Array) = ()",
            }));
}

// A member of a defined structure brings its own declaration: an array
// member is read by it.
TEST_F(DynamicArrayTest, ArrayMemberOfADefinedStructure) {
  DefineStruct("Holder", {{"L", "ArrayProperty"}, {"N", "IntProperty"}});
  const int l = structMembers[0];
  sp.w.ExportAt(l).Data = Record(structMembers[1], pw::Compact(Declare("L", "IntProperty", l)));
  const std::string value = pw::Compact(2) + pw::Int(5) + pw::Int(6) + pw::Int(9);
  EXPECT_EQ(Describe(sp.w.Tag("Held", ptStruct, value, -1, "Holder")),
            (std::vector<std::string>{"Held (Holder) = (L=([0]=5, [1]=6), N=9)"}));
}

// What the elements cannot be made of is the property's error, never
// tags or empty brackets read from the element bytes.
TEST_F(DynamicArrayTest, ElementsThatCannotBeTypedAreTheError) {
  DeclareArray("Ints", "IntProperty");
  DeclareArray("Keyed", "MapProperty", pw::Compact(0) + pw::Compact(0));
  DeclareArray("Remote", "StructProperty", pw::Compact(sp.w.Import("Core", "Struct", sp.Class("Object"), "Remote")));
  const int imported = sp.w.Export("Imported", sp.Class("ArrayProperty"), "", actor);
  sp.w.ExportAt(imported).Data = Record(0, pw::Compact(sp.Class("IntProperty")));
  const std::vector<std::string> described =
      Describe(sp.w.Tag("Undeclared", ptArray, pw::Compact(1) + pw::Compact(actor)) +
               sp.w.Tag("Imported", ptArray, pw::Compact(1) + pw::Int(1)) +
               sp.w.Tag("Keyed", ptArray, pw::Compact(1) + pw::Int(1)) +
               sp.w.Tag("Remote", ptArray, pw::Compact(2) + pw::Int(1) + pw::Int(2)) +
               sp.w.Tag("Ints", ptArray, pw::Compact(1) + pw::Int(1) + B({9})) +
               sp.w.Tag("Ints", ptArray, pw::Compact(2) + pw::Int(1), 1) +
               sp.w.Tag("Ints", ptArray, pw::Compact(90) + pw::Int(1), 2));
  ASSERT_EQ(described.size(), 7u);
  const char* const expected[] = {
      "error: The 1 elements of array Undeclared cannot be read: its declaration was not found",
      "error: The elements of array Imported cannot be read: its declaration names no element type",
      "error: The elements of array Keyed cannot be read: they are of the kind MapProperty",
      "error: The elements of array Remote cannot be read: the definition of Remote was not found",
      "error: The elements of array Ints end before its value does",
      "error: Read of 4 bytes past the end",
      "error: Invalid array length: expected 90",
  };
  for (std::size_t i = 0; i < described.size(); ++i)
    EXPECT_EQ(described[i].rfind(expected[i], 0), 0u) << described[i];
}

// Elements of an empty structure take no bytes, so only a bound on them
// stops nested arrays of them from multiplying past what the value holds.
TEST_F(DynamicArrayTest, ElementsTakingNoBytesCannotMultiply) {
  const int empty = DefineStruct("Nothing", {});
  const int rows = sp.w.Export("Rows", sp.Class("ArrayProperty"), "", actor);
  sp.w.ExportAt(rows).Data =
      Record(0, pw::Compact(DeclareArray("Rows", "StructProperty", pw::Compact(empty), rows)));
  std::string value = pw::Compact(150);
  for (int i = 0; i < 150; ++i) value += pw::Compact(150);
  const std::vector<std::string> described = Describe(sp.w.Tag("Rows", ptArray, value));
  ASSERT_EQ(described.size(), 1u);
  EXPECT_NE(described[0].find("more than 10000"), std::string::npos) << described[0].substr(0, 200);
}

TEST_F(DynamicArrayTest, ParentChainLoopingThroughASiblingOpensFewPackages) {
  // Core.u's Loop names itself as its parent, through its own import.
  TScriptPackage core(128);
  const int self = core.Class("Loop");
  core.w.ExportAt(core.w.Export("Loop", 0)).Super = self;
  core.w.Write(sp.dir.file("Core.u"));
  sp.w.ExportAt(actor).Super = sp.Class("Loop");
  // Enough exports that counting steps alone would allow many more hops.
  for (int i = 0; i < 100; ++i) sp.w.Export("Filler" + std::to_string(i), sp.Class("Thing"));
  int opened = 0;
  onOpen = [&](TUTPackage& p) { p.OnFileNotFound = [&](std::string&) { ++opened; }; };
  const std::vector<std::string> described = Describe(sp.w.Tag("Lost", ptArray, pw::Compact(1) + pw::Int(1)));
  ASSERT_EQ(described.size(), 1u);
  EXPECT_NE(described[0].find("its declaration was not found, as class Loop is among its own parents"),
            std::string::npos)
      << described[0];
  EXPECT_EQ(opened, 1);
}

// Classes that name each other as parents: the search ends at the first
// class it comes to twice, and the row says which; a declaration in the
// loop is still found.
TEST_F(DynamicArrayTest, ClassesNamingEachOtherAsParents) {
  const int other = sp.w.Export("Other", 0, "", 0, actor);
  sp.w.ExportAt(actor).Super = other;
  DeclareArray("Ints", "IntProperty", "", other);
  const std::vector<std::string> described = Describe(sp.w.Tag("Ints", ptArray, pw::Compact(1) + pw::Int(7)) +
                                                      sp.w.Tag("Lost", ptArray, pw::Compact(1) + pw::Int(1)));
  ASSERT_EQ(described.size(), 2u);
  EXPECT_EQ(described[0], "Ints (Array of Int) = ([0]=7)");
  EXPECT_NE(described[1].find("The 1 elements of array Lost cannot be read: its declaration was not found, as class "
                              "MyActor is among its own parents"),
            std::string::npos)
      << described[1];
}

// Engine.u beside this package, whose class Base declares Labels, an
// array of names, and MyActor's parent.
void WriteEngineDeclaringLabels(TScriptPackage& sp, int actor) {
  TScriptPackage engine(128);
  const int base = engine.w.Export("Base", 0);
  const int array = engine.w.Export("Labels", engine.Class("ArrayProperty"), "", base);
  const int inner = engine.w.Export("Labels", engine.Class("NameProperty"), "", array);
  const std::string record = pw::Word(1) + pw::Word(4) + pw::DWord(0) + pw::Compact(engine.w.Name("None"));
  engine.w.ExportAt(inner).Data = engine.Field(0, 0) + record;
  engine.w.ExportAt(array).Data = engine.Field(0, 0) + record + pw::Compact(inner);
  engine.w.Write(sp.dir.file("Engine.u"));
  sp.w.ExportAt(actor).Super = sp.w.Import("Core", "Class", sp.w.Import("Core", "Package", 0, "Engine"), "Base");
}

// The class that declares the array lies in Engine.u beside this package:
// the declaration is read there, while the element bytes name this
// package's names.
TEST_F(DynamicArrayTest, DeclarationInASiblingPackage) {
  WriteEngineDeclaringLabels(sp, actor);
  EXPECT_EQ(Describe(sp.w.Tag("Labels", ptArray, pw::Compact(1) + pw::Compact(sp.w.Name("OnlyHere")))),
            (std::vector<std::string>{"Labels (Array of Name) = ([0]=OnlyHere)"}));
}

// What a search from a class found, or did not, is kept while the package
// is open: the next object of the class opens Engine.u no more. Once
// imports are no longer followed, the search is made anew.
TEST_F(DynamicArrayTest, SearchesFromAClassAreKeptWhileThePackageIsOpen) {
  WriteEngineDeclaringLabels(sp, actor);
  const std::string tags = sp.w.Tag("Labels", ptArray, pw::Compact(1) + pw::Compact(sp.w.Name("A"))) +
                           sp.w.Tag("Lost", ptArray, pw::Compact(0));
  const int second = sp.w.Export("Thing2", actor, tags + sp.w.NoneTag());
  int opened = 0;
  onOpen = [&](TUTPackage& p) { p.OnFileNotFound = [&](std::string&) { ++opened; }; };
  const std::vector<std::string> found{"Labels (Array of Name) = ([0]=A)", "Lost (Array) = ()"};
  EXPECT_EQ(Describe(tags), found);
  EXPECT_EQ(Rows(second), found);
  EXPECT_EQ(Rows(thing), found);
  EXPECT_EQ(opened, 1);
  sp.package->SetSearchImports(false);
  const std::vector<std::string> rows = Rows(second);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_NE(rows[0].find("its declaration was not found"), std::string::npos) << rows[0];
}

// The elements' structure is defined in Engine.u: every element is read by
// it, and Engine.u is opened once for the array, not once per element.
TEST_F(DynamicArrayTest, StructureOfTheElementsInASiblingPackage) {
  TScriptPackage engine(128);
  const int spot = engine.w.Export("Spot", engine.Class("Struct"), "", 0);
  const int x = engine.w.Export("X", engine.Class("IntProperty"), "", spot);
  engine.w.ExportAt(x).Data =
      engine.Field(0, 0) + pw::Word(1) + pw::Word(4) + pw::DWord(0) + pw::Compact(engine.w.Name("None"));
  TStructRecord r;
  r.Children = x;
  r.FriendlyName = "Spot";
  engine.w.ExportAt(spot).Data = engine.Struct(r);
  engine.w.Write(sp.dir.file("Engine.u"));
  DeclareArray("Spots", "StructProperty",
               pw::Compact(sp.w.Import("Core", "Struct", sp.w.Import("Core", "Package", 0, "Engine"), "Spot")));
  int opened = 0;
  onOpen = [&](TUTPackage& p) { p.OnFileNotFound = [&](std::string&) { ++opened; }; };
  EXPECT_EQ(Describe(sp.w.Tag("Spots", ptArray, pw::Compact(3) + pw::Int(1) + pw::Int(2) + pw::Int(3))),
            (std::vector<std::string>{"Spots (Array of Spot) = ([0]=(X=1), [1]=(X=2), [2]=(X=3))"}));
  EXPECT_EQ(opened, 1);
}

}  // namespace
