#include "roster/PuBioEntry.h"

#include <gtest/gtest.h>

#include "../common/TempDir.h"
#include "platform/TextFile.h"
#include "roster/PuGameFiles.h"
#include "roster/PuUtTypes.h"

using namespace roster;
using Lines = std::vector<std::string>;
using testing_support::TempDir;

namespace {

constexpr const char* Entry = "AnnBio=\"Name:  Ann|\"";

std::string Put(const std::string& bytes, const std::string& key = "AnnBio") {
  return PutBioEntry(bytes, "X.int", key, Entry).Bytes;
}

TEST(BioEntry, EntryLineEndsEveryLineWithABar) {
  EXPECT_EQ(BioEntryLine("AnnBio", {"Name:  Ann", "Age:   N/A"}), "AnnBio=\"Name:  Ann|Age:   N/A|\"");
  EXPECT_EQ(CleanBioLines({std::string("a\0b\tc\x01\x1f\x7f\xe9", 9)}), Lines{"ab\tc\x7f\xe9"});
}

TEST(BioEntry, KeysTheGameCannotReadBackAreRefused) {
  // A double quote would end the bot's Text reference in its roster line:
  // Text="XPlayers.A",Mesh" sets the mesh.
  for (const std::string key : {"", "  ", "A=B", "[A", ";A", "A\rB", "A\",Mesh", "\"A"})
    EXPECT_THROW(CheckBioKey(key), EBioError) << key;
  EXPECT_NO_THROW(CheckBioKey("AnnBio"));
  EXPECT_NO_THROW(CheckBioKey("A;B"));
}

struct TPlacement {
  const char* Name;
  std::string Before;
  std::string After;
  bool Replaced;
};

class BioPlacement : public ::testing::TestWithParam<TPlacement> {};

TEST_P(BioPlacement, OnlyTheEntryChanges) {
  const TBioFileEdit edit = PutBioEntry(GetParam().Before, "X.int", "AnnBio", Entry);
  EXPECT_EQ(edit.Bytes, GetParam().After);
  EXPECT_EQ(edit.Replaced, GetParam().Replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BioPlacement,
    ::testing::Values(
        TPlacement{"AfterLastLineOfSectionNotAtEnd",
                   "[DecoText]\r\nA=\"a\"\r\n\r\n[Public]\r\nX=1\r\n",
                   "[DecoText]\r\nA=\"a\"\r\nAnnBio=\"Name:  Ann|\"\r\n\r\n[Public]\r\nX=1\r\n", false},
        TPlacement{"LfLinesStayLf", "[Public]\nX=1\n[decotext]\nA=\"a\"\n",
                   "[Public]\nX=1\n[decotext]\nA=\"a\"\nAnnBio=\"Name:  Ann|\"\n", false},
        TPlacement{"LastLineWithoutBreak", "[DecoText]\nA=\"a\"", "[DecoText]\nA=\"a\"\nAnnBio=\"Name:  Ann|\"",
                   false},
        TPlacement{"ReplacedInPlaceWhateverItsCase", "[DecoText]\r\nannbio=\"old\"\r\nB=\"b\"\r\n",
                   "[DecoText]\r\nAnnBio=\"Name:  Ann|\"\r\nB=\"b\"\r\n", true},
        TPlacement{"KeyInOtherSectionLeftAlone", "[Public]\nAnnBio=\"keep\"\n[DecoText]\nA=\"a\"\n",
                   "[Public]\nAnnBio=\"keep\"\n[DecoText]\nA=\"a\"\nAnnBio=\"Name:  Ann|\"\n", false},
        TPlacement{"CommentAndSecondSectionLeftAlone",
                   "[DecoText]\n;AnnBio=\"c\"\nA=\"a\"\n[DecoText]\nAnnBio=\"2\"\n",
                   "[DecoText]\n;AnnBio=\"c\"\nA=\"a\"\nAnnBio=\"Name:  Ann|\"\n[DecoText]\nAnnBio=\"2\"\n", false},
        TPlacement{"NoSectionAddsOneAtTheEnd", "[Public]\r\nX=1", "[Public]\r\nX=1\r\n\r\n[DecoText]\r\nAnnBio=\"Name:  Ann|\"\r\n",
                   false},
        TPlacement{"EmptyFile", "", "[DecoText]\r\nAnnBio=\"Name:  Ann|\"\r\n", false},
        TPlacement{"EmptySection", "[DecoText]\r\n\r\n[Next]\r\n",
                   "[DecoText]\r\nAnnBio=\"Name:  Ann|\"\r\n\r\n[Next]\r\n", false},
        // The cache reads the section behind a UTF-8 mark: so does the write.
        TPlacement{"SectionBehindAUtf8Mark", "\xEF\xBB\xBF[DecoText]\r\nannbio=\"old\"\r\n",
                   "\xEF\xBB\xBF[DecoText]\r\nAnnBio=\"Name:  Ann|\"\r\n", true},
        TPlacement{"NewEntryBehindAUtf8Mark", "\xEF\xBB\xBF[DecoText]\nA=\"a\"\n",
                   "\xEF\xBB\xBF[DecoText]\nA=\"a\"\nAnnBio=\"Name:  Ann|\"\n", false}),
    [](const ::testing::TestParamInfo<TPlacement>& info) { return std::string(info.param.Name); });

TEST(BioEntry, TextThatIsNot8BitIsRefused) {
  try {
    Put("\xFF\xFE[\0D\0");
    ADD_FAILURE() << "written";
  } catch (const EBioError& e) {
    // The game reads UTF-16 .int files; it is the editor that does not write them.
    EXPECT_EQ(std::string(e.what()),
              "\"X.int\" is UTF-16 text, and this editor writes only 8-bit .int files.\r"
              "The biography was not written into it.");
  }
  EXPECT_THROW(Put("\xFE\xFF\0[\0D"), EBioError);
  EXPECT_THROW(Put(std::string("[DecoText]\nA=\"a\0\"\n", 17)), EBioError);
  EXPECT_NO_THROW(Put("\xEF\xBB\xBF[DecoText]\n"));  // UTF-8 is 8-bit text
}

// Only the value's outer pair of quotes is taken off when the game's file
// is read (the game's own XPlayers.int holds "Lord of the Krall" inside a
// biography), so quotes typed in a biography come back as typed.
TEST(BioEntry, QuotesInsideABiographyComeBackAsTyped) {
  TempDir dir;
  const std::string path = dir.write("XPlayers.int", "[DecoText]\nDefault=\"x\"\n");
  const Lines said = {"Name:  Ann", "", "Data:", "Not available. say \"hi\""};
  const Lines quoted = {"\"quoted\"", "\""};
  const auto yes = [] { return true; };
  ASSERT_TRUE(WriteBioEntry(path, "SayBio", said, yes));
  ASSERT_TRUE(WriteBioEntry(path, "QuotedBio", quoted, yes));
  GameFiles().IntFiles().Add("XPlayers.int", std::make_unique<TIntFile>(TIntFile::FromBytes(
                                                 "XPlayers.int", platform::ReadFileBytes(path))));
  const auto read = [](const char* ref) {
    TUtType text;
    text.SetString(ref);
    return platform::SplitLines(text.AsIntText());
  };
  EXPECT_EQ(read("XPlayers.SayBio"), said);
  EXPECT_EQ(read("XPlayers.QuotedBio"), quoted);
  GameFiles().FreeIntFiles();
}

TEST(BioEntry, WriteAsksBeforeReplacingAndFailsWithoutChange) {
  TempDir dir;
  const std::string path = dir.write("XPlayers.int", "[DecoText]\nAnnBio=\"old\"\n");
  int asked = 0;
  EXPECT_FALSE(WriteBioEntry(path, "ANNBIO", {"new"}, [&] { return ++asked, false; }));
  EXPECT_EQ(platform::ReadFileBytes(path), "[DecoText]\nAnnBio=\"old\"\n");
  EXPECT_TRUE(WriteBioEntry(path, "ANNBIO", {"new", "line"}, [&] { return ++asked, true; }));
  EXPECT_EQ(platform::ReadFileBytes(path), "[DecoText]\nANNBIO=\"new|line|\"\n");
  EXPECT_EQ(asked, 2);

  // Empty after dropping control characters, a bad key, a missing file:
  // refused before anything is written or asked.
  const auto never = [] {
    ADD_FAILURE() << "asked";
    return true;
  };
  EXPECT_THROW(WriteBioEntry(path, "B", {std::string("\0\x01", 2), " "}, never), EBioError);
  EXPECT_THROW(WriteBioEntry(path, "B", {}, never), EBioError);
  EXPECT_THROW(WriteBioEntry(path, "B=", {"x"}, never), EBioError);
  EXPECT_THROW(WriteBioEntry(dir.file("Missing.int"), "B", {"x"}, never), platform::EFileError);
  EXPECT_EQ(platform::ReadFileBytes(path), "[DecoText]\nANNBIO=\"new|line|\"\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("Missing.int")));
}

}  // namespace
