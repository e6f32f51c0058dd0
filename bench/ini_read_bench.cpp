// Reading an INI text of n keys, in one section and spread over n/4
// sections: the time per key should not grow with n.
#include <benchmark/benchmark.h>

#include <string>

#include "base/ini_file.h"

namespace {

std::string IniText(int keys, int keysPerSection) {
  std::string text;
  for (int i = 0; i < keys; ++i) {
    if (i % keysPerSection == 0) text += "[section" + std::to_string(i / keysPerSection) + "]\n";
    text += "key" + std::to_string(i) + "=value" + std::to_string(i) + "\n";
  }
  return text;
}

void ReadIni(benchmark::State& state, int keysPerSection) {
  const int keys = static_cast<int>(state.range(0));
  const std::string text = IniText(keys, keysPerSection > 0 ? keysPerSection : keys);
  for (auto _ : state) {
    TMemIniFile ini(text);
    benchmark::DoNotOptimize(ini.SectionExists("section0"));
  }
  state.SetItemsProcessed(state.iterations() * keys);
}

void OneSection(benchmark::State& state) { ReadIni(state, 0); }
void FourKeysPerSection(benchmark::State& state) { ReadIni(state, 4); }

}  // namespace

BENCHMARK(OneSection)->Arg(2500)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(FourKeysPerSection)->Arg(2500)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
