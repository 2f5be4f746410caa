// The configuration window's hidden pages: the folder listing (sizes,
// times and dates sorted by value, dragged names, ">" and ">>") and the
// .int file page with each of its filters on real files.

#include <filesystem>
#include <set>

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QHeaderView>
#include <QMimeData>
#include <QToolButton>

#include "PackageWindowSupport.h"
#include "roster/PuIntFile.h"
#include "platform/AsciiText.h"
#include "windows/PathEdit.h"
#include "windows/PfConfigDirPage.h"
#include "windows/PfConfigIntPage.h"
#include "windows/SourceView.h"

using namespace testing_support;

namespace {

void Stamp(const std::string& path, QDate date, QTime time) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime(date, time), QFileDevice::FileModificationTime));
}

class DirPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    Dir.write("Files/Readme.txt", "r");
    Dir.write("Files/Small.bin", "");
    std::filesystem::resize_file(Dir.file("Files/Small.bin"), 1048575);
    Dir.write("Files/Big.u", "");
    std::filesystem::resize_file(Dir.file("Files/Big.u"), 1048576);
    Dir.write("Files/Sub/Inside.txt", "not listed");
    Stamp(Dir.file("Files/Readme.txt"), QDate(2001, 5, 3), QTime(9, 0));
    Stamp(Dir.file("Files/Small.bin"), QDate(2020, 1, 2), QTime(23, 0));
    Stamp(Dir.file("Files/Big.u"), QDate(1999, 12, 31), QTime(10, 30));
    Host.System = Dir.file("System");
    Page = std::make_unique<windows::TConfigDirPage>(Dialogs, Host, SortColumn, Ascending);
  }

  std::vector<std::string> Names() const { return Page->lvDirView->ColumnTexts(0); }

  TempDir Dir;
  TFakeDialogs Dialogs;
  TFakePageHost Host;
  int SortColumn = 0;
  bool Ascending = true;
  std::unique_ptr<windows::TConfigDirPage> Page;
};

