#pragma once

// A window that opens an Unreal package, lists its exports, shows the
// tagged properties of the selected one, draws a texture's first mip map
// and saves a text buffer as a text file. No command of the editor opens
// it; it is the one place where the package reader's object reading is
// used by a window.

#include <memory>
#include <string>

#include <QDialog>

#include "windows/Dialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;

namespace packages {
class TUTObject;
class TUTPackage;
}  // namespace packages

namespace windows {

class TTextureImage;

extern const char* const TextureViewerFilter;

class TFmTextureViewer : public QDialog {
  Q_OBJECT

 public:
  explicit TFmTextureViewer(TDialogs& dialogs, QWidget* parent = nullptr);
  ~TFmTextureViewer() override;

  // The folder the open dialog starts in.
  void SetInitialDir(const std::string& dir) { FInitialDir = dir; }

  void btn_openClick();
  // Loads the file into a fresh package and shows its exports; a file that
  // fails to load leaves the package shown before and says why. True when
  // the file was loaded.
  bool OpenPackage(const std::string& fileName);
  void object_listSelectItem();
  void btn_extractClick();
  void buSearchClick();
  void buShowTextureClick();

  // The package shown; null before the first successful open.
  const packages::TUTPackage* Package() const { return FPackage.get(); }
  // The object whose properties are shown, read once; null when none.
  packages::TUTObject* CurrentObject() const { return FCurrentObject; }

  QPushButton* btn_open;
  QPushButton* btn_extract;
  QPushButton* buShowTexture;
  QLineEdit* Edit1;
  QPushButton* buSearch;
  QLabel* StaticText1;
  TTextureImage* Image1;
  QTreeWidget* object_list;
  QSplitter* Splitter1;
  QTreeWidget* properties;

 private:
  QWidget* BuildTopPanel();
  // Gives the current object's read back and forgets it; its properties
  // and picture go with it.
  void ReleaseCurrentObject();
  void ShowObject(int exportIndex);
  void AddPropertyRow(const std::string& text);
  // The class of the selected row, empty when no row is selected.
  std::string SelectedClass() const;
  void ShowError(const std::string& text);

  TDialogs& FDialogs;
  std::string FInitialDir;
  std::string FExtractDir;
  std::unique_ptr<packages::TUTPackage> FPackage;
  packages::TUTObject* FCurrentObject = nullptr;
};

}  // namespace windows
