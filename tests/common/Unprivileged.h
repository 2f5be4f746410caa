#pragma once

// Runs part of a test as a user without privileges, for what only such a
// user meets (a folder it may not write). Root may write anything, and the
// tests run as root in CI: there the test program runs itself again for the
// one test, under `setpriv` as user and group 65534 ("nobody"), and that run
// does the unprivileged part. Another user does it in the test itself.

#ifndef _WIN32

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "common/TempDir.h"

namespace testing_support {

// The variable that tells the second run which folder its first run made.
inline const char* const UnprivilegedFolderVariable = "ROSTERWELL_UNPRIVILEGED_FOLDER";
inline constexpr unsigned UnprivilegedId = 65534;

// What the program in `folder` gave, and whether it got as far as the test.
struct TUnprivilegedRun {
  bool Started = false;
  int ExitCode = -1;
  std::string Output;
};

inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs the current test of this program again, as user 65534, on `folder`.
// The program is copied into the folder first, since the build folder may
// be closed to that user.
inline TUnprivilegedRun RunTestAsNobody(const std::string& folder) {
  namespace fs = std::filesystem;
  TUnprivilegedRun run;
  const std::string program = (fs::path(folder) / "test-program").string();
  std::error_code ec;
  fs::copy_file("/proc/self/exe", program, fs::copy_options::overwrite_existing, ec);
  if (ec || ::chmod(program.c_str(), 0755) != 0) {
    run.Output = "cannot copy the test program into " + folder;
    return run;
  }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
  const std::string id = std::to_string(UnprivilegedId);
  const std::string command = std::string(UnprivilegedFolderVariable) + "=" + ShellQuoted(folder) +
                              " setpriv --reuid=" + id + " --regid=" + id + " --clear-groups " +
                              ShellQuoted(program) + " " + ShellQuoted("--gtest_filter=" + filter) + " 2>&1";
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.Output.append(buffer, n);
    const int status = ::pclose(pipe);
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  fs::remove(program, ec);
  run.Started = run.Output.find("[ RUN      ] " + filter) != std::string::npos;
  return run;
}

// `prepare` makes what the test needs in a fresh folder, as whoever runs the
// tests; `body` then runs on it as a user without privileges, and may not be
// root's. As root, everything `prepare` makes must be open to user 65534
// where the test means it to be. Skips, saying why, where no unprivileged
// run can be had.
inline void AsUnprivilegedUser(const std::function<void(const std::string& folder)>& prepare,
                               const std::function<void(const std::string& folder)>& body) {
  if (const char* folder = std::getenv(UnprivilegedFolderVariable)) {
    ASSERT_NE(::geteuid(), 0u) << "the second run still has root's rights";
    body(folder);
    return;
  }
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  prepare(dir.path());
  if (::geteuid() != 0) {
    body(dir.path());
    // The test's locked folders must open again for the folder to go.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
      if (entry.is_directory() && !entry.is_symlink()) ::chmod(entry.path().c_str(), 0755);
    return;
  }
  if (std::system("command -v setpriv >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "running as root without setpriv (util-linux): the test cannot be run as a user "
                    "without privileges";
  const TUnprivilegedRun run = RunTestAsNobody(dir.path());
  if (!run.Started)
    GTEST_SKIP() << "running as root, and the test program could not be run again as user " << UnprivilegedId
                 << ": " << run.Output;
  EXPECT_EQ(run.ExitCode, 0) << "the run as user " << UnprivilegedId << " failed:\n" << run.Output;
}

}  // namespace testing_support

#endif
