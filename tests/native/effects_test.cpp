#include "skin/controls/pixel_effects.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

namespace {

PixelImage Filled(int width, int height, Bgr color) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Set(x, y, color);
  return image;
}

PixelImage Gray(int width, int height, uint8_t level) { return Filled(width, height, {level, level, level}); }

TEST(PixelEffects, ChannelEffectsRoundHalvesToEvenAndClampTheirFactors) {
  NoiseRandom random(1);
  PixelImage image(3, 1);
  image.Set(0, 0, {0, 255, 100});
  image.Set(1, 0, {1, 2, 3});
  image.Set(2, 0, {254, 128, 127});

  // The inactive look's brightness 0.5: 127.5 goes up to 128, 128.5 down to 128.
  PixelImage bright = image;
  ApplyInactiveEffect(bright.View(), TSkinEffect::iebrightness, random);
  EXPECT_EQ(bright.At(0, 0), (Bgr{128, 255, 178}));
  EXPECT_EQ(bright.At(1, 0), (Bgr{128, 128, 129}));

  // Its darkness 0.3: 0.7·255 = 178.5 goes to 178, 0.7·100 = 70.
  PixelImage dark = image;
  ApplyInactiveEffect(dark.View(), TSkinEffect::iedarkness, random);
  EXPECT_EQ(dark.At(0, 0), (Bgr{0, 178, 70}));

  PixelImage inverted = image;
  ApplyInvert(inverted.View());
  EXPECT_EQ(inverted.At(0, 0), (Bgr{255, 0, 155}));
  EXPECT_EQ(inverted.At(2, 0), (Bgr{1, 127, 128}));

  // Factors beyond 0..1 act as their bound; NaN acts as 0.
  PixelImage full = image;
  ApplyBrightness(full.View(), 7);
  EXPECT_EQ(full, Gray(3, 1, 255));
  PixelImage none = image;
  ApplyBrightness(none.View(), -2);
  ApplyDarkness(none.View(), NAN);
  EXPECT_EQ(none, image);
  ApplyDarkness(none.View(), 1.5);
  EXPECT_EQ(none, Gray(3, 1, 0));
}

TEST(PixelEffects, GrayscaleWeighsRedGreenAndBlue) {
  PixelImage image(5, 1);
  image.Set(0, 0, {0, 0, 15});    // 0.3·15 = 4.5 → 4
  image.Set(1, 0, {0, 0, 25});    // 7.5 → 8
  image.Set(2, 0, {10, 50, 100});  // 30 + 29.5 + 1.1 = 60.6 → 61
  image.Set(3, 0, {255, 255, 255});
  image.Set(4, 0, {200, 0, 0});  // 22
  ApplyGrayscale(image.View());
  const uint8_t expected[] = {4, 8, 61, 255, 22};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(image.At(x, 0), (Bgr{expected[x], expected[x], expected[x]})) << x;
}

TEST(PixelEffects, NoiseStaysWithinHalfTheAmountAndRepeatsForASeed) {
  const Bgr start{100, 128, 160};
  PixelImage image = Filled(32, 16, start);
  NoiseRandom random(7);
  ApplyInactiveEffect(image.View(), TSkinEffect::ienoise, random);  // amount 50: −25..24
  std::set<int> shifts;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) {
      const Bgr p = image.At(x, y);
      const int shift = p.Blue - start.Blue;
      ASSERT_GE(shift, -25);
      ASSERT_LE(shift, 24);
      EXPECT_EQ(p.Green - start.Green, shift);  // one draw per pixel
      EXPECT_EQ(p.Red - start.Red, shift);
      shifts.insert(shift);
    }
  EXPECT_GT(shifts.size(), 40u);

  PixelImage again = Filled(32, 16, start);
  NoiseRandom same(7);
  ApplyNoise(again.View(), 50, same);
  EXPECT_EQ(again, image);

  // Channels stop at their bounds instead of wrapping; tiny amounts do nothing.
  PixelImage white = Gray(32, 16, 255), black = Gray(32, 16, 0);
  ApplyNoise(white.View(), 200, random);
  ApplyNoise(black.View(), 200, random);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) {
      EXPECT_GE(white.At(x, y).Red, 155);
      EXPECT_LE(black.At(x, y).Red, 99);
    }
  PixelImage quiet = Filled(4, 4, start);
  for (int amount : {1, 0, -5, INT_MIN}) ApplyNoise(quiet.View(), amount, random);
  EXPECT_EQ(quiet, Filled(4, 4, start));
  ApplyNoise(quiet.View(), INT_MAX, random);  // no overflow (UBSan)
}

