// How each caption object draws itself for its state.
#include <algorithm>

#include "skin/pixels/caption_glyphs.h"
#include "skin/pixels/pixel_copy.h"
#include "skin/pixels/pixel_glyph_canvas.h"
#include "skin/pixels/skin_compose.h"
#include "skin/data/skin_data.h"
#include "skin/frame/caption_objects.h"

namespace {

PixelView ViewOf(const PixelImage* picture) { return picture ? picture->View() : PixelView(); }

PixelBox WholeOf(const PixelImage& image) { return {0, 0, image.Width(), image.Height()}; }

constexpr TColor kPressedFill = 0xB59385;
constexpr TColor kHotFill = 0xD2BDB6;

// Looks and morphs are built at an object's own size. One larger than the
// canvas is never seen whole, and only a broken skin makes one (its size
// may be any): it shows its end look, a caption only its text.
bool FitsCanvas(const TRect& object, const TObjectCanvas& canvas) {
  return object.Width() <= canvas.Pixels.Width() && object.Height() <= canvas.Pixels.Height();
}

int32_t Sum(int64_t value) { return Saturate(value); }

}  // namespace

// --- base

void TActiveSkinObject::CopyToObject(TObjectCanvas& canvas, const PixelImage* picture, TRect source) const {
  if (!picture) return;
  CopyPixels(canvas.Pixels, canvas.ToPixels(ObjectRect), picture->View(), source);
}

void TActiveSkinObject::DrawLooks(TObjectCanvas& canvas, const PixelImage* normalPicture, TRect normal,
                                  TRect active, bool copyNormal) {
  if (morphing && MorphPending() && FitsCanvas(ObjectRect, canvas)) {
    PixelImage from(ObjectRect.Width(), ObjectRect.Height()), to(ObjectRect.Width(), ObjectRect.Height());
    CopyPixels(from.View(), WholeOf(from), ViewOf(normalPicture), normal);
    CopyPixels(to.View(), WholeOf(to), ViewOf(ExtraPicture), active);
    TransitionFor(morphkind)(from.View(), to.View(), BlendPos());
    CopyPixels(canvas.Pixels, canvas.ToPixels(ObjectRect), from.View(), WholeOf(from));
    return;
  }
  if (!Lit || IsEmptyRect(active)) {
    if (copyNormal) CopyToObject(canvas, normalPicture, normal);
    return;
  }
  CopyToObject(canvas, ExtraPicture, active);
}

void TActiveSkinObject::Draw(TObjectCanvas& canvas, bool direct) {
  DrawLooks(canvas, skinrectinapicture ? ExtraPicture : FramePicture, skinrect, activeskinrect,
            direct || skinrectinapicture);
}

void TUserObject::Draw(TObjectCanvas& canvas, bool) { HostFrame.PaintEvent(IDName, canvas, ObjectRect); }

// --- buttons

void TSkinButtonObject::Draw(TObjectCanvas& canvas, bool direct) {
  if (!Usable && !IsEmptyRect(disableskinrsect))
    CopyToObject(canvas, ExtraPicture, disableskinrsect);
  else if (Pressed && PointerOver && !IsEmptyRect(downrect))
    CopyToObject(canvas, ExtraPicture, downrect);
  else
    TActiveSkinObject::Draw(canvas, direct);
}

void TSkinStdButtonObject::Draw(TObjectCanvas& canvas, bool direct) {
  if (!HasSkinData) {
    if (command == TSkinCommand::cmsysmenu && HostFrame.ShowIcon())
      canvas.DrawFormIcon(canvas.ToPixels(ObjectRect));
    else
      DrawWithoutSkin(canvas);
    return;
  }
  if (Usable) {
    if (DrawsIcon()) {
      canvas.DrawFormIcon(canvas.ToPixels(ObjectRect));
      SetBlendPos(0);
      return;
    }
    if (CommandStateOn() && !IsEmptyRect(restorerect)) {
      if (!HostFrame.IsFormActive() && !IsEmptyRect(restoreinactiverect))
        CopyToObject(canvas, ExtraPicture, restoreinactiverect);
      else if (Pressed && PointerOver && !IsEmptyRect(restoredownrect))
        CopyToObject(canvas, ExtraPicture, restoredownrect);
      else
        // The frame picture shows the normal look, not the restore look, so it is always copied.
        DrawLooks(canvas, ExtraPicture, restorerect, restoreactiverect, true);
      return;
    }
  }
  TSkinButtonObject::Draw(canvas, direct);
}

