#pragma once

// What the window tests on packages share: the reader's classes registered
// as the program registers them, real packages copied or cut short, and
// small packages of our own writing.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "MainFormFixture.h"
#include "common/RealData.h"
#include "common/TempDir.h"
#include "packages/PackageWriter.h"
#include "packages/PuUtRegistry.h"

namespace testing_support {

inline void RegisterReaderClasses() {
  packages::RegisterTextureClasses();
  packages::RegisterScriptClasses();
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first `size` bytes of a real package, written into `dir` under `name`.
inline std::string TruncatedCopy(const TempDir& dir, const std::string& relative, const std::string& name,
                                 std::size_t size) {
  return dir.write(name, RealDataBytes(relative).substr(0, size));
}

// A texture package of the old layout (no mip end offsets): `Skin` with one
// 16 by 16 mip whose pixel data were stripped.
inline std::string StrippedTexturePackage(const TempDir& dir, const std::string& name) {
  package_writer::TPackageWriter w(62);
  const int engine = w.Import("Core", "Package", 0, "Engine");
  const int texture = w.Import("Core", "Class", engine, "Texture");
  namespace pw = package_writer;
  w.Export("Skin", texture,
           w.IntTag("USize", 16) + w.NoneTag() + pw::Byte(1) + pw::Compact(0) + pw::Int(16) + pw::Int(16) +
               pw::Byte(4) + pw::Byte(4));
  return w.Write(dir.file(name));
}

}  // namespace testing_support

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QMimeData>

#include "windows/ConfigPages.h"
#include "windows/LineView.h"
#include "windows/PfBotConfig.h"

namespace testing_support {

// The configuration window as its source pages see it: a list type and a
// System directory.
class TFakePageHost : public windows::TConfigPageHost {
 public:
  int ListType = windows::ltMesh;
  std::string System = "/game/System";

  int CurrentListType() const override { return ListType; }
  std::string SystemDirectory() const override { return System; }
};

// What a drag of the view's selection carries, as the view's drag start
// asks its model for it; empty when it would carry nothing.
inline std::vector<std::string> DraggedLines(const QAbstractItemView& view) {
  std::unique_ptr<QMimeData> data(view.model()->mimeData(view.selectionModel()->selectedIndexes()));
  const auto* carried = qobject_cast<const windows::TMyDragObject*>(data.get());
  return carried ? carried->Items() : std::vector<std::string>();
}

}  // namespace testing_support
