// The configuration window driven through its real widgets: the pages per
// list type, the nine lists, the item commands through the scripted item
// editor, drops, the biography list, Karma data and the roster harvest.

#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "ConfigWindowFixture.h"
#include "WindowChecks.h"
#include "common/RealData.h"
#include "roster/PuGameFiles.h"
#include "windows/LineView.h"
#include "windows/PathEdit.h"
#include "windows/PfBotConfig.h"
#include "windows/PfConfigPackagePage.h"
#include "windows/PfCustomContentCheck.h"
#include "windows/PfItemEdit.h"
#include "windows/SourceView.h"

using namespace testing_support;
using windows::TFmConfig;
using windows::TModalResult;

namespace {

TEST_F(ConfigWindow, FirstShowSelectsMeshAndEachTypeShowsItsListAndPages) {
  Window->show();
  EXPECT_EQ(Window->cbListType->currentText(), "Mesh");
  EXPECT_EQ(Window->cbListType->count(), 9);
  EXPECT_EQ(Window->gbListContent->title(), " &Mesh ");
  // Pages: Packages, Karmadata, Directory, Wizard, .int.
  EXPECT_EQ(ShownPages(), (std::vector<bool>{true, false, false, true, false}));
  EXPECT_EQ(Window->PageControl1->currentWidget(), Window->taWizard);
  EXPECT_EQ(Rows(), (Lines{"Jugg.JuggMaleA|Gorge", "Jugg.JuggFemaleA|Jugg female", "Aliens.A|A", "X.Y|Y"}));
  EXPECT_FALSE(Window->buEditListItem->isEnabled());
  EXPECT_FALSE(Window->buDeleteListItem->isEnabled());

  const std::vector<Lines> expected = {
      {}, {"F.a|Face a"}, {"S.a|Skin a", "S.b|Skin b"}, {"xGame.MercMaleVoice|Merc"}, {"P.a|Portrait a"},
      {"xGame.SPECIES_Jugg|Juggernaut"}, {"Bot2|Bot2"}, {"K.a|Skel a", "K.b|Skel b"},
      {"XPlayers.Ann|Small", "XPlayers.Gorge|Big|Green"}};
  for (int type = 1; type < windows::ListTypeCount; ++type) {
    SCOPED_TRACE(windows::ListTypeNames[type]);
    Window->cbListType->setCurrentIndex(type);
    EXPECT_EQ(Window->gbListContent->title().toStdString(), std::string(" &") + windows::ListTypeNames[type] + " ");
    EXPECT_EQ(Rows(), expected[type]);
    const bool ragdoll = type == windows::ltRagDoll;
    EXPECT_EQ(ShownPages(), (std::vector<bool>{true, ragdoll, false, true, false}));
    EXPECT_EQ(Window->PageControl1->currentWidget(), ragdoll ? Window->taKarmaData : Window->taWizard);
  }
}

TEST_F(ConfigWindow, NewEditAndDeleteWorkThroughTheItemEditorAndKeepRowsAndLinesInStep) {
  Show();
  // New: the proposal counts the rows; a refused name keeps the editor open.
  std::string proposal;
  Dialogs.Windows.push_back([&](QDialog& dialog) {
    auto& editor = dynamic_cast<windows::TFmItemEdit&>(dialog);
    EXPECT_EQ(dialog.windowTitle(), "New item");
    proposal = editor.GetItemName() + "|" + editor.GetTranslation();
    editor.show();
    editor.SetItemName("x.y");  // already there, in other letter case
    editor.buOk->click();
    EXPECT_TRUE(editor.isVisible());
    editor.SetItemName(" Jugg.New ");
    editor.SetTranslation("New one");
    editor.buOk->click();
    return TModalResult::mrNone;
  });
  Window->buNewListItem->click();
  EXPECT_EQ(proposal, "NewItem4|NewItem4");
  EXPECT_EQ(Dialogs.Messages(), Lines{"\"x.y\" is already in the list."});
  EXPECT_EQ(Window->Lists().Meshes.Lines().back(), "Jugg.New=New one");
  EXPECT_EQ(Rows().back(), "Jugg.New|New one");

  // Cancel adds nothing.
  Dialogs.Windows.push_back([](QDialog&) { return TModalResult::mrCancel; });
  Window->buNewListItem->click();
  EXPECT_EQ(Window->Lists().Meshes.Count(), 5);

  // Edit: the name is read-only; the translation lands in line k.
  Select(1);
  ASSERT_TRUE(Window->buEditListItem->isEnabled());
  Dialogs.Windows.push_back([](QDialog& dialog) {
    auto& editor = dynamic_cast<windows::TFmItemEdit&>(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Edit item");
    EXPECT_TRUE(editor.edItemname->isReadOnly());
    EXPECT_EQ(editor.GetItemName(), "Jugg.JuggFemaleA");
    editor.SetTranslation("Laura");
    return TModalResult::mrOk;
  });
  Window->buEditListItem->click();
  EXPECT_EQ(Window->Lists().Meshes[1], "Jugg.JuggFemaleA=Laura");
  EXPECT_EQ(Rows()[1], "Jugg.JuggFemaleA|Laura");

  // Delete row 3: line 3 goes, no question asked.
  Select(3);
  Window->buDeleteListItem->click();
  EXPECT_EQ(Window->Lists().Meshes.Lines(),
            (Lines{"Jugg.JuggMaleA=Gorge", "Jugg.JuggFemaleA=Laura", "Aliens.A=A", "Jugg.New=New one"}));
  EXPECT_EQ(Rows().size(), 4u);
  EXPECT_EQ(Dialogs.Messages().size(), 1u);
}

TEST_F(ConfigWindow, DropsAddEachReferenceOnceAndOnlyToTheListShown) {
  Show(windows::ltSkeleton);
  Drop({"K.c=Skel c", "k.A=again", "NoPackage=x", "K.d"});
  EXPECT_EQ(Window->Lists().Skeleton.Lines(), (Lines{"K.a=Skel a", "K.b=Skel b", "K.c=Skel c", "K.d=K.d"}));
  EXPECT_EQ(Rows().size(), 4u);
  Drop({"K.c=Skel c"});
  EXPECT_EQ(Window->Lists().Skeleton.Count(), 4);
  // Text from elsewhere is no drag of ours.
  QMimeData text;
  text.setText(QStringLiteral("K.e=Skel e"));
  EXPECT_FALSE(Drop(text));
  // Ragdoll names are Karma ids, without a package.
  Window->cbListType->setCurrentIndex(windows::ltRagDoll);
  EXPECT_EQ(Window->AddLines({"BotA=BotA", "bot2=Bot2"}), 1);
  EXPECT_EQ(Window->Lists().RagDoll.Lines(), (Lines{"Bot2=Bot2", "BotA=BotA"}));
  EXPECT_EQ(Window->Lists().Meshes.Count(), 4);
}

TEST_F(ConfigWindow, TheBiographyListTouchesOnlyBiographies) {
  std::vector<windows::TBiographyEdit> requests;
  Window->SetEditBiography([&](const windows::TBiographyEdit& request) -> std::optional<std::string> {
    requests.push_back(request);
    return request.EditExisting ? request.Ref : "XPlayers." + request.BotName + "Bio";
  });
  Window->SetBotName("Brock");
  Show(windows::ltBiography);

  // Delete and drops: the biography list changes, the mesh list never.
  Select(0);
  Window->buDeleteListItem->click();
  Drop({"XPlayers.Gorge=dup", "MyMod.Tess=Tess"});
  EXPECT_EQ(Window->Lists().Texts.Lines(), (Lines{"XPlayers.Gorge", "MyMod.Tess"}));
  EXPECT_EQ(Window->Lists().Meshes.Count(), 4);

  // New: the key comes from a bot's name, and the reference joins at once.
  Dialogs.Inputs.push_back(std::string("Ann"));
  Window->buNewListItem->click();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(Dialogs.Asked.back().Extra, "Name of the bot :|Brock");
  EXPECT_EQ(requests[0].BotName, "Ann");
  EXPECT_EQ(requests[0].Ref, "");
  EXPECT_FALSE(requests[0].EditExisting);
  EXPECT_EQ(requests[0].SystemDir, System);
  EXPECT_EQ(Window->Lists().Texts.Lines(), (Lines{"XPlayers.Gorge", "MyMod.Tess", "XPlayers.AnnBio"}));
  EXPECT_EQ(Window->lvListContent->currentItem()->text(0), "XPlayers.AnnBio");

  // Edit: the selected reference, its key kept; nothing added twice.
  Select(0);
  Window->buEditListItem->click();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].Ref, "XPlayers.Gorge");
  EXPECT_TRUE(requests[1].EditExisting);
  EXPECT_EQ(Window->Lists().Texts.Count(), 3);
  EXPECT_EQ(Window->Lists().Meshes.Count(), 4);
}

