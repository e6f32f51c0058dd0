#pragma once
// A copy of a bitmap's pixels in a top-down 24-bit DIB section, on which the
// skinned surfaces apply the effects and transitions of pixel_effects.h
// before drawing the result. It lives for one drawing operation.
#include <windows.h>

#include "skin/pixels/fast_bitmap_win.h"
#include "skin/pixels/pixel_buffer.h"
#include "skin/pixels/pixel_effects.h"

class TEffectBmp {
 public:
  // A null handle gives an empty bitmap that draws nothing; a handle that is
  // no bitmap, or whose pixels cannot be read, is an error.
  explicit TEffectBmp(HBITMAP source) : FBitmap(source ? TFBitmap(source) : TFBitmap(0, 0)) {}

  int Width() const { return FBitmap.Width(); }
  int Height() const { return FBitmap.Height(); }
  PixelView Pixels() const { return FBitmap.View(); }
  HBITMAP Handle() const { return FBitmap.Handle(); }

  // All rows at (x, y) on the device context.
  void DrawToDC(HDC dc, int x, int y) const;

  void ApplyBrightness(double k) { ::ApplyBrightness(Pixels(), k); }
  void ApplyDarkness(double k) { ::ApplyDarkness(Pixels(), k); }
  void ApplyGrayscale() { ::ApplyGrayscale(Pixels()); }
  void ApplyNoise(int amount);
  void ApplySplitBlur(int amount) { ::ApplySplitBlur(Pixels(), amount); }
  void ApplyInvert() { ::ApplyInvert(Pixels()); }
  void ApplyInactiveEffect(TSkinEffect effect);

  // This bitmap is the normal face, `active` the active one.
  void TransitionBlend(const TEffectBmp& active, double k) { ::TransitionBlend(Pixels(), active.Pixels(), k); }
  void TransitionGradient(const TEffectBmp& active, double k) { ::TransitionGradient(Pixels(), active.Pixels(), k); }
  void TransitionLeftGradient(const TEffectBmp& active, double k) {
    ::TransitionLeftGradient(Pixels(), active.Pixels(), k);
  }
  void TransitionRightGradient(const TEffectBmp& active, double k) {
    ::TransitionRightGradient(Pixels(), active.Pixels(), k);
  }
  void TransitionLeftSlide(const TEffectBmp& active, double k) { ::TransitionLeftSlide(Pixels(), active.Pixels(), k); }
  void TransitionRightSlide(const TEffectBmp& active, double k) {
    ::TransitionRightSlide(Pixels(), active.Pixels(), k);
  }
  void TransitionPush(const TEffectBmp& active, double k) { ::TransitionPush(Pixels(), active.Pixels(), k); }
  void Transition(TMorphKind kind, const TEffectBmp& active, double k) {
    TransitionFor(kind)(Pixels(), active.Pixels(), k);
  }

 private:
  TFBitmap FBitmap;
};
