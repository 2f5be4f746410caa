// The road of one request: open a roster, select bots, edit them through
// the real controls, save, and compare the file byte for byte.

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>

#include "MainFormFixture.h"
#include "platform/Files.h"

using namespace testing_support;
using windows::TModalResult;

namespace {

class RosterRoad : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    WriteRoster({"[Public]", BotLine("Gorge")});
    ASSERT_TRUE(Start());
    Dialogs.Asked.clear();
  }

  // Opens a roster through the Open command's dialog.
  void Open(const std::string& path) {
    Dialogs.Files = {path};
    Control<QAction>(*Form, "acOpenBotlist")->trigger();
  }
};

}  // namespace

TEST_F(RosterRoad, OpenEditSaveKeepsEveryLineAtItsPlace) {
  const std::string path = Dir.write(
      "Mine/mine.upl", "[Public]\r\n" + BotLine("Gorge") + "\r\n; brutes\r\n" + BotLine("Cyclops") +
                           "\n\n;loners\r" + BotLine("Frostbite") + "\r\n[Other]\r\nKey=Value\r\n");
  Open(path);
  ASSERT_EQ(Form->BotCount(), 3);
  EXPECT_EQ(Form->FileName(), path);
  EXPECT_FALSE(Form->Modified());
  EXPECT_EQ(Control<QSpinBox>(*Form, "edAccuracy")->value(), 0);
  EXPECT_EQ(Control<QSpinBox>(*Form, "edAggressiveness")->value(), 30);

  // A skill on the first bot: one step up from 0.3 is 0.35.
  SendKey(Control<QSpinBox>(*Form, "edAggressiveness"), Qt::Key_Up);
  EXPECT_EQ(Form->Bot(0).GetAggressiveness(), 0.35);
  EXPECT_TRUE(Form->Modified());
  EXPECT_TRUE(Form->windowTitle().endsWith(" - mine.upl - Gorge *"));

  // A pick list on the second: the next mesh row.
  Click(1);
  EXPECT_EQ(Form->CurrentBot(), &Form->Bot(1));
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMesh")->currentText(), "JuggMaleA");
  Pick(Control<QComboBox>(*Form, "cbMesh"), Control<QComboBox>(*Form, "cbMesh")->currentIndex() + 1);
  EXPECT_EQ(Form->Bot(1).GetMesh(), "Jugg.JuggMaleB");

  // The name of the third, typed into the name field.
  Click(2);
  Control<QLineEdit>(*Form, "edDefaultName")->setFocus();
  SendText(Control<QLineEdit>(*Form, "edDefaultName"), "X");
  EXPECT_EQ(Form->Bot(2).GetDefaultName(), "FrostbiteX");
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->item(2)->text(), "FrostbiteX");
  EXPECT_TRUE(Control<windows::TBotListBox>(*Form, "lbBotList")->item(2)->isSelected());

  // All three selected: one mesh for all of them.
  Click(0, Qt::ControlModifier);
  Click(1, Qt::ControlModifier);
  Pick(Control<QComboBox>(*Form, "cbMesh"), 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Form->Bot(i).GetMesh(), "Aliens.AlienFemaleA") << i;

  Control<QAction>(*Form, "acSaveBotlist")->trigger();
  EXPECT_EQ(Dialogs.Messages().back(), "Botlist saved as :\r" + path);
  EXPECT_FALSE(Form->Modified());
  const auto alien = [](std::string line) {
    return line.replace(line.find("Jugg.JuggMaleA"), 14, "Aliens.AlienFemaleA");
  };
  std::string gorge = alien(BotLine("Gorge"));
  gorge.replace(gorge.find("Aggressiveness=+0.3"), 19, "Aggressiveness=+0.35");
  // Comments and the other section stay where they were.
  EXPECT_EQ(platform::ReadFileBytes(path), "[Public]\r\n" + gorge + "\r\n; brutes\r\n" + alien(BotLine("Cyclops")) +
                                               "\r\n\r\n;loners\r\n" + alien(BotLine("FrostbiteX")) +
                                               "\r\n[Other]\r\nKey=Value\r\n");
}

