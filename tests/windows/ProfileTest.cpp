// Bot profiles: the seven rows, a window per bot record that follows every
// change of its bot and closes with it, and the profile list.

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QHeaderView>
#include <QScreen>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QTreeWidget>

#include "MainFormFixture.h"
#include "WindowChecks.h"
#include "windows/BotProfiles.h"
#include "windows/LineView.h"
#include "windows/PfBotConfig.h"
#include "windows/PfBotStatSummary.h"
#include "windows/PfItemEdit.h"
#include "windows/PfStatViewlist.h"

using namespace testing_support;
using windows::TFmBotStatSummary;
using windows::TModalResult;

namespace {

using TRows = std::vector<std::pair<std::string, std::string>>;

TRows RowsOf(const TFmBotStatSummary& window) {
  TRows rows;
  QTreeWidget* view = window.lvBotRating;
  for (int i = 0; i < view->topLevelItemCount(); ++i)
    rows.emplace_back(view->topLevelItem(i)->text(0).toStdString(), view->topLevelItem(i)->text(1).toStdString());
  return rows;
}

std::string Row(const TFmBotStatSummary& window, const std::string& caption) {
  for (const auto& [name, value] : RowsOf(window))
    if (name == caption) return value;
  return "(no row " + caption + ")";
}

std::string Line(const std::string& name, const std::string& items) {
  return "Player=(DefaultName=\"" + name + "\",Species=xGame.SPECIES_Merc," + items + ")";
}

// A double click on a row, as the user makes it.
void DoubleClick(QListWidget* list, int row) {
  const QPoint at = list->visualItemRect(list->item(row)).center();
  SendClick(list->viewport(), at);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(at), QPointF(list->viewport()->mapToGlobal(at)),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &dbl);
}

class Profiles : public MainFormTest {
 protected:
  void StartWith(const std::vector<std::string>& bots) {
    std::vector<std::string> lines{"[Public]"};
    lines.insert(lines.end(), bots.begin(), bots.end());
    WriteRoster(lines);
    ASSERT_TRUE(Start());
  }

  // The profile of roster row `row`, asked for by a double click.
  TFmBotStatSummary& ProfileOf(int row) {
    DoubleClick(Control<windows::TBotListBox>(*Form, "lbBotList"), row);
    TFmBotStatSummary* window = Form->Profiles().Find(Form->Bot(row));
    EXPECT_NE(window, nullptr);
    return *window;
  }
};

}  // namespace

TEST_F(Profiles, SevenRowsOfKnownBots) {
  StartWith({BotLine("Gorge"),
             Line("Brute", "Accuracy=-0.4,Aggressiveness=+1.0,StrafingAbility=+2.0,CombatStyle=+1.0,Tactics=-0.8,"
                           "ReactionTime=-0.2,FavoriteWeapon=XWeapons.FlakCannon"),
             // Halves round away from zero: salary 496.5, aggressiveness 90.5.
             Line("Odd", "Aggressiveness=+0.2,CombatStyle=+0.5,FavoriteWeapon=XWeapons.Gone")});
  Dialogs.DefaultAnswer = TModalResult::mrYes;  // go on without the missing weapon
  TFmBotStatSummary& gorge = ProfileOf(0);
  EXPECT_TRUE(gorge.isVisible());
  EXPECT_EQ(gorge.windowTitle(), "Gorge");
  EXPECT_EQ(gorge.lvBotRating->headerItem()->text(0), "Rating");
  EXPECT_EQ(RowsOf(gorge), (TRows{{"Salary", "518 Credits"},
                                 {"Species", "Juggernaut"},
                                 {"Favourite weapon", "- no favourite -"},
                                 {"Accuracy", "75 %"},
                                 {"Agility", "75 %"},
                                 {"Tactics", "75 %"},
                                 {"Aggressiveness", "86 %"}}));
  EXPECT_EQ(RowsOf(ProfileOf(1)), (TRows{{"Salary", "769 Credits"},
                                        {"Species", "Mercenary"},
                                        {"Favourite weapon", "Flak Cannon"},
                                        {"Accuracy", "59 %"},
                                        {"Agility", "94 %"},
                                        {"Tactics", "59 %"},
                                        {"Aggressiveness", "100 %"}}));
  EXPECT_GT(ProfileOf(1).x(), gorge.x());  // beside the first, not on top of it
  const TFmBotStatSummary& odd = ProfileOf(2);
  EXPECT_EQ(Row(odd, "Salary"), "497 Credits");
  EXPECT_EQ(Row(odd, "Favourite weapon"), "");
  EXPECT_EQ(Row(odd, "Aggressiveness"), "91 %");
  EXPECT_EQ(Form->Profiles().Count(), 3);

  // Asked again: the same window, not a second one.
  EXPECT_EQ(&ProfileOf(0), &gorge);
  EXPECT_EQ(Form->Profiles().Count(), 3);
}

