#pragma once

// The configuration window: the user extends nine of the main window's value
// lists, by hand (New, Edit, Delete item) or from source pages on the left
// (package explorer, Karma data, roster harvest). It works on copies: the
// main window hands the lists in, and takes all nine back whole when the
// window closes, however it was closed.
//
// The source pages built apart (PfConfigPackagePage, PfConfigDirPage,
// PfConfigIntPage) sit in the tabs taPackageExplorer, taDirectorySearch and
// taIntFileContent and see the window as a TConfigPageHost (ConfigPages.h):
// its list type and System directory. The package page follows
// `ListTypeChanged`, emitted on every change of the list type, the first
// show included, which also presets its class filter as a package dialog
// left without a choice does. The package and folder views drag a TMyDragObject
// (LineView.h) onto `lvListContent`, whose drop goes through `AddLines`
// with its duplicate check, and hand ">" and ">>" their lines through
// `SetLineSource`. Their sort columns are FPackageSortColumn and
// FDirSortColumn, moved by `ColumnClick` with the directions of the
// TConfigViewState the window is given.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QElapsedTimer>

#include "roster/PuValueLists.h"
#include "roster/StringList.h"
#include "windows/ConfigPages.h"
#include "windows/Dialogs.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTreeWidget;

namespace windows {

class TConfigDirPage;
class TConfigIntPage;
class TConfigPackagePage;
class TLineView;
class TPathEdit;

enum TListType {
  ltMesh, ltFace, ltSkin, ltVoice, ltPortrait, ltSpecies, ltRagDoll, ltSkeleton, ltBiography, ListTypeCount
};

// "Mesh", "Face", "Skin", "Voice", "Portrait", "Species", "RagDoll",
// "Skeleton", "Biography (reference)".
extern const char* const ListTypeNames[ListTypeCount];

// Sort directions of the package view and the directory view. They outlive
// a window: the main window hands the same state to every configuration
// window it opens, so one opened later sorts as the last one left off.
struct TConfigViewState {
  bool PackageSortAscending = true;
  bool DirSortAscending = true;
};
// A click on `column` of a view sorted by `sortColumn` (-1: unsorted): the
// same column again reverses the direction, another keeps it; the clicked
// column becomes the sort column.
void ColumnClick(int column, int& sortColumn, bool& ascending);

// A long fill of a view: the view is locked and the busy cursor and the
// progress bar show until the object goes. Step repaints now and then, by
// the window's `clock`, but takes no user input, so row k of the view stays
// line k of its list.
class TLongFill {
 public:
  TLongFill(QWidget* view, QProgressBar* progress, int count, const QElapsedTimer& clock);
  ~TLongFill();
  TLongFill(const TLongFill&) = delete;
  TLongFill& operator=(const TLongFill&) = delete;
  void Step(int index);

 private:
  QWidget* FView;
  QProgressBar* FProgress;
  const QElapsedTimer& FClock;
  long long FLastRepaint;
};

// What the biography editor is asked to do for the biography list.
struct TBiographyEdit {
  std::string Ref;        // the reference to edit (empty: a new one in XPlayers)
  std::string BotName;    // non-empty: a new biography for this bot, key "<BotName>Bio"
  std::string SystemDir;
  bool EditExisting = false;  // the key may not be changed
};
// Runs the biography editor and gives the reference it wrote, or nothing
// when it was cancelled or wrote nothing; it refreshes the .int cache
// itself.
using TEditBiography = std::function<std::optional<std::string>(const TBiographyEdit&)>;

class TFmConfig : public QDialog, public TConfigPageHost {
  Q_OBJECT

 public:
  // `viewState`: the sort directions, kept by the caller for the next window.
  TFmConfig(TDialogs& dialogs, TConfigViewState& viewState, QWidget* owner = nullptr);
  ~TFmConfig() override;

  void SetSystemDir(const std::string& dir) { FSystemDir = dir; }
  const std::string& SystemDir() const { return FSystemDir; }
  // The name proposed for a new biography's bot (the bot shown in the
  // main window).
  void SetBotName(const std::string& name) { FBotName = name; }
  // Unset, the biography list can only be looked at and trimmed.
  void SetEditBiography(TEditBiography edit);

  // Appends every line of the lists the window edits, the biography
  // references too; the caller keeps its lists.
  void SetLists(const roster::TValueLists& lists) { FLists.AppendEdited(lists, roster::TValueLists::TTexts::Included); }
  // The lists as the window leaves them; read after it closed.
  const roster::TValueLists& Lists() const { return FLists; }
  // The list of a type; nothing for none.
  roster::TStringList* ListOf(int listType);

