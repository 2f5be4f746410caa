#pragma once

// The configuration window's page of one .int file: the key and value of
// each line of its "Public" or "DecoText" section, or its object lines.
// The window keeps it hidden.

#include <string>

#include <QWidget>

#include "windows/ConfigPages.h"
#include "windows/Dialogs.h"

class QComboBox;
class QLabel;

namespace windows {

class TPathEdit;
class TSourceView;

class TConfigIntPage : public QWidget {
  Q_OBJECT

 public:
  TConfigIntPage(TDialogs& dialogs, TConfigPageHost& host, QWidget* parent = nullptr);

  void feIntFilenameBeforeDialog(std::string& name, bool& action);
  void feIntFilenameAfterDialog(std::string& name, bool& action);
  void cbIntFilterChange();
  // Lists the file's lines of the chosen kind ("DecoText" while none is
  // chosen), each with its own key and value, sorted by key.
  void FillIntFileView(const std::string& fileName);

  QLabel* Label1;
  TPathEdit* feIntFilename;
  QComboBox* cbIntFilter;
  TSourceView* lvIntFiles;

 private:
  TConfigPageHost& FHost;
  // Always by key, A to Z.
  int FSortColumn = 0;
  bool FAscending = true;
};

}  // namespace windows
