#pragma once

// Running another program without freezing the editor: while it runs, a
// small modal window with a Cancel button stands over the editor, the
// windows keep being painted and the busy cursor shows. Cancel, Escape or
// closing the window ends the program.

#include <string>
#include <vector>

#include <QDialog>

#include "platform/Process.h"
#include "windows/Dialogs.h"

class QLabel;
class QPushButton;
class QTimer;

namespace windows {

class TFmProgramWait : public QDialog {
  Q_OBJECT

 public:
  // Watches `process` until it ends, then closes with mrOk.
  TFmProgramWait(platform::TProcess& process, const std::string& caption, const std::string& text,
                 QWidget* parent = nullptr);

  QLabel* laWaiting = nullptr;
  QPushButton* buCancel = nullptr;

 private:
  void CheckProcess();

  platform::TProcess& FProcess;
  QTimer* FTimer = nullptr;
};

struct TProgramRun {
  bool Cancelled = false;  // the user ended it
  int ExitCode = 0;
};

// Starts the program with its arguments and waits for its end in a
// TFmProgramWait run through `dialogs`. Raises platform::EProcessError
// when the program cannot be started.
TProgramRun RunProgram(TDialogs& dialogs, const std::string& program, const std::vector<std::string>& args,
                       const std::string& caption, QWidget* parent);

}  // namespace windows
