#include "platform/Process.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "platform/TextFile.h"

using namespace platform;
using testing_support::TempDir;

namespace {

std::string Script(const TempDir& dir, const std::string& name, const std::string& body) {
  const std::string path = dir.write(name, "#!/bin/sh\n" + body);
  chmod(path.c_str(), 0755);
  return path;
}

TEST(Process, ArgumentsArriveOneByOneAndTheExitCodeComesBack) {
  TempDir dir;
  const std::string out = dir.file("args.txt");
  const std::string program =
      Script(dir, "ucc.exe", "for a in \"$@\"; do printf '<%s>\\n' \"$a\"; done > '" + out + "'\nexit 3\n");
  TProcess process(program, {"MAKE", "INI=/a folder/with blanks/ucc.ini", "", "$HOME;*"});
  EXPECT_EQ(process.Wait(), 3);
  EXPECT_EQ(ReadFileBytes(out), "<MAKE>\n<INI=/a folder/with blanks/ucc.ini>\n<>\n<$HOME;*>\n");
  EXPECT_EQ(process.Poll(), 3);  // stays known
}

// Whether a process of the group still runs. One that has ended stays in
// the group until its parent collects it, which for an orphan is the
// system's first process, on its own time (once a second on some machines):
// Linux's /proc tells such an ended one ("Z") from a running one.
bool GroupRuns(pid_t group) {
  if (kill(-group, 0) != 0) return errno != ESRCH;
  std::error_code ec;
  if (!std::filesystem::exists("/proc/self/stat", ec)) return true;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
    std::ifstream in(entry.path() / "stat");
    std::string stat;
    if (!std::getline(in, stat)) continue;
    // "pid (name) state parent group ...", the name holding any character.
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    char state = 0;
    long parent = 0, itsGroup = 0;
    if (fields >> state >> parent >> itsGroup && itsGroup == group && state != 'Z') return true;
  }
  return false;
}

// Waits until no process of the group runs; false when one still does
// after `limit`.
bool GroupEnds(pid_t group, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (GroupRuns(group)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

TEST(Process, PollDoesNotWaitAndKillEndsWhatTheProgramStarted) {
  TempDir dir;
  const std::string marker = dir.file("late.txt");
  const std::string started = dir.file("started.txt");
  // The script's child would write the marker if it outlived the kill. The
  // script, leader of the program's group, gives its number once the child
  // runs.
  const std::string program = Script(
      dir, "hang.sh", "(sleep 1; touch '" + marker + "') &\necho $$ > '" + started + "'\nsleep 60\n");
  TProcess process(program, {});
  std::string group;
  for (int i = 0; i < 1000 && group.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (std::filesystem::exists(started)) group = ReadFileBytes(started);
  }
  ASSERT_FALSE(group.empty()) << "the script did not start";
  EXPECT_FALSE(process.Poll().has_value());
  process.Kill();
  EXPECT_EQ(process.Poll(), 128 + 9);
  // A child that outlived the kill keeps the group until it has written.
  EXPECT_TRUE(GroupEnds(static_cast<pid_t>(std::stol(group)), std::chrono::seconds(10)))
      << "a process the program started outlived the kill";
  EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST(Process, AProgramThatCannotStartIsAnErrorNamingIt) {
  TempDir dir;
  const std::string missing = dir.file("ucc.exe");
  try {
    TProcess process(missing, {});
    FAIL() << "started a missing program";
  } catch (const EProcessError& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
  }
  const std::string plain = dir.write("notexec.exe", "#!/bin/sh\n");
  EXPECT_THROW(TProcess(plain, {}), EProcessError);

  // A Windows program where no Wine can be found says so.
  const std::string exe = dir.write("ucc.exe", "MZ");
  const std::string path = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", dir.file("no-such-folder").c_str(), 1);
  try {
    TProcess process(exe, {});
    ADD_FAILURE() << "started without Wine";
  } catch (const EProcessError& e) {
    EXPECT_NE(std::string(e.what()).find("Wine"), std::string::npos) << e.what();
  }
  setenv("PATH", path.c_str(), 1);
}

TEST(Process, WindowsProgramsRunThroughWineWithWinePaths) {
  TempDir dir;
  const std::string exe = dir.write("UCC.EXE", std::string("MZ\x90\0", 4));
  const std::string script = dir.write("ucc.sh", "#!/bin/sh\n");
  EXPECT_TRUE(IsWindowsExecutable(exe));
  EXPECT_FALSE(IsWindowsExecutable(script));
  EXPECT_FALSE(IsWindowsExecutable(dir.file("missing.exe")));

  const TCommand wine = CommandFor(exe, {"MAKE", "INI=x"});
  EXPECT_EQ(wine.Executable, "wine");
  EXPECT_EQ(wine.Args, (std::vector<std::string>{exe, "MAKE", "INI=x"}));
  EXPECT_EQ(CommandFor(script, {"a"}).Executable, script);

  EXPECT_EQ(WinePath("/ut 2003/System/./ucc.ini"), "Z:\\ut 2003\\System\\ucc.ini");
  EXPECT_EQ(PathForProgram(exe, "/g/System/ucc.ini"), "Z:\\g\\System\\ucc.ini");
  EXPECT_EQ(PathForProgram(script, "/g/System/ucc.ini"), "/g/System/ucc.ini");
}

TEST(Process, WindowsCommandLinesKeepEveryArgumentWhole) {
  // As the C runtime reads them back: a quote escaped, backslashes doubled
  // only before a quote (the closing one included), an empty argument kept.
  EXPECT_EQ(WindowsCommandLine("C:\\UT 2003\\System\\ucc.exe", {"MAKE", "LOG", "INI=C:\\UT 2003\\System\\ucc.ini"}),
            "\"C:\\UT 2003\\System\\ucc.exe\" MAKE LOG \"INI=C:\\UT 2003\\System\\ucc.ini\"");
  EXPECT_EQ(WindowsCommandLine("u.exe", {"", "q\"uote", "a\\b", "blank trail\\", "\\\"x", "tab\there"}),
            "\"u.exe\" \"\" \"q\\\"uote\" a\\b \"blank trail\\\\\" \"\\\\\\\"x\" \"tab\there\"");
}

}  // namespace
