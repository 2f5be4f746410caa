#include <filesystem>
#include <iterator>

#include <gtest/gtest.h>

#include "../common/TempDir.h"
#include "RosterTestSupport.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "roster/PuBotCharacter.h"
#include "roster/RosterErrors.h"

using roster::TBotCharacter;

namespace {

class BotExportTest : public roster_test::RosterTest {
 protected:
  testing_support::TempDir game_;
};

// The game's folders and files come from Windows, where a name that differs
// only in case is the same name: a second, stale copy would be compiled too.
TEST_F(BotExportTest, FreshBotReplacesItsClassFileInExistingFoldersWhateverTheirCase) {
  game_.write("newbotmod/classes/NEWBOT.uc", "old");
  TBotCharacter().ExportPlayerRecordClass(game_.path());
  EXPECT_FALSE(std::filesystem::exists(game_.file("NewBotMod")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(game_.file("newbotmod/classes")), {}), 1);
  EXPECT_EQ(platform::ReadFileBytes(game_.file("newbotmod/classes/NEWBOT.uc")),
            "class NewBot extends PlayerRecordClass;\r\n\r\ndefaultproperties\r\n{\r\n"
            "  Species=class'xGame.SPECIES_Jugg'\r\n  MeshName=\"Jugg.JuggMaleA\"\r\n"
            "  BodySkinName=\"PlayerSkins.JuggMaleABodyA\"\r\n  FaceSkinName=\"PlayerSkins.JuggMaleAHeadA\"\r\n"
            "  Portrait=Material'PlayerPictures.cJuggMaleAA'\r\n  TextName=\"XPlayers.Default\"\r\n"
            "  Sex=\"Male\"\r\n  Menu=\"SP\"\r\n}\r\n");
}

TEST_F(BotExportTest, OptionalLinesAppearOnlyWhenSet) {
  TBotCharacter bot;
  bot.Text = "";
  bot.SetVoice("XGame.MercMaleVoice");
  bot.SetSkeleton("SkA.Sk");
  bot.SetRagdoll("Male1");
  bot.ExportPlayerRecordClass(game_.path());
  const auto lines = platform::ReadLines(game_.file("NewBotMod/Classes/NewBot.uc"));
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 9, lines.end()),
            (std::vector<std::string>{"  VoiceClassName=\"XGame.MercMaleVoice\"", "  Sex=\"Male\"", "  Menu=\"SP\"",
                                      "  Skeleton=\"SkA.Sk\"", "  Ragdoll=\"Male1\"", "}"}));
}

// The name is the class's and the package's: the game's compiler takes an
// identifier only, and a name that is none must neither leave the game
// folder nor leave a folder behind.
TEST_F(BotExportTest, NamesThatAreNoClassNameAreRefusedBeforeAnythingIsMade) {
  for (const char* name : {"", ".", "..", "../Evil", "a\\b", "C:", "tab\there", "a/b", "Lauren(copy)", "Mr.Crow",
                           "2Fast", "Two Words", "Gorg\xE9", "-x"}) {
    TBotCharacter bot;
    bot.SetDefaultName(name);
    EXPECT_THROW(bot.ExportPlayerRecordClass(game_.path()), roster::EExportError) << name;
  }
  EXPECT_TRUE(std::filesystem::is_empty(game_.path()));
  for (const char* name : {"_", "_x9", "Bot_2"}) {
    TBotCharacter bot;
    bot.SetDefaultName(name);
    bot.ExportPlayerRecordClass(game_.path());
    EXPECT_TRUE(std::filesystem::exists(game_.file(std::string(name) + "Mod/Classes/" + name + ".uc"))) << name;
  }
  EXPECT_THROW(TBotCharacter().ExportPlayerRecordClass(game_.file("missing/deeper")), platform::EFileError);
}

}  // namespace
