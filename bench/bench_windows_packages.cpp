// How long the package explorer takes to show a package: loading it and
// filling the object view (what the user waits for after choosing a file),
// and refilling the view alone (a class filter change). On a generated
// package of 20,000 exports in 100 groups, and on the real packages with
// the most exports and the most bytes.

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include <QApplication>

#include <benchmark/benchmark.h>

#include "BenchDialogs.h"
#include "packages/PackageWriter.h"
#include "windows/ConfigPages.h"
#include "windows/PfBotConfig.h"
#include "windows/PfConfigPackagePage.h"

namespace {

class TBenchHost : public windows::TConfigPageHost {
 public:
  int CurrentListType() const override { return windows::ltFace; }
  std::string SystemDirectory() const override { return "/game/System"; }
};

// 100 group packages and 19,900 textures spread over them, in a folder
// removed when the program ends.
struct TGeneratedPackage {
  std::filesystem::path Dir;
  std::string File;
  TGeneratedPackage();
  ~TGeneratedPackage() {
    std::error_code ec;
    std::filesystem::remove_all(Dir, ec);
  }
};

TGeneratedPackage::TGeneratedPackage()
    : Dir(std::filesystem::temp_directory_path() / ("rosterwell-bench-" + std::to_string(std::random_device()()))) {
  package_writer::TPackageWriter w(69);
  const int engine = w.Import("Core", "Package", 0, "Engine");
  const int texture = w.Import("Core", "Class", engine, "Texture");
  const int package = w.Import("Core", "Class", w.Import("Core", "Package", 0, "Core"), "Package");
  std::vector<int> groups;
  for (int g = 0; g < 100; ++g) groups.push_back(w.Export("Group" + std::to_string(g), package));
  for (int i = 0; i < 19900; ++i)
    w.Export("Texture" + std::to_string(i), texture, w.NoneTag(), groups[static_cast<std::size_t>(i % 100)]);
  std::filesystem::create_directories(Dir);
  File = w.Write((Dir / "Generated20000.utx").string());
}

const std::string& GeneratedPackage() {
  static const TGeneratedPackage package;
  return package.File;
}

std::string PackagePath(int which) {
  switch (which) {
    case 0: return GeneratedPackage();
    case 1: return std::string(ROSTERWELL_REALDATA_DIR) + "/pkg/ut2004/xVoting.u";
    default: return std::string(ROSTERWELL_REALDATA_DIR) + "/pkg/ut2004/T_Epic2k4BP2.utx";
  }
}

const char* const PackageLabels[] = {"generated, 20000 exports", "xVoting.u, 2075 exports",
                                     "T_Epic2k4BP2.utx, 1.6 MB"};

// The explorer page shown on its own, for the benchmark's package.
struct TShownPage {
  std::string Path;
  TBenchDialogs Dialogs;
  TBenchHost Host;
  int SortColumn = -1;
  bool Ascending = true;
  windows::TConfigPackagePage Page{Dialogs, Host, SortColumn, Ascending};

  explicit TShownPage(benchmark::State& state) : Path((StartQt(), PackagePath(static_cast<int>(state.range(0))))) {
    Page.resize(600, 400);
    Page.show();
    state.SetLabel(PackageLabels[state.range(0)]);
  }
  bool Missing(benchmark::State& state) const {
    if (std::filesystem::exists(Path)) return false;
    state.SkipWithError(("missing " + Path).c_str());
    return true;
  }
};

void BM_OpenAndFill(benchmark::State& state) {
  TShownPage shown(state);
  if (shown.Missing(state)) return;
  for (auto _ : state) {
    std::string name = shown.Path;
    bool action = true;
    shown.Page.fePackageNameAfterDialog(name, action);
  }
}
BENCHMARK(BM_OpenAndFill)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_RefillView(benchmark::State& state) {
  TShownPage shown(state);
  if (shown.Missing(state)) return;
  shown.Page.OpenPackage(shown.Path);
  for (auto _ : state) shown.Page.FillPackageView();
}
BENCHMARK(BM_RefillView)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
