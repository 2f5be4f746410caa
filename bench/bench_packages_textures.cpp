// Decodes every mip of every texture in a real package of large DXT1
// textures. Reports decoded pixels per second ("pixels" counter).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "packages/PuUtPackages.h"
#include "packages/PuUtTexture.h"

namespace {

using namespace packages;

void BM_DecodeEveryMip(benchmark::State& state) {
  const std::string path = std::string(ROSTERWELL_REALDATA_DIR) + "/pkg/ut2004/T_Epic2k4BP2.utx";
  if (!std::filesystem::exists(path)) {
    state.SkipWithError(("real package missing: " + path).c_str());
    return;
  }
  RegisterTextureClasses();
  TUTPackage package(path);
  package.SetKeepRawMipData(false);
  std::int64_t pixels = 0;
  for (auto _ : state) {
    for (int i = 0; i < package.ExportCount(); ++i) {
      auto* texture = dynamic_cast<TUTObjectClassTexture*>(&package.GetExport(i)->GetObject());
      if (!texture) continue;
      texture->ReadObject(true);
      for (const auto& mip : texture->Mips()) pixels += std::int64_t{mip.Width()} * mip.Height();
      benchmark::DoNotOptimize(texture->Mips().data());
      texture->ReleaseObject();
    }
  }
  state.counters["pixels"] = benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_DecodeEveryMip)->Unit(benchmark::kMillisecond);

}  // namespace
