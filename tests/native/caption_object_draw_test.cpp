// How the caption objects draw: which picture rectangle each state shows,
// morph frames, the skin-less buttons and where the caption's text goes.
#include <gtest/gtest.h>

#include "caption_object_fakes.h"
#include "skin/data/skin_data.h"

namespace {

// Every pixel names where it came from: (x, y) and the picture's own red.
PixelImage Marked(int width, int height, uint8_t red) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Set(x, y, {uint8_t(x), uint8_t(y), red});
  return image;
}
constexpr uint8_t kFrameRed = 77, kExtraRed = 99;

Bgr BgrOf(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return {BlueOf(rgb), GreenOf(rgb), RedOf(rgb)};
}

struct Rig {
  Rig() {
    pictures.Frame = Marked(180, 40, kFrameRed);
    pictures.Extra.push_back(Marked(180, 40, kExtraRed));
  }
  // A fresh, black window to draw on.
  PixelView Clear() {
    window = PixelImage(180, 40);
    canvas.Pixels = window.View();
    return canvas.Pixels;
  }
  FakeFrame frame;
  TObjectPictures pictures;
  PixelImage window{180, 40};
  FakeCanvas canvas{window.View(), {0, 0}};
};

TEST(CaptionObjectDraw, StandardButtonsShowTheLookOfTheirState) {
  Rig rig;
  TDataSkinStdButton data("maxbutton");
  data.skinrect = {20, 5, 29, 14};
  data.activepictureindex = 0;
  data.downrect = {2, 16, 11, 25};
  data.restorerect = {40, 0, 49, 9};
  data.disableskinrsect = {50, 0, 59, 9};
  data.command = TSkinCommand::cmmaximize;
  TSkinStdButtonObject button(rig.frame, nullptr, rig.pictures, &data);
  button.ObjectRect = {30, 10, 39, 19};  // moved by the frame

  // Into a frame strip the normal look is already there; straight onto the window it is copied.
  button.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(30, 10), Bgr{});
  button.Draw(rig.canvas, true);
  EXPECT_EQ(rig.window.At(38, 18), (Bgr{28, 13, kFrameRed}));

  // Pressed: the pressed look only while the pointer is over it.
  button.MouseEnter();
  button.MouseDown(32, 12, kObjectLeftButton);
  button.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(30, 10), (Bgr{2, 16, kExtraRed}));
  button.MouseLeave();
  rig.Clear();
  button.Draw(rig.canvas, true);
  EXPECT_EQ(rig.window.At(30, 10), (Bgr{20, 5, kFrameRed}));

  // Maximised: the restore look, into the strip too, whose picture shows the other one.
  button.ResetState();
  rig.frame.Maximized = true;
  rig.Clear();
  button.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(30, 10), (Bgr{40, 0, kExtraRed}));

  // Drawn into a strip that starts lower on the window.
  rig.canvas.Origin = {0, 5};
  rig.Clear();
  button.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(30, 5), (Bgr{40, 0, kExtraRed}));
  rig.canvas.Origin = {0, 0};

  button.Usable = false;
  rig.Clear();
  button.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(30, 10), (Bgr{50, 0, kExtraRed}));
}

TEST(CaptionObjectDraw, AMorphingFaceIsTheTransitionOfItsTwoLooksAtTheBlendPosition) {
  Rig rig;
  rig.pictures.Frame = PixelImage(180, 40);  // the normal look is black
  rig.pictures.Extra[0] = PixelImage(20, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) rig.pictures.Extra[0].Set(x, y, {200, 100, 50});
  TDataSkinButton data("btn");
  data.skinrect = {0, 0, 10, 10};
  data.activepictureindex = 0;
  data.activeskinrect = {10, 0, 20, 10};
  data.morphing = true;
  TSkinButtonObject button(rig.frame, nullptr, rig.pictures, &data);
  button.MouseEnter();
  for (int i = 0; i < 5; ++i) button.BlendStep();
  button.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(9, 9), (Bgr{100, 50, 25}));

  // The left slide at one half: the first five columns are the active look.
  button.morphkind = TMorphKind::mkleftslide;
  rig.Clear();
  button.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(4, 5), (Bgr{200, 100, 50}));
  EXPECT_EQ(rig.window.At(5, 5), Bgr{});

  for (int i = 0; i < 5; ++i) button.BlendStep();
  rig.Clear();
  button.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(9, 5), (Bgr{200, 100, 50}));
}

