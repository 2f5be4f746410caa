// A real Windows console program run through Wine: a tiny "ucc.exe" of our
// own, built here with the MinGW cross compiler, takes the export's
// compilation; and the game's registry value, set with Wine's own "reg"
// tool, leads start-up to the System folder. Both skip when Wine or the
// cross compiler is missing; every Wine command has a time limit.

#include <cstdlib>
#include <filesystem>

#include "ExportFixture.h"
#include "platform/Files.h"

using namespace testing_support;
using windows::TModalResult;
namespace fs = std::filesystem;

namespace {

// Records its arguments, copies the configuration it was given (opened by
// the path Wine's programs see) and writes a log, all beside itself.
constexpr const char* UccSource = R"c(
#include <stdio.h>
#include <string.h>
static FILE* Beside(const char* self, const char* name, const char* mode) {
  char path[4096];
  snprintf(path, sizeof path, "%s", self);
  char* slash = strrchr(path, '\\');
  if (!slash) slash = strrchr(path, '/');
  snprintf(slash ? slash + 1 : path, sizeof path - (slash ? (size_t)(slash + 1 - path) : 0), "%s", name);
  return fopen(path, mode);
}
int main(int argc, char** argv) {
  FILE* args = Beside(argv[0], "args.txt", "wb");
  for (int i = 1; i < argc; ++i) fprintf(args, "<%s>\n", argv[i]);
  fclose(args);
  if (argc > 3 && strncmp(argv[3], "INI=", 4) == 0) {
    FILE* in = fopen(argv[3] + 4, "rb");
    FILE* out = Beside(argv[0], "seen.ini", "wb");
    int c;
    while (in && (c = fgetc(in)) != EOF) fputc(c, out);
    if (in) fclose(in);
    fclose(out);
  }
  FILE* log = Beside(argv[0], "StdOut.log", "wb");
  fprintf(log, "Log: ucc.exe ran under Wine\r\n");
  fclose(log);
  return 0;
}
)c";

bool OnPath(const std::string& program) { return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0; }

// A shell command with a time limit, its output dropped; true when it
// ended well.
bool RunShell(const std::string& command, int seconds = 240) {
  return std::system(("timeout " + std::to_string(seconds) + " " + command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

class Wine : public Export {
 protected:
  void SetUp() override {
    if (!OnPath("wine") || !OnPath("wineserver") || !OnPath("x86_64-w64-mingw32-g++"))
      GTEST_SKIP() << "Wine (\"wine\", \"wineserver\") or the MinGW cross compiler (\"x86_64-w64-mingw32-g++\") is "
                      "not installed: scripts/setup.sh installs them";
    Export::SetUp();
    Prefix = Dir.file("prefix");
    setenv("WINEPREFIX", Prefix.c_str(), 1);
    setenv("WINEDEBUG", "-all", 1);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);  // no Mono or Gecko installer dialogs
    // A fresh prefix is made on first use; that may take a while.
    ASSERT_TRUE(RunShell("wineboot -u")) << "Wine could not set up a prefix in " << Prefix;
  }

  void TearDown() override {
    if (!Prefix.empty()) RunShell("wineserver -k", 60);
  }

  std::string Prefix;
};

}  // namespace

TEST_F(Wine, TheExportRunsAWindowsCompiler) {
  const std::string source = Dir.write("ucc.c", UccSource);
  ASSERT_TRUE(RunShell("x86_64-w64-mingw32-g++ -static -O1 -x c -o " + Quoted(System + "/ucc.exe") + " " + Quoted(source),
                  120));
  ASSERT_TRUE(Start());
  QueueWait(240000);  // a Wine that hangs is cancelled, not waited for
  RunExport({TModalResult::mrYes, TModalResult::mrNo});

  EXPECT_EQ(Dialogs.Messages(),
            (std::vector<std::string>{"Compile the packages ?", "View UCC log-file ?", "Export completed!"}));
  std::string winePath = "Z:" + System + "/ucc.ini";
  for (char& c : winePath)
    if (c == '/') c = '\\';
  EXPECT_EQ(Read(System + "/args.txt"), "<MAKE>\n<LOG>\n<INI=" + winePath + ">\n");
  EXPECT_EQ(Read(System + "/seen.ini"),
            "[Engine.Engine]\r\nRenderDevice=D3DDrv.D3DRenderDevice\r\n[Editor.EditorEngine]\r\nEditPackages=Alpha\r\n"
            "EditPackages=Beta\r\nEditPackages=BobMod\r\nEditPackages=CarolMod\r\nEditPackages=AliceMod\r\n"
            "CutdownPackages=Core\r\n");
  EXPECT_FALSE(fs::exists(System + "/ucc.ini"));
}

TEST_F(Wine, StartUpFindsTheSystemFolderFromWinesRegistry) {
  ASSERT_TRUE(RunShell("wine reg add " + Quoted("HKLM\\Software\\Unreal Technology\\Installed Apps\\UT2003") +
                  " /v Folder /d " + Quoted("C:\\Games\\UT 2003") + " /f"));
  ASSERT_TRUE(RunShell("wineserver -w", 60));  // the registry reaches system.reg when the server ends
  const std::string system = Prefix + "/drive_c/Games/UT 2003/System";
  Dir.write("prefix/drive_c/Games/UT 2003/System/xplayersL1.upl", "[Public]\r\n" + BotLine("Gorge") + "\r\n");
  for (const char* name : {"xGame.int", "XPlayers.int", "XWeapons.int"})
    fs::copy_file(System + "/" + name, system + "/" + name);
  System.clear();  // a blank /s: the registry decides
  ASSERT_TRUE(Start());
  EXPECT_TRUE(fs::equivalent(Form->SystemDir(), system)) << Form->SystemDir();
  EXPECT_EQ(Form->BotCount(), 1);
}