TEST_F(RosterRoad, SaveLayoutPutsNewBotsAfterOneEmptyLine) {
  const std::string path = Dir.write("mine.upl", BotLine("Zero") + "\r\n" + BotLine("One") + "\r\n\r\n" +
                                                     BotLine("Three") + "\r\n");
  Open(path);
  Click(1);
  Control<QAction>(*Form, "acDeleteBot")->trigger();  // leaves its line empty
  EXPECT_EQ(Form->CurrentBot(), &Form->Bot(0));
  Control<QAction>(*Form, "acAddBot")->trigger();
  Control<QAction>(*Form, "acAddBot")->trigger();
  EXPECT_EQ(Form->Bot(2).GetDefaultName(), "BOT3");
  EXPECT_EQ(Form->Bot(3).GetDefaultName(), "BOT4");
  Control<QAction>(*Form, "acSaveBotlist")->trigger();
  const std::string bot3 = "Player=(DefaultName=\"BOT3\",Species=xGame.SPECIES_Jugg,Mesh=Jugg.JuggMaleA,"
                           "BodySkin=PlayerSkins.JuggMaleABodyA,FaceSkin=PlayerSkins.JuggMaleAHeadA,"
                           "Portrait=PlayerPictures.cJuggMaleAA,Text=XPlayers.Default,Sex=Male,"
                           "Aggressiveness=+0.3,CombatStyle=+0.2,Menu=\"SP\")";
  std::string bot4 = bot3;
  bot4.replace(bot4.find("BOT3"), 4, "BOT4");
  // A file without a header gets one; the deleted bot's line stays empty.
  EXPECT_EQ(Lines(path),
            (std::vector<std::string>{"[Public]", BotLine("Zero"), "", "", BotLine("Three"), "", bot3, bot4}));
}

TEST_F(RosterRoad, ClicksAndDeleteGoByPositionNotByName) {
  const std::string path = Dir.write("twins.upl", "[Public]\r\n" + BotLine("Twin") + "\r\n" +
                                                      BotLine("Twin", "Accuracy=+1.0,") + "\r\n" + BotLine("Solo") +
                                                      "\r\n");
  Open(path);
  Click(1);
  EXPECT_EQ(Form->CurrentBot(), &Form->Bot(1));
  EXPECT_EQ(Control<QSpinBox>(*Form, "edAccuracy")->value(), 100);
  SendKey(Control<QSpinBox>(*Form, "edAccuracy"), Qt::Key_Down);
  EXPECT_EQ(Form->Bot(1).GetAccuracy(), 0.95);
  EXPECT_EQ(Form->Bot(0).GetAccuracy(), 0.0);
  Control<QAction>(*Form, "acDeleteBot")->trigger();
  ASSERT_EQ(Form->BotCount(), 2);
  EXPECT_EQ(Form->Bot(0).GetAccuracy(), 0.0);  // the first twin stays
  EXPECT_EQ(Form->Bot(1).GetDefaultName(), "Solo");
}

