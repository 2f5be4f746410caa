// The Setup menu's export and compilation, with a small script standing in
// for the game's compiler.

#include <algorithm>
#include <filesystem>

#include <QPlainTextEdit>
#include <QProgressBar>

#include "ExportFixture.h"
#include "windows/PfUccLog.h"

using namespace testing_support;
using windows::TModalResult;
namespace fs = std::filesystem;

TEST_F(Export, ThePartsExampleCompilesWithTheExactUccIni) {
  Dir.write("Game Dir/System/AliceMod.u", "old");
  Dir.write("Game Dir/System/StdOut.log", "old log");
  Dir.write("Game Dir/System/OtherMod.u", "keep");
  ASSERT_TRUE(Start());
  QueueWait();
  std::string shownLog;
  Dialogs.Windows.push_back([&](QDialog& window) {
    shownLog = dynamic_cast<windows::TFmUccLog&>(window).reLog->toPlainText().toStdString();
    return TModalResult::mrOk;
  });
  RunExport({TModalResult::mrYes, TModalResult::mrYes});

  EXPECT_EQ(Dialogs.Messages(),
            (std::vector<std::string>{"Compile the packages ?", "View UCC log-file ?", "Export completed!"}));
  EXPECT_EQ(Read(Out("seen.ini")),
            "[Engine.Engine]\r\nRenderDevice=D3DDrv.D3DRenderDevice\r\n[Editor.EditorEngine]\r\nEditPackages=Alpha\r\n"
            "EditPackages=Beta\r\nEditPackages=BobMod\r\nEditPackages=CarolMod\r\nEditPackages=AliceMod\r\n"
            "CutdownPackages=Core\r\n");
  // One argument for the configuration, blank and all.
  EXPECT_EQ(Read(Out("args.txt")), "<MAKE>\n<LOG>\n<INI=" + System + "/ucc.ini>\n");
  const std::string listing = Read(Out("listing.txt"));
  EXPECT_EQ(listing.find("AliceMod.u"), std::string::npos);
  EXPECT_EQ(listing.find("StdOut.log"), std::string::npos);
  EXPECT_NE(listing.find("OtherMod.u"), std::string::npos);
  EXPECT_NE(listing.find("ucc.ini"), std::string::npos);
  EXPECT_FALSE(fs::exists(System + "/ucc.ini"));
  EXPECT_EQ(Read(System + "/ut2003.ini"), GameIni);
  EXPECT_TRUE(BusyShown);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // The classes went to the folder above the System folder given by /s.
  EXPECT_EQ(Read(Dir.file("Game Dir/CarolMod/Classes/Carol.uc")).rfind("class Carol extends PlayerRecordClass;", 0), 0u);
  EXPECT_EQ(Control<QProgressBar>(*Form, "pbWaitingline")->value(), 0);
  EXPECT_EQ(shownLog, "<b>Log:</b> compiled & done\n");
}

TEST_F(Export, RunAtTheEndOtherCaseAndADuplicateName) {
  Dir.write("Game Dir/System/ut2003.ini", "[E]\r\nEditPackages=Core\r\nEditPackages=alicemod");
  WriteRosterIn({"[Public]", BotLine("Alice"), BotLine("ALICE", "Voice=xGame.MercFemaleVoice,"), BotLine("Carol")});
  ASSERT_TRUE(Start());
  QueueWait();
  RunExport({TModalResult::mrYes, TModalResult::mrYes, TModalResult::mrNo});

  const std::vector<std::string> messages = Dialogs.Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].rfind("Unexpected error occurred :\r", 0), 0u);
  EXPECT_NE(messages[0].find("\"ALICE\""), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find("\r Continue ?\rPlease report !"), std::string::npos);
  EXPECT_EQ(messages[3], "Export completed!");
  EXPECT_EQ(Read(Out("seen.ini")), "[E]\r\nEditPackages=Core\r\nEditPackages=alicemod\r\nEditPackages=CarolMod\r\n");
  // The first Alice's class stands; the second did not overwrite it.
  EXPECT_EQ(Read(Dir.file("Game Dir/AliceMod/Classes/Alice.uc")).find("Voice"), std::string::npos);
  EXPECT_FALSE(fs::exists(Dir.file("Game Dir/AliceMod/Classes/ALICE.uc")));
}

