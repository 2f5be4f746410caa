#pragma once

// The biography editor: one biography's key, its .int file and its lines,
// written as one entry into that file. The biography commands and the
// configuration window set it up, show it and, once it has written, read
// the file again.

#include <string>
#include <vector>

#include <QDialog>

#include "windows/Dialogs.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace windows {

class TPathEdit;

class TFrmEditBio : public QDialog {
  Q_OBJECT

 public:
  TFrmEditBio(TDialogs& dialogs, QWidget* parent = nullptr);

  // The game's System folder: where the .int files are and where the file
  // dialog starts.
  void SetSystemDir(const std::string& dir);
  // Shows the biography "Package.Key" names: its key, its file (the
  // package's .int file in the System folder; XPlayers.int for a reference
  // without "."), and its lines.
  void SetTextRef(const std::string& ref);
  // The reference the editor now names: the file's name up to and
  // including its first ".", then the key.
  std::string GetTextRef() const;
  // The .int file that is written (as spelled on disk when it is there).
  std::string FileName() const;
  // Whether the key is fixed (editing an existing biography) or may be
  // changed (adding one).
  void SetNameReadOnly(bool readOnly);
  // A new biography for that bot: the key becomes the name and "Bio", and
  // an empty memo gets the template text.
  void InitNewBio(const std::string& botName);
  std::vector<std::string> GetBioLines() const;
  void SetBioLines(const std::vector<std::string>& lines);

  // Writes the entry (a key that may be edited loses the blanks at its
  // ends first); false when the user declined to overwrite an existing one. Raises roster::EBioError or platform::EFileError, the
  // file then left as it was.
  bool SaveBio();
  // Whether SaveBio has written the file.
  bool Written() const { return FWritten; }

  QLabel* laName = nullptr;
  QLineEdit* edName = nullptr;
  QLabel* laFile = nullptr;
  TPathEdit* feFilename = nullptr;
  QPlainTextEdit* meBiography = nullptr;
  QPushButton* buOk = nullptr;
  QPushButton* buCancel = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buOkClick();

  TDialogs& FDialogs;
  std::string FSystemDir;
  bool FNameReadOnly = false;
  bool FWritten = false;
};

}  // namespace windows
