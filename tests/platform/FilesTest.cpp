#include "platform/Files.h"

#include <gtest/gtest.h>

#include "common/TempDir.h"

using namespace platform;
using testing_support::TempDir;

TEST(Files, PatternsMatchWithoutRegardToCase) {
  EXPECT_TRUE(MatchesPattern("*.int", "XPlayers.INT"));
  EXPECT_TRUE(MatchesPattern("*.int", ".int"));
  EXPECT_FALSE(MatchesPattern("*.int", "XPlayers.int.bak"));
  EXPECT_TRUE(MatchesPattern("x?layers*.upl", "xPlayersL1.upl"));
  EXPECT_TRUE(MatchesPattern("*", ""));
  EXPECT_FALSE(MatchesPattern("?", ""));
  // Many stars against a long name must not blow up.
  EXPECT_FALSE(MatchesPattern("*a*a*a*a*a*a*a*a*b", std::string(5000, 'a')));
}

TEST(Files, ListingReturnsMatchingFilesSortedWithoutRegardToCase) {
  TempDir dir;
  dir.write("b.int", "");
  dir.write("A.INT", "");
  dir.write("c.Int", "");
  dir.write("readme.txt", "");
  dir.write("folder.int/x", "");
  EXPECT_EQ(ListFiles(dir.path(), "*.int"), (std::vector<std::string>{"A.INT", "b.int", "c.Int"}));
  EXPECT_EQ(ListDirectories(dir.path(), "*"), std::vector<std::string>{"folder.int"});
  EXPECT_TRUE(ListFiles(dir.file("missing"), "*").empty());
}

TEST(Files, FindPathIgnoringCaseTakesTheSpellingOnDisk) {
  TempDir dir;
  dir.write("System/XPlayers.int", "x");
  EXPECT_EQ(FindPathIgnoringCase(dir.path() + "/system/XPLAYERS.INT"), dir.path() + "/System/XPlayers.int");
  EXPECT_EQ(FindPathIgnoringCase(dir.path() + "\\SYSTEM"), dir.path() + "/System");
  EXPECT_EQ(FindPathIgnoringCase(dir.path() + "/System/missing.int"), std::nullopt);
}

TEST(Files, PathPartsAcceptBothSeparators) {
  EXPECT_EQ(ExtractFileName("C:\\UT2003\\System\\xplayersL1.upl"), "xplayersL1.upl");
  EXPECT_EQ(ExtractFileDir("/game/System/x.upl"), "/game/System");
  EXPECT_EQ(ExtractFileExt("/game/Sys.tem/roster"), "");
  EXPECT_EQ(ChangeFileExt("/opt/Rosterwell", ".INI"), "/opt/Rosterwell.INI");
  EXPECT_EQ(ChangeFileExt("a/b.exe", ".INI"), "a/b.INI");
  EXPECT_EQ(JoinPath("/game/System/", "x.int"), "/game/System/x.int");
}
