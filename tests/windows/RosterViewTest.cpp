// What only the window shows of the roster: which bot an edit reaches as
// the list is moved through, files that are no rosters, questions before
// dropping changes, and the caption.

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include "MainFormFixture.h"
#include "platform/Files.h"

using namespace testing_support;
using windows::TModalResult;

namespace {

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class RosterView : public MainFormTest {
 protected:
  void Open(const std::string& path) {
    Dialogs.Files = {path};
    Control<QAction>(*Form, "acOpenBotlist")->trigger();
  }
  std::vector<int> Selected() const {
    std::vector<int> rows;
    for (int i = 0; i < Control<windows::TBotListBox>(*Form, "lbBotList")->count(); ++i)
      if (Control<windows::TBotListBox>(*Form, "lbBotList")->item(i)->isSelected()) rows.push_back(i);
    return rows;
  }
  // The bots whose skill `get` left 0.
  std::vector<int> Touched(double (roster::TBotCharacter::*get)() const) const {
    std::vector<int> rows;
    for (int i = 0; i < Form->BotCount(); ++i)
      if ((Form->Bot(i).*get)() != 0) rows.push_back(i);
    return rows;
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    SendKey(Control<windows::TBotListBox>(*Form, "lbBotList"), key, QString(), modifiers);
  }
};

}  // namespace

