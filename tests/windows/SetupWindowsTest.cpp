// The configuration window and the custom content check as the main window
// runs them: lists handed in and taken back whole, the value-list file
// written, the first start and the first missing reference driven through
// the real start-up and the real ShowCharacter.

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "MainFormFixture.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "windows/LineView.h"
#include "windows/PfBotConfig.h"
#include "windows/PfConfigPackagePage.h"
#include "windows/PfCustomContentCheck.h"
#include "windows/PfEditBio.h"
#include "windows/SourceView.h"

using namespace testing_support;
using windows::TFmConfig;
using windows::TModalResult;
using TLines = std::vector<std::string>;

namespace {

bool Holds(const TLines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool HasRow(const QComboBox* combo, const char* text) { return combo->findText(QString::fromLatin1(text)) >= 0; }

class SetupWindows : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    RealWindows = true;
  }
  // A value-list file, so that start-up runs no content check; the lists
  // that are not harvested hold what the test bots use.
  void WriteValueListFile() {
    Dir.write("Rosterwell.INI",
              "[FMeshes]\r\nJugg.JuggMaleA=Gorge\r\n[FSex]\r\nMale=Male\r\n[FMenu]\r\nSP=SP\r\n"
              "[FSpecies]\r\nxGame.SPECIES_Jugg=Juggernaut\r\n");
  }
};

std::string WithMesh(std::string line, const std::string& mesh) {
  line.replace(line.find("Jugg.JuggMaleA"), 14, mesh);
  return line;
}

TEST_F(SetupWindows, SearchPackagesHandsTheListsInAndTakesThemBackHoweverTheWindowCloses) {
  WriteRoster({"[Public]", BotLine("Ann")});
  ASSERT_TRUE(Start());
  Dialogs.Windows.push_back([this](QDialog& dialog) {
    auto& window = dynamic_cast<TFmConfig&>(dialog);
    EXPECT_EQ(window.windowTitle(), "Configuration");
    EXPECT_EQ(window.Lists().Skeleton.Lines(), Form->Lists().Skeleton.Lines());
    EXPECT_EQ(window.Lists().Species.Lines(), Form->Lists().Species.Lines());
    EXPECT_EQ(window.Lists().Texts.Lines(), Form->Lists().Texts.Lines());
    window.show();
    window.cbListType->setCurrentIndex(windows::ltRagDoll);
    window.AddLines({"BotA=Bot A"});
    window.cbListType->setCurrentIndex(windows::ltMesh);
    window.AddLines({"Custom.Mesh=Custom"});
    window.close();  // the title bar's button
    return TModalResult::mrNone;
  });
  Control<QAction>(*Form, "miManualPackageSearch")->trigger();
  EXPECT_TRUE(Dialogs.Windows.empty());
  EXPECT_EQ(Form->Lists().RagDoll.Lines(), TLines{"BotA=Bot A"});
  EXPECT_TRUE(Holds(Form->Lists().Meshes.Lines(), "Custom.Mesh=Custom"));
  EXPECT_TRUE(HasRow(Control<QComboBox>(*Form, "cbRagDoll"), "Bot A"));
  EXPECT_TRUE(HasRow(Control<QComboBox>(*Form, "cbMesh"), "Custom"));
  const TLines file = Lines(Ini);
  EXPECT_EQ(Section(file, "FRagdoll"), TLines{"BotA=Bot A"});
  EXPECT_TRUE(Holds(Section(file, "FMeshes"), "Custom.Mesh=Custom"));
  // The bot is shown again with its own values.
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMesh")->currentText(), "JuggMaleA");
}

TEST_F(SetupWindows, TheNextConfigurationWindowSortsAsTheLastOneLeftOff) {
  WriteValueListFile();
  WriteRoster({"[Public]", BotLine("Ann")});
  ASSERT_TRUE(Start());
  const auto packageView = [](QDialog& dialog) {
    return dynamic_cast<TFmConfig&>(dialog).PackagePage->lvPackageContent;
  };
  Dialogs.Windows.push_back([&](QDialog& dialog) {
    windows::TSourceView* view = packageView(dialog);
    EXPECT_TRUE(view->Ascending());
    view->header()->sectionClicked(0);
    view->header()->sectionClicked(0);
    EXPECT_FALSE(view->Ascending());
    return TModalResult::mrNone;
  });
  Control<QAction>(*Form, "miManualPackageSearch")->trigger();
  Dialogs.Windows.push_back([&](QDialog& dialog) {
    EXPECT_FALSE(packageView(dialog)->Ascending());
    return TModalResult::mrNone;
  });
  Control<QAction>(*Form, "miManualPackageSearch")->trigger();
  EXPECT_TRUE(Dialogs.Windows.empty());
  EXPECT_EQ(Form->ConfigWindows, 2);
}

