#include <functional>
#include <gtest/gtest.h>

#include "ScriptPackageBuilder.h"
#include "packages/PuUtBytecode.h"

using namespace packages;
namespace pw = package_writer;
using script_builder::B;
using script_builder::TScriptPackage;

namespace {

// Object references and names of the package every walk below runs in.
struct Refs {
  int health;      // MyActor.Health, an IntProperty
  int myActor;     // the class MyActor
  int tick;        // MyActor.Tick
  int clamp;       // MyActor.Clamp, named like a native
  int actor;       // import Engine.Actor
  int actorTick;   // import Engine.Actor.Tick
  int objectTick;  // import Core.Object.Tick
  int foo;         // the name Foo
  int none;        // the name None
};

struct WalkResult {
  std::string text;
  std::int32_t counted = 0;
  std::int64_t consumed = 0;
};

class ScriptPackageFixture {
 public:
  explicit ScriptPackageFixture(std::uint16_t version) : sp(version) {
    auto& w = sp.w;
    const int engine = w.Import("Core", "Package", 0, "Engine");
    r.actor = w.Import("Core", "Class", engine, "Actor");
    r.actorTick = w.Import("Core", "Function", r.actor, "Tick");
    r.objectTick = w.Import("Core", "Function", sp.Class("Object"), "Tick");
    r.myActor = w.Export("MyActor", 0);
    r.health = w.Export("Health", sp.Class("IntProperty"), "", r.myActor);
    r.tick = w.Export("Tick", sp.Class("Function"), "", r.myActor);
    r.clamp = w.Export("Clamp", sp.Class("Function"), "", r.myActor);
    r.foo = w.Name("Foo");
    r.none = w.Name("None");
    package = &sp.Open();
  }

  // One token read at statement level from `bytes`.
  WalkResult Token(const std::string& bytes, int self = 0, int superField = 0) {
    TUTStream s(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), "script");
    s.SetSource(package);
    TUTScriptState state;
    state.ScriptSize = 1000;
    TUTBytecodeReader reader(*package, s, state, self, superField);
    WalkResult out;
    out.text = reader.ReadToken(255);
    out.counted = state.ScriptBytesRead;
    out.consumed = s.Position();
    return out;
  }

  // The whole walk of a script of `size` counted bytes.
  WalkResult Script(const std::string& bytes, std::int32_t size) {
    TUTStream s(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), "script");
    s.SetSource(package);
    TUTScriptState state;
    state.ScriptSize = size;
    TUTBytecodeReader(*package, s, state).ReadScript();
    return {"", state.ScriptBytesRead, s.Position()};
  }

  TScriptPackage sp;
  Refs r{};
  TUTPackage* package = nullptr;
};

std::string I(int v) { return pw::Byte(0x1D) + pw::Int(v); }  // an int constant, 5 counted bytes
std::string C(int v) { return pw::Compact(v); }

struct TokenCase {
  const char* name;
  std::function<std::string(const Refs&)> bytes;
  const char* text;
  std::int32_t counted;
  std::int64_t consumed;  // -1: the same as counted
  std::function<int(const Refs&)> self = nullptr;
  std::function<int(const Refs&)> superField = nullptr;
};

class TokenTest : public ::testing::TestWithParam<TokenCase> {
 protected:
  static void SetUpTestSuite() { fixture = new ScriptPackageFixture(69); }
  static void TearDownTestSuite() {
    delete fixture;
    fixture = nullptr;
  }
  static ScriptPackageFixture* fixture;
};
ScriptPackageFixture* TokenTest::fixture = nullptr;

void ExpectToken(ScriptPackageFixture& fixture, const TokenCase& c) {
  const Refs& r = fixture.r;
  const WalkResult w = fixture.Token(c.bytes(r), c.self ? c.self(r) : 0, c.superField ? c.superField(r) : 0);
  EXPECT_EQ(w.text, c.text);
  EXPECT_EQ(w.counted, c.counted);
  EXPECT_EQ(w.consumed, c.consumed < 0 ? c.counted : c.consumed);
}

TEST_P(TokenTest, RendersAndCounts) { ExpectToken(*fixture, GetParam()); }

// The same walk in a package of the later engine generation.
class SecondGenerationTokenTest : public TokenTest {
 protected:
  static void SetUpTestSuite() { fixture = new ScriptPackageFixture(128); }
};

TEST_P(SecondGenerationTokenTest, RendersAndCounts) { ExpectToken(*fixture, GetParam()); }

