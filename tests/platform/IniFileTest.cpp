#include "platform/IniFile.h"

#include <algorithm>

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
  ini.EraseSection("fsex");
  EXPECT_EQ(ini.GetLines(),
            (std::vector<std::string>{"[TEMPLATES]", "A=3", "a=2", "B=4", "", "[FMenu]", "SP=SP", ""}));
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
  // Lines before the first section survive a save as they stand.
  TIniFile stray = FromText("x=1\n[S]\ny=2\n");
  EXPECT_EQ(stray.GetLines(), (std::vector<std::string>{"x=1", "[S]", "y=2"}));
}

using Lines = std::vector<std::string>;

// A hand-edited file: comments, blank lines, blanks around "=" and a
// section that stands twice.
const char* const HandEdited =
    "; Rosterwell value lists\r\n"
    "\r\n"
    "[FWeapons]\r\n"
    "; the guns I use\r\n"
    "XWeapons.FlakCannon = Flak\r\n"
    "\r\n"
    "; slow ones\r\n"
    "XWeapons.Redeemer=Redeemer\r\n"
    "\r\n"
    "[TEMPLATES]\r\n"
    "DEF1=Player=(DefaultName=\"Berserker\")\r\n"
    "; keep this one\r\n"
    "\r\n"
    "[fweapons]\r\n"
    "XWeapons.LinkGun=Link Gun";

TEST(IniFile, WriteStringChangesOnlyTheLineItWrites) {
  TIniFile ini = FromText(HandEdited);
  const Lines before = ini.GetLines();
  ASSERT_EQ(before.size(), 15u);
  // A line that reads as written already stays, blanks and all.
  ini.WriteString("FWEAPONS", "XWeapons.FlakCannon ", " Flak");
  EXPECT_EQ(ini.GetLines(), before);

  ini.WriteString("TEMPLATES", "Hopper", "Player=(DefaultName=\"Hopper\")");
  ini.WriteString("templates", "def1", "Player=(DefaultName=\"Brute\")");
  ini.WriteString("FSex", "Male", "Male");
  Lines expected = before;
  expected[10] = "def1=Player=(DefaultName=\"Brute\")";
  expected.insert(expected.begin() + 11, "Hopper=Player=(DefaultName=\"Hopper\")");
  expected.insert(expected.end(), {"", "[FSex]", "Male=Male", ""});
  EXPECT_EQ(ini.GetLines(), expected);
  EXPECT_EQ(ini.ReadSectionKeys("FWeapons"), (Lines{"XWeapons.FlakCannon", "XWeapons.Redeemer", "XWeapons.LinkGun"}));
}

TEST(IniFile, WriteSectionKeepsWhatItDoesNotChange) {
  TIniFile ini = FromText(HandEdited);
  const Lines before = ini.GetLines();
  // The same lines again: nothing moves.
  ini.WriteSection("FWeapons", {{"XWeapons.FlakCannon ", " Flak"}, {"XWeapons.Redeemer", "Redeemer"},
                                {"XWeapons.LinkGun", "Link Gun"}});
  EXPECT_EQ(ini.GetLines(), before);

  // One dropped, one changed, one new at the front and one after Flak; a
  // key given twice keeps its first place and its last value. The entries
  // that stay keep the comments around them.
  ini.WriteSection("FWeapons", {{"XWeapons.Axe", "Axe"}, {"XWeapons.FlakCannon ", " Flak"}, {"XWeapons.Shock", "x"},
                                {"XWeapons.LinkGun", "Link"}, {"xweapons.shock", "Shock"}});
  Lines expected = before;
  expected[14] = "XWeapons.LinkGun=Link";
  expected.erase(expected.begin() + 7);                         // Redeemer
  expected.insert(expected.begin() + 5, "xweapons.shock=Shock");  // after Flak
  expected.insert(expected.begin() + 4, "XWeapons.Axe=Axe");      // before the first that stays
  EXPECT_EQ(ini.GetLines(), expected);

  // Entries that change places: the result reads in the order given.
  ini.WriteSection("FWeapons", {{"XWeapons.LinkGun", "Link"}, {"XWeapons.Axe", "Axe"}});
  EXPECT_EQ(ini.ReadSectionLines("FWeapons"), (Lines{"XWeapons.LinkGun=Link", "XWeapons.Axe=Axe"}));
  const Lines moved = ini.GetLines();
  EXPECT_EQ(std::count(moved.begin(), moved.end(), "; slow ones"), 1);

  // Emptied, a section keeps its comments; without any it goes, and the
  // empty line that parted it from the next stays.
  ini.WriteSection("FWeapons", {});
  EXPECT_TRUE(ini.ReadSectionLines("FWeapons").empty());
  EXPECT_EQ(ini.GetLines()[2], "[FWeapons]");
  TIniFile plain = FromText("[FSex]\r\nMale=Male\r\n\r\n[FRagdoll]\r\nBot=Bot\r\n\r\n[FMenu]\r\nSP=SP\r\n");
  plain.WriteSection("FRAGDOLL", {});
  EXPECT_EQ(plain.GetLines(), (Lines{"[FSex]", "Male=Male", "", "[FMenu]", "SP=SP"}));
  plain.WriteSection("FRagdoll", {{"Bot", "Bot"}});
  EXPECT_EQ(plain.GetLines(), (Lines{"[FSex]", "Male=Male", "", "[FMenu]", "SP=SP", "", "[FRagdoll]", "Bot=Bot", ""}));
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