TEST_F(RosterRoad, CommandsThatNeedABotAreOffWithoutOne) {
  Click(0);
  Control<QAction>(*Form, "acDeleteBot")->trigger();
  EXPECT_EQ(Form->BotCount(), 0);
  EXPECT_EQ(Form->CurrentBot(), nullptr);
  EXPECT_FALSE(Control<QAction>(*Form, "acDeleteBot")->isEnabled());
  EXPECT_FALSE(Control<QAction>(*Form, "acCopyBot")->isEnabled());
  const std::vector<QAction*> needABot = {Control<QAction>(*Form, "acShowProfile"),
                                          Control<QAction>(*Form, "acCreateTemplateFromCharacter"),
                                          Control<QAction>(*Form, "acDefaultCharacter"),
                                          Control<QAction>(*Form, "acResetCharacterSkills"),
                                          Control<QAction>(*Form, "acMaximizeCharacterSkills"),
                                          Control<QAction>(*Form, "acMinimizeCharacterSkills"),
                                          Control<QAction>(*Form, "acSkillRandomizer"),
                                          Control<QAction>(*Form, "acCopyDataToClipboard"),
                                          Control<QAction>(*Form, "acCopyDataFromClipboard")};
  for (QAction* action : needABot) EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
  EXPECT_FALSE(Control<QToolButton>(*Form, "tbTemplates")->isEnabled());
  EXPECT_FALSE(Control<QMenu>(*Form, "pmTemplates")->isEnabled());
  Form->acDeleteBotExecute();  // also when called past the disabled action
  Form->acCopyBotExecute();
  EXPECT_FALSE(Control<QAction>(*Form, "acPasteBot")->isEnabled());
  // Edits with nothing shown reach no bot.
  SendKey(Control<QSpinBox>(*Form, "edAccuracy"), Qt::Key_Up);
  EXPECT_EQ(Form->BotCount(), 0);
  // A bot again: every one of them is back.
  Control<QAction>(*Form, "acAddBot")->trigger();
  for (QAction* action : needABot) EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
  EXPECT_TRUE(Control<QMenu>(*Form, "pmTemplates")->isEnabled());
}

TEST_F(RosterRoad, ARenameMarksTheRosterChangedAndExitAsks) {
  EXPECT_FALSE(Form->Modified());
  // Only the letter case: still a change the game shows.
  Control<QLineEdit>(*Form, "edDefaultName")->setFocus();
  Control<QLineEdit>(*Form, "edDefaultName")->setSelection(0, 1);
  SendText(Control<QLineEdit>(*Form, "edDefaultName"), "g");
  EXPECT_EQ(Form->BotKey(0), "gorge");
  EXPECT_TRUE(Form->Modified());
  SendKey(Control<QLineEdit>(*Form, "edDefaultName"), Qt::Key_End);
  SendKey(Control<QLineEdit>(*Form, "edDefaultName"), Qt::Key_Backspace);
  EXPECT_EQ(Form->BotKey(0), "gorg");
  // Later edits still reach the renamed bot.
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  EXPECT_EQ(Form->Bot(0).GetTactics(), 0.05);
  Dialogs.Answers = {TModalResult::mrNo};
  EXPECT_FALSE(Form->close());
  EXPECT_EQ(Dialogs.Messages().back(), "Botlist has changed, but it has not been saved.  Exit now?");
  EXPECT_EQ(Form->BotCount(), 1);
}

TEST_F(RosterRoad, ANameTheRosterCannotWriteIsRefusedAndChangesNothing) {
  QLineEdit* name = Control<QLineEdit>(*Form, "edDefaultName");
  const QString caption = Form->windowTitle();
  const auto unchanged = [&](int cursor) {
    EXPECT_EQ(Form->BotKey(0), "Gorge");
    EXPECT_EQ(Form->Bot(0).GetPlayerLine(), BotLine("Gorge"));
    EXPECT_FALSE(Form->Modified());
    EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->item(0)->text(), "Gorge");
    EXPECT_EQ(Form->windowTitle(), caption);
    EXPECT_EQ(name->text(), "Gorge");
    EXPECT_EQ(name->cursorPosition(), cursor);
  };
  name->setFocus();
  // Pasted over the name: the quote would end it and bring in items.
  name->selectAll();
  name->insert(QStringLiteral("Evil\",Mesh=Bad.Mesh,x=\"y"));
  unchanged(5);
  name->setCursorPosition(2);
  SendText(name, "\"");
  unchanged(2);
  name->insert(QStringLiteral("a\nb"));
  unchanged(2);
  ASSERT_EQ(Dialogs.Messages().size(), 3u);
  EXPECT_TRUE(Dialogs.Messages()[0].starts_with("A bot name cannot hold a double quote:\r")) << Dialogs.Messages()[0];
  EXPECT_TRUE(Dialogs.Messages()[2].starts_with("A bot name cannot hold control characters:\r"));
  // Typing goes on where it stood.
  SendText(name, "X");
  EXPECT_EQ(Form->BotKey(0), "GoXrge");
}

