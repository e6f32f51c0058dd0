// The skinned frame's geometry with our skin and with small made-up skins:
// scaled points, the client rectangle, hit-testing and the object layout.
#include "skin/frame/layout/frame_geometry.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <set>
#include <vector>

#include "skin/pixels/bmp_pixels.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/frame/layout/frame_hit_test.h"
#include "skin/frame/layout/object_layout.h"

// Readable rectangles in failure messages (defined in frame_paint_test.cpp).
void PrintTo(const TRect& r, std::ostream* os);

namespace {

struct OurSkin {
  TSkinData data{nullptr};
  TFrameSkinPoints points;
  OurSkin() {
    TCompressedStoredSkin compressed(nullptr);
    EXPECT_TRUE(compressed.PackFromIniFile(VESPERMARK_SKIN_DIR "/skin.ini"));
    data.LoadCompressedStoredSkin(compressed);
    EXPECT_FALSE(data.NoSkin());
    points = FrameSkinPointsOf(data);
  }
};

const OurSkin& Skin() {
  static const OurSkin skin;
  return skin;
}

// The frame's objects as the frame builds them from the skin's list.
std::vector<TFrameObjectPlace> ObjectsOf(const TSkinData& skin) {
  std::vector<TFrameObjectPlace> places;
  for (const auto& object : skin.SkinObjects()) {
    TFrameObjectPlace place;
    if (auto* std = dynamic_cast<const TDataSkinStdButton*>(object.get())) {
      if (dynamic_cast<const TDataSkinMainMenuBarButton*>(object.get())) continue;
      place.Kind = TFrameObjectKind::StdButton;
      place.Command = std->command;
    } else if (dynamic_cast<const TDataSkinCaption*>(object.get())) {
      place.Kind = TFrameObjectKind::Caption;
    } else {
      continue;
    }
    place.SkinRect = place.Rect = object->skinrect;
    place.SkinRectInAPicture = object->skinrectinapicture;
    places.push_back(place);
  }
  return places;
}

// A 100 x 100 picture with its corner points 20 pixels in.
TFrameSkinPoints SquareSkin() {
  TFrameSkinPoints s;
  s.LeftTop = {20, 20};
  s.RightTop = {80, 20};
  s.LeftBottom = {20, 80};
  s.RightBottom = {80, 80};
  s.Client = {10, 20, 90, 90};
  s.Mask = {0, 0, 100, 100};
  s.CaptionRect = {4, 2, 60, 18};
  s.ButtonsOffset = 2;
  s.PictureWidth = s.PictureHeight = 100;
  return s;
}

TEST(ComputeFramePoints, OurSkinAtItsOwnSizeAndLargerLeftButtonsStay) {
  const TFrameSkinPoints& skin = Skin().points;
  ASSERT_EQ((TPoint{skin.PictureWidth, skin.PictureHeight}), (TPoint{176, 147}));
  EXPECT_EQ(ComputeFramePoints(skin, 176, 147).RightBottom, skin.RightBottom);

  const TScaledFramePoints s = ComputeFramePoints(skin, 199, 320);  // dx 23, dy 173
  EXPECT_EQ(
      (std::vector<TPoint>{s.LeftTop, s.RightTop, s.LeftBottom, s.RightBottom, s.HitLeftTop, s.HitRightTop,
                           s.HitLeftBottom, s.HitRightBottom}),
      (std::vector<TPoint>{{48, 35}, {122, 34}, {20, 290}, {164, 290}, {14, 14}, {188, 8}, {12, 307}, {182, 306}}));
  EXPECT_EQ(s.Client, (TRect{15, 33, 186, 297}));
  EXPECT_EQ(s.Mask, (TRect{5, 6, 193, 314}));
  EXPECT_EQ(s.CaptionRect, (TRect{12, 3, 125, 18}));
  EXPECT_EQ(s.ButtonsRect, (TRect{127, 6, 187, 15}));
  EXPECT_FALSE(s.ButtonsLeftAligned);

  TFrameSkinPoints left = SquareSkin();
  left.ButtonsRect = {4, 2, 40, 12};  // in the picture's left half
  left.CaptionRect = {};
  const TScaledFramePoints l = ComputeFramePoints(left, 150, 120);
  EXPECT_EQ(l.ButtonsRect, left.ButtonsRect);
  EXPECT_TRUE(l.ButtonsLeftAligned);
  EXPECT_EQ(l.CaptionRect, TRect{});
}

TEST(NcCalcSize, BordersOfTheSkinOrTheDefaultFrameClampedWhenTooSmall) {
  const TRect client = SkinnedClientRect({100, 50, 299, 370}, Skin().points);
  EXPECT_EQ(client, (TRect{115, 83, 286, 347}));
  EXPECT_EQ(client.Width(), 171);
  EXPECT_EQ(client.Height(), 264);
  EXPECT_EQ(SkinnedClientRect({0, 0, 20, 20}, Skin().points), (TRect{15, 33, 15, 33}));

  EXPECT_EQ(DefaultClientRect({10, 10, 210, 110}, false), (TRect{13, 32, 207, 107}));
  EXPECT_EQ(DefaultClientRect({10, 10, 210, 110}, true), (TRect{13, 28, 207, 107}));
  EXPECT_EQ(DefaultClientRect({0, 0, 4, 10}, false), (TRect{3, 22, 3, 22}));
}

TEST(FrameHitTest, FixedBorderGivesOnlyClientCaptionAndObject) {
  const TScaledFramePoints frame = ComputeFramePoints(Skin().points, 199, 320);
  const TRect caption{41, 3, 125, 18};
  TFrameHitState state;
  state.CaptionObjects = {&caption, 1};
  std::set<int32_t> answers;
  for (int32_t y = 0; y < 320; ++y)
    for (int32_t x = 0; x < 199; ++x) answers.insert(FrameHitTest({x, y}, frame, 5, {}, state));
  EXPECT_EQ(answers, (std::set<int32_t>{kHitClient, kHitCaption, kHitObject}));

  EXPECT_EQ(FrameHitTest({100, 150}, frame, 5, {}, state), kHitClient);
  EXPECT_EQ(FrameHitTest({60, 10}, frame, 5, {}, state), kHitCaption);
  EXPECT_EQ(FrameHitTest({2, 150}, frame, 5, {}, state), kHitObject);

  // A hot object takes the frame but not the caption or the client; a move
  // loop gives the frame back to the system.
  state.ObjectHot = true;
  EXPECT_EQ(FrameHitTest({60, 10}, frame, 5, {}, state), kHitCaption);
  EXPECT_EQ(FrameHitTest({100, 150}, frame, 5, {}, state), kHitClient);
  EXPECT_EQ(FrameHitTest({130, 10}, frame, 5, {}, state), kHitObject);

  // Rolled up or minimized the client no longer counts.
  state.ObjectHot = false;
  state.RolledUp = true;
  EXPECT_EQ(FrameHitTest({100, 150}, frame, 5, {}, state), kHitObject);
  EXPECT_EQ(FrameHitTest({60, 10}, frame, 5, {}, state), kHitCaption);
}

TEST(FrameHitTest, SizeableEdgesAndCornersByWindowOrMask) {
  const TScaledFramePoints frame = ComputeFramePoints(Skin().points, 199, 320);
  const TRect caption{41, 3, 125, 18};
  TFrameHitState state;
  state.Sizeable = true;
  state.CaptionObjects = {&caption, 1};
  struct Case {
    TPoint p;
    int32_t code;
  };
  for (const Case& c : {Case{{1, 1}, kHitTopLeft}, Case{{197, 2}, kHitTopRight}, Case{{2, 318}, kHitBottomLeft},
                        Case{{197, 318}, kHitBottomRight}, Case{{100, 2}, kHitTop}, Case{{100, 318}, kHitBottom},
                        Case{{2, 150}, kHitLeft}, Case{{197, 150}, kHitRight}, Case{{60, 10}, kHitCaption},
                        Case{{100, 150}, kHitClient}, Case{{20, 20}, kHitObject}})
    EXPECT_EQ(FrameHitTest(c.p, frame, 5, {}, state), c.code) << c.p.X << "," << c.p.Y;

  // With a mask, a point outside M' is at the edge when the shape ends
  // within the border width, though the window goes on.
  const TMaskQuery shape = [](TPoint q) { return q.Y >= 3 && q.X >= 0 && q.X < 199 && q.Y < 320; };
  EXPECT_EQ(FrameHitTest({130, 5}, frame, 5, {}, state), kHitObject);
  EXPECT_EQ(FrameHitTest({130, 5}, frame, 5, shape, state), kHitTop);
  EXPECT_EQ(FrameHitTest({130, 7}, frame, 5, shape, state), kHitObject);  // inside M'

  // A hot object holds the edges until a size loop runs.
  state.ObjectHot = true;
  EXPECT_EQ(FrameHitTest({2, 150}, frame, 5, {}, state), kHitObject);
  state.InSizeMove = true;
  EXPECT_EQ(FrameHitTest({2, 150}, frame, 5, {}, state), kHitLeft);

  state.Maximized = true;
  EXPECT_EQ(FrameHitTest({1, 1}, frame, 5, {}, state), kHitObject);
}

TEST(PointInFrameMask, StripsAtTheSkinsSizeAnswerAsTheMask) {
  const PixelImage mask = PixelImageFromBmp(Skin().data.MaskBitmap().Image());
  const TFrameSkinPoints& skin = Skin().points;
  const TScaledFramePoints same = ComputeFramePoints(skin, skin.PictureWidth, skin.PictureHeight);
  const TBorderStrips strips =
      SplitMaskBorders(MaskSplitPoints(skin), MaskSplitPoints(same), mask.View(), same.FrameWidth, same.FrameHeight);
  int inside = 0, outside = 0;
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x) {
      if (same.Mask.Contains({x, y})) continue;
      const Bgr c = mask.At(x, y);
      const bool black = c.Blue == 0 && c.Green == 0 && c.Red == 0;
      (black ? inside : outside)++;
      ASSERT_EQ(PointInFrameMask(strips, same.Mask, {x, y}), black) << x << "," << y;
    }
  EXPECT_GT(inside, 0);
  EXPECT_GT(outside, 0);
  EXPECT_FALSE(PointInFrameMask(strips, same.Mask, {-1, 50}));
  EXPECT_FALSE(PointInFrameMask(strips, same.Mask, {50, 400}));
}

