// Popup menu painting by pixel: the plain window and items, our skin's faces,
// the text each item state asks for, a morph half way and the scroll markers.
#include "skin/menu/menu_paint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "skin/pixels/bmp_pixels.h"
#include "skin/pixels/pixel_copy.h"
#include "skin/data/skin_data.h"
#include "skin/data/stored_skin.h"
#include "skin/menu/menu_item.h"

namespace {

struct DrawnText {
  int X = 0, Y = 0;
  std::string Text;
  TColor Color = 0;
  bool operator==(const DrawnText&) const = default;
};

void PrintTo(const DrawnText& t, std::ostream* os) {
  *os << "{" << t.X << ", " << t.Y << ", \"" << t.Text << "\", 0x" << std::hex << t.Color << std::dec << "}";
}

// 7 pixels a character, an accelerator's "&" taking none; 14 high.
class RecordingText : public TMenuTextCanvas {
 public:
  int TextWidth(std::string_view text) override {
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '&' && i + 1 < text.size()) ++i;
      width += 7;
    }
    return width;
  }
  int TextHeight() override { return 14; }
  void DrawMenuText(PixelView, int x, int y, std::string_view text, TColor color) override {
    Drawn.push_back({x, y, std::string(text), color});
  }
  std::vector<DrawnText> Drawn;
};

constexpr Bgr kUnpainted{1, 2, 3};

PixelImage Canvas(int width, int height) {
  PixelImage image(width, height);
  FillPixels(image.View(), {0, 0, width, height}, kUnpainted);
  return image;
}

TMenuItem Item(std::string caption, std::string shortCut = "", bool enabled = true) {
  TMenuItem item;
  item.Caption = std::move(caption);
  item.ShortCut = std::move(shortCut);
  item.Enabled = enabled;
  return item;
}

const Bgr kFace = BgrOf(clBtnFace), kWindow = BgrOf(clWindow), kShadow = BgrOf(clBtnShadow),
          kText = BgrOf(clWindowText);

// Three 16 x 16 images; each draw is recorded and paints its box one colour.
class RecordingImages : public TMenuImages {
 public:
  int32_t Count() const override { return 3; }
  int32_t Width() const override { return 16; }
  int32_t Height() const override { return 16; }
  void DrawImage(PixelView target, int x, int y, int32_t index) override {
    Drawn.push_back({x, y, std::to_string(index), 0});
    FillPixels(target, {x, y, x + 16, y + 16}, kImage);
  }
  static constexpr Bgr kImage{9, 99, 199};
  std::vector<DrawnText> Drawn;
};

