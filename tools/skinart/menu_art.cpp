#include "menu_art.h"

#include "bevelled_edge.h"
#include "caption_glyphs.h"
#include "theme.h"

// Each picture stretches by repeating its middle rows and columns, so
// every feature runs straight along the edge it belongs to.

ArtCanvas DrawMenuItemPicture() {
  ArtCanvas canvas(65, 44, theme::kMenuFace);
  const TRect highlight{0, 1, 65, 21};
  canvas.VerticalGradient(highlight, theme::kBandTop, theme::kBandBottom);
  DrawBevelledEdge(canvas, RoundedBox(highlight, 2), theme::kMenuFace, Relief::Raised, 30);
  return canvas;
}

static constexpr int kPopupWidth = 92, kPopupHeight = 52;
static constexpr TRect kPopupItems{19, 7, 85, 48};
static const RoundedBox kPopupShape({0, 0, kPopupWidth, kPopupHeight}, 4);

ArtCanvas DrawPopupPicture() {
  ArtCanvas canvas(kPopupWidth, kPopupHeight, theme::kMenuBorder);
  // A dark sidebar down the left, darkest at the window's edge. The top
  // border repeats across from column 17 on, so the sidebar's top end
  // stays within the corner left of it.
  constexpr int kSidebarWidth = 17;
  canvas.HorizontalGradient({0, 0, kSidebarWidth, kPopupHeight}, theme::kMenuSidebarLeft, theme::kMenuSidebarRight);
  canvas.Fill(kPopupItems, theme::kMenuFace);
  DrawBevelledEdge(canvas, kPopupShape, theme::kEdgeFade, Relief::Raised, 35);
  return canvas;
}

MaskCanvas DrawPopupMask() {
  MaskCanvas mask(kPopupWidth, kPopupHeight);
  mask.AddShape(kPopupShape);
  return mask;
}

ArtCanvas DrawHintPicture() {
  ArtCanvas canvas(32, 17, theme::kHintFace);
  canvas.Fill({2, 1, 5, 16}, theme::kHintStripe);
  canvas.HorizontalLine(0, 32, 0, theme::kHintBorder);
  canvas.HorizontalLine(0, 32, 16, theme::kHintBorder);
  canvas.VerticalLine(0, 0, 17, theme::kHintBorder);
  canvas.VerticalLine(31, 0, 17, theme::kHintBorder);
  return canvas;
}

ArtCanvas DrawMenuBarPicture() {
  ArtCanvas canvas(64, 54, theme::kBody);
  const TRect hot{0, 18, 40, 36}, down{0, 36, 40, 54};
  canvas.VerticalGradient(hot, theme::kBodyOuter, theme::kBody);
  DrawBevelledEdge(canvas, RoundedBox(hot, 2), theme::kBody, Relief::Raised, 30);
  canvas.VerticalGradient(down, theme::kBandTop, theme::kBandBottom);
  DrawBevelledEdge(canvas, RoundedBox(down, 2), theme::kBody, Relief::Sunken, 30);
  const CaptionGlyph glyphs[] = {CaptionGlyph::SystemMenu, CaptionGlyph::Minimize, CaptionGlyph::Maximize,
                                 CaptionGlyph::Close};
  for (int i = 0; i < 4; ++i) {
    DrawCaptionButton(canvas, {42, 10 * i}, glyphs[i]);
    DrawCaptionButtonPressed(canvas, {52, 10 * i}, glyphs[i]);
  }
  return canvas;
}