TEST(DefaultHitTest, BandCaptionClientAndObjects) {
  TFrameHitState state;
  state.Sizeable = true;
  // 200 x 100, caption between x 20 and 120.
  auto hit = [&](int32_t x, int32_t y) { return DefaultHitTest({x, y}, 200, 100, 20, 120, 19, state); };
  const std::vector<int32_t> sizeable{hit(0, 0),  hit(198, 1),  hit(2, 98),  hit(199, 99), hit(50, 2), hit(50, 98),
                                      hit(2, 50), hit(198, 50), hit(50, 10), hit(150, 10), hit(50, 50)};
  EXPECT_EQ(sizeable, (std::vector<int32_t>{kHitTopLeft, kHitTopRight, kHitBottomLeft, kHitBottomRight, kHitTop,
                                            kHitBottom, kHitLeft, kHitRight, kHitCaption, kHitObject, kHitClient}));
  state.ObjectHot = true;
  EXPECT_EQ(hit(50, 50), kHitObject);
  state.Sizeable = false;  // fixed border: no edges, a hot object does not hide the client
  EXPECT_EQ((std::vector<int32_t>{hit(0, 0), hit(50, 10), hit(50, 50)}),
            (std::vector<int32_t>{kHitObject, kHitCaption, kHitClient}));
}

