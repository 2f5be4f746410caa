#include "roster/PuUccCompile.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "../common/TempDir.h"
#include "platform/TextFile.h"

using namespace roster;
using Lines = std::vector<std::string>;
using testing_support::TempDir;

namespace {

TEST(UccIni, NewPackagesFollowTheRunInReverseOrder) {
  const Lines game = {"[Editor.EditorEngine]", "EditPackages=Alpha", "EditPackages=Beta", "EditPackages=BobMod",
                      "CutdownPackages=Core"};
  EXPECT_EQ(UccIniLines(game, {"AliceMod", "CarolMod", "BobMod"}),
            (Lines{"[Editor.EditorEngine]", "EditPackages=Alpha", "EditPackages=Beta", "EditPackages=BobMod",
                   "EditPackages=CarolMod", "EditPackages=AliceMod", "CutdownPackages=Core"}));
}

TEST(UccIni, RunAtTheEndCommentsCaseAndRepeats) {
  // The run reaches the end of the file: the lines go there.
  EXPECT_EQ(UccIniLines({"[E]", "EditPackages=Core"}, {"AnnMod"}), (Lines{"[E]", "EditPackages=Core", "EditPackages=AnnMod"}));
  // A commented-out line neither ends the run nor lists its package; one
  // listed in other letter case is not added again; a repeat is one line.
  EXPECT_EQ(UccIniLines({"EditPackages=Core", ";EditPackages=AnnMod", "EditPackages=bobmod", "X=1"},
                        {"AnnMod", "BobMod", "ANNMOD"}),
            (Lines{"EditPackages=Core", ";EditPackages=AnnMod", "EditPackages=bobmod", "EditPackages=AnnMod", "X=1"}));
  // A commented-out line elsewhere does not start the run: the packages
  // go to the section the compiler reads them from.
  EXPECT_EQ(UccIniLines({"[Engine.GameEngine]", ";EditPackages=Old", "ServerPackages=X", "[Editor.EditorEngine]",
                         "EditPackages=Core", "X=1"},
                        {"AnnMod"}),
            (Lines{"[Engine.GameEngine]", ";EditPackages=Old", "ServerPackages=X", "[Editor.EditorEngine]",
                   "EditPackages=Core", "EditPackages=AnnMod", "X=1"}));
  // Without any such line nothing is added.
  EXPECT_EQ(UccIniLines({"[Core]", "X=1"}, {"AnnMod"}), (Lines{"[Core]", "X=1"}));
}

TEST(UccFiles, PreparesTheRunAndRemovesItsConfigurationAgain) {
  TempDir dir;
  const std::string system = dir.file("Game Dir/System");
  const std::string gameIni = "[E]\r\nEditPackages=Core\r\n[X]\r\n";
  dir.write("Game Dir/System/UT2003.ini", gameIni);
  dir.write("Game Dir/System/AnnMod.u", "old");
  dir.write("Game Dir/System/stdout.log", "old");
  dir.write("Game Dir/System/OtherMod.u", "keep");
  {
    TUccFiles files(system, {"AnnMod"});
    EXPECT_EQ(platform::ReadFileBytes(files.ConfigFile()),
              "[E]\r\nEditPackages=Core\r\nEditPackages=AnnMod\r\n[X]\r\n");
    EXPECT_EQ(files.ConfigFile(), system + "/ucc.ini");
    EXPECT_FALSE(std::filesystem::exists(system + "/AnnMod.u"));
    EXPECT_TRUE(files.LogFile().empty());
    EXPECT_TRUE(std::filesystem::exists(system + "/OtherMod.u"));
    dir.write("Game Dir/System/StdOut.log", "new");
    EXPECT_EQ(files.LogFile(), system + "/StdOut.log");
    EXPECT_EQ(TUccFiles::CompilerArgs("Z:\\Game Dir\\ucc.ini"),
              (Lines{"MAKE", "LOG", "INI=Z:\\Game Dir\\ucc.ini"}));
  }
  EXPECT_FALSE(std::filesystem::exists(system + "/ucc.ini"));
  EXPECT_EQ(platform::ReadFileBytes(system + "/UT2003.ini"), gameIni);
}

TEST(UccFiles, WithoutTheGameIniNothingIsTouched) {
  TempDir dir;
  dir.write("System/AnnMod.u", "old");
  EXPECT_THROW(TUccFiles(dir.file("System"), {"AnnMod"}), platform::EFileError);
  EXPECT_TRUE(std::filesystem::exists(dir.file("System/AnnMod.u")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("System/ucc.ini")));
}

}  // namespace
