#include "full_menu_art.h"

#include "bevelled_edge.h"
#include "full_glyphs.h"
#include "full_theme.h"

namespace t = full_theme;

// Each picture stretches by repeating its middle rows and columns, so
// every feature runs straight along the edge it belongs to.

ArtCanvas DrawFullMenuItemPicture() {
  ArtCanvas canvas(80, 52, t::kMenuFace);
  const TRect highlight{0, 1, 80, 21};
  canvas.VerticalGradient(highlight, t::kMenuHotTop, t::kMenuHotBottom);
  DrawBevelledEdge(canvas, RoundedBox(highlight, 3), t::kOutline, t::kMenuFace, Relief::Raised, 25);
  canvas.HorizontalLine(4, 76, 47, t::kMenuDivider);
  canvas.HorizontalLine(4, 76, 48, {255, 255, 255});
  return canvas;
}

static constexpr int kPopupWidth = 100, kPopupHeight = 60;
static constexpr int kSidebarWidth = 20;
static const RoundedBox kPopupShape({0, 0, kPopupWidth, kPopupHeight}, 5);

ArtCanvas DrawFullPopupPicture() {
  ArtCanvas canvas(kPopupWidth, kPopupHeight, t::kMenuFace);
  canvas.HorizontalGradient({0, 0, kSidebarWidth, kPopupHeight}, t::kMenuSidebarLeft, t::kMenuSidebarRight);
  canvas.VerticalLine(kSidebarWidth, 0, kPopupHeight, t::kMenuDivider);
  // Below the sidebar's repeated rows, so it stays at the foot.
  PaintMoon(canvas, 10, 51, 5, {0, 44, kSidebarWidth, kPopupHeight}, t::kGlyphPressed);
  DrawBevelledEdge(canvas, kPopupShape, t::kMenuBorder, t::kEdgeFade, Relief::Raised, 30);
  return canvas;
}

MaskCanvas DrawFullPopupMask() {
  MaskCanvas mask(kPopupWidth, kPopupHeight);
  mask.AddShape(kPopupShape);
  return mask;
}

static const RoundedBox kHintShape({0, 0, 40, 20}, 4);

ArtCanvas DrawFullHintPicture() {
  ArtCanvas canvas(40, 20, t::kHintFace);
  canvas.Fill({3, 2, 6, 18}, t::kGlyphPressed);
  DrawBevelledEdge(canvas, kHintShape, t::kHintBorder, t::kEdgeFade, Relief::Raised, 20);
  return canvas;
}

MaskCanvas DrawFullHintMask() {
  MaskCanvas mask(40, 20);
  mask.AddShape(kHintShape);
  return mask;
}
