// Loading the 1.6 MB T_Epic2k4BP2.utx and listing every export's class name
// and path, against reading the same file into memory. Loading reads the
// tables only, so it should cost a fraction of the plain read; the counter
// file_bytes_read says how many bytes of the file one load took.

#include <benchmark/benchmark.h>

#include <string>

#include "packages/PuUtPackages.h"
#include "platform/TextFile.h"

namespace {

const std::string kFile = std::string(ROSTERWELL_REALDATA_DIR) + "/pkg/ut2004/T_Epic2k4BP2.utx";

void BM_ReadFileIntoMemory(benchmark::State& state) {
  for (auto _ : state) {
    std::string bytes = platform::ReadFileBytes(kFile);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ReadFileIntoMemory);

void BM_LoadAndListExports(benchmark::State& state) {
  std::int64_t bytesRead = 0;
  for (auto _ : state) {
    packages::TUTPackage p(kFile);
    std::size_t length = 0;
    for (int i = 0; i < p.ExportCount(); ++i) {
      const packages::TUTExportTableObjectData& e = *p.GetExport(i);
      length += e.GetClassName().size() + e.GetFullPath().size();
    }
    benchmark::DoNotOptimize(length);
    bytesRead = p.FileBytesRead();
  }
  state.counters["file_bytes_read"] = static_cast<double>(bytesRead);
}
BENCHMARK(BM_LoadAndListExports);

}  // namespace