TEST_F(RosterRoad, ExitWithUnsavedChangesAsksWithNoAsTheDefault) {
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  ASSERT_TRUE(Form->Modified());
  // File > Exit, and the title bar's close button.
  Dialogs.Answers = {TModalResult::mrNo};
  Control<QAction>(*Form, "acClose")->trigger();
  EXPECT_TRUE(Form->isVisible());
  QCloseEvent titleBar;
  Dialogs.Answers = {TModalResult::mrNo};
  QApplication::sendEvent(Form.get(), &titleBar);
  EXPECT_FALSE(titleBar.isAccepted());
  const std::string question = "Botlist has changed, but it has not been saved.  Exit now?";
  ASSERT_EQ(Dialogs.Messages(), std::vector<std::string>(2, question));
  for (const auto& asked : Dialogs.Asked) EXPECT_EQ(asked.DefaultButton, windows::mbNo) << "Enter drops the changes";
  Dialogs.Answers = {TModalResult::mrYes};
  Control<QAction>(*Form, "acClose")->trigger();
  EXPECT_FALSE(Form->isVisible());
}

TEST_F(RosterRoad, AVeryLongNameIsShortInTheCaptionAndWholeElsewhere) {
  const std::string name = "Long" + std::string(100000, 'x') + "End";
  Control<QLineEdit>(*Form, "edDefaultName")->setFocus();
  Control<QLineEdit>(*Form, "edDefaultName")->selectAll();
  Control<QLineEdit>(*Form, "edDefaultName")->insert(QString::fromStdString(name));
  ASSERT_EQ(Form->Bot(0).GetDefaultName(), name);
  const QString caption = Form->windowTitle();
  EXPECT_LT(caption.size(), 200);
  EXPECT_TRUE(caption.contains(QStringLiteral(" - Longxxx"))) << caption.toStdString();
  EXPECT_TRUE(caption.endsWith(QStringLiteral("xxEnd *"))) << caption.toStdString();
  EXPECT_EQ(Control<QLineEdit>(*Form, "edDefaultName")->text().toStdString(), name);
  const std::string mine = Dir.file("mine.upl");
  Dialogs.Files = {mine};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  EXPECT_NE(platform::ReadFileBytes(mine).find("DefaultName=\"" + name + "\""), std::string::npos);
}

TEST_F(RosterRoad, NewAndOpenAskBeforeDroppingChanges) {
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  ASSERT_TRUE(Form->Modified());
  Dialogs.Answers = {TModalResult::mrNo, TModalResult::mrNo};
  Control<QAction>(*Form, "acNewBotList")->trigger();
  Control<QAction>(*Form, "acOpenBotlist")->trigger();
  EXPECT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_EQ(Form->Bot(0).GetDefaultName(), "Gorge");
  // Yes, then a successful Open: a clean, loaded roster.
  const std::string path = Dir.write("mine.upl", "[Public]\r\n" + BotLine("Mine") + "\r\n");
  Dialogs.Answers = {TModalResult::mrYes};
  Open(path);
  EXPECT_FALSE(Form->Modified());
  EXPECT_FALSE(Form->IsNewList());
  EXPECT_EQ(Form->Bot(0).GetDefaultName(), "Mine");
}

TEST_F(RosterRoad, AFailedOpenKeepsTheRosterItHad) {
  const std::string old = Form->FileName();
  const std::string bad =
      Dir.write("bad.upl", "[Public]\r\n" + BotLine("Fine") + "\r\nPlayer=(DefaultName=\"Bad\",Accuracy=+x)\r\n");
  Open(bad);
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Dialogs.Asked.back().Type, windows::TMsgDlgType::mtError);
  EXPECT_EQ(Form->FileName(), old);
  ASSERT_EQ(Form->BotCount(), 1);
  EXPECT_EQ(Form->Bot(0).GetDefaultName(), "Gorge");
  EXPECT_EQ(Control<QLineEdit>(*Form, "edDefaultName")->text(), "Gorge");
}

