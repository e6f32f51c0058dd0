// The skin engine under skins whose values lie far outside their pictures
// (any value up to 2^31 - 1 reads): sums saturate instead of wrapping back
// into view, and no picture is made larger than the window it is for.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "caption_object_fakes.h"
#include "skin/pixels/glyph_layout.h"
#include "skin/pixels/mask_region.h"
#include "skin/pixels/skin_compose.h"
#include "skin/pixels/skin_fit.h"
#include "skin/data/skin_data.h"
#include "skin/frame/layout/frame_geometry.h"
#include "skin/frame/layout/frame_hit_test.h"
#include "skin/frame/layout/frame_limits.h"
#include "skin/frame/layout/object_layout.h"
#include "skin/frame/layout/window_placement.h"
#include "skin/menu/menu_layout.h"
#include "skin/menu/menu_metrics.h"
#include "skin/menu/menu_placement.h"

void PrintTo(const TRect& r, std::ostream* os);  // frame_paint_test.cpp

namespace {

constexpr int32_t kFar = INT32_MAX;

// Every pixel names where it came from: (x, y) and the picture's red.
PixelImage Marked(int width, int height, uint8_t red) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Set(x, y, {uint8_t(x), uint8_t(y), red});
  return image;
}

TPoint SourceOf(Bgr pixel) { return {pixel.Blue, pixel.Green}; }

TEST(HostileSkinGeometry, FrameSumsOfFarOffValuesSaturateInsteadOfWrapping) {
  TFrameSkinPoints s;
  s.LeftTop = {20, 20};
  s.RightTop = {kFar, 20};
  s.LeftBottom = {20, kFar};
  s.RightBottom = {kFar, kFar};
  s.Client = {10, 20, kFar, kFar};
  s.CaptionRect = {4, 2, kFar, 18};
  s.ButtonsRect = {kFar - 100, 2, kFar, 12};
  s.PictureWidth = s.PictureHeight = 100;
  const TScaledFramePoints f = ComputeFramePoints(s, 32767, 500);
  EXPECT_EQ(f.RightBottom, (TPoint{kFar, kFar}));
  EXPECT_EQ(f.Client, (TRect{10, 20, kFar, kFar}));
  EXPECT_EQ(f.CaptionRect.Right, kFar);
  EXPECT_EQ(f.ButtonsRect.Right, kFar);
  // The client never reaches past its window, wherever the window is.
  EXPECT_EQ(SkinnedClientRect({-32000, 30000, 767, 30500}, s), (TRect{-31990, 30020, 767, 30500}));
  EXPECT_EQ(MinFrameHeight({.Skinned = true, .PictureWidth = 100, .PictureHeight = 147, .ClientRect = {0, kFar, 0, 0}}),
            kFar);
  TFrameHitState sizeable;
  sizeable.Sizeable = true;
  for (int32_t border : {INT32_MIN, INT32_MAX})
    EXPECT_EQ(FrameHitTest({0, 0}, f, border, {}, sizeable), kHitTopLeft);

  // Buttons laid out right to left with a gap of 2^31 - 1 keep their order.
  std::vector<TFrameObjectPlace> buttons;
  for (TSkinCommand command : {TSkinCommand::cmclose, TSkinCommand::cmmaximize, TSkinCommand::cmminimize})
    buttons.push_back({TFrameObjectKind::StdButton, {}, {0, 0, 10, 10}, true, command, true});
  TFrameSkinPoints gapped;
  gapped.ButtonsRect = {200, 2, 260, 12};
  gapped.ButtonsOffset = kFar;
  gapped.PictureWidth = gapped.PictureHeight = 300;
  ArrangeObjects(buttons, gapped, ComputeFramePoints(gapped, 300, 300));
  EXPECT_EQ(buttons[0].Rect, (TRect{250, 2, 260, 12}));
  EXPECT_LE(buttons[2].Rect.Right, buttons[1].Rect.Left);

  // A button's text beside a glyph at the far right, and a minimized strip of any height.
  EXPECT_EQ(LayoutGlyphAndText(blGlyphLeft, {kFar - 10, 0, kFar, 20}, 16, 16, 30, 14, 4, 4).Text.X, kFar);
  EXPECT_GE(FreePlace({0, 0, 1920, 1040}, 100, INT32_MIN + 181, {}).Y, 1040);

  FakeFrame frame;
  const TObjectPictures pictures;
  TDataSkinAnimate strip("spinner");
  strip.skinrect = {0, 0, 1 << 30, 10};
  strip.countframes = 3;
  EXPECT_EQ(TSkinAnimateObject(frame, nullptr, pictures, &strip).FrameRect(3).Left, kFar);
}