TEST(PixelEffects, SplitBlurWorksInPlaceAndReadsTheLastLineBeyondTheFarEdge) {
  // One row, amount 1. Column by column, each result already in place:
  //   x 0: left 0, right 1: (0 + 0 + 40 + 40) div 4 = 20
  //   x 1: left 0, right 2: (20 + 20 + 80 + 80) div 4 = 50
  //   x 2: left 1, right 3: (50 + 50 + 200 + 200) div 4 = 125
  //   x 3: left 2, right W − x = 1: (125 + 125 + 50 + 50) div 4 = 87
  // The row below, H − y = 1, is past the only row; row 0 is read instead.
  const uint8_t levels[] = {0, 40, 80, 200}, blurred[] = {20, 50, 125, 87};
  PixelImage row(4, 1), column(1, 4);
  for (int i = 0; i < 4; ++i) {
    row.Set(i, 0, {levels[i], levels[i], levels[i]});
    column.Set(0, i, {levels[i], uint8_t(levels[i] / 2), 0});
  }
  ApplySplitBlur(row.View(), 1);
  ApplySplitBlur(column.View(), 1);  // the same along rows
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(row.At(i, 0), (Bgr{blurred[i], blurred[i], blurred[i]})) << i;
    EXPECT_EQ(column.At(0, i).Blue, blurred[i]) << i;
  }
  EXPECT_EQ(column.At(0, 3).Green, 43);  // 0, 20, 40, 100 → 10, 25, 62, 43
}

TEST(PixelEffects, SplitBlurStaysInsideSmallImagesForAnyAmount) {
  // Past the edge rows and columns are the pixel's own: a single pixel keeps its colour.
  for (int amount : {1, 2, 9, INT_MAX}) {
    PixelImage one = Filled(1, 1, {10, 20, 30});
    ApplySplitBlur(one.View(), amount);
    EXPECT_EQ(one.At(0, 0), (Bgr{10, 20, 30})) << amount;
    for (auto [w, h] : {std::pair{1, 5}, {5, 1}, {2, 2}, {3, 2}, {7, 3}}) {
      PixelImage flat = Gray(w, h, 90);
      ApplySplitBlur(flat.View(), amount);
      EXPECT_EQ(flat, Gray(w, h, 90)) << w << "x" << h << " by " << amount;
    }
  }
  PixelImage untouched = Filled(3, 3, {1, 2, 3});
  untouched.Set(1, 1, {200, 0, 0});
  const PixelImage before = untouched;
  ApplySplitBlur(untouched.View(), 0);
  ApplySplitBlur(untouched.View(), -4);
  EXPECT_EQ(untouched, before);
}

// Face A's pixels are (column, 0, 255) as blue, green, red; face B's are
// (column, 255, 0). Blue names the column a pixel came from, green and red
// how much of B and of A it holds.
Bgr A(int i) { return {uint8_t(i), 0, 255}; }
Bgr B(int i) { return {uint8_t(i), 255, 0}; }
Bgr Mixed(int i, uint8_t ofB, uint8_t ofA) { return {uint8_t(i), ofB, ofA}; }

PixelImage Face(int width, int height, Bgr (*face)(int), bool numberRows = false) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Set(x, y, face(numberRows ? y : x));
  return image;
}

constexpr TMorphKind kAllKinds[] = {TMorphKind::mkdefault,    TMorphKind::mkgradient,  TMorphKind::mkleftgradient,
                                    TMorphKind::mkrightgradient, TMorphKind::mkleftslide, TMorphKind::mkrightslide,
                                    TMorphKind::mkpush};

TEST(PixelTransitions, FirstAndLastColumnsAtZeroHalfAndOne) {
  struct Case {
    TMorphKind kind;
    double k;
    Bgr first, last;
  };
  // W = 10, H = 3 (columns, as W is not below H).
  const Case cases[] = {
      {TMorphKind::mkdefault, 0, A(0), A(9)},
      {TMorphKind::mkdefault, 0.5, Mixed(0, 128, 128), Mixed(9, 128, 128)},  // 127.5 → 128
      {TMorphKind::mkdefault, 1, B(0), B(9)},
      // Empty band at 5, ramp 5: both edges are 4 from it, m = 0.8.
      {TMorphKind::mkgradient, 0, Mixed(0, 51, 204), Mixed(9, 51, 204)},
      // Band 3..7, ramp 2.5: column 0 is 2 away (m = 0.8), column 9 only 1 (m = 0.4).
      {TMorphKind::mkgradient, 0.5, Mixed(0, 51, 204), Mixed(9, 153, 102)},
      {TMorphKind::mkgradient, 1, B(0), B(9)},
      // n = 1, 5, 9: column 0 has m = 0, column n and beyond keep A.
      {TMorphKind::mkleftgradient, 0, B(0), A(9)},
      {TMorphKind::mkleftgradient, 0.5, B(0), A(9)},
      {TMorphKind::mkleftgradient, 1, B(0), A(9)},
      // s = 9, 5, 0: column 9 has m = 0; at s = 0 column 0 has m = 9/10: 25.5 → 26, 229.5 → 230.
      {TMorphKind::mkrightgradient, 0, A(0), B(9)},
      {TMorphKind::mkrightgradient, 0.5, A(0), B(9)},
      {TMorphKind::mkrightgradient, 1, Mixed(0, 26, 230), B(9)},
      // n = 1, 5, 9: the first n columns are B's last n.
      {TMorphKind::mkleftslide, 0, B(9), A(9)},
      {TMorphKind::mkleftslide, 0.5, B(5), A(9)},
      {TMorphKind::mkleftslide, 1, B(1), A(9)},
      // The last n columns are B's first n.
      {TMorphKind::mkrightslide, 0, A(0), B(0)},
      {TMorphKind::mkrightslide, 0.5, A(0), B(4)},
      {TMorphKind::mkrightslide, 1, A(0), B(8)},
      // n = 0, 5, 9: A moves n + 1 to the right behind B's columns 9 − n onward.
      {TMorphKind::mkpush, 0, B(9), A(8)},
      {TMorphKind::mkpush, 0.5, B(4), A(3)},
      {TMorphKind::mkpush, 1, B(0), B(9)},
  };
  const PixelImage b = Face(10, 3, B);
  for (const Case& c : cases) {
    PixelImage a = Face(10, 3, A);
    TransitionFor(c.kind)(a.View(), b.View(), c.k);
    for (int y = 0; y < 3; ++y) {
      EXPECT_EQ(a.At(0, y), c.first) << SkinMorphKindText(c.kind) << " at " << c.k;
      EXPECT_EQ(a.At(9, y), c.last) << SkinMorphKindText(c.kind) << " at " << c.k;
    }
  }
}