TEST_F(RosterRoad, TheGameRosterIsSavedOnlyUnderANewName) {
  const std::string game = Form->FileName();
  EXPECT_FALSE(Control<QAction>(*Form, "acSaveBotlist")->isEnabled());
  // Save turns into Save As; choosing the game's roster is refused.
  Dialogs.Files = {System + "/XPLAYERSL1.UPL"};
  Form->acSaveBotlistExecute();
  EXPECT_EQ(Dialogs.Asked[0].Kind, "save");
  EXPECT_EQ(Dialogs.Messages().back(), "Altering of XplayersL1.Upl is not allowed.\rUse 'Save as ...' instead.");
  // Another name: written, and from now on the roster's file.
  const std::string mine = Dir.file("mine.upl");
  Dialogs.Files = {mine};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  EXPECT_EQ(Dialogs.Messages().back(), "Botlist saved as :\r" + mine);
  EXPECT_EQ(Form->FileName(), mine);
  EXPECT_TRUE(Control<QAction>(*Form, "acSaveBotlist")->isEnabled());
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  Control<QAction>(*Form, "acSaveBotlist")->trigger();
  EXPECT_NE(platform::ReadFileBytes(mine).find("Tactics=+0.05"), std::string::npos);
  EXPECT_EQ(platform::ReadFileBytes(game).find("Tactics"), std::string::npos);
  // Cancel keeps the file name.
  Dialogs.Files = {std::nullopt};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  EXPECT_EQ(Form->FileName(), mine);
}

TEST_F(RosterRoad, FindCopyAndPaste) {
  Control<QAction>(*Form, "acAddBot")->trigger();
  Control<QLineEdit>(*Form, "edFindText")->setText("gorge");
  Control<QAction>(*Form, "acFindBotByName")->trigger();
  EXPECT_EQ(Form->CurrentBot(), &Form->Bot(0));
  Control<QLineEdit>(*Form, "edFindText")->setText("Nobody");
  Form->FindDialog1Find();
  EXPECT_EQ(Dialogs.Messages().back(), "No botcharacter named \"Nobody\" found.");
  Control<QAction>(*Form, "acCopyBot")->trigger();
  ASSERT_TRUE(Control<QAction>(*Form, "acPasteAsNewBot")->isEnabled());
  Control<QAction>(*Form, "acPasteAsNewBot")->trigger();
  ASSERT_EQ(Form->BotCount(), 3);
  EXPECT_EQ(Form->CurrentBot(), &Form->Bot(2));
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->currentRow(), 2);
  EXPECT_EQ(Form->Bot(2).GetPlayerLine(), Form->Bot(0).GetPlayerLine());
  EXPECT_EQ(Form->Bot(2).LineIndex, -1);
  // Paste over BOT2: the record, the list and Find follow the pasted name.
  Click(1);
  Control<QAction>(*Form, "acPasteBot")->trigger();
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->item(1)->text(), "Gorge");
  EXPECT_EQ(Control<QLineEdit>(*Form, "edDefaultName")->text(), "Gorge");
  EXPECT_EQ(Form->BotKey(1), "Gorge");
}

