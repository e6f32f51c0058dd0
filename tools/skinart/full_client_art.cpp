#include "full_client_art.h"

#include "full_glyphs.h"
#include "full_theme.h"

namespace t = full_theme;

ArtCanvas DrawFullClientTile() {
  ArtCanvas canvas(24, 24, t::kClient);
  for (double at : {6.0, 18.0}) PaintStar(canvas, at, at, 3.2, 0.8, {0, 0, 24, 24}, t::kClientSparkle);
  return canvas;
}

ArtCanvas DrawFullLogo() {
  ArtCanvas canvas(80, 60, t::kClient);
  const TRect all{0, 0, 80, 60};
  PaintMoon(canvas, 32, 31, 24, all, t::kMoonDark);
  PaintMoon(canvas, 32, 31, 24, all, t::kMoonLight, 2.5);
  PaintStar(canvas, 62, 17, 10, 2.4, all, t::kAccent);
  PaintStar(canvas, 70, 38, 5, 1.2, all, t::kGlyphPressed);
  return canvas;
}
