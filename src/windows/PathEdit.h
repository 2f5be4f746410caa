#pragma once

// A file-name or directory edit: a line edit with a browse button that
// opens a file dialog or a folder chooser through TDialogs. Before the
// dialog a handler may change the proposed name or call the dialog off;
// after it a handler sees the chosen name and whether one was chosen, and
// may change both. The edit then shows the name when one was chosen.

#include <functional>
#include <string>

#include <QWidget>

#include "windows/Dialogs.h"

class QLineEdit;
class QToolButton;

namespace windows {

class TPathEdit : public QWidget {
  Q_OBJECT

 public:
  enum class TKind { File, Directory };
  // name: in, the edit's text; out, the name the dialog proposes.
  // action: in, true; out, false calls the dialog off.
  using TBeforeDialog = std::function<void(std::string& name, bool& action)>;
  // name: the chosen name (the proposal when nothing was chosen).
  // action: true when a name was chosen; false keeps the edit's text.
  using TAfterDialog = std::function<void(std::string& name, bool& action)>;

  TPathEdit(TDialogs& dialogs, TKind kind, QWidget* parent = nullptr);

  // Paths are the file system's own bytes.
  std::string Text() const;
  void SetText(const std::string& path);

  void SetInitialDir(const std::string& dir) { FInitialDir = dir; }
  const std::string& InitialDir() const { return FInitialDir; }
  // "Description (*.ext)|*.ext|..." as the file dialogs take it.
  void SetFilter(const std::string& filter) { FFilter = filter; }
  const std::string& Filter() const { return FFilter; }
  void SetDialogTitle(const std::string& title) { FDialogTitle = title; }
  // A read-only edit takes no typing; its browse button still works.
  void SetReadOnly(bool readOnly);
  // A file or folder dropped on the edit (from a file manager) becomes its
  // text; nothing else happens until the user browses.
  void SetAcceptFileDrops(bool accept) { FAcceptFileDrops = accept; }

  TBeforeDialog OnBeforeDialog;
  TAfterDialog OnAfterDialog;

  QLineEdit* Edit() const { return FEdit; }
  QToolButton* Button() const { return FButton; }

  // What the browse button does; tests call it as a click would.
  void Browse();

 signals:
  // The text changed, by typing or by a dialog.
  void Changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TDialogs& FDialogs;
  TKind FKind;
  std::string FInitialDir;
  std::string FFilter;
  std::string FDialogTitle;
  QLineEdit* FEdit;
  QToolButton* FButton;
  bool FAcceptFileDrops = false;
};

}  // namespace windows