TEST(HostileSkinGeometry, MenuSumsOfFarOffValuesSaturateInsteadOfWrapping) {
  // Items far taller than the window are not shown, and scrolling to one starts at it.
  const std::vector<TMenuItemSize> tall(3, {10, kFar});
  EXPECT_EQ(LayoutMenuItems(tall, {2, 2, 98, 82}, false, 0).ShownCount, 0);
  EXPECT_EQ(MenuFirstShownFor(tall, {2, 2, 98, 122}, 0, 2), 2);
  // A sub-menu's first item level with its parent, however far the items begin.
  const TPoint sub = PlaceMenu({.Anchor = {500, -1000, 600, -980}, .Width = 100, .Height = 100,
                                .WorkArea = {0, 0, 1920, 1040}, .ItemsTop = kFar, .SubMenu = true});
  EXPECT_EQ(sub.Y, INT32_MIN);
}

// A 40 x 40 picture whose borders are 12 rows at the top and bottom, 5
// columns at the left and 7 at the right.
struct BorderedPicture {
  PixelImage picture = Marked(40, 40, 7);
  TFramePoints points{{10, 10}, {30, 10}, {10, 30}, {30, 30}, {5, 12, 33, 28}};
  TFramePoints ScaledTo(int w, int h) const {
    const int dx = w - 40, dy = h - 40;
    return {{10, 10}, {30 + dx, 10}, {10, 30 + dy}, {30 + dx, 30 + dy}, {5, 12, 33 + dx, 28 + dy}};
  }
};

TEST(HostileSkinPictures, BorderAndMaskStripsEndAtTheirWindow) {
  const BorderedPicture b;
  // Narrower and lower than the borders: each strip keeps the side that
  // shows, cut where the window ends.
  const TBorderStrips low = ComposeFrameBorders(b.points, b.ScaledTo(6, 8), {}, 6, 8, {0, 0, 40, 40}, b.picture.View());
  EXPECT_EQ((TPoint{low.Top.Width(), low.Top.Height()}), (TPoint{6, 8}));
  // The right end covers this narrow window; rows are what is checked.
  EXPECT_EQ(SourceOf(low.Top.At(0, 7)), (TPoint{34, 7}));
  EXPECT_EQ((TPoint{low.Bottom.Width(), low.Bottom.Height()}), (TPoint{6, 8}));
  EXPECT_EQ(SourceOf(low.Bottom.At(0, 0)), (TPoint{34, 32}));  // its last 8 rows, drawn from the window's top
  const TBorderStrips narrow =
      ComposeFrameBorders(b.points, b.ScaledTo(6, 40), {}, 6, 40, {0, 0, 40, 40}, b.picture.View());
  EXPECT_EQ(narrow.Right.Width(), 6);
  EXPECT_EQ(SourceOf(narrow.Right.At(0, 0)), (TPoint{34, 10}));  // its last 6 columns

  // A shaped area reaching 2^20 rows down: the side strips stop at the window's bottom.
  PixelImage mask(40, 40);  // all black: inside
  TFramePoints tallMask = b.points;
  tallMask.Client.Bottom = 1 << 20;
  const TBorderStrips strips = SplitMaskBorders(tallMask, tallMask, mask.View(), 40, 40);
  EXPECT_EQ(strips.Left.Height(), 28);
  EXPECT_EQ(strips.Right.Height(), 28);
  EXPECT_EQ(strips.Bottom.Height(), 0);
  const std::optional<TMaskRegionParts> parts = ScaledMaskRegionParts(tallMask, tallMask, mask.View(), 40, 40);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->Left.size(), kRegionHeaderSize + 28 * kRegionRectSize);  // one run on each of 28 rows
}

