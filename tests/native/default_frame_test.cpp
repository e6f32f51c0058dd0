// The frame drawn without a skin: where its buttons go and what it paints.
#include "skin/frame/default_frame.h"

#include <gtest/gtest.h>

#include <vector>

void PrintTo(const TRect& r, std::ostream* os);

namespace {

TFrameObjectPlace Button(TSkinCommand command, bool visible = true) {
  TFrameObjectPlace place;
  place.Kind = TFrameObjectKind::StdButton;
  place.Command = command;
  place.Visible = visible;
  return place;
}

TEST(DefaultFrame, ButtonsFromTheRightEdgeInwardsAndTheSystemMenuAtTheLeft) {
  // In list order as the frame makes them.
  std::vector<TFrameObjectPlace> buttons{Button(TSkinCommand::cmclose), Button(TSkinCommand::cmmaximize),
                                         Button(TSkinCommand::cmminimize), Button(TSkinCommand::cmrollup),
                                         Button(TSkinCommand::cmsysmenu)};
  TCaptionSpan span = PlaceDefaultButtons(buttons, 199, false);
  EXPECT_EQ(buttons[0].Rect, (TRect{179, 4, 196, 21}));
  EXPECT_EQ(buttons[3].Rect, (TRect{128, 4, 145, 21}));
  EXPECT_EQ(buttons[4].Rect, (TRect{3, 4, 20, 21}));
  EXPECT_EQ(span.Left, 20);
  EXPECT_EQ(span.Right, 128);

  buttons[1].Visible = false;  // a hidden button leaves no gap
  span = PlaceDefaultButtons(buttons, 199, true);
  EXPECT_EQ(buttons[2].Rect, (TRect{170, 4, 183, 17}));
  EXPECT_EQ(span.Right, 157);
  EXPECT_EQ(CentredTextLeft(span, 40), 16 + (157 - 16) / 2 - 20);
}

TEST(DefaultFrame, BevelsAndGroovesLeaveTheClientAlone) {
  PixelImage window(60, 40);
  const Bgr untouched{1, 2, 3};
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) window.View().Set(x, y, untouched);
  ComposeDefaultFrame(window.View(), 19, TCaptionSpan{20, 50});
  EXPECT_EQ(window.At(0, 0), BgrOf(cl3DLight));
  EXPECT_EQ(window.At(59, 39), BgrOf(cl3DDkShadow));
  EXPECT_EQ(window.At(1, 20), BgrOf(clBtnHighlight));
  EXPECT_EQ(window.At(58, 20), BgrOf(clBtnShadow));
  EXPECT_EQ(window.At(2, 39 - 2), BgrOf(clBtnFace));
  // Grooves on bar rows 2..15 between the groups, alternating from the light one.
  EXPECT_EQ(window.At(30, 3 + 2), BgrOf(clBtnHighlight));
  EXPECT_EQ(window.At(30, 3 + 3), BgrOf(clBtnShadow));
  EXPECT_EQ(window.At(30, 3 + 15), BgrOf(clBtnShadow));
  EXPECT_EQ(window.At(30, 3 + 16), BgrOf(clBtnFace));
  EXPECT_EQ(window.At(10, 3 + 2), BgrOf(clBtnFace)) << "no groove under the buttons";
  EXPECT_EQ(window.At(30, 25), untouched) << "the client area";
}

}  // namespace
