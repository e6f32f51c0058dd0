#include "skin/frame/layout/client_logo.h"

#include <algorithm>

TPoint LogoPlace(TPoint clientSize, int logoWidth, int logoHeight) {
  return {std::max(clientSize.X / 2 - logoWidth / 2, 0), std::max(clientSize.Y / 2 - logoHeight / 2, 0)};
}

void DrawLogo(PixelView target, TPoint origin, TPoint clientSize, PixelView logo, bool transparent) {
  if (logo.Empty()) return;
  const TPoint at = LogoPlace(clientSize, logo.Width(), logo.Height());
  const Bgr key = logo.At(0, logo.Height() - 1);
  for (int y = 0; y < logo.Height(); ++y)
    for (int x = 0; x < logo.Width(); ++x) {
      const int tx = at.X + x - origin.X, ty = at.Y + y - origin.Y;
      if (!target.Contains(tx, ty)) continue;
      const Bgr pixel = logo.At(x, y);
      if (!transparent || pixel != key) target.Set(tx, ty, pixel);
    }
}
