#include "windows/BotListBox.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUuid>

namespace windows {

const char* const BotMimeType = "application/x-rosterwell-bot";

namespace {

const char* const SourceListMimeType = "application/x-rosterwell-bot-list";

}  // namespace

TBotListBox::TBotListBox(QWidget* parent) : QListWidget(parent), FId(QUuid::createUuid().toByteArray()) {
  setDragEnabled(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  setDropIndicatorShown(false);  // a copy goes to the end, wherever it is dropped
}

std::unique_ptr<QMimeData> TBotListBox::DragData(const std::string& line) const {
  auto mime = std::make_unique<QMimeData>();
  mime->setData(QString::fromLatin1(BotMimeType), QByteArray::fromStdString(line));
  mime->setData(QString::fromLatin1(SourceListMimeType), FId);
  return mime;
}

bool TBotListBox::Accepts(const QMimeData& mime) const {
  return mime.hasFormat(QString::fromLatin1(BotMimeType)) && mime.data(QString::fromLatin1(SourceListMimeType)) == FId &&
         CanDrop && CanDrop();
}

std::string TBotListBox::DraggedLine(const QMimeData& mime) {
  return mime.data(QString::fromLatin1(BotMimeType)).toStdString();
}

void TBotListBox::TakeDropsOn(QWidget& window) {
  if (FDropWindow) FDropWindow->removeEventFilter(this);
  FDropWindow = &window;
  // A child that does not take the drop itself hands it on to its parents
  // up to this window.
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

void TBotListBox::startDrag(Qt::DropActions) {
  const std::optional<std::string> line = DragLine ? DragLine() : std::nullopt;
  if (!line) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(DragData(*line).release());
  drag->exec(Qt::CopyAction);
}

void TBotListBox::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void TBotListBox::dragMoveEvent(QDragMoveEvent* event) {
  if (Accepts(*event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TBotListBox::dropEvent(QDropEvent* event) {
  if (Drop && Drop(*event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

bool TBotListBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FDropWindow) {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove:
        dragMoveEvent(static_cast<QDragMoveEvent*>(event));
        return true;
      case QEvent::Drop:
        dropEvent(static_cast<QDropEvent*>(event));
        return true;
      default:
        break;
    }
  }
  return QListWidget::eventFilter(watched, event);
}

}  // namespace windows
