#pragma once

// The roster list box. A bot dragged within it is copied: the drag carries
// the bot's PlayerLine, taken when the drag starts, under a MIME type of
// our own, and the list takes a drop only from itself. What a drag carries
// and what a drop does are the main window's business.

#include <functional>
#include <optional>
#include <string>

#include <QListWidget>

class QMimeData;

namespace windows {

// The drag data of a bot: its PlayerLine as 8-bit text.
extern const char* const BotMimeType;  // "application/x-rosterwell-bot"

class TBotListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit TBotListBox(QWidget* parent = nullptr);

  // The line to drag, or nothing when no bot can be dragged now.
  std::function<std::optional<std::string>()> DragLine;
  // Whether a drop would be taken now (a bot is shown).
  std::function<bool()> CanDrop;
  // Takes a drop; false when it was refused.
  std::function<bool(const QMimeData& mime, const QObject* source)> Drop;

  // Whether `data` from `source` is a bot of this list.
  bool Accepts(const QMimeData& mime, const QObject* source) const;

 protected:
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace windows
