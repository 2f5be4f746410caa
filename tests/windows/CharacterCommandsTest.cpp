// Templates, skill presets, drag copy and the character clipboard, driven
// through the main window's own menus, buttons and list.

#include <algorithm>
#include <deque>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include "MainFormFixture.h"
#include "platform/IniFile.h"

using namespace testing_support;
using windows::TModalResult;

namespace {

std::vector<std::string> Texts(const QList<QAction*>& actions) {
  std::vector<std::string> texts;
  for (const QAction* action : actions) texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  return texts;
}

class TFixedRandom : public roster::TRandomSource {
 public:
  explicit TFixedRandom(std::deque<int> draws) : draws_(std::move(draws)) {}
  int Random(int) override {
    const int value = draws_.empty() ? 0 : draws_.front();
    if (!draws_.empty()) draws_.pop_front();
    return value;
  }

 private:
  std::deque<int> draws_;
};

// The known bot, jumpy with a favourite weapon.
const std::string Gorge = BotLine("Gorge", "Accuracy=+1.25,bJumpy=1,FavoriteWeapon=XWeapons.LinkGun,");

class CharacterCommands : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    WriteRoster({"[Public]", BotLine("Alpha"), Gorge});
    ASSERT_TRUE(Start());
    Click(1);
    Dialogs.Asked.clear();
  }

  std::string ShownLine() const { return Form->CurrentBot()->GetPlayerLine(); }

  // The roster is marked changed, and Exit asks before it loses that.
  void ExpectMarkedChanged() {
    EXPECT_TRUE(Form->windowTitle().endsWith(" *")) << Form->windowTitle().toStdString();
    Dialogs.Answers.push_back(TModalResult::mrNo);
    Control<QAction>(*Form, "acClose")->trigger();
    EXPECT_EQ(Dialogs.Messages().back(), "Botlist has changed, but it has not been saved.  Exit now?");
    EXPECT_TRUE(Form->isVisible());
  }

  // What a drag of the line from the roster list carries.
  std::unique_ptr<QMimeData> BotData(const std::string& line) { return Control<windows::TBotListBox>(*Form, "lbBotList")->DragData(line); }
};

}  // namespace

TEST_F(CharacterCommands, MenusAndButtonsOfferTheCommandsInOrder) {
  EXPECT_EQ(Texts(Control<QMenu>(*Form, "pmStandardSettings")->actions()),
            (std::vector<std::string>{"Set all skills to maximum values", "Reset skills to defaults",
                                      "Set all skills to minimum values", "Random skills"}));
  EXPECT_EQ(Texts(Control<QMenu>(*Form, "pmTemplates")->actions()),
            (std::vector<std::string>{"Use template \"Berserker\"", "Use template \"Bunnyhopper\"",
                                      "Use template \"Sniper\""}));
  EXPECT_EQ(Control<QMenu>(*Form, "pmTemplates")->actions().at(2)->statusTip(), "Change skills to \"Sniper\"");
  EXPECT_EQ(Texts(Control<QMenu>(*Form, "pmBotlist")->actions()),
            (std::vector<std::string>{"&Show profile", "-", "Create template from selected character", "-",
                                      "Copy character to clipboard", "Copy character from clipboard"}));
  EXPECT_EQ(Control<QToolButton>(*Form, "tbTemplates")->defaultAction(), Control<QAction>(*Form, "acDefaultCharacter"));
  EXPECT_EQ(Control<QToolButton>(*Form, "tbTemplates")->menu(), Control<QMenu>(*Form, "pmTemplates"));
  EXPECT_EQ(Control<QToolButton>(*Form, "tbStandards")->defaultAction(),
            Control<QAction>(*Form, "acResetCharacterSkills"));
  EXPECT_EQ(Control<QToolButton>(*Form, "tbStandards")->menu(), Control<QMenu>(*Form, "pmStandardSettings"));
  EXPECT_EQ(Control<QAction>(*Form, "acSkillRandomizer")->toolTip(), "Change all skills to a random level ...");

  // The tool bar: the file commands, then profiles, then templates and
  // presets, all before the progress bar.
  std::vector<QWidget*> bar;
  for (QAction* action : Control<QToolBar>(*Form, "ToolBar1")->actions())
    if (QWidget* widget = Control<QToolBar>(*Form, "ToolBar1")->widgetForAction(action)) bar.push_back(widget);
  const auto at = [&](QWidget* w) { return std::find(bar.begin(), bar.end(), w) - bar.begin(); };
  EXPECT_LT(at(Control<QToolBar>(*Form, "ToolBar1")->widgetForAction(Control<QAction>(*Form, "acSaveAsBotlist"))),
            at(Control<QToolButton>(*Form, "tbShowProfile")));
  EXPECT_EQ(at(Control<QToolButton>(*Form, "tbShowProfile")) + 1, at(Control<QToolButton>(*Form, "tbShowProfiles")));
  EXPECT_LT(at(Control<QToolButton>(*Form, "tbShowProfiles")), at(Control<QToolButton>(*Form, "tbTemplates")));
  EXPECT_EQ(at(Control<QToolButton>(*Form, "tbTemplates")) + 1, at(Control<QToolButton>(*Form, "tbStandards")));
  EXPECT_EQ(at(Control<QToolButton>(*Form, "tbStandards")) + 1, at(Control<QToolButton>(*Form, "tbSkillRandomizer")));
  EXPECT_LT(at(Control<QToolButton>(*Form, "tbSkillRandomizer")), at(Control<QProgressBar>(*Form, "pbWaitingline")));
}