TEST_F(ConfigWindow, KarmaDataListsTheAssetIdsAndAMalformedFileListsNothing) {
  REQUIRE_REALDATA("ka/ut2004/Bot.ka");
  Dir.write("KarmaData/Broken.ka", "<KARMA><ASSET id=\"Half\"></KARMA>");
  Show(windows::ltRagDoll);
  EXPECT_EQ(Window->PageControl1->currentWidget(), Window->taKarmaData);

  Dialogs.Files.push_back(RealDataPath("ka/ut2004/Bot.ka"));
  Window->feKarmaData->Browse();
  EXPECT_EQ(Dialogs.Asked.back().Extra, Dir.file("KarmaData"));  // the dialog starts beside System
  EXPECT_EQ(Dialogs.Asked.back().Text, "*.ka");
  ASSERT_EQ(Window->lvKarmaData->topLevelItemCount(), 2);
  EXPECT_EQ(Window->lvKarmaData->topLevelItem(0)->text(0), "Bot2");
  EXPECT_EQ(Window->lvKarmaData->topLevelItem(1)->text(0), "BotA");

  // ">" and ">>" take nothing from the wizard page.
  Window->PageControl1->setCurrentWidget(Window->taWizard);
  Window->buAddAll->click();
  EXPECT_EQ(Window->Lists().RagDoll.Count(), 1);
  // On the Karma page ">" takes the selected row, ">>" every row; Bot2 is
  // there already.
  Window->PageControl1->setCurrentWidget(Window->taKarmaData);
  Window->lvKarmaData->setCurrentItem(Window->lvKarmaData->topLevelItem(1));
  Window->buAddSelected->click();
  EXPECT_EQ(Window->Lists().RagDoll.Lines(), (Lines{"Bot2=Bot2", "BotA=BotA"}));
  Window->buAddAll->click();
  EXPECT_EQ(Window->Lists().RagDoll.Lines(), (Lines{"Bot2=Bot2", "BotA=BotA"}));

  Dialogs.Files.push_back(Dir.file("KarmaData/Broken.ka"));
  Window->feKarmaData->Browse();
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Dialogs.Messages()[0].rfind("Parser error.", 0), 0u) << Dialogs.Messages()[0];
  EXPECT_EQ(Window->lvKarmaData->topLevelItemCount(), 0);
}

