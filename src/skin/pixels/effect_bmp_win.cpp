#include "skin/pixels/effect_bmp_win.h"

namespace {

// Noise only has to look random; one source for the GUI thread will do.
NoiseRandom& ProgramRandom() {
  static NoiseRandom random(GetTickCount());
  return random;
}

}  // namespace

void TEffectBmp::DrawToDC(HDC dc, int x, int y) const {
  if (!FBitmap.Empty()) DrawPixels(dc, x, y, Pixels());
}

void TEffectBmp::ApplyNoise(int amount) { ::ApplyNoise(Pixels(), amount, ProgramRandom()); }

void TEffectBmp::ApplyInactiveEffect(TSkinEffect effect) { ::ApplyInactiveEffect(Pixels(), effect, ProgramRandom()); }