TEST_F(Profiles, FollowEveryChangeOfTheirBot) {
  StartWith({BotLine("Gorge"), BotLine("Other")});
  TFmBotStatSummary& gorge = ProfileOf(0);
  SendClick(Control<windows::TBotListBox>(*Form, "lbBotList")->viewport(),
            Control<windows::TBotListBox>(*Form, "lbBotList")
                ->visualItemRect(Control<windows::TBotListBox>(*Form, "lbBotList")->item(0))
                .center());

  SendKey(Control<QSpinBox>(*Form, "edAccuracy"), Qt::Key_Up);  // 0.05
  EXPECT_EQ(Row(gorge, "Accuracy"), "77 %");
  Pick(Control<QComboBox>(*Form, "cbFavoriteWeapon"), 1);
  EXPECT_EQ(Row(gorge, "Favourite weapon"), "Flak Cannon");

  Control<QAction>(*Form, "acResetCharacterSkills")->trigger();
  EXPECT_EQ(Row(gorge, "Accuracy"), "75 %");
  EXPECT_EQ(Row(gorge, "Favourite weapon"), "- no favourite -");
  Control<QAction>(*Form, "acMaximizeCharacterSkills")->trigger();
  EXPECT_EQ(Row(gorge, "Tactics"), "100 %");
  Control<QMenu>(*Form, "pmTemplates")->actions().at(2)->trigger();  // Sniper: Tactics 1.5
  EXPECT_EQ(Row(gorge, "Tactics"), "97 %");

  // Paste Bot and a clipboard paste rename the bot: the window goes along.
  Control<QAction>(*Form, "acCopyBot")->trigger();
  Dialogs.Clipboard = Line("Pasted", "Accuracy=-5.0");
  Control<QAction>(*Form, "acCopyDataFromClipboard")->trigger();
  EXPECT_EQ(gorge.windowTitle(), "Pasted");
  EXPECT_EQ(Row(gorge, "Accuracy"), "-1 %");
  Control<QAction>(*Form, "acPasteBot")->trigger();
  EXPECT_EQ(gorge.windowTitle(), "Gorge");
  EXPECT_EQ(Row(gorge, "Tactics"), "97 %");

  Control<QAction>(*Form, "acDefaultCharacter")->trigger();
  EXPECT_EQ(gorge.windowTitle(), "NewBot");
  Control<QLineEdit>(*Form, "edDefaultName")->setFocus();
  SendText(Control<QLineEdit>(*Form, "edDefaultName"), "X");
  EXPECT_EQ(gorge.windowTitle(), "NewBotX");
  EXPECT_EQ(Form->Profiles().Find(Form->Bot(1)), nullptr);
}

