// Loading a package reads its header and its tables, with reads sized to
// what they hold, and not the object data around them; the package counts
// the bytes it takes from the file.

#include <filesystem>

#include <gtest/gtest.h>

#include "PackageWriter.h"
#include "common/RealData.h"
#include "common/TempDir.h"
#include "packages/PuUtPackages.h"

using namespace packages;
namespace pw = package_writer;
using testing_support::TempDir;

namespace {

// The window the file is read through: the most a run of table reads takes
// beyond what the tables hold.
constexpr std::int64_t kSlack = 4 * 1024;

// A package whose one object holds `dataSize` bytes, which the writer puts
// between the header and the tables.
struct DataPackage {
  DataPackage(std::uint16_t version, std::size_t dataSize) : w(version) {
    const int texture = w.Import("Engine", "Class", w.Import("Core", "Package", 0, "Engine"), "Texture");
    skin = w.Export("Skin", texture, w.NoneTag() + std::string(dataSize, 'x'));
    path = w.Write(dir.file("Big.utx"));
  }
  std::int64_t TableBytes() const { return static_cast<std::int64_t>(w.Layout().Size - w.Layout().NameOffset); }
  TempDir dir;
  pw::TPackageWriter w;
  int skin = 0;
  std::string path;
};

void ListExports(const TUTPackage& p) {
  for (int i = 0; i < p.ExportCount(); ++i) {
    const TUTExportTableObjectData& e = *p.GetExport(i);
    EXPECT_FALSE(e.GetClassName().empty() && e.GetFullPath().empty());
  }
}

TEST(LoadReads, OnlyTheHeaderAndTheTables) {
  for (std::uint16_t version : {63, 69, 128}) {
    SCOPED_TRACE(version);
    DataPackage big(version, 1 << 20);
    TUTPackage p(big.path);
    ListExports(p);
    EXPECT_GE(p.FileBytesRead(), big.TableBytes());
    EXPECT_LE(p.FileBytesRead(), big.TableBytes() + kSlack);
  }
}

TEST(LoadReads, NeverMoreThanTheFile) {
  DataPackage small(128, 10);
  TUTPackage p(small.path);
  EXPECT_EQ(p.FileBytesRead(), static_cast<std::int64_t>(small.w.Layout().Size));
}

// Tables larger than the window in a small file: the imports lie between
// the names and the exports but are read after the exports, so the walk
// goes back over bytes it has already taken from the file.
TEST(LoadReads, GoingBackToTheImportsReadsNoByteTwice) {
  for (int exports : {100, 300}) {
    for (std::size_t data : {0, 2000}) {
      SCOPED_TRACE(std::to_string(exports) + " exports, " + std::to_string(data) + " bytes of data");
      TempDir dir;
      pw::TPackageWriter w(128);
      const int texture = w.Import("Engine", "Class", w.Import("Core", "Package", 0, "Engine"), "Texture");
      for (int i = 0; i < exports; ++i)
        w.Export("Skin" + std::to_string(i), texture, i == 0 ? w.NoneTag() + std::string(data, 'x') : "");
      TUTPackage p(w.Write(dir.file("Skins.utx")));
      ASSERT_EQ(p.ExportCount(), exports);
      EXPECT_LE(p.FileBytesRead(), static_cast<std::int64_t>(w.Layout().Size));
    }
  }
}

TEST(LoadReads, ObjectDataIsReadOnceWholeAndCounted) {
  DataPackage big(128, 1 << 20);
  TUTPackage p(big.path);
  const std::int64_t tables = p.FileBytesRead();
  TUTObject& o = p.GetExport(big.skin - 1)->GetObject();
  o.ReadObject(false);
  EXPECT_EQ(p.FileBytesRead(), tables + o.GetSerialSize());
  o.ReleaseObject();
  // A new load starts counting again.
  p.Load(big.path);
  EXPECT_EQ(p.FileBytesRead(), tables);
}

struct RealFile {
  const char* name;
  const char* path;
  std::int64_t most;  // bytes that loading and listing may read
};

class RealLoadReads : public ::testing::TestWithParam<RealFile> {};

TEST_P(RealLoadReads, ReadsLittleAndNeverMoreThanTheFile) {
  const RealFile& f = GetParam();
  REQUIRE_REALDATA(f.path);
  const std::string path = testing_support::RealDataPath(f.path);
  TUTPackage p(path);
  ListExports(p);
  EXPECT_LE(p.FileBytesRead(), f.most);
  EXPECT_LE(p.FileBytesRead(), static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

// The limits are the tables' own sizes plus a window at each of their two
// runs (header and names at the start, imports and exports at the end).
INSTANTIATE_TEST_SUITE_P(
    Files, RealLoadReads,
    ::testing::Values(RealFile{"T_Epic2k4BP2", "pkg/ut2004/T_Epic2k4BP2.utx", 16 * 1024},
                      RealFile{"TeamSymbols", "pkg/ut2004/TeamSymbols.utx", 773 + 2 * kSlack},
                      RealFile{"SniperAnims", "pkg/ut2004/SniperAnims.ukx", 465 + 2 * kSlack},
                      RealFile{"UT2003Fonts", "pkg/ut2004/UT2003Fonts.utx", 4602 + 2 * kSlack},
                      RealFile{"xVoting", "pkg/ut2004/xVoting.u", 61307 + 2 * kSlack},
                      RealFile{"Unflect", "pkg/ut2004_mod/Unflect.u", 7559 + 2 * kSlack},
                      RealFile{"SmileSkins", "pkg/ut2004_mod/SmileSkins.utx", 1231 + 2 * kSlack},
                      RealFile{"Core", "pkg/ut99/Core.u", 16215 + 2 * kSlack},
                      RealFile{"Faces", "pkg/ut99/Faces.utx", 1284 + 2 * kSlack}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