  // The list type chosen in cbListType; -1 before the first show.
  int ListType() const;
  // What the source pages ask of the window.
  int CurrentListType() const override { return ListType(); }
  std::string SystemDirectory() const override { return FSystemDir; }
  // Adds "name=translation" lines (a line without "=" is its own
  // translation) to the list shown, as a drop does. A name the list holds
  // already (case ignored), an empty one or one that cannot be a list line
  // is left out. Gives the number of lines added.
  int AddLines(const std::vector<std::string>& lines);
  // The lines a source page gives for ">" (false: selected rows) and ">>"
  // (true: all rows).
  using TLineSource = std::function<std::vector<std::string>(bool allRows)>;
  void SetLineSource(QWidget* page, TLineSource source);

  void ShowList(int listType);
  void ShowNameList(roster::TStringList* list);
  void ShowBiographyList();
  // Adds a row; with `addToList` set and a list shown, the line too.
  void AddListRow(const std::string& name, bool addToList, const std::string& translation);
  // The roster harvest of the wizard page; also the main window's unseen run.
  void SearchBotLists();
  // Roster lines the last harvest skipped, and rosters it could not read.
  int SkippedLines() const { return FSkippedLines; }

  // The item commands, as the buttons run them.
  void buNewListItemClick();
  void buEditListItemClick();
  void buDeleteListItemClick();
  void buAddSelectedClick();
  void buAddAllClick();
  void buDoUplSearchClick() { SearchBotLists(); }
  // Reads a Karma data file into lvKarmaData, as the file edit's
  // after-dialog step does; a file that does not parse is reported and
  // lists nothing.
  void ReadKarmaData(const std::string& fileName);

  QLabel* laListType = nullptr;
  QComboBox* cbListType = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* taPackageExplorer = nullptr;
  TConfigPackagePage* PackagePage = nullptr;
  QWidget* taKarmaData = nullptr;
  QWidget* taDirectorySearch = nullptr;
  TConfigDirPage* DirectoryPage = nullptr;
  QWidget* taWizard = nullptr;
  QWidget* taIntFileContent = nullptr;
  TConfigIntPage* IntFilePage = nullptr;
  QPushButton* buAddSelected = nullptr;
  QPushButton* buAddAll = nullptr;
  QGroupBox* gbListContent = nullptr;
  QPushButton* buNewListItem = nullptr;
  QPushButton* buEditListItem = nullptr;
  QPushButton* buDeleteListItem = nullptr;
  TLineView* lvListContent = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  // Karma data page.
  TPathEdit* feKarmaData = nullptr;
  TLineView* lvKarmaData = nullptr;
  // Wizard page.
  QPushButton* buDoUplSearch = nullptr;
  QTreeWidget* lvBotLists = nullptr;
  QLabel* laSkipped = nullptr;

  // Sort columns of the package view (-1: unsorted) and directory view.
  int FPackageSortColumn = -1;
  int FDirSortColumn = 0;

 signals:
  void ListTypeChanged(int listType);

 protected:
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildSourcePages();
  void AddSourcePage(QWidget* tab, TConfigSourcePage* page);
  QWidget* BuildKarmaPage();
  QWidget* BuildWizardPage();
  QWidget* BuildListGroup();
  void FixWindowSize();
  void ShowHintsInStatusBar();
  void FitNameColumn();
  void rgListClick();
  void UpdateItemButtons();
  void feKarmaDataBeforeDialog(std::string& name, bool& action);
  void EditBiographyRow(bool editExisting);
  void EditItemRow(int row);
  void NewItem();
  bool ShowingBiographies() const { return FCurrentList == &FLists.Texts; }
  int SelectedRow() const;
  std::string ItemCheck(const std::string& name, const std::string& translation, bool isNew) const;
  void SetPageShown(QWidget* page, bool shown);
  template <class F>
  void Guard(F&& command);

  TDialogs& FDialogs;
  TConfigViewState& FViewState;
  QElapsedTimer FRepaintClock;  // paces the repaints of long fills
  std::string FSystemDir;
  std::string FBotName;
  TEditBiography FEditBiography;
  roster::TValueLists FLists{roster::TValueLists::TRules::AsAdded};
  roster::TStringList* FCurrentList = nullptr;
  int FLastListType = -1;
  int FSkippedLines = 0;
  std::vector<std::pair<QWidget*, TLineSource>> FLineSources;
};

}  // namespace windows
