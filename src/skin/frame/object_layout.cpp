#include "skin/frame/object_layout.h"

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
  const Zone last = ZoneOf({r.Right - 1, r.Bottom - 1}, skin);
  if (first == last) {
    switch (first) {
      case kTopRight: return OffsetBy(r, dx, 0);
      case kBottomLeft: return OffsetBy(r, 0, dy);
      case kBottomRight: return OffsetBy(r, dx, dy);
      default: return r;
    }
  }
  if (first == kTopLeft && last == kBottomRight) return {r.Left, r.Top, r.Right + dx, r.Bottom + dy};
  if (first == kTopLeft && last == kTopRight) return {r.Left, r.Top, r.Right + dx, r.Bottom};
  if (first == kBottomLeft && last == kBottomRight) return {r.Left, r.Top + dy, r.Right + dx, r.Bottom + dy};
  if (first == kTopLeft && last == kBottomLeft) return {r.Left, r.Top, r.Right, r.Bottom + dy};
  if (first == kTopRight && last == kBottomRight) return {r.Left + dx, r.Top, r.Right + dx, r.Bottom + dy};
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
  if (!s.ButtonsInLeft) {
    int32_t x = area.Right;
    for (TSkinCommand command : kOrder)
      for (TFrameObjectPlace& o : objects)
        if (IsCommandButton(o, command)) {
          const TPoint size = SizeOf(o, iconSize);
          o.Rect = Bounds(x - size.X, area.Top, size.X, size.Y);
          x -= size.X + gap;
        }
    if (!buttonsGiven && caption) caption->Rect.Right = x + gap;
    if (sysMenu) {
      const TPoint size = SizeOf(*sysMenu, iconSize);
      const TRect& c = s.CaptionRect;
      sysMenu->Rect = Bounds(c.Left, c.Top + (c.Height() - size.Y) / 2, size.X, size.Y);
      if (caption) caption->Rect.Left = sysMenu->Rect.Right;
    }
    return;
  }
  int32_t x = area.Left;
  auto place = [&](TFrameObjectPlace& o) {
    const TPoint size = SizeOf(o, iconSize);
    o.Rect = Bounds(x, area.Top, size.X, size.Y);
    x += size.X + gap;
  };
  for (TSkinCommand command : kOrder)
    for (TFrameObjectPlace& o : objects)
      if (IsCommandButton(o, command)) place(o);
  if (!buttonsGiven) {
    if (sysMenu) place(*sysMenu);
    if (caption) caption->Rect.Left = x + gap;
  }
}

}  // namespace

void ArrangeObjects(std::span<TFrameObjectPlace> objects, const TFrameSkinPoints& skin,
                    const TScaledFramePoints& scaled, std::optional<TPoint> iconSize) {
  const int32_t dx = scaled.RightBottom.X - skin.RightBottom.X;
  const int32_t dy = scaled.RightBottom.Y - skin.RightBottom.Y;
  for (TFrameObjectPlace& o : objects)
    if (!o.SkinRectInAPicture) o.Rect = PlacedInFrame(o.SkinRect, skin, dx, dy);
  LayOutButtons(objects, scaled, iconSize);
}
