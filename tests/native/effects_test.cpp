#include "skin/pixels/pixel_effects.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

namespace {

PixelImage Line(std::initializer_list<Bgr> pixels) {
  PixelImage image(int(pixels.size()), 1);
  int x = 0;
  for (Bgr p : pixels) image.Set(x++, 0, p);
  return image;
}

PixelImage Filled(int width, int height, Bgr color) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Set(x, y, color);
  return image;
}

TEST(PixelEffects, ChannelsRoundHalvesToEvenAndFactorsAreClamped) {
  NoiseRandom random(1);
  const PixelImage image = Line({{0, 255, 100}, {1, 2, 3}, {254, 128, 127}});
  PixelImage bright = image, dark = image, inverted = image, clamped = image;
  // The inactive look's brightness 0.5: 127.5, 128.5 and 191.5 go to the even 128, 128, 192.
  ApplyInactiveEffect(bright.View(), TSkinEffect::iebrightness, random);
  EXPECT_EQ(bright, Line({{128, 255, 178}, {128, 128, 129}, {254, 192, 191}}));
  // Its darkness 0.3: 0.7·255 = 178.5 goes to 178.
  ApplyInactiveEffect(dark.View(), TSkinEffect::iedarkness, random);
  EXPECT_EQ(dark, Line({{0, 178, 70}, {1, 1, 2}, {178, 90, 89}}));
  ApplyInvert(inverted.View());
  EXPECT_EQ(inverted, Line({{255, 0, 155}, {254, 253, 252}, {1, 127, 128}}));
  // Red 15 weighs 4.5 (→ 4), red 25 7.5 (→ 8); 30 + 29.5 + 1.1 = 60.6.
  PixelImage gray = Line({{0, 0, 15}, {0, 0, 25}, {10, 50, 100}});
  ApplyGrayscale(gray.View());
  EXPECT_EQ(gray, Line({{4, 4, 4}, {8, 8, 8}, {61, 61, 61}}));

  ApplyBrightness(clamped.View(), -2);
  ApplyDarkness(clamped.View(), NAN);
  EXPECT_EQ(clamped, image);
  ApplyBrightness(clamped.View(), 7);
  EXPECT_EQ(clamped, Filled(3, 1, {255, 255, 255}));
}

TEST(PixelEffects, NoiseShiftsEachPixelWithinHalfTheAmountAndRepeatsForASeed) {
  const Bgr start{100, 128, 160};
  PixelImage image = Filled(32, 16, start), again = image, quiet = image;
  NoiseRandom random(7), same(7);
  ApplyInactiveEffect(image.View(), TSkinEffect::ienoise, random);  // amount 50: −25..24
  std::set<int> shifts;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) {
      const Bgr p = image.At(x, y);
      const int shift = p.Blue - start.Blue;
      ASSERT_TRUE(shift >= -25 && shift <= 24) << shift;
      ASSERT_EQ(p, (Bgr{uint8_t(p.Blue), uint8_t(start.Green + shift), uint8_t(start.Red + shift)}));
      shifts.insert(shift);
    }
  EXPECT_GT(shifts.size(), 40u);
  ApplyNoise(again.View(), 50, same);
  EXPECT_EQ(again, image);

  // Channels stop at their bounds instead of wrapping; amounts below 2 do nothing.
  PixelImage white = Filled(32, 16, {255, 255, 255});
  ApplyNoise(white.View(), 200, random);
  for (int x = 0; x < 32; ++x) EXPECT_GE(white.At(x, 5).Red, 155);
  for (int amount : {1, 0, INT_MIN}) ApplyNoise(quiet.View(), amount, random);
  EXPECT_EQ(quiet, Filled(32, 16, start));
}

