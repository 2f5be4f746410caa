#include "platform/Process.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
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

TEST(Process, PollDoesNotWaitAndKillEndsWhatTheProgramStarted) {
  TempDir dir;
  const std::string marker = dir.file("late.txt");
  // The script's child would write the marker if it outlived the kill.
  const std::string program = Script(dir, "hang.sh", "(sleep 1; touch '" + marker + "') &\nsleep 60\n");
  TProcess process(program, {});
  EXPECT_FALSE(process.Poll().has_value());
  process.Kill();
  EXPECT_EQ(process.Poll(), 128 + 9);
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
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
