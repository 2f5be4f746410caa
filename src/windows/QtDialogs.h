#pragma once

// The real dialogs: Qt message boxes, input boxes, file dialogs and the
// system clipboard.

#include <memory>
#include <string>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QAction;
class QHBoxLayout;
class QInputDialog;
class QLabel;
class QPlainTextEdit;
class QPushButton;

#include "windows/Dialogs.h"

namespace windows {

// The program's 8-bit text in widgets and back: every byte is one
// character, so names with accented letters survive a round trip.
inline QString ToQ(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }
inline std::string FromQ(const QString& s) { return s.toLatin1().toStdString(); }
// Rows for a list or pick list, one per line.
QStringList LinesToQ(const std::vector<std::string>& lines);
// A control's hint: its tool tip, and the status bar's text while the
// mouse is over it.
void SetHint(QWidget* widget, const char* hint);
// A command named `name` for tests and menus, with its hint unless none.
QAction* MakeAction(QObject* owner, const char* name, const char* caption, const char* hint);
// A label whose "&" key moves the focus to `buddy`.
QLabel* MakeLabel(QWidget* parent, const char* caption, QWidget* buddy);
// A read-only view of plain text named `name`: "<" and "&" show as they
// are, lines never wrap, and the vertical scroll bar is always there.
QPlainTextEdit* MakeTextView(QWidget* parent, const char* name);
// The "&Ok" (default) and "&Cancel" buttons of our dialogs, made in
// `parent` and right-aligned in the row returned.
QHBoxLayout* OkCancelRow(QWidget* parent, QPushButton*& ok, QPushButton*& cancel);
// File names are the file system's own bytes, as the command line gives
// them; a file dialog names a file in the system's encoding, which is not
// the roster's 8-bit text: a folder with an accented name must still lead
// to the file chosen.
inline QString PathToQ(const std::string& s) { return QFile::decodeName(QByteArray::fromStdString(s)); }
inline std::string PathFromQ(const QString& s) { return QFile::encodeName(s).toStdString(); }
// Line breaks of the program's messages are carriage returns.
QString MessageToQ(const std::string& s);
// "Text (*.upl)|*.upl|All files (*.*)|*.*" as Qt writes a filter.
QString FilterToQ(const std::string& filter);

// The input box of InputQuery, not yet shown: wide enough for its caption
// in the title bar and for the whole value, within the screen, and
// showing every line of a prompt of several lines.
std::unique_ptr<QInputDialog> MakeInputBox(QWidget* parent, const std::string& caption, const std::string& prompt,
                                           const std::string& text);

// How a window closed, from QDialog's result code: accept() (1) is mrOk,
// reject() (0) and codes we do not know are mrCancel.
TModalResult ResultOfDialog(int code);

class TQtDialogs : public TDialogs {
 public:
  // The boxes are modal to `parent` once it is set.
  void SetParent(QWidget* parent) { FParent = parent; }

  using TDialogs::MessageDlg;
  TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                          TMsgDlgButtons defaultButton) override;
  std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& text) override;
  std::optional<std::string> OpenFileName(const TFileDialogRequest& request) override;
  std::optional<std::string> SaveFileName(const TFileDialogRequest& request) override;
  std::optional<std::string> SelectDirectory(const std::string& caption, const std::string& initialDir) override;
  TModalResult ShowModal(QDialog& window) override;
  std::optional<std::string> ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  void Halt(int exitCode) override;

 private:
  QPointer<QWidget> FParent;
};

}  // namespace windows
