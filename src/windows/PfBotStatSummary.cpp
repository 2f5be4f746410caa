#include "windows/PfBotStatSummary.h"

#include <algorithm>

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "roster/PuBotProfile.h"
#include "windows/QtDialogs.h"

namespace windows {

TFmBotStatSummary::TFmBotStatSummary(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FmBotStatSummary"));
  setModal(false);
  setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  lvBotRating = new QTreeWidget(this);
  lvBotRating->setObjectName(QStringLiteral("lvBotRating"));
  lvBotRating->setColumnCount(2);
  lvBotRating->setHeaderLabels({QStringLiteral("Rating"), QString()});
  lvBotRating->setRootIsDecorated(false);
  lvBotRating->setItemsExpandable(false);
  lvBotRating->setUniformRowHeights(true);
  lvBotRating->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvBotRating->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lvBotRating->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lvBotRating->header()->setStretchLastSection(false);
  lvBotRating->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  SetHint(lvBotRating, "View the profile as seen in UT'03");
  layout->addWidget(lvBotRating);
}

void TFmBotStatSummary::SetBot(const roster::TBotCharacter& bot) {
  FBot = &bot;
  UpdateRatings();
}

void TFmBotStatSummary::UpdateRatings() {
  if (!FBot || !FWeaponNames || !FSpeciesNames) return;
  setWindowTitle(ToQ(FBot->GetDefaultName()));
  lvBotRating->setUpdatesEnabled(false);
  lvBotRating->clear();
  for (const roster::TProfileRow& row : roster::ProfileRows(*FBot, *FWeaponNames, *FSpeciesNames))
    new QTreeWidgetItem(lvBotRating, {ToQ(row.Caption), ToQ(row.Value)});
  lvBotRating->setUpdatesEnabled(true);
  FitToRows();
}

void TFmBotStatSummary::FitToRows() {
  // Every row and both columns in full, without scroll bars: the window is
  // a small fixed card.
  QTreeWidget* view = lvBotRating;
  // A little room to spare after the values: fonts differ in how far
  // their last glyph reaches.
  int width = 2 * view->frameWidth() + view->fontMetrics().averageCharWidth();
  for (int column = 0; column < view->columnCount(); ++column) {
    view->resizeColumnToContents(column);
    width += std::max(view->columnWidth(column), view->header()->sectionSizeHint(column));
  }
  int height = 2 * view->frameWidth() + view->header()->sizeHint().height();
  for (int row = 0; row < view->topLevelItemCount(); ++row) height += view->sizeHintForRow(row);
  view->setFixedSize(width, height);
  layout()->activate();
  setFixedSize(sizeHint());
}

}  // namespace windows
