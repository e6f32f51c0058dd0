#include "button_art.h"

#include "theme.h"

const ButtonArt& ProgramButton() {
  static const ButtonArt art{66, 46, 21, 3, theme::kOutline, theme::kClient,
                             {{1, theme::kButtonTop, theme::kButtonBottom, Relief::Raised},
                              {24, theme::kButtonPressedTop, theme::kButtonPressedBottom, Relief::Sunken}}};
  return art;
}

static RoundedBox LookShape(const ButtonArt& art, int top) {
  return RoundedBox({0, top, art.width, top + art.lookHeight}, art.cornerRadius);
}

// Faces are gradients from top to bottom: the button stretches by
// repeating its middle columns, so nothing may vary across.
ArtCanvas DrawButtonPicture(const ButtonArt& art) {
  ArtCanvas canvas(art.width, art.height, art.background);
  for (const ButtonLook& look : art.looks) {
    canvas.VerticalGradient({0, look.top, art.width, look.top + art.lookHeight}, look.faceTop, look.faceBottom);
    DrawBevelledEdge(canvas, LookShape(art, look.top), art.outline, art.background, look.relief, 40);
  }
  return canvas;
}

MaskCanvas DrawButtonMask(const ButtonArt& art) {
  MaskCanvas mask(art.width, art.lookHeight);
  mask.AddShape(LookShape(art, 0));
  return mask;
}
