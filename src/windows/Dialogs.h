#pragma once

// Every question the editor asks and every way it leaves the process goes
// through this one interface, so the windows can be driven by tests that
// script the answers and read back what was asked. Texts are the program's
// 8-bit text; a carriage return is a line break, as the game's platform
// wrote its messages.

#include <exception>
#include <optional>
#include <string>

#include "roster/PuUtTypes.h"

class QDialog;

namespace windows {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons are or-ed together.
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = unsigned;

enum class TModalResult { mrNone, mrOk, mrCancel, mrYes, mrNo };

struct TFileDialogRequest {
  std::string Title;
  std::string InitialDir;
  std::string FileName;
  // "Description (*.upl)|*.upl|All files (*.*)|*.*"
  std::string Filter;
  // Save dialogs: whether the dialog itself asks before an existing file
  // is chosen. A caller that asks through MessageDlg turns it off, so the
  // user is not asked twice.
  bool ConfirmOverwrite = true;
};

// It also answers the roster model's question for a number it cannot read
// (roster::TInputQuery) with its input box.
class TDialogs : public roster::TInputQuery {
 public:

  // A message box with its type and buttons; the answer is the button
  // pressed (closing the box counts as Cancel, or as OK when that is the
  // only button).
  // `defaultButton` is the one Enter presses; 0 leaves the choice to the
  // platform.
  virtual TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                  TMsgDlgButtons defaultButton) = 0;
  TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    return MessageDlg(text, type, buttons, 0);
  }
  // The plain box: no icon, an OK button.
  void ShowMessage(const std::string& text) { MessageDlg(text, TMsgDlgType::mtCustom, mbOK); }

  // The typed text, or nothing on Cancel.
  std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& text) override = 0;

  // The chosen path, or nothing on Cancel.
  virtual std::optional<std::string> OpenFileName(const TFileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFileName(const TFileDialogRequest& request) = 0;

  // The chosen folder, or nothing on Cancel.
  virtual std::optional<std::string> SelectDirectory(const std::string& caption, const std::string& initialDir) = 0;

  // Runs a window of ours modally and gives back how it was closed: the
  // result it set with done(int(TModalResult::...)), accept() as mrOk, and
  // reject(), Escape or the title bar's close button as mrCancel.
  virtual TModalResult ShowModal(QDialog& window) = 0;

  // The clipboard's text, or nothing when it holds none.
  virtual std::optional<std::string> ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;

  // Ends the process at once with that exit code. A test double records the
  // code and returns, so callers stop their own work right after the call.
  virtual void Halt(int exitCode) = 0;
};

// A file-system path as the program's 8-bit text, for messages: letters
// outside that code page show as "?".
std::string PathText(const std::string& path);
// An error's message as the program shows it.
std::string ErrorText(const std::exception& e);

// Runs a window command and shows what it raised in an error box, as the
// platform's default error report did; the window goes on.
template <class F>
void GuardCommand(TDialogs& dialogs, F&& command) {
  try {
    command();
  } catch (const std::exception& e) {
    dialogs.MessageDlg(ErrorText(e), TMsgDlgType::mtError, mbOK);
  }
}

}  // namespace windows
