// One morph frame of a 65 x 21 skinned button, the size the Start and Stop
// buttons take: the normal face copied, then the transition of each morph
// kind towards the active face at 0.5. The copy alone is the baseline.
//
//   effects_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <random>

#include "skin/pixels/pixel_effects.h"

namespace {

constexpr int kWidth = 65, kHeight = 21;

PixelImage Face(unsigned seed) {
  std::minstd_rand random(seed);
  PixelImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      image.Set(x, y, {uint8_t(random()), uint8_t(random()), uint8_t(random())});
  return image;
}

const PixelImage& NormalFace() {
  static const PixelImage face = Face(1);
  return face;
}

const PixelImage& ActiveFace() {
  static const PixelImage face = Face(2);
  return face;
}

void BM_CopyFace(benchmark::State& state) {
  PixelImage frame;
  for (auto _ : state) {
    frame = NormalFace();
    benchmark::DoNotOptimize(frame.View().Row(0));
  }
}
BENCHMARK(BM_CopyFace);

void BM_MorphFrame(benchmark::State& state) {
  const auto kind = static_cast<TMorphKind>(state.range(0));
  const PixelTransition transition = TransitionFor(kind);
  PixelImage frame;
  for (auto _ : state) {
    frame = NormalFace();
    transition(frame.View(), ActiveFace().View(), 0.5);
    benchmark::DoNotOptimize(frame.View().Row(0));
  }
  state.SetLabel(SkinMorphKindText(kind));
}
BENCHMARK(BM_MorphFrame)->DenseRange(0, 6)->ArgName("kind");

}  // namespace

BENCHMARK_MAIN();
