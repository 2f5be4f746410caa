// The Setup menu's export of every bot as an UnrealScript package, the
// game's compiler run on them, its log, and the about window.

#include <filesystem>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScopeGuard>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "roster/PuUccCompile.h"
#include "roster/RosterErrors.h"
#include "windows/PfMainForm.h"
#include "windows/PfTevAbout.h"
#include "windows/PfUccLog.h"
#include "windows/ProgramWait.h"

namespace windows {

namespace {

// The game folder, the System folder's parent, where each bot's package
// folder goes.
std::string GameDirOf(const std::string& systemDir) {
  std::error_code ec;
  std::filesystem::path dir = std::filesystem::absolute(std::filesystem::path(systemDir) / "..", ec);
  if (ec) dir = std::filesystem::path(systemDir) / "..";
  return dir.lexically_normal().string();
}

}  // namespace

void TFmMainForm::BuildSetupAndAboutCommands() {
  mmSetup = menuBar()->addMenu(QStringLiteral("&Setup"));
  mmSetup->setObjectName(QStringLiteral("mmSetup"));
  miExportPlayerRecordClass = mmSetup->addAction(QStringLiteral("Export PlayerRecordClass ..."));
  miExportPlayerRecordClass->setObjectName(QStringLiteral("miExportPlayerRecordClass"));
  connect(miExportPlayerRecordClass, &QAction::triggered, this,
          [this] { Guard([this] { miExportPlayerRecordClassClick(); }); });
  mmAbout = menuBar()->addAction(QStringLiteral("&About"));
  mmAbout->setObjectName(QStringLiteral("mmAbout"));
  connect(mmAbout, &QAction::triggered, this, [this] { Guard([this] { mmAboutClick(); }); });
}

void TFmMainForm::miExportPlayerRecordClassClick() {
  // The progress bar is back at its start however the command ends.
  const auto resetProgress = qScopeGuard([this] { pbWaitingline->setValue(0); });
  const std::string root = GameDirOf(FSystemDir);
  std::vector<std::string> packages;
  // One step per bot done. An empty range would turn the bar into a busy
  // animation that stays once the export is over.
  pbWaitingline->setRange(0, std::max(BotCount(), 1));
  for (int i = 0; i < BotCount(); ++i) {
    pbWaitingline->setValue(i);
    const roster::TBotCharacter& bot = Bot(i);
    try {
      // One package per name: a second bot of the same name (in any letter
      // case) would overwrite the first one's class.
      const std::string package = bot.GetDefaultName() + "Mod";
      for (const std::string& listed : packages)
        if (platform::SameText(listed, package))
          throw roster::EExportError("Another bot is named \"" + bot.GetDefaultName() +
                                     "\" already: the class of this one is not exported.");
      bot.ExportPlayerRecordClass(root);
      packages.push_back(package);
    } catch (const std::exception& e) {
      const TModalResult answer =
          FDialogs.MessageDlg("Unexpected error occurred :\r" + ErrorText(e) + "\r Continue ?\rPlease report !",
                              TMsgDlgType::mtError, mbYes | mbNo);
      if (answer != TModalResult::mrYes) break;
    }
  }
  if (FDialogs.MessageDlg("Compile the packages ?", TMsgDlgType::mtConfirmation, mbYes | mbNo) ==
      TModalResult::mrYes) {
    if (!CompilePackages(packages)) return;
  }
  FDialogs.MessageDlg("Export completed!", TMsgDlgType::mtInformation, mbOK);
}

bool TFmMainForm::CompilePackages(const std::vector<std::string>& packages) {
  // ucc.ini lives only as long as `files`, whichever way this ends.
  const roster::TUccFiles files(FSystemDir, packages);
  std::optional<TProgramRun> run;
  try {
    run = RunUcc(files.Compiler(), files.ConfigFile());
  } catch (const platform::EProcessError& e) {
    FDialogs.MessageDlg("The packages were not compiled.\r" + ErrorText(e), TMsgDlgType::mtError, mbOK);
    return false;
  }
  if (run->Cancelled)
    FDialogs.MessageDlg("The compiler was stopped: the packages may not be compiled.", TMsgDlgType::mtWarning, mbOK);
  else if (run->ExitCode != 0)
    FDialogs.MessageDlg("The compiler failed (exit code " + std::to_string(run->ExitCode) + ").",
                        TMsgDlgType::mtError, mbOK);
  if (const std::string log = files.LogFile(); !log.empty()) {
    if (FDialogs.MessageDlg("View UCC log-file ?", TMsgDlgType::mtInformation, mbYes | mbNo) ==
        TModalResult::mrYes) {
      TFmUccLog window(this);
      window.LoadFromFile(log);
      FDialogs.ShowModal(window);
    }
  }
  return !run->Cancelled && run->ExitCode == 0;
}

TProgramRun TFmMainForm::RunUcc(const std::string& compiler, const std::string& config) {
  return RunProgram(FDialogs, compiler,
                    roster::TUccFiles::CompilerArgs(platform::PathForProgram(compiler, config)),
                    "Compiling ...", this);
}

void TFmMainForm::mmAboutClick() {
  TFmTevAboutDlg about(platform::ExtractFileDir(FArgs.empty() ? std::string() : FArgs[0]), this);
  FDialogs.ShowModal(about);
}

}  // namespace windows