void TSkinStdButtonObject::DrawWithoutSkin(TObjectCanvas& canvas) {
  PixelImage face(ObjectRect.Width(), ObjectRect.Height());
  const bool pressedOver = Pressed && PointerOver;
  if (PointerOver) {
    FillPixels(face.View(), WholeOf(face), BgrOf(pressedOver ? kPressedFill : kHotFill));
    PixelGlyphCanvas(face.View()).FrameRectangle({0, 0, face.Width(), face.Height()}, clNavy);
  } else {
    FillPixels(face.View(), WholeOf(face), BgrOf(clBtnFace));
  }
  const int shift = pressedOver ? 1 : 0;
  const int x = face.Width() / 2 - 5 + shift, y = face.Height() / 2 - 4 + shift;
  const TColor color = Usable ? clBtnText : clBtnShadow;
  PixelGlyphCanvas glyphs(face.View());
  switch (command) {
    case TSkinCommand::cmclose: DrawCaptionGlyph(glyphs, TCaptionGlyph::Close, x, y, color); break;
    case TSkinCommand::cmmaximize:
      DrawCaptionGlyph(glyphs, HostFrame.IsMaximized() ? TCaptionGlyph::Restore : TCaptionGlyph::Maximize, x, y,
                       color);
      break;
    case TSkinCommand::cmminimize:
      DrawCaptionGlyph(glyphs, HostFrame.IsMinimized() ? TCaptionGlyph::Restore : TCaptionGlyph::Minimize, x, y,
                       color);
      break;
    case TSkinCommand::cmsysmenu: DrawCaptionGlyph(glyphs, TCaptionGlyph::SystemMenu, x, y, color); break;
    case TSkinCommand::cmrollup:
      DrawCaptionGlyph(glyphs, HostFrame.IsRolledUp() ? TCaptionGlyph::DownTriangle : TCaptionGlyph::UpTriangle, x,
                       y, color);
      break;
    case TSkinCommand::cmdefault: break;
  }
  CopyPixels(canvas.Pixels, canvas.ToPixels(ObjectRect), face.View(), WholeOf(face));
}

// --- caption

TRect TSkinCaptionObject::TextArea() const {
  TRect area = textrect;
  if (!IsEmptyRect(textrect)) area.Right = Sum(int64_t{area.Right} + ObjectRect.Width() - skinrect.Width());
  if (!IsEmptyRect(framerect)) {
    area.Left = Sum(int64_t{area.Left} + frametextrect.Left);
    area.Top = Sum(int64_t{area.Top} + frametextrect.Top);
    area.Right = Sum(int64_t{area.Right} + frametextrect.Right - framerect.Width());
  }
  return area;
}

TCaptionTextPlace TSkinCaptionObject::PlaceText(TextMeasure& measure, int textHeight, std::string text,
                                                TPoint origin, bool active) const {
  TCaptionTextPlace place;
  if (text.empty() || IsEmptyRect(textrect)) return place;
  const TRect area = TextArea();
  EllipsizeText(measure, text, area.Width());
  const int width = measure.TextWidth(text);
  int64_t x = area.Left;
  if (alignment == TSkinAlignment::taRightJustify)
    x = int64_t{area.Right} - width;
  else if (alignment == TSkinAlignment::taCenter)
    x = int64_t{area.Left} + area.Width() / 2 - width / 2;
  const int64_t y = int64_t{area.Top} + area.Height() / 2 - textHeight / 2;
  place.Text = std::move(text);
  place.At = {Sum(origin.X + x), Sum(origin.Y + y)};
  place.Color = active ? activefontcolor : fontcolor;
  place.Shadow = shadow;
  place.ShadowAt = {Sum(int64_t{place.At.X} + 1), Sum(int64_t{place.At.Y} + 1)};
  place.ShadowColor = active ? activeshadowcolor : shadowcolor;
  if (!IsEmptyRect(framerect) && ExtraPicture) {
    place.FrameSource = active && !IsEmptyRect(activeframerect) ? activeframerect : framerect;
    place.FrameWidth = Sum(std::max<int64_t>(0, int64_t{framerect.Width()} + width - frametextrect.Width()));
    place.FrameAt = {Sum(int64_t{place.At.X} - frametextrect.Left), Sum(int64_t{place.At.Y} - frametextrect.Top)};
  }
  return place;
}

