// Where popup menu windows open: every vertical rule, the sideways move of a
// forced placement, sub-menus and scrolling windows.
#include <gtest/gtest.h>

#include <ostream>

#include "skin/menu/menu_placement.h"

void PrintTo(const TPoint& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }

namespace {

// The work area's middle is at 450, not at half of the screen.
const TRect kWork{100, 50, 1100, 850};

TPoint Place(TRect anchor, int32_t width, int32_t height, bool upward = false) {
  return PlaceMenu({.Anchor = anchor, .Width = width, .Height = height, .WorkArea = kWork, .Upward = upward});
}

TEST(MenuPlacement, DownwardBelowThenAboveInTheLowerHalfElseForcedBesideTheAnchor) {
  EXPECT_EQ(Place({300, 200, 300, 200}, 100, 200), (TPoint{300, 200}));
  EXPECT_EQ(Place({300, 630, 340, 650}, 100, 200), (TPoint{300, 650}));  // ends exactly at the bottom
  EXPECT_EQ(Place({300, 700, 340, 720}, 100, 200), (TPoint{300, 500}));  // lower half: above
  // Upper half: pushed up to end at the bottom, so beside the anchor, right or left.
  EXPECT_EQ(Place({300, 400, 340, 420}, 100, 600), (TPoint{341, 250}));
  EXPECT_EQ(Place({900, 400, 999, 420}, 100, 600), (TPoint{1000, 250}));  // 999 + 100 + 1 still fits
  EXPECT_EQ(Place({900, 400, 1000, 420}, 100, 600), (TPoint{799, 250}));
  // An anchor at the middle is in the lower half; no room above either.
  EXPECT_EQ(Place({300, 450, 340, 470}, 100, 600), (TPoint{341, 50}));
  // Unforced windows are kept inside the work area sideways.
  EXPECT_EQ(Place({1050, 200, 1050, 200}, 100, 200), (TPoint{1000, 200}));
  EXPECT_EQ(Place({1000, 200, 1000, 200}, 100, 200), (TPoint{1000, 200}));
  EXPECT_EQ(Place({60, 200, 60, 200}, 100, 200), (TPoint{100, 200}));
}

TEST(MenuPlacement, UpwardAboveThenBelowInTheUpperHalfElseForced) {
  EXPECT_EQ(Place({300, 700, 340, 720}, 100, 200, true), (TPoint{300, 500}));
  EXPECT_EQ(Place({300, 250, 340, 270}, 100, 200, true), (TPoint{300, 50}));  // starts exactly at the top
  EXPECT_EQ(Place({300, 100, 340, 120}, 100, 200, true), (TPoint{300, 120}));
  EXPECT_EQ(Place({300, 100, 340, 120}, 100, 780, true), (TPoint{341, 70}));
  EXPECT_EQ(Place({300, 500, 340, 520}, 100, 600, true), (TPoint{341, 50}));
}

TEST(MenuPlacement, SubMenuLevelWithItsParentItemOnePixelAside) {
  auto sub = [](TRect item, int32_t height) {
    return PlaceMenu({.Anchor = item, .Width = 100, .Height = height, .WorkArea = kWork, .ItemsTop = 7,
                      .SubMenu = true});
  };
  EXPECT_EQ(sub({400, 300, 520, 320}, 200), (TPoint{521, 293}));
  EXPECT_EQ(sub({950, 300, 1050, 320}, 200), (TPoint{849, 293}));  // no room right: its right edge 1 left of the item
  EXPECT_EQ(sub({400, 657, 520, 677}, 200), (TPoint{521, 650}));   // ends exactly at the bottom
  EXPECT_EQ(sub({400, 440, 520, 460}, 500), (TPoint{521, 350}));   // upper half: at the bottom
  EXPECT_EQ(sub({400, 700, 520, 720}, 500), (TPoint{521, 227}));   // lower half: bottom at item bottom + 7
  EXPECT_EQ(sub({400, 700, 520, 720}, 790), (TPoint{521, 50}));    // but not above the top
}

TEST(MenuPlacement, ScrollingWindowStartsAtTheTopBesideItsAnchor) {
  TMenuPlacement p{.Anchor = {300, 600, 340, 620}, .Width = 100, .Height = 800, .WorkArea = kWork, .Scrolling = true};
  EXPECT_EQ(PlaceMenu(p), (TPoint{341, 50}));
  p.Upward = true;
  EXPECT_EQ(PlaceMenu(p), (TPoint{341, 50}));
  p.SubMenu = true;
  p.ItemsTop = 7;
  EXPECT_EQ(PlaceMenu(p), (TPoint{341, 50}));
}

}  // namespace
