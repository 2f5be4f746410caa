#include "packages/PuUtNativesGames.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace packages {
namespace {

struct TableCase {
  const char* listFile;
  const TNativeFunctions* table;
  int gameCode;
  std::size_t rows;
  int firstIndex;
  const char* firstName;
  int lastIndex;
  const char* lastName;
};

// The row counts are those the public sources yield: Klingon Honor Guard
// lacks one native and Deus Ex the 22 of its conversation package, whose
// sources were never published.
const TableCase kTables[] = {
    {"WheelOfTime.tsv", &NativesWheelOfTime, 3, 257, 112, "$", 3971, "AutonomousPhysics"},
    {"KlingonHonorGuard.tsv", &NativesKlingonHonorGuard, 4, 212, 113, "GotoState", 3971, "AutonomousPhysics"},
    {"Rune.tsv", &NativesRune, 5, 270, 112, "$", 3971, "AutonomousPhysics"},
    {"Undying.tsv", &NativesUndying, 6, 333, 112, "$", 3971, "AutonomousPhysics"},
    {"DeusEx.tsv", &NativesDeusEx, 7, 783, 112, "$", 4003, "GetString"},
};

class GameNativesTest : public ::testing::TestWithParam<TableCase> {};

TEST_P(GameNativesTest, SelectedByGameCodeWithItsEnds) {
  const TableCase& c = GetParam();
  EXPECT_EQ(GameSpecificNatives(c.gameCode), c.table);
  const TNativeFunctions& t = *c.table;
  ASSERT_EQ(t.size(), c.rows);
  EXPECT_EQ(t.front().Index, c.firstIndex);
  EXPECT_EQ(t.front().Name, c.firstName);
  EXPECT_EQ(t.back().Index, c.lastIndex);
  EXPECT_EQ(t.back().Name, c.lastName);
  EXPECT_TRUE(std::is_sorted(t.begin(), t.end(), [](const auto& a, const auto& b) { return a.Index < b.Index; }));
  for (const TNativeFunction& row : t) {
    EXPECT_GE(row.Index, 112);
    if (row.Kind != nfBinaryOperator) {
      EXPECT_EQ(row.Precedence, 0) << row.Index;
    }
  }
}

// The walk renders operators from these rows, so each one is compared with
// the list it was generated from; a stale generated file fails here.
TEST_P(GameNativesTest, EveryRowMatchesItsSourceList) {
  const TableCase& c = GetParam();
  const std::filesystem::path list = std::filesystem::path(ROSTERWELL_NATIVES_DIR) / c.listFile;
  if (!std::filesystem::exists(list)) GTEST_SKIP() << list << " is not there";
  std::ifstream in(list);
  std::string line;
  std::getline(in, line);
  std::size_t row = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string index, kind, precedence, name;
    std::getline(fields, index, '\t');
    std::getline(fields, kind, '\t');
    std::getline(fields, precedence, '\t');
    std::getline(fields, name, '\t');
    ASSERT_LT(row, c.table->size());
    const TNativeFunction& r = (*c.table)[row++];
    EXPECT_EQ(r.Index, std::stoi(index)) << line;
    EXPECT_EQ(r.Kind, std::stoi(kind)) << line;
    EXPECT_EQ(r.Precedence, std::stoi(precedence)) << line;
    EXPECT_EQ(r.Name, name) << line;
  }
  EXPECT_EQ(row, c.table->size());
}

INSTANTIATE_TEST_SUITE_P(Games, GameNativesTest, ::testing::ValuesIn(kTables), [](const auto& info) {
  const std::string file = info.param.listFile;
  return file.substr(0, file.find('.'));
});

TEST(GameNativesTest, KlingonDollarSitsAt228) {
  EXPECT_EQ(FindNative(NativesKlingonHonorGuard, 112), nullptr);
  const TNativeFunction* dollar = FindNative(NativesKlingonHonorGuard, 228);
  ASSERT_NE(dollar, nullptr);
  EXPECT_EQ(dollar->Name, "$");
  EXPECT_EQ(dollar->Kind, nfBinaryOperator);
  EXPECT_EQ(dollar->Precedence, 40);
}

TEST(GameNativesTest, GamesWithoutTheirOwnListSelectNone) {
  for (int code : {0, 1, 2, 8, 9, 10, 11, 12, 13, 255, -1}) EXPECT_EQ(GameSpecificNatives(code), nullptr) << code;
}

}  // namespace
}  // namespace packages