TEST_F(RosterRoad, AnUnreadableNumberIsAskedForThroughTheSameDialogs) {
  const std::string path =
      Dir.write("odd.upl", "[Public]\r\nPlayer=(DefaultName=\"Odd\",Accuracy=abc,Tactics=1.5)\r\n");
  Dialogs.Inputs = {"0.5"};
  Open(path);
  ASSERT_EQ(Dialogs.Asked.size(), 2u);
  EXPECT_EQ(Dialogs.Asked[1].Text, "Illegal floating-point value detected!");
  EXPECT_EQ(Dialogs.Asked[1].Extra, "Bot: Odd\rItem: Accuracy=abc\rLine: 2\r\rValue :|abc");
  ASSERT_EQ(Form->BotCount(), 1);
  EXPECT_EQ(Form->Bot(0).GetAccuracy(), 0.5);
  EXPECT_EQ(Control<QSpinBox>(*Form, "edTactics")->value(), 150);
  // The typed number waits to be saved: the caption says so, Exit asks.
  EXPECT_TRUE(Form->windowTitle().endsWith(" *"));
  Dialogs.Answers = {TModalResult::mrNo};
  EXPECT_FALSE(Form->close());
  Control<QAction>(*Form, "acSaveBotlist")->trigger();
  EXPECT_NE(Lines(path)[1].find(",Accuracy=+0.5,"), std::string::npos) << Lines(path)[1];
}

TEST_F(RosterRoad, ABotReachedByACommandIsTheOnlyOneSelected) {
  const std::string path = Dir.write("four.upl", "[Public]\r\n" + BotLine("A") + "\r\n" + BotLine("B") + "\r\n" +
                                                     BotLine("C") + "\r\n" + BotLine("D") + "\r\n");
  Open(path);
  const auto selectThree = [this] {
    Click(0);
    Click(1, Qt::ControlModifier);
    Click(2, Qt::ControlModifier);
  };
  const auto selected = [this] {
    std::vector<int> rows;
    for (int i = 0; i < Control<windows::TBotListBox>(*Form, "lbBotList")->count(); ++i)
      if (Control<windows::TBotListBox>(*Form, "lbBotList")->item(i)->isSelected()) rows.push_back(i);
    return rows;
  };
  // Find: the found bot alone, so a pick list changes the bot shown and no other.
  selectThree();
  Control<QLineEdit>(*Form, "edFindText")->setText("D");
  Control<QAction>(*Form, "acFindBotByName")->trigger();
  EXPECT_EQ(selected(), std::vector<int>{3});
  Pick(Control<QComboBox>(*Form, "cbMesh"), 0);
  EXPECT_EQ(Form->Bot(3).GetMesh(), "Aliens.AlienFemaleA");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Form->Bot(i).GetMesh(), "Jugg.JuggMaleA") << i;
  // Paste over the shown bot.
  Control<QAction>(*Form, "acCopyBot")->trigger();
  selectThree();
  Control<QAction>(*Form, "acPasteBot")->trigger();
  EXPECT_EQ(selected(), std::vector<int>{2});
}

TEST_F(RosterRoad, TheGameRosterIsKnownHoweverItsPathIsSpelled) {
  // A System folder given as a relative or roundabout path, while the
  // file dialogs answer with plain full paths.
  const std::string game = System + "/xplayersL1.upl";
  const std::string original = platform::ReadFileBytes(game);
  Form = std::make_unique<TTestForm>(Dialogs,
                                     std::vector<std::string>{"/opt/Rosterwell", "/s" + System + "/../System", "/i" + Ini});
  ASSERT_TRUE(Form->FormCreate());
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  Dialogs.Files = {game};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  EXPECT_EQ(Dialogs.Messages().back(), "Altering of XplayersL1.Upl is not allowed.\rUse 'Save as ...' instead.");
  EXPECT_EQ(platform::ReadFileBytes(game), original);
  Dialogs.Answers = {TModalResult::mrYes};  // drop the change
  Open(game);
  EXPECT_FALSE(Control<QAction>(*Form, "acSaveBotlist")->isEnabled());
  // Nor is it made by a save while it is not there.
  std::filesystem::remove(game);
  Dialogs.Files = {game};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  EXPECT_EQ(Dialogs.Messages().back(), "Altering of XplayersL1.Upl is not allowed.\rUse 'Save as ...' instead.");
  EXPECT_FALSE(platform::FileExists(game));
}
