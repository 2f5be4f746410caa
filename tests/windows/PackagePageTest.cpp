// The package explorer page on real packages, driven through its own
// widgets with the window stood in for by a fake host: the dialog's folder
// and mask per list type, the class filter, sorting, the dragged paths,
// ">" and ">>", and loads that fail.

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QToolButton>

#include "PackageWindowSupport.h"
#include "packages/PuUtPackage.h"
#include "platform/AsciiText.h"
#include "windows/PathEdit.h"
#include "windows/PfConfigPackagePage.h"

using namespace testing_support;
using windows::TConfigPackagePage;

namespace {

class PackagePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    Page = std::make_unique<TConfigPackagePage>(Dialogs, Host, SortColumn, Ascending);
    Page->resize(700, 500);
    Page->show();
  }

  // The user browses for a package and picks `path` (nothing for Cancel).
  void Browse(std::optional<std::string> path) {
    Dialogs.Files.push_back(std::move(path));
    Page->fePackageName->Button()->click();
  }

  std::vector<std::string> FilterEntries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < Page->cbPackageFilter->count(); ++i)
      entries.push_back(Page->cbPackageFilter->itemText(i).toStdString());
    return entries;
  }

  int RowCount() const { return Page->lvPackageContent->Model()->rowCount(); }
  std::vector<std::string> Column(int column) const { return Page->lvPackageContent->ColumnTexts(column); }

  void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    windows::TSourceView* view = Page->lvPackageContent;
    SendClick(view->viewport(), view->visualRect(view->Model()->index(row, 0)).center(), modifiers);
  }

  std::vector<std::string> DraggedLines() const { return testing_support::DraggedLines(*Page->lvPackageContent); }

  void PickFilter(const std::string& entry) {
    Page->cbPackageFilter->setCurrentIndex(Page->cbPackageFilter->findText(QString::fromStdString(entry)));
  }

  TempDir Dir;
  TFakeDialogs Dialogs;
  TFakePageHost Host;
  int SortColumn = -1;
  bool Ascending = true;
  std::unique_ptr<TConfigPackagePage> Page;
};

TEST_F(PackagePageTest, FaceListOpensATexturePackageFilteredToItsTextures) {
  REQUIRE_REALDATA("pkg/ut2004/T_Epic2k4BP2.utx");
  const std::string file = RealDataPath("pkg/ut2004/T_Epic2k4BP2.utx");
  Host.ListType = windows::ltFace;
  Browse(file);
  ASSERT_EQ(Dialogs.Asked.size(), 1u);
  EXPECT_EQ(Dialogs.Asked[0].Kind, "open");
  EXPECT_EQ(Dialogs.Asked[0].Text, "*.utx");
  EXPECT_EQ(Dialogs.Asked[0].Extra, "/game/System/../Textures");
  EXPECT_EQ(Page->fePackageName->Filter(), "Textures (*.utx)|*.utx|All files (*.*)|*.*");
  EXPECT_EQ(Page->fePackageName->Text(), file);

  // In the order of their first export; every export has a class, so
  // there is no "- no class -" entry.
  EXPECT_EQ(FilterEntries(), (std::vector<std::string>{"- show all -", "Package", "Texture"}));
  EXPECT_EQ(Page->cbPackageFilter->currentText(), "Texture");
  EXPECT_EQ(RowCount(), 14);
  for (const std::string& c : Column(2)) EXPECT_EQ(c, "Texture");

  PickFilter("- show all -");
  EXPECT_EQ(RowCount(), 18);
  const std::vector<std::string> groups = Column(1);
  EXPECT_EQ(std::count_if(groups.begin(), groups.end(), [](const std::string& g) { return !g.empty(); }), 14);

  // One row dragged: its path twice; the group stands between package and name.
  PickFilter("Texture");
  const std::vector<std::string> names = Column(0);
  const std::string group = Column(1)[0];
  ASSERT_FALSE(group.empty());
  ClickRow(0);
  const std::string path = "T_Epic2k4BP2." + group + "." + names[0];
  EXPECT_EQ(DraggedLines(), (std::vector<std::string>{path + "=" + path}));

  // Two rows, in row order, whichever was clicked first.
  ClickRow(3);
  ClickRow(1, Qt::ControlModifier);
  const std::vector<std::string> two = DraggedLines();
  ASSERT_EQ(two.size(), 2u);
  EXPECT_NE(two[0].find("." + names[1] + "="), std::string::npos) << two[0];
  EXPECT_NE(two[1].find("." + names[3] + "="), std::string::npos) << two[1];

  // ">" takes the selection, ">>" every row, selected or not.
  EXPECT_EQ(Page->SelectedLines(), two);
  const std::vector<std::string> all = Page->AllLines();
  ASSERT_EQ(all.size(), 14u);
  EXPECT_EQ(all[1], two[0]);
}