TEST(CaptionObjectDraw, ButtonsWithoutSkinAreFilledFramedAndCarryTheirGlyph) {
  Rig rig;
  TSkinStdButtonObject button(rig.frame, nullptr, rig.pictures, "closebutton", TSkinCommand::cmclose);
  button.ObjectRect = {0, 0, 17, 17};
  button.Draw(rig.canvas, true);
  EXPECT_EQ(rig.window.At(0, 0), BgrOf(clBtnFace));
  // The close glyph's cell is at (17 div 2 - 5, 17 div 2 - 4); its first pixel one in.
  EXPECT_EQ(rig.window.At(4, 5), BgrOf(clBtnText));

  button.MouseEnter();
  button.Draw(rig.canvas, true);
  EXPECT_EQ(rig.window.At(0, 0), BgrOf(clNavy));
  EXPECT_EQ(rig.window.At(16, 16), BgrOf(clNavy));
  EXPECT_EQ(rig.window.At(1, 1), BgrOf(0xD2BDB6));

  // Pressed under the pointer the glyph moves one pixel right and down.
  button.MouseDown(5, 5, kObjectLeftButton);
  button.Draw(rig.canvas, true);
  EXPECT_EQ(rig.window.At(1, 1), BgrOf(0xB59385));
  EXPECT_EQ(rig.window.At(4, 5), BgrOf(0xB59385));
  EXPECT_EQ(rig.window.At(5, 6), BgrOf(clBtnText));

  button.ResetState();
  button.Usable = false;
  button.Draw(rig.canvas, true);
  EXPECT_EQ(rig.window.At(4, 5), BgrOf(clBtnShadow));

  // The system-menu button shows the form's icon when asked to.
  rig.frame.Icon = true;
  TSkinStdButtonObject sysmenu(rig.frame, nullptr, rig.pictures, "sysmenubutton", TSkinCommand::cmsysmenu);
  sysmenu.ObjectRect = {3, 4, 19, 20};
  sysmenu.Draw(rig.canvas, true);
  EXPECT_EQ(rig.canvas.Icons, std::vector<TRect>{(TRect{3, 4, 19, 20})});
}

// Our skin's caption with colours that tell the four apart.
TDataSkinCaption CaptionData() {
  TDataSkinCaption data("caption1");
  data.skinrect = {41, 3, 102, 18};
  data.textrect = {2, 1, 60, 14};
  data.alignment = TSkinAlignment::taCenter;
  data.shadow = true;
  data.fontcolor = 0x000005;
  data.activefontcolor = 0x000006;
  data.shadowcolor = 0x000007;
  data.activeshadowcolor = 0x000008;
  return data;
}

TEST(CaptionTextLayout, TextIsAlignedInTheStretchedAreaAndShortenedToIt) {
  Rig rig;
  const TDataSkinCaption data = CaptionData();
  TSkinCaptionObject caption(rig.frame, nullptr, rig.pictures, &data);
  caption.ObjectRect = {41, 3, 125, 18};  // 23 wider: the text area is 2..83
  FakeCanvas& m = rig.canvas;             // 6 pixels a character, 14 high

  TCaptionTextPlace place = caption.PlaceText(m, 14, "Vespermark", {41, 3}, false);
  EXPECT_EQ(place.Text, "Vespermark");
  EXPECT_EQ(place.At, (TPoint{41 + 2 + 40 - 30, 3 + 1 + 6 - 7}));
  EXPECT_EQ(place.Color, 0x000005);
  EXPECT_TRUE(place.Shadow);
  EXPECT_EQ(place.ShadowAt, (TPoint{place.At.X + 1, place.At.Y + 1}));
  EXPECT_EQ(place.ShadowColor, 0x000007);
  EXPECT_EQ(place.FrameWidth, 0);

  // 20 characters do not fit in 81 pixels: 10 and "..." do.
  place = caption.PlaceText(m, 14, "Vespermark shutdown!", {0, 0}, false);
  EXPECT_EQ(place.Text, "Vespermark...");
  EXPECT_EQ(place.At.X, 2 + 40 - 39);

  caption.alignment = TSkinAlignment::taRightJustify;
  EXPECT_EQ(caption.PlaceText(m, 14, "Vespermark", {0, 0}, false).At.X, 83 - 60);
  caption.alignment = TSkinAlignment::taLeftJustify;
  EXPECT_TRUE(caption.PlaceText(m, 14, "", {0, 0}, false).Text.empty());

  // A frame behind the text: the text sits at frametextrect inside it.
  caption.framerect = {0, 0, 20, 16};
  caption.activeframerect = {0, 16, 20, 32};
  caption.frametextrect = {4, 2, 16, 14};
  caption.ExtraPicture = &rig.pictures.Extra[0];
  place = caption.PlaceText(m, 14, "Vespermark", {0, 0}, true);
  EXPECT_EQ(place.At, (TPoint{6, 3 + 5 - 7}));
  EXPECT_EQ(place.FrameWidth, 20 + 60 - 12);
  EXPECT_EQ(place.FrameAt, (TPoint{2, -1}));
  EXPECT_EQ(place.FrameSource, caption.activeframerect);

  caption.textrect = {};
  EXPECT_TRUE(caption.PlaceText(m, 14, "Vespermark", {0, 0}, false).Text.empty());
}

