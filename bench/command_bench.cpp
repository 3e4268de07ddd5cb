// The whole kelvane command through the loader, against the bare host duplication.
#include <benchmark/benchmark.h>
#include <xsi_application.h>
#include <xsihost/host.h>
#include <xsihost/loader.h>

#include <string>

#include "rigs.h"

namespace {

using namespace XSI;

xsihost::PluginLoader& Plugin() {
  static xsihost::PluginLoader* plugin = [] {
    auto* loaded = new xsihost::PluginLoader();
    std::string error;
    if (!loaded->Load(KELVANE_PLUGIN_PATH, error))
      throw std::runtime_error(error);
    return loaded;
  }();
  return *plugin;
}

void PickLeftRight() {
  xsihost::SetDialogResponder([](const xsihost::DialogRequest& request) {
    xsihost::SetParameterValue(request.property, L"EnumCtrl", LONG(4));
    return xsihost::DialogAnswer::Confirm;
  });
}

void PerObject(benchmark::State& state, int count) {
  state.SetItemsProcessed(state.iterations() * count);
}

void Command(benchmark::State& state, bool deep) {
  const int count = static_cast<int>(state.range(0));
  xsihost::PluginLoader& plugin = Plugin();
  for (auto _ : state) {
    state.PauseTiming();
    const CRef root = kelvane_bench::BuildRig(count, deep);
    xsihost::Select({root});
    PickLeftRight();
    state.ResumeTiming();
    const xsihost::ExecuteResult result = plugin.Execute("kelvane");
    benchmark::DoNotOptimize(result.status);
  }
  PerObject(state, count);
}

void Duplicate(benchmark::State& state, bool deep) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    kelvane_bench::BuildRig(count, deep);
    const CValueArray arguments = kelvane_bench::DuplicateRigArguments();
    CValue result;
    state.ResumeTiming();
    Application().ExecuteCommand(L"DuplicateSymmetry", arguments, result);
    benchmark::DoNotOptimize(result);
  }
  PerObject(state, count);
}

void BM_CommandWide(benchmark::State& state) {
  Command(state, false);
}
void BM_DuplicateWide(benchmark::State& state) {
  Duplicate(state, false);
}
void BM_CommandDeep(benchmark::State& state) {
  Command(state, true);
}
void BM_DuplicateDeep(benchmark::State& state) {
  Duplicate(state, true);
}

BENCHMARK(BM_CommandWide)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DuplicateWide)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CommandDeep)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DuplicateDeep)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
