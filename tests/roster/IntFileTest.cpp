#include <gtest/gtest.h>

#include "../common/TempDir.h"
#include "RosterTestSupport.h"
#include "roster/PuGameFiles.h"

using roster::TIntFile;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

namespace {

TIntFile Read(const std::string& bytes) { return TIntFile::FromBytes("X.int", bytes); }

TEST(IntFileTest, KeepsLinesVerbatimAndDropsWhatTheGameIgnores) {
  const TIntFile f = Read(
      "Before=1\r\n[Public]\r\n  Spaced = 2 \r\n\r\n;comment\r\n ;kept=3\r\n [NotAHeader]\rloose\nLast=4\0[T]\r\nx=1"s);
  EXPECT_EQ(f.ReadSectionLines("public"), (Lines{"  Spaced = 2 ", " ;kept=3", " [NotAHeader]", "loose", "Last=4"}));
  EXPECT_EQ(f.SectionNames(), Lines{"Public"});  // the NUL ended the text
  EXPECT_EQ(f.ReadString("Public", "  Spaced ", "-"), " 2 ");
  EXPECT_EQ(f.ReadString("Public", " ;KEPT", "-"), "3");
  EXPECT_EQ(f.ReadString("Public", "Spaced", "-"), "-");
  EXPECT_EQ(f.ReadString("Public", "", "-"), "-");  // "loose" has no "=" and no name
  EXPECT_FALSE(f.ValueExists("Public", "loose"));
  EXPECT_FALSE(f.ValueExists("Public", "Before"));
}

TEST(IntFileTest, FirstOfRepeatedSectionsWinsAndNamesIgnoreCase) {
  const TIntFile f = Read("[decotext]\nDefault=text\nDefault=second\n[Empty]\n[DecoText]\nLate=1\n");
  EXPECT_EQ(f.ReadDecoText(), (Lines{"Default=text", "Default=second"}));
  EXPECT_EQ(f.ReadString("DECOTEXT", "DEFAULT", ""), "text");
  EXPECT_FALSE(f.ValueExists("DecoText", "Late"));
  EXPECT_FALSE(f.SectionExists("Empty"));
  EXPECT_TRUE(f.ReadSectionLines("Missing").empty());
}

TEST(IntFileTest, ObjectsAreTheExactlyNamedObjectLinesOfPublic) {
  const TIntFile f = Read(
      "[Public]\nObject=(Name=a.b,Class=Class,MetaClass=Engine.Weapon)\nobject=(Name=c.d)\nOBJECT=(Name=e)\n"
      "Object =(Name=f)\nObject\n;Object=(Name=g)\n[Other]\nObject=(Name=h)\n");
  EXPECT_EQ(f.ReadObjects(), Lines{"Object=(Name=a.b,Class=Class,MetaClass=Engine.Weapon)"});
}

TEST(IntFileTest, Utf16FileIsNarrowedToEightBits) {
  std::string bytes = "\xFF\xFE";  // "[S]\r\nA=é€😀\r\n" in UTF-16LE
  for (char c : std::string("[S]\r\nA=")) bytes += std::string{c, '\0'};
  bytes += std::string("\xE9\x00\xAC\x20\x3D\xD8\x00\xDE\r\0\n\0", 12);
  EXPECT_EQ(Read(bytes).ReadString("S", "A", "-"), "\xE9??");
}

class IntFileCacheTest : public roster_test::RosterTest {};

TEST_F(IntFileCacheTest, LoadsEachNameOnceWhateverItsCaseOrFolder) {
  testing_support::TempDir game, other;
  game.write("XPlayers.INT", "[DecoText]\nDefault=first\n");
  game.write("xgame.int", "");
  game.write("readme.txt", "[DecoText]\n");
  other.write("xplayers.int", "[DecoText]\nDefault=second\n");
  other.write("New.int", "");
  roster::GameFiles().LoadIntFiles(game.path());
  const roster::TIntFileList& cache = roster::GameFiles().IntFiles();
  ASSERT_EQ(cache.Count(), 2);
  EXPECT_EQ(cache.Name(1), "XPlayers.INT");
  roster::GameFiles().LoadIntFiles(other.path());
  EXPECT_EQ(cache.Count(), 3);
  EXPECT_EQ(cache.Find("xplayers.int")->ReadString("DecoText", "Default", ""), "first");
  EXPECT_THROW(CacheIntFile("XGAME.INT", ""), roster::EStringListError);
}

TEST_F(IntFileCacheTest, SameDirectoryAgainReadsNothingUntilFreed) {
  testing_support::TempDir game;
  game.write("A.int", "");
  roster::GameFiles().LoadIntFiles(game.path());
  game.write("B.int", "");
  roster::GameFiles().LoadIntFiles(game.path());
  EXPECT_EQ(roster::GameFiles().IntFiles().Count(), 1);
  roster::GameFiles().FreeIntFiles();
  roster::GameFiles().LoadIntFiles(game.path());
  EXPECT_EQ(roster::GameFiles().IntFiles().Count(), 2);
  EXPECT_TRUE(TIntFile(game.file("missing.int")).SectionNames().empty());
}

}  // namespace
