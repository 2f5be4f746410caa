#include <filesystem>

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

TEST_F(BotExportTest, FreshBotWritesItsClassFile) {
  TBotCharacter bot;
  bot.ExportPlayerRecordClass(game_.path());
  const std::string bytes = platform::ReadFileBytes(game_.file("NewBotMod/Classes/NewBot.uc"));
  EXPECT_EQ(bytes,
            "class NewBot extends PlayerRecordClass;\r\n"
            "\r\n"
            "defaultproperties\r\n"
            "{\r\n"
            "  Species=class'xGame.SPECIES_Jugg'\r\n"
            "  MeshName=\"Jugg.JuggMaleA\"\r\n"
            "  BodySkinName=\"PlayerSkins.JuggMaleABodyA\"\r\n"
            "  FaceSkinName=\"PlayerSkins.JuggMaleAHeadA\"\r\n"
            "  Portrait=Material'PlayerPictures.cJuggMaleAA'\r\n"
            "  TextName=\"XPlayers.Default\"\r\n"
            "  Sex=\"Male\"\r\n"
            "  Menu=\"SP\"\r\n"
            "}\r\n");
}

TEST_F(BotExportTest, OptionalLinesAppearOnlyWhenSet) {
  TBotCharacter bot;
  bot.Text = "";
  bot.SetVoice("XGame.MercMaleVoice");
  bot.SetSkeleton("SkA");
  bot.SetRagdoll("Male1");
  const auto lines = bot.PlayerRecordClassLines();
  const std::vector<std::string> tail(lines.begin() + 9, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"  VoiceClassName=\"XGame.MercMaleVoice\"", "  Sex=\"Male\"",
                                            "  Menu=\"SP\"", "  Skeleton=\"SkA\"", "  Ragdoll=\"Male1\"", "}"}));
}

TEST_F(BotExportTest, ReusesFoldersAndOverwritesTheFile) {
  game_.write("newbotmod/Classes/NewBot.uc", "old");
  TBotCharacter bot;
  bot.ExportPlayerRecordClass(game_.path());
  EXPECT_FALSE(std::filesystem::exists(game_.file("NewBotMod")));
  EXPECT_EQ(platform::ReadLines(game_.file("newbotmod/Classes/NewBot.uc")).front(),
            "class NewBot extends PlayerRecordClass;");
}

TEST_F(BotExportTest, NamesThatLeaveTheGameFolderAreRefused) {
  for (const char* name : {"", ".", "..", "../Evil", "a\\b", "C:", "tab\there", "a/b"}) {
    TBotCharacter bot;
    bot.SetDefaultName(name);
    EXPECT_THROW(bot.ExportPlayerRecordClass(game_.path()), roster::EExportError) << name;
  }
  EXPECT_TRUE(std::filesystem::is_empty(game_.path()));
}

TEST_F(BotExportTest, MissingBaseFolderRaisesAFileError) {
  TBotCharacter bot;
  EXPECT_THROW(bot.ExportPlayerRecordClass(game_.file("missing/deeper")), platform::EFileError);
}

}  // namespace
