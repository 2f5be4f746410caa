#pragma once

// The package reader opens packages by file name, so every input is
// written to a file first. The file lies in a private folder, so that
// sibling lookups can only ever find the input itself (named so that an
// import of "fuzz" reaches it).

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzing {

inline const std::string& InputPath(const char* extension) {
  static const std::string path = [extension] {
    char dir[] = "/tmp/rosterwell-fuzz-XXXXXX";
    if (!mkdtemp(dir)) std::abort();
    return std::string(dir) + "/fuzz" + extension;
  }();
  return path;
}

// Writes the input to InputPath; aborts when it cannot, as then no input
// would be tested at all.
inline const std::string& WriteInput(const std::uint8_t* data, std::size_t size, const char* extension) {
  const std::string& path = InputPath(extension);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  const bool written = size == 0 || std::fwrite(data, 1, size, f) == size;
  if (std::fclose(f) != 0 || !written) std::abort();
  return path;
}

}  // namespace fuzzing