TEST_F(CharacterCommands, PresetsWriteTheShownBotOnlyAndMarkTheRosterChanged) {
  Click(0);
  Click(1, Qt::ControlModifier);  // both selected, Gorge shown
  const std::string alpha = Form->Bot(0).GetPlayerLine();
  Control<QAction>(*Form, "acMaximizeCharacterSkills")->trigger();
  const std::string head = Gorge.substr(0, Gorge.find("Accuracy="));
  EXPECT_EQ(ShownLine(), head +
                             "Accuracy=+5.0,Aggressiveness=+1.0,StrafingAbility=+5.0,CombatStyle=+1.0,Tactics=+5.0,"
                             "ReactionTime=+5.0,Menu=\"SP\")");
  EXPECT_EQ(Control<QSpinBox>(*Form, "edTactics")->value(), 500);
  EXPECT_EQ(Form->Bot(0).GetPlayerLine(), alpha);

  // Accuracy 1000, Aggressiveness 50, CombatStyle 100, Tactics 0, weapon
  // chance 0 and line 1 of the weapons, jump 9, StrafingAbility 250,
  // ReactionTime 500.
  Form->SetRandomSource(std::make_unique<TFixedRandom>(std::deque<int>{1000, 50, 100, 0, 0, 1, 9, 250, 500}));
  Control<QAction>(*Form, "acSkillRandomizer")->trigger();
  EXPECT_EQ(ShownLine(), head +
                             "Accuracy=+5.0,Aggressiveness=+0.5,StrafingAbility=-2.5,CombatStyle=+1.0,Tactics=-5.0,"
                             "FavoriteWeapon=XWeapons.LinkGun,Menu=\"SP\")");
  EXPECT_EQ(Control<QComboBox>(*Form, "cbFavoriteWeapon")->currentIndex(), 2);
}

TEST_F(CharacterCommands, DefaultCharacterIsRenamedInListAndKey) {
  Control<QAction>(*Form, "acDefaultCharacter")->trigger();
  EXPECT_EQ(ShownLine(), roster::TBotCharacter().GetPlayerLine());
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->item(1)->text(), "NewBot");
  EXPECT_TRUE(Control<windows::TBotListBox>(*Form, "lbBotList")->item(1)->isSelected());
  EXPECT_EQ(Form->BotKey(1), "NewBot");

  Click(0);
  Control<QLineEdit>(*Form, "edFindText")->setText("newbot");
  Form->FindDialog1Find();
  EXPECT_EQ(Form->CurrentBot(), &Form->Bot(1));
}

