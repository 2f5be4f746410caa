#pragma once

// The configuration window's page "&Packages": the objects inside one
// Unreal package, filtered by class and sorted by any column, whose paths
// the user drags (or moves with ">" and ">>") into the value list. The
// list type chosen in the window decides where the file dialog starts,
// which files it offers and which class the filter picks.

#include <memory>
#include <string>
#include <vector>

#include "windows/ConfigPages.h"
#include "windows/Dialogs.h"
#include "windows/SourceView.h"

class QComboBox;
class QLabel;

namespace packages {
class TUTPackage;
}

namespace windows {

class TPathEdit;

extern const char* const ShowAllClasses;  // "- show all -"
extern const char* const NoClass;         // "- no class -"

class TConfigPackagePage : public TConfigSourcePage {
  Q_OBJECT

 public:
  // `sortColumn` and `ascending`: the package view's sort column, the window's,
  // and its direction, which outlives the window (TConfigViewState).
  TConfigPackagePage(TDialogs& dialogs, TConfigPageHost& host, int& sortColumn, bool& ascending,
                     QWidget* parent = nullptr);
  ~TConfigPackagePage() override;

  void fePackageNameBeforeDialog(std::string& name, bool& action);
  void fePackageNameAfterDialog(std::string& name, bool& action);
  // Loads the file into a fresh package and shows that one from then on;
  // a file that fails to load leaves the package shown before and says
  // why. True when the file was loaded.
  bool OpenPackage(const std::string& fileName);
  // Refills the view from the package shown, by the class filter.
  void FillPackageView();
  void cbPackageFilterChange();
  // The object path of an export of the package shown (a row's data): the
  // loaded file's name, the group when there is one, and the object's
  // name, joined by ".".
  std::string GetObjectPath(int exportIndex) const;
  // Another list type: the view is filled again from the package shown,
  // by the class the filter holds.
  void ListTypeChanged();
  // The class filter set to the class the list type starts with, and the
  // view filled by it: after the package dialog, and on the window's first
  // show.
  void ShowListTypeClass();

  // The package shown; null before the first successful open.
  const packages::TUTPackage* Package() const { return FPackage.get(); }

  QLabel* Label1;
  TPathEdit* fePackageName;
  QLabel* Label2;
  QComboBox* cbPackageFilter;
  TSourceView* lvPackageContent;

 private:
  struct TExportRow {
    std::string Name, Group, ClassName, Parent;
    int Index;
  };
  TDialogs& FDialogs;
  std::unique_ptr<packages::TUTPackage> FPackage;
  // The loaded file's name without folder and extension: the first part
  // of every dragged path.
  std::string FPackageName;
  std::vector<TExportRow> FExports;
};

}  // namespace windows
