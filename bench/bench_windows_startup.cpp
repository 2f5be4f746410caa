// Start-up on a System folder of 100 .int files: the main window built,
// started (command line, .int files, value lists, first roster) and shown,
// against reading the same files' bytes and nothing else.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <QApplication>

#include <benchmark/benchmark.h>

#include "platform/Files.h"
#include "platform/TextFile.h"
#include "windows/PfMainForm.h"
#include "BenchDialogs.h"
#include "BenchIntFile.h"

namespace {

// A game folder of 100 .int files, each declaring 20 weapons and 100
// biographies, a 50-bot roster whose references are all known, and a
// value-list file from an earlier run.
struct TGameFolder {
  std::filesystem::path Dir;
  std::string System;
  std::string Ini;

  TGameFolder() {
    StartQt();
    Dir = std::filesystem::temp_directory_path() / ("rosterwell-bench-" + std::to_string(std::random_device()()));
    System = (Dir / "System").string();
    Ini = (Dir / "Rosterwell.INI").string();
    std::filesystem::create_directories(System);
    for (int f = 0; f < 100; ++f) {
      // One of them is the game's own, which names the species the bots use.
      const std::string file = f == 0 ? "XGame.int" : "Package" + std::to_string(f) + ".int";
      WriteBenchIntFile(Dir / "System" / file, f, f == 0 ? "[SPECIES_Jugg]\r\nSpeciesName=\"Juggernaut\"\r\n" : "");
    }
    std::vector<std::string> roster{"[Public]"};
    for (int i = 0; i < 50; ++i)
      roster.push_back("Player=(DefaultName=\"Bot" + std::to_string(i) +
                       "\",Species=xGame.SPECIES_Jugg,Mesh=Jugg.JuggMaleA,BodySkin=PlayerSkins.JuggMaleABodyA,"
                       "FaceSkin=PlayerSkins.JuggMaleAHeadA,Portrait=PlayerPictures.cJuggMaleAA,"
                       "Text=Package1.Bio7,Sex=Male,Menu=\"SP\")");
    platform::WriteLines(System + "/xplayersL1.upl", roster);
    // The first start writes the value-list file; the runs measured are
    // the starts after it.
    Start();
  }
  ~TGameFolder() { std::filesystem::remove_all(Dir); }

  void Start() {
    TBenchDialogs dialogs;
    windows::TFmMainForm form(dialogs, {"bench", "/s" + System, "/i" + Ini});
    form.FormCreate();
    form.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.BotCount());
  }
};

TGameFolder& Folder() {
  static TGameFolder folder;
  return folder;
}

void BM_StartUpAndShow100IntFiles(benchmark::State& state) {
  TGameFolder& folder = Folder();
  // The window frees the game files when it goes, so every run reads them.
  for (auto _ : state) folder.Start();
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_StartUpAndShow100IntFiles)->Unit(benchmark::kMillisecond);

void BM_ReadRaw100IntFiles(benchmark::State& state) {
  TGameFolder& folder = Folder();
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const std::string& name : platform::ListFiles(folder.System, "*.int"))
      bytes += platform::ReadFileBytes(platform::JoinPath(folder.System, name)).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_ReadRaw100IntFiles)->Unit(benchmark::kMillisecond);

}  // namespace