TEST(PixelEffects, SplitBlurWorksInPlaceAndReadsTheLastLineBeyondTheFarEdge) {
  // One row, amount 1; the row below, H − y = 1, is past the image, so row 0 is read.
  //   x 0: left 0, right 1: (0 + 0 + 40 + 40) div 4 = 20
  //   x 1: left 0 (already 20), right 2: (20 + 20 + 80 + 80) div 4 = 50
  //   x 2: left 1, right 3: (50 + 50 + 200 + 200) div 4 = 125
  //   x 3: left 2, right W − x = 1: (125 + 125 + 50 + 50) div 4 = 87
  PixelImage row = Line({{0, 0, 9}, {40, 40, 9}, {80, 80, 9}, {200, 200, 9}});
  ApplySplitBlur(row.View(), 1);
  EXPECT_EQ(row, Line({{20, 20, 9}, {50, 50, 9}, {125, 125, 9}, {87, 87, 9}}));
  // The same down a column.
  PixelImage column(1, 4);
  for (int y = 0; y < 4; ++y) column.Set(0, y, {0, 0, uint8_t(y == 3 ? 200 : 40 * y)});
  ApplySplitBlur(column.View(), 1);
  EXPECT_EQ(column.At(0, 3).Red, 87);

  // Amounts not smaller than the image read only pixels inside it (ASan): a
  // single pixel reads only itself, a flat image stays flat; 0 and below do nothing.
  for (int amount : {1, 2, 9, INT_MAX}) {
    PixelImage one = Filled(1, 1, {10, 20, 30});
    ApplySplitBlur(one.View(), amount);
    EXPECT_EQ(one, Filled(1, 1, {10, 20, 30}));
    for (auto [w, h] : {std::pair{1, 5}, {5, 1}, {2, 2}, {7, 3}}) {
      PixelImage flat = Filled(w, h, {90, 90, 90});
      ApplySplitBlur(flat.View(), amount);
      EXPECT_EQ(flat, Filled(w, h, {90, 90, 90})) << w << "x" << h << " by " << amount;
    }
  }
  ApplySplitBlur(row.View(), 0);
  ApplySplitBlur(row.View(), -4);
  EXPECT_EQ(row.At(3, 0), (Bgr{87, 87, 9}));
}

// Face A's pixels are (i, 0, 255) as blue, green, red and face B's (i, 255, 0),
// i the column (or row): blue names where a pixel came from, green and red
// how much of B and of A it holds.
Bgr A(int i) { return {uint8_t(i), 0, 255}; }
Bgr B(int i) { return {uint8_t(i), 255, 0}; }
Bgr Mixed(int i, uint8_t ofB, uint8_t ofA) { return {uint8_t(i), ofB, ofA}; }

PixelImage Face(int width, int height, Bgr (*face)(int), bool byRow = false) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Set(x, y, face(byRow ? y : x));
  return image;
}

constexpr TMorphKind kAllKinds[] = {TMorphKind::mkdefault,       TMorphKind::mkgradient,  TMorphKind::mkleftgradient,
                                    TMorphKind::mkrightgradient, TMorphKind::mkleftslide, TMorphKind::mkrightslide,
                                    TMorphKind::mkpush};

