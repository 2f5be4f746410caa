#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "platform/TextFile.h"

using namespace platform;
using testing_support::TempDir;

namespace {
TIniFile FromText(const std::string& text) {
  TIniFile ini("");
  ini.SetText(text);
  return ini;
}
}  // namespace

TEST(IniFile, ReadingKeepsLinesAsWrittenAndInOrder) {
  TIniFile ini = FromText(
      "stray=1\n[FWeapons]\r\n  XWeapons.Flak=Flak Cannon  \r\n; comment\r\n\r\n"
      "xweapons.flak=second\r\n[FSex]\nMale=Male\n  [fweapons]  \nXWeapons.Link=Link Gun\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"FWeapons", "FSex"}));
  // Blanks are kept, a repeated key stays, a repeated header adds to the first.
  EXPECT_EQ(ini.ReadSectionLines("FWEAPONS"),
            (std::vector<std::string>{"  XWeapons.Flak=Flak Cannon  ", "xweapons.flak=second",
                                      "XWeapons.Link=Link Gun"}));
  EXPECT_EQ(ini.ReadSectionKeys("fweapons"),
            (std::vector<std::string>{"XWeapons.Flak", "xweapons.flak", "XWeapons.Link"}));
  EXPECT_EQ(ini.ReadString("fweapons", "XWEAPONS.FLAK", "none"), "Flak Cannon  ");
  EXPECT_EQ(ini.ReadString("fweapons", "missing", "none"), "none");
  EXPECT_EQ(ini.ReadString("nosection", "Male", "none"), "none");
  EXPECT_TRUE(ini.ValueExists("FSEX", "male"));
  EXPECT_FALSE(ini.SectionExists("stray"));
  EXPECT_TRUE(ini.ReadSectionLines("missing").empty());
}

TEST(IniFile, WritingReplacesTheFirstEqualKeyOrAppends) {
  TIniFile ini = FromText("[TEMPLATES]\nA=1\na=2\n[FSex]\nMale=Male\n");
  ini.WriteString("templates", "A", "3");
  ini.WriteString("TEMPLATES", "B", "4");
  ini.WriteString("FMenu", "SP", "SP");
  EXPECT_EQ(ini.ReadSectionLines("TEMPLATES"), (std::vector<std::string>{"A=3", "a=2", "B=4"}));
  ini.DeleteKey("TEMPLATES", "a");
  EXPECT_EQ(ini.ReadSectionLines("TEMPLATES"), (std::vector<std::string>{"a=2", "B=4"}));
  ini.EraseSection("fsex");
  EXPECT_EQ(ini.GetLines(), (std::vector<std::string>{"[TEMPLATES]", "a=2", "B=4", "", "[FMenu]", "SP=SP", ""}));
}

TEST(IniFile, SavesWithCrLfAndReadsItsOwnFileBack) {
  TempDir dir;
  const std::string path = dir.file("Rosterwell.INI");
  {
    TIniFile ini(path);  // absent: empty, nothing written yet
    EXPECT_TRUE(ini.SectionNames().empty());
    ini.WriteString("FRagdoll", "Bot.Ragdoll", "Ragdoll");
    ini.WriteString("FMenu", "-", "-");
    ini.UpdateFile();
  }
  EXPECT_EQ(ReadFileBytes(path), "[FRagdoll]\r\nBot.Ragdoll=Ragdoll\r\n\r\n[FMenu]\r\n-=-\r\n\r\n");
  TIniFile again(path);
  EXPECT_EQ(again.ReadSectionLines("FRagDoll"), (std::vector<std::string>{"Bot.Ragdoll=Ragdoll"}));
  // Lines before the first section survive a save.
  TIniFile stray = FromText("x=1\n[S]\ny=2\n");
  EXPECT_EQ(stray.GetLines(), (std::vector<std::string>{"x=1", "", "[S]", "y=2", ""}));
}

TEST(IniFile, SaveWithoutAFileNameOrIntoAMissingFolderFails) {
  TempDir dir;
  TIniFile unnamed("");
  unnamed.WriteString("FSex", "Male", "Male");
  EXPECT_THROW(unnamed.UpdateFile(), EFileError);
  TIniFile nowhere(dir.file("missing/Rosterwell.INI"));
  nowhere.WriteString("FSex", "Male", "Male");
  EXPECT_THROW(nowhere.UpdateFile(), EFileError);
  // A folder in place of the file cannot be read.
  dir.write("folder.ini/x", "");
  EXPECT_THROW(TIniFile(dir.file("folder.ini")), EFileError);
}
