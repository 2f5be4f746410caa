#include <gtest/gtest.h>

#include "packages/PuUtNatives.h"
#include "packages/PuUtNativesGames.h"

using namespace packages;

namespace {

struct NativeCase {
  const TNativeFunctions* table;
  int index;
  const char* name;  // null: no row
  std::uint8_t kind;
  std::uint8_t precedence;
};

class NativeLookup : public ::testing::TestWithParam<NativeCase> {};

TEST_P(NativeLookup, FindsTheFirstRowWithTheNumber) {
  const NativeCase& c = GetParam();
  const TNativeFunction* row = FindNative(*c.table, c.index);
  if (!c.name) {
    EXPECT_EQ(row, nullptr);
    return;
  }
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->Name, c.name);
  EXPECT_EQ(row->Kind, c.kind);
  EXPECT_EQ(row->Precedence, c.precedence);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, NativeLookup,
    ::testing::Values(NativeCase{&NativesUT2003, 562, "GetPlayerList", nfFunction, 0},
                      NativeCase{&NativesDefault, 562, nullptr, 0, 0},
                      NativeCase{&NativesNerf, 562, nullptr, 0, 0},
                      NativeCase{&NativesUT2003, 112, "$", nfBinaryOperator, 40},
                      NativeCase{&NativesUT2003, 130, "&&", nfBinaryOperator, 10},
                      NativeCase{&NativesUT2003, 129, "!", nfPrefixOperator, 0},
                      NativeCase{&NativesUT2003, 166, "--", nfPostfixOperator, 0},
                      NativeCase{&NativesUT2003, 508, "FinishRotation", nfFunction, 0},
                      NativeCase{&NativesDefault, 508, "TurnTo", nfFunction, 0},
                      NativeCase{&NativesDefault, 1033, "RandRange", nfFunction, 0},
                      NativeCase{&NativesNerf, 1033, nullptr, 0, 0},
                      NativeCase{&NativesNerf, 549, nullptr, 0, 0},
                      NativeCase{&NativesDefault, 549, "-", nfBinaryOperator, 20},
                      NativeCase{&NativesNerf, 740, "GetConfigString", nfFunction, 0},
                      NativeCase{&NativesUT2003, 3971, "AutonomousPhysics", nfFunction, 0},
                      NativeCase{&NativesUT2003, 111, nullptr, 0, 0}),
    [](const auto& info) {
      const TNativeFunctions* t = info.param.table;
      const std::string table = t == &NativesUT2003 ? "UT2003" : t == &NativesNerf ? "Nerf" : "Default";
      return table + "_" + std::to_string(info.param.index);
    });

TEST(NativeTables, SizesOrderAndSelection) {
  EXPECT_EQ(NativesUT2003.size(), 232u);
  EXPECT_EQ(NativesDefault.size(), 232u);
  EXPECT_EQ(NativesNerf.size(), 230u);
  for (const TNativeFunctions* table : {&NativesUT2003, &NativesDefault, &NativesNerf}) {
    EXPECT_EQ(table->front().Index, 112);
    EXPECT_EQ(table->back().Name, "AutonomousPhysics");
    for (std::size_t i = 1; i < table->size(); ++i) EXPECT_LT((*table)[i - 1].Index, (*table)[i].Index);
    for (const auto& row : *table) EXPECT_EQ(row.Precedence != 0, row.Kind == nfBinaryOperator) << row.Index;
  }
  EXPECT_EQ(&NativesForGame(11), &NativesUT2003);
  EXPECT_EQ(&NativesForGame(10), &NativesNerf);
  for (int code : {0, 1, 2, 8, 12, 13, 255})
    if (!GameSpecificNatives(code)) {
      EXPECT_EQ(&NativesForGame(code), &NativesDefault) << code;
    }
}

}  // namespace
