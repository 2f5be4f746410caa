// Harvesting a System folder of 2,000 rosters whose bots use 32,000
// references nobody else uses, as the configuration window's wizard and the
// custom content check do.
//   build/bench/bench_roster_harvest

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/TextFile.h"
#include "roster/PuRosterHarvest.h"
#include "roster/PuUtStringlist.h"
#include "roster/StringList.h"

namespace {

constexpr int Rosters = 2000;
constexpr int BotsPerRoster = 4;

// Each bot has its own skin, face, portrait and biography: 32,000
// references, every one of them new to the lists.
class RosterFolder {
 public:
  RosterFolder()
      : dir_(std::filesystem::temp_directory_path() / ("rosterwell-bench-harvest-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(dir_);
    for (int r = 0; r < Rosters; ++r) {
      std::vector<std::string> lines{"[Public]"};
      for (int b = 0; b < BotsPerRoster; ++b) {
        const std::string id = std::to_string(r) + "_" + std::to_string(b);
        lines.push_back("Player=(DefaultName=\"Bot" + id + "\",Mesh=HumanMaleA.MercMaleD,species=xGame.SPECIES_Merc,"
                        "BodySkin=ModSkins.Body" + id + ",FaceSkin=ModSkins.Head" + id +
                        ",Portrait=ModPictures.Bot" + id + ",Text=ModBios.Bot" + id +
                        ",Sex=Male,Menu=\"SP\",Tactics=+1.0,Accuracy=0.5)");
      }
      platform::WriteLines((dir_ / ("Mod" + std::to_string(r) + ".upl")).string(), lines);
    }
  }
  ~RosterFolder() { std::filesystem::remove_all(dir_); }
  std::string path() const { return dir_.string(); }

 private:
  std::filesystem::path dir_;
};

const RosterFolder& Folder() {
  static const RosterFolder folder;
  return folder;
}

// The configuration window's wizard: its lists are plain, unsorted.
void BM_HarvestWizard2000Rosters(benchmark::State& state) {
  const std::string dir = Folder().path();
  std::size_t lines = 0;
  for (auto _ : state) {
    roster::TStringList skins, faces, meshes, voices, ragdolls, portraits, skeletons, bios;
    roster::THarvester harvest(
        roster::THarvestLists{skins, faces, meshes, voices, ragdolls, portraits, skeletons, bios});
    roster::ScanRosters(dir, [&](const roster::TBotCharacter& bot) { harvest.Add(bot); });
    lines = static_cast<std::size_t>(skins.Count() + faces.Count() + portraits.Count() + bios.Count());
  }
  state.counters["references"] = static_cast<double>(lines);
}
BENCHMARK(BM_HarvestWizard2000Rosters)->Unit(benchmark::kMillisecond);

// The custom content check, on lists as plain as its own.
void BM_ContentCheck2000Rosters(benchmark::State& state) {
  const std::string dir = Folder().path();
  std::size_t lines = 0;
  for (auto _ : state) {
    roster::TUtStringlist species, meshes, faces, skins, voices, portraits, ragdolls, skeletons;
    roster::TStringList bios;
    roster::THarvester collect(
        roster::TContentLists{species, meshes, faces, skins, voices, portraits, bios, ragdolls, skeletons});
    roster::ScanRosters(dir, [&](const roster::TBotCharacter& bot) { collect.Add(bot); });
    lines = static_cast<std::size_t>(skins.Count() + faces.Count() + portraits.Count() + bios.Count());
  }
  state.counters["references"] = static_cast<double>(lines);
}
BENCHMARK(BM_ContentCheck2000Rosters)->Unit(benchmark::kMillisecond);

}  // namespace
