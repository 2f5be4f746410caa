#include <gtest/gtest.h>

#include "../common/TempDir.h"
#include "RosterTestSupport.h"
#include "roster/PuIntFile.h"

using roster::TIntFile;
using Lines = std::vector<std::string>;

namespace {

TEST(IntFileTest, KeepsLinesVerbatimAndDropsWhatTheGameIgnores) {
  const TIntFile f = TIntFile::FromBytes("X.int",
                                         "Before=1\r\n[Public]\r\n  Spaced = 2 \r\n\r\n;comment\r\n ;kept=3\r\n"
                                         " [NotAHeader]\r\nLast=4");
  EXPECT_EQ(f.ReadSectionLines("public"), (Lines{"  Spaced = 2 ", " ;kept=3", " [NotAHeader]", "Last=4"}));
  EXPECT_EQ(f.SectionNames(), Lines{"Public"});
  EXPECT_FALSE(f.ValueExists("Public", "Before"));
  EXPECT_EQ(f.ReadString("Public", "  Spaced ", "-"), " 2 ");
  EXPECT_EQ(f.ReadString("Public", " ;KEPT", "-"), "3");
  EXPECT_EQ(f.ReadString("Public", "Spaced", "-"), "-");
}

TEST(IntFileTest, SplitsAtAnyLineBreakAndStopsAtNul) {
  const TIntFile f = TIntFile::FromBytes("X.int", std::string("[S]\ra=1\nb=2\r\nc=3\0[T]\r\nd=4", 26));
  EXPECT_EQ(f.ReadSectionLines("S"), (Lines{"a=1", "b=2", "c=3"}));
  EXPECT_FALSE(f.SectionExists("T"));
}

TEST(IntFileTest, FirstOfRepeatedSectionsWins) {
  const TIntFile f = TIntFile::FromBytes("X.int", "[DecoText]\nA=1\n[Other]\nB=2\n[decotext]\nDefault=late\n");
  EXPECT_EQ(f.ReadDecoText(), Lines{"A=1"});
  EXPECT_FALSE(f.ValueExists("DecoText", "Default"));
}

TEST(IntFileTest, SectionAndKeyLookupsIgnoreCase) {
  const TIntFile f = TIntFile::FromBytes("X.int", "[decotext]\nDefault=text\nDefault=second\n");
  EXPECT_EQ(f.ReadDecoText(), (Lines{"Default=text", "Default=second"}));
  EXPECT_EQ(f.ReadString("DECOTEXT", "DEFAULT", ""), "text");
  EXPECT_TRUE(f.ValueExists("DecoText", "default"));
}

TEST(IntFileTest, LinesWithoutEqualsSignMatchNoKey) {
  const TIntFile f = TIntFile::FromBytes("X.int", "[S]\nloose line\n[T]\nloose\n=empty name\n");
  EXPECT_FALSE(f.ValueExists("S", ""));
  EXPECT_FALSE(f.ValueExists("S", "loose line"));
  EXPECT_EQ(f.ReadString("S", "", "-"), "-");
  EXPECT_EQ(f.ReadString("T", "", "-"), "empty name");  // "=x" does name the empty key
}

TEST(IntFileTest, EmptySectionDoesNotExist) {
  const TIntFile f = TIntFile::FromBytes("X.int", "[Empty]\n[Full]\nx=1\n");
  EXPECT_FALSE(f.SectionExists("Empty"));
  EXPECT_TRUE(f.SectionExists("Full"));
  EXPECT_FALSE(f.SectionExists("Missing"));
  EXPECT_TRUE(f.ReadSectionLines("Missing").empty());
}

TEST(IntFileTest, ObjectsAreTheExactlyNamedObjectLinesOfPublic) {
  const TIntFile f = TIntFile::FromBytes(
      "X.int",
      "[Public]\nObject=(Name=a.b,Class=Class,MetaClass=Engine.Weapon)\nobject=(Name=c.d)\nOBJECT=(Name=e)\n"
      "Object =(Name=f)\nObject\nPreferences=(Caption=x)\n[Other]\nObject=(Name=g)\n");
  EXPECT_EQ(f.ReadObjects(), Lines{"Object=(Name=a.b,Class=Class,MetaClass=Engine.Weapon)"});
  EXPECT_EQ(f.ReadPublic().size(), 6u);
}

TEST(IntFileTest, Utf16FileIsNarrowedToEightBits) {
  // "[S]\r\nA=é€😀\r\n" in UTF-16LE with its byte-order mark.
  std::string bytes = "\xFF\xFE";
  for (char c : std::string("[S]\r\nA=")) bytes += std::string{c, '\0'};
  bytes += std::string("\xE9\x00\xAC\x20\x3D\xD8\x00\xDE\r\0\n\0", 12);
  const TIntFile f = TIntFile::FromBytes("X.int", bytes);
  EXPECT_EQ(f.ReadString("S", "A", "-"), "\xE9??");
}

TEST(IntFileTest, MissingOrEmptyFileNameGivesNoSections) {
  EXPECT_TRUE(TIntFile("").SectionNames().empty());
  const TIntFile missing("/nonexistent/folder/X.int");
  EXPECT_TRUE(missing.SectionNames().empty());
  EXPECT_EQ(missing.FileName(), "/nonexistent/folder/X.int");
}

class IntFileCacheTest : public roster_test::RosterTest {};

TEST_F(IntFileCacheTest, LoadsEachNameOnceWhateverItsCase) {
  testing_support::TempDir game;
  game.write("XPlayers.INT", "[DecoText]\nDefault=first\n");
  game.write("xgame.int", "[Public]\n");
  game.write("readme.txt", "[DecoText]\n");
  roster::LoadIntFiles(game.path());
  const roster::TIntFileList& cache = roster::IntFileList();
  ASSERT_EQ(cache.Count(), 2);
  EXPECT_EQ(cache.Name(0), "xgame.int");
  EXPECT_EQ(cache.Name(1), "XPlayers.INT");
  EXPECT_EQ(roster::LastIntDir(), game.path());
  const TIntFile* players = cache.Find("XPLAYERS.int");
  ASSERT_NE(players, nullptr);
  EXPECT_EQ(players->ReadString("DecoText", "Default", ""), "first");

  testing_support::TempDir other;
  other.write("xplayers.int", "[DecoText]\nDefault=second\n");
  other.write("New.int", "");
  roster::LoadIntFiles(other.path());
  EXPECT_EQ(cache.Count(), 3);
  EXPECT_EQ(cache.Find("XPlayers.int")->ReadString("DecoText", "Default", ""), "first");
}

TEST_F(IntFileCacheTest, SameDirectoryAgainReadsNothing) {
  testing_support::TempDir game;
  game.write("A.int", "");
  roster::LoadIntFiles(game.path());
  game.write("B.int", "");
  roster::LoadIntFiles(game.path());
  EXPECT_EQ(roster::IntFileList().Count(), 1);
  roster::FreeIntFiles();
  roster::LoadIntFiles(game.path());
  EXPECT_EQ(roster::IntFileList().Count(), 2);
}

TEST_F(IntFileCacheTest, RefusesADuplicateName) {
  CacheIntFile("XGame.int", "");
  EXPECT_THROW(CacheIntFile("XGAME.INT", ""), roster::EStringListError);
  EXPECT_EQ(roster::IntFileList().Count(), 1);
}

}  // namespace
