#include "windows/SourceView.h"

#include <algorithm>

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "platform/AsciiText.h"
#include "windows/LineView.h"
#include "windows/PfBotConfig.h"
#include "windows/QtDialogs.h"

namespace windows {

namespace {

class TGridLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // The lines take the last pixel row and column of each cell, as in a
  // table, so that they cover nothing of the text (an underscore, say).
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(1, 1);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem inside(option);
    inside.rect.adjust(0, 0, -1, -1);
    QStyledItemDelegate::paint(painter, inside, index);
    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    const auto colour = static_cast<QRgb>(style->styleHint(QStyle::SH_Table_GridLineColor, &option, view));
    const QPen before = painter->pen();
    painter->setPen(QColor::fromRgba(colour));
    const QRect& r = option.rect;
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->setPen(before);
  }
};

}  // namespace

void ShowGridLines(QAbstractItemView* view) { view->setItemDelegate(new TGridLineDelegate(view)); }

TSourceTableModel::TSourceTableModel(const QStringList& headers, QObject* parent)
    : QAbstractTableModel(parent), FHeaders(headers) {}

void TSourceTableModel::SetRows(std::vector<TSourceRow> rows) {
  beginResetModel();
  FRows = std::move(rows);
  endResetModel();
}

std::vector<std::string> TSourceTableModel::LinesOf(std::vector<int> rows) const {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::vector<std::string> lines;
  if (!DragLine) return lines;
  for (int row : rows)
    if (row >= 0 && row < rowCount()) lines.push_back(DragLine(Row(row)));
  return lines;
}

int TSourceTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

int TSourceTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(FHeaders.size());
}

QVariant TSourceTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const TSourceRow& row = Row(index.row());
  if (role == Qt::UserRole) return row.Data;
  if (role != Qt::DisplayRole || index.column() >= static_cast<int>(row.Cells.size())) return {};
  return ToQ(row.Cells[static_cast<std::size_t>(index.column())]);
}

QVariant TSourceTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= FHeaders.size())
    return {};
  return FHeaders[section];
}

Qt::ItemFlags TSourceTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags result = QAbstractTableModel::flags(index);
  if (index.isValid() && DragLine) result |= Qt::ItemIsDragEnabled;
  return result;
}

void TSourceTableModel::sort(int column, Qt::SortOrder sortOrder) {
  if (column < 0 || column >= columnCount()) return;
  const auto c = static_cast<std::size_t>(column);
  const auto compare = [c](const TSourceRow& a, const TSourceRow& b) {
    const std::optional<std::int64_t> ka = c < a.Keys.size() ? a.Keys[c] : std::nullopt;
    const std::optional<std::int64_t> kb = c < b.Keys.size() ? b.Keys[c] : std::nullopt;
    if (ka && kb) return *ka < *kb ? -1 : (*ka > *kb ? 1 : 0);
    const std::string empty;
    return platform::CompareText(c < a.Cells.size() ? a.Cells[c] : empty, c < b.Cells.size() ? b.Cells[c] : empty);
  };
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  // The rows' old positions, sorted; stable, so rows that compare equal
  // keep their order either way round.
  std::vector<int> order(FRows.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  const auto row = [this](int i) -> const TSourceRow& { return FRows[static_cast<std::size_t>(i)]; };
  if (sortOrder == Qt::AscendingOrder)
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(row(a), row(b)) < 0; });
  else
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(row(a), row(b)) > 0; });
  std::vector<TSourceRow> sorted;
  sorted.reserve(FRows.size());
  std::vector<int> newRow(FRows.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    sorted.push_back(std::move(FRows[static_cast<std::size_t>(order[i])]));
    newRow[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
  }
  FRows = std::move(sorted);
  // The selection and the current row stay with their rows.
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& index : before)
    after << (index.row() < rowCount() ? this->index(newRow[static_cast<std::size_t>(index.row())], index.column())
                                       : QModelIndex());
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QStringList TSourceTableModel::mimeTypes() const { return {QString::fromLatin1(TMyDragObject::MimeType)}; }

QMimeData* TSourceTableModel::mimeData(const QModelIndexList& indexes) const {
  std::vector<int> rows;
  for (const QModelIndex& index : indexes) rows.push_back(index.row());
  std::vector<std::string> lines = LinesOf(rows);
  if (lines.empty()) return nullptr;
  return new TMyDragObject(std::move(lines));
}

TSourceView::TSourceView(const QStringList& headers, int& sortColumn, bool& ascending, QWidget* parent)
    : QTreeView(parent), FModel(new TSourceTableModel(headers, this)), FSortColumn(sortColumn), FAscending(ascending) {
  setModel(FModel);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragDropMode(QAbstractItemView::DragOnly);
  header()->setSectionsClickable(true);
  header()->setSortIndicatorShown(true);
  header()->setStretchLastSection(true);
  connect(header(), &QHeaderView::sectionClicked, this, &TSourceView::ColumnClick);
}

void TSourceView::SetRows(std::vector<TSourceRow> rows) {
  FModel->SetRows(std::move(rows));
  SortAgain();
  // Wide enough for the rows in sight, so names are read whole.
  for (int column = 0; column + 1 < FModel->columnCount(); ++column) resizeColumnToContents(column);
}

void TSourceView::ColumnClick(int column) {
  windows::ColumnClick(column, FSortColumn, FAscending);
  SortAgain();
}

void TSourceView::SortAgain() {
  const int column = FSortColumn >= 0 ? FSortColumn : 0;
  const Qt::SortOrder order = FAscending ? Qt::AscendingOrder : Qt::DescendingOrder;
  FModel->sort(column, order);
  header()->setSortIndicator(FSortColumn, order);
}

std::vector<int> TSourceView::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::vector<std::string> TSourceView::SelectedLines() const { return FModel->LinesOf(SelectedRows()); }

std::vector<std::string> TSourceView::AllLines() const {
  std::vector<int> rows(static_cast<std::size_t>(FModel->rowCount()));
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  return FModel->LinesOf(rows);
}

std::vector<std::string> TSourceView::ColumnTexts(int column) const {
  std::vector<std::string> texts;
  for (const TSourceRow& row : FModel->Rows())
    texts.push_back(column < static_cast<int>(row.Cells.size()) ? row.Cells[static_cast<std::size_t>(column)] : "");
  return texts;
}

}  // namespace windows