// Per list type: where the dialog starts, what it offers, which class the
// filter picks once a package is open, and how many rows that shows.
struct TListTypeCase {
  const char* Name;
  int ListType;
  const char* Package;
  const char* Mask;
  const char* Folder;
  const char* ClassName;
  int Rows;  // -1: every export
};

class PackageListTypeTest : public PackagePageTest, public ::testing::WithParamInterface<TListTypeCase> {};

TEST_P(PackageListTypeTest, DialogFolderMaskAndPresetClass) {
  const TListTypeCase& c = GetParam();
  REQUIRE_REALDATA(c.Package);
  Host.ListType = c.ListType;
  Browse(RealDataPath(c.Package));
  ASSERT_EQ(Dialogs.Asked.size(), 1u);
  EXPECT_EQ(Dialogs.Asked[0].Text, c.Mask);
  EXPECT_EQ(Dialogs.Asked[0].Extra, std::string("/game/System") + c.Folder);
  EXPECT_EQ(Page->cbPackageFilter->currentText().toStdString(), c.ClassName);
  EXPECT_EQ(RowCount(), c.Rows >= 0 ? c.Rows : Page->Package()->ExportCount());
  EXPECT_EQ(FilterEntries()[0], "- show all -");
}

const TListTypeCase ListTypeCases[] = {
    {"Mesh", windows::ltMesh, "pkg/ut2004/SniperAnims.ukx", "*.ukx", "/../Animations", "SkeletalMesh", 1},
    {"Face", windows::ltFace, "pkg/ut2004/T_Epic2k4BP2.utx", "*.utx", "/../Textures", "Texture", 14},
    {"Skin", windows::ltSkin, "pkg/ut2004/T_Epic2k4BP2.utx", "*.utx", "/../Textures", "Texture", 14},
    {"Voice", windows::ltVoice, "pkg/ut99/Core.u", "*.u", "", "- no class -", 7},
    {"Portrait", windows::ltPortrait, "pkg/ut2004/T_Epic2k4BP2.utx", "*.utx", "/../Textures", "Texture", 14},
    {"Species", windows::ltSpecies, "pkg/ut99/Core.u", "*.u", "", "- no class -", 7},
    {"RagDoll", windows::ltRagDoll, "pkg/ut99/Core.u", "*.u", "", "- show all -", -1},
    {"Skeleton", windows::ltSkeleton, "pkg/ut2004/SniperAnims.ukx", "*.ukx", "/../Animations", "SkeletalMesh", 1},
    {"Biography", windows::ltBiography, "pkg/ut99/Core.u", "*.u", "", "- show all -", -1},
};

std::string ListTypeName(const ::testing::TestParamInfo<TListTypeCase>& info) { return info.param.Name; }

INSTANTIATE_TEST_SUITE_P(ListTypes, PackageListTypeTest, ::testing::ValuesIn(ListTypeCases), ListTypeName);

TEST_F(PackagePageTest, MeshWithoutGroupIsDraggedAsPackageAndName) {
  REQUIRE_REALDATA("pkg/ut2004/SniperAnims.ukx");
  Host.ListType = windows::ltMesh;
  Browse(RealDataPath("pkg/ut2004/SniperAnims.ukx"));
  ClickRow(0);
  EXPECT_EQ(DraggedLines(), (std::vector<std::string>{"SniperAnims.SniperRifle_1st=SniperAnims.SniperRifle_1st"}));
}

