// Popup menu sizes in both looks, the scaled window points, item text places,
// the skin's menu data, the item layout and scrolling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/pixels/glyph_layout.h"
#include "skin/data/skin_data.h"
#include "skin/menu/menu_item.h"
#include "skin/menu/menu_layout.h"
#include "skin/menu/menu_metrics.h"

void PrintTo(const TRect& r, std::ostream* os);  // frame_paint_test.cpp

namespace {

class SevenPerByte : public TextMeasure {
 public:
  int TextWidth(std::string_view text) override { return 7 * static_cast<int>(text.size()); }
};

// A 100 x 60 picture whose items rectangle leaves 20 x 18 of border; items
// 22 high (dividers 6) with 12 pixels of face outside their text.
struct TestSkin {
  TDataSkinPopupWindow popup;
  TDataSkinMenuItem item{"menuitem"};
  TestSkin() {
    popup.lefttoppoint = {5, 4};
    popup.righttoppoint = {95, 4};
    popup.leftbottompoint = {5, 55};
    popup.rightbottompoint = {95, 56};
    popup.itemsrect = {10, 8, 90, 50};
    item.skinrect = {0, 0, 60, 22};
    item.dividerrect = {0, 30, 60, 36};
    item.textrect = {4, 2, 52, 20};
  }
  TMenuSkin Menu() const { return {&popup, &item, 100, 60}; }
};

std::vector<TMenuItem> TrayLikeItems() {
  std::vector<TMenuItem> items(3);
  items[0].Caption = "&Restore";  // 8 bytes: 58
  items[1].Caption = "-";         // 9
  items[2].Caption = "&Close";
  items[2].ShortCut = "Alt+F4";  // "&Close  Alt+F4": 100
  return items;
}

TEST(MenuMetrics, WindowSizePlainSkinnedAndScrolling) {
  SevenPerByte measure;
  const std::vector<TMenuItem> items = TrayLikeItems();
  const std::vector<TMenuItemSize> plain = MeasureMenuItems(items, measure, {}, 20);
  EXPECT_EQ(plain, (std::vector<TMenuItemSize>{{58, 20}, {9, 4}, {100, 20}}));
  EXPECT_EQ(MenuWindowSize(plain, MarkColumnWidth(std::nullopt), {}, {0, 0, 1024, 48}), (TMenuWindowSize{148, 48, false}));
  EXPECT_EQ(MenuWindowSize(plain, MarkColumnWidth(16), {}, {0, 0, 1024, 47}), (TMenuWindowSize{150, 47, true}));

  TestSkin skin;
  const std::vector<TMenuItemSize> skinned = MeasureMenuItems(items, measure, skin.Menu(), 20);
  EXPECT_EQ(skinned, (std::vector<TMenuItemSize>{{58, 22}, {9, 6}, {100, 22}}));
  EXPECT_EQ(MenuWindowSize(skinned, 19, skin.Menu(), {0, 0, 1024, 800}), (TMenuWindowSize{170, 68, false}));
  // Without the window picture or the item object the whole menu is plain.
  for (TMenuSkin partial : {TMenuSkin{&skin.popup, &skin.item, 0, 0}, TMenuSkin{&skin.popup, nullptr, 100, 60}}) {
    EXPECT_EQ(MeasureMenuItems(items, measure, partial, 20), plain);
    EXPECT_EQ(MenuWindowSize(plain, 19, partial, {0, 0, 1024, 800}), (TMenuWindowSize{148, 48, false}));
  }
}

TEST(MenuMetrics, FitPointsItemTextPlacesAndGlyphs) {
  TestSkin skin;
  const TFramePoints fit = MenuFitPoints(skin.Menu(), 170, 68);
  EXPECT_EQ((std::vector<TPoint>{fit.LeftTop, fit.RightTop, fit.LeftBottom, fit.RightBottom}),
            (std::vector<TPoint>{{5, 4}, {165, 4}, {5, 63}, {165, 64}}));
  EXPECT_EQ(fit.Client, (TRect{10, 8, 160, 58}));
  EXPECT_EQ(MenuFitPoints({}, 148, 48).Client, (TRect{2, 2, 146, 46}));

  // Skinned item 150 x 22: the text rectangle's right end moves with the width.
  EXPECT_EQ(PlaceMenuItemText(skin.Menu(), 150, 22, std::nullopt),
            (TMenuItemTextPlace{{4, 2, 142, 20}, 20, 126, 126, {135, 7}, 6, 6}));
  EXPECT_EQ(PlaceMenuItemText(skin.Menu(), 150, 22, 16).CaptionLeft, 25);
  EXPECT_EQ(PlaceMenuItemText({}, 144, 20, std::nullopt),
            (TMenuItemTextPlace{{2, 2, 142, 18}, 18, 123, 123, {135, 6}, 4, 2}));

  // The tray's items show the same glyphs as the system menu's; user items none.
  EXPECT_EQ(MenuItemGlyph("TRAY_SKF_RESTORE"), MenuItemGlyph("SKF_RESTORE"));
  EXPECT_EQ(MenuItemGlyph("TRAY_SKF_CLOSE"), TCaptionGlyph::Close);
  EXPECT_EQ(MenuItemGlyph("About"), std::nullopt);
}

TEST(MenuMetrics, SkinDataGivesTheSkinnedLookOnlyWithTheWindowAndItemPictures) {
  TSkinData data{nullptr};
  EXPECT_FALSE(MenuSkinOf(data).Skinned());
  TCompressedStoredSkin compressed(nullptr);
  ASSERT_TRUE(compressed.PackFromIniFile(VESPERMARK_SKIN_DIR "/skin.ini"));
  data.LoadCompressedStoredSkin(compressed);
  EXPECT_TRUE(MenuSkinOf(data).Skinned());
  auto* item = const_cast<TDataSkinMenuItem*>(MenuSkinOf(data).Item);
  const int32_t outOfRange = static_cast<int32_t>(data.ActivePictureBitmaps().size());
  for (int32_t* index : {&data.PopupWindow().windowpictureindex, &item->activepictureindex}) {
    const int32_t kept = *index;
    for (int32_t missing : {-1, outOfRange}) {
      *index = missing;
      EXPECT_FALSE(MenuSkinOf(data).Skinned()) << missing;
    }
    *index = kept;
    EXPECT_TRUE(MenuSkinOf(data).Skinned());
  }
}

// Five items 20 high in a rectangle 80 high: 60 of it between the scroll
// markers.
const TRect kItems{2, 2, 98, 82};
const std::vector<TMenuItemSize> kEven(5, {50, 20});

std::vector<TRect> Rects(const TMenuLayout& layout) {
  std::vector<TRect> rects;
  for (const TMenuItemPlace& place : layout.Items) rects.push_back(place.Shown ? place.Rect : TRect{});
  return rects;
}

TEST(MenuLayout, ItemsStackFromTheFirstShownAndStopAtTheBottom) {
  const TMenuLayout all = LayoutMenuItems(kEven, kItems, false, 0);
  EXPECT_EQ(Rects(all), (std::vector<TRect>{{2, 2, 98, 22}, {2, 22, 98, 42}, {2, 42, 98, 62}, {2, 62, 98, 82}, {}}));
  EXPECT_EQ(all.ShownCount, 4);  // the fourth ends exactly at the bottom

  const TMenuLayout scrolled = LayoutMenuItems(kEven, kItems, true, 1);
  EXPECT_EQ(Rects(scrolled), (std::vector<TRect>{{}, {2, 12, 98, 32}, {2, 32, 98, 52}, {2, 52, 98, 72}, {}}));
  EXPECT_EQ(scrolled.ShownCount, 3);
  EXPECT_EQ(MenuItemAt(scrolled, {50, 32}), 2);
  EXPECT_EQ(MenuItemAt(scrolled, {50, 8}), -1);   // on the marker, not on the hidden first item
  EXPECT_EQ(MenuItemAt(scrolled, {98, 20}), -1);  // right edge is outside
  EXPECT_EQ(LayoutMenuItems(kEven, kItems, true, 9).ShownCount, 0);
}

TEST(MenuLayout, ScrollStepsMarkersAndThePointer) {
  auto layoutFrom = [](int32_t first) { return LayoutMenuItems(kEven, kItems, true, first); };
  EXPECT_EQ(MenuScrollStep(TMenuScroll::Down, 0, layoutFrom(0)), 1);
  EXPECT_EQ(MenuScrollStep(TMenuScroll::Down, 2, layoutFrom(2)), std::nullopt);  // the last item is in view
  EXPECT_EQ(MenuScrollStep(TMenuScroll::Up, 0, layoutFrom(0)), std::nullopt);

  const TMenuScrollMarkers plain = MenuScrollMarkers({}, kItems, 100, 84);
  EXPECT_EQ(plain.Up, (TRect{3, 3, 97, 13}));
  EXPECT_EQ(plain.Down, (TRect{3, 74, 97, 81}));
  EXPECT_EQ(MenuScrollMarkers(TestSkin().Menu(), {10, 8, 160, 58}, 170, 68).Down, (TRect{10, 48, 160, 58}));

  const TPoint onUp{50, 5}, onDown{50, 76}, between{50, 40};
  EXPECT_EQ(MenuScrollAt(plain, onUp, TMenuScroll::None, 1, layoutFrom(1)), TMenuScroll::Up);
  EXPECT_EQ(MenuScrollAt(plain, onUp, TMenuScroll::None, 0, layoutFrom(0)), TMenuScroll::None);  // at the start
  EXPECT_EQ(MenuScrollAt(plain, onDown, TMenuScroll::None, 0, layoutFrom(0)), TMenuScroll::Down);
  EXPECT_EQ(MenuScrollAt(plain, onDown, TMenuScroll::Up, 1, layoutFrom(1)), TMenuScroll::Up);  // a running scroll stays
  EXPECT_EQ(MenuScrollAt(plain, between, TMenuScroll::Down, 1, layoutFrom(1)), TMenuScroll::None);
}

TEST(MenuLayout, FirstShownKeepsAnItemInView) {
  EXPECT_EQ(MenuFirstShownFor(kEven, kItems, 0, 4), 2);  // the last page
  EXPECT_EQ(MenuFirstShownFor(kEven, kItems, 2, 0), 0);  // back to the start
  EXPECT_EQ(MenuFirstShownFor(kEven, kItems, 1, 3), 1);  // already in view
  // Separators at the top make the first page hold more items than the last.
  const std::vector<TMenuItemSize> mixed{{0, 4}, {0, 4}, {0, 4}, {0, 20}, {0, 20}, {0, 20}, {0, 20}};
  EXPECT_EQ(LayoutMenuItems(mixed, kItems, true, 0).ShownCount, 5);
  const int32_t first = MenuFirstShownFor(mixed, kItems, 0, 6);
  EXPECT_EQ(first, 4);
  EXPECT_TRUE(LayoutMenuItems(mixed, kItems, true, first).Items[6].Shown);
  // An item taller than the room is started from.
  EXPECT_EQ(MenuFirstShownFor(std::vector<TMenuItemSize>{{0, 20}, {0, 90}}, kItems, 0, 1), 1);
}

}  // namespace
