#include <gtest/gtest.h>

#include "ui/control_geometry.h"

namespace {

TEST(AnchoredBounds, EachSideFollowsOnlyWhenAnchored) {
  const TRect at{10, 20, 60, 50};  // 50 x 30 in a 200 x 100 area
  const TPoint from{200, 100}, to{240, 130};
  EXPECT_EQ(AnchoredBounds(at, akLeft | akTop, from, to), at);
  EXPECT_EQ(AnchoredBounds(at, akRight | akBottom, from, to), (TRect{50, 50, 100, 80}));
  EXPECT_EQ(AnchoredBounds(at, akLeft | akRight | akTop | akBottom, from, to), (TRect{10, 20, 100, 80}));
  // Neither side: the control keeps its place relative to the middle.
  EXPECT_EQ(AnchoredBounds(at, 0, from, to), (TRect{30, 35, 80, 65}));
  // Stretched below nothing, the control keeps no negative size.
  TRect squeezed = AnchoredBounds(at, akLeft | akRight, from, {100, 100});
  EXPECT_EQ(squeezed.Width(), 0);
}

TEST(ConstrainSize, LimitsApplyWhenSetAndTheMinimumWins) {
  int w = 500, h = 5;
  ConstrainSize({.MinWidth = 0, .MinHeight = 10, .MaxWidth = 300, .MaxHeight = 0}, w, h);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 10);
  w = 50, h = 50;
  ConstrainSize({.MinWidth = 80, .MinHeight = 0, .MaxWidth = 60, .MaxHeight = 0}, w, h);
  EXPECT_EQ(w, 80);
  EXPECT_EQ(h, 50);
}

}  // namespace
