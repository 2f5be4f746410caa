#pragma once

// The configuration window's page "&Directory": the files of one folder,
// whose names the user drags into the value list. The window keeps it
// hidden.

#include <string>

#include "windows/ConfigPages.h"
#include "windows/Dialogs.h"
#include "windows/SourceView.h"

class QLabel;

namespace windows {

class TPathEdit;

// A file size as the folder view shows it: bytes below 1048576, else
// whole kilobytes followed by " kb".
std::string FileSizeText(std::uint64_t size);

class TConfigDirPage : public TConfigSourcePage {
  Q_OBJECT

 public:
  // `sortColumn` and `ascending`: the folder view's sort column, the window's,
  // and its direction, which outlives the window (TConfigViewState).
  TConfigDirPage(TDialogs& dialogs, TConfigPageHost& host, int& sortColumn, bool& ascending, QWidget* parent = nullptr);

  void deSearchDirBeforeDialog(std::string& name, bool& action);
  void deSearchDirAfterDialog(std::string& name, bool& action);
  // Lists the plain files of the folder (not its folders): name without
  // extension, extension, size, time and date of the last change.
  void FillDirView(const std::string& folder);

  QLabel* Label1;
  TPathEdit* deSearchDir;
  TSourceView* lvDirView;
};

}  // namespace windows