TEST(PixelTransitions, GradientsRampByColumnAndTallImagesByRow) {
  const PixelImage b = Face(10, 3, B);
  PixelImage left = Face(10, 3, A), right = Face(10, 3, A);
  TransitionLeftGradient(left.View(), b.View(), 0.5);    // n = 5: column 2 has m = 2/5
  TransitionRightGradient(right.View(), b.View(), 0.5);  // s = 5: column 7 has m = 2/5
  EXPECT_EQ(left.At(2, 1), Mixed(2, 153, 102));
  EXPECT_EQ(right.At(7, 1), Mixed(7, 153, 102));

  // 2 x 10: the band and the ramps run down the rows, whole rows alike.
  PixelImage tall = Face(2, 10, A, true);
  TransitionGradient(tall.View(), Face(2, 10, B, true).View(), 0.5);
  for (int x = 0; x < 2; ++x) {
    EXPECT_EQ(tall.At(x, 0), Mixed(0, 51, 204));
    EXPECT_EQ(tall.At(x, 5), B(5));
    EXPECT_EQ(tall.At(x, 9), Mixed(9, 153, 102));
  }
}

TEST(PixelTransitions, DifferentSizesAreLeftAloneAndFactorsAreClamped) {
  const PixelImage original = Face(10, 3, A);
  for (TMorphKind kind : kAllKinds) {
    const PixelTransition transition = TransitionFor(kind);
    for (const PixelImage& other : {Face(9, 3, B), Face(10, 4, B), PixelImage()}) {
      PixelImage a = original;
      transition(a.View(), other.View(), 0.5);
      EXPECT_EQ(a, original) << SkinMorphKindText(kind);
    }
    // Out-of-range factors act as their bound, NaN as 0.
    const PixelImage b = Face(10, 3, B);
    PixelImage atZero = original, atOne = original, below = original, above = original, nan = original;
    transition(atZero.View(), b.View(), 0);
    transition(atOne.View(), b.View(), 1);
    transition(below.View(), b.View(), -3);
    transition(above.View(), b.View(), 40);
    transition(nan.View(), b.View(), NAN);
    EXPECT_EQ(below, atZero) << SkinMorphKindText(kind);
    EXPECT_EQ(nan, atZero) << SkinMorphKindText(kind);
    EXPECT_EQ(above, atOne) << SkinMorphKindText(kind);
  }
}

TEST(PixelTransitions, OneColumnOrRowStaysInBounds) {
  // A single column leaves no room for "at least 1, at most W − 1": the
  // slides take the one column of B, the push too, whatever the factor.
  for (auto [w, h] : {std::pair{1, 1}, {1, 6}, {6, 1}, {2, 1}}) {
    const PixelImage b = Face(w, h, B);
    for (TMorphKind kind : kAllKinds) {
      for (double k : {0.0, 0.3, 0.5, 1.0}) {
        PixelImage a = Face(w, h, A);
        TransitionFor(kind)(a.View(), b.View(), k);
        if (w == 1 && (kind == TMorphKind::mkleftslide || kind == TMorphKind::mkrightslide ||
                       kind == TMorphKind::mkpush))
          EXPECT_EQ(a, b) << SkinMorphKindText(kind) << " " << w << "x" << h << " at " << k;
      }
    }
  }
}

}  // namespace