TEST_F(SetupWindows, ABiographyMadeInTheWindowCanBePickedOnceItCloses) {
  WriteRoster({"[Public]", BotLine("Ann")});
  ASSERT_TRUE(Start());
  Dialogs.Inputs.push_back(std::string("Tess"));
  Dialogs.Windows.push_back([this](QDialog& dialog) {
    auto& window = dynamic_cast<TFmConfig&>(dialog);
    window.show();
    window.cbListType->setCurrentIndex(windows::ltBiography);
    // The real biography editor, with the key made from the bot's name.
    Dialogs.Windows.push_back([](QDialog& editor) {
      auto& bio = dynamic_cast<windows::TFrmEditBio&>(editor);
      EXPECT_EQ(bio.edName->text(), "TessBio");
      bio.buOk->click();
      return TModalResult::mrNone;
    });
    window.buNewListItem->click();
    EXPECT_EQ(window.lvListContent->currentItem()->text(0), "XPlayers.TessBio");
    EXPECT_EQ(window.lvListContent->currentItem()->text(1).toStdString().rfind("Name:  Tess|", 0), 0u);
    window.close();
    return TModalResult::mrNone;
  });
  Control<QAction>(*Form, "miManualPackageSearch")->trigger();
  EXPECT_EQ(Dialogs.Asked[1].Extra, "Name of the bot :|Ann");  // the shown bot's name proposed
  EXPECT_TRUE(Holds(Form->Lists().Texts.Lines(), "XPlayers.TessBio"));
  EXPECT_TRUE(HasRow(Control<QComboBox>(*Form, "cbText"), "XPlayers.TessBio"));
  EXPECT_NE(platform::ReadFileBytes(System + "/XPlayers.int").find("TessBio=\"Name:  Tess|"), std::string::npos);
  EXPECT_EQ(Form->CurrentBot()->Text, "XPlayers.Gorge");  // no bot was pointed at it
}

// Whether `part` stands in `whole` in the same order, other lines between.
bool InOrderWithin(const TLines& part, const TLines& whole) {
  auto at = whole.begin();
  for (const std::string& line : part) {
    at = std::find(at, whole.end(), line);
    if (at == whole.end()) return false;
    ++at;
  }
  return true;
}

TEST_F(SetupWindows, AHandEditedValueListFileKeepsEveryLineTheWritesLeave) {
  const TLines handMade = {"; My value lists - edit with care",
                           "",
                           "[FMeshes]",
                           "; stock",
                           "Jugg.JuggMaleA=Gorge",
                           "",
                           "[FSex]",
                           "Male=Male",
                           "[FMenu]",
                           "SP=SP",
                           "",
                           "; species come from the .int files",
                           "[FSpecies]",
                           "xGame.SPECIES_Jugg=Juggernaut",
                           "",
                           "[TEMPLATES]",
                           "; my own",
                           "DEF1=Player=(DefaultName=\"Berserker\",Accuracy=-0.4)",
                           ""};
  std::string text;
  for (const std::string& line : handMade) text += line + "\r\n";
  Dir.write("Rosterwell.INI", text);
  WriteRoster({"[Public]", BotLine("Ann")});
  ASSERT_TRUE(Start());  // the missing skins are harvested and written

  // Storing a template adds its line after the last one and changes nothing else.
  const TLines before = Lines(Ini);
  ASSERT_TRUE(InOrderWithin(handMade, before));
  Dialogs.Inputs.push_back(std::string("Mine"));
  Control<QAction>(*Form, "acCreateTemplateFromCharacter")->trigger();
  TLines expected = before;
  const auto last = std::find(expected.begin(), expected.end(), handMade[17]);
  ASSERT_NE(last, expected.end());
  expected.insert(last + 1, "Mine=" + Form->CurrentBot()->GetPlayerLine());
  EXPECT_EQ(Lines(Ini), expected);

  // So does the configuration window: the new mesh joins its section.
  Dialogs.Windows.push_back([](QDialog& dialog) {
    auto& window = dynamic_cast<TFmConfig&>(dialog);
    window.show();
    window.AddLines({"Custom.Mesh=Custom"});
    return TModalResult::mrOk;
  });
  Control<QAction>(*Form, "miManualPackageSearch")->trigger();
  const TLines after = Lines(Ini);
  EXPECT_TRUE(InOrderWithin(expected, after));
  EXPECT_EQ(after.size(), expected.size() + 1);
  EXPECT_EQ(Section(after, "FMeshes"), (TLines{"; stock", "Custom.Mesh=Custom", "Jugg.JuggMaleA=Gorge"}));
}

