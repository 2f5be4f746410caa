#include "windows/BotListBox.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

namespace windows {

const char* const BotMimeType = "application/x-rosterwell-bot";

TBotListBox::TBotListBox(QWidget* parent) : QListWidget(parent) {
  setDragEnabled(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  setDropIndicatorShown(false);  // a copy goes to the end, wherever it is dropped
}

bool TBotListBox::Accepts(const QMimeData& mime, const QObject* source) const {
  return source == this && mime.hasFormat(QString::fromLatin1(BotMimeType)) && CanDrop && CanDrop();
}

void TBotListBox::startDrag(Qt::DropActions) {
  const std::optional<std::string> line = DragLine ? DragLine() : std::nullopt;
  if (!line) return;
  auto* mime = new QMimeData;
  mime->setData(QString::fromLatin1(BotMimeType), QByteArray::fromStdString(*line));
  auto* drag = new QDrag(this);
  drag->setMimeData(mime);
  drag->exec(Qt::CopyAction);
}

void TBotListBox::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void TBotListBox::dragMoveEvent(QDragMoveEvent* event) {
  if (Accepts(*event->mimeData(), event->source()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TBotListBox::dropEvent(QDropEvent* event) {
  if (Drop && Drop(*event->mimeData(), event->source()))
    event->acceptProposedAction();
  else
    event->ignore();
}

}  // namespace windows
