#pragma once

// The custom content check: the references that the rosters of the game's
// System folder use, merged into copies of eight of the main window's value
// lists. Run unseen at the very first start, or shown to press "&Check" as
// often as wished.

#include <string>

#include <QDialog>

#include "roster/PuUtStringlist.h"
#include "roster/StringList.h"
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

  // Each appends every line of the list to its list box and its list.
  void AddSpecies(const roster::TStringList& list) { Append(lbSpecies, FSpecies, list); }
  void AddMeshes(const roster::TStringList& list) { Append(lbMesh, FMeshes, list); }
  void AddFaces(const roster::TStringList& list) { Append(lbFace, FFaces, list); }
  void AddSkins(const roster::TStringList& list) { Append(lbSkin, FSkins, list); }
  void AddVoices(const roster::TStringList& list) { Append(lbVoice, FVoices, list); }
  void AddPortraits(const roster::TStringList& list) { Append(lbPortrait, FPortraits, list); }
  void AddRagdolls(const roster::TStringList& list) { Append(lbRagDoll, FRagdolls, list); }
  void AddSkeletons(const roster::TStringList& list) { Append(lbSkeleton, FSkeletons, list); }

  const roster::TUtStringlist& GetSpecies() const { return FSpecies; }
  const roster::TUtStringlist& GetMeshes() const { return FMeshes; }
  const roster::TUtStringlist& GetFaces() const { return FFaces; }
  const roster::TUtStringlist& GetSkins() const { return FSkins; }
  const roster::TUtStringlist& GetVoices() const { return FVoices; }
  const roster::TUtStringlist& GetPortraits() const { return FPortraits; }
  const roster::TUtStringlist& GetRagdolls() const { return FRagdolls; }
  const roster::TUtStringlist& GetSkeletons() const { return FSkeletons; }
  const roster::TStringList& GetTexts() const { return FTexts; }

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
  static void Append(QListWidget* box, roster::TStringList& target, const roster::TStringList& source);
  QListWidget* AddListBox(const char* name, const char* caption);

  TDialogs& FDialogs;
  roster::TUtStringlist FSpecies, FMeshes, FFaces, FSkins, FVoices, FPortraits, FRagdolls, FSkeletons;
  roster::TStringList FTexts;
  int FSkippedLines = 0;
  QWidget* FListsGroup = nullptr;  // the nine boxes, three to a row
  int FListCount = 0;
};

}  // namespace windows
