#pragma once

// What the configuration window's source pages (packages, folder, .int
// file) need of the window, and what the window needs of them. A page
// knows the window only through TConfigPageHost; the window moves a page's
// rows into its value list through AddSelected (">") and AddAll (">>").

#include <string>
#include <vector>

#include <QWidget>

namespace windows {

class TSourceView;

// The window's list types, in the order of its list-type selector; every
// per-list rule of the pages is keyed by it.
enum TConfigListType : int {
  ltNone = -1,
  ltMesh = 0,
  ltFace = 1,
  ltSkin = 2,
  ltVoice = 3,
  ltPortrait = 4,
  ltSpecies = 5,
  ltRagDoll = 6,
  ltSkeleton = 7,
  ltBiography = 8,
};

class TConfigPageHost {
 public:
  virtual ~TConfigPageHost() = default;
  // The list type selected in the window; ltNone while none is.
  virtual int CurrentListType() const = 0;
  // The game's System directory.
  virtual std::string SystemDirectory() const = 0;
  // Adds lines of a name, "=" and a translation to the list shown, as a
  // drop on the window's value list does.
  virtual void DropLines(const std::vector<std::string>& lines) = 0;
};

// A page whose rows can be moved into the value list.
class TConfigSourcePage : public QWidget {
  Q_OBJECT

 public:
  TConfigSourcePage(TConfigPageHost& host, QWidget* parent) : QWidget(parent), FHost(host) {}

  // The lines the selected rows, or all rows, are dragged as.
  std::vector<std::string> SelectedLines() const;
  std::vector<std::string> AllLines() const;
  // ">" and ">>".
  void AddSelected();
  void AddAll();

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