TEST_F(RosterView, EditsReachTheBotsHighlightedAndShownWhereverTheCurrentRowMoves) {
  std::vector<std::string> lines{"[Public]"};
  for (int i = 0; i < 20000; ++i) lines.push_back(BotLine("Bot" + std::to_string(i)));
  WriteRoster(lines);
  ASSERT_TRUE(Start());
  ASSERT_EQ(Form->BotCount(), 20000);
  const auto shown = [this] { return Control<QLineEdit>(*Form, "edDefaultName")->text().toStdString(); };

  // Ctrl+Down moves the current row alone: the bot shown stays.
  Click(1);
  Key(Qt::Key_Down, Qt::ControlModifier);
  Key(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->currentRow(), 3);
  EXPECT_EQ(Selected(), std::vector<int>{1});
  EXPECT_EQ(shown(), "Bot1");
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  EXPECT_EQ(Touched(&roster::TBotCharacter::GetTactics), std::vector<int>{1});

  // Ctrl+End in a long roster: the same.
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->currentRow(), 19999);
  EXPECT_EQ(shown(), "Bot1");
  SendKey(Control<QSpinBox>(*Form, "edReactionTime"), Qt::Key_Up);
  EXPECT_EQ(Touched(&roster::TBotCharacter::GetReactionTime), std::vector<int>{1});

  // Shift+click selects a range and shows the clicked bot: edits reach
  // all of them.
  Control<windows::TBotListBox>(*Form, "lbBotList")
      ->scrollToItem(Control<windows::TBotListBox>(*Form, "lbBotList")->item(0));
  Click(1);
  Click(4, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(shown(), "Bot4");
  SendKey(Control<QSpinBox>(*Form, "edAccuracy"), Qt::Key_Up);
  EXPECT_EQ(Touched(&roster::TBotCharacter::GetAccuracy), (std::vector<int>{1, 2, 3, 4}));

  // Ctrl+click takes the shown bot out of the selection: a selected one
  // is shown instead, never a bot an edit would miss.
  Click(4, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(shown(), "Bot1");
  SendKey(Control<QSpinBox>(*Form, "edStrafingAbility"), Qt::Key_Up);
  EXPECT_EQ(Touched(&roster::TBotCharacter::GetStrafingAbility), (std::vector<int>{1, 2, 3}));

  // A plain arrow selects as it moves.
  Key(Qt::Key_Down);
  EXPECT_EQ(Selected(), std::vector<int>{5});
  EXPECT_EQ(shown(), "Bot5");
  EXPECT_EQ(Form->Bot(5).GetStrafingAbility(), 0.0);
}

// ---------------------------------------------------------------- opening

struct TNotARoster {
  const char* Name;
  std::string Bytes;
  const char* Reason;  // a part of the message
};

void PrintTo(const TNotARoster& file, std::ostream* out) { *out << file.Name; }

class RosterViewRefused : public RosterView, public ::testing::WithParamInterface<TNotARoster> {};

TEST_P(RosterViewRefused, OpenSaysWhyAndKeepsTheRosterAndItsFile) {
  WriteRoster({"[Public]", BotLine("Gorge")});
  ASSERT_TRUE(Start());
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  const std::string mine = Dir.file("mine.upl");
  Dialogs.Files = {mine};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  const QString caption = Form->windowTitle();
  const std::string bad = Dir.write("bad.upl", GetParam().Bytes);
  Dialogs.Inputs = {std::nullopt};  // the replacement number, if asked, is cancelled
  Dialogs.Asked.clear();
  Open(bad);
  const std::vector<std::string> messages = Dialogs.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("\"" + bad + "\" was not opened.\r", 0), 0u) << messages[0];
  EXPECT_NE(messages[0].find(GetParam().Reason), std::string::npos) << messages[0];
  EXPECT_EQ(Count(messages[0], "not opened"), 1) << messages[0];
  EXPECT_EQ(Count(messages[0], "bad.upl"), 1) << messages[0];
  EXPECT_EQ(Form->FileName(), mine);
  EXPECT_EQ(Form->windowTitle(), caption);
  // Save writes the roster that is open, where it belongs.
  Control<QAction>(*Form, "acSaveBotlist")->trigger();
  EXPECT_EQ(platform::ReadFileBytes(bad), GetParam().Bytes);
  EXPECT_NE(Lines(mine)[1].find("Tactics=+0.05"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    NotARoster, RosterViewRefused,
    ::testing::Values(
        TNotARoster{"TexturePackage", std::string("\xC1\x83\x2A\x9E\x76\x00\x00\x00\x1D\x00\x00\x00", 12), "Unreal package"},
        TNotARoster{"Utf16Roster", std::string("\xFF\xFE[\0P\0u\0b\0l\0i\0c\0]\0\r\0\n\0", 22), "UTF-16"},
        TNotARoster{"BadNumberCancelled",
                    "[Public]\r\nPlayer=(DefaultName=\"Lauren\",Tactics+1.0,Sex=Female)\r\n",
                    "\rBot \"Lauren\" on line 2 has an item that cannot be read:\rTactics+1.0\r"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RosterView, AStartRosterThatCannotBeReadSaysWhyInsteadOfEmpty) {
  WriteRoster({"[Public]", "Player=(DefaultName=\"Lauren\",Tactics+1.0)"});
  Dialogs.Inputs = {std::nullopt};
  Dialogs.Answers = {TModalResult::mrNo};
  EXPECT_FALSE(Start());
  EXPECT_EQ(Dialogs.ExitCode, 404);
  const std::vector<std::string> messages = Dialogs.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].find("File was not found or empty."), std::string::npos);
  EXPECT_EQ(messages[0].rfind("\"" + System + "/xplayersL1.upl\" was not opened.\rBot \"Lauren\" on line 2", 0), 0u)
      << messages[0];
  EXPECT_EQ(Count(messages[0], "not opened"), 1) << messages[0];
  EXPECT_TRUE(messages[0].ends_with("\r\rContinue with new botlist ?"));
}

TEST_F(RosterView, NewAndOpenAskToDiscardChangesWithNoAsDefault) {
  WriteRoster({"[Public]", BotLine("Gorge")});
  ASSERT_TRUE(Start());
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  Dialogs.Answers = {TModalResult::mrNo, TModalResult::mrNo};
  Control<QAction>(*Form, "acNewBotList")->trigger();
  Control<QAction>(*Form, "acOpenBotlist")->trigger();
  ASSERT_EQ(Dialogs.Asked.size(), 2u);
  for (const TAsked& asked : Dialogs.Asked) {
    EXPECT_EQ(asked.Text, "Botlist has changed, but it has not been saved.  Discard the changes?");
    EXPECT_EQ(asked.Buttons, windows::mbYes | windows::mbNo);
    EXPECT_EQ(asked.DefaultButton, windows::mbNo);
  }
  EXPECT_TRUE(Form->Modified());
  EXPECT_EQ(Form->Bot(0).GetTactics(), 0.05);
}

// ---------------------------------------------------------------- showing

TEST_F(RosterView, ALongNameIsShownWholeAndLookingChangesNothing) {
  const std::string longName(100000, 'n');
  WriteRoster({"[Public]", BotLine(longName), BotLine("Short")});
  ASSERT_TRUE(Start());
  EXPECT_EQ(Control<QLineEdit>(*Form, "edDefaultName")->text().size(), 100000);
  Click(1);
  Click(0);
  Click(1);
  EXPECT_EQ(Form->Bot(0).GetDefaultName(), longName);
  EXPECT_FALSE(Form->Modified());
}

TEST_F(RosterView, TheCaptionNamesTheOpenFileAfterASaveThatFailedOrWasRefused) {
  const std::string mine = Dir.write("Données/rôster.upl", "[Public]\r\n" + BotLine("Gorge") + "\r\n");
  WriteRoster({"[Public]", BotLine("Other")});
  ASSERT_TRUE(Start());
  Open(mine);
  const QString expected = QString::fromUtf8(" - rôster.upl - Gorge");
  EXPECT_TRUE(Form->windowTitle().endsWith(expected)) << Form->windowTitle().toStdString();
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  EXPECT_TRUE(Form->windowTitle().endsWith(expected + " *"));

  // A folder that is not there: not saved, still modified, same caption.
  Dialogs.Asked.clear();
  Dialogs.Files = {Dir.file("Nowhere/new.upl")};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Dialogs.Messages()[0].rfind("The botlist was not saved.\r", 0), 0u) << Dialogs.Messages()[0];
  EXPECT_EQ(Dialogs.Asked.back().Type, windows::TMsgDlgType::mtError);
  EXPECT_TRUE(Form->Modified());
  EXPECT_EQ(Form->FileName(), mine);
  EXPECT_TRUE(Form->windowTitle().endsWith(expected + " *"));
  // The game's own roster refused: the same.
  Dialogs.Files = {System + "/xplayersL1.upl"};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  EXPECT_TRUE(Form->windowTitle().endsWith(expected + " *"));

  // Saved in place: the message names the path in the program's 8-bit text.
  Control<QAction>(*Form, "acSaveBotlist")->trigger();
  EXPECT_EQ(Dialogs.Messages().back(), "Botlist saved as :\r" + Dir.file("Donn\xE9" "es/r\xF4" "ster.upl"));
  EXPECT_TRUE(Form->windowTitle().endsWith(expected));
}

TEST_F(RosterView, ANameAndABiographyHoldingCommasStayWholeThroughAnEditAndASave) {
  WriteRoster({"[Public]", BotLine("Other")});
  ASSERT_TRUE(Start());
  const std::string mod = Dir.write("mod.upl",
                                    "[Public]\r\nPlayer=(DefaultName=\"Smith, John\",Race=\"Human, mostly\","
                                    "Mesh=Jugg.JuggMaleA,Text=\"Hello, world (really)|Line two\",Menu=\"SP\",BotUse=1)\r\n");
  Dialogs.DefaultAnswer = TModalResult::mrYes;  // the biography is none of the game's: go on
  Open(mod);
  EXPECT_EQ(Control<QLineEdit>(*Form, "edDefaultName")->text(), "Smith, John");
  SendKey(Control<QSpinBox>(*Form, "edAccuracy"), Qt::Key_Up);
  Control<QAction>(*Form, "acSaveBotlist")->trigger();
  Dialogs.Asked.clear();
  Open(mod);
  EXPECT_EQ(Control<QLineEdit>(*Form, "edDefaultName")->text(), "Smith, John");
  EXPECT_EQ(Form->CurrentBot()->Text, "Hello, world (really)|Line two");
  EXPECT_EQ(Form->CurrentBot()->GetAccuracy(), 0.05);
  // The question about references the lists lack names the whole biography.
  ASSERT_FALSE(Dialogs.Messages().empty());
  EXPECT_NE(Dialogs.Messages()[0].find("\rBiography-reference = Hello, world (really)|Line two\r"), std::string::npos)
      << Dialogs.Messages()[0];
  const std::string line = Lines(mod).at(1);
  EXPECT_NE(line.find(",Text=\"Hello, world (really)|Line two\","), std::string::npos) << line;
  EXPECT_TRUE(line.ends_with(",Accuracy=+0.05,Menu=\"SP\",Race=\"Human, mostly\",BotUse=1)")) << line;
}
