#pragma once

// The roster list box. A bot dragged within it is copied: the drag carries
// the bot's PlayerLine, taken when the drag starts, under a MIME type of
// our own, and the list takes a drop only of its own bots, on itself or
// anywhere on the window it is told to take drops for. What a drag carries
// and what a drop does are the main window's business.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QByteArray>
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
  std::function<bool(const QMimeData& mime)> Drop;

  // What a drag of the bot whose line is `line` carries: the line, and
  // the list it comes from.
  std::unique_ptr<QMimeData> DragData(const std::string& line) const;
  // Whether `mime` is a bot dragged from this list, and a drop would be
  // taken now.
  bool Accepts(const QMimeData& mime) const;
  // The bot line that `mime` carries.
  static std::string DraggedLine(const QMimeData& mime);

  // Takes the list's drops anywhere on `window` as on the list itself; a
  // bot let go beside the list is no less meant to be copied.
  void TakeDropsOn(QWidget& window);

 protected:
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Names this list in the data of its drags: a bot from another window or
  // another run of the program, or bytes of our type from anywhere else,
  // are no bot of this roster.
  QByteArray FId;
  QWidget* FDropWindow = nullptr;
};

}  // namespace windows
