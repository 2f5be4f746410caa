#include "platform/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

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

std::string TemporaryNameBeside(const std::string& path) {
  static std::mt19937_64 rng{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
  return path + suffix;
}

}  // namespace

void WriteFileAtomic(const std::string& path, const std::string& bytes) {
  const std::string temp = TemporaryNameBeside(path);
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) throw EFileError("Cannot create file \"" + path + "\": " + std::strerror(errno));
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int err = ok ? 0 : errno;
  if (std::fflush(f) != 0 && ok) { ok = false; err = errno; }
  if (std::fclose(f) != 0 && ok) { ok = false; err = errno; }
  if (ok) {
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (!ec) return;
    err = ec.value();
  }
  std::error_code ignored;
  fs::remove(temp, ignored);
  throw EFileError("Cannot write file \"" + path + "\": " + std::strerror(err));
}

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
