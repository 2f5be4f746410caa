#include "platform/Registry.h"

#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "platform/Files.h"

using namespace platform;
using testing_support::TempDir;

namespace {
const char* kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UT2003Demo] 1600000000\n"
    "\"Folder\"=\"D:\\\\Demo\"\n"
    "\n"
    "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UT2003] 1600000000\n"
    "#time=1d6b0c1e2f3a4b5\n"
    "\"Version\"=dword:00000929\n"
    "\"folder\"=\"C:\\\\Games\\\\UT2003\"\n";
}  // namespace

TEST(Registry, ReadsTheGameFolderFromWineRegistry) {
  TempDir prefix;
  const std::string reg = prefix.write("system.reg", kSystemReg);
  EXPECT_EQ(ReadWineMachineValue(reg, "Software\\Unreal Technology\\Installed Apps\\UT2003", "Folder"),
            "C:\\Games\\UT2003");
  EXPECT_EQ(ReadWineMachineValue(reg, "Software\\Unreal Technology\\Installed Apps\\UT2003", "Version"),
            std::nullopt);
  EXPECT_EQ(ReadWineMachineValue(reg, "Software\\Nothing", "Folder"), std::nullopt);
  EXPECT_EQ(ReadWineMachineValue(prefix.file("missing.reg"), "Software", "Folder"), std::nullopt);
}

TEST(Registry, MapsTheSystemFolderIntoThePrefixDrive) {
  TempDir prefix;
  prefix.write("system.reg", kSystemReg);
  prefix.write("drive_c/Games/UT2003/System/Core.u", "");
  // The registry says "system"; the folder on disk is "System".
  EXPECT_EQ(GetGameSystemDirInPrefix(prefix.path()), prefix.path() + "/drive_c/Games/UT2003/System");
}

TEST(Registry, WithoutTheKeyTheDefaultFolderIsUsed) {
  TempDir prefix;
  prefix.write("system.reg", "WINE REGISTRY Version 2\n");
  prefix.write("drive_c/UT2003/System/x", "");
  EXPECT_EQ(GetGameSystemDirInPrefix(prefix.path()), prefix.path() + "/drive_c/UT2003/System");
  EXPECT_EQ(GetGameSystemDirInPrefix(prefix.file("no-prefix")), "C:\\UT2003\\System");
  EXPECT_EQ(MapWindowsPathIntoPrefix(prefix.path(), "\\\\server\\share"), std::nullopt);
}