TEST_F(SetupWindows, FirstStartMergesTheRostersWithoutAskingAboutBadNumbers) {
  WriteRoster({"[Public]", BotLine("Ann")});
  WriteRoster({"[Public]", "Player=(DefaultName=\"Zed\",Mesh=Custom.Zed,Tactics=bad)",
               "Player=(DefaultName=\"Yo\",Mesh=Custom.Yo,Voice=xGame.MercMaleVoice,Species=xGame.SPECIES_Merc)"},
              "Other.upl");
  ASSERT_TRUE(Start());
  EXPECT_EQ(Form->ContentChecks, 1);
  for (const TAsked& asked : Dialogs.Asked) EXPECT_NE(asked.Kind, "input") << asked.Text;
  EXPECT_TRUE(Holds(Form->Lists().Meshes.Lines(), "Custom.Yo=Yo"));
  EXPECT_FALSE(Holds(Form->Lists().Meshes.Lines(), "Custom.Zed=Zed"));
  EXPECT_EQ(std::count(Form->Lists().Voice.Lines().begin(), Form->Lists().Voice.Lines().end(),
                       "xGame.MercMaleVoice=MercMaleVoice"),
            1);
  EXPECT_TRUE(Holds(Form->Lists().Species.Lines(), "xGame.SPECIES_Merc=Mercenary"));
  EXPECT_TRUE(Holds(Section(Lines(Ini), "FMeshes"), "Custom.Yo=Yo"));
  EXPECT_TRUE(HasRow(Control<QComboBox>(*Form, "cbMesh"), "Yo"));
}

TEST_F(SetupWindows, TheFirstMissingReferenceIsHarvestedBeforeAnybodyIsAsked) {
  WriteValueListFile();
  WriteRoster({"[Public]", WithMesh(BotLine("Ann"), "Custom.Mesh")});
  ASSERT_TRUE(Start());
  EXPECT_EQ(Form->Harvests, 1);
  EXPECT_TRUE(Dialogs.Messages().empty());
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMesh")->currentText(), "Custom.Mesh");
  EXPECT_TRUE(Holds(Section(Lines(Ini), "FMeshes"), "Custom.Mesh=Custom.Mesh"));
}

TEST_F(SetupWindows, ManualPackageSearchOpensTheWindowAndAFoundReferenceEndsTheQuestion) {
  WriteValueListFile();
  WriteRoster({"[Public]", BotLine("Ann")});
  const std::string elsewhere = Dir.write("Elsewhere/lost.upl", "[Public]\r\n" + WithMesh(BotLine("Lost"), "Lost.Mesh") +
                                                                    "\r\n");
  Dialogs.Answers = {TModalResult::mrNo};
  Dialogs.Windows.push_back([](QDialog& dialog) {
    auto& window = dynamic_cast<TFmConfig&>(dialog);
    window.show();
    window.AddLines({"Lost.Mesh=Lost"});
    return TModalResult::mrCancel;
  });
  ASSERT_TRUE(Start({"/f" + elsewhere}));
  EXPECT_EQ(Form->Harvests, 1);
  EXPECT_EQ(Form->ConfigWindows, 1);
  EXPECT_EQ(Dialogs.Messages().size(), 1u);  // not asked again
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMesh")->currentText(), "Lost");
  EXPECT_FALSE(Dialogs.ExitCode);
}

TEST_F(SetupWindows, TheContentCheckShownAddsEachReferenceOnceHoweverOftenItRuns) {
  WriteValueListFile();
  WriteRoster({"[Public]", WithMesh(BotLine("Ann"), "Custom.Mesh")});
  ASSERT_TRUE(Start());
  Dialogs.Windows.push_back([this](QDialog& dialog) {
    auto& window = dynamic_cast<windows::TFrmCustomContentCheck&>(dialog);
    EXPECT_EQ(window.windowTitle(), "Custom content check");
    EXPECT_EQ(window.GetCheckDir(), System);
    window.show();
    window.buCheck->click();
    window.buCheck->click();
    EXPECT_EQ(window.lbFilesFound->count(), 1);
    EXPECT_EQ(window.lbFilesFound->item(0)->text().toStdString(), platform::JoinPath(System, "xplayersL1.upl"));
    EXPECT_EQ(window.lbText->count(), 1);  // XPlayers.Gorge, once
    window.close();
    return TModalResult::mrNone;
  });
  Control<QAction>(*Form, "acCustomContentCheck")->trigger();
  EXPECT_FALSE(Control<QAction>(*Form, "acCustomContentCheck")->isVisible());
  const TLines meshes = Form->Lists().Meshes.Lines();
  EXPECT_EQ(std::count(meshes.begin(), meshes.end(), "Custom.Mesh=Custom.Mesh"), 1);
  EXPECT_TRUE(Holds(meshes, "Jugg.JuggMaleA=Gorge"));  // held under its own name: not added again
  EXPECT_EQ(meshes.size(), 2u);
}

}  // namespace
