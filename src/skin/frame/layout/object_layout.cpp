#include "skin/frame/layout/object_layout.h"

namespace {

enum Zone { kNoZone, kTopLeft, kTopRight, kBottomLeft, kBottomRight };

Zone ZoneOf(TPoint p, const TFrameSkinPoints& s) {
  const int32_t w = s.PictureWidth, h = s.PictureHeight;
  if (TRect{0, 0, s.LeftTop.X, s.LeftTop.Y}.Contains(p)) return kTopLeft;
  if (TRect{s.RightTop.X, 0, w, s.RightTop.Y}.Contains(p)) return kTopRight;
  if (TRect{0, s.LeftBottom.Y, s.LeftBottom.X, h}.Contains(p)) return kBottomLeft;
  if (TRect{s.RightBottom.X, s.RightBottom.Y, w, h}.Contains(p)) return kBottomRight;
  return kNoZone;
}

// A rectangle's corners are its first and its last pixel, so that one flush
// with the picture's right or bottom edge still counts as inside its zone.
TRect PlacedInFrame(TRect r, const TFrameSkinPoints& skin, int32_t dx, int32_t dy) {
  const Zone first = ZoneOf({r.Left, r.Top}, skin);
  const Zone last = ZoneOf({Saturate(int64_t{r.Right} - 1), Saturate(int64_t{r.Bottom} - 1)}, skin);
  if (first == last) {
    switch (first) {
      case kTopRight: return OffsetBy(r, dx, 0);
      case kBottomLeft: return OffsetBy(r, 0, dy);
      case kBottomRight: return OffsetBy(r, dx, dy);
      default: return r;
    }
  }
  const auto grown = [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return TRect{Saturate(int64_t{r.Left} + left), Saturate(int64_t{r.Top} + top), Saturate(int64_t{r.Right} + right),
                 Saturate(int64_t{r.Bottom} + bottom)};
  };
  if (first == kTopLeft && last == kBottomRight) return grown(0, 0, dx, dy);
  if (first == kTopLeft && last == kTopRight) return grown(0, 0, dx, 0);
  if (first == kBottomLeft && last == kBottomRight) return grown(0, dy, dx, dy);
  if (first == kTopLeft && last == kBottomLeft) return grown(0, 0, 0, dy);
  if (first == kTopRight && last == kBottomRight) return grown(dx, 0, dx, dy);
  return r;
}

bool IsCommandButton(const TFrameObjectPlace& o, TSkinCommand command) {
  return o.Visible && o.SkinRectInAPicture && o.Command == command &&
         (o.Kind == TFrameObjectKind::StdButton || o.Kind == TFrameObjectKind::Animate);
}

TPoint SizeOf(const TFrameObjectPlace& o, std::optional<TPoint> iconSize) {
  if (o.Command == TSkinCommand::cmsysmenu && iconSize) return *iconSize;
  return {o.SkinRect.Width(), o.SkinRect.Height()};
}

void LayOutButtons(std::span<TFrameObjectPlace> objects, const TScaledFramePoints& s, std::optional<TPoint> iconSize) {
  const bool buttonsGiven = !IsEmptyRect(s.ButtonsRect);
  const TRect area = buttonsGiven ? s.ButtonsRect : s.CaptionRect;
  if (IsEmptyRect(area)) return;
  TFrameObjectPlace* caption = nullptr;
  TFrameObjectPlace* sysMenu = nullptr;
  for (TFrameObjectPlace& o : objects) {
    if (!caption && o.Kind == TFrameObjectKind::Caption) caption = &o;
    if (!sysMenu && IsCommandButton(o, TSkinCommand::cmsysmenu)) sysMenu = &o;
  }
  const int32_t gap = s.ButtonsOffset;
  constexpr TSkinCommand kOrder[] = {TSkinCommand::cmclose, TSkinCommand::cmmaximize, TSkinCommand::cmminimize,
                                     TSkinCommand::cmrollup};
  // 64 bits: a skin's sizes and gap may be any 32-bit values, and add up.
  if (!s.ButtonsInLeft) {
    int64_t x = area.Right;
    for (TSkinCommand command : kOrder)
      for (TFrameObjectPlace& o : objects)
        if (IsCommandButton(o, command)) {
          const TPoint size = SizeOf(o, iconSize);
          o.Rect = Bounds(Saturate(x - size.X), area.Top, size.X, size.Y);
          x -= int64_t{size.X} + gap;
        }
    if (!buttonsGiven && caption) caption->Rect.Right = Saturate(x + gap);
    if (sysMenu) {
      const TPoint size = SizeOf(*sysMenu, iconSize);
      const TRect& c = s.CaptionRect;
      sysMenu->Rect = Bounds(c.Left, Saturate(c.Top + (int64_t{c.Height()} - size.Y) / 2), size.X, size.Y);
      if (caption) caption->Rect.Left = sysMenu->Rect.Right;
    }
    return;
  }
  int64_t x = area.Left;
  auto place = [&](TFrameObjectPlace& o) {
    const TPoint size = SizeOf(o, iconSize);
    o.Rect = Bounds(Saturate(x), area.Top, size.X, size.Y);
    x += int64_t{size.X} + gap;
  };
  for (TSkinCommand command : kOrder)
    for (TFrameObjectPlace& o : objects)
      if (IsCommandButton(o, command)) place(o);
  if (!buttonsGiven) {
    if (sysMenu) place(*sysMenu);
    if (caption) caption->Rect.Left = Saturate(x + gap);
  }
}

}  // namespace

void ArrangeObjects(std::span<TFrameObjectPlace> objects, const TFrameSkinPoints& skin,
                    const TScaledFramePoints& scaled, std::optional<TPoint> iconSize) {
  const int32_t dx = Saturate(int64_t{scaled.RightBottom.X} - skin.RightBottom.X);
  const int32_t dy = Saturate(int64_t{scaled.RightBottom.Y} - skin.RightBottom.Y);
  for (TFrameObjectPlace& o : objects)
    if (!o.SkinRectInAPicture) o.Rect = PlacedInFrame(o.SkinRect, skin, dx, dy);
  LayOutButtons(objects, scaled, iconSize);
}
