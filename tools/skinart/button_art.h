#pragma once
// The push button: its looks stacked in one true-colour picture, and the
// mask that rounds its corners.
#include <vector>

#include "art_canvas.h"
#include "bevelled_edge.h"

struct ButtonLook {
  int top;  // first row of the look in the picture
  Rgb faceTop, faceBottom;
  Relief relief;
};

struct ButtonArt {
  int width, height;  // of the picture
  int lookHeight;
  double cornerRadius;
  Rgb outline, background;
  std::vector<ButtonLook> looks;
};

// 66 x 46: the normal look at rows 1 to 21, the pressed look at rows 24
// to 44, on the client colour.
const ButtonArt& ProgramButton();

// The art's lengths are at 100 %.
ArtCanvas DrawButtonPicture(const ButtonArt& art, const ArtScale& scale = ArtScale());
// One look's size.
MaskCanvas DrawButtonMask(const ButtonArt& art, const ArtScale& scale = ArtScale());
