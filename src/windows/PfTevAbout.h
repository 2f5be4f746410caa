#pragma once

// The about window: the program's name and version in the caption, and
// its Readme.txt, which the build puts beside the program.

#include <string>

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace windows {

class TFmTevAboutDlg : public QDialog {
  Q_OBJECT

 public:
  // `programDir` is the folder of the program's executable.
  explicit TFmTevAboutDlg(const std::string& programDir, QWidget* parent = nullptr);

  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  std::string FProgramDir;
};

}  // namespace windows
