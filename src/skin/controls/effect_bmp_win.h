#pragma once
// A copy of a bitmap's pixels in a top-down 24-bit DIB section, on which the
// skinned surfaces apply the effects and transitions of pixel_effects.h
// before drawing the result. It lives for one drawing operation.
#include <windows.h>

#include "skin/controls/pixel_buffer.h"
#include "skin/controls/pixel_effects.h"
#include "ui/handles_win.h"

class TEffectBmp {
 public:
  // A null handle gives an empty bitmap that draws nothing; a handle that is
  // no bitmap, or whose pixels cannot be read, is an error.
  explicit TEffectBmp(HBITMAP source);
  TEffectBmp(TEffectBmp&& other) noexcept;
  TEffectBmp& operator=(TEffectBmp&& other) noexcept;
  TEffectBmp(const TEffectBmp&) = delete;
  TEffectBmp& operator=(const TEffectBmp&) = delete;

  int Width() const { return FPixels.Width(); }
  int Height() const { return FPixels.Height(); }
  PixelView Pixels() const { return FPixels; }
  HBITMAP Handle() const { return FDib.Get(); }

  // All rows at (x, y) on the device context.
  void DrawToDC(HDC dc, int x, int y) const;

  void ApplyBrightness(double k) { ::ApplyBrightness(FPixels, k); }
  void ApplyDarkness(double k) { ::ApplyDarkness(FPixels, k); }
  void ApplyGrayscale() { ::ApplyGrayscale(FPixels); }
  void ApplyNoise(int amount);
  void ApplySplitBlur(int amount) { ::ApplySplitBlur(FPixels, amount); }
  void ApplyInvert() { ::ApplyInvert(FPixels); }
  void ApplyInactiveEffect(TSkinEffect effect);

  // This bitmap is the normal face, `active` the active one.
  void TransitionBlend(const TEffectBmp& active, double k) { ::TransitionBlend(FPixels, active.FPixels, k); }
  void TransitionGradient(const TEffectBmp& active, double k) { ::TransitionGradient(FPixels, active.FPixels, k); }
  void TransitionLeftGradient(const TEffectBmp& active, double k) {
    ::TransitionLeftGradient(FPixels, active.FPixels, k);
  }
  void TransitionRightGradient(const TEffectBmp& active, double k) {
    ::TransitionRightGradient(FPixels, active.FPixels, k);
  }
  void TransitionLeftSlide(const TEffectBmp& active, double k) { ::TransitionLeftSlide(FPixels, active.FPixels, k); }
  void TransitionRightSlide(const TEffectBmp& active, double k) {
    ::TransitionRightSlide(FPixels, active.FPixels, k);
  }
  void TransitionPush(const TEffectBmp& active, double k) { ::TransitionPush(FPixels, active.FPixels, k); }
  void Transition(TMorphKind kind, const TEffectBmp& active, double k) {
    TransitionFor(kind)(FPixels, active.FPixels, k);
  }

 private:
  BITMAPINFO FInfo{};
  BitmapHandle FDib;
  PixelView FPixels;
};