TEST_F(PackagePageTest, ListTypeChangeKeepsThePickedClassAndOnlyTheDialogPresetsOne) {
  REQUIRE_REALDATA("pkg/ut99/Core.u");
  Host.ListType = windows::ltVoice;
  Browse(RealDataPath("pkg/ut99/Core.u"));
  EXPECT_EQ(Page->cbPackageFilter->currentText(), "- no class -");
  for (const std::string& c : Column(2)) EXPECT_EQ(c, "");

  // Another list type refills the view from the same package, by the class
  // the user picked, whatever class the new type starts with.
  PickFilter("Function");
  const int functions = RowCount();
  ASSERT_GT(functions, 0);
  for (int type : {windows::ltRagDoll, windows::ltFace, windows::ltSpecies, windows::ltBiography}) {
    SCOPED_TRACE(type);
    Host.ListType = type;
    Page->ListTypeChanged();
    EXPECT_EQ(Page->cbPackageFilter->currentText(), "Function");
    EXPECT_EQ(RowCount(), functions);
  }

  // The dialog, even cancelled, presets the type's class. A package without
  // it leaves the filter blank, which the next list type keeps, and the
  // view shows every export. The biography list presets none.
  Browse(std::nullopt);
  EXPECT_EQ(Page->cbPackageFilter->currentText(), "Function");
  Host.ListType = windows::ltSpecies;
  Browse(std::nullopt);
  EXPECT_EQ(Page->cbPackageFilter->currentText(), "- no class -");
  EXPECT_EQ(RowCount(), 7);
  Host.ListType = windows::ltFace;
  Browse(std::nullopt);
  EXPECT_EQ(Page->cbPackageFilter->currentIndex(), -1);
  EXPECT_EQ(RowCount(), Page->Package()->ExportCount());
  Host.ListType = windows::ltSkin;
  Page->ListTypeChanged();
  EXPECT_EQ(Page->cbPackageFilter->currentIndex(), -1);
  EXPECT_EQ(Page->Package()->FileName(), RealDataPath("pkg/ut99/Core.u"));
}

TEST_F(PackagePageTest, FailedOpensKeepThePackageShownAndItsPaths) {
  REQUIRE_REALDATA("pkg/ut2004/SniperAnims.ukx");
  REQUIRE_REALDATA("pkg/ut2004/TeamSymbols.utx");
  const std::string good = RealDataPath("pkg/ut2004/SniperAnims.ukx");
  Host.ListType = windows::ltSkeleton;
  Browse(good);
  ClickRow(0);
  const std::vector<std::string> lines = DraggedLines();
  ASSERT_EQ(lines.size(), 1u);

  const std::string cut = TruncatedCopy(Dir, "pkg/ut2004/SniperAnims.ukx", "Cut.ukx", 3000);
  // A package flagged as holding no tables worth reading leaves them empty
  // when they cannot be read: no package to show either.
  const std::string flagged = TruncatedCopy(Dir, "pkg/ut2004/TeamSymbols.utx", "Flagged.utx", 5000);
  Dir.write("Junk.ukx", "not a package at all");
  for (const std::string& bad : {cut, flagged, Dir.file("Junk.ukx"), Dir.file("Missing.ukx")}) {
    SCOPED_TRACE(bad);
    const std::size_t messages = Dialogs.Messages().size();
    Browse(bad);
    EXPECT_EQ(Dialogs.Messages().size(), messages + 1);
    EXPECT_EQ(Page->fePackageName->Text(), good);
    EXPECT_EQ(Page->Package()->FileName(), good);
    EXPECT_EQ(RowCount(), 1);
    ClickRow(0);
    EXPECT_EQ(DraggedLines(), lines);
  }
  EXPECT_NE(Dialogs.Messages()[0].find("Cut.ukx"), std::string::npos) << Dialogs.Messages()[0];
  EXPECT_EQ(Dialogs.Messages()[1].rfind(flagged + ": its tables could not be read: Seek to ", 0), 0u)
      << Dialogs.Messages()[1];

  // A name typed into the edit opens nothing and names nothing dragged.
  Page->fePackageName->SetText(Dir.file("Typed.ukx"));
  EXPECT_EQ(DraggedLines(), lines);
}

