#include "skin/menu/menu_metrics.h"

#include <algorithm>
#include <array>
#include <utility>

#include "skin/pixels/glyph_layout.h"
#include "skin/data/skin_data.h"
#include "skin/menu/menu_item.h"

TMenuSkin MenuSkinOf(const TSkinData& skin) {
  if (skin.NoSkin()) return {};
  TMenuSkin menu{.Popup = &skin.PopupWindow()};
  for (const auto& object : skin.SkinObjects())
    if (const auto* item = dynamic_cast<const TDataSkinMenuItem*>(object.get())) {
      menu.Item = item;
      break;
    }
  const auto& pictures = skin.ActivePictureBitmaps();
  auto inRange = [&](int32_t index) { return index >= 0 && index < static_cast<int32_t>(pictures.size()); };
  // Items without their faces would be plain strips in a skinned window:
  // the whole menu takes the plain look instead.
  if (menu.Item && (!inRange(menu.Item->activepictureindex) || pictures[menu.Item->activepictureindex].Empty()))
    menu.Item = nullptr;
  const int32_t index = menu.Popup->windowpictureindex;
  if (inRange(index)) {
    menu.PictureWidth = pictures[index].Width();
    menu.PictureHeight = pictures[index].Height();
  }
  return menu;
}

bool IsMenuSeparator(const TMenuItem& item) { return item.Caption == "-"; }

int32_t MenuItemHeight(const TMenuSkin& skin, bool separator, int32_t defaultHeight) {
  if (skin.Skinned()) return separator ? skin.Item->dividerrect.Height() : skin.Item->skinrect.Height();
  return separator ? 4 : defaultHeight;
}

int32_t MenuItemTextWidth(TextMeasure& measure, const TMenuItem& item) {
  const std::string text = item.ShortCut.empty() ? item.Caption : item.Caption + "  " + item.ShortCut;
  return measure.TextWidth(text) + 2;
}

int32_t MarkColumnWidth(std::optional<int32_t> imageWidth) { return imageWidth ? *imageWidth + 5 : 19; }

std::vector<TMenuItemSize> MeasureMenuItems(std::span<const TMenuItem> items, TextMeasure& measure,
                                            const TMenuSkin& skin, int32_t defaultItemHeight) {
  std::vector<TMenuItemSize> sizes;
  sizes.reserve(items.size());
  for (const TMenuItem& item : items)
    sizes.push_back({MenuItemTextWidth(measure, item), MenuItemHeight(skin, IsMenuSeparator(item), defaultItemHeight)});
  return sizes;
}

TMenuWindowSize MenuWindowSize(std::span<const TMenuItemSize> items, int32_t markColumnWidth, const TMenuSkin& skin,
                               const TRect& workArea) {
  // 64 bits: a skin's sizes may be any 32-bit values, and 200 items add up.
  int64_t textWidth = 0, height = 0;
  for (const TMenuItemSize& item : items) {
    textWidth = std::max<int64_t>(textWidth, item.TextWidth);
    height += item.Height;
  }
  int64_t width = textWidth + markColumnWidth + 19;
  if (skin.Skinned()) {
    // The window's borders are what the picture has outside its items
    // rectangle; an item's are what its face has outside its text rectangle.
    const TRect& itemsRect = skin.Popup->itemsrect;
    const TDataSkinMenuItem& item = *skin.Item;
    width += int64_t{skin.PictureWidth} - itemsRect.Width() + item.textrect.Left + item.skinrect.Width() -
             item.textrect.Right;
    height += int64_t{skin.PictureHeight} - itemsRect.Height();
  } else {
    width += 10;
    height += 4;
  }
  TMenuWindowSize size{.Width = Saturate(std::min<int64_t>(width, workArea.Width())), .Height = Saturate(height)};
  if (size.Height > workArea.Height()) {
    size.Height = workArea.Height();
    size.Scrolling = true;
  }
  return size;
}

TFramePoints MenuFitPoints(const TMenuSkin& skin, int32_t width, int32_t height) {
  if (!skin.Skinned()) {
    TFramePoints plain;
    plain.Client = {2, 2, width - 2, height - 2};
    return plain;
  }
  const TDataSkinPopupWindow& p = *skin.Popup;
  const int64_t dx = int64_t{width} - skin.PictureWidth, dy = int64_t{height} - skin.PictureHeight;
  // The items stay inside the window, whatever the skin's rectangle says:
  // items drawn past its edges would never be seen.
  const auto inside = [](int64_t value, int32_t size) {
    return Saturate(std::clamp<int64_t>(value, 0, std::max(size, 0)));
  };
  return {.LeftTop = p.lefttoppoint,
          .RightTop = {Saturate(p.righttoppoint.X + dx), p.righttoppoint.Y},
          .LeftBottom = {p.leftbottompoint.X, Saturate(p.leftbottompoint.Y + dy)},
          .RightBottom = {Saturate(p.rightbottompoint.X + dx), Saturate(p.rightbottompoint.Y + dy)},
          .Client = {inside(p.itemsrect.Left, width), inside(p.itemsrect.Top, height),
                     inside(p.itemsrect.Right + dx, width), inside(p.itemsrect.Bottom + dy, height)}};
}

TMenuItemTextPlace PlaceMenuItemText(const TMenuSkin& skin, int32_t itemWidth, int32_t itemHeight,
                                     std::optional<int32_t> imageWidth) {
  TMenuItemTextPlace place;
  int32_t rightMargin;
  if (skin.Skinned()) {
    const TDataSkinMenuItem& item = *skin.Item;
    place.TextArea = item.textrect;
    place.TextArea.Right = Saturate(int64_t{itemWidth} + item.textrect.Right - item.skinrect.Width());
    rightMargin = 16;
    place.MarkX = place.ImageX = Saturate(int64_t{place.TextArea.Left} + 2);
  } else {
    place.TextArea = {2, 2, itemWidth - 2, itemHeight - 2};
    rightMargin = 19;
    place.MarkX = 4;
    place.ImageX = 2;
  }
  const TRect& area = place.TextArea;
  place.CaptionLeft = Saturate(int64_t{area.Left} + (imageWidth ? MarkColumnWidth(imageWidth) : 16));
  place.CaptionRight = place.ShortCutRight = Saturate(int64_t{area.Right} - rightMargin);
  place.Arrow = {Saturate(int64_t{area.Right} - 7), Saturate((int64_t{area.Top} + area.Bottom) / 2 - 4)};
  return place;
}

std::optional<TCaptionGlyph> MenuItemGlyph(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, TCaptionGlyph>, 8> kGlyphs{{
      {"SKF_CLOSE", TCaptionGlyph::Close},
      {"TRAY_SKF_CLOSE", TCaptionGlyph::Close},
      {"SKF_MINITEM", TCaptionGlyph::Minimize},
      {"SKF_MAXITEM", TCaptionGlyph::Maximize},
      {"SKF_RESTORE", TCaptionGlyph::Restore},
      {"TRAY_SKF_RESTORE", TCaptionGlyph::Restore},
      {"SKF_ROLLUP", TCaptionGlyph::UpTriangle},
      {"SKF_MINTOTRAY", TCaptionGlyph::FilledSquare},
  }};
  for (const auto& [glyphName, glyph] : kGlyphs)
    if (glyphName == name) return glyph;
  return std::nullopt;
}
