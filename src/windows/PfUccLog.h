#pragma once

// The compiler's log after a compilation, as plain text.

#include <string>

#include <QDialog>

class QPlainTextEdit;

namespace windows {

class TFmUccLog : public QDialog {
  Q_OBJECT

 public:
  explicit TFmUccLog(QWidget* parent = nullptr);

  // Shows the log file; EFileError when it cannot be read.
  void LoadFromFile(const std::string& fileName);

  QPlainTextEdit* reLog = nullptr;
};

}  // namespace windows