TEST(MenuPaint, PlainMarksCheckRadioAndImageWithItsFrame) {
  RecordingText text;
  TMenuItem check = Item("&Wrap");
  check.Checked = true;
  PixelImage item = Canvas(120, 20);
  PaintMenuItem(item.View(), {}, {}, check, {}, nullptr, text);
  // Three strokes from (4, 6 + 5) down to (6, 6 + 7) and up to (11, 6 + 2), each a pixel above the last.
  for (auto [x, y] : {std::pair{4, 11}, {5, 12}, {6, 13}, {10, 9}, {4, 9}, {6, 11}, {10, 7}})
    EXPECT_EQ(item.At(x, y), kText) << x << "," << y;
  for (auto [x, y] : {std::pair{4, 12}, {11, 8}, {6, 14}, {4, 8}}) EXPECT_EQ(item.At(x, y), kFace) << x << "," << y;

  // A checked radio item: a filled circle six across at (4, 10 - 3), its corners cut.
  check.RadioItem = true;
  PaintMenuItem(item.View(), {}, {}, check, {}, nullptr, text);
  for (auto [x, y] : {std::pair{5, 7}, {8, 7}, {4, 8}, {9, 11}, {6, 10}, {5, 12}})
    EXPECT_EQ(item.At(x, y), kText) << x << "," << y;
  for (auto [x, y] : {std::pair{4, 7}, {9, 7}, {4, 12}, {9, 12}, {10, 9}, {6, 13}})
    EXPECT_EQ(item.At(x, y), kFace) << x << "," << y;
  // Unchecked: no mark.
  check.Checked = false;
  PaintMenuItem(item.View(), {}, {}, check, {}, nullptr, text);
  EXPECT_EQ(item.At(6, 10), kFace);

  // With images: the image at x = 2, centred in (2, 2)-(118, 18); checked, a
  // text-coloured rectangle round it; the column and the caption move to 16 + 5.
  RecordingImages images;
  TMenuItem open = Item("&Open");
  open.ImageIndex = 2;
  open.Checked = true;
  open.RadioItem = true;  // the image still wins
  text.Drawn.clear();
  PaintMenuItem(item.View(), {}, {}, open, {}, &images, text);
  EXPECT_EQ(images.Drawn, (std::vector<DrawnText>{{2, 2, "2", 0}}));
  EXPECT_EQ(item.At(10, 10), RecordingImages::kImage);
  for (auto [x, y] : {std::pair{1, 1}, {18, 1}, {1, 18}, {18, 18}}) EXPECT_EQ(item.At(x, y), kText) << x << "," << y;
  EXPECT_EQ(item.At(19, 10), kFace);
  EXPECT_EQ(item.At(20, 10), kFace);
  EXPECT_EQ(item.At(21, 10), kWindow);
  EXPECT_EQ(text.Drawn, (std::vector<DrawnText>{{23, 3, "&Open", clWindowText}}));
  // An index past the list: no image, the check mark's round form instead.
  open.ImageIndex = 3;
  PaintMenuItem(item.View(), {}, {}, open, {}, &images, text);
  EXPECT_EQ(images.Drawn.size(), 1u);
  EXPECT_EQ(item.At(6, 10), kText);
  EXPECT_EQ(item.At(1, 1), kFace);
}

TEST(MenuPaint, PlainBackgroundColumnAndFrames) {
  PixelImage window = Canvas(100, 60);
  PaintMenuBackground(window.View(), {}, {}, std::nullopt);
  for (int y : {0, 59}) EXPECT_EQ(window.At(50, y), kShadow);
  for (int x : {0, 99}) EXPECT_EQ(window.At(x, 30), kShadow);
  EXPECT_EQ(window.At(1, 30), kWindow);   // the inner frame crosses the column
  EXPECT_EQ(window.At(50, 1), kWindow);
  EXPECT_EQ(window.At(2, 30), kFace);     // column 21 wide
  EXPECT_EQ(window.At(20, 30), kFace);
  EXPECT_EQ(window.At(21, 30), kWindow);
  EXPECT_EQ(window.At(98, 58), kWindow);

  // With 16-pixel images the column is 16 + 5 + 2 wide.
  PaintMenuBackground(window.View(), {}, {}, 16);
  EXPECT_EQ(window.At(22, 30), kFace);
  EXPECT_EQ(window.At(23, 30), kWindow);

  PaintMenuBackground(PixelView(), {}, {}, std::nullopt);  // nothing to paint, nothing touched
}

