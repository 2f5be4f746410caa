#include "platform/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

namespace fs = std::filesystem;

std::string ReadFileBytes(const std::string& path) {
  // A folder opens as a stream on this platform but has no size to read.
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw EFileError("Cannot open file \"" + path + "\": it is a folder");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFileError("Cannot open file \"" + path + "\"");
  std::string data;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) throw EFileError("Cannot read file \"" + path + "\"");
  if (size > 0) {
    data.resize(static_cast<std::size_t>(size));
    in.seekg(0, std::ios::beg);
    in.read(data.data(), size);
    if (in.gcount() != size) throw EFileError("Cannot read file \"" + path + "\"");
  }
  return data;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text, start, i - start);
    if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.emplace_back(text, start, n - start);
  return lines;
}

std::vector<std::string> ReadLines(const std::string& path) { return SplitLines(ReadFileBytes(path)); }

namespace {

// A new name in `folder` for a temporary file that belongs to `path`: the
// file's name, a random number and `ending`.
std::string TemporaryNameIn(const fs::path& folder, const std::string& path, const char* ending) {
  static std::mt19937_64 rng{std::random_device{}()};
  char suffix[32];
  const int length = std::snprintf(suffix, sizeof suffix, ".%016llx%s", static_cast<unsigned long long>(rng()), ending);
  // The temporary's name must be a legal name too: a file name near the
  // longest a folder takes gives up its end to the suffix.
  constexpr std::size_t longestName = 255;
  std::string name = fs::path(path).filename().string();
  name.resize(std::min(name.size(), longestName - static_cast<std::size_t>(length)));
  return (folder / (name + suffix)).string();
}

std::string TemporaryNameBeside(const std::string& path) {
  return TemporaryNameIn(fs::path(path).parent_path(), path, ".tmp");
}

// Every failed save reads the same way: which file, and why.
[[noreturn]] void SaveFailed(const std::string& path, const std::string& why) {
  throw EFileError("Cannot save file \"" + path + "\": " + why);
}

[[noreturn]] void SaveFailed(const std::string& path, int err) { SaveFailed(path, std::strerror(err)); }

const char* const kReadOnly = "the file is read-only";

}  // namespace

#ifndef _WIN32

namespace {

// The file a save must replace: `path` itself, or for a symbolic link (or a
// chain of them) the file it finally points at, so that the link stays a
// link. A relative link target counts from the link's own folder. A link that
// points nowhere yet is saved at the place it points to.
std::string FinalTarget(const std::string& path, int& err) {
  fs::path current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current.string();
    std::error_code ec;
    const fs::path target = fs::read_symlink(current, ec);
    if (ec) {
      err = ec.value();
      return {};
    }
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  err = ELOOP;
  return {};
}

bool WriteAll(int fd, const std::string& bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Makes the rename itself durable. A file system that cannot sync a folder
// says EINVAL; the file is in place then and the save stands.
int SyncFolderOf(const std::string& file) {
  const fs::path parent = fs::path(file).parent_path();
  const fs::path folder = parent.empty() ? fs::path(".") : parent;
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int err = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  ::close(fd);
  return err;
}

// Writes the bytes into the new file open on `fd`, syncs and closes it:
// 0, or the errno of the first step that failed. The file is closed either
// way.
int FillNewFile(int fd, const std::string& bytes) {
  int err = WriteAll(fd, bytes) && ::fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

// A copy of the file's old bytes in the user's temporary folder, for the
// user alone, on the disk with its name before the file is overwritten in
// place: a crash or a failing disk half way through leaves them there. The
// save fails, the file untouched, when no copy can be kept.
std::string KeepOldBytes(const std::string& path, const std::string& target, const std::string& old) {
  std::error_code ec;
  const fs::path folder = fs::temp_directory_path(ec);
  std::string copy;
  if (!ec) {
    copy = TemporaryNameIn(folder, target, ".old");
    const int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    int err = fd < 0 ? errno : FillNewFile(fd, old);
    if (err == 0) err = SyncFolderOf(copy);
    if (err != 0 && fd >= 0) ::unlink(copy.c_str());
    ec.assign(err, std::generic_category());
  }
  if (ec)
    SaveFailed(path, "the folder cannot be written, and no copy of the file's old bytes could be kept in \"" +
                         folder.string() + "\": " + ec.message());
  return copy;
}

// Writes over the file itself, for a file the user may write in a folder
// the user may not: the save cannot be atomic then. The old bytes are kept
// in a copy first and put back when the write fails; the message says
// whether that worked, or where the copy is. The file keeps its mode and
// owner, being the same file.
void WriteInPlace(const std::string& path, const std::string& target, const std::string& bytes) {
  std::string old;
  try {
    old = ReadFileBytes(target);
  } catch (const EFileError&) {
    SaveFailed(path, "the folder cannot be written and the file cannot be read back before it is overwritten");
  }
  const std::string copy = KeepOldBytes(path, target, old);
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    ::unlink(copy.c_str());
    SaveFailed(path, err);
  }
  const auto writeWhole = [fd](const std::string& data) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, data) &&
           ::ftruncate(fd, static_cast<off_t>(data.size())) == 0 && ::fsync(fd) == 0;
  };
  // A shorter text cuts the file to its size first, so that no crash after
  // the write leaves the old text's end behind the new one.
  const bool cut =
      bytes.size() >= old.size() || (::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0);
  const bool written = cut && writeWhole(bytes);
  const std::string why = written ? std::string() : std::strerror(errno);
  const bool restored = written || writeWhole(old);
  // Whatever was written reached the disk with fsync, or the step failed.
  ::close(fd);
  if (restored) ::unlink(copy.c_str());
  if (written) return;
  if (restored) SaveFailed(path, why + "; the file is unchanged");
  SaveFailed(path, why + "; the file may be damaged, and a copy of its old bytes is in \"" + copy + "\"");
}

