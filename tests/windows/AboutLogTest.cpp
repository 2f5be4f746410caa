// The about window, the compiler's log and wait windows and the biography
// editor as the user sees them: texts, captions, and every control at least as large
// as it asks to be. With ROSTERWELL_SCREENSHOT_DIR set, the windows are
// also saved as pictures there (run under a real X server to look at
// them).

#include <cstdlib>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "MainFormFixture.h"
#include "WindowChecks.h"
#include "platform/Files.h"
#include "windows/PathEdit.h"
#include "windows/PfEditBio.h"
#include "windows/PfTevAbout.h"
#include "windows/PfUccLog.h"
#include "windows/ProgramWait.h"

using namespace testing_support;
using windows::TModalResult;

namespace {

class AboutAndLog : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    WriteRoster({"[Public]", BotLine("Gorge")});
  }

  // The about window's caption and text at its next showing.
  void OnAbout(std::string& caption, std::string& text) {
    Dialogs.Windows.push_back([&caption, &text](QDialog& window) {
      window.show();  // it fills itself when shown
      auto& about = dynamic_cast<windows::TFmTevAboutDlg&>(window);
      caption = about.windowTitle().toStdString();
      text = about.Memo1->toPlainText().toStdString();
      about.Button1->click();
      return TModalResult::mrNone;
    });
  }
};

}  // namespace

TEST_F(AboutAndLog, AboutShowsTheVersionAndTheInstalledReadme) {
  Program = std::string(ROSTERWELL_PROGRAM_DIR) + "/Rosterwell";
  ASSERT_TRUE(Start());
  const std::string readme = platform::ReadFileBytes(std::string(ROSTERWELL_PROGRAM_DIR) + "/Readme.txt");
  ASSERT_NE(readme.find("Orvy's Rosterwell"), std::string::npos);
  EXPECT_EQ(readme, platform::ReadFileBytes(ROSTERWELL_README_SOURCE)) << "the build left an old Readme.txt";
  for (int showing = 0; showing < 2; ++showing) {
    std::string caption, text;
    OnAbout(caption, text);
    Control<QAction>(*Form, "mmAbout")->trigger();
    EXPECT_EQ(caption, "About Orvy's Rosterwell (Version 1.5.0.0)");
    EXPECT_EQ(text, readme);
  }
  EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(AboutAndLog, WithoutReadmeTheAboutTextIsEmpty) {
  Program = Dir.file("Lonely/Rosterwell");
  ASSERT_TRUE(Start());
  std::string caption, text = "x";
  OnAbout(caption, text);
  Control<QAction>(*Form, "mmAbout")->trigger();
  EXPECT_EQ(caption, "About Orvy's Rosterwell (Version 1.5.0.0)");
  EXPECT_EQ(text, "");
  EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(AboutAndLog, WindowsShowEverythingWhole) {
  ASSERT_TRUE(Start());
  windows::TFmTevAboutDlg about(ROSTERWELL_PROGRAM_DIR);
  ExpectNothingClipped(about, "about");

  windows::TFmUccLog log;
  std::string text = "Log: Log file open, 12/07/26 08:00:00\r\n<b>Warning:</b> Analyzing...\r\n";
  for (int i = 0; i < 60; ++i) text += "Compiling AliceMod.Alice " + std::string(i, '.') + "\r\n";
  log.LoadFromFile(Dir.write("StdOut.log", text));
  EXPECT_EQ(log.reLog->toPlainText().split('\n').at(1).toStdString(), "<b>Warning:</b> Analyzing...");
  ExpectNothingClipped(log, "ucclog");

  windows::TFrmEditBio bio(Dialogs);
  bio.SetSystemDir(System);
  bio.SetTextRef("XPlayers.Gorge");
  bio.InitNewBio("Gorge");
  ExpectNothingClipped(bio, "editbio");
  bio.SetNameReadOnly(true);
  ExpectNothingClipped(bio, "editbio-readonly");

  platform::TProcess sleeper("/bin/sh", {"-c", "sleep 30"});
  windows::TFmProgramWait wait(sleeper, "Compiling ...", "Waiting for ucc.exe to end ...");
  ExpectNothingClipped(wait, "wait");
  wait.buCancel->click();
  sleeper.Kill();
}