TEST(MenuPaint, PlainItemStatesTextArrowGlyphAndSeparator) {
  RecordingText text;
  PixelImage item = Canvas(120, 20);
  TMenuItem close = Item("&Close", "Alt+F4");
  close.Name = "SKF_MINITEM";  // the minimize glyph: two rows at y + 8, y + 9 from x + 1 to x + 8
  close.SubItems = {Item("Sub")};

  PaintMenuItem(item.View(), {}, {}, close, {}, nullptr, text);
  EXPECT_EQ(item.At(0, 0), kFace);
  EXPECT_EQ(item.At(18, 19), kFace);
  EXPECT_EQ(item.At(19, 0), kWindow);
  EXPECT_EQ(item.At(119, 19), kWindow);
  // Text area (2, 2)-(118, 18): caption from 2 + 16, shortcut ending 19 short of the right.
  EXPECT_EQ(text.Drawn, (std::vector<DrawnText>{{18, 3, "&Close", clWindowText}, {57, 3, "Alt+F4", clWindowText}}));
  // The glyph at x = 4, centre 10 - 4.
  EXPECT_EQ(item.At(5, 14), kText);
  EXPECT_EQ(item.At(12, 15), kText);
  EXPECT_EQ(item.At(4, 14), kFace);
  EXPECT_EQ(item.At(13, 15), kFace);
  // The arrow: a 7-high column at (118 - 7, 10 - 4) narrowing to its tip three to the right.
  for (int y = 6; y <= 12; ++y) EXPECT_EQ(item.At(111, y), kText) << y;
  EXPECT_EQ(item.At(111, 5), kWindow);
  EXPECT_EQ(item.At(111, 13), kWindow);
  EXPECT_EQ(item.At(114, 9), kText);
  EXPECT_EQ(item.At(114, 8), kWindow);
  EXPECT_EQ(item.At(115, 9), kWindow);

  // Disabled: shadow text.
  text.Drawn.clear();
  PaintMenuItem(item.View(), {}, {}, Item("Gone", "", false), {}, nullptr, text);
  EXPECT_EQ(text.Drawn, (std::vector<DrawnText>{{18, 3, "Gone", clBtnShadow}}));

  // Lit, or with its sub-menu open: navy frame over the fill, the column included.
  for (const TMenuItemLook look : {TMenuItemLook{.Lit = true}, TMenuItemLook{.SubOpen = true}}) {
    text.Drawn.clear();
    PaintMenuItem(item.View(), {}, {}, Item("Gone", "", false), look, nullptr, text);
    for (auto [x, y] : {std::pair{0, 0}, {119, 10}, {60, 19}, {0, 19}}) EXPECT_EQ(item.At(x, y), BgrOf(clNavy));
    for (auto [x, y] : {std::pair{1, 1}, {10, 10}, {118, 18}}) EXPECT_EQ(item.At(x, y), BgrOf(0xD2BDB6));
    EXPECT_EQ(text.Drawn, (std::vector<DrawnText>{{18, 3, "Gone", clWindowText}}));
  }

  // A caption too long for its span, (80 - 2 - 19) - 18 = 41, is cut; a cut
  // that would leave a lone "&" before the dots drops it.
  PixelImage narrow = Canvas(80, 20);
  text.Drawn.clear();
  PaintMenuItem(narrow.View(), {}, {}, Item("Restore the window"), {}, nullptr, text);
  PaintMenuItem(narrow.View(), {}, {}, Item("No&w and then"), {}, nullptr, text);
  PaintMenuItem(narrow.View(), {}, {}, Item("A&&B and C"), {}, nullptr, text);
  ASSERT_EQ(text.Drawn.size(), 3u);
  EXPECT_EQ(text.Drawn[0].Text, "Re...");
  EXPECT_EQ(text.Drawn[1].Text, "No...");
  EXPECT_EQ(text.Drawn[2].Text, "A&&...");  // a doubled "&" is a drawn one

  // A separator: a shadow line at mid-height from the column on, no text even when lit.
  PixelImage separator = Canvas(120, 4);
  text.Drawn.clear();
  PaintMenuItem(separator.View(), {}, {}, Item("-"), {.Lit = true}, nullptr, text);
  EXPECT_TRUE(text.Drawn.empty());
  EXPECT_EQ(separator.At(18, 2), kFace);
  EXPECT_EQ(separator.At(19, 2), kShadow);
  EXPECT_EQ(separator.At(119, 2), kShadow);
  EXPECT_EQ(separator.At(60, 1), kWindow);
  EXPECT_EQ(separator.At(60, 3), kWindow);
}