const TokenCase kTokens[] = {
    // Natives 144 "*" (16) and 146 "+" (20): the tighter-bound sum nested
    // under the product is bracketed.
    {"Precedence", [](auto&) { return B({0x90, 0x92}) + I(1) + I(2) + B({0x16}) + I(3) + B({0x16}); },
     "(1 + 2) * 3", 19, -1},
    {"LooserOuterOperatorNeedsNoBrackets",
     [](auto&) { return B({0x72, 0x92}) + I(1) + I(2) + B({0x16}) + I(3) + B({0x16}); }, "1 + 2 == 3", 19, -1},
    {"OmittedArgument", [](auto&) { return B({0xFB}) + I(1) + B({0x0B}) + I(3) + B({0x16}); }, "Clamp(1,,3)", 13, -1},
    {"Nothing", [](auto&) { return B({0x0B}); }, "", 1, -1},
    {"VariableCountsFourForItsReference", [](auto& r) { return B({0x00}) + C(r.health); }, "Health", 5, 2},
    {"DefaultVariable", [](auto& r) { return B({0x02}) + C(r.health); }, "Default.Health", 5, 2},
    {"StructMember", [](auto& r) { return B({0x36}) + C(r.health) + B({0x17}); }, "self.Health", 6, 3},
    {"PrefixAtStatementLevel", [](auto&) { return B({0x81, 0x27, 0x16}); }, "!True", 3, -1},
    {"PrefixAsArgumentGetsABlank", [](auto&) { return B({0xFA, 0x81, 0x27, 0x16}) + I(2) + B({0x16}); },
     "Max( !True,2)", 10, -1},
    {"Postfix", [](auto& r) { return B({0x8B, 0x00}) + C(r.health) + B({0x16}); }, "Health++", 7, 4},
    {"String", [](auto&) { return B({0x1F, 'H', 'i', 0}); }, "\"Hi\"", 4, -1},
    {"WideString", [](auto&) { return B({0x34, 'H', 0, 'i', 0, 0, 0}); }, "\"Hi\"", 7, -1},
    {"Float", [](auto&) { return B({0x1E}) + pw::Float(1.5f); }, "1.50", 5, -1},
    {"Vector", [](auto&) { return B({0x23}) + pw::Float(1) + pw::Float(-2) + pw::Float(0.5f); },
     "vect(1.00,-2.00,0.50)", 13, -1},
    {"Rotator", [](auto&) { return B({0x22}) + pw::Int(1) + pw::Int(-2) + pw::Int(3); }, "rot(1,-2,3)", 13, -1},
    {"ByteConstants", [](auto&) { return B({0xFA, 0x24, 7, 0x2C, 200, 0x16}); }, "Max(7,200)", 6, -1},
    {"ObjectOfNoClass", [](auto&) { return B({0x20, 0x00}); }, "Class''", 5, 2},
    {"ObjectOutsideTheTables", [](auto&) { return B({0x20}) + C(99); }, "Class''", 5, 3},
    {"ClassObject", [](auto& r) { return B({0x20}) + C(r.myActor); }, "Class'MyActor'", 5, 2},
    {"ObjectOfImportedClass", [](auto& r) { return B({0x20}) + C(r.health); }, "IntProperty'Health'", 5, 2},
    {"NameConstant", [](auto& r) { return B({0x21}) + C(r.foo); }, "'Foo'", 5, 2},
    {"SwitchWrapsItsValue", [](auto& r) { return B({0x05, 0x04, 0x00}) + C(r.health); }, "switch (Health) {", 7, 4},
    {"SwitchKeepsLeadingBracket",
     [](auto&) { return B({0x05, 0x04, 0x90, 0x92}) + I(1) + I(2) + B({0x16}) + I(3) + B({0x16}); },
     "switch (1 + 2) * 3 {", 21, -1},
    {"JumpIfNot", [](auto&) { return B({0x07, 0x34, 0x12, 0x27}); }, "if (! True ) goto JL1234", 4, -1},
    {"Jump", [](auto&) { return B({0x06, 0x0A, 0x00}); }, "goto JL000A", 3, -1},
    {"Default", [](auto&) { return B({0x0A, 0xFF, 0xFF}); }, "default:", 3, -1},
    {"Case", [](auto&) { return B({0x0A, 0x10, 0x00, 0x24, 0x05}); }, "case 5:", 5, -1},
    {"LabelTableEndsAtNone",
     [](auto& r) { return B({0x0C}) + C(r.foo) + pw::Int(4) + C(r.none) + pw::Int(0); }, "", 17, 11},
    {"Return", [](auto&) { return B({0x04}) + I(5); }, "return 5", 6, -1},
    {"ReturnNothing", [](auto&) { return B({0x04, 0x0B}); }, "return", 2, -1},
    {"Assert", [](auto&) { return B({0x09, 0x01, 0x00, 0x27}); }, "assert (True)", 4, -1},
    {"Foreach", [](auto& r) { return B({0x2F, 0x00}) + C(r.health) + B({0x10, 0x00}); }, "foreach Health {", 8, 5},
    {"EndParmValueAtStatementLevelReadsNothing", [](auto&) { return B({0x15, 0x27}); }, "", 1, -1},
    {"EndParmValueInsideACallReadsItsExpression", [](auto&) { return B({0xFA, 0x15}) + I(1) + B({0x16}); },
     "Max(1)", 8, -1},
    {"ExtendedNativeIndex", [](auto&) { return B({0x61, 0x00, 0x1E}) + pw::Float(1) + B({0x16}); }, "Sleep(1.00)",
     8, -1},
    {"NativeWithoutRow", [](auto&) { return B({0x6F, 0xFF, 0x16}); }, "UnknownFunction4095()", 3, -1},
    {"New", [](auto& r) { return B({0x11, 0x0B, 0x0B, 0x0B, 0x20}) + C(r.myActor); }, "new (,Class'MyActor')", 9, 6},
    {"ArrayElement", [](auto& r) { return B({0x10, 0x25, 0x00}) + C(r.health); }, "Health[0]", 7, 4},
    {"Context", [](auto& r) { return B({0x19, 0x17, 0x04, 0x00, 0x00, 0x00}) + C(r.health); }, "self.Health", 10, 7},
    {"MetaCast", [](auto& r) { return B({0x13}) + C(r.actor) + B({0x17}); }, "Class<Actor>(self)", 6, 3},
    {"DynamicCast", [](auto& r) { return B({0x2E}) + C(r.actor) + B({0x17}); }, "Actor(self)", 6, 3},
    {"StructCompare", [](auto& r) { return B({0x33}) + C(r.actor) + B({0x17, 0x2A}); }, "self!=None", 7, 4},
    {"Length", [](auto& r) { return B({0x37, 0x00}) + C(r.health); }, "Health.Length", 6, 3},
    {"VirtualCall", [](auto& r) { return B({0x1B}) + C(r.foo) + B({0x26, 0x16}); }, "Foo(1)", 7, 4},
    {"GlobalCall", [](auto& r) { return B({0x38}) + C(r.foo) + B({0x16}); }, "Global.Foo()", 6, 3},
    {"Conversions", [](auto&) { return B({0xFA, 0x39, 0x17, 0x5A, 0x17, 0x4A, 0x17, 0x52, 0x17, 0x16}); },
     "Max(vector(self),name(self),int(self),string(self))", 10, -1},
    {"Skip", [](auto&) { return B({0x18, 0x05, 0x00, 0x27}); }, "True", 4, -1},
    {"Assignment", [](auto& r) { return B({0x0F, 0x00}) + C(r.health) + B({0x26}); }, "Health=1", 7, 4},
    // Codes the later engine gave new meanings keep their old ones here.
    {"ConversionCodesPassTheirOperandOn", [](auto&) { return B({0xFA, 0x44, 0x2C, 0x0F, 0x45, 0x27, 0x16}); },
     "Max(15,True)", 7, -1},
    {"ConversionByItsOwnCode", [](auto&) { return B({0x39, 0x4A, 0x17}); }, "vector(int(self))", 3, -1},
    {"FirstTokenAssignsBoolInVersion69", [](auto& r) { return B({0x14, 0x00}) + C(r.health) + B({0x27}); },
     "Health=True", 7, 4},
    // Calls to a function of the same name: the call prefix.
    {"CallToItself", [](auto& r) { return B({0x1C}) + C(r.tick) + B({0x16}); }, "Tick()", 6, 3,
     [](auto& r) { return r.tick; }, [](auto& r) { return r.actorTick; }},
    {"CallToParentVersion", [](auto& r) { return B({0x1C}) + C(r.actorTick) + B({0x16}); }, "Super.Tick()", 6, 3,
     [](auto& r) { return r.tick; }, [](auto& r) { return r.actorTick; }},
    {"CallToAnotherClassVersion", [](auto& r) { return B({0x1C}) + C(r.actorTick) + B({0x16}); },
     "Super(Actor).Tick()", 6, 3, [](auto& r) { return r.tick; }, [](auto& r) { return r.objectTick; }},
    {"CallToOtherName", [](auto& r) { return B({0x1C}) + C(r.actorTick) + B({0x16}); }, "Tick()", 6, 3,
     [](auto& r) { return r.clamp; }, nullptr},
    {"NativeOfTheFunctionsOwnName", [](auto&) { return B({0xFB, 0x26, 0x25, 0x26, 0x16}); }, "Super.Clamp(1,0,1)",
     5, -1, [](auto& r) { return r.clamp; }, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Walk, TokenTest, ::testing::ValuesIn(kTokens),
                         [](const auto& info) { return std::string(info.param.name); });

// Tokens of the later engine generation: conversions behind one token that
// names them, dynamic array edits, debugger marks and delegates.
const TokenCase kSecondGenerationTokens[] = {
    // Bytes as a UT2004 GUI page stores "__OnClose__Delegate = InternalOnClose".
    {"LetDelegate", [](auto& r) { return B({0x45, 0x01}) + C(r.health) + B({0x44}) + C(r.foo); }, "Health=Foo", 11,
     5},
    {"DelegatePropertyCountsFourForItsName", [](auto& r) { return B({0x44}) + C(r.foo); }, "Foo", 5, 2},
    {"DelegateCall", [](auto& r) { return B({0x43}) + C(r.health) + C(r.foo) + I(1) + B({0x16}); }, "Foo(1)", 15,
     9},
    {"ArrayInsert", [](auto& r) { return B({0x40, 0x00}) + C(r.health) + B({0x25, 0x26}); }, "Health.Insert(0,1)", 8,
     5},
    {"ArrayRemove", [](auto& r) { return B({0x41, 0x00}) + C(r.health) + B({0x25, 0x26}); }, "Health.Remove(0,1)", 8,
     5},
    {"DebugInfo", [](auto&) { return B({0x42}) + pw::Int(100) + pw::Int(12) + pw::Int(345) + B({0x0F}); }, "", 14, -1},
    {"ConversionNamedByTheNextByte", [](auto&) { return B({0x39, 0x4A, 0x17}); }, "int(self)", 3, -1},
    // Float to int, a code that is a delegate token on its own.
    {"ConversionOfADelegateCode", [](auto&) { return B({0x39, 0x44}) + pw::Byte(0x1E) + pw::Float(2); }, "2.00", 7,
     -1},
    {"ConversionsInAnArgumentList",
     [](auto&) { return B({0xFA, 0x39, 0x40, 0x27, 0x39, 0x53, 0x26, 0x16}); }, "Max(True,string(1))", 8, -1},
    // Tokens the generations share.
    {"Assignment", [](auto& r) { return B({0x0F, 0x00}) + C(r.health) + B({0x26}); }, "Health=1", 7, 4},
    {"Length", [](auto& r) { return B({0x37, 0x00}) + C(r.health); }, "Health.Length", 6, 3},
};

INSTANTIATE_TEST_SUITE_P(Walk, SecondGenerationTokenTest, ::testing::ValuesIn(kSecondGenerationTokens),
                         [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
  const char* name;
  std::string bytes;
  std::string message;
  std::int32_t counted;  // when the error was raised
};

class WalkErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(WalkErrorTest, RaisesTheReadersOwnError) {
  static ScriptPackageFixture fixture(69);
  const ErrorCase& c = GetParam();
  TUTStream s(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size(), "script");
  s.SetSource(fixture.package);
  TUTScriptState state;
  state.ScriptSize = 1 << 20;
  TUTBytecodeReader reader(*fixture.package, s, state);
  try {
    reader.ReadScript();
    FAIL() << "no error";
  } catch (const EUTPackageError& e) {
    EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message);
  }
  EXPECT_EQ(state.ScriptBytesRead, c.counted);
  EXPECT_EQ(state.TokenDepth, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Walk, WalkErrorTest,
    ::testing::Values(
        ErrorCase{"UnknownTokenAfterItsOperand", B({0x35, 0x27}), "Unknown OpCode 0x35. Will try to continue.", 2},
        ErrorCase{"InnermostUnknownTokenNamed", B({0x5F, 0x5B, 0x27}), "Unknown OpCode 0x5B. Will try to continue.",
                  3},
        ErrorCase{"NativeIndexBelowTheNatives", B({0x60, 0x50}), "Invalid native function index 0x50", 2},
        ErrorCase{"ReadPastTheEnd", B({0x1D, 0x01}), "Read of 4 bytes", 1},
        ErrorCase{"NameOutsideTheNameTable", B({0x21, 0x3F}), "Name index 63 outside the name table", 1},
        ErrorCase{"UnendedArgumentList", B({0xFA, 0x26, 0x26}), "Read of 1 byte", 3},
        // Prefix "!" on itself, nested far deeper than any compiler would.
        ErrorCase{"NestingCap", std::string(5000, '\x81'), "Script tokens nested deeper than 1000", 1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptWalk, SecondGenerationCastOfNoConversionIsAnUnknownToken) {
  ScriptPackageFixture f(128);
  TUTStream s(reinterpret_cast<const std::uint8_t*>("\x39\x17"), 2, "script");
  s.SetSource(f.package);
  TUTScriptState state;
  state.ScriptSize = 10;
  TUTBytecodeReader reader(*f.package, s, state);
  EXPECT_THROW(reader.ReadScript(), EUnknownUTOpcode);
  EXPECT_EQ(state.ScriptBytesRead, 2);
}

TEST(ScriptWalk, StopsAtTheStoredLengthAndMayOvershootIt) {
  ScriptPackageFixture f(69);
  const std::string variable = B({0x00}) + C(f.r.health);
  // A one-byte script of one reference token: the token is read whole.
  EXPECT_EQ(f.Script(variable + variable, 1).counted, 5);
  EXPECT_EQ(f.Script(variable + variable, 1).consumed, 2);
  EXPECT_EQ(f.Script(variable + variable, 10).counted, 10);
  EXPECT_EQ(f.Script(variable + variable, 0).consumed, 0);
  EXPECT_EQ(f.Script(B({0x0B}), 1).counted, 1);
}

TEST(ScriptWalk, EndOfScriptByteCountsOnlyAsTheLastByte) {
  ScriptPackageFixture f(128);
  // "return;" and the closing byte of newer packages; the bytes after it
  // belong to the function's own fields.
  const WalkResult end = f.Script(B({0x04, 0x0B, 0x47, 0x00, 0x00}), 3);
  EXPECT_EQ(end.counted, 3);
  EXPECT_EQ(end.consumed, 3);
  // Elsewhere the byte converts its operand as before.
  EXPECT_EQ(f.Token(B({0x47, 0x27})).text, "bool(True)");
}

TEST(ScriptWalk, Version61HeaderAndReturn) {
  ScriptPackageFixture f(61);
  // The first token 0x14 of a version 61 script is a header of pairs up
  // to a zero byte.
  const WalkResult header = f.Script(B({0x14, 0x01, 0x02, 0x03, 0x04, 0x00, 0x0B}), 7);
  EXPECT_EQ(header.counted, 7);
  EXPECT_EQ(header.consumed, 7);
  // Anywhere else it assigns, and a return there carries no value.
  const WalkResult assign = f.Script(B({0x0B, 0x14, 0x00}) + C(f.r.health) + B({0x27}), 2);
  EXPECT_EQ(assign.counted, 8);
  EXPECT_EQ(assign.consumed, 5);
  EXPECT_EQ(f.Token(B({0x04, 0x0B})).consumed, 1);
}

}  // namespace

namespace {

// The walk keeps no text, so a call naming a long variable thousands of
// times must not build a text thousands of names long.
TEST(ScriptWalk, LongArgumentListsDoNotGrowTheText) {
  TScriptPackage sp;
  const int variable = sp.w.Export(std::string(250, 'v'), sp.Class("IntProperty"));
  const int callee = sp.w.Name("Foo");
  TUTPackage& p = sp.Open();
  std::string bytes = B({0x1B}) + C(callee);
  for (int i = 0; i < 20000; ++i) bytes += B({0x00}) + C(variable);
  bytes += B({0x16});
  TUTStream s(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), "script");
  s.SetSource(&p);
  TUTScriptState state;
  state.ScriptSize = 1 << 20;
  const std::string text = TUTBytecodeReader(p, s, state).ReadToken(255);
  EXPECT_EQ(s.Position(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(state.ScriptBytesRead, 1 + 4 + 20000 * 5 + 1);
  EXPECT_EQ(text.substr(0, 4), "Foo(");
  EXPECT_LT(text.size(), 100000u);
}

}  // namespace