TEST_F(ConfigWindow, WizardHarvestsEveryRosterOnceWithoutAskingAboutBadNumbers) {
  Dir.write("System/B.upl",
            "[Public]\r\nPlayer=(DefaultName=\"Bad\",Mesh=Bad.Mesh,Tactics=zz)\r\n"
            "Player=(DefaultName=\"Cy\",Mesh=Jugg.JUGGMALEA,Voice=xGame.MercMaleVoice,Ragdoll=BotA,"
            "Text=XPlayers.Cy)\r\n");
  Dir.write("System/a.upl",
            "[Public]\r\nPlayer=(DefaultName=\"Ann\",Mesh=Merc.A,Skeleton=K.a,Text=XPlayers.Ann,"
            "Species=xGame.SPECIES_Merc)\r\n");
  Show();
  Window->buDoUplSearch->click();
  EXPECT_TRUE(Dialogs.Asked.empty());
  ASSERT_EQ(Window->lvBotLists->topLevelItemCount(), 2);
  EXPECT_EQ(Window->lvBotLists->topLevelItem(0)->text(0), "a.upl");
  EXPECT_EQ(Window->SkippedLines(), 1);
  EXPECT_FALSE(Window->laSkipped->isHidden());
  const Lines meshes{"Jugg.JuggMaleA=Gorge", "Jugg.JuggFemaleA=Jugg female", "Aliens.A=A", "X.Y=Y", "Merc.A=Merc.A"};
  EXPECT_EQ(Window->Lists().Meshes.Lines(), meshes);
  EXPECT_EQ(Rows().size(), meshes.size());  // the list shown is shown again
  EXPECT_EQ(Window->Lists().RagDoll.Lines(), (Lines{"Bot2=Bot2", "BotA=BotA"}));
  EXPECT_EQ(Window->Lists().Skeleton.Count(), 2);
  EXPECT_EQ(Window->Lists().Voice.Count(), 1);
  EXPECT_EQ(Window->Lists().Species.Count(), 1);
  EXPECT_EQ(Window->Lists().Texts.Lines(), (Lines{"XPlayers.Ann", "XPlayers.Gorge", "XPlayers.Cy"}));
  EXPECT_EQ(Window->Lists().Skins.Lines().back(), "PlayerSkins.JuggMaleABodyA=PlayerSkins.JuggMaleABodyA");

  // A second press lists the same rosters and adds nothing.
  const Lines faces = Window->Lists().Faces.Lines();
  Window->buDoUplSearch->click();
  EXPECT_EQ(Window->lvBotLists->topLevelItemCount(), 2);
  EXPECT_EQ(Window->Lists().Meshes.Lines(), meshes);
  EXPECT_EQ(Window->Lists().Faces.Lines(), faces);
  EXPECT_EQ(Window->Lists().Texts.Count(), 3);
}