// Sorting by each column: ascending on the first click, reversed on the
// second, in the platform layer's case-blind order.
class PackageSortTest : public PackagePageTest, public ::testing::WithParamInterface<int> {};

TEST_P(PackageSortTest, ClickSortsAndASecondClickReverses) {
  REQUIRE_REALDATA("pkg/ut2004/T_Epic2k4BP2.utx");
  Host.ListType = windows::ltFace;
  Browse(RealDataPath("pkg/ut2004/T_Epic2k4BP2.utx"));
  PickFilter("- show all -");
  const int column = GetParam();
  const auto ordered = [](const std::vector<std::string>& texts, int sign) {
    for (std::size_t i = 1; i < texts.size(); ++i)
      if (sign * platform::CompareText(texts[i - 1], texts[i]) > 0) return false;
    return true;
  };
  Page->lvPackageContent->header()->sectionClicked(column);
  EXPECT_TRUE(ordered(Column(column), 1)) << ::testing::PrintToString(Column(column));
  Page->lvPackageContent->header()->sectionClicked(column);
  EXPECT_TRUE(ordered(Column(column), -1)) << ::testing::PrintToString(Column(column));
  EXPECT_FALSE(Ascending);

  // Another column keeps the direction; so does the next window.
  const int other = (column + 1) % 4;
  Page->lvPackageContent->header()->sectionClicked(other);
  EXPECT_TRUE(ordered(Column(other), -1));
  int nextColumn = -1;
  TConfigPackagePage next(Dialogs, Host, nextColumn, Ascending);
  EXPECT_FALSE(next.lvPackageContent->Ascending());
  EXPECT_EQ(SortColumn, other);
}

// The selection belongs to the objects, not to row numbers: after a sort
// the same objects are selected and ">" and a drag take them.
TEST_F(PackagePageTest, SelectionFollowsItsRowsWhenTheViewIsSorted) {
  REQUIRE_REALDATA("pkg/ut2004/T_Epic2k4BP2.utx");
  Host.ListType = windows::ltFace;
  Browse(RealDataPath("pkg/ut2004/T_Epic2k4BP2.utx"));
  ClickRow(0);
  ClickRow(2, Qt::ControlModifier);
  const std::vector<std::string> selected = DraggedLines();
  ASSERT_EQ(selected.size(), 2u);

  Page->lvPackageContent->header()->sectionClicked(0);  // sorted by name as it was
  Page->lvPackageContent->header()->sectionClicked(0);  // reversed
  std::vector<std::string> after = DraggedLines();
  std::reverse(after.begin(), after.end());  // in row order, which is reversed
  EXPECT_EQ(after, selected);
  after = Page->SelectedLines();
  std::reverse(after.begin(), after.end());
  EXPECT_EQ(after, selected);
  ASSERT_EQ(Page->lvPackageContent->SelectedRows(), (std::vector<int>{RowCount() - 3, RowCount() - 1}));
}

std::string ColumnName(const ::testing::TestParamInfo<int>& info) {
  static const char* const names[] = {"Name", "Group", "Class", "Parent"};
  return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Columns, PackageSortTest, ::testing::Values(0, 1, 2, 3), ColumnName);

TEST(ConfigPages, DialogProposesTheMaskUnlessTheFileLiesInTheFolder) {
  EXPECT_EQ(windows::ProposedFileName("", "/game/Textures", "*.utx"), "*.utx");
  EXPECT_EQ(windows::ProposedFileName("/game/Textures/A.utx", "/game/System/../textures", "*.utx"),
            "/game/Textures/A.utx");
  EXPECT_EQ(windows::ProposedFileName("/game/Maps/A.utx", "/game/Textures", "*.utx"), "*.utx");
}

}  // namespace
