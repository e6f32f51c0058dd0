#include "panel/frame_paint.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "recording_canvas.h"

// Readable rectangles in failure messages.
void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

using enum TFrameStyleEx;

// Upper-left and lower-right colours for the plain strokes.
constexpr TColor kUpper = clBlue, kLower = clRed;
const std::map<TColor, char> kStrokeLegend{{kUpper, 'U'}, {kLower, 'L'}};

TEST(StrokeSides, FourSidesLowerRightOwnsTheMixedCorners) {
  RecordingCanvas canvas;
  EXPECT_EQ(StrokeSides(canvas, {0, 0, 4, 3}, kUpper, kLower, kAllSides), (TRect{1, 1, 3, 2}));
  EXPECT_EQ(canvas.Picture({-1, -1, 5, 4}, kStrokeLegend),
            "......\n"
            ".UUUL.\n"
            ".U..L.\n"
            ".LLLL.\n"
            "......\n");
}

TEST(StrokeSides, SideSubsets) {
  struct Case {
    uint32_t sides;
    TRect result;
    std::string picture;
  };
  const std::vector<Case> cases{
      {0, {0, 0, 4, 3}, "....\n....\n....\n"},
      {sdLeft, {1, 0, 4, 3}, "U...\nU...\nU...\n"},
      {sdTop, {0, 1, 4, 3}, "UUUU\n....\n....\n"},
      {sdRight, {0, 0, 3, 3}, "...L\n...L\n...L\n"},
      {sdBottom, {0, 0, 4, 2}, "....\n....\nLLLL\n"},
      {sdTop | sdBottom, {0, 1, 4, 2}, "UUUU\n....\nLLLL\n"},
      {sdLeft | sdRight, {1, 0, 3, 3}, "U..L\nU..L\nU..L\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sides);
    RecordingCanvas canvas;
    EXPECT_EQ(StrokeSides(canvas, {0, 0, 4, 3}, kUpper, kLower, c.sides), c.result);
    EXPECT_EQ(canvas.Picture({0, 0, 4, 3}, kStrokeLegend), c.picture);
  }
}

TEST(StrokeSides, NoneColourSkipsItsLinesButKeepsTheShrink) {
  RecordingCanvas both;
  EXPECT_EQ(StrokeSides(both, {0, 0, 4, 3}, clNone, clNone, kAllSides), (TRect{1, 1, 3, 2}));
  EXPECT_EQ(both.DrawCalls(), 0);

  RecordingCanvas upperOnly;
  EXPECT_EQ(StrokeSides(upperOnly, {0, 0, 4, 3}, kUpper, clNone, kAllSides), (TRect{1, 1, 3, 2}));
  EXPECT_EQ(upperOnly.Picture({0, 0, 4, 3}, kStrokeLegend), "UUUU\nU...\nU...\n");
}

TEST(StrokeBevel, RingsInsideEachOtherWithAOnePixelPen) {
  RecordingCanvas canvas;
  canvas.SetPenWidth(3);
  canvas.Ops.clear();
  EXPECT_EQ(StrokeBevel(canvas, {0, 0, 5, 5}, kUpper, kLower, 2, kAllSides), (TRect{2, 2, 3, 3}));
  ASSERT_FALSE(canvas.Ops.empty());
  EXPECT_EQ(canvas.Ops.front(), "width 1");
  EXPECT_EQ(canvas.Picture({0, 0, 5, 5}, kStrokeLegend),
            "UUUUL\n"
            "UUULL\n"
            "UU.LL\n"
            "ULLLL\n"
            "LLLLL\n");

  RecordingCanvas none;
  EXPECT_EQ(StrokeBevel(none, {0, 0, 5, 5}, kUpper, kLower, 0, kAllSides), (TRect{0, 0, 5, 5}));
  EXPECT_EQ(none.DrawCalls(), 0);
}

const std::map<TColor, char> kSystemLegend{{cl3DLight, 'l'},      {cl3DDkShadow, 'D'}, {clBtnHighlight, 'h'},
                                           {clBtnShadow, 's'},    {clBtnText, 't'}};

TEST(PaintFrameStyle, RaisedFrame) {
  RecordingCanvas canvas;
  EXPECT_EQ(PaintFrameStyle(canvas, {0, 0, 5, 5}, fsRaised, kAllSides), (TRect{2, 2, 3, 3}));
  EXPECT_EQ(canvas.Picture({0, 0, 5, 5}, kSystemLegend),
            "llllD\n"
            "lhhsD\n"
            "lh.sD\n"
            "lsssD\n"
            "DDDDD\n");
}

TEST(PaintFrameStyle, ColoursOfEachStyle) {
  // Colours found on the middle row of a 5 by 5 frame: outer left, inner left,
  // inner right, outer right; clNone where nothing is drawn.
  struct Case {
    TFrameStyleEx style;
    TColor outerLeft, innerLeft, innerRight, outerRight;
  };
  const std::vector<Case> cases{
      {fsNone, clNone, clNone, clNone, clNone},
      {fsFlat, cl3DDkShadow, clNone, clNone, cl3DDkShadow},
      {fsStatus, clBtnShadow, clNone, clNone, clBtnHighlight},
      {fsPopup, clBtnHighlight, clNone, clNone, clBtnShadow},
      {fsFlatBold, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow},
      {fsRaised, cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow},
      {fsLowered, clBtnShadow, cl3DDkShadow, cl3DLight, clBtnHighlight},
      {fsButtonUp, clBtnHighlight, cl3DLight, clBtnShadow, cl3DDkShadow},
      {fsButtonDown, clBtnText, clBtnShadow, clBtnShadow, clBtnText},
      {fsGroove, clBtnShadow, clBtnHighlight, clBtnShadow, clBtnHighlight},
      {fsBump, clBtnHighlight, clBtnShadow, clBtnHighlight, clBtnShadow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    RecordingCanvas canvas;
    const TRect inner = PaintFrameStyle(canvas, {0, 0, 5, 5}, c.style, kAllSides);
    const int width = FrameStyleWidth(c.style);
    EXPECT_EQ(inner, (TRect{width, width, 5 - width, 5 - width}));
    auto at = [&](int x) {
      const auto pixel = canvas.Pixels.find({x, 2});
      return pixel == canvas.Pixels.end() ? clNone : pixel->second;
    };
    EXPECT_EQ(at(0), c.outerLeft);
    EXPECT_EQ(at(1), c.innerLeft);
    EXPECT_EQ(at(3), c.innerRight);
    EXPECT_EQ(at(4), c.outerRight);
  }
}

const std::map<TColor, char> kEtchLegend{{clBtnShadow, 's'}, {clBtnHighlight, 'h'}};

TEST(PaintFrameStyle, GrooveOnAllSides) {
  RecordingCanvas canvas;
  EXPECT_EQ(PaintFrameStyle(canvas, {0, 0, 6, 5}, fsGroove, kAllSides), (TRect{2, 2, 4, 3}));
  EXPECT_EQ(canvas.Picture({0, 0, 6, 5}, kEtchLegend),
            "sssssh\n"
            "shhhsh\n"
            "sh..sh\n"
            "sssssh\n"
            "hhhhhh\n");
}

TEST(PaintFrameStyle, GrooveEndsWhereASideIsOpen) {
  RecordingCanvas top;
  EXPECT_EQ(PaintFrameStyle(top, {0, 0, 6, 4}, fsGroove, sdTop), (TRect{0, 2, 6, 4}));
  EXPECT_EQ(top.Picture({0, 0, 6, 4}, kEtchLegend), "ssssss\nhhhhhh\n......\n......\n");

  RecordingCanvas leftTop;
  EXPECT_EQ(PaintFrameStyle(leftTop, {0, 0, 5, 5}, fsGroove, sdLeft | sdTop), (TRect{2, 2, 5, 5}));
  EXPECT_EQ(leftTop.Picture({0, 0, 5, 5}, kEtchLegend), "sssss\nshhhh\nsh...\nsh...\nsh...\n");

  RecordingCanvas leftRight;
  EXPECT_EQ(PaintFrameStyle(leftRight, {0, 0, 5, 4}, fsGroove, sdLeft | sdRight), (TRect{2, 0, 3, 4}));
  EXPECT_EQ(leftRight.Picture({0, 0, 5, 4}, kEtchLegend), "sh.sh\nsh.sh\nsh.sh\nsh.sh\n");
}

const std::map<TColor, char> kCutLegend{{clBtnShadow, 'c'}};

TEST(PaintCutCornerFrame, CornersAreCutByOneDiagonalPixel) {
  RecordingCanvas canvas;
  EXPECT_EQ(PaintCutCornerFrame(canvas, {0, 0, 6, 6}, clBtnShadow, kAllSides), (TRect{2, 2, 4, 4}));
  EXPECT_EQ(canvas.Picture({0, 0, 6, 6}, kCutLegend),
            "..cc..\n"
            ".c..c.\n"
            "c....c\n"
            "c....c\n"
            ".c..c.\n"
            "..cc..\n");
}

TEST(PaintCutCornerFrame, SideSubsets) {
  RecordingCanvas opposite;
  EXPECT_EQ(PaintCutCornerFrame(opposite, {0, 0, 6, 4}, clBtnShadow, sdTop | sdBottom), (TRect{0, 2, 6, 2}));
  EXPECT_EQ(opposite.Picture({0, 0, 6, 4}, kCutLegend), "cccccc\n......\n......\ncccccc\n");

  RecordingCanvas leftTop;
  EXPECT_EQ(PaintCutCornerFrame(leftTop, {0, 0, 5, 5}, clBtnShadow, sdLeft | sdTop), (TRect{2, 2, 5, 5}));
  EXPECT_EQ(leftTop.Picture({0, 0, 5, 5}, kCutLegend), "..ccc\n.c...\nc....\nc....\nc....\n");

  RecordingCanvas none;
  EXPECT_EQ(PaintCutCornerFrame(none, {0, 0, 5, 5}, clBtnShadow, 0), (TRect{0, 0, 5, 5}));
  EXPECT_EQ(none.DrawCalls(), 0);

  // No colour draws nothing, but the frame's room is still taken.
  RecordingCanvas noColour;
  EXPECT_EQ(PaintCutCornerFrame(noColour, {0, 0, 6, 6}, clNone, kAllSides), (TRect{2, 2, 4, 4}));
  EXPECT_EQ(noColour.DrawCalls(), 0);
}

// Panel colours: each a distinct value so the pictures tell the rings apart.
constexpr TColor kBorder = clSilver, kHighlight = clWhite, kShadow = clGray, kControl = clMoneyGreen,
                 kParent = clNavy, kFlat = clBtnShadow;
const std::map<TColor, char> kPanelLegend{{kBorder, 'b'}, {kHighlight, 'h'}, {kShadow, 's'},
                                          {kControl, 'k'}, {kParent, 'p'},   {kFlat, 'f'}};

TRect PaintPanel(RecordingCanvas& canvas, TRect bounds, TFrameStyleEx outer, TFrameStyleEx inner, int borderWidth,
                 uint32_t sides, bool transparent, int bevelWidth = 1) {
  // A flat colour adjustment of 0 keeps the flat colour as given.
  return PaintPanelFrame(canvas, bounds, outer, inner, borderWidth, sides, bevelWidth, kBorder, kHighlight, kShadow,
                         kFlat, 0, kControl, kParent, transparent);
}

TEST(PaintPanelFrame, RoundedOuterFrameShowsTheParentInItsCorners) {
  RecordingCanvas canvas;
  EXPECT_EQ(PaintPanel(canvas, {0, 0, 7, 6}, fsFlatRounded, fsNone, 0, kAllSides, false), (TRect{2, 2, 5, 4}));
  EXPECT_EQ(canvas.Picture({0, 0, 7, 6}, kPanelLegend),
            "ppfffpp\n"
            "pfkkkfp\n"
            "fk...kf\n"
            "fk...kf\n"
            "pfkkkfp\n"
            "ppfffpp\n");
}

TEST(PaintPanelFrame, RoundedOuterFrameWhenTransparent) {
  RecordingCanvas bare;
  EXPECT_EQ(PaintPanel(bare, {0, 0, 7, 6}, fsFlatRounded, fsNone, 0, kAllSides, true), (TRect{2, 2, 5, 4}));
  EXPECT_EQ(bare.Picture({0, 0, 7, 6}, kPanelLegend),
            "..fff..\n"
            ".f...f.\n"
            "f.....f\n"
            "f.....f\n"
            ".f...f.\n"
            "..fff..\n");

  // With a border the ring inside the cut corners takes the border colour,
  // then the border itself follows.
  RecordingCanvas bordered;
  EXPECT_EQ(PaintPanel(bordered, {0, 0, 8, 7}, fsFlatRounded, fsNone, 1, kAllSides, true), (TRect{3, 3, 5, 4}));
  EXPECT_EQ(bordered.Picture({0, 0, 8, 7}, kPanelLegend),
            "..ffff..\n"
            ".fbbbbf.\n"
            "fbbbbbbf\n"
            "fbb..bbf\n"
            "fbbbbbbf\n"
            ".fbbbbf.\n"
            "..ffff..\n");

  // That inner ring is inset on all four sides even when only the top is framed.
  RecordingCanvas topOnly;
  EXPECT_EQ(PaintPanel(topOnly, {0, 0, 6, 5}, fsFlatRounded, fsNone, 1, sdTop, true), (TRect{0, 3, 6, 5}));
  EXPECT_EQ(topOnly.Picture({0, 0, 6, 5}, kPanelLegend), "ffffff\n.bbbb.\nbbbbbb\n......\n......\n");
}

TEST(PaintPanelFrame, RoundedOuterFrameMeetsAnInnerFrameInTheBorderColour) {
  RecordingCanvas canvas;
  EXPECT_EQ(PaintPanel(canvas, {0, 0, 8, 8}, fsFlatRounded, fsFlat, 0, kAllSides, false), (TRect{3, 3, 5, 5}));
  EXPECT_EQ(canvas.Picture({0, 3, 8, 4}, kPanelLegend), "fbf..fbf\n");
}

TEST(PaintPanelFrame, RoundedInnerFrame) {
  RecordingCanvas opaque;
  EXPECT_EQ(PaintPanel(opaque, {0, 0, 7, 6}, fsNone, fsFlatRounded, 0, kAllSides, false), (TRect{2, 2, 5, 4}));
  EXPECT_EQ(opaque.Picture({0, 0, 7, 6}, kPanelLegend),
            "bbfffbb\n"
            "bfkkkfb\n"
            "fk...kf\n"
            "fk...kf\n"
            "bfkkkfb\n"
            "bbfffbb\n");

  RecordingCanvas transparent;
  EXPECT_EQ(PaintPanel(transparent, {0, 0, 7, 6}, fsNone, fsFlatRounded, 0, kAllSides, true), (TRect{2, 2, 5, 4}));
  EXPECT_EQ(transparent.Picture({0, 0, 7, 6}, kPanelLegend),
            "bbfffbb\n"
            "bf...fb\n"
            "f.....f\n"
            "f.....f\n"
            "bf...fb\n"
            "bbfffbb\n");
}

TEST(PaintPanelFrame, StatusOutsidePopupInsideWithBorderGap) {
  RecordingCanvas canvas;
  EXPECT_EQ(PaintPanel(canvas, {0, 0, 11, 11}, fsStatus, fsPopup, 1, kAllSides, false, 2), (TRect{5, 5, 6, 6}));
  EXPECT_EQ(canvas.Picture({0, 0, 11, 11}, kPanelLegend),
            "ssssssssssh\n"
            "ssssssssshh\n"
            "ssbbbbbbbhh\n"
            "ssbhhhhsbhh\n"
            "ssbhhhssbhh\n"
            "ssbhh.ssbhh\n"
            "ssbhssssbhh\n"
            "ssbsssssbhh\n"
            "ssbbbbbbbhh\n"
            "shhhhhhhhhh\n"
            "hhhhhhhhhhh\n");
}

TEST(PaintPanelFrame, FlatColourIsShiftedByTheAdjustment) {
  auto flatPen = [](TColor flatColor, int adjustment) {
    RecordingCanvas canvas;
    PaintPanelFrame(canvas, {0, 0, 6, 6}, fsFlat, fsNone, 0, kAllSides, 1, kBorder, kHighlight, kShadow, flatColor,
                    adjustment, kControl, kParent, false);
    return canvas.Pixels.at({0, 3});
  };
  EXPECT_EQ(flatPen(clGray, 30), static_cast<TColor>(0x9F9F9F));
  EXPECT_EQ(flatPen(clGray, -30), static_cast<TColor>(0x606060));
  // Without an adjustment a system colour reaches the canvas unresolved.
  EXPECT_EQ(flatPen(clBtnShadow, 0), clBtnShadow);

  // A flat colour of clNone stays invisible whatever the adjustment.
  RecordingCanvas none;
  EXPECT_EQ(PaintPanelFrame(none, {0, 0, 8, 8}, fsFlatRounded, fsFlatBold, 0, kAllSides, 1, kBorder, kHighlight,
                            kShadow, clNone, 30, kControl, kParent, true),
            (TRect{4, 4, 4, 4}));
  // Only the border ring inside the rounded frame is drawn.
  ASSERT_FALSE(none.Pixels.empty());
  for (const auto& [pixel, color] : none.Pixels) EXPECT_EQ(color, kBorder) << pixel.first << "," << pixel.second;
}

TEST(PaintPanelFrame, ShrinksByTheStyleWidthsAndStaysInsideTheBounds) {
  // The panel places its client area with FrameStyleWidth, so the painted
  // frame must take exactly that room, for every style, side set and bevel width.
  const TRect bounds{3, 4, 23, 20};
  const std::vector<TFrameStyleEx> styles{fsNone,  fsFlat,   fsGroove, fsBump,     fsLowered,     fsButtonDown,
                                          fsRaised, fsButtonUp, fsStatus, fsPopup, fsFlatBold, fsFlatRounded};
  for (TFrameStyleEx outer : styles)
    for (TFrameStyleEx inner : {fsNone, fsRaised, fsStatus, fsFlatRounded})
      for (uint32_t sides : {kAllSides, 0u, static_cast<uint32_t>(sdLeft | sdBottom)})
        for (int bevelWidth : {1, 3})
          for (bool transparent : {false, true}) {
            SCOPED_TRACE(testing::Message() << "outer " << int(outer) << " inner " << int(inner) << " sides "
                                            << sides << " bevel " << bevelWidth << " transparent " << transparent);
            RecordingCanvas canvas;
            const int borderWidth = 2;
            const TRect inside = PaintPanel(canvas, bounds, outer, inner, borderWidth, sides, transparent, bevelWidth);
            const int shrink = FrameStyleWidth(outer, bevelWidth) + borderWidth + FrameStyleWidth(inner, bevelWidth);
            const TRect expected{bounds.Left + (sides & sdLeft ? shrink : 0), bounds.Top + (sides & sdTop ? shrink : 0),
                                 bounds.Right - (sides & sdRight ? shrink : 0),
                                 bounds.Bottom - (sides & sdBottom ? shrink : 0)};
            EXPECT_EQ(inside, expected);
            if (sides == 0) {
              EXPECT_EQ(canvas.DrawCalls(), 0);
            }
            for (const auto& [pixel, color] : canvas.Pixels) {
              EXPECT_TRUE(bounds.Contains({pixel.first, pixel.second})) << pixel.first << "," << pixel.second;
              EXPECT_FALSE(inside.Contains({pixel.first, pixel.second})) << pixel.first << "," << pixel.second;
            }
          }
}

}  // namespace
