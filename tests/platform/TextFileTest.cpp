#include "platform/TextFile.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "common/TempDir.h"

using namespace platform;
using testing_support::TempDir;

TEST(TextFile, SplitLinesHandlesEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
  EXPECT_EQ(SplitLines("\n"), std::vector<std::string>{""});
  // Bytes of every value pass through, NUL included.
  EXPECT_EQ(SplitLines(std::string("x\0\xff", 3))[0], std::string("x\0\xff", 3));
}

TEST(TextFile, WriteLinesEndsEveryLineWithCrLfAndReadsBack) {
  TempDir dir;
  const std::string path = dir.file("roster.upl");
  WriteLines(path, {"[Public]", "", "Player=(DefaultName=\"J\xe9r\xf4me\")"});
  EXPECT_EQ(ReadFileBytes(path), "[Public]\r\n\r\nPlayer=(DefaultName=\"J\xe9r\xf4me\")\r\n");
  EXPECT_EQ(ReadLines(path).size(), 3u);
}

TEST(TextFile, FailedSaveLeavesWhatWasThereAndNoTemporary) {
  TempDir dir;
  // The rename cannot replace a folder: the save fails after the temporary
  // file was written, which must then be gone again.
  dir.write("roster.upl/keep.txt", "old");
  EXPECT_THROW(WriteLines(dir.file("roster.upl"), {"new"}), EFileError);
  EXPECT_EQ(ReadFileBytes(dir.file("roster.upl/keep.txt")), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(TextFile, SaveIntoAMissingFolderFailsCleanly) {
  TempDir dir;
  try {
    WriteLines(dir.file("nowhere/roster.upl"), {"x"});
    FAIL() << "expected EFileError";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find("roster.upl"), std::string::npos);
  }
  EXPECT_THROW(ReadFileBytes(dir.file("missing.int")), EFileError);
  EXPECT_THROW(ReadFileBytes(dir.path()), EFileError);
}
