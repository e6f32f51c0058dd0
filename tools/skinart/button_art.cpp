#include "button_art.h"

#include "bevelled_edge.h"
#include "theme.h"

static constexpr int kLookWidth = 66;
static constexpr int kLookHeight = 21;
static constexpr double kCornerRadius = 3;
static constexpr int kNormalTop = 1;
static constexpr int kPressedTop = 24;

static RoundedBox LookShape(int top) { return RoundedBox({0, top, kLookWidth, top + kLookHeight}, kCornerRadius); }

// Faces are gradients from top to bottom: the button stretches by
// repeating its middle columns, so nothing may vary across.
static void DrawLook(ArtCanvas& canvas, int top, Rgb faceTop, Rgb faceBottom, Relief relief) {
  canvas.VerticalGradient({0, top, kLookWidth, top + kLookHeight}, faceTop, faceBottom);
  DrawBevelledEdge(canvas, LookShape(top), theme::kClient, relief, 40);
}

ArtCanvas DrawButtonPicture() {
  ArtCanvas canvas(kLookWidth, kPressedTop + kLookHeight + 1, theme::kClient);
  DrawLook(canvas, kNormalTop, theme::kButtonTop, theme::kButtonBottom, Relief::Raised);
  DrawLook(canvas, kPressedTop, theme::kButtonPressedTop, theme::kButtonPressedBottom, Relief::Sunken);
  return canvas;
}

MaskCanvas DrawButtonMask() {
  MaskCanvas mask(kLookWidth, kLookHeight);
  mask.AddShape(LookShape(0));
  return mask;
}
