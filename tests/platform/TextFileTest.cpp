#include "platform/TextFile.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

#include "common/TempDir.h"
#include "common/Unprivileged.h"

using namespace platform;
using testing_support::TempDir;
#ifndef _WIN32
using testing_support::AsUnprivilegedUser;
#endif

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

// Writes a file below `folder`, its folders made as needed.
std::string TempFile(const std::string& folder, const std::string& name, const std::string& bytes) {
  const std::filesystem::path path = std::filesystem::path(folder) / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
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

// A folder the user may not write takes no new file, and a read-only file
// in it stays read-only.
TEST(TextFile, UnwritableFolderSaysWhyAndKeepsTheFile) {
  AsUnprivilegedUser(
      [](const std::string& folder) {
        const std::string path = TempFile(folder, "locked/roster.upl", "old");
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        ASSERT_EQ(::chmod((folder + "/locked").c_str(), 0555), 0);
      },
      [](const std::string& folder) {
        const std::string locked = folder + "/locked";
        EXPECT_EQ(SaveError(locked + "/new.upl"), "Cannot save file \"" + locked + "/new.upl\": Permission denied");
        EXPECT_EQ(SaveError(locked + "/roster.upl"),
                  "Cannot save file \"" + locked + "/roster.upl\": the file is read-only");
        EXPECT_EQ(ReadFileBytes(locked + "/roster.upl"), "old");
        EXPECT_EQ(EntriesIn(locked), 1u);
      });
}

namespace {

// A file size limit for the process while it lives, so that a write fails
// half way as it would on a full disk.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &FOld);
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = FOld;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldHandler);
  }

 private:
  rlimit FOld{};
  void (*FOldHandler)(int);
};

}  // namespace

// A writable file in a folder that refuses the temporary beside it (no
// write right; a sticky folder guarding its owner's file) is written in
// place: the same file, its mode and owner kept, nothing left beside it.
TEST(TextFile, WritableFileInAFolderThatRefusesTheTemporaryIsWrittenInPlace) {
  AsUnprivilegedUser(
      [](const std::string& folder) {
        for (const char* name : {"locked/roster.upl", "locked/linked.upl", "locked/small.upl", "sticky/roster.upl"})
          ASSERT_EQ(::chmod(TempFile(folder, name, "old roster").c_str(), 0666), 0) << name;
        std::filesystem::create_directory(folder + "/links");
        std::filesystem::create_symlink("../locked/linked.upl", folder + "/links/via.upl");
        ASSERT_EQ(::chmod((folder + "/links").c_str(), 0777), 0);
        ASSERT_EQ(::chmod((folder + "/locked").c_str(), 0555), 0);
        ASSERT_EQ(::chmod((folder + "/sticky").c_str(), 01777), 0);
      },
      [](const std::string& folder) {
        const std::string locked = folder + "/locked";
        const uid_t owner = StatOf(locked).st_uid;
        const ino_t inode = StatOf(locked + "/roster.upl").st_ino;
        // The sticky folder refuses only where the file is someone else's:
        // then the owner shows whether the file was replaced.
        for (const std::string& path : {locked + "/roster.upl", folder + "/sticky/roster.upl"}) {
          SCOPED_TRACE(path);
          EXPECT_EQ(SaveError(path), "saved");
          EXPECT_EQ(ReadFileBytes(path), "new\r\n");
          EXPECT_EQ(StatOf(path).st_uid, owner);
          EXPECT_EQ(ModeOf(path), 0666u);
        }
        EXPECT_EQ(StatOf(locked + "/roster.upl").st_ino, inode);
        EXPECT_EQ(EntriesIn(locked), 3u);
        EXPECT_EQ(EntriesIn(folder + "/sticky"), 1u);

        EXPECT_EQ(SaveError(folder + "/links/via.upl"), "saved");
        EXPECT_EQ(ReadFileBytes(locked + "/linked.upl"), "new\r\n");
        EXPECT_TRUE(S_ISLNK(StatOf(folder + "/links/via.upl").st_mode));

        // Without a temporary a failed write is put right again.
        std::string error;
        {
          const TFileSizeLimit limit(16);
          try {
            WriteLines(locked + "/small.upl", {std::string(100, 'x')});
          } catch (const EFileError& e) {
            error = e.what();
          }
        }
        EXPECT_EQ(error, "Cannot save file \"" + locked + "/small.upl\": File too large");
        EXPECT_EQ(ReadFileBytes(locked + "/small.upl"), "old roster");
        EXPECT_EQ(EntriesIn(locked), 3u);
      });
}

#endif
