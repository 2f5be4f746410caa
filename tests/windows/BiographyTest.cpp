// The biography commands driven through the main window and the real
// biography editor, with the .int files compared byte for byte.

#include <filesystem>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "MainFormFixture.h"
#include "common/RealData.h"
#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "roster/PuUtTypes.h"
#include "windows/PathEdit.h"
#include "windows/PfEditBio.h"

using namespace testing_support;
using windows::TFrmEditBio;
using windows::TModalResult;
using windows::TMsgDlgType;

namespace {

constexpr const char* XPlayers =
    "[DecoText]\r\nDefault=\"A|B|\"\r\nGorge=\"Big|Green\"\r\nEmpty=\"\"\r\n\r\n[Public]\r\nAnnBio=\"not a bio\"\r\n";

std::string WithText(const std::string& name, const std::string& text) {
  std::string line = BotLine(name);
  const std::size_t at = line.find("Text=XPlayers.Gorge");
  return line.replace(at, 19, "Text=" + text);
}

class Biography : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Dir.write("System/XPlayers.int", XPlayers);
    WriteRoster({"[Public]", WithText("Ann", ""), BotLine("Gorge")});
    ASSERT_TRUE(Start());
    Dialogs.Asked.clear();
  }

  std::string XPlayersBytes() { return platform::ReadFileBytes(System + "/XPlayers.int"); }

  // The editor's next showing: `script` drives it, and the window's own
  // buttons decide how it closes.
  void OnEditor(std::function<void(TFrmEditBio&)> script) {
    Dialogs.Windows.push_back([script](QDialog& window) {
      script(dynamic_cast<TFrmEditBio&>(window));
      return TModalResult::mrNone;
    });
  }

  static std::string Memo(const QPlainTextEdit* memo) { return memo->toPlainText().toStdString(); }
};

}  // namespace