TEST_F(CharacterCommands, TemplatesApplyTheirSkillsAndNewOnesAreStored) {
  Control<QMenu>(*Form, "pmTemplates")->actions().at(1)->trigger();  // Bunnyhopper: Tactics -2.8, weapon kept
  EXPECT_EQ(Control<QSpinBox>(*Form, "edTactics")->value(), -280);
  EXPECT_EQ(Form->CurrentBot()->GetFavoriteWeapon(), "XWeapons.LinkGun");

  // Cancel, blank and names that cannot be keys store nothing.
  Dialogs.Inputs = {std::nullopt, std::string("  "), std::string("a=b"), std::string(";x"), std::string("[S]"),
                    std::string("t\tab")};
  for (int i = 0; i < 6; ++i) Control<QAction>(*Form, "acCreateTemplateFromCharacter")->trigger();
  EXPECT_EQ(Dialogs.Asked.at(1).Text, "Add current character as template");
  EXPECT_EQ(Dialogs.Asked.at(1).Extra, "Name|Gorge");
  EXPECT_EQ(Control<QMenu>(*Form, "pmTemplates")->actions().size(), 3);
  EXPECT_FALSE(platform::TIniFile(Form->IniFileName()).SectionExists("TEMPLATES"));

  // A key that differs from the bot's name: the item names the bot.
  Dialogs.Inputs = {std::string("Hopper")};
  Control<QAction>(*Form, "acCreateTemplateFromCharacter")->trigger();
  ASSERT_EQ(Control<QMenu>(*Form, "pmTemplates")->actions().size(), 4);
  EXPECT_EQ(Control<QMenu>(*Form, "pmTemplates")->actions().at(3)->text(), "Use template \"Gorge\"");
  const platform::TIniFile onDisk(Form->IniFileName());
  EXPECT_EQ(onDisk.ReadSectionKeys("TEMPLATES"), (std::vector<std::string>{"DEF1", "DEF2", "DEF3", "Hopper"}));
  EXPECT_EQ(onDisk.ReadString("TEMPLATES", "Hopper", ""), ShownLine());
  EXPECT_TRUE(onDisk.SectionExists("FSex"));  // the value lists stay

  // The same name in other letter case replaces it.
  Control<QAction>(*Form, "acResetCharacterSkills")->trigger();
  Dialogs.Inputs = {std::string("HOPPER")};
  Control<QAction>(*Form, "acCreateTemplateFromCharacter")->trigger();
  EXPECT_EQ(Control<QMenu>(*Form, "pmTemplates")->actions().size(), 4);
  EXPECT_EQ(platform::TIniFile(Form->IniFileName()).ReadString("TEMPLATES", "hopper", ""), ShownLine());
}