TEST(HostileSkinPictures, AStateFaceOfAnySizeKeepsTheControlsFixedSide) {
  // A three-piece face 20 pixels high (wide), while the down look's
  // rectangle reaches 2^31 - 1 rows (columns) past its picture.
  const PixelImage picture = Marked(40, 40, 7);
  const TRect normal{0, 0, 30, 20}, tall{0, 10, 30, kFar};
  const TFramePoints horizontal{{5, 0}, {25, 0}, {}, {}, {5, 0, 25, 20}};
  int32_t width = 50, height = 0;
  const TFramePoints hs = FitSizeToSkin(TCompositionMode::Horizontal, normal, horizontal, width, height);
  const PixelImage down = ComposeSkinFace(TCompositionMode::Horizontal, picture.View(), tall, horizontal, hs, width, height);
  EXPECT_EQ((TPoint{down.Width(), down.Height()}), (TPoint{50, 20}));
  EXPECT_EQ(SourceOf(down.At(0, 19)), (TPoint{0, 29}));  // the rectangle's own rows, from its top

  const TRect across{10, 0, kFar, 30};
  const TFramePoints vertical{{0, 5}, {}, {0, 25}, {}, {0, 5, 20, 25}};
  width = 0, height = 50;
  const TRect upright{0, 0, 20, 30};
  const TFramePoints vs = FitSizeToSkin(TCompositionMode::Vertical, upright, vertical, width, height);
  const PixelImage wide = ComposeSkinFace(TCompositionMode::Vertical, picture.View(), across, vertical, vs, width, height);
  EXPECT_EQ((TPoint{wide.Width(), wide.Height()}), (TPoint{20, 50}));
  EXPECT_EQ(SourceOf(wide.At(19, 0)), (TPoint{29, 0}));
}

TEST(HostileSkinPictures, MenusStayInsideTheirWorkAreaAndTheItemsInsideTheWindow) {
  TDataSkinPopupWindow popup;
  popup.itemsrect = {10, 8, 90, 50};
  TDataSkinMenuItem item("menuitem");
  item.skinrect = {0, 0, 1 << 30, 22};  // items of 2^30 pixels' face
  item.textrect = {4, 2, 52, 20};
  const TMenuSkin skin{&popup, &item, 100, 60};
  const std::vector<TMenuItemSize> items(2, {40, 22});
  EXPECT_EQ(MenuWindowSize(items, 19, skin, {0, 0, 1024, 768}), (TMenuWindowSize{1024, 62, false}));
  TDataSkinPopupWindow far = popup;
  far.itemsrect.Right = kFar;
  EXPECT_EQ(MenuFitPoints({&far, &item, 100, 60}, 1024, 62).Client, (TRect{10, 8, 1024, 52}));
}

TEST(HostileSkinObjects, AnObjectLargerThanItsCanvasShowsItsEndLookWithoutBuildingOne) {
  FakeFrame frame;
  TObjectPictures pictures;
  pictures.Frame = Marked(180, 40, 77);
  pictures.Extra.push_back(Marked(180, 40, 99));
  PixelImage window(180, 40);
  FakeCanvas canvas(window.View(), {0, 0});

  TDataSkinCaption caption("caption1");
  caption.skinrect = {0, 0, 4000, 15};
  caption.textrect = {2, 1, 60, 14};
  caption.activepictureindex = 0;
  caption.activeskinrect = {0, 0, 61, 15};
  caption.morphing = true;
  TSkinCaptionObject wide(frame, nullptr, pictures, &caption);
  wide.SetBlendPos(0.5);
  wide.Draw(canvas, false);
  ASSERT_EQ(canvas.Texts.size(), 1u);
  EXPECT_EQ(canvas.Texts[0].Text, "Vesper...");

  TDataSkinButton button("button");
  button.skinrect = {0, 0, 1000, 1000};
  button.activepictureindex = 0;
  button.activeskinrect = {0, 0, 20, 20};
  button.morphing = true;
  TSkinButtonObject huge(frame, nullptr, pictures, &button);
  huge.Lit = true;
  huge.SetBlendPos(0.5);
  huge.Draw(canvas, false);
  EXPECT_EQ(window.At(0, 0), (Bgr{0, 0, 99}));  // the active look, stretched, not half way
}

}  // namespace
