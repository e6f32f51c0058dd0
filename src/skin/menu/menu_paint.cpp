#include "skin/menu/menu_paint.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "skin/pixels/caption_glyphs.h"
#include "skin/pixels/pixel_copy.h"
#include "skin/pixels/pixel_effects.h"
#include "skin/pixels/pixel_glyph_canvas.h"
#include "skin/pixels/skin_compose.h"
#include "skin/data/skin_objects.h"
#include "skin/data/skin_windows.h"
#include "skin/menu/menu_item.h"
#include "skin/menu/menu_item_rules.h"

namespace {

constexpr TColor kLitFrame = clNavy;
constexpr TColor kLitFill = 0xD2BDB6;

PixelBox WholeOf(const PixelImage& image) { return {0, 0, image.Width(), image.Height()}; }

void Put(PixelView target, const PixelImage& image) {
  CopyPixels(target, WholeOf(image), image.View(), WholeOf(image));
}

bool Highlighted(const TMenuItemLook& look) { return look.Lit || look.SubOpen; }

// A skin without an active face keeps its normal one when lit.
TRect ActiveFace(const TDataSkinMenuItem& item) {
  return IsEmptyRect(item.activeskinrect) ? item.skinrect : item.activeskinrect;
}

// A cut caption must not end in a lone "&": it would underline the first dot.
void FitCaption(TextMeasure& measure, std::string& caption, int maxWidth) {
  const std::string whole = caption;
  EllipsizeText(measure, caption, maxWidth);
  if (caption == whole) return;
  size_t kept = caption.size() - 3, ampersands = 0;
  while (kept > ampersands && caption[kept - 1 - ampersands] == '&') ++ampersands;
  if (ampersands % 2 == 1) caption.erase(kept - 1, 1);
}

// A check mark eight pixels high from (x, y): three strokes, each a pixel above the last.
void DrawCheckMark(GlyphCanvas& canvas, int x, int y, TColor color) {
  for (int up = 0; up < 3; ++up) {
    canvas.Line(x, y + 5 - up, x + 2, y + 7 - up, color);
    canvas.Line(x + 2, y + 7 - up, x + 7, y + 2 - up, color);
  }
}

// A filled circle six pixels across from (x, y).
void DrawRadioMark(GlyphCanvas& canvas, int x, int y, TColor color) {
  canvas.FillRectangle({x + 1, y, x + 5, y + 6}, color);
  canvas.FillRectangle({x, y + 1, x + 6, y + 5}, color);
}

void DrawItemMark(PixelView item, const TMenuItemTextPlace& place, const TMenuItem& data, TColor color,
                  TMenuImages* images) {
  const TRect& area = place.TextArea;
  const int centre = Saturate((int64_t{area.Top} + area.Bottom) / 2);
  PixelGlyphCanvas glyphs(item);
  switch (MenuItemMark(data, images ? images->Count() : 0)) {
    case TMenuMark::None: break;
    case TMenuMark::Image: {
      const int y = Saturate(area.Top + (int64_t{area.Height()} - images->Height()) / 2);
      images->DrawImage(item, place.ImageX, y, data.ImageIndex);
      if (data.Checked)
        glyphs.FrameRectangle({place.ImageX - 1, y - 1, Saturate(int64_t{place.ImageX} + images->Width() + 1),
                               Saturate(int64_t{y} + images->Height() + 1)},
                              color);
      break;
    }
    case TMenuMark::Glyph: DrawCaptionGlyph(glyphs, *MenuItemGlyph(data.Name), place.MarkX, centre - 4, color); break;
    case TMenuMark::Radio: DrawRadioMark(glyphs, place.MarkX, centre - 3, color); break;
    case TMenuMark::Check: DrawCheckMark(glyphs, place.MarkX, centre - 4, color); break;
  }
}

void DrawItemContent(PixelView item, const TMenuItemTextPlace& place, const TMenuItem& data, TColor color,
                     TMenuTextCanvas& text, TMenuImages* images) {
  const TRect& area = place.TextArea;
  const int y = Saturate(area.Top + (int64_t{area.Height()} - text.TextHeight()) / 2);
  std::string caption = data.Caption;
  FitCaption(text, caption, Saturate(int64_t{place.CaptionRight} - place.CaptionLeft));
  if (!caption.empty()) text.DrawMenuText(item, place.CaptionLeft, y, caption, color);
  if (!data.ShortCut.empty())
    text.DrawMenuText(item, Saturate(int64_t{place.ShortCutRight} - text.TextWidth(data.ShortCut)), y, data.ShortCut,
                      color);

  PixelGlyphCanvas glyphs(item);
  // Four columns, 7 pixels high at Arrow.X down to the tip three to its right.
  if (!data.SubItems.empty())
    DrawArrowGlyph(glyphs, Bounds(place.Arrow.X, place.Arrow.Y, 3, 7), TArrowKind::Right, color);
  DrawItemMark(item, place, data, color, images);
}

void PaintPlainItem(PixelView item, const TMenuItem& data, bool lit, TMenuImages* images, TMenuTextCanvas& text) {
  const std::optional<int32_t> imageWidth = MenuImageWidth(images);
  const int32_t w = item.Width(), h = item.Height(), column = MarkColumnWidth(imageWidth);
  const bool separator = IsMenuSeparator(data);
  if (lit && !separator) {
    FillPixels(item, {0, 0, w, h}, BgrOf(kLitFill));
    PixelGlyphCanvas(item).FrameRectangle({0, 0, w, h}, kLitFrame);
  } else {
    FillPixels(item, {0, 0, column, h}, BgrOf(clBtnFace));
    FillPixels(item, {column, 0, w, h}, BgrOf(clWindow));
  }
  if (separator) {
    FillPixels(item, {column, h / 2, w, h / 2 + 1}, BgrOf(clBtnShadow));
    return;
  }
  const TColor color = lit || data.Enabled ? clWindowText : clBtnShadow;
  DrawItemContent(item, PlaceMenuItemText({}, w, h, imageWidth), data, color, text, images);
}

}  // namespace