// Our skin from assets/skin, through the skin data loader.
class OurSkinMenu : public testing::Test {
 protected:
  void SetUp() override {
    TStoredSkin stored(nullptr);
    stored.ReadSkinFiles(std::string(VESPERMARK_SKIN_DIR) + "/skin.ini");
    data.LoadStoredSkin(stored);
    skin = MenuSkinOf(data);
    ASSERT_TRUE(skin.Skinned());
    back = PixelImageFromBmp(data.ActivePictureBitmaps().at(skin.Popup->windowpictureindex).Image());
    itemPicture = PixelImageFromBmp(data.ActivePictureBitmaps().at(skin.Item->activepictureindex).Image());
    pictures = {&back, &itemPicture};
  }
  // Pixel (x, y) of a three-piece face of `rect` with 2-pixel ends, `width` wide.
  Bgr FaceAt(TRect rect, int width, int x, int y) const {
    const int middle = rect.Width() - 4;
    const int sx = x < 2 ? x : x >= width - 2 ? rect.Width() - (width - x) : 2 + (x - 2) % middle;
    return itemPicture.At(rect.Left + sx, rect.Top + y);
  }

  TSkinData data{nullptr};
  TMenuSkin skin;
  PixelImage back, itemPicture;
  TMenuPictures pictures;
  RecordingText text;
};

TEST_F(OurSkinMenu, BackgroundFitsTheWindowPictureToTheWindow) {
  ASSERT_EQ(skin.Item->itemleftoffset, 2);
  PixelImage window = Canvas(150, 90);
  PaintMenuBackground(window.View(), skin, pictures, std::nullopt);
  const int pw = back.Width() - 1, ph = back.Height() - 1;
  EXPECT_EQ(window.At(0, 0), back.At(0, 0));
  EXPECT_EQ(window.At(149, 0), back.At(pw, 0));
  EXPECT_EQ(window.At(0, 89), back.At(0, ph));
  EXPECT_EQ(window.At(149, 89), back.At(pw, ph));
  // Under the items too: the picture's items area repeated from the window's.
  const TRect& items = skin.Popup->itemsrect;
  for (auto [x, y] : {std::pair{items.Left, items.Top}, {100, 60}, {130, 70}})
    EXPECT_EQ(window.At(x, y), back.At(items.Left + (x - items.Left) % items.Width(),
                                       items.Top + (y - items.Top) % items.Height()))
        << x << "," << y;

  // The section's stretch flags reach the composition: a stretched top edge
  // changes the top border and nothing else. Our picture's top edge is one
  // colour along its length, so a picture with every pixel distinct stands in.
  PixelImage distinct(back.Width(), back.Height());
  for (int y = 0; y < back.Height(); ++y)
    for (int x = 0; x < back.Width(); ++x) distinct.Set(x, y, {uint8_t(x), uint8_t(y), 0});
  TDataSkinPopupWindow stretchedTop = *skin.Popup;
  stretchedTop.topstretch = true;
  const TMenuSkin stretchSkin{&stretchedTop, skin.Item, skin.PictureWidth, skin.PictureHeight};
  PixelImage tiled = Canvas(150, 90), stretched = Canvas(150, 90);
  PaintMenuBackground(tiled.View(), skin, {&distinct, &itemPicture}, std::nullopt);
  PaintMenuBackground(stretched.View(), stretchSkin, {&distinct, &itemPicture}, std::nullopt);
  int topChanges = 0;
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 150; ++x)
      if (y < items.Top)
        topChanges += stretched.At(x, y) != tiled.At(x, y);
      else
        ASSERT_EQ(stretched.At(x, y), tiled.At(x, y)) << x << "," << y;
  EXPECT_GT(topChanges, 0);

  // Without the window picture the window has the plain look.
  PaintMenuBackground(window.View(), skin, {nullptr, &itemPicture}, std::nullopt);
  EXPECT_EQ(window.At(0, 0), kShadow);
  EXPECT_EQ(window.At(5, 30), kFace);
}