TEST_F(Profiles, FollowTheListsTheConfigurationWindowHandsBack) {
  RealWindows = true;
  StartWith({Line("Brute", "FavoriteWeapon=XWeapons.FlakCannon")});
  TFmBotStatSummary& brute = ProfileOf(0);
  ASSERT_EQ(Row(brute, "Species"), "Mercenary");

  // The species is given another name in the configuration window.
  Dialogs.Windows.push_back([this](QDialog& dialog) {
    auto& window = dynamic_cast<windows::TFmConfig&>(dialog);
    window.show();
    window.cbListType->setCurrentIndex(windows::ltSpecies);
    const QList<QTreeWidgetItem*> rows =
        window.lvListContent->findItems(QStringLiteral("xGame.SPECIES_Merc"), Qt::MatchExactly, 0);
    EXPECT_EQ(rows.size(), 1);
    if (rows.size() == 1) window.lvListContent->setCurrentItem(rows.front());
    Dialogs.Windows.push_back([](QDialog& editor) {
      dynamic_cast<windows::TFmItemEdit&>(editor).SetTranslation("Mercs");
      return TModalResult::mrOk;
    });
    window.buEditListItem->click();
    window.close();
    return TModalResult::mrNone;
  });
  Control<QAction>(*Form, "miManualPackageSearch")->trigger();
  ASSERT_TRUE(Dialogs.Windows.empty());
  EXPECT_EQ(Row(brute, "Species"), "Mercs");
  EXPECT_EQ(Row(brute, "Favourite weapon"), "Flak Cannon");
}

TEST_F(Profiles, OneWindowPerBotAndDeleteClosesExactlyItsOwn) {
  StartWith({BotLine("Twin"), Line("Twin", "Tactics=-5.0"), BotLine("Third")});
  TFmBotStatSummary& first = ProfileOf(0);
  TFmBotStatSummary& second = ProfileOf(1);
  ASSERT_NE(&first, &second);
  EXPECT_EQ(Row(first, "Tactics"), "75 %");
  EXPECT_EQ(Row(second, "Tactics"), "15 %");

  // The second twin takes the third bot's name by a paste, then goes.
  ProfileOf(2);
  Control<QAction>(*Form, "acCopyBot")->trigger();
  ProfileOf(1);
  Control<QAction>(*Form, "acPasteBot")->trigger();
  EXPECT_EQ(second.windowTitle(), "Third");
  Control<QAction>(*Form, "acDeleteBot")->trigger();
  ASSERT_EQ(Form->BotCount(), 2);
  EXPECT_EQ(Form->Profiles().Count(), 2);
  EXPECT_EQ(Form->Profiles().Find(Form->Bot(0)), &first);
  ASSERT_NE(Form->Profiles().Find(Form->Bot(1)), nullptr);
  EXPECT_EQ(Form->Profiles().Find(Form->Bot(1))->windowTitle(), "Third");

  // Every edit still refreshes the windows that are left (none of them
  // points at the freed bot); the first twin is shown now.
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  EXPECT_EQ(Row(first, "Tactics"), "76 %");

  // A new roster closes them all.
  Dialogs.DefaultAnswer = TModalResult::mrYes;
  Control<QAction>(*Form, "acNewBotList")->trigger();
  EXPECT_EQ(Form->Profiles().Count(), 0);
}

TEST_F(Profiles, ProfileListShowsTheOpenProfilesByName) {
  StartWith({BotLine("Zed"), BotLine("alpha"), BotLine("Mid")});
  Control<QAction>(*Form, "acShowProfile")->trigger();  // Zed is shown at start
  ASSERT_EQ(Form->Profiles().Count(), 1);
  Form->Profiles().Find(Form->Bot(0))->hide();
  ProfileOf(1).hide();

  std::vector<std::string> rows;
  Dialogs.Windows.push_back([&](QDialog& window) {
    auto& list = dynamic_cast<windows::TFmStatViewlist&>(window);
    for (int i = 0; i < list.lbStatviewList->count(); ++i) rows.push_back(list.lbStatviewList->item(i)->text().toStdString());
    list.lbStatviewListDblClick();  // nothing selected: nothing happens
    EXPECT_FALSE(Form->Profiles().Find(Form->Bot(0))->isVisible());
    list.show();
    DoubleClick(list.lbStatviewList, 1);
    return TModalResult::mrOk;
  });
  Control<QAction>(*Form, "acShowProfiles")->trigger();
  EXPECT_EQ(Dialogs.Asked.back().Text, "Show Statistics");
  EXPECT_EQ(rows, (std::vector<std::string>{"alpha", "Zed"}));
  EXPECT_TRUE(Form->Profiles().Find(Form->Bot(0))->isVisible());
  EXPECT_FALSE(Form->Profiles().Find(Form->Bot(1))->isVisible());
  // The list was freed after it closed.
  EXPECT_EQ(Form->findChildren<windows::TFmStatViewlist*>().size(), 0);
}

