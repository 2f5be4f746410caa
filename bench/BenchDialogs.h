#pragma once

// Dialogs for the window benchmarks: every question is answered Yes, every
// file dialog chooses `File` (nothing when it is empty), nothing else is
// asked.

#include <cstdlib>
#include <optional>
#include <string>

#include <QApplication>

#include "windows/Dialogs.h"

// The one application object the window benchmarks need, made on first
// use and never destroyed, as Qt's globals may go first.
inline void StartQt() {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

class TBenchDialogs : public windows::TDialogs {
 public:
  std::string File;
  using windows::TDialogs::MessageDlg;
  windows::TModalResult MessageDlg(const std::string&, windows::TMsgDlgType, windows::TMsgDlgButtons,
                                   windows::TMsgDlgButtons) override {
    return windows::TModalResult::mrYes;
  }
  std::optional<std::string> InputQuery(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> OpenFileName(const windows::TFileDialogRequest&) override { return Chosen(); }
  std::optional<std::string> SaveFileName(const windows::TFileDialogRequest&) override { return Chosen(); }
  std::optional<std::string> SelectDirectory(const std::string&, const std::string&) override { return std::nullopt; }
  windows::TModalResult ShowModal(QDialog&) override { return windows::TModalResult::mrCancel; }
  std::optional<std::string> ClipboardText() override { return std::nullopt; }
  void SetClipboardText(const std::string&) override {}
  void Halt(int) override {}

 private:
  std::optional<std::string> Chosen() const {
    if (File.empty()) return std::nullopt;
    return File;
  }
};