TEST_F(ConfigWindow, EveryListPageAndTheSmallWindowsShowEverythingWhole) {
  Dir.write("System/a.upl", "[Public]\r\nPlayer=(DefaultName=\"Bad\",Tactics=zz)\r\n"
                            "Player=(DefaultName=\"Ann\",Mesh=Merc.A,Text=XPlayers.Ann,Ragdoll=BotA)\r\n");
  Show();
  Window->buDoUplSearch->click();  // the note on the skipped line shows too
  for (int type = 0; type < windows::ListTypeCount; ++type) {
    SCOPED_TRACE(windows::ListTypeNames[type]);
    Window->cbListType->setCurrentIndex(type);
    ExpectNothingClipped(*Window, "config-" + std::to_string(type));
  }
  Window->PageControl1->setCurrentWidget(Window->taPackageExplorer);
  ExpectNothingClipped(*Window, "config-packages");

  windows::TFrmCustomContentCheck check(Dialogs);
  check.SetCheckDir(System);
  roster::TValueLists meshes(roster::TValueLists::TRules::AsAdded);
  meshes.Meshes = Window->Lists().Meshes;
  check.AddLists(meshes);
  check.CheckContent();
  ExpectNothingClipped(check, "contentcheck");

  windows::TFmItemEdit editor(Dialogs);
  editor.setWindowTitle(QStringLiteral("Edit item"));
  editor.SetItemName("PlayerSkins.JuggMaleABodyA");
  editor.SetItemNameEditable(false);
  editor.SetTranslation("Gorge");
  ExpectNothingClipped(editor, "itemedit");
}

}  // namespace

namespace {

TEST(ColumnSort, TheSameColumnReversesAndAnotherKeepsTheDirectionForLaterWindowsToo) {
  TestApp();
  TFakeDialogs dialogs;
  windows::TConfigViewState state;
  const auto click = [](TFmConfig& window, int column) {
    window.PackagePage->lvPackageContent->header()->sectionClicked(column);
  };
  {
    TFmConfig window(dialogs, state);
    EXPECT_EQ(window.FPackageSortColumn, -1);
    EXPECT_EQ(window.FDirSortColumn, 0);
    click(window, 2);
    EXPECT_TRUE(state.PackageSortAscending);
    click(window, 2);
    click(window, 0);
    EXPECT_EQ(window.FPackageSortColumn, 0);
    EXPECT_FALSE(state.PackageSortAscending);
    EXPECT_TRUE(state.DirSortAscending);
  }
  // The next window given the same state sorts as the last one left off;
  // one given a state of its own starts ascending.
  TFmConfig next(dialogs, state);
  click(next, 1);
  EXPECT_FALSE(next.PackagePage->lvPackageContent->Ascending());
  windows::TConfigViewState own;
  TFmConfig other(dialogs, own);
  EXPECT_TRUE(other.PackagePage->lvPackageContent->Ascending());
  EXPECT_FALSE(state.PackageSortAscending);
}

}  // namespace