void TSkinCaptionObject::DrawText(TObjectCanvas& canvas, PixelView target, TPoint origin, bool active) {
  canvas.SelectCaptionFont(*this);
  const TCaptionTextPlace place = PlaceText(canvas, canvas.TextHeight(), HostFrame.CaptionText(), origin, active);
  if (place.Text.empty()) return;
  // The frame is built whole, so it is drawn only when it fits the target.
  if (place.FrameWidth > 0 && place.FrameWidth <= target.Width() && place.FrameSource.Height() <= target.Height()) {
    const PixelImage frame = ComposeHorizontalThree(frameleftoffset, framerightoffset, place.FrameWidth,
                                                     place.FrameSource, ExtraPicture->View());
    CopyPixels(target, PixelBox(Bounds(place.FrameAt.X, place.FrameAt.Y, frame.Width(), frame.Height())),
               frame.View(), WholeOf(frame));
  }
  if (place.Shadow) canvas.DrawText(target, place.ShadowAt.X, place.ShadowAt.Y, place.Text, place.ShadowColor);
  canvas.DrawText(target, place.At.X, place.At.Y, place.Text, place.Color);
}

PixelImage TSkinCaptionObject::BuildLook(TObjectCanvas& canvas, TCaptionLook look) {
  const bool active = look == TCaptionLook::Active;
  const PixelImage* picture = active ? ExtraPicture : FramePicture;
  const TRect s = active ? activeskinrect : skinrect;
  PixelImage image(ObjectRect.Width(), ObjectRect.Height());
  const int64_t w = image.Width(), h = image.Height();
  // The ends the frame keeps fixed stay fixed; the middle is tiled.
  const int dl = SkinData ? SkinData->lefttoppoint.X - s.Left : 0;
  const int dr = SkinData ? s.Right - SkinData->righttoppoint.X : 0;
  if (dl != 0 || dr != 0) {
    TilePixels(image.View(), {0, 0, w, h}, ViewOf(picture), {s.Left + dl, s.Top, s.Right - dr, s.Bottom},
               TileAxis::Horizontal);
    CopyPixels(image.View(), {0, 0, dl, h}, ViewOf(picture), {s.Left, s.Top, s.Left + dl, s.Bottom});
    CopyPixels(image.View(), {w - dr, 0, w, h}, ViewOf(picture), {s.Right - dr, s.Top, s.Right, s.Bottom});
  } else {
    CopyPixels(image.View(), WholeOf(image), ViewOf(picture), s);
  }
  DrawText(canvas, image.View(), {0, 0}, active);
  return image;
}

void TSkinCaptionObject::RenderInactive(PixelView image) {
  if (SkinData && SkinData->autorenderinginactiveimage) ApplyInactiveEffect(image, SkinData->inactiveeffect, FNoise);
}

void TSkinCaptionObject::Draw(TObjectCanvas& canvas, bool) {
  const TRect target = canvas.ToPixels(ObjectRect);
  auto put = [&](const PixelImage& look) { CopyPixels(canvas.Pixels, target, look.View(), WholeOf(look)); };
  if (!FitsCanvas(ObjectRect, canvas)) {
    DrawText(canvas, canvas.Pixels, {target.Left, target.Top}, Lit);
  } else if (morphing && MorphPending()) {
    PixelImage normal = BuildLook(canvas, TCaptionLook::Normal);
    const PixelImage active = BuildLook(canvas, TCaptionLook::Active);
    TransitionFor(morphkind)(normal.View(), active.View(), BlendPos());
    if (!Lit) RenderInactive(normal.View());
    put(normal);
  } else if (IsEmptyRect(activeskinrect) || (!Lit && !morphing)) {
    DrawText(canvas, canvas.Pixels, {target.Left, target.Top}, Lit);
  } else if (Lit) {
    put(BuildLook(canvas, TCaptionLook::Active));
  } else {
    PixelImage normal = BuildLook(canvas, TCaptionLook::Normal);
    RenderInactive(normal.View());
    put(normal);
  }
}

// --- animation

TRect TSkinAnimateObject::FrameRect(int f) const {
  return Bounds(Sum(activeskinrect.Left + int64_t{f - 1} * skinrect.Width()), activeskinrect.Top, skinrect.Width(),
                skinrect.Height());
}

void TSkinAnimateObject::Draw(TObjectCanvas& canvas, bool) { CopyToObject(canvas, ExtraPicture, FrameRect(CurrentFrame)); }
