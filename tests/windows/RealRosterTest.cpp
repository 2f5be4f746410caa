// The game's own roster with its .int files: clicking through every bot
// and saving under a new name changes nothing; one edit changes one line.

#include <filesystem>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
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

TEST_F(RealRoster, TheNumberQuestionNamesTheBotTheItemAndTheLine) {
  REQUIRE_REALDATA("upl/ut2004_stock/xaplayersl3.upl");
  // The game's second roster with one skill mistyped, as hand-edited
  // rosters have them.
  std::string bytes = platform::ReadFileBytes(RealDataPath("upl/ut2004_stock/xaplayersl3.upl"));
  const std::size_t typo = bytes.find("Tactics=+0.9");
  ASSERT_NE(typo, std::string::npos);
  bytes.replace(typo, 12, "Tactics+1.0");
  const std::string roster = Dir.write("typo.upl", bytes);
  WriteRoster({"[Public]", BotLine("Gorge")});
  ASSERT_TRUE(Start());
  Dialogs.DefaultAnswer = TModalResult::mrYes;  // UT2004's looks are no UT2003 values: go on
  Dialogs.Asked.clear();
  Dialogs.Files = {roster};
  Dialogs.Inputs = {std::string("1.0")};
  Control<QAction>(*Form, "acOpenBotlist")->trigger();
  ASSERT_GE(Dialogs.Asked.size(), 2u);
  EXPECT_EQ(Dialogs.Asked[1].Kind, "input");
  EXPECT_EQ(Dialogs.Asked[1].Text, "Illegal floating-point value detected!");
  EXPECT_EQ(Dialogs.Asked[1].Extra, "Bot: Kragoth\rItem: Tactics+1.0\rLine: 8\r\rValue :|Tactics+1.0");
  const int kragoth = Form->Roster().Find("Kragoth");
  ASSERT_GE(kragoth, 0);
  EXPECT_EQ(Form->Bot(kragoth).GetTactics(), 1.0);
}

TEST_F(RealRoster, CopiesCarryTheWholeBotAndPastesReplaceIt) {
  REQUIRE_REALDATA("upl/ut2004_stock/xplayersL1.upl");
  std::filesystem::copy_file(RealDataPath("upl/ut2004_stock/xplayersL1.upl"), System + "/xplayersL1.upl");
  Dialogs.DefaultAnswer = TModalResult::mrYes;  // UT2004's looks are no UT2003 values: go on
  ASSERT_TRUE(Start());
  const int brock = Form->Roster().Find("Brock");
  const int lauren = Form->Roster().Find("Lauren");
  const int diva = Form->Roster().Find("Diva");
  ASSERT_TRUE(brock >= 0 && lauren >= 0 && diva >= 0);
  const std::string brocksFileLine = platform::SplitLines(platform::ReadFileBytes(System + "/xplayersL1.upl"))
                                         .at(static_cast<std::size_t>(Form->Bot(brock).LineIndex));

  // Brock to the clipboard, to the copy buffer and dragged: his Race and
  // BotUse go along.
  Click(brock);
  Control<QAction>(*Form, "acCopyDataToClipboard")->trigger();
  EXPECT_EQ(Dialogs.Clipboard, brocksFileLine);
  Control<QAction>(*Form, "acCopyBot")->trigger();
  const std::optional<std::string> dragged = Control<windows::TBotListBox>(*Form, "lbBotList")->DragLine();
  ASSERT_TRUE(dragged.has_value());
  EXPECT_EQ(*dragged, brocksFileLine);

  // Pasted over Diva and, from the clipboard, over Lauren; dropped.
  Control<windows::TBotListBox>(*Form, "lbBotList")->scrollToItem(Control<windows::TBotListBox>(*Form, "lbBotList")->item(diva));
  Click(diva);
  Control<QAction>(*Form, "acPasteBot")->trigger();
  Click(lauren);
  Control<QAction>(*Form, "acCopyDataFromClipboard")->trigger();
  ASSERT_TRUE(Form->lbBotListDragDrop(*Control<windows::TBotListBox>(*Form, "lbBotList")->DragData(*dragged)));

  const std::string saved = Dir.file("saved.upl");
  Dialogs.Files = {saved};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  const std::vector<std::string> lines = Lines(saved);
  const std::string brocks =
      "Player=(DefaultName=\"Brock\",species=xGame.SPECIES_Merc,Mesh=HumanMaleA.MercMaleC,"
      "BodySkin=PlayerSkins.MercMaleCBodyA,FaceSkin=PlayerSkins.MercMaleCHeadA,Portrait=PlayerPictures.cMercMaleAC,"
      "Text=XPlayers.MercMaleCA,Sex=Male,Accuracy=+0.5,StrafingAbility=+1.0,Tactics=+2.0,Menu=\"\","
      "Race=\"Mercenary\",BotUse=1)";
  const auto lineOf = [&](int bot) { return lines.at(static_cast<std::size_t>(Form->Bot(bot).LineIndex)); };
  EXPECT_EQ(lineOf(brock), brocksFileLine);
  EXPECT_EQ(lineOf(diva), brocks);
  EXPECT_EQ(lineOf(lauren), brocks);
  std::string copy = brocks;
  copy.replace(copy.find("Brock"), 5, "Brock(copy)");
  EXPECT_EQ(lineOf(Form->BotCount() - 1), copy);
}
