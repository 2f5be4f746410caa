#pragma once

// The real game files kept beside the checkout (../shared/realdata). A clone
// on its own has none: tests that need them skip with a clear message.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace testing_support {

inline std::string RealDataPath(const std::string& relative) {
  return (std::filesystem::path(ROSTERWELL_REALDATA_DIR) / relative).string();
}

// The whole of a real file, for tests that cut or change a copy of it.
inline std::string RealDataBytes(const std::string& relative) {
  std::ifstream in(RealDataPath(relative), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool HaveRealData(const std::string& relative) { return std::filesystem::exists(RealDataPath(relative)); }

}  // namespace testing_support

// Skips the current test when the real file or folder is not there.
#define REQUIRE_REALDATA(relative)                                                            \
  do {                                                                                        \
    if (!::testing_support::HaveRealData(relative))                                           \
      GTEST_SKIP() << "real game file " << ::testing_support::RealDataPath(relative)          \
                   << " is not there (the shared/realdata folder beside the checkout)";     \
  } while (0)