TEST(PixelTransitions, FirstAndLastColumnsAtZeroHalfAndOne) {
  using enum TMorphKind;
  struct {
    TMorphKind kind;
    double k;
    Bgr first, last;
  } const cases[] = {
      // W = 10, H = 3.
      {mkdefault, 0, A(0), A(9)}, {mkdefault, 0.5, Mixed(0, 128, 128), Mixed(9, 128, 128)}, {mkdefault, 1, B(0), B(9)},
      // Columns, as W ≥ H. k = 0: no band at 5, ramp 5, both edges 4 away (m = 0.8).
      // k = 0.5: band 3..7, ramp 2.5: column 0 is 2 away (m = 0.8), column 9 only 1 (m = 0.4).
      {mkgradient, 0, Mixed(0, 51, 204), Mixed(9, 51, 204)},
      {mkgradient, 0.5, Mixed(0, 51, 204), Mixed(9, 153, 102)}, {mkgradient, 1, B(0), B(9)},
      // n = 1, 5, 9: m = 0 at column 0; column n on keeps A.
      {mkleftgradient, 0, B(0), A(9)}, {mkleftgradient, 0.5, B(0), A(9)}, {mkleftgradient, 1, B(0), A(9)},
      // s = 9, 5, 0: m = 0 at column 9; at s = 0 column 0 has m = 9/10: 25.5 → 26, 229.5 → 230.
      {mkrightgradient, 0, A(0), B(9)}, {mkrightgradient, 0.5, A(0), B(9)},
      {mkrightgradient, 1, Mixed(0, 26, 230), B(9)},
      // n = 1, 5, 9: the first n columns are B's last n.
      {mkleftslide, 0, B(9), A(9)}, {mkleftslide, 0.5, B(5), A(9)}, {mkleftslide, 1, B(1), A(9)},
      // The last n columns are B's first n.
      {mkrightslide, 0, A(0), B(0)}, {mkrightslide, 0.5, A(0), B(4)}, {mkrightslide, 1, A(0), B(8)},
      // n = 0, 5, 9: A moves n + 1 columns right behind B's columns 9 − n onward.
      {mkpush, 0, B(9), A(8)}, {mkpush, 0.5, B(4), A(3)}, {mkpush, 1, B(0), B(9)},
  };
  const PixelImage b = Face(10, 3, B);
  for (const auto& c : cases) {
    PixelImage a = Face(10, 3, A);
    TransitionFor(c.kind)(a.View(), b.View(), c.k);
    for (int y = 0; y < 3; ++y) {
      EXPECT_EQ(a.At(0, y), c.first) << SkinMorphKindText(c.kind) << " at " << c.k;
      EXPECT_EQ(a.At(9, y), c.last) << SkinMorphKindText(c.kind) << " at " << c.k;
    }
  }

  // Inside the ramps, and down the rows of a tall image.
  PixelImage left = Face(10, 3, A), right = Face(10, 3, A), tall = Face(2, 10, A, true);
  TransitionLeftGradient(left.View(), b.View(), 0.5);    // column 2 of n = 5: m = 0.4
  TransitionRightGradient(right.View(), b.View(), 0.5);  // column 7 from s = 5: m = 0.4
  TransitionGradient(tall.View(), Face(2, 10, B, true).View(), 0.5);
  EXPECT_EQ(left.At(2, 1), Mixed(2, 153, 102));
  EXPECT_EQ(right.At(7, 1), Mixed(7, 153, 102));
  for (int x = 0; x < 2; ++x) {
    EXPECT_EQ(tall.At(x, 0), Mixed(0, 51, 204));
    EXPECT_EQ(tall.At(x, 5), B(5));
    EXPECT_EQ(tall.At(x, 9), Mixed(9, 153, 102));
  }
}

TEST(PixelTransitions, OtherSizesAreLeftAloneFactorsClampedAndThinImagesStayInBounds) {
  const PixelImage original = Face(10, 3, A), b = Face(10, 3, B);
  for (TMorphKind kind : kAllKinds) {
    const PixelTransition transition = TransitionFor(kind);
    for (const PixelImage& other : {Face(9, 3, B), Face(10, 4, B), PixelImage()}) {
      PixelImage a = original;
      transition(a.View(), other.View(), 0.5);
      EXPECT_EQ(a, original) << SkinMorphKindText(kind);
    }
    PixelImage atZero = original, atOne = original, below = original, above = original, nan = original;
    transition(atZero.View(), b.View(), 0);
    transition(atOne.View(), b.View(), 1);
    transition(below.View(), b.View(), -3);
    transition(above.View(), b.View(), 40);
    transition(nan.View(), b.View(), NAN);
    EXPECT_TRUE(below == atZero && nan == atZero && above == atOne) << SkinMorphKindText(kind);

    // One column leaves no room for "at least 1, at most W − 1": the slides
    // and the push show B's one column at any factor (ASan checks the rest).
    const bool wholeB = kind == TMorphKind::mkleftslide || kind == TMorphKind::mkrightslide || kind == TMorphKind::mkpush;
    for (auto [w, h] : {std::pair{1, 1}, {1, 6}, {6, 1}, {2, 1}}) {
      for (double k : {0.0, 0.3, 1.0}) {
        PixelImage thin = Face(w, h, A);
        transition(thin.View(), Face(w, h, B).View(), k);
        if (w == 1 && wholeB) {
          EXPECT_EQ(thin, Face(w, h, B)) << SkinMorphKindText(kind) << " " << h << " at " << k;
        }
      }
    }
  }
}

}  // namespace