TEST(CaptionObjectDraw, TheCaptionDrawsItsTextOverTheFrameOrItsLookWithTheFramesFixedEnds) {
  Rig rig;
  TSkinData skin(nullptr);
  skin.lefttoppoint = {48, 35};
  skin.righttoppoint = {99, 34};
  TDataSkinCaption data = CaptionData();
  TSkinCaptionObject plain(rig.frame, &skin, rig.pictures, &data);
  plain.Lit = true;
  plain.Draw(rig.canvas, true);
  // No active look: only the text, shadow first, over what the window shows.
  ASSERT_EQ(rig.canvas.Texts.size(), 2u);
  EXPECT_EQ(rig.canvas.Texts[0].Color, 0x000008);
  EXPECT_EQ(rig.canvas.Texts[1].Color, 0x000006);
  // 58 pixels take "Vesper..." only.
  EXPECT_EQ(rig.canvas.Texts[1].Text, "Vesper...");
  EXPECT_EQ(rig.canvas.Texts[1].X, 41 + 2 + 29 - 54 / 2);
  EXPECT_EQ(rig.window.At(41, 3), Bgr{});

  // With an active look and a morph, the inactive caption builds its normal look.
  data.activepictureindex = 0;
  data.activeskinrect = {0, 0, 61, 15};
  data.morphing = true;
  TSkinCaptionObject caption(rig.frame, &skin, rig.pictures, &data);
  caption.ObjectRect = {41, 3, 141, 18};
  rig.canvas.Texts.clear();
  caption.Draw(rig.canvas, false);
  // The first 7 and last 3 columns are the source's ends; the middle
  // (source 48..98) is tiled from the left edge under them.
  EXPECT_EQ(rig.window.At(41, 3), (Bgr{41, 3, kFrameRed}));
  EXPECT_EQ(rig.window.At(41 + 6, 3), (Bgr{47, 3, kFrameRed}));
  EXPECT_EQ(rig.window.At(41 + 7, 3), (Bgr{55, 3, kFrameRed}));
  EXPECT_EQ(rig.window.At(41 + 51, 3), (Bgr{48, 3, kFrameRed}));
  EXPECT_EQ(rig.window.At(140, 17), (Bgr{101, 17, kFrameRed}));
  // Its text in the normal colour, at its place in the widened object.
  ASSERT_EQ(rig.canvas.Texts.size(), 2u);
  EXPECT_EQ(rig.canvas.Texts[1].Color, 0x000005);
  EXPECT_EQ(rig.window.At(41 + 2 + 48 - 30, 3), (Bgr{1, 2, 5}));

  // The skin renders inactive looks with its effect.
  skin.autorenderinginactiveimage = true;
  skin.inactiveeffect = TSkinEffect::ieinvert;
  caption.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(41, 3), (Bgr{255 - 41, 255 - 3, 255 - kFrameRed}));

  // Active: the active look from the extra picture.
  caption.Lit = true;
  caption.SetBlendPos(1);
  caption.Draw(rig.canvas, false);
  EXPECT_EQ(rig.window.At(41, 3), (Bgr{0, 0, kExtraRed}));
}

}  // namespace
