#include "windows/LineView.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>

namespace windows {

const char* const TMyDragObject::MimeType = "application/x-rosterwell-lines";

TMyDragObject::TMyDragObject(std::vector<std::string> items) : FItems(std::move(items)) {
  setData(QString::fromLatin1(MimeType), QByteArray());
}

TLineView::TLineView(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  setDropIndicatorShown(false);
  header()->setSectionsMovable(false);
}

void TLineView::KeepSelectionVisible() {
  QPalette p = palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(p);
}

QStringList TLineView::mimeTypes() const { return {QString::fromLatin1(TMyDragObject::MimeType)}; }

QMimeData* TLineView::mimeData(const QList<QTreeWidgetItem*>&) const {
  if (!DragLines) return nullptr;
  std::vector<std::string> lines = DragLines();
  if (lines.empty()) return nullptr;
  return new TMyDragObject(std::move(lines));
}

Qt::DropActions TLineView::supportedDropActions() const { return Qt::CopyAction; }

const TMyDragObject* TLineView::Carried(const QMimeData* mime) const {
  return OnDropLines ? qobject_cast<const TMyDragObject*>(mime) : nullptr;
}

void TLineView::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void TLineView::dragMoveEvent(QDragMoveEvent* event) {
  if (Carried(event->mimeData()) && event->source() != this) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void TLineView::dropEvent(QDropEvent* event) {
  const TMyDragObject* carried = Carried(event->mimeData());
  if (!carried || event->source() == this) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  // A copy: the drop may refill views, and the drag's data must not change
  // underneath the handler.
  const std::vector<std::string> lines = carried->Items();
  OnDropLines(lines);
}

}  // namespace windows
