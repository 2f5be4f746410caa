// The game's own roster with its .int files: clicking through every bot
// and saving under a new name changes nothing but the dropped lines.

#include <filesystem>

#include <QAction>
#include <QListWidget>

#include "MainFormFixture.h"
#include "common/RealData.h"
#include "platform/AsciiText.h"
#include "roster/PuBotCharacter.h"

using namespace testing_support;
using windows::TModalResult;

using RealRoster = MainFormTest;

TEST_F(RealRoster, ClickingThroughAndSavingKeepsEveryBotOnItsLine) {
  REQUIRE_REALDATA("upl/ut2004_stock/xplayersL1.upl");
  REQUIRE_REALDATA("int/ut2004");
  namespace fs = std::filesystem;
  fs::remove_all(System);
  fs::create_directories(System);
  for (const char* name : {"XGame.int", "XPlayers.int", "XWeapons.int"})
    fs::copy_file(RealDataPath(std::string("int/ut2004/") + name), System + "/" + name);
  const std::string roster = System + "/xplayersL1.upl";
  fs::copy_file(RealDataPath("upl/ut2004_stock/xplayersL1.upl"), roster);
  const std::string original = platform::ReadFileBytes(roster);

  // UT2004's roster names menus and looks the UT2003 tables lack: go on.
  Dialogs.DefaultAnswer = TModalResult::mrYes;
  ASSERT_TRUE(Start());
  ASSERT_EQ(Form->BotCount(), 146);
  EXPECT_EQ(Form->Harvests, 1);
  for (int i = 0; i < Form->BotCount(); ++i) {
    Form->lbBotList->scrollToItem(Form->lbBotList->item(i));
    Click(i);
    ASSERT_EQ(Form->CurrentBot(), &Form->Bot(i));
  }
  Click(0);
  EXPECT_FALSE(Form->Modified());

  const std::string saved = Dir.file("saved.upl");
  Dialogs.Files = {saved};
  EXPECT_FALSE(Form->acSaveBotlist->isEnabled());  // the game's roster
  Form->acSaveAsBotlist->trigger();
  EXPECT_EQ(platform::ReadFileBytes(roster), original);

  const std::vector<std::string> in = platform::SplitLines(original);
  const std::vector<std::string> out = Lines(saved);
  ASSERT_LE(out.size(), in.size());
  EXPECT_EQ(out[0], "[Public]");
  for (std::size_t i = 1; i < in.size(); ++i) {
    if (!platform::StartsText("PLAYER", in[i])) {
      EXPECT_TRUE(i >= out.size() || out[i].empty()) << "line " << i;
      continue;
    }
    roster::TBotCharacter parsed;
    parsed.SetPlayerLine(in[i].substr(in[i].find('=') + 1));
    ASSERT_LT(i, out.size());
    EXPECT_EQ(out[i], parsed.GetPlayerLine()) << "line " << i;
  }
}