TEST_F(Profiles, NothingToShowWithoutABot) {
  StartWith({BotLine("Only")});
  Control<QAction>(*Form, "acDeleteBot")->trigger();
  ASSERT_EQ(Form->CurrentBot(), nullptr);
  Control<QAction>(*Form, "acShowProfile")->trigger();
  EXPECT_EQ(Form->Profiles().Count(), 0);
  std::size_t rows = 99;
  Dialogs.Windows.push_back([&](QDialog& window) {
    rows = static_cast<std::size_t>(dynamic_cast<windows::TFmStatViewlist&>(window).lbStatviewList->count());
    return TModalResult::mrCancel;
  });
  Control<QAction>(*Form, "acShowProfiles")->trigger();
  EXPECT_EQ(rows, 0u);
}

// Nothing of the profile, the profile list or the two drop-downs is cut
// off: every row and both columns of a profile in full, every menu entry
// inside its menu. With ROSTERWELL_SCREENSHOT_DIR set the windows are saved
// as pictures there.
TEST_F(Profiles, WindowsAndDropDownsShowEverythingWhole) {
  StartWith({Line("Brute", "Accuracy=-0.4,Aggressiveness=+1.0,StrafingAbility=+2.0,CombatStyle=+1.0,Tactics=-0.8,"
                           "ReactionTime=-0.2,FavoriteWeapon=XWeapons.FlakCannon"),
             BotLine("Gorge")});
  TFmBotStatSummary& brute = ProfileOf(0);
  ExpectNothingClipped(brute, "profile");
  QTreeWidget* view = brute.lvBotRating;
  for (int row = 0; row < view->topLevelItemCount(); ++row)
    for (int column = 0; column < 2; ++column) {
      const QString text = view->topLevelItem(row)->text(column);
      EXPECT_LT(view->fontMetrics().horizontalAdvance(text), view->columnWidth(column)) << text.toStdString();
    }
  EXPECT_LE(view->header()->length(), view->viewport()->width());
  const QRect last = view->visualItemRect(view->topLevelItem(view->topLevelItemCount() - 1));
  EXPECT_LE(last.bottom(), view->viewport()->height());
  EXPECT_TRUE(brute.rect().contains(QRect(view->mapTo(&brute, QPoint(0, 0)), view->size())));

  ProfileOf(1);
  Dialogs.Windows.push_back([](QDialog& window) {
    ExpectNothingClipped(window, "profilelist");
    auto& list = dynamic_cast<windows::TFmStatViewlist&>(window).lbStatviewList;
    for (int i = 0; i < list->count(); ++i)
      EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(i)))) << i;
    return TModalResult::mrOk;
  });
  Control<QAction>(*Form, "acShowProfiles")->trigger();

  for (QMenu* menu : {Control<QMenu>(*Form, "pmTemplates"), Control<QMenu>(*Form, "pmStandardSettings")}) {
    menu->popup(Form->mapToGlobal(QPoint(0, 0)));
    QApplication::processEvents();
    EXPECT_GE(menu->width(), menu->sizeHint().width()) << menu->objectName().toStdString();
    for (QAction* action : menu->actions())
      EXPECT_TRUE(menu->rect().contains(menu->actionGeometry(action))) << action->text().toStdString();
    if (const char* dir = std::getenv("ROSTERWELL_SCREENSHOT_DIR"))
      menu->grab().save(QString::fromLocal8Bit(dir) + "/" + menu->objectName() + ".png");
    menu->hide();
  }
}

// However many profiles are open, each stands where the user can see it.
TEST_F(Profiles, ManyProfilesStayOnTheScreen) {
  std::vector<std::string> bots;
  for (int i = 0; i < 12; ++i) bots.push_back(BotLine("Bot" + std::to_string(i)));
  StartWith(bots);
  for (int row = 0; row < 12; ++row) {
    TFmBotStatSummary& profile = ProfileOf(row);
    const QRect screen = profile.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(profile.frameGeometry()))
        << row << ": " << profile.frameGeometry().x() << "," << profile.frameGeometry().y() << " on "
        << screen.width() << "x" << screen.height();
  }
}
