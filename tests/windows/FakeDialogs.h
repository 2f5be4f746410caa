#pragma once

// A scripted stand-in for every dialog: answers come from queues set up by
// the test, every question is recorded in order, and Halt records the exit
// code instead of ending the test process.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QDialog>

#include "windows/Dialogs.h"
#include "windows/QtDialogs.h"

namespace testing_support {

struct TAsked {
  std::string Kind;  // "message", "input", "open", "save", "folder", "window"
  std::string Text;  // the message, the input box's caption, the dialog's file name or
                     // initial folder, the window's caption
  windows::TMsgDlgType Type = windows::TMsgDlgType::mtCustom;
  windows::TMsgDlgButtons Buttons = 0;
  std::string Extra;  // input box: prompt; file dialogs: initial folder
  windows::TMsgDlgButtons DefaultButton = 0;
};

class TFakeDialogs : public windows::TDialogs {
 public:
  std::deque<windows::TModalResult> Answers;
  std::deque<std::optional<std::string>> Inputs;
  // File and folder dialogs take their answers from here, in order.
  std::deque<std::optional<std::string>> Files;
  // Modal windows: each script gets the window (not shown; call show() when
  // the test needs it on screen), drives its widgets and gives the result.
  // mrNone hands back whatever the window's own buttons set (done(),
  // accept(), reject()), and a window left open counts as cancelled.
  using TWindowScript = std::function<windows::TModalResult(QDialog&)>;
  std::deque<TWindowScript> Windows;
  // The answer to a question with more than an OK button when none is
  // queued; without it such a question fails the test.
  std::optional<windows::TModalResult> DefaultAnswer;
  std::optional<std::string> Clipboard;
  std::vector<TAsked> Asked;
  std::optional<int> ExitCode;

  using windows::TDialogs::MessageDlg;
  windows::TModalResult MessageDlg(const std::string& text, windows::TMsgDlgType type, windows::TMsgDlgButtons buttons,
                                   windows::TMsgDlgButtons defaultButton) override {
    Asked.push_back({"message", text, type, buttons, "", defaultButton});
    if (!Answers.empty()) {
      const windows::TModalResult answer = Answers.front();
      Answers.pop_front();
      return answer;
    }
    if (buttons == windows::mbOK) return windows::TModalResult::mrOk;
    if (DefaultAnswer) return *DefaultAnswer;
    ADD_FAILURE() << "unscripted question: " << text;
    return windows::TModalResult::mrCancel;
  }

  std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& text) override {
    Asked.push_back({"input", caption, windows::TMsgDlgType::mtCustom, 0, prompt + "|" + text});
    return Next(Inputs, caption);
  }

  std::optional<std::string> OpenFileName(const windows::TFileDialogRequest& request) override {
    Asked.push_back({"open", request.FileName, windows::TMsgDlgType::mtCustom, 0, request.InitialDir});
    return Next(Files, request.Title);
  }

  std::optional<std::string> SaveFileName(const windows::TFileDialogRequest& request) override {
    Asked.push_back({"save", request.FileName, windows::TMsgDlgType::mtCustom, 0, request.InitialDir});
    return Next(Files, request.Title);
  }

  std::optional<std::string> SelectDirectory(const std::string& caption, const std::string& initialDir) override {
    Asked.push_back({"folder", initialDir, windows::TMsgDlgType::mtCustom, 0, caption});
    return Next(Files, caption);
  }

  windows::TModalResult ShowModal(QDialog& window) override {
    Asked.push_back({"window", window.windowTitle().toStdString(), windows::TMsgDlgType::mtCustom, 0, ""});
    if (Windows.empty()) {
      ADD_FAILURE() << "unscripted window: " << window.windowTitle().toStdString();
      return windows::TModalResult::mrCancel;
    }
    TWindowScript script = std::move(Windows.front());
    Windows.pop_front();
    const windows::TModalResult result = script(window);
    if (result != windows::TModalResult::mrNone) return result;
    return windows::ResultOfDialog(window.isVisible() ? 0 : window.result());
  }

  std::optional<std::string> ClipboardText() override { return Clipboard; }
  void SetClipboardText(const std::string& text) override { Clipboard = text; }

  void Halt(int exitCode) override {
    if (!ExitCode) ExitCode = exitCode;
  }

  // The texts of the message boxes shown so far, in order.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const TAsked& a : Asked)
      if (a.Kind == "message") texts.push_back(a.Text);
    return texts;
  }

 private:
  std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue, const std::string& what) {
    if (queue.empty()) {
      ADD_FAILURE() << "unscripted dialog: " << what;
      return std::nullopt;
    }
    std::optional<std::string> answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

}  // namespace testing_support