TEST_F(Export, FailuresAreReportedAndUccIniIsAlwaysRemoved) {
  ASSERT_TRUE(Start());
  // A failing compiler: reported, log offered, no "Export completed!".
  Dir.write("Game Dir/out/exitcode", "3");
  QueueWait();
  RunExport({TModalResult::mrYes, TModalResult::mrOk, TModalResult::mrNo});
  EXPECT_EQ(Dialogs.Messages(), (std::vector<std::string>{"Compile the packages ?", "The compiler failed (exit code 3).",
                                                          "View UCC log-file ?"}));
  EXPECT_FALSE(fs::exists(System + "/ucc.ini"));

  // No log written: no log question.
  fs::remove(Out("exitcode"));
  Dir.write("Game Dir/out/nolog", "");
  QueueWait();
  RunExport({TModalResult::mrYes});
  EXPECT_EQ(Dialogs.Messages(), (std::vector<std::string>{"Compile the packages ?", "Export completed!"}));

  // No compiler at all.
  fs::remove(System + "/ucc.exe");
  RunExport({TModalResult::mrYes});
  ASSERT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_EQ(Dialogs.Messages()[1].rfind("The packages were not compiled.\rCannot start \"" + System + "/ucc.exe\"", 0),
            0u)
      << Dialogs.Messages()[1];
  EXPECT_FALSE(fs::exists(System + "/ucc.ini"));

  // No ut2003.ini: nothing deleted, nothing run.
  Dir.write("Game Dir/System/AliceMod.u", "old");
  fs::remove(System + "/ut2003.ini");
  RunExport({TModalResult::mrYes});
  ASSERT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_EQ(Dialogs.Messages()[1].rfind("Cannot open file", 0), 0u) << Dialogs.Messages()[1];
  EXPECT_TRUE(fs::exists(System + "/AliceMod.u"));
  EXPECT_FALSE(fs::exists(System + "/ucc.ini"));
}

TEST_F(Export, CancelEndsACompilerThatHangs) {
  ASSERT_TRUE(Start());
  Dir.write("Game Dir/out/hang", "");
  QueueWait(300);
  // Without the cancel the script would end on its own after a minute,
  // and without the message.
  RunExport({TModalResult::mrYes});
  EXPECT_EQ(Dialogs.Messages(), (std::vector<std::string>{"Compile the packages ?",
                                                          "The compiler was stopped: the packages may not be compiled."}));
  EXPECT_FALSE(fs::exists(System + "/ucc.ini"));
  EXPECT_FALSE(fs::exists(System + "/StdOut.log"));
}

TEST_F(Export, NamesTheCompilerCannotTakeAreRefusedPerBotAndNothingIsWrittenForThem) {
  // "(copy)" is what a drag copy adds to a name.
  WriteRosterIn({"[Public]", BotLine("Lauren(copy)"), BotLine("Alice"), BotLine("Mr.Crow")});
  ASSERT_TRUE(Start());
  QueueWait();
  RunExport({TModalResult::mrYes, TModalResult::mrYes, TModalResult::mrYes, TModalResult::mrNo});

  const std::vector<std::string> messages = Dialogs.Messages();
  ASSERT_EQ(messages.size(), 5u);
  for (const auto& [at, name] : {std::pair{0, "\"Lauren(copy)\""}, std::pair{1, "\"Mr.Crow\""}}) {
    EXPECT_EQ(messages[at].rfind("Unexpected error occurred :\r", 0), 0u) << messages[at];
    EXPECT_NE(messages[at].find(name), std::string::npos) << messages[at];
  }
  EXPECT_EQ(messages[2], "Compile the packages ?");
  std::string ini = GameIni;
  EXPECT_EQ(Read(Out("seen.ini")), ini.insert(ini.find("CutdownPackages"), "EditPackages=AliceMod\r\n"));
  std::vector<std::string> folders;
  for (const fs::directory_entry& entry : fs::directory_iterator(Dir.file("Game Dir")))
    folders.push_back(entry.path().filename().string());
  std::sort(folders.begin(), folders.end());
  EXPECT_EQ(folders, (std::vector<std::string>{"AliceMod", "System", "out"}));
}

TEST_F(Export, TheProgressBarKeepsARangeForOneBotAndForNone) {
  ASSERT_TRUE(Start());
  for (int bots : {1, 0}) {
    while (Form->BotCount() > bots) Control<QAction>(*Form, "acDeleteBot")->trigger();
    RunExport({TModalResult::mrNo});
    EXPECT_LT(Control<QProgressBar>(*Form, "pbWaitingline")->minimum(),
              Control<QProgressBar>(*Form, "pbWaitingline")->maximum())
        << bots << " bots";
    EXPECT_EQ(Control<QProgressBar>(*Form, "pbWaitingline")->value(), 0);
  }
}
