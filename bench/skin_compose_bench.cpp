// Fitting our skin's pictures: the 65 x 21 button face, the frame mask to
// region data, and the frame's border strips for a 199 x 320 window. The
// baselines copy the same number of pixels in one rectangle copy, and read
// the mask once.
//
//   skin_compose_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "base/exceptions.h"
#include "skin/pixels/bmp_pixels.h"
#include "skin/pixels/mask_region.h"
#include "skin/pixels/pixel_copy.h"
#include "skin/pixels/pixel_effects.h"
#include "skin/pixels/skin_compose.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_controls.h"
#include "skin/data/skin_data.h"

namespace {

struct OurSkin {
  PixelImage button, frame, frameMask;
  TFramePoints framePoints;
  TStretchEdges frameStretch;

  OurSkin() {
    TCompressedStoredSkin compressed(nullptr);
    if (!compressed.PackFromIniFile(VESPERMARK_SKIN_INI)) throw Exception("our skin.ini lacks a main section");
    TSkinData skin(nullptr);
    skin.LoadCompressedStoredSkin(compressed);
    if (skin.NoSkin()) throw Exception("our skin did not load");
    button = PixelImageFromBmp(skin.ActivePictureBitmaps().at(3).Image());
    frame = PixelImageFromBmp(skin.PictureBitmap().Image());
    frameMask = PixelImageFromBmp(skin.MaskBitmap().Image());
    framePoints = {skin.lefttoppoint, skin.righttoppoint, skin.leftbottompoint, skin.rightbottompoint,
                   skin.clientrect};
    frameStretch = {skin.leftstretch, skin.topstretch, skin.rightstretch, skin.bottomstretch};
  }
};

const OurSkin& Skin() {
  static const OurSkin skin;
  return skin;
}

// The button section: skinrect 0,1,66,22, ends of 10 and 14 pixels.
void BM_ComposeButtonFace(benchmark::State& state) {
  const PixelView button = Skin().button.View();
  for (auto _ : state) {
    PixelImage face = ComposeHorizontalThree(10, 14, 65, {0, 1, 66, 22}, button);
    benchmark::DoNotOptimize(face.View().Row(0));
  }
}
BENCHMARK(BM_ComposeButtonFace);

// One frame of a morphing button: its normal face (skinrect) and its down
// face (0,24,66,45) composed and blended half way, as a 20 ms tick draws it
// (the caption is drawn by GDI on top and is not part of this).
void BM_ButtonMorphFrame(benchmark::State& state) {
  const PixelView button = Skin().button.View();
  for (auto _ : state) {
    PixelImage normal = ComposeHorizontalThree(10, 14, 65, {0, 1, 66, 22}, button);
    PixelImage hot = ComposeHorizontalThree(10, 14, 65, {0, 24, 66, 45}, button);
    TransitionBlend(normal.View(), hot.View(), 0.5);
    benchmark::DoNotOptimize(normal.View().Row(0));
  }
}
BENCHMARK(BM_ButtonMorphFrame);

void BM_MaskToRegionData(benchmark::State& state) {
  const PixelView mask = Skin().frameMask.View();
  size_t size = 0;
  for (auto _ : state) {
    std::vector<uint8_t> block = MaskToRegionData(mask, 0, 0);
    size = block.size();
    benchmark::DoNotOptimize(block.data());
  }
  state.counters["rects"] = double((size - kRegionHeaderSize) / kRegionRectSize);
}
BENCHMARK(BM_MaskToRegionData);

// The frame grown from its picture's size to 199 x 320 as the window grows.
void BM_ComposeFrameBorders(benchmark::State& state) {
  const OurSkin& skin = Skin();
  const TFramePoints& p = skin.framePoints;
  const int W = 199, H = 320, dx = W - skin.frame.Width(), dy = H - skin.frame.Height();
  const TFramePoints scaled{p.LeftTop,
                            {p.RightTop.X + dx, p.RightTop.Y},
                            {p.LeftBottom.X, p.LeftBottom.Y + dy},
                            {p.RightBottom.X + dx, p.RightBottom.Y + dy},
                            {p.Client.Left, p.Client.Top, p.Client.Right + dx, p.Client.Bottom + dy}};
  const TRect whole{0, 0, skin.frame.Width(), skin.frame.Height()};
  for (auto _ : state) {
    TBorderStrips strips = ComposeFrameBorders(p, scaled, skin.frameStretch, W, H, whole, skin.frame.View());
    benchmark::DoNotOptimize(strips.Left.View().Row(0));
  }
}
BENCHMARK(BM_ComposeFrameBorders);

// Baseline: a fresh image of width x height filled by one 1:1 copy.
void BM_BaselineOneCopy(benchmark::State& state) {
  const int width = int(state.range(0)), height = int(state.range(1));
  const PixelImage source(width, height);
  for (auto _ : state) {
    PixelImage target(width, height);
    CopyPixels(target.View(), {0, 0, width, height}, source.View(), {0, 0, width, height});
    benchmark::DoNotOptimize(target.View().Row(0));
  }
}
BENCHMARK(BM_BaselineOneCopy)->Args({65, 21})->Args({199, 320});

// Baseline: reading every mask pixel once.
void BM_BaselineMaskRead(benchmark::State& state) {
  const PixelView mask = Skin().frameMask.View();
  for (auto _ : state) {
    int black = 0;
    for (int y = 0; y < mask.Height(); ++y)
      for (int x = 0; x < mask.Width(); ++x) black += mask.At(x, y) == Bgr{};
    benchmark::DoNotOptimize(black);
  }
}
BENCHMARK(BM_BaselineMaskRead);

}  // namespace

BENCHMARK_MAIN();