std::optional<int32_t> MenuImageWidth(const TMenuImages* images) {
  return images ? std::optional<int32_t>(images->Width()) : std::nullopt;
}

void PaintMenuBackground(PixelView window, const TMenuSkin& skin, const TMenuPictures& pictures,
                         std::optional<int32_t> imageWidth) {
  if (window.Empty()) return;
  const int32_t w = window.Width(), h = window.Height();
  if (skin.Skinned() && pictures.Back) {
    const TDataSkinPopupWindow& popup = *skin.Popup;
    const PixelImage back =
        ComposeNinePiece(MenuFitPoints(skin, skin.PictureWidth, skin.PictureHeight), MenuFitPoints(skin, w, h),
                         pictures.Back->View(), {0, 0, skin.PictureWidth, skin.PictureHeight}, w, h, true,
                         {popup.leftstretch, popup.topstretch, popup.rightstretch, popup.bottomstretch});
    Put(window, back);
    return;
  }
  const int32_t column = MarkColumnWidth(imageWidth) + 2;
  FillPixels(window, {0, 0, column, h}, BgrOf(clBtnFace));
  FillPixels(window, {column, 0, w, h}, BgrOf(clWindow));
  PixelGlyphCanvas frames(window);
  frames.FrameRectangle({0, 0, w, h}, clBtnShadow);
  frames.FrameRectangle({1, 1, w - 1, h - 1}, clWindow);
}

void PaintMenuItem(PixelView item, const TMenuSkin& skin, const TMenuPictures& pictures, const TMenuItem& data,
                   const TMenuItemLook& look, TMenuImages* images, TMenuTextCanvas& text) {
  if (item.Empty()) return;
  if (!skin.Skinned() || !pictures.Item) {
    PaintPlainItem(item, data, Highlighted(look), images, text);
    return;
  }
  const TDataSkinMenuItem& skinItem = *skin.Item;
  const PixelView source = pictures.Item->View();
  const int32_t w = item.Width();
  // A face is made no taller than the item: rows below it are never seen,
  // and a skin's rectangle may be of any height.
  auto cut = [&](TRect rect) {
    rect.Bottom = Saturate(std::min<int64_t>(rect.Bottom, int64_t{rect.Top} + item.Height()));
    return rect;
  };
  if (IsMenuSeparator(data)) {
    Put(item, ComposeHorizontalThree(skinItem.dividerleftoffset, skinItem.dividerrightoffset, w,
                                     cut(skinItem.dividerrect), source));
    return;
  }
  auto face = [&](TRect rect) {
    return ComposeHorizontalThree(skinItem.itemleftoffset, skinItem.itemrightoffset, w, cut(rect), source);
  };
  const bool lit = Highlighted(look);
  if (MenuItemMorphPending(skin, look)) {
    PixelImage normal = face(skinItem.skinrect);
    const PixelImage active = face(ActiveFace(skinItem));
    TransitionFor(skinItem.morphkind)(normal.View(), active.View(), look.BlendPos);
    Put(item, normal);
  } else {
    Put(item, face(lit ? ActiveFace(skinItem) : skinItem.skinrect));
  }
  const TColor color = lit            ? skinItem.activefontcolor
                       : data.Enabled ? skinItem.fontcolor
                                      : skinItem.unenabledfontcolor;
  DrawItemContent(item, PlaceMenuItemText(skin, w, item.Height(), MenuImageWidth(images)), data, color, text, images);
}

bool MenuItemMorphPending(const TMenuSkin& skin, const TMenuItemLook& look) {
  if (!skin.Skinned() || !skin.Item->morphing) return false;
  return Highlighted(look) ? look.BlendPos < 1 : look.BlendPos > 0;
}

bool StepMenuItemMorph(const TMenuSkin& skin, TMenuItemLook& look, bool shown) {
  if (!MenuItemMorphPending(skin, look)) return false;
  const bool toActive = Highlighted(look);
  if (!shown) {
    look.BlendPos = toActive ? 1 : 0;
    return false;
  }
  // Kept on tenths: ten ticks from one face to the other, however often it turned.
  look.BlendPos = std::clamp(std::round(look.BlendPos * 10 + (toActive ? 1 : -1)) / 10, 0.0, 1.0);
  return true;
}

void PaintMenuScrollMarkers(PixelView window, const TMenuSkin& skin, const TMenuScrollMarkers& markers,
                            TMenuScroll scrolling) {
  TColor idle = clBtnShadow, active = clBtnText;
  if (skin.Skinned()) {
    idle = skin.Popup->scrollmarkercolor;
    active = skin.Popup->scrollmarkeractivecolor;
  }
  PixelGlyphCanvas arrows(window);
  DrawArrowGlyph(arrows, markers.Up, TArrowKind::Up, scrolling == TMenuScroll::Up ? active : idle);
  DrawArrowGlyph(arrows, markers.Down, TArrowKind::Down, scrolling == TMenuScroll::Down ? active : idle);
}