TEST(ArrangeObjects, OurSkinCaptionStretchesButtonsFollowTheRightEdge) {
  // In skin order: caption1, rollup, close, min, max, sysmenu.
  std::vector<TFrameObjectPlace> objects = ObjectsOf(Skin().data);
  ASSERT_EQ(objects.size(), 6u);
  ASSERT_EQ(objects[5].Command, TSkinCommand::cmsysmenu);
  for (int32_t dx : {0, 23, 124}) {
    ArrangeObjects(objects, Skin().points, ComputeFramePoints(Skin().points, 176 + dx, 320));
    EXPECT_EQ(objects[0].Rect, (TRect{41, 3, 102 + dx, 18}));
    EXPECT_EQ(objects[5].Rect, (TRect{12, 6, 21, 15}));
    EXPECT_EQ(objects[1].Rect, (TRect{104 + dx, 6, 113 + dx, 15}));
    EXPECT_EQ(objects[2].Rect, (TRect{155 + dx, 6, 164 + dx, 15}));
  }
}

TEST(ArrangeObjects, CornerZones) {
  const TFrameSkinPoints skin = SquareSkin();
  const TScaledFramePoints scaled = ComputeFramePoints(skin, 110, 110);  // dx = dy = 10
  struct Case {
    TRect from, to;
  };
  const std::vector<Case> cases{
      {{2, 2, 10, 10}, {2, 2, 10, 10}},        // top-left
      {{85, 2, 95, 10}, {95, 2, 105, 10}},     // top-right
      {{2, 85, 10, 95}, {2, 95, 10, 105}},     // bottom-left
      {{85, 85, 95, 95}, {95, 95, 105, 105}},  // bottom-right
      {{2, 2, 95, 95}, {2, 2, 105, 105}},      // top-left to bottom-right
      {{2, 2, 95, 10}, {2, 2, 105, 10}},       // across the top
      {{2, 85, 95, 95}, {2, 95, 105, 105}},    // across the bottom
      {{2, 2, 10, 95}, {2, 2, 10, 105}},       // down the left
      {{85, 2, 95, 95}, {95, 2, 105, 105}},    // down the right
      {{30, 30, 40, 40}, {30, 30, 40, 40}},    // in no zone
      {{90, 2, 100, 10}, {100, 2, 110, 10}},   // flush with the right edge
  };
  std::vector<TFrameObjectPlace> objects;
  for (const Case& c : cases) objects.push_back({TFrameObjectKind::User, {}, c.from});
  ArrangeObjects(objects, skin, scaled);
  for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(objects[i].Rect, cases[i].to) << "case " << i;
}