TEST_F(CharacterCommands, DragCopiesAppendAfterOneBlankLine) {
  Click(0);
  const auto alpha = BotData(Form->CurrentBot()->GetPlayerLine());
  ASSERT_TRUE(Form->lbBotListDragDrop(*alpha));
  EXPECT_EQ(Form->CurrentBot(), &Form->Bot(2));
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->item(2)->text(), "Alpha(copy)");
  ExpectMarkedChanged();
  const auto copy = BotData(Form->CurrentBot()->GetPlayerLine());
  ASSERT_TRUE(Form->lbBotListDragDrop(*copy));
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->item(3)->text(), "Alpha(copy)(copy)");

  // Refused: a bot of another list (another window, another run of the
  // program), our type without a list, or other data.
  windows::TBotListBox other;
  EXPECT_FALSE(Form->lbBotListDragDrop(*other.DragData(BotLine("Foreign"))));
  QMimeData bare;
  bare.setData(QString::fromLatin1(windows::BotMimeType), QByteArray::fromStdString(BotLine("Foreign")));
  EXPECT_FALSE(Form->lbBotListDragDrop(bare));
  QMimeData text;
  text.setText(QString::fromStdString(BotLine("Foreign")));
  EXPECT_FALSE(Form->lbBotListDragDrop(text));
  EXPECT_EQ(Form->BotCount(), 4);

  // A bot of the roster is copied whatever its line holds, a control
  // character that the clipboard would refuse included.
  ASSERT_TRUE(Form->lbBotListDragDrop(*BotData(BotLine("Bell\a"))));
  EXPECT_EQ(Form->CurrentBot()->GetDefaultName(), "Bell\a(copy)");
  Control<QAction>(*Form, "acDeleteBot")->trigger();
  ASSERT_EQ(Form->BotCount(), 4);

  const std::string saved = Dir.file("copies.upl");
  Dialogs.Files = {saved};
  Control<QAction>(*Form, "acSaveAsBotlist")->trigger();
  const std::vector<std::string> lines = Lines(saved);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], BotLine("Alpha"));
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], BotLine("Alpha(copy)"));
  EXPECT_EQ(lines[5], BotLine("Alpha(copy)(copy)"));

  // With no bot shown the list takes no drop, not even its own.
  while (Form->CurrentBot()) Control<QAction>(*Form, "acDeleteBot")->trigger();
  EXPECT_FALSE(Form->lbBotListDragDrop(*alpha));
  EXPECT_EQ(Form->BotCount(), 0);
}

TEST_F(CharacterCommands, ClipboardCarriesExactlyThePlayerLine) {
  Control<QAction>(*Form, "acCopyDataToClipboard")->trigger();
  EXPECT_EQ(Dialogs.Clipboard, Gorge);  // unchanged: the line as the file holds it

  // Plain text and a line with a bad number are refused; the bot stays.
  const std::string before = ShownLine();
  const std::string badNumber = BotLine("Broken", "Tactics=lots,");
  Dialogs.Inputs = {std::nullopt};  // the replacement question, cancelled
  const std::string withNul = BotLine(std::string("Nul\0l", 5));
  for (const std::string& text : {std::string("Dear diary"), badNumber, withNul}) {
    Dialogs.Clipboard = text;
    Control<QAction>(*Form, "acCopyDataFromClipboard")->trigger();
    EXPECT_EQ(ShownLine(), before);
    EXPECT_EQ(Dialogs.Asked.back().Type, windows::TMsgDlgType::mtWarning);
  }
  ASSERT_EQ(Dialogs.Asked.size(), 4u);
  EXPECT_EQ(Dialogs.Asked[0].Text, "The clipboard holds no character.\rA character is one line of the form Player=(...).");
  EXPECT_EQ(Dialogs.Asked[1].Text, "Illegal floating-point value detected!");
  // Text from the clipboard has no roster line: the bot and the item.
  EXPECT_EQ(Dialogs.Asked[1].Extra, "Bot: Broken\rItem: Tactics=lots\r\rValue :|lots");
  EXPECT_EQ(Dialogs.Asked[2].Text.rfind("The character on the clipboard could not be read:\r", 0), 0u);
  EXPECT_EQ(Dialogs.Asked[3].Text, Dialogs.Asked[0].Text);
  EXPECT_FALSE(Form->Modified());

  // A whole line renames the bot: list, key and selection in step.
  std::string visitor = BotLine("Visitor");
  visitor.insert(visitor.find("Menu="), "Tactics=+2.0,");
  Dialogs.Clipboard = "  " + visitor + "\r\n";
  Control<QAction>(*Form, "acCopyDataFromClipboard")->trigger();
  EXPECT_EQ(ShownLine(), visitor);
  EXPECT_EQ(Control<QSpinBox>(*Form, "edTactics")->value(), 200);
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->item(1)->text(), "Visitor");
  EXPECT_EQ(Form->BotKey(1), "Visitor");
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->selectedItems().size(), 1);
  EXPECT_TRUE(Control<windows::TBotListBox>(*Form, "lbBotList")->item(1)->isSelected());
}

