// Describing properties whose declarations are searched through the
// owner's class and its parents, as the texture viewer shows them: on a
// generated package of 8,003 exports whose two classes name each other as
// parents, five array properties of an object of one of them; and every
// property of every export of the real packages, each opened afresh, as
// the searches are remembered for as long as a package is open.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "packages/PuUtPackages.h"
#include "packages/ScriptPackageBuilder.h"

namespace {

namespace pw = package_writer;

// Classes A and B, each the other's parent, an object of A holding five
// arrays that neither declares, and filler objects up to 8,003 exports.
struct TLoopingParents {
  script_builder::TScriptPackage Script{128};
  int Thing = 0;
  TLoopingParents() {
    pw::TPackageWriter& w = Script.w;
    const int a = w.Export("A", 0);
    const int b = w.Export("B", 0, "", 0, a);
    w.ExportAt(a).Super = b;
    std::string tags;
    for (int i = 0; i < 5; ++i)
      tags += w.Tag("List" + std::to_string(i), packages::ptArray, pw::Compact(1) + pw::Int(i));
    Thing = w.Export("Thing", a, tags + w.NoneTag());
    for (int i = 0; i < 8000; ++i) w.Export("Filler" + std::to_string(i), a);
    Script.path = w.Write(Script.dir.file("Looping.u"));
  }
};

// The classes the program registers.
void RegisterClasses() {
  packages::RegisterTextureClasses();
  packages::RegisterScriptClasses();
}

// The descriptions of every property of the object; errors count as
// descriptions, as the viewer shows them in the property's row.
std::size_t DescribeObject(packages::TUTObject& o) {
  std::size_t length = 0;
  o.ReadObject(true);
  for (const auto& property : o.GetProperties()) {
    try {
      length += property->GetDescription().size();
    } catch (const packages::EUTPackageError& e) {
      length += std::string(e.what()).size();
    }
  }
  o.ReleaseObject();
  return length;
}

void BM_DescribeArraysOfLoopingParents(benchmark::State& state) {
  RegisterClasses();
  static const TLoopingParents generated;
  for (auto _ : state) {
    state.PauseTiming();
    auto p = std::make_unique<packages::TUTPackage>(generated.Script.path);
    state.ResumeTiming();
    benchmark::DoNotOptimize(DescribeObject(p->GetExport(generated.Thing - 1)->GetObject()));
    state.PauseTiming();
    p.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DescribeArraysOfLoopingParents)->Unit(benchmark::kMillisecond);

const char* const kRealPackages[] = {"ut99/Core.u", "ut2004_mod/Unflect.u", "ut2004/xVoting.u",
                                     "ut2004/UT2003Fonts.utx", "ut2004/T_Epic2k4BP2.utx"};

void BM_DescribeEveryPropertyOfARealPackage(benchmark::State& state) {
  RegisterClasses();
  const std::string file = std::string(ROSTERWELL_REALDATA_DIR) + "/pkg/" + kRealPackages[state.range(0)];
  state.SetLabel(kRealPackages[state.range(0)]);
  if (!std::filesystem::exists(file)) {
    state.SkipWithError(("missing " + file).c_str());
    return;
  }
  for (auto _ : state) {
    packages::TUTPackage p(file);
    std::size_t length = 0;
    for (int i = 0; i < p.ExportCount(); ++i) length += DescribeObject(p.GetExport(i)->GetObject());
    benchmark::DoNotOptimize(length);
  }
}
BENCHMARK(BM_DescribeEveryPropertyOfARealPackage)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
