#include "windows/ProgramWait.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/Files.h"
#include "windows/BusyCursor.h"
#include "windows/QtDialogs.h"

namespace windows {

namespace {

// Often enough that a quick program does not keep the window up, seldom
// enough to cost nothing.
constexpr int PollMilliseconds = 50;

}  // namespace

TFmProgramWait::TFmProgramWait(platform::TProcess& process, const std::string& caption, const std::string& text,
                               QWidget* parent)
    : QDialog(parent), FProcess(process) {
  setObjectName(QStringLiteral("FmProgramWait"));
  setWindowTitle(ToQ(caption));
  setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  laWaiting = new QLabel(PathToQ(text), this);
  laWaiting->setObjectName(QStringLiteral("laWaiting"));
  layout->addWidget(laWaiting);
  auto* busy = new QProgressBar(this);
  busy->setRange(0, 0);  // no known end: the bar only moves
  busy->setTextVisible(false);
  busy->setMinimumWidth(busy->fontMetrics().averageCharWidth() * 48);
  layout->addWidget(busy);
  buCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  buCancel->setObjectName(QStringLiteral("buCancel"));
  layout->addWidget(buCancel, 0, Qt::AlignHCenter);
  setFixedSize(sizeHint());
  connect(buCancel, &QPushButton::clicked, this, &QDialog::reject);

  FTimer = new QTimer(this);
  FTimer->setInterval(PollMilliseconds);
  connect(FTimer, &QTimer::timeout, this, &TFmProgramWait::CheckProcess);
  FTimer->start();
}

void TFmProgramWait::CheckProcess() {
  if (FProcess.Poll()) {
    FTimer->stop();
    done(int(TModalResult::mrOk));
  }
}

TProgramRun RunProgram(TDialogs& dialogs, const std::string& program, const std::vector<std::string>& args,
                       const std::string& caption, QWidget* parent) {
  const TBusyCursor busy;  // for as long as the program runs
  platform::TProcess process(program, args);
  TFmProgramWait window(process, caption, "Waiting for " + platform::ExtractFileName(program) + " to end ...",
                        parent);
  dialogs.ShowModal(window);
  TProgramRun run;
  // However the window closed, the program does not outlive the wait.
  if (!process.Poll()) {
    process.Kill();
    run.Cancelled = true;
  }
  run.ExitCode = process.Wait();
  return run;
}

}  // namespace windows
