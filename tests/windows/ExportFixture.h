#pragma once

// The main window on a game folder with a blank in its path ("Game Dir"),
// its roster Alice, Carol and Bob, the game's ut2003.ini, and a small
// script standing in for the game's compiler: it records its arguments,
// the configuration it was given and what the System folder held when it
// ran, and writes a log.

#include <sys/stat.h>

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "MainFormFixture.h"
#include "platform/TextFile.h"
#include "windows/ProgramWait.h"

namespace testing_support {

inline constexpr const char* FakeUcc = R"sh(#!/bin/sh
system=$(dirname "$0")
out="$system/../out"
mkdir -p "$out"
for a in "$@"; do printf '<%s>\n' "$a"; done > "$out/args.txt"
cp "${3#INI=}" "$out/seen.ini"
ls "$system" > "$out/listing.txt"
if [ -f "$out/hang" ]; then sleep 60; fi
[ -f "$out/nolog" ] || printf '<b>Log:</b> compiled & done\r\n' > "$system/StdOut.log"
exit "$(cat "$out/exitcode" 2>/dev/null || echo 0)"
)sh";

inline constexpr const char* GameIni =
    "[Engine.Engine]\r\nRenderDevice=D3DDrv.D3DRenderDevice\r\n[Editor.EditorEngine]\r\nEditPackages=Alpha\r\n"
    "EditPackages=Beta\r\nEditPackages=BobMod\r\nCutdownPackages=Core\r\n";

class Export : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    // A game folder with a blank in its path, as "Program Files" has.
    std::filesystem::create_directories(Dir.file("Game Dir"));
    std::filesystem::rename(System, Dir.file("Game Dir/System"));
    System = Dir.file("Game Dir/System");
    Dir.write("Game Dir/System/ut2003.ini", GameIni);
    const std::string ucc = Dir.write("Game Dir/System/ucc.exe", FakeUcc);
    chmod(ucc.c_str(), 0755);
    WriteRosterIn({"[Public]", BotLine("Alice"), BotLine("Carol"), BotLine("Bob")});
  }

  void WriteRosterIn(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    Dir.write("Game Dir/System/xplayersL1.upl", text);
  }

  std::string Out(const std::string& name) { return Dir.file("Game Dir/out/" + name); }
  std::string Read(const std::string& path) { return platform::ReadFileBytes(path); }

  // The compiler's wait window: runs until the compiler ends, or clicks
  // Cancel after `cancelAfterMs`.
  void QueueWait(int cancelAfterMs = -1) {
    Dialogs.Windows.push_back([this, cancelAfterMs](QDialog& window) {
      auto& wait = dynamic_cast<windows::TFmProgramWait&>(window);
      if (cancelAfterMs >= 0) QTimer::singleShot(cancelAfterMs, wait.buCancel, &QPushButton::click);
      QTimer::singleShot(0, &wait, [this] {
        BusyShown = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
      });
      wait.exec();
      return windows::TModalResult::mrNone;
    });
  }

  void RunExport(std::deque<windows::TModalResult> answers) {
    Dialogs.Asked.clear();
    Dialogs.Answers = std::move(answers);
    Control<QAction>(*Form, "miExportPlayerRecordClass")->trigger();
  }

  bool BusyShown = false;
};


}  // namespace testing_support