TEST_F(Biography, AddBioWritesTheTemplateAndPointsTheBotAtIt) {
  OnEditor([&](TFrmEditBio& bio) {
    EXPECT_EQ(bio.windowTitle(), "Edit biography");
    EXPECT_EQ(bio.edName->text(), "AnnBio");
    EXPECT_FALSE(bio.edName->isReadOnly());
    EXPECT_TRUE(bio.feFilename->Edit()->isReadOnly());
    EXPECT_EQ(bio.feFilename->Text(), System + "/XPlayers.int");
    EXPECT_EQ(Memo(bio.meBiography), "Name:  Ann\nAge:   N/A\nRace:  N/A\n\nData:\nNot available.");
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acAddBio")->trigger();

  const std::string entry = "AnnBio=\"Name:  Ann|Age:   N/A|Race:  N/A||Data:|Not available.|\"\r\n";
  std::string expected = XPlayers;
  expected.insert(expected.find("\r\n[Public]"), entry);
  EXPECT_EQ(XPlayersBytes(), expected);
  EXPECT_EQ(Dialogs.Messages(), std::vector<std::string>{});

  EXPECT_EQ(Rows(Control<QComboBox>(*Form, "cbText")),
            (std::vector<std::string>{"XPlayers.AnnBio", "XPlayers.Default", "XPlayers.Empty", "XPlayers.Gorge"}));
  EXPECT_EQ(Form->CurrentBot()->Text, "XPlayers.AnnBio");
  EXPECT_EQ(Control<QComboBox>(*Form, "cbText")->currentText(), "XPlayers.AnnBio");
  EXPECT_TRUE(Form->Modified());
  EXPECT_TRUE(Form->windowTitle().endsWith(" - Ann *"));
  EXPECT_EQ(Memo(Control<QPlainTextEdit>(*Form, "meBio")),
            "Name:  Ann\nAge:   N/A\nRace:  N/A\n\nData:\nNot available.\n");
  Control<QAction>(*Form, "acCopyBioToClipboard")->trigger();
  EXPECT_EQ(Dialogs.Clipboard, "Name:  Ann\r\nAge:   N/A\r\nRace:  N/A\r\n\r\nData:\r\nNot available.\r\n");
}

TEST_F(Biography, OverwriteAsksAndNoKeepsTheEditorOpen) {
  Click(1);
  OnEditor([&](TFrmEditBio& bio) {
    EXPECT_EQ(bio.edName->text(), "Gorge");
    EXPECT_TRUE(bio.edName->isReadOnly());
    EXPECT_EQ(Memo(bio.meBiography), "Big\nGreen");
    bio.meBiography->setPlainText("Big\nGreen\nMean");
    Dialogs.Answers = {TModalResult::mrNo};
    bio.buOk->click();
    EXPECT_EQ(XPlayersBytes(), XPlayers);
    EXPECT_EQ(bio.result(), 0) << "closed after No";
    Dialogs.Answers = {TModalResult::mrYes};
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acEditBio")->trigger();

  std::string expected = XPlayers;
  expected.replace(expected.find("Gorge=\"Big|Green\""), 17, "Gorge=\"Big|Green|Mean|\"");
  EXPECT_EQ(XPlayersBytes(), expected);
  ASSERT_EQ(Dialogs.Messages(), (std::vector<std::string>(2, "Overwrite existing biography ?")));
  EXPECT_EQ(Dialogs.Asked[1].Type, TMsgDlgType::mtConfirmation);
  EXPECT_EQ(Memo(Control<QPlainTextEdit>(*Form, "meBio")), "Big\nGreen\nMean\n");
  EXPECT_FALSE(Form->Modified()) << "the bot still names the same biography";

  // Cancel writes nothing.
  OnEditor([&](TFrmEditBio& bio) {
    bio.meBiography->setPlainText("other");
    bio.buCancel->click();
  });
  Control<QAction>(*Form, "acEditBio")->trigger();
  EXPECT_EQ(XPlayersBytes(), expected);
}

TEST_F(Biography, FilesThatAreNot8BitTextAreLeftAsTheyWere) {
  const std::string utf16("\xFF\xFE[\0D\0]\0\r\0\n\0", 12);
  const std::string nul("[DecoText]\r\nA=\"x\0y\"\r\n", 21);
  for (const auto& [name, bytes] : {std::pair{"Utf.int", utf16}, std::pair{"Nul.int", nul}}) {
    const std::string path = Dir.write("System/" + std::string(name), bytes);
    Dialogs.Asked.clear();
    OnEditor([&](TFrmEditBio& bio) {
      bio.buOk->click();
      EXPECT_EQ(bio.result(), 0);
      bio.buCancel->click();
    });
    Form->EditBio(platform::ChangeFileExt(name, ".A"), "Ann", false, System);
    EXPECT_EQ(platform::ReadFileBytes(path), bytes) << name;
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_NE(Dialogs.Messages()[0].find(name), std::string::npos) << Dialogs.Messages()[0];
    EXPECT_EQ(Form->CurrentBot()->Text, "");
  }
}

TEST_F(Biography, PastedTextLosesControlCharactersAndMustNotBeEmpty) {
  Dialogs.Clipboard = std::string("Line1\0\x07\r\nLine\t2\r\n", 16);
  Control<QAction>(*Form, "acCopyBioFromClipboard")->trigger();
  EXPECT_NE(XPlayersBytes().find("\r\nAnnBio=\"Line1|Line\t2|\"\r\n\r\n[Public]"), std::string::npos);
  EXPECT_EQ(Form->CurrentBot()->Text, "XPlayers.AnnBio");
  const std::string written = XPlayersBytes();

  Dialogs.Clipboard = "\x01\r\n \r\n";
  Control<QAction>(*Form, "acCopyBioFromClipboard")->trigger();
  EXPECT_EQ(XPlayersBytes(), written);
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Dialogs.Messages()[0], "The biography is empty: it was not written.");

  // Over an existing entry, "No" changes nothing.
  Dialogs.Clipboard = "other";
  Dialogs.Answers = {TModalResult::mrNo};
  Control<QAction>(*Form, "acCopyBioFromClipboard")->trigger();
  EXPECT_EQ(XPlayersBytes(), written);
}

TEST_F(Biography, AReferenceWithoutDotMeansXPlayersWhateverItsCase) {
  // The file on disk is spelled "XPlayers.int"; a reference in other case
  // and one without "." both reach it, and no second file appears.
  EditCurrentBot([&](roster::TBotCharacter& bot) { bot.SetText("Lonely"); });
  OnEditor([&](TFrmEditBio& bio) {
    EXPECT_EQ(bio.edName->text(), "Lonely");
    bio.edName->setText("AnnBio2");
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acEditBio")->trigger();
  EXPECT_EQ(Form->CurrentBot()->Text, "XPlayers.AnnBio2");
  EXPECT_NE(Control<QComboBox>(*Form, "cbText")->findText("XPlayers.AnnBio2"), -1);

  EditCurrentBot([&](roster::TBotCharacter& bot) { bot.SetText("xplayers.Gorge"); });
  OnEditor([&](TFrmEditBio& bio) {
    EXPECT_EQ(Memo(bio.meBiography), "Big\nGreen");
    bio.meBiography->setPlainText("Huge");
    Dialogs.Answers = {TModalResult::mrYes};
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acEditBio")->trigger();
  EXPECT_NE(XPlayersBytes().find("Gorge=\"Huge|\""), std::string::npos);
  EXPECT_EQ(platform::ListFiles(System, "xplayers.int"), std::vector<std::string>{"XPlayers.int"});
  EXPECT_EQ(Form->CurrentBot()->Text, "XPlayers.Gorge");
}

TEST_F(Biography, ANewKeyLosesTheBlanksAroundItSoTheRosterReadsItBack) {
  OnEditor([&](TFrmEditBio& bio) {
    bio.edName->setText(" AnnBio2 ");
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acAddBio")->trigger();
  EXPECT_NE(XPlayersBytes().find("\r\nAnnBio2=\"Name:  Ann|"), std::string::npos) << XPlayersBytes();
  EXPECT_EQ(Form->CurrentBot()->Text, "XPlayers.AnnBio2");
  // The roster line read again still names the biography.
  roster::TBotCharacter again;
  again.SetPlayerLine(Form->CurrentBot()->GetPlayerLine());
  EXPECT_EQ(again.GetBio(), Form->CurrentBot()->GetBio());
  EXPECT_EQ(again.GetBio().front(), "Name:  Ann");
}

TEST_F(Biography, AFileOfTheSameNameElsewhereDoesNotReplaceTheGamesOwn) {
  const std::string other = Dir.write("Elsewhere/XPlayers.int", "[DecoText]\r\n");
  OnEditor([&](TFrmEditBio& bio) {
    Dialogs.Files = {other};
    bio.feFilename->Browse();
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acAddBio")->trigger();
  EXPECT_EQ(platform::ReadFileBytes(other),
            "[DecoText]\r\nAnnBio=\"Name:  Ann|Age:   N/A|Race:  N/A||Data:|Not available.|\"\r\n");
  EXPECT_EQ(XPlayersBytes(), XPlayers);
  EXPECT_NE(Control<QComboBox>(*Form, "cbText")->findText("XPlayers.Gorge"), -1)
      << "the System folder's file is still the one read";
  EXPECT_EQ(Form->CurrentBot()->Text, "");
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_NE(Dialogs.Messages()[0].find("the bot keeps its biography"), std::string::npos);
}

TEST_F(Biography, CopyGivesTheBiographyThePickListShows) {
  Click(1);
  Pick(Control<QComboBox>(*Form, "cbText"), Control<QComboBox>(*Form, "cbText")->findText("XPlayers.Default"));
  EXPECT_EQ(Form->CurrentBot()->Text, "XPlayers.Default");
  Control<QAction>(*Form, "acCopyBioToClipboard")->trigger();
  EXPECT_EQ(Dialogs.Clipboard, "A\r\nB\r\n");
}

TEST_F(Biography, AfterAWriteEveryBotOfThatBiographyCopiesTheNewText) {
  // Ann shares Gorge's biography.
  EditCurrentBot([&](roster::TBotCharacter& bot) { bot.SetText("XPlayers.Gorge"); });
  Click(1);
  OnEditor([&](TFrmEditBio& bio) {
    bio.meBiography->setPlainText("Huge");
    Dialogs.Answers = {TModalResult::mrYes};
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acEditBio")->trigger();
  Click(0);
  EXPECT_EQ(Memo(Control<QPlainTextEdit>(*Form, "meBio")), "Huge\n");
  Control<QAction>(*Form, "acCopyBioToClipboard")->trigger();
  EXPECT_EQ(Dialogs.Clipboard, "Huge\r\n");
}

TEST_F(Biography, MenusListTheCommandsAndNeedAShownBot) {
  const auto texts = [](const QMenu* menu) {
    std::vector<std::string> t;
    for (const QAction* a : menu->actions()) t.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    return t;
  };
  EXPECT_EQ(texts(Control<QMenu>(*Form, "miBiography")),
            (std::vector<std::string>{"Add Bio ...", "Delete Bio ...", "Edit &Bio ...", "-",
                                      "Copy biography to clipboard", "Copy biography from clipboard"}));
  EXPECT_EQ(texts(Control<QMenu>(*Form, "pmBio")),
            (std::vector<std::string>{"Edit &Bio ...", "Add Bio ...", "Delete Bio ...", "Copy biography to clipboard",
                                      "Copy biography from clipboard"}));
  std::vector<std::string> bar;
  for (const QAction* a : Form->menuBar()->actions()) bar.push_back(a->text().toStdString());
  EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Edit bots", "&Setup", "&About"}));
  EXPECT_EQ(texts(Control<QMenu>(*Form, "mmSetup")),
            (std::vector<std::string>{"&Search Packages ...", "&Check for custom content ...",
                                      "Export PlayerRecordClass ..."}));
  EXPECT_FALSE(Control<QAction>(*Form, "acDelBio")->isEnabled());
  EXPECT_TRUE(Control<QAction>(*Form, "acEditBio")->isEnabled());

  Control<QAction>(*Form, "acDeleteBot")->trigger();
  Control<QAction>(*Form, "acDeleteBot")->trigger();
  ASSERT_EQ(Form->CurrentBot(), nullptr);
  for (QAction* a :
       {Control<QAction>(*Form, "acEditBio"), Control<QAction>(*Form, "acAddBio"),
        Control<QAction>(*Form, "acCopyBioToClipboard"), Control<QAction>(*Form, "acCopyBioFromClipboard")})
    EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
}

TEST_F(Biography, OnTheRealXPlayersOnlyTheNewEntryDiffers) {
  REQUIRE_REALDATA("int/ut2004/XPlayers.int");
  const std::string original = platform::ReadFileBytes(RealDataPath("int/ut2004/XPlayers.int"));
  Dir.write("System/XPlayers.int", original);
  WriteRoster({"[Public]", WithText("Ann", "")});
  Form.reset();  // frees the .int cache, which the next start fills again
  ASSERT_TRUE(Start());
  std::vector<std::pair<std::string, std::string>> before;
  for (const std::string& ref : Form->Lists().Texts.Lines()) {
    roster::TUtType text;
    text.SetString(ref);
    before.emplace_back(ref, text.AsIntText());
  }
  ASSERT_GT(before.size(), 50u);

  OnEditor([&](TFrmEditBio& bio) {
    bio.edName->setText("RosterwellTestBio");
    bio.meBiography->setPlainText("One\nTwo");
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acAddBio")->trigger();

  std::string written = XPlayersBytes();
  const std::string entry = "RosterwellTestBio=\"One|Two|\"\n";  // the file's own LF line ends
  const std::size_t at = written.find(entry);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(written.erase(at, entry.size()), original);
  for (const auto& [ref, text] : before) {
    roster::TUtType now;
    now.SetString(ref);
    EXPECT_EQ(now.AsIntText(), text) << ref;
  }
  EXPECT_EQ(Form->CurrentBot()->Text, "XPlayers.RosterwellTestBio");
}

TEST_F(Biography, TheMemoShowsAndWritesBackEveryLineAsItIs) {
  // A no-break space (0xA0 in the game's 8-bit text) and a key spelt
  // otherwise than the bot's reference: OK and Yes leave every byte.
  const std::string file = "[DecoText]\r\nNbsp=\"Ann\xA0Lee|\"\r\nBare=\"No data.\"\r\n";
  Dir.write("System/XPlayers.int", file);
  Form.reset();  // frees the .int cache, which the next start fills again
  ASSERT_TRUE(Start());
  EditCurrentBot([&](roster::TBotCharacter& bot) { bot.SetText("XPlayers.Nbsp"); });
  OnEditor([&](TFrmEditBio& bio) {
    EXPECT_EQ(bio.GetBioLines(), std::vector<std::string>{"Ann\xA0Lee"});
    Dialogs.Answers = {TModalResult::mrYes};
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acEditBio")->trigger();
  EXPECT_EQ(XPlayersBytes(), file);
  // A last line left empty on purpose is written too.
  EditCurrentBot([&](roster::TBotCharacter& bot) { bot.SetText("XPlayers.bare"); });
  OnEditor([&](TFrmEditBio& bio) {
    bio.meBiography->setPlainText("No data.\n");
    Dialogs.Answers = {TModalResult::mrYes};
    bio.buOk->click();
  });
  Control<QAction>(*Form, "acEditBio")->trigger();
  EXPECT_NE(XPlayersBytes().find("\r\nbare=\"No data.||\"\r\n"), std::string::npos) << XPlayersBytes();
}

TEST_F(Biography, OnTheRealXPlayersEditingEveryBiographyWithoutChangeKeepsTheFile) {
  REQUIRE_REALDATA("int/ut2004/XPlayers.int");
  const std::string original = platform::ReadFileBytes(RealDataPath("int/ut2004/XPlayers.int"));
  Dir.write("System/XPlayers.int", original);
  Form.reset();
  ASSERT_TRUE(Start());
  const std::vector<std::string> refs = Form->Lists().Texts.Lines();
  ASSERT_GT(refs.size(), 90u);
  for (const std::string& ref : refs) {
    EditCurrentBot([&](roster::TBotCharacter& bot) { bot.SetText(ref); });
    OnEditor([&](TFrmEditBio& bio) {
      Dialogs.Answers = {TModalResult::mrYes};
      bio.buOk->click();
      EXPECT_EQ(bio.result(), int(TModalResult::mrOk)) << ref;
    });
    Control<QAction>(*Form, "acEditBio")->trigger();
    ASSERT_EQ(XPlayersBytes(), original) << ref;
  }
  EXPECT_EQ(Dialogs.Messages(), std::vector<std::string>(refs.size(), "Overwrite existing biography ?"));
}
