#include "platform/TextFile.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <optional>
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

std::string SaveError(const std::string& path, const std::vector<std::string>& lines = {"new"}) {
  try {
    WriteLines(path, lines);
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

// The user's temporary folder, where a save in place keeps the file's old
// bytes, set to one of the test's own while it lives.
class TTemporaryFolder {
 public:
  explicit TTemporaryFolder(const std::string& folder) {
    if (const char* old = std::getenv("TMPDIR")) FOld = old;
    ::setenv("TMPDIR", folder.c_str(), 1);
  }
  ~TTemporaryFolder() { FOld ? ::setenv("TMPDIR", FOld->c_str(), 1) : ::unsetenv("TMPDIR"); }

 private:
  std::optional<std::string> FOld;
};

// A folder that user 65534 may write, for the temporary folder.
void MakeOpenFolder(const std::string& path) {
  std::filesystem::create_directory(path);
  ASSERT_EQ(::chmod(path.c_str(), 0777), 0);
}

}  // namespace

// A writable file in a folder that refuses the temporary beside it (no
// write right; a sticky folder guarding its owner's file) is written in
// place: the same file, its mode and owner kept, nothing left beside it.
TEST(TextFile, WritableFileInAFolderThatRefusesTheTemporaryIsWrittenInPlace) {
  AsUnprivilegedUser(
      [](const std::string& folder) {
        for (const char* name : {"locked/roster.upl", "locked/linked.upl", "sticky/roster.upl"})
          ASSERT_EQ(::chmod(TempFile(folder, name, "old roster").c_str(), 0666), 0) << name;
        std::filesystem::create_directory(folder + "/links");
        std::filesystem::create_symlink("../locked/linked.upl", folder + "/links/via.upl");
        ASSERT_EQ(::chmod((folder + "/links").c_str(), 0777), 0);
        ASSERT_EQ(::chmod((folder + "/locked").c_str(), 0555), 0);
        ASSERT_EQ(::chmod((folder + "/sticky").c_str(), 01777), 0);
        MakeOpenFolder(folder + "/tmp");
      },
      [](const std::string& folder) {
        const std::string locked = folder + "/locked";
        const TTemporaryFolder temporary(folder + "/tmp");
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
        EXPECT_EQ(EntriesIn(locked), 2u);
        EXPECT_EQ(EntriesIn(folder + "/sticky"), 1u);

        EXPECT_EQ(SaveError(folder + "/links/via.upl"), "saved");
        EXPECT_EQ(ReadFileBytes(locked + "/linked.upl"), "new\r\n");
        EXPECT_TRUE(S_ISLNK(StatOf(folder + "/links/via.upl").st_mode));
        EXPECT_EQ(EntriesIn(folder + "/tmp"), 0u);
      });
}

namespace {

// Writes to one file stop once `Left` more bytes went to it: with EIO from
// then on, as on a failing disk, or with the process's end, as in a crash.
// The test program's writes go through __wrap_write below (see
// tests/CMakeLists.txt).
struct TWriteFault {
  struct stat File;
  std::size_t Left;
  bool Crash;
};
std::optional<TWriteFault> WriteFault;
constexpr int CrashedInWrite = 77;

}  // namespace

extern "C" ssize_t __real_write(int fd, const void* data, std::size_t size);
extern "C" ssize_t __wrap_write(int fd, const void* data, std::size_t size) {
  struct stat st;
  if (!WriteFault || ::fstat(fd, &st) != 0 || st.st_dev != WriteFault->File.st_dev ||
      st.st_ino != WriteFault->File.st_ino)
    return __real_write(fd, data, size);
  if (WriteFault->Left == 0) {
    errno = EIO;
    return -1;
  }
  const ssize_t written = __real_write(fd, data, std::min(size, WriteFault->Left));
  if (written > 0) WriteFault->Left -= static_cast<std::size_t>(written);
  if (WriteFault->Crash && WriteFault->Left == 0) ::_exit(CrashedInWrite);
  return written;
}

// Until the new bytes are whole, the old ones of a file written in place
// are kept in the temporary folder: a write that fails half way puts them
// back, a failing disk or a crash leaves them in the copy, and where no copy
// can be made the file is not touched.
TEST(TextFile, SaveInPlaceKeepsTheOldBytesUntilTheNewOnesAreWhole) {
  AsUnprivilegedUser(
      [](const std::string& folder) {
        for (const char* name : {"locked/small.upl", "locked/disk.upl", "locked/crash.upl"})
          ASSERT_EQ(::chmod(TempFile(folder, name, "old roster\r\n").c_str(), 0666), 0) << name;
        ASSERT_EQ(::chmod(TempFile(folder, "locked/large.upl", std::string(40, 'o')).c_str(), 0666), 0);
        ASSERT_EQ(::chmod((folder + "/locked").c_str(), 0555), 0);
        MakeOpenFolder(folder + "/tmp");
      },
      [](const std::string& folder) {
        const std::string locked = folder + "/locked/", tmp = folder + "/tmp";
        const TTemporaryFolder temporary(tmp);
        const auto failure = [&](const std::string& name, const std::string& why) {
          return "Cannot save file \"" + locked + name + "\": " + why;
        };
        const std::vector<std::string> longer{std::string(100, 'x')};
        // A write that fails half way is undone; where not even the copy
        // fits, nothing is written.
        {
          const TFileSizeLimit limit(16);
          EXPECT_EQ(SaveError(locked + "small.upl", longer),
                    failure("small.upl", "File too large; the file is unchanged"));
          const std::string noCopy = "the folder cannot be written, and no copy of the file's old bytes could be kept";
          EXPECT_EQ(SaveError(locked + "large.upl", longer),
                    failure("large.upl", noCopy + " in \"" + tmp + "\": File too large"));
        }
        EXPECT_EQ(ReadFileBytes(locked + "small.upl"), "old roster\r\n");
        EXPECT_EQ(ReadFileBytes(locked + "large.upl"), std::string(40, 'o'));
        EXPECT_EQ(EntriesIn(tmp), 0u);

        // On a disk that fails for good the old bytes stay in the copy, and
        // the message says where.
        WriteFault = TWriteFault{StatOf(locked + "disk.upl"), 5, false};
        const std::string error = SaveError(locked + "disk.upl", longer);
        WriteFault.reset();
        ASSERT_EQ(EntriesIn(tmp), 1u);
        const std::string copy = std::filesystem::directory_iterator(tmp)->path().string();
        const std::string damaged = "Input/output error; the file may be damaged, and a copy of its old bytes is in";
        EXPECT_EQ(error, failure("disk.upl", damaged + " \"" + copy + "\""));
        EXPECT_EQ(ReadFileBytes(copy), "old roster\r\n");
        std::filesystem::remove(copy);

        // A crash right after a shorter text was written leaves that text
        // alone, without the old one's end after it.
        const pid_t child = ::fork();
        if (child == 0) {
          WriteFault = TWriteFault{StatOf(locked + "crash.upl"), 5, true};
          SaveError(locked + "crash.upl");
          ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == CrashedInWrite) << status;
        EXPECT_EQ(ReadFileBytes(locked + "crash.upl"), "new\r\n");
        ASSERT_EQ(EntriesIn(tmp), 1u);
        EXPECT_EQ(ReadFileBytes(std::filesystem::directory_iterator(tmp)->path().string()), "old roster\r\n");
      });
}

#endif
