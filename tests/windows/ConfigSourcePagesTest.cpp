// The source pages inside the configuration window: the package explorer
// following the list type, ">" and ">>" on each page, a drag from the
// package view dropped on the value list, and the hidden pages.

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "ConfigWindowFixture.h"
#include "PackageWindowSupport.h"
#include "WindowChecks.h"
#include "windows/PathEdit.h"
#include "windows/PfBotConfig.h"
#include "windows/PfConfigDirPage.h"
#include "windows/PfConfigIntPage.h"
#include "windows/PfConfigPackagePage.h"

using namespace testing_support;
using windows::TFmConfig;

namespace {

class ConfigSourcePages : public ConfigWindow {
 protected:
  void SetUp() override {
    ConfigWindow::SetUp();
    Window->show();
  }

  void ChooseList(int listType) { Window->cbListType->setCurrentIndex(listType); }

  void BrowsePackage(const std::string& path) {
    Dialogs.Files.push_back(path);
    Window->PackagePage->fePackageName->Button()->click();
  }

  void SelectRow(windows::TSourceView* view, int row) {
    view->selectionModel()->select(view->Model()->index(row, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }

  static Lines LinesOf(const roster::TStringList& list) {
    Lines lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
  }
};

TEST_F(ConfigSourcePages, PackageRowsReachTheListByButtonsAndByDrop) {
  REQUIRE_REALDATA("pkg/ut2004/T_Epic2k4BP2.utx");
  ChooseList(windows::ltFace);
  Window->PageControl1->setCurrentWidget(Window->taPackageExplorer);
  BrowsePackage(RealDataPath("pkg/ut2004/T_Epic2k4BP2.utx"));
  EXPECT_EQ(Dialogs.Asked[0].Extra, System + "/../Textures");
  windows::TSourceView* view = Window->PackagePage->lvPackageContent;
  ASSERT_EQ(view->Model()->rowCount(), 14);
  ExpectNothingClipped(*Window, "config-explorer");

  // ">": the selected row, its path as name and translation.
  SelectRow(view, 0);
  const Lines first = Window->PackagePage->SelectedLines();
  Window->buAddSelected->click();
  EXPECT_EQ(LinesOf(Window->Lists().Faces), (Lines{"F.a=Face a", first[0]}));
  EXPECT_EQ(Window->lvListContent->topLevelItemCount(), 2);

  // ">>": every row; the one added already is not added again.
  Window->buAddAll->click();
  const Lines faces = LinesOf(Window->Lists().Faces);
  ASSERT_EQ(faces.size(), 15u);
  EXPECT_EQ(std::count(faces.begin(), faces.end(), first[0]), 1);

  // A drag from the package view dropped on the list of another type.
  ChooseList(windows::ltSkin);
  EXPECT_EQ(Window->PackagePage->cbPackageFilter->currentText(), "Texture");
  Window->PageControl1->setCurrentWidget(Window->taPackageExplorer);
  SelectRow(view, 3);
  std::unique_ptr<QMimeData> data(view->Model()->mimeData(view->selectionModel()->selectedIndexes()));
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(Drop(*data));
  EXPECT_EQ(LinesOf(Window->Lists().Skins),
            (Lines{"S.a=Skin a", "S.b=Skin b", Window->PackagePage->SelectedLines()[0]}));

  // The mesh list keeps the class picked, though it starts with its own.
  ChooseList(windows::ltMesh);
  EXPECT_EQ(Window->PackagePage->cbPackageFilter->currentText(), "Texture");
  EXPECT_EQ(view->Model()->rowCount(), 14);

  // On the wizard page the buttons take nothing.
  Window->PageControl1->setCurrentWidget(Window->taWizard);
  Window->buAddAll->click();
  EXPECT_EQ(Window->Lists().Meshes.Count(), 4);

  // The view's sort column is the window's.
  view->header()->sectionClicked(2);
  EXPECT_EQ(Window->FPackageSortColumn, 2);
}

TEST_F(ConfigSourcePages, HiddenDirectoryPageFeedsTheRagDollList) {
  Dir.write("KarmaData/Bot.ka", "<x/>");
  Dir.write("KarmaData/Readme.txt", "r");
  ChooseList(windows::ltRagDoll);
  const int tab = Window->PageControl1->indexOf(Window->taDirectorySearch);
  EXPECT_FALSE(Window->PageControl1->isTabVisible(tab));
  EXPECT_FALSE(Window->PageControl1->isTabVisible(Window->PageControl1->indexOf(Window->taIntFileContent)));
  ASSERT_NE(Window->IntFilePage, nullptr);

  // Nothing in the program shows the page; the test does, to reach it.
  Window->PageControl1->setTabVisible(tab, true);
  Window->PageControl1->setCurrentWidget(Window->taDirectorySearch);
  Dialogs.Files.push_back(Dir.file("KarmaData"));
  Window->DirectoryPage->deSearchDir->Button()->click();
  EXPECT_EQ(Dialogs.Asked.back().Text, Dir.file("KarmaData"));
  windows::TSourceView* view = Window->DirectoryPage->lvDirView;
  ASSERT_EQ(view->Model()->rowCount(), 2);

  SelectRow(view, 1);
  Window->buAddSelected->click();
  EXPECT_EQ(LinesOf(Window->Lists().RagDoll), (Lines{"Bot2=Bot2", "Readme=Readme"}));
  Window->buAddAll->click();
  EXPECT_EQ(LinesOf(Window->Lists().RagDoll), (Lines{"Bot2=Bot2", "Readme=Readme", "Bot=Bot"}));

  view->header()->sectionClicked(0);
  EXPECT_EQ(Window->FDirSortColumn, 0);
  EXPECT_FALSE(ViewState.DirSortAscending);
  EXPECT_EQ(view->ColumnTexts(0), (Lines{"Readme", "Bot"}));
}

// The hidden pages, were they shown, would fit the room a page has in the
// window (shown in the window with the others, their tabs would not).
TEST_F(ConfigSourcePages, HiddenPagesFitThePageRoomOfTheWindow) {
  Window->PageControl1->setCurrentWidget(Window->taPackageExplorer);
  QApplication::processEvents();
  const QSize room = Window->taPackageExplorer->size();
  TFakePageHost host;
  host.System = Dir.path();
  int column = 0;
  bool ascending = true;
  windows::TConfigDirPage directory(Dialogs, host, column, ascending);
  directory.resize(room);
  directory.FillDirView(System);
  ExpectNothingClipped(directory, "config-directory");
  windows::TConfigIntPage intFile(Dialogs, host);
  intFile.resize(room);
  ExpectNothingClipped(intFile, "config-intfile");
}

}  // namespace