// Buttons kept outside the frame picture, laid out automatically, with a
// caption drawn in the picture: caption, sysmenu, rollup, hidden maximize,
// minimize, close.
std::vector<TRect> LaidOut(const TFrameSkinPoints& skin, std::optional<TPoint> iconSize = std::nullopt) {
  auto button = [](TSkinCommand command, int32_t size, bool visible = true) {
    return TFrameObjectPlace{TFrameObjectKind::StdButton, {}, {0, 0, size, size}, true, command, visible};
  };
  std::vector<TFrameObjectPlace> objects{{TFrameObjectKind::Caption, {}, {22, 2, 58, 16}},
                                         button(TSkinCommand::cmsysmenu, 9),
                                         button(TSkinCommand::cmrollup, 10),
                                         button(TSkinCommand::cmmaximize, 10, false),
                                         button(TSkinCommand::cmminimize, 8),
                                         button(TSkinCommand::cmclose, 10)};
  ArrangeObjects(objects, skin, ComputeFramePoints(skin, 110, 110), iconSize);
  std::vector<TRect> rects;
  for (const TFrameObjectPlace& o : objects) rects.push_back(o.Rect);
  return rects;
}

TEST(ArrangeObjects, AutomaticLayoutRightToLeftLeftToRightAndAlongTheCaption) {
  TFrameSkinPoints skin = SquareSkin();  // caption rectangle 4,2,70,18 at 110 wide
  // Along the buttons rectangle (moved with the right edge); the caption
  // keeps its right end and starts after the centred system-menu button.
  skin.ButtonsRect = {60, 4, 96, 14};
  EXPECT_EQ(
      LaidOut(skin),
      (std::vector<TRect>{{13, 2, 58, 16}, {4, 5, 13, 14}, {74, 4, 84, 14}, {}, {86, 4, 94, 12}, {96, 4, 106, 14}}));
  // Along the caption rectangle, which then ends at the last button.
  skin.ButtonsRect = {};
  EXPECT_EQ(
      LaidOut(skin),
      (std::vector<TRect>{{13, 2, 38, 16}, {4, 5, 13, 14}, {38, 2, 48, 12}, {}, {50, 2, 58, 10}, {60, 2, 70, 12}}));
  // At the left, the system menu drawn as a 16 x 16 icon after the buttons.
  skin.ButtonsInLeft = true;
  EXPECT_EQ(
      LaidOut(skin, TPoint{16, 16}),
      (std::vector<TRect>{{58, 2, 58, 16}, {38, 2, 54, 18}, {26, 2, 36, 12}, {}, {16, 2, 24, 10}, {4, 2, 14, 12}}));
}

}  // namespace
