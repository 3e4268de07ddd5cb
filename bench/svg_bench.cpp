// minihost's picture of a mirrored wide rig: what --svg adds to a run.
#include <benchmark/benchmark.h>
#include <xsi_application.h>
#include <xsihost/host.h>

#include "rigs.h"
#include "scene_walk.h"
#include "svg.h"

namespace {

void BM_Svg(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  kelvane_bench::BuildRig(count, false);
  const std::vector<std::uint64_t> before = minihost::SceneIds();
  XSI::CValue result;
  XSI::Application().ExecuteCommand(L"DuplicateSymmetry", kelvane_bench::DuplicateRigArguments(),
                                    result);
  for (auto _ : state) {
    const std::string svg = minihost::DrawSvg(before);
    benchmark::DoNotOptimize(svg.data());
  }
  state.SetItemsProcessed(state.iterations() * 2 * count);
}

BENCHMARK(BM_Svg)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
