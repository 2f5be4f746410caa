#include "windows/PfStatViewlist.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "windows/PfBotStatSummary.h"
#include "windows/QtDialogs.h"

namespace windows {

TFmStatViewlist::TFmStatViewlist(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FmStatViewlist"));
  setWindowTitle(QStringLiteral("Show Statistics"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  lbStatviewList = new QListWidget(this);
  lbStatviewList->setObjectName(QStringLiteral("lbStatviewList"));
  layout->addWidget(lbStatviewList);
  connect(lbStatviewList, &QListWidget::itemDoubleClicked, this, [this] { lbStatviewListDblClick(); });
}

void TFmStatViewlist::SetList(const TProfileList& list) {
  lbStatviewList->clear();
  FWindows.clear();
  for (const auto& [name, window] : list) {
    lbStatviewList->addItem(ToQ(name));
    FWindows.emplace_back(window);
  }
}

void TFmStatViewlist::lbStatviewListDblClick() {
  const int row = lbStatviewList->currentRow();
  if (row < 0 || !lbStatviewList->item(row)->isSelected()) return;
  TFmBotStatSummary* window = FWindows.at(static_cast<std::size_t>(row));
  if (!window) return;
  window->UpdateRatings();
  window->show();
  window->raise();
}

}  // namespace windows
