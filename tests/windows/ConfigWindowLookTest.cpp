// The configuration window as it looks: grid lines in its lists, every
// hint in the status bar, and names shown whole.

#include <QEnterEvent>
#include <QHeaderView>
#include <QHoverEvent>
#include <QStatusBar>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "ConfigWindowFixture.h"
#include "PackageWindowSupport.h"
#include "roster/PuUtStringlist.h"
#include "windows/PathEdit.h"
#include "windows/PfConfigDirPage.h"
#include "windows/PfConfigPackagePage.h"
#include "windows/PuBuiltInTables.h"

using namespace testing_support;

namespace {

// Whether the view draws the style's grid colour along the bottom and the
// right edge of its first cell, as a table does.
void ExpectGridLines(QAbstractItemView& view, const char* name) {
  SCOPED_TRACE(name);
  ASSERT_GT(view.model()->rowCount(), 0);
  const QImage picture = view.viewport()->grab().toImage();
  const QRect cell = view.visualRect(view.model()->index(0, 0));
  QStyleOption option;
  option.initFrom(&view);
  const QColor grid = QColor::fromRgba(static_cast<QRgb>(view.style()->styleHint(QStyle::SH_Table_GridLineColor, &option, &view)));
  EXPECT_EQ(picture.pixelColor(cell.center().x(), cell.bottom()), grid);
  EXPECT_EQ(picture.pixelColor(cell.right(), cell.center().y()), grid);
  // Inside the cell, the background.
  EXPECT_NE(picture.pixelColor(cell.right() - 2, cell.center().y() - 2), grid);
}

TEST_F(ConfigWindow, TheListsShowGridLines) {
  Dir.write("KarmaData/Bots.ka", "<KARMA><ASSET id=\"BotA\"/><ASSET id=\"BotB\"/></KARMA>");
  Show(windows::ltRagDoll);
  ExpectGridLines(*Window->lvListContent, "lvListContent");
  Window->ReadKarmaData(Dir.file("KarmaData/Bots.ka"));
  ExpectGridLines(*Window->lvKarmaData, "lvKarmaData");
  Dialogs.Files.push_back(StrippedTexturePackage(Dir, "Stone.utx"));
  Window->PackagePage->fePackageName->Browse();
  ExpectGridLines(*Window->PackagePage->lvPackageContent, "lvPackageContent");
  // The folder page, were it shown.
  Window->PageControl1->setTabVisible(Window->PageControl1->indexOf(Window->taDirectorySearch), true);
  Window->PageControl1->setCurrentWidget(Window->taDirectorySearch);
  Window->DirectoryPage->FillDirView(System);
  ExpectGridLines(*Window->DirectoryPage->lvDirView, "lvDirView");
}

TEST_F(ConfigWindow, EveryHintReachesTheStatusBar) {
  Show();
  QStatusBar* status = Window->StatusBar1;
  int hints = 0;
  for (QWidget* widget : Window->findChildren<QWidget*>()) {
    if (widget->toolTip().isEmpty()) continue;
    ++hints;
    status->clearMessage();
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(widget, &enter);
    const QString name = widget->objectName().isEmpty() ? widget->metaObject()->className() : widget->objectName();
    EXPECT_EQ(status->currentMessage(), widget->toolTip()) << name.toStdString();
  }
  EXPECT_GE(hints, 12);  // the list type, buttons, filter and views

  // A page's hint shows over its tab, and over the page where no control
  // has a hint of its own.
  QTabBar* tabs = Window->PageControl1->tabBar();
  for (QWidget* page : {Window->taPackageExplorer, Window->taWizard}) {
    const int tab = Window->PageControl1->indexOf(page);
    const QString hint = tabs->tabToolTip(tab);
    ASSERT_FALSE(hint.isEmpty());
    status->clearMessage();
    const QPointF at = tabs->tabRect(tab).center();
    QHoverEvent hover(QEvent::HoverMove, at, tabs->mapToGlobal(at), at);
    QApplication::sendEvent(tabs, &hover);
    EXPECT_EQ(status->currentMessage(), hint);
    status->clearMessage();
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(page, &enter);
    EXPECT_EQ(status->currentMessage(), hint);
  }
  QHoverEvent leave(QEvent::HoverLeave, QPointF(-1, -1), QPointF(-1, -1), QPointF(1, 1));
  QApplication::sendEvent(tabs, &leave);
  EXPECT_EQ(status->currentMessage(), "");
}

// Whether row `row` of the list shows its name without an ellipsis: the
// style elides a text that does not fit between the cell's margins.
bool NameShownWhole(const QTreeWidget& view, int row) {
  const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
  return view.fontMetrics().horizontalAdvance(view.topLevelItem(row)->text(0)) + 2 * margin <= view.columnWidth(0);
}

TEST_F(ConfigWindow, NamesShowWholeWhileTheTranslationsKeepRoom) {
  roster::TValueLists stock(roster::TValueLists::TRules::AsAdded);
  for (const std::string& mesh : windows::BuiltInMeshes()) stock.Meshes.Add(mesh);
  Window->SetLists(stock);
  Show(windows::ltMesh);
  QTreeWidget& view = *Window->lvListContent;
  for (int row = 0; row < view.topLevelItemCount(); ++row)
    EXPECT_TRUE(NameShownWhole(view, row)) << view.topLevelItem(row)->text(0).toStdString();

  // A longer name dropped in widens the column; one longer than the view
  // leaves the translations room for their heading at least.
  Drop({"CustomPlayerMeshes.SomeoneWithAVeryLongName=Someone"});
  EXPECT_TRUE(NameShownWhole(view, view.topLevelItemCount() - 1));
  Drop({"Custom." + std::string(150, 'N') + "=Long"});
  EXPECT_GE(view.viewport()->width() - view.columnWidth(0),
            view.fontMetrics().horizontalAdvance(QStringLiteral("Translation")));
}

}  // namespace