namespace {

struct TMarkingCase {
  const char* name;
  void (*run)(TTestForm& form, TFakeDialogs& dialogs);
};

class MarkingCommands : public CharacterCommands, public ::testing::WithParamInterface<TMarkingCase> {};

}  // namespace

TEST_P(MarkingCommands, MarkTheRosterChangedWhenTheLineChanged) {
  Form->SetRandomSource(std::make_unique<TFixedRandom>(std::deque<int>{1000, 50, 100, 0, 99, 9, 250, 500}));
  // Alpha has the reset skills already.
  Click(0);
  Control<QAction>(*Form, "acResetCharacterSkills")->trigger();
  EXPECT_FALSE(Form->Modified());
  Click(1);
  GetParam().run(*Form, Dialogs);
  ExpectMarkedChanged();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MarkingCommands,
    ::testing::Values(
        TMarkingCase{"Maximum",
                     [](TTestForm& f, TFakeDialogs&) { Control<QAction>(f, "acMaximizeCharacterSkills")->trigger(); }},
        TMarkingCase{"Reset",
                     [](TTestForm& f, TFakeDialogs&) { Control<QAction>(f, "acResetCharacterSkills")->trigger(); }},
        TMarkingCase{"Minimum",
                     [](TTestForm& f, TFakeDialogs&) { Control<QAction>(f, "acMinimizeCharacterSkills")->trigger(); }},
        TMarkingCase{"Random",
                     [](TTestForm& f, TFakeDialogs&) { Control<QAction>(f, "acSkillRandomizer")->trigger(); }},
        TMarkingCase{"DefaultCharacter",
                     [](TTestForm& f, TFakeDialogs&) { Control<QAction>(f, "acDefaultCharacter")->trigger(); }},
        TMarkingCase{"Template",
                     [](TTestForm& f, TFakeDialogs&) { Control<QMenu>(f, "pmTemplates")->actions().at(0)->trigger(); }},
        TMarkingCase{"ClipboardPaste",
                     [](TTestForm& f, TFakeDialogs& d) {
                       d.Clipboard = BotLine("Visitor");
                       Control<QAction>(f, "acCopyDataFromClipboard")->trigger();
                     }}),
    [](const auto& info) { return std::string(info.param.name); });


TEST_F(CharacterCommands, ABotLetGoAnywhereOnTheWindowIsCopiedAndNothingElseIsTaken) {
  // The drag as the window system hands it out: entering the skills page,
  // which takes no drops itself, then let go there.
  const auto dropOn = [](QWidget* target, const QMimeData& data) {
    const QPointF at = QRectF(target->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
  };
  Click(0);
  EXPECT_TRUE(dropOn(Control<QWidget>(*Form, "tsSkills"), *BotData(Form->CurrentBot()->GetPlayerLine())));
  ASSERT_EQ(Form->BotCount(), 3);
  EXPECT_EQ(Control<windows::TBotListBox>(*Form, "lbBotList")->item(2)->text(), "Alpha(copy)");
  EXPECT_EQ(Form->CurrentBot(), &Form->Bot(2));

  windows::TBotListBox other;
  QMimeData text;
  text.setText(QString::fromStdString(BotLine("Foreign")));
  EXPECT_FALSE(dropOn(Control<QWidget>(*Form, "tsSkills"), *other.DragData(BotLine("Foreign"))));
  EXPECT_FALSE(dropOn(Control<QToolBar>(*Form, "ToolBar1"), text));
  EXPECT_EQ(Form->BotCount(), 3);
}
