// Reading every export of UT99's Core.u: the definitions with their
// bytecode walked, the text buffers, and every tagged property as text.

#include <benchmark/benchmark.h>

#include <string>

#include "packages/PuUtPackages.h"

namespace {

const std::string kFile = std::string(ROSTERWELL_REALDATA_DIR) + "/pkg/ut99/Core.u";

void BM_ReadEveryExportOfCore(benchmark::State& state) {
  packages::RegisterScriptClasses();
  for (auto _ : state) {
    packages::TUTPackage p(kFile);
    std::size_t length = 0;
    for (int i = 0; i < p.ExportCount(); ++i) {
      packages::TUTObject& o = p.GetExport(i)->GetObject();
      o.ReadObject(true);
      for (const auto& property : o.GetProperties()) length += property->GetDescription().size();
      o.ReleaseObject();
    }
    benchmark::DoNotOptimize(length);
  }
}
BENCHMARK(BM_ReadEveryExportOfCore)->Unit(benchmark::kMillisecond);

}  // namespace
