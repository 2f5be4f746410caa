// Reading and writing rosters, and loading a game folder's .int files.
//   build/bench/bench_roster_playerline

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchIntFile.h"

#include "roster/PuBotCharacter.h"
#include "roster/PuGameFiles.h"
#include "roster/PuRosterDocument.h"
#include "platform/TextFile.h"
#include "roster/PuUtTypes.h"

namespace {

std::vector<std::string> MakePlayerLines(int count) {
  std::mt19937 rng(2003);
  std::uniform_int_distribution<int> skill(-500, 500);
  const auto number = [&] { return roster::FloatText(skill(rng) / 100.0); };
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    lines.push_back("Player=(DefaultName=\"Bot" + std::to_string(i) +
                    "\",Mesh=HumanMaleA.MercMaleD,species=xGame.SPECIES_Merc,BodySkin=PlayerSkins.MercMaleDBodyA,"
                    "FaceSkin=PlayerSkins.MercMaleDHeadA,Portrait=PlayerPictures.cMercMaleAD,Text=XPlayers.MercMaleDA,"
                    "Sex=Male,Menu=\"SP\",Tactics=" + number() + ",StrafingAbility=" + number() +
                    ",Accuracy=" + number() + ",ReactionTime=" + number() +
                    ",Aggressiveness=0.5,CombatStyle=-0.25,bJumpy=1,FavoriteWeapon=XWeapons.FlakCannon)");
  }
  return lines;
}

// 100,000 lines parsed and written again, as a save of a large roster does.
void BM_ParseAndWrite100k(benchmark::State& state) {
  const std::vector<std::string> lines = MakePlayerLines(100000);
  roster::TBotCharacter bot;
  for (auto _ : state) {
    std::size_t total = 0;
    for (const std::string& line : lines) {
      bot.SetPlayerLine(line);
      total += bot.GetPlayerLine().size();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(BM_ParseAndWrite100k)->Unit(benchmark::kMillisecond);

// Every bot of a 200,000-bot roster edited, as one typed skill does with
// all bots selected: it must cost about as much as reading them.
void BM_EditEveryBot200k(benchmark::State& state) {
  std::vector<std::string> lines = MakePlayerLines(200000);
  lines.insert(lines.begin(), "[Public]");
  const std::string file = (std::filesystem::temp_directory_path() / "rosterwell-bench-edit.upl").string();
  platform::WriteLines(file, lines);
  roster::TRosterDocument doc;
  doc.Load(file);
  double tactics = 0;
  for (auto _ : state) {
    tactics = tactics > 0 ? -1 : 1;
    for (int i = 0; i < doc.Count(); ++i) {
      doc.Edit(doc.Bot(i), [tactics](roster::TBotCharacter& bot) { bot.SetTactics(tactics); });
    }
  }
  std::filesystem::remove(file);
  state.SetItemsProcessed(state.iterations() * doc.Count());
}
BENCHMARK(BM_EditEveryBot200k)->Unit(benchmark::kMillisecond);

// A folder of 200 .int files of about 10 KB each, loaded into the cache.
class IntFolder {
 public:
  IntFolder() : dir_(std::filesystem::temp_directory_path() / "rosterwell-bench-int") {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    for (int f = 0; f < 200; ++f) WriteBenchIntFile(dir_ / ("Package" + std::to_string(f) + ".int"), f);
  }
  ~IntFolder() { std::filesystem::remove_all(dir_); }
  std::string path() const { return dir_.string(); }

 private:
  std::filesystem::path dir_;
};

void BM_Load200IntFiles(benchmark::State& state) {
  const IntFolder folder;
  for (auto _ : state) {
    roster::GameFiles().FreeIntFiles();
    roster::GameFiles().LoadIntFiles(folder.path());
    benchmark::DoNotOptimize(roster::GameFiles().IntFiles().Count());
  }
  roster::GameFiles().FreeIntFiles();
  state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_Load200IntFiles)->Unit(benchmark::kMillisecond);

}  // namespace
