#include "button_art.h"

#include "theme.h"

const ButtonArt& ProgramButton() {
  static const ButtonArt art{66, 46, 21, 3, theme::kOutline, theme::kClient,
                             {{1, theme::kButtonTop, theme::kButtonBottom, Relief::Raised},
                              {24, theme::kButtonPressedTop, theme::kButtonPressedBottom, Relief::Sunken}}};
  return art;
}

static RoundedBox LookShape(const ButtonArt& art, int top, const ArtScale& s) {
  return RoundedBox(s(TRect{0, top, art.width, top + art.lookHeight}), s.Exact(art.cornerRadius));
}

// Faces are gradients from top to bottom: the button stretches by
// repeating its middle columns, so nothing may vary across.
ArtCanvas DrawButtonPicture(const ButtonArt& art, const ArtScale& s) {
  ArtCanvas canvas(s(art.width), s(art.height), art.background);
  for (const ButtonLook& look : art.looks) {
    canvas.VerticalGradient(s(TRect{0, look.top, art.width, look.top + art.lookHeight}), look.faceTop,
                            look.faceBottom);
    DrawBevelledEdge(canvas, LookShape(art, look.top, s), art.outline, art.background, look.relief, 40, s);
  }
  return canvas;
}

MaskCanvas DrawButtonMask(const ButtonArt& art, const ArtScale& s) {
  MaskCanvas mask(s(art.width), s(art.lookHeight));
  // The look's shape at the top, whatever row its own top falls on.
  const TRect look = s(TRect{0, 0, art.width, art.lookHeight});
  mask.AddShape(RoundedBox(look, s.Exact(art.cornerRadius)));
  return mask;
}
