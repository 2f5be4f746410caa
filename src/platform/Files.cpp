#include "platform/Files.h"

#include <algorithm>
#include <filesystem>

#include "platform/AsciiText.h"

namespace platform {

namespace fs = std::filesystem;

bool MatchesPattern(std::string_view pattern, std::string_view name) {
  // Iterative matcher with one backtrack point: linear in practice and no
  // recursion, whatever the pattern.
  std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || AsciiUpper(pattern[p]) == AsciiUpper(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

namespace {

std::vector<std::string> ListEntries(const std::string& dir, std::string_view pattern, bool wantDirs) {
  std::vector<std::string> names;
  std::error_code ec;
  // Stepping with an error code: a folder that changes or turns unreadable
  // while it is listed ends the listing instead of throwing.
  for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::directory_entry& entry = *it;
    std::error_code typeEc;
    const bool isDir = entry.is_directory(typeEc);
    const bool isFile = entry.is_regular_file(typeEc);
    if (wantDirs ? !isDir : !isFile) continue;
    // The iterator itself never yields "." and "..".
    std::string name = entry.path().filename().string();
    if (MatchesPattern(pattern, name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), TextLess{});
  return names;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

}  // namespace

std::vector<std::string> ListFiles(const std::string& dir, std::string_view pattern) {
  return ListEntries(dir, pattern, false);
}

std::vector<std::string> ListDirectories(const std::string& dir, std::string_view pattern) {
  return ListEntries(dir, pattern, true);
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

std::optional<std::string> FindPathIgnoringCase(const std::string& path) {
  std::error_code ec;
  if (path.empty()) return std::nullopt;
  if (fs::exists(path, ec)) return path;
  // Walk the parts from the root, taking each one as it is spelled on disk.
  std::string current;
  std::size_t pos = 0;
  if (IsSeparator(path[0])) {
    current = "/";
    pos = 1;
  }
  while (pos <= path.size()) {
    std::size_t next = pos;
    while (next < path.size() && !IsSeparator(path[next])) ++next;
    const std::string part = path.substr(pos, next - pos);
    pos = next + 1;
    if (part.empty() || part == ".") continue;
    std::string base = current.empty() ? "." : current;
    std::string found;
    if (part == "..") {
      found = part;
    } else if (fs::exists(fs::path(base) / part, ec)) {
      found = part;
    } else {
      for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (SameText(name, part)) {
          found = name;
          break;
        }
      }
      if (found.empty()) return std::nullopt;
    }
    current = current.empty() ? found : (current == "/" ? "/" + found : current + "/" + found);
  }
  if (current.empty() || !fs::exists(current, ec)) return std::nullopt;
  return current;
}

std::string PathOnDisk(const std::string& path) { return FindPathIgnoringCase(path).value_or(path); }

bool CreateDirectoryLevel(const std::string& path) {
  std::error_code ec;
  fs::create_directory(path, ec);
  return DirectoryExists(path);
}

bool DeleteFileAt(const std::string& path) {
  std::error_code ec;
  fs::remove(path, ec);
  return !fs::exists(path, ec);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (IsSeparator(dir.back())) return dir + name;
  return dir + "/" + name;
}

std::string ExtractFileName(const std::string& path) {
  const std::size_t sep = LastSeparator(path);
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string ExtractFileDir(const std::string& path) {
  const std::size_t sep = LastSeparator(path);
  if (sep == std::string::npos) return std::string();
  if (sep == 0) return path.substr(0, 1);
  return path.substr(0, sep);
}

std::string ExtractFileExt(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t sep = LastSeparator(path);
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return std::string();
  return path.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  const std::string old = ExtractFileExt(path);
  return path.substr(0, path.size() - old.size()) + ext;
}

}  // namespace platform

