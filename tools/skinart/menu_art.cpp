#include "menu_art.h"

#include "bevelled_edge.h"
#include "caption_glyphs.h"
#include "theme.h"

// Each picture stretches by repeating its middle rows and columns, so
// every feature runs straight along the edge it belongs to. Lengths are
// at 100 %.

ArtCanvas DrawMenuItemPicture(const ArtScale& s) {
  // As tall as the plain item's rectangle reaches once scaled.
  ArtCanvas canvas(s(65), s(TRect{0, 22, 65, 44}).Bottom, theme::kMenuFace);
  const TRect highlight = s(TRect{0, 1, 65, 21});
  canvas.VerticalGradient(highlight, theme::kBandTop, theme::kBandBottom);
  DrawBevelledEdge(canvas, RoundedBox(highlight, s.Exact(2)), theme::kMenuFace, Relief::Raised, 30, s);
  return canvas;
}

static constexpr int kPopupWidth = 92, kPopupHeight = 52;
static constexpr TRect kPopupItems{19, 7, 85, 48};

static RoundedBox PopupShape(const ArtScale& s) {
  return RoundedBox({0, 0, s(kPopupWidth), s(kPopupHeight)}, s.Exact(4));
}

ArtCanvas DrawPopupPicture(const ArtScale& s) {
  ArtCanvas canvas(s(kPopupWidth), s(kPopupHeight), theme::kMenuBorder);
  // A dark sidebar down the left, darkest at the window's edge. The top
  // border repeats across from column 17 on, so the sidebar's top end
  // stays within the corner left of it.
  constexpr int kSidebarWidth = 17;
  canvas.HorizontalGradient(s(TRect{0, 0, kSidebarWidth, kPopupHeight}), theme::kMenuSidebarLeft,
                            theme::kMenuSidebarRight);
  canvas.Fill(s(kPopupItems), theme::kMenuFace);
  DrawBevelledEdge(canvas, PopupShape(s), theme::kEdgeFade, Relief::Raised, 35, s);
  return canvas;
}

MaskCanvas DrawPopupMask(const ArtScale& s) {
  MaskCanvas mask(s(kPopupWidth), s(kPopupHeight));
  mask.AddShape(PopupShape(s));
  return mask;
}

ArtCanvas DrawHintPicture(const ArtScale& s) {
  const int width = s(32), height = s(17), w = s(1);
  // The bottom border takes the rows below the client as skin.ini's clientrect scales.
  const int clientBottom = s(TRect{9, 1, 28, 16}).Bottom;
  ArtCanvas canvas(width, height, theme::kHintFace);
  canvas.Fill(s(TRect{2, 1, 5, 16}), theme::kHintStripe);
  for (const TRect border : {TRect{0, 0, width, w}, TRect{0, clientBottom, width, height}, TRect{0, 0, w, height},
                             TRect{width - w, 0, width, height}})
    canvas.Fill(border, theme::kHintBorder);
  return canvas;
}

ArtCanvas DrawMenuBarPicture(const ArtScale& s) {
  ArtCanvas canvas(s(64), s(54), theme::kBody);
  const TRect hot = s(TRect{0, 18, 40, 36}), down = s(TRect{0, 36, 40, 54});
  canvas.VerticalGradient(hot, theme::kBodyOuter, theme::kBody);
  DrawBevelledEdge(canvas, RoundedBox(hot, s.Exact(2)), theme::kBody, Relief::Raised, 30, s);
  canvas.VerticalGradient(down, theme::kBandTop, theme::kBandBottom);
  DrawBevelledEdge(canvas, RoundedBox(down, s.Exact(2)), theme::kBody, Relief::Sunken, 30, s);
  const CaptionGlyph glyphs[] = {CaptionGlyph::SystemMenu, CaptionGlyph::Minimize, CaptionGlyph::Maximize,
                                 CaptionGlyph::Close};
  for (int i = 0; i < 4; ++i) {
    DrawCaptionButton(canvas, s(TPoint{42, 10 * i}), glyphs[i], s);
    DrawCaptionButtonPressed(canvas, s(TPoint{52, 10 * i}), glyphs[i], s);
  }
  return canvas;
}
