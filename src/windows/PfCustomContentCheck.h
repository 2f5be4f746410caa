#pragma once

// The custom content check: the references that the rosters of the game's
// System folder use, merged into copies of eight of the main window's value
// lists. Run unseen at the very first start, or shown to press "&Check" as
// often as wished.

#include <string>

#include <QDialog>

#include "roster/PuValueLists.h"
#include "windows/Dialogs.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace windows {

class TPathEdit;

class TFrmCustomContentCheck : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmCustomContentCheck(TDialogs& dialogs, QWidget* owner = nullptr);

  // The folder searched; the edit shows it.
  void SetCheckDir(const std::string& dir);
  std::string GetCheckDir() const;

  // Appends every line of the lists the check edits to its lists and
  // their boxes; the caller keeps its lists. Biography references are not
  // handed in: the check only shows the ones it finds.
  void AddLists(const roster::TValueLists& lists);
  // The lists as the check leaves them.
  const roster::TValueLists& Lists() const { return FLists; }

  // Harvests the folder's rosters into the lists; every run adds to what
  // they hold.
  void CheckContent();
  // Roster lines the last check left out for a value that cannot be read.
  int SkippedLines() const { return FSkippedLines; }

  QLabel* laCheckDir = nullptr;
  TPathEdit* deCheckDir = nullptr;
  QListWidget* lbFilesFound = nullptr;
  QListWidget* lbSpecies = nullptr;
  QListWidget* lbSkin = nullptr;
  QListWidget* lbVoice = nullptr;
  QListWidget* lbText = nullptr;
  QListWidget* lbMesh = nullptr;
  QListWidget* lbFace = nullptr;
  QListWidget* lbPortrait = nullptr;
  QListWidget* lbRagDoll = nullptr;
  QListWidget* lbSkeleton = nullptr;
  QLabel* laSkipped = nullptr;
  QPushButton* buCheck = nullptr;

 private:
  // Each box shows all lines of its list.
  void FillBoxes();
  QListWidget* AddListBox(const char* name, const char* caption);

  TDialogs& FDialogs;
  roster::TValueLists FLists{roster::TValueLists::TRules::AsAdded};
  int FSkippedLines = 0;
  QWidget* FListsGroup = nullptr;  // the nine boxes, three to a row
  int FListCount = 0;
};

}  // namespace windows
