#pragma once
// The push button: its normal and pressed looks in one true-colour
// picture, and the mask that rounds its corners.
#include "art_canvas.h"

// 66 x 46: the normal look at rows 1 to 21, the pressed look at rows 24
// to 44, on the client colour.
ArtCanvas DrawButtonPicture();
// 66 x 21, the size of one look.
MaskCanvas DrawButtonMask();