TEST_F(OurSkinMenu, ItemFacesAndTextColours) {
  const TDataSkinMenuItem& d = *skin.Item;
  ASSERT_EQ(d.itemrightoffset, 2);
  const int w = 150, h = d.skinrect.Height();
  PixelImage item = Canvas(w, h);
  // Text area: textrect widened with the item, 16 in from both sides.
  const int textX = d.textrect.Left + 16, textY = d.textrect.Top + (d.textrect.Height() - 14) / 2;
  const int shortCutRight = w + d.textrect.Right - d.skinrect.Width() - 16;

  struct Case {
    TMenuItemLook look;
    bool enabled;
    TRect face;
    TColor color;
  };
  for (const Case& c : {Case{{}, true, d.skinrect, d.fontcolor}, Case{{}, false, d.skinrect, d.unenabledfontcolor},
                        Case{{.Lit = true}, true, d.activeskinrect, d.activefontcolor},
                        Case{{.SubOpen = true}, false, d.activeskinrect, d.activefontcolor}}) {
    text.Drawn.clear();
    PaintMenuItem(item.View(), skin, pictures, Item("&Minimize", "F9", c.enabled), c.look, nullptr, text);
    for (int y = 0; y < h; ++y)
      for (int x : {0, 1, 2, 70, 148, 149}) ASSERT_EQ(item.At(x, y), FaceAt(c.face, w, x, y)) << x << "," << y;
    EXPECT_EQ(text.Drawn, (std::vector<DrawnText>{{textX, textY, "&Minimize", c.color},
                                                  {shortCutRight - 14, textY, "F9", c.color}}));
  }

  // A separator is the divider, ends kept.
  PixelImage separator = Canvas(w, d.dividerrect.Height());
  text.Drawn.clear();
  PaintMenuItem(separator.View(), skin, pictures, Item("-"), {}, nullptr, text);
  EXPECT_TRUE(text.Drawn.empty());
  for (int y = 0; y < separator.Height(); ++y)
    for (int x : {0, 1, 2, 70, 148, 149}) ASSERT_EQ(separator.At(x, y), FaceAt(d.dividerrect, w, x, y)) << x;

  // Without the item picture the item has the plain look.
  PaintMenuItem(item.View(), skin, {&back, nullptr}, Item("Plain"), {}, nullptr, text);
  EXPECT_EQ(item.At(0, 0), kFace);
  EXPECT_EQ(item.At(60, 0), kWindow);
}

TEST_F(OurSkinMenu, MorphHalfWayBlendsTheTwoFaces) {
  TDataSkinMenuItem morphing = *skin.Item;
  morphing.morphing = true;
  morphing.morphkind = TMorphKind::mkdefault;
  const TMenuSkin morphSkin{skin.Popup, &morphing, skin.PictureWidth, skin.PictureHeight};

  EXPECT_FALSE(MenuItemMorphPending(skin, {.Lit = true, .BlendPos = 0.5}));  // our skin does not morph
  EXPECT_TRUE(MenuItemMorphPending(morphSkin, {.Lit = true, .BlendPos = 0.9}));
  EXPECT_FALSE(MenuItemMorphPending(morphSkin, {.Lit = true, .BlendPos = 1}));
  EXPECT_TRUE(MenuItemMorphPending(morphSkin, {.SubOpen = true, .BlendPos = 0}));
  EXPECT_TRUE(MenuItemMorphPending(morphSkin, {.BlendPos = 0.1}));
  EXPECT_FALSE(MenuItemMorphPending(morphSkin, {.BlendPos = 0}));
  EXPECT_FALSE(MenuItemMorphPending({}, {.Lit = true}));

  const int w = 100, h = morphing.skinrect.Height();
  PixelImage item = Canvas(w, h);
  PaintMenuItem(item.View(), morphSkin, pictures, Item("Half"), {.Lit = true, .BlendPos = 0.5}, nullptr, text);
  int differing = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Bgr a = FaceAt(morphing.skinrect, w, x, y), b = FaceAt(morphing.activeskinrect, w, x, y);
      auto mid = [](uint8_t p, uint8_t q) { return static_cast<uint8_t>(std::nearbyint((p + q) / 2.0)); };
      ASSERT_EQ(item.At(x, y), (Bgr{mid(a.Blue, b.Blue), mid(a.Green, b.Green), mid(a.Red, b.Red)})) << x << "," << y;
      differing += a != b;
    }
  EXPECT_GT(differing, 0);  // the two faces differ, so the blend shows
}

