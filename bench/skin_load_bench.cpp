// Loading our own skin as the program does at start-up, whole and in its
// steps. The packed skin is built once, in memory, from assets/skin.
//
//   skin_load_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <span>

#include "base/exceptions.h"
#include "base/stream.h"
#include "base/string_list.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_package.h"
#include "skin/data/stored_skin.h"

namespace {

struct OurSkin {
  TCompressedStoredSkin compressed{nullptr};
  TMemoryStream package;
  TStoredSkin definitionOnly{nullptr};

  OurSkin() {
    if (!compressed.PackFromIniFile(VESPERMARK_SKIN_INI)) throw Exception("our skin.ini lacks a main section");
    compressed.UnpackTo(package);
    TMemoryStream ini;
    ini.LoadFromFile(VESPERMARK_SKIN_INI);
    TStringList lines;
    lines.LoadFromBytes(std::span(ini.Memory(), size_t(ini.Size())));
    definitionOnly.SetIniStrings(lines);
  }
};

OurSkin& Skin() {
  static OurSkin skin;
  return skin;
}

// Inflate, bitmaps, definition and objects: what binding the stored skin costs.
void BM_LoadPackedSkin(benchmark::State& state) {
  TSkinData skinData(nullptr);
  for (auto _ : state) {
    skinData.LoadCompressedStoredSkin(Skin().compressed);
    benchmark::DoNotOptimize(skinData.SkinObjects().data());
  }
  if (skinData.NoSkin()) state.SkipWithError("our skin did not load");
}
BENCHMARK(BM_LoadPackedSkin);

void BM_Inflate(benchmark::State& state) {
  for (auto _ : state) {
    TMemoryStream package;
    Skin().compressed.UnpackTo(package);
    benchmark::DoNotOptimize(package.Memory());
  }
  state.SetBytesProcessed(state.iterations() * Skin().package.Size());
}
BENCHMARK(BM_Inflate);

// The package's bitmaps, decoded, and its skin.ini text.
void BM_ReadPackage(benchmark::State& state) {
  for (auto _ : state) {
    Skin().package.SetPosition(0);
    SkinPackage package;
    if (!ReadSkinPackage(Skin().package, package)) state.SkipWithError("wrong package marker");
    benchmark::DoNotOptimize(package.pictures.picture.Image().pixels.data());
  }
}
BENCHMARK(BM_ReadPackage);

// The definition reader and the data objects, without pictures.
void BM_LoadDefinition(benchmark::State& state) {
  TSkinData skinData(nullptr);
  for (auto _ : state) {
    skinData.LoadStoredSkin(Skin().definitionOnly);
    benchmark::DoNotOptimize(skinData.SkinControls().data());
  }
  if (skinData.NoSkin()) state.SkipWithError("our skin.ini did not load");
}
BENCHMARK(BM_LoadDefinition);

}  // namespace

BENCHMARK_MAIN();
