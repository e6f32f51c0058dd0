#pragma once
// The sizes of a popup menu window and of its items, in the skin's look or
// the plain one, and where an item's caption, shortcut, arrow and mark go.
// Everything is in window coordinates, (0, 0) the window's top-left, except
// the item text places, which are in the item's own bitmap.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "skin/pixels/caption_glyphs.h"
#include "skin/pixels/skin_compose.h"

class TDataSkinMenuItem;
class TDataSkinPopupWindow;
class TSkinData;
class TextMeasure;
struct TMenuItem;

// The skin's [POPUPWINDOW] section, its menu item object and the size of the
// window picture. Without any one of them the menu has the plain look, as a
// skinned size needs all three; an item object whose picture is missing
// counts as none.
struct TMenuSkin {
  const TDataSkinPopupWindow* Popup = nullptr;
  const TDataSkinMenuItem* Item = nullptr;
  int32_t PictureWidth = 0, PictureHeight = 0;
  bool Skinned() const { return Popup && Item && PictureWidth > 0 && PictureHeight > 0; }
};

// The first menu item object (none when its `activepictureindex` is out of
// range or empty) and the picture `windowpictureindex` names of a loaded
// skin; the plain look for NoSkin.
TMenuSkin MenuSkinOf(const TSkinData& skin);

bool IsMenuSeparator(const TMenuItem& item);

// The skin item's `skinrect` height (`dividerrect` for a separator); plain:
// defaultHeight, 4 for a separator.
int32_t MenuItemHeight(const TMenuSkin& skin, bool separator, int32_t defaultHeight);

// The caption, followed by two blanks and the shortcut when there is one, + 2.
int32_t MenuItemTextWidth(TextMeasure& measure, const TMenuItem& item);

// Image width + 5 when the menu has images, else 19.
int32_t MarkColumnWidth(std::optional<int32_t> imageWidth);

struct TMenuItemSize {
  int32_t TextWidth = 0, Height = 0;
  bool operator==(const TMenuItemSize&) const = default;
};

std::vector<TMenuItemSize> MeasureMenuItems(std::span<const TMenuItem> items, TextMeasure& measure,
                                            const TMenuSkin& skin, int32_t defaultItemHeight);

struct TMenuWindowSize {
  int32_t Width = 0, Height = 0;
  bool Scrolling = false;  // taller than the work area: cut to it, the items scroll
  bool operator==(const TMenuWindowSize&) const = default;
};

// Never wider than the work area either: what lies past it is never seen,
// and a skin's sizes may ask for any width.
TMenuWindowSize MenuWindowSize(std::span<const TMenuItemSize> items, int32_t markColumnWidth, const TMenuSkin& skin,
                               const TRect& workArea);

// FitLT, FitRT, FitLB, FitRB and FitItemsRect (as Client) for a width x height
// window: the section's points moved with the size, the items rectangle
// kept inside the window. Plain: only the items rectangle, 2 pixels in from
// each side.
TFramePoints MenuFitPoints(const TMenuSkin& skin, int32_t width, int32_t height);

// Where an item of itemWidth x itemHeight draws its texts and marks.
struct TMenuItemTextPlace {
  TRect TextArea;                             // texts are centred vertically in it
  int32_t CaptionLeft = 0, CaptionRight = 0;  // the caption is fitted into this span, drawn from its left
  int32_t ShortCutRight = 0;                  // the shortcut text ends here
  TPoint Arrow;                               // top-left of the sub-menu arrow
  int32_t MarkX = 0, ImageX = 0;              // the check or command glyph, the item's image
  bool operator==(const TMenuItemTextPlace&) const = default;
};

TMenuItemTextPlace PlaceMenuItemText(const TMenuSkin& skin, int32_t itemWidth, int32_t itemHeight,
                                     std::optional<int32_t> imageWidth);

// The frame command glyph an item shows in its mark column when it has no
// image, chosen by its name ("SKF_CLOSE", "TRAY_SKF_RESTORE", ...); none for
// other items, which show their check mark if any.
std::optional<TCaptionGlyph> MenuItemGlyph(std::string_view name);
