#pragma once

// What the configuration window's source pages (packages, folder, .int
// file) need of the window, and what the window needs of them. A page
// knows the window only through TConfigPageHost; the window moves a page's
// rows into its value list by a drop on it, or by ">" and ">>" with the
// lines SelectedLines and AllLines give.

#include <string>
#include <vector>

#include <QWidget>

namespace windows {

class TSourceView;

class TConfigPageHost {
 public:
  virtual ~TConfigPageHost() = default;
  // The list type selected in the window (TListType); -1 while none is.
  virtual int CurrentListType() const = 0;
  // The game's System directory.
  virtual std::string SystemDirectory() const = 0;
};

// A page whose rows can be moved into the value list.
class TConfigSourcePage : public QWidget {
  Q_OBJECT

 public:
  TConfigSourcePage(TConfigPageHost& host, QWidget* parent) : QWidget(parent), FHost(host) {}

  // The lines the selected rows, or all rows, are dragged as: what ">"
  // and ">>" take from the page.
  std::vector<std::string> SelectedLines() const;
  std::vector<std::string> AllLines() const;

 protected:
  TConfigPageHost& FHost;
  TSourceView* FSourceView = nullptr;
};

// What a file dialog proposes: `current` when it lies in `folder`, else the
// mask, so the dialog opens on the folder's files of the right kind.
// Folders are compared made absolute and without regard to case.
std::string ProposedFileName(const std::string& current, const std::string& folder, const std::string& mask);

// `path` made absolute and normal ("System/../Textures" is "Textures").
std::string AbsolutePath(const std::string& path);

}  // namespace windows
