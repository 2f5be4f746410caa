#include "platform/TextFile.h"

#include <filesystem>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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

TEST(TextFile, AFileWithALongNameIsSavedAndReplaced) {
  // Its temporary lies beside it and must be a legal name as well.
  TempDir dir;
  const std::string path = dir.file(std::string(250, 'r') + ".upl");
  WriteLines(path, {"first"});
  WriteLines(path, {"second"});
  EXPECT_EQ(ReadFileBytes(path), "second\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(TextFile, SaveIntoAMissingFolderFailsCleanly) {
  TempDir dir;
  try {
    WriteLines(dir.file("nowhere/roster.upl"), {"x"});
    FAIL() << "expected EFileError";
  } catch (const EFileError& e) {
    EXPECT_STREQ(e.what(), ("Cannot save file \"" + dir.file("nowhere/roster.upl") + "\": No such file or directory").c_str());
  }
  EXPECT_THROW(ReadFileBytes(dir.file("missing.int")), EFileError);
  EXPECT_THROW(ReadFileBytes(dir.path()), EFileError);
}

#ifndef _WIN32

namespace {

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

unsigned ModeOf(const std::string& path) { return StatOf(path).st_mode & 07777; }

std::size_t EntriesIn(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

std::string SaveError(const std::string& path) {
  try {
    WriteLines(path, {"new"});
  } catch (const EFileError& e) {
    return e.what();
  }
  return "saved";
}

}  // namespace

// A file without any write bit counts as read-only for root too, so this runs
// as any user.
TEST(TextFile, ReadOnlyFileIsNotReplaced) {
  TempDir dir;
  const std::string path = dir.write("roster.upl", "old");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(SaveError(path), "Cannot save file \"" + path + "\": the file is read-only");
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_EQ(ModeOf(path), 0444u);
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(TextFile, SaveThroughAChainOfRelativeLinksWritesTheTarget) {
  TempDir dir;
  const std::string real = dir.write("real.upl", "old");
  std::filesystem::create_directory(dir.file("links"));
  std::filesystem::create_symlink("../real.upl", dir.file("links/second.upl"));
  std::filesystem::create_symlink("links/second.upl", dir.file("first.upl"));

  WriteLines(dir.file("first.upl"), {"new"});
  EXPECT_EQ(ReadFileBytes(real), "new\r\n");
  EXPECT_TRUE(S_ISLNK(StatOf(dir.file("first.upl")).st_mode));
  EXPECT_EQ(std::filesystem::read_symlink(dir.file("first.upl")), "links/second.upl");
  EXPECT_EQ(std::filesystem::read_symlink(dir.file("links/second.upl")), "../real.upl");
  EXPECT_EQ(EntriesIn(dir.path()), 3u);
  EXPECT_EQ(EntriesIn(dir.file("links")), 1u);
}

TEST(TextFile, ReplacedFileKeepsModeAndOwnerNewFileGetsTheDefault) {
  TempDir dir;
  const std::string path = dir.write("roster.upl", "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  // Only root can hand the file to someone else; the save must give it back.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  }
  WriteLines(path, {"new"});
  EXPECT_EQ(ReadFileBytes(path), "new\r\n");
  EXPECT_EQ(ModeOf(path), 0640u);
  if (root) {
    EXPECT_EQ(StatOf(path).st_uid, 65534u);
    EXPECT_EQ(StatOf(path).st_gid, 65534u);
  }

  const mode_t previous = ::umask(027);
  WriteLines(dir.file("new.upl"), {"x"});
  ::umask(previous);
  EXPECT_EQ(ModeOf(dir.file("new.upl")), 0640u);
}

TEST(TextFile, UnwritableFolderSaysWhyAndKeepsTheFile) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "running as root, who may write into any folder: an unwritable folder cannot be tested";
  TempDir dir;
  const std::string path = dir.write("locked/roster.upl", "old");
  ASSERT_EQ(::chmod(dir.file("locked").c_str(), 0555), 0);
  const std::string error = SaveError(path);
  ::chmod(dir.file("locked").c_str(), 0755);
  EXPECT_EQ(error, "Cannot save file \"" + path + "\": Permission denied");
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_EQ(EntriesIn(dir.file("locked")), 1u);
}

#endif
