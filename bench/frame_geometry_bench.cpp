// The frame's per-message geometry: ComputeFramePoints for a 199 x 320
// window followed by one hit test, at a client point, a caption point and a
// border point of a sizeable frame whose mask is read from the cached strips.
// The baseline computes the points alone.
//
//   frame_geometry_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "base/exceptions.h"
#include "skin/pixels/bmp_pixels.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/frame/layout/frame_geometry.h"
#include "skin/frame/layout/frame_hit_test.h"

namespace {

struct OurFrame {
  TFrameSkinPoints points;
  TBorderStrips strips;
  TRect mask;

  OurFrame() {
    TCompressedStoredSkin compressed(nullptr);
    if (!compressed.PackFromIniFile(VESPERMARK_SKIN_INI)) throw Exception("our skin.ini lacks a main section");
    TSkinData skin(nullptr);
    skin.LoadCompressedStoredSkin(compressed);
    if (skin.NoSkin()) throw Exception("our skin did not load");
    points = FrameSkinPointsOf(skin);
    const TScaledFramePoints scaled = ComputeFramePoints(points, 199, 320);
    const PixelImage maskPicture = PixelImageFromBmp(skin.MaskBitmap().Image());
    strips = SplitMaskBorders(MaskSplitPoints(points), MaskSplitPoints(scaled), maskPicture.View(), 199, 320);
    mask = scaled.Mask;
  }
};

const OurFrame& Frame() {
  static const OurFrame frame;
  return frame;
}

void BM_ComputeFramePoints(benchmark::State& state) {
  const TFrameSkinPoints& points = Frame().points;
  for (auto _ : state) benchmark::DoNotOptimize(ComputeFramePoints(points, 199, 320));
}
BENCHMARK(BM_ComputeFramePoints);

void BM_FramePointsAndHitTest(benchmark::State& state) {
  const OurFrame& frame = Frame();
  const TPoint points[] = {{100, 150}, {60, 10}, {2, 150}};
  const TPoint p = points[state.range(0)];
  const TRect caption{41, 3, 125, 18};
  TFrameHitState hit;
  hit.Sizeable = true;
  hit.CaptionObjects = {&caption, 1};
  const TMaskQuery inMask = [&frame](TPoint q) { return PointInFrameMask(frame.strips, frame.mask, q); };
  for (auto _ : state) {
    const TScaledFramePoints scaled = ComputeFramePoints(frame.points, 199, 320);
    benchmark::DoNotOptimize(FrameHitTest(p, scaled, 5, inMask, hit));
  }
}
BENCHMARK(BM_FramePointsAndHitTest)->ArgName("client_caption_border")->DenseRange(0, 2);

}  // namespace

BENCHMARK_MAIN();
