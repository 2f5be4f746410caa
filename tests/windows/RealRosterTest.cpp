// The game's own roster with its .int files: clicking through every bot
// and saving under a new name changes nothing; one edit changes one line.

#include <filesystem>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include "MainFormFixture.h"
#include "common/RealData.h"
#include "platform/AsciiText.h"

using namespace testing_support;
using windows::TModalResult;

using RealRoster = MainFormTest;

TEST_F(RealRoster, ClickingThroughChangesNothingAndAnEditReachesTheBotShown) {
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
    Control<windows::TBotListBox>(*Form, "lbBotList")
        ->scrollToItem(Control<windows::TBotListBox>(*Form, "lbBotList")->item(i));
    Click(i);
    ASSERT_EQ(Form->CurrentBot(), &Form->Bot(i));
  }
  Click(0);
  EXPECT_FALSE(Form->Modified());

  const std::string saved = Dir.file("saved.upl");
  Dialogs.Files = {saved};
  EXPECT_FALSE(Control<QAction>(*Form, "acSaveBotlist")->isEnabled());  // the game's roster
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  EXPECT_EQ(platform::ReadFileBytes(roster), original);
  // Looking at every bot changed none: the file comes back byte for byte,
  // its line ends aside.
  std::string crlf;
  for (const std::string& line : platform::SplitLines(original)) crlf += line + "\r\n";
  EXPECT_EQ(platform::ReadFileBytes(saved), crlf);

  // Brock clicked, the current row moved on to Lauren without selecting
  // her: Brock stays shown, and the edit goes to him alone.
  const int brock = Form->Roster().Find("Brock");
  ASSERT_EQ(Form->Roster().Find("Lauren"), brock + 1);
  Click(brock);
  SendKey(Control<windows::TBotListBox>(*Form, "lbBotList"), Qt::Key_Down, QString(), Qt::ControlModifier);
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->currentRow(), brock + 1);
  EXPECT_EQ(Control<QLineEdit>(*Form, "edDefaultName")->text(), "Brock");
  EXPECT_TRUE(Form->windowTitle().endsWith(" - Brock"));
  const std::string lauren = Form->Bot(brock + 1).GetPlayerLine();
  Control<QSpinBox>(*Form, "edTactics")->setFocus();
  Control<QSpinBox>(*Form, "edTactics")->selectAll();
  SendText(Control<QSpinBox>(*Form, "edTactics"), "444");
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Tab);
  SendKey(Form.get(), Qt::Key_S, QString(), Qt::ControlModifier);
  EXPECT_EQ(Form->Bot(brock).GetTactics(), 4.44);
  EXPECT_EQ(Form->Bot(brock + 1).GetPlayerLine(), lauren);
  Control<QAction>(*Form, "acSaveBotlist")->trigger();
  const std::vector<std::string> in = platform::SplitLines(original);
  const std::vector<std::string> out = Lines(saved);
  ASSERT_EQ(out.size(), in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (static_cast<int>(i) == Form->Bot(brock).LineIndex) {
      EXPECT_NE(out[i].find("Tactics=+4.44"), std::string::npos) << out[i];
      EXPECT_TRUE(out[i].ends_with(",Race=\"Mercenary\",BotUse=1)")) << out[i];
    } else {
      EXPECT_EQ(out[i], in[i]) << "line " << i;
    }
  }
}
