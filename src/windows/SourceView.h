#pragma once

// The list views of the configuration window's source pages (package
// contents, folder listing, .int lines): a table model of rows made once
// per fill, and a view that sorts it by a clicked column. A second click on
// the sort column reverses the order; a click on another column sorts that
// one in the same direction. Texts sort without regard to case, in the
// order the platform layer gives; columns with a value (sizes, times,
// dates) sort by it. Selected rows are dragged as lines that the page
// forms from each row.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QStringList>
#include <QTreeView>

namespace windows {

struct TSourceRow {
  std::vector<std::string> Cells;
  // Per cell: the value it sorts by, or nothing to sort by its text.
  std::vector<std::optional<std::int64_t>> Keys;
  int Data = -1;
};

// Draws lines between the rows and columns of a report-style view, in the
// style's colour for table grids, as the configuration window's lists
// show them.
void ShowGridLines(QAbstractItemView* view);

class TSourceTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  TSourceTableModel(const QStringList& headers, QObject* parent);

  void SetRows(std::vector<TSourceRow> rows);
  const TSourceRow& Row(int row) const { return FRows.at(static_cast<std::size_t>(row)); }
  const std::vector<TSourceRow>& Rows() const { return FRows; }

  // How a dragged row becomes a line; rows are not dragged without it.
  std::function<std::string(const TSourceRow&)> DragLine;
  // The lines of those rows, in row order, each row once.
  std::vector<std::string> LinesOf(std::vector<int> rows) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  void sort(int column, Qt::SortOrder sortOrder = Qt::AscendingOrder) override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

 private:
  QStringList FHeaders;
  std::vector<TSourceRow> FRows;
};

class TSourceView : public QTreeView {
  Q_OBJECT

 public:
  // The sort column (-1 for none) and the direction are kept by the
  // caller: the configuration window holds the columns, the process the
  // directions of the package and folder views.
  TSourceView(const QStringList& headers, int& sortColumn, bool& ascending, QWidget* parent);

  TSourceTableModel* Model() const { return FModel; }
  // Replaces the rows and sorts them by the sort column, or by the first
  // column while none was clicked.
  void SetRows(std::vector<TSourceRow> rows);
  // What a click on a column's header does.
  void ColumnClick(int column);
  void SortAgain();
  int SortColumn() const { return FSortColumn; }
  bool Ascending() const { return FAscending; }

  // Model rows of the selection, in row order.
  std::vector<int> SelectedRows() const;
  std::vector<std::string> SelectedLines() const;
  std::vector<std::string> AllLines() const;
  // The visible texts of a column, top to bottom.
  std::vector<std::string> ColumnTexts(int column) const;

 private:
  TSourceTableModel* FModel;
  int& FSortColumn;
  bool& FAscending;
};

}  // namespace windows
