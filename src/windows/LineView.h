#pragma once

// Lines of a name, "=" and a translation, dragged from a source page of the
// configuration window (package objects, Karma data entries, files) into
// the value list it shows. Drags carry a TMyDragObject, which only views of
// this process understand; a view takes a drop only when it carries one.

#include <functional>
#include <string>
#include <vector>

#include <QMimeData>
#include <QTreeWidget>

namespace windows {

class TMyDragObject : public QMimeData {
  Q_OBJECT

 public:
  // Set so that Qt's drag machinery carries the object; the lines are read
  // through Items(), never from the format's bytes.
  static const char* const MimeType;  // "application/x-rosterwell-lines"

  explicit TMyDragObject(std::vector<std::string> items = {});

  std::vector<std::string>& Items() { return FItems; }
  const std::vector<std::string>& Items() const { return FItems; }

 private:
  std::vector<std::string> FItems;
};

// A report-style list view that may start drags of lines and take drops
// of them. Rows stay in the order they were added unless sorting is
// switched on.
class TLineView : public QTreeWidget {
  Q_OBJECT

 public:
  explicit TLineView(QWidget* parent = nullptr);

  // The lines a drag from this view carries (its selected rows); unset,
  // the view starts no drags.
  std::function<std::vector<std::string>()> DragLines;
  // What a drop of lines on this view does; unset, it takes no drops.
  std::function<void(const std::vector<std::string>&)> OnDropLines;

  // Keeps the selection's colour while the view has no focus.
  void KeepSelectionVisible();

 protected:
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
  Qt::DropActions supportedDropActions() const override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  const TMyDragObject* Carried(const QMimeData* mime) const;
};

}  // namespace windows
