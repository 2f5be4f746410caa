// Opening a 5,000-bot roster through the Open command (read, parse, fill
// the list, show the first bot) and saving it again.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <QApplication>

#include <benchmark/benchmark.h>

#include "platform/TextFile.h"
#include "windows/PfMainForm.h"
#include "BenchDialogs.h"

namespace {

struct TBench {
  std::filesystem::path Dir;
  TBenchDialogs Dialogs;
  std::unique_ptr<windows::TFmMainForm> Form;

  TBench() {
    StartQt();
    Dir = std::filesystem::temp_directory_path() / ("rosterwell-bench-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(Dir / "System");
    std::vector<std::string> lines{"[Public]"};
    for (int i = 0; i < 5000; ++i)
      lines.push_back("Player=(DefaultName=\"Bot" + std::to_string(i) +
                      "\",Species=xGame.SPECIES_Jugg,Mesh=Jugg.JuggMaleA,BodySkin=PlayerSkins.JuggMaleABodyA,"
                      "FaceSkin=PlayerSkins.JuggMaleAHeadA,Portrait=PlayerPictures.cJuggMaleAA,Text=XPlayers.Default,"
                      "Sex=Male,Accuracy=+0.5,Aggressiveness=+0.3,CombatStyle=+0.2,Tactics=-1.25,Menu=\"SP\")");
    Dialogs.File = (Dir / "big.upl").string();
    platform::WriteLines(Dialogs.File, lines);
    Form = std::make_unique<windows::TFmMainForm>(
        Dialogs, std::vector<std::string>{"bench", "/s" + (Dir / "System").string(), "/i" + (Dir / "R.INI").string(),
                                          "/f" + Dialogs.File});
    Form->FormCreate();
  }
  ~TBench() {
    Form.reset();
    std::filesystem::remove_all(Dir);
  }
};

TBench& Bench() {
  static TBench bench;
  return bench;
}

void BM_OpenRoster5000(benchmark::State& state) {
  TBench& bench = Bench();
  for (auto _ : state) {
    bench.Form->acOpenBotlistExecute();
    benchmark::DoNotOptimize(bench.Form->BotCount());
  }
  state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_OpenRoster5000)->Unit(benchmark::kMillisecond);

void BM_SaveRoster5000(benchmark::State& state) {
  TBench& bench = Bench();
  for (auto _ : state) bench.Form->SaveBotList(bench.Dialogs.File);
  state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_SaveRoster5000)->Unit(benchmark::kMillisecond);

}  // namespace