TEST_F(OurSkinMenu, MorphStepsTenFramesEachWayAndAHiddenItemRestsOnItsFace) {
  TDataSkinMenuItem morphing = *skin.Item;
  morphing.morphing = true;
  const TMenuSkin morphSkin{skin.Popup, &morphing, skin.PictureWidth, skin.PictureHeight};
  // Ten painted frames up to the active face and ten back, whatever state turned it.
  auto run = [&](TMenuItemLook& look) {
    std::vector<double> frames;
    while (StepMenuItemMorph(morphSkin, look, true)) {
      frames.push_back(look.BlendPos);
      if (frames.size() > 20) break;
    }
    return frames;
  };
  TMenuItemLook look{.Lit = true};
  const std::vector<double> up = run(look);
  ASSERT_EQ(up.size(), 10u);
  EXPECT_TRUE(std::is_sorted(up.begin(), up.end()));
  EXPECT_EQ(up.back(), 1.0);
  look.Lit = false;
  look.SubOpen = true;  // an open sub-menu keeps the item lit
  EXPECT_TRUE(run(look).empty());
  look.SubOpen = false;
  const std::vector<double> down = run(look);
  ASSERT_EQ(down.size(), 10u);
  EXPECT_TRUE(std::is_sorted(down.rbegin(), down.rend()));
  EXPECT_EQ(down.back(), 0.0);

  for (const bool lit : {true, false}) {
    TMenuItemLook hidden{.Lit = lit, .BlendPos = 0.4};
    EXPECT_FALSE(StepMenuItemMorph(morphSkin, hidden, false));
    EXPECT_EQ(hidden.BlendPos, lit ? 1.0 : 0.0);
    EXPECT_FALSE(MenuItemMorphPending(morphSkin, hidden));
  }
  TMenuItemLook still{.Lit = true};
  EXPECT_FALSE(StepMenuItemMorph(skin, still, true)) << "our skin does not morph";
}

TEST(MenuPaint, ScrollMarkersLightTheDirectionScrolled) {
  const int w = 100, h = 200;
  const TMenuScrollMarkers plainBands = MenuScrollMarkers({}, MenuFitPoints({}, w, h).Client, w, h);
  // Arrow tips two pixels from each band's centre: up (50, 6), down (50, 195).
  PixelImage window = Canvas(w, h);
  PaintMenuScrollMarkers(window.View(), {}, plainBands, TMenuScroll::Up);
  EXPECT_EQ(window.At(50, 6), BgrOf(clBtnText));
  EXPECT_EQ(window.At(47, 9), BgrOf(clBtnText));
  EXPECT_EQ(window.At(50, 195), kShadow);
  EXPECT_EQ(window.At(53, 192), kShadow);
  EXPECT_EQ(window.At(50, 5), kUnpainted);
  PaintMenuScrollMarkers(window.View(), {}, plainBands, TMenuScroll::None);
  EXPECT_EQ(window.At(50, 6), kShadow);

  TDataSkinPopupWindow popup;
  popup.scrollmarkercolor = clRed;
  popup.scrollmarkeractivecolor = clLime;
  TDataSkinMenuItem menuItem{"menuitem"};
  const TMenuSkin skin{&popup, &menuItem, 10, 10};
  const TMenuScrollMarkers bands{{0, 0, w, 10}, {0, 150, w, 160}};
  PaintMenuScrollMarkers(window.View(), skin, bands, TMenuScroll::Down);
  EXPECT_EQ(window.At(50, 3), BgrOf(clRed));
  EXPECT_EQ(window.At(50, 157), BgrOf(clLime));
}

}  // namespace