TEST_F(DirPageTest, ListsTheFolderFilesWithSizesThatSortByValue) {
  Dialogs.Files.push_back(Dir.file("Files"));
  Page->deSearchDir->Button()->click();
  ASSERT_EQ(Dialogs.Asked.size(), 1u);
  EXPECT_EQ(Dialogs.Asked[0].Kind, "folder");
  EXPECT_EQ(Dialogs.Asked[0].Text, Host.System);
  EXPECT_EQ(Dialogs.Asked[0].Extra, "Search directory");

  // Sorted by name at first; the folder "Sub" is not listed.
  EXPECT_EQ(Names(), (std::vector<std::string>{"Big", "Readme", "Small"}));
  EXPECT_EQ(Page->lvDirView->ColumnTexts(1), (std::vector<std::string>{".u", ".txt", ".bin"}));
  EXPECT_EQ(Page->lvDirView->ColumnTexts(2), (std::vector<std::string>{"1024 kb", "1", "1048575"}));

  // The view starts sorted by its first column: the first click there
  // reverses it.
  Page->lvDirView->header()->sectionClicked(0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Small", "Readme", "Big"}));
  // Sizes, times and dates by value, in the direction now set.
  Page->lvDirView->header()->sectionClicked(2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Big", "Small", "Readme"}));
  Page->lvDirView->header()->sectionClicked(2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Readme", "Small", "Big"}));
  Page->lvDirView->header()->sectionClicked(3);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Readme", "Big", "Small"}));
  Page->lvDirView->header()->sectionClicked(4);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Big", "Readme", "Small"}));

  // Dragging a row gives its name without extension, twice.
  windows::TSourceView* view = Page->lvDirView;
  view->selectionModel()->select(view->Model()->index(1, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  EXPECT_EQ(DraggedLines(*view), (std::vector<std::string>{"Readme=Readme"}));
  EXPECT_EQ(Page->AllLines(), (std::vector<std::string>{"Big=Big", "Readme=Readme", "Small=Small"}));
}

TEST_F(DirPageTest, RagDollListStartsInTheKarmaDataFolder) {
  Host.ListType = windows::ltRagDoll;
  Dialogs.Files.push_back(std::nullopt);
  Page->deSearchDir->Button()->click();
  EXPECT_EQ(Dialogs.Asked[0].Text, Dir.file("KarmaData"));
  EXPECT_EQ(Page->deSearchDir->Text(), Dir.file("KarmaData"));
  EXPECT_EQ(Page->lvDirView->Model()->rowCount(), 0);
}

TEST(DirPage, SizesOfAMegabyteAndMoreShowInWholeKilobytes) {
  EXPECT_EQ(windows::FileSizeText(0), "0");
  EXPECT_EQ(windows::FileSizeText(1048575), "1048575");
  EXPECT_EQ(windows::FileSizeText(1048576), "1024 kb");
  EXPECT_EQ(windows::FileSizeText(1049599), "1024 kb");
  EXPECT_EQ(windows::FileSizeText(5368709120ull), "5242880 kb");
}

class IntPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    Host.System = RealDataPath("int/ut2004");
    Page = std::make_unique<windows::TConfigIntPage>(Dialogs, Host);
  }

  void Open(const std::string& file) {
    Dialogs.Files.push_back(file);
    Page->feIntFilename->Button()->click();
  }

  std::vector<std::string> Column(int column) const { return Page->lvIntFiles->ColumnTexts(column); }

  static bool SortedByName(const std::vector<std::string>& names) {
    return std::is_sorted(names.begin(), names.end(),
                          [](const std::string& a, const std::string& b) { return platform::CompareText(a, b) < 0; });
  }

  TFakeDialogs Dialogs;
  TFakePageHost Host;
  std::unique_ptr<windows::TConfigIntPage> Page;
};

TEST_F(IntPageTest, DecoTextOfXPlayersIsTheFilterWhenNoneWasChosen) {
  REQUIRE_REALDATA("int/ut2004/XPlayers.int");
  const std::string file = RealDataPath("int/ut2004/XPlayers.int");
  Open(file);
  EXPECT_EQ(Dialogs.Asked[0].Text, "*.int");
  EXPECT_EQ(Dialogs.Asked[0].Extra, RealDataPath("int/ut2004"));
  EXPECT_EQ(Page->cbIntFilter->currentText(), "DecoText");
  const std::vector<std::string> names = Column(0);
  ASSERT_EQ(names.size(), roster::TIntFile(file).ReadDecoText().size());
  EXPECT_TRUE(SortedByName(names));
  const auto at = std::find(names.begin(), names.end(), "AlienFemaleAB");
  ASSERT_NE(at, names.end());
  EXPECT_EQ(Column(1)[std::size_t(at - names.begin())].substr(0, 16), "\"Name:  Makreth|");
}

TEST_F(IntPageTest, ObjectLinesOfXGameEachShowTheirOwnValueInFileOrder) {
  REQUIRE_REALDATA("int/ut2004/XGame.int");
  const std::string file = RealDataPath("int/ut2004/XGame.int");
  Open(file);
  Page->cbIntFilter->setCurrentIndex(2);  // "Object"
  const std::vector<std::string> objects = roster::TIntFile(file).ReadObjects();
  ASSERT_EQ(objects.size(), 9u);
  EXPECT_EQ(Column(0), std::vector<std::string>(9, "Object"));
  std::vector<std::string> values;
  for (const std::string& line : objects) values.push_back(line.substr(std::string("Object=").size()));
  EXPECT_EQ(Column(1), values);

  // A file that is not there lists nothing.
  Page->FillIntFileView(file + ".missing");
  EXPECT_TRUE(Column(0).empty());
}

// Every filter on both real files: one row per line, sorted by name, each
// row with the value of its own line.
struct TIntCase {
  const char* File;
  int Filter;  // "Public", "DecoText", "Object"
};

class IntFilterTest : public IntPageTest, public ::testing::WithParamInterface<TIntCase> {};

TEST_P(IntFilterTest, RowsAreTheLinesSortedByName) {
  const TIntCase& c = GetParam();
  REQUIRE_REALDATA(c.File);
  const std::string file = RealDataPath(c.File);
  Open(file);
  Page->cbIntFilter->setCurrentIndex(c.Filter);
  const roster::TIntFile reference(file);
  const std::vector<std::string> lines =
      c.Filter == 0 ? reference.ReadPublic() : (c.Filter == 1 ? reference.ReadDecoText() : reference.ReadObjects());
  std::multiset<std::pair<std::string, std::string>> expected, shown;
  for (const std::string& line : lines) {
    const std::size_t eq = line.find('=');
    expected.emplace(line.substr(0, eq), eq == std::string::npos ? "" : line.substr(eq + 1));
  }
  for (std::size_t i = 0; i < Column(0).size(); ++i) shown.emplace(Column(0)[i], Column(1)[i]);
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(SortedByName(Column(0)));
}

std::string IntCaseName(const ::testing::TestParamInfo<TIntCase>& info) {
  static const char* const filters[] = {"Public", "DecoText", "Object"};
  const std::string file = std::filesystem::path(info.param.File).stem().string();
  return file + "_" + filters[info.param.Filter];
}

INSTANTIATE_TEST_SUITE_P(RealFiles, IntFilterTest,
                         ::testing::Values(TIntCase{"int/ut2004/XPlayers.int", 0}, TIntCase{"int/ut2004/XPlayers.int", 1},
                                           TIntCase{"int/ut2004/XPlayers.int", 2}, TIntCase{"int/ut2004/XGame.int", 0},
                                           TIntCase{"int/ut2004/XGame.int", 1}, TIntCase{"int/ut2004/XGame.int", 2}),
                         IntCaseName);

}  // namespace