// Whether a failure to make or rename the temporary is the folder's refusal
// (no write right, or a sticky folder guarding another user's file).
bool FolderRefused(int err) { return err == EACCES || err == EPERM; }

}  // namespace

void WriteFileAtomic(const std::string& path, const std::string& bytes) {
  int err = 0;
  const std::string target = FinalTarget(path, err);
  if (err) SaveFailed(path, err);

  // A file the user marked read-only is not replaced, even though the rename
  // would be allowed by the folder. Root may write anything, so for root a
  // file with no write bit for anyone counts as marked read-only.
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) SaveFailed(path, errno);
  const bool replacesFile = exists && S_ISREG(old.st_mode);
  if (replacesFile) {
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) SaveFailed(path, kReadOnly);
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
      if (errno == EACCES) SaveFailed(path, kReadOnly);
      SaveFailed(path, errno);
    }
  }

  // A new file gets the usual 0666 less the umask; a replaced one keeps its
  // owner (where allowed) and its permission bits, set after the owner
  // because a change of owner clears the set-id bits.
  const std::string temp = TemporaryNameBeside(target);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    // The file may be writable where the folder is not.
    if (replacesFile && FolderRefused(errno)) return WriteInPlace(path, target, bytes);
    SaveFailed(path, errno);
  }
  int failure = 0;  // errno of the first step that failed
  if (replacesFile) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
      // Only root may hand a file to someone else; the file becomes this user's.
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) failure = errno;
  }
  // The data reach the disk before the name points at them.
  if (failure == 0)
    failure = FillNewFile(fd, bytes);
  else
    ::close(fd);
  bool renameRefused = false;
  if (failure == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
    failure = errno;
    renameRefused = FolderRefused(failure);
  }
  if (failure != 0) {
    ::unlink(temp.c_str());
    if (replacesFile && renameRefused) return WriteInPlace(path, target, bytes);
    SaveFailed(path, failure);
  }
  // The new file is in place now, but may not stay there after a crash: say
  // so: the caller keeps its document modified and a second save costs nothing.
  err = SyncFolderOf(target);
  if (err) SaveFailed(path, err);
}

#else

// On Windows the read-only attribute is the one permission a save has to
// respect; the rename replaces the file (and a symbolic link, rather than
// following it).
void WriteFileAtomic(const std::string& path, const std::string& bytes) {
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (fs::is_regular_file(st) && (st.permissions() & fs::perms::owner_write) == fs::perms::none)
    SaveFailed(path, kReadOnly);
  const std::string temp = TemporaryNameBeside(path);
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) SaveFailed(path, errno);
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int err = ok ? 0 : errno;
  if (std::fflush(f) != 0 && ok) { ok = false; err = errno; }
  if (std::fclose(f) != 0 && ok) { ok = false; err = errno; }
  if (ok) {
    fs::rename(temp, path, ec);
    if (!ec) return;
    err = ec.value();
  }
  std::error_code ignored;
  fs::remove(temp, ignored);
  SaveFailed(path, err);
}

#endif

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  std::size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  text.reserve(total);
  for (const auto& l : lines) {
    text += l;
    text += "\r\n";
  }
  WriteFileAtomic(path, text);
}

}  // namespace platform
