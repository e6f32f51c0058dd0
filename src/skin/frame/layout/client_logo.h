#pragma once
// The form's logo on the client background: centred, never left of or above
// the client's corner, and drawn with its bottom-left colour left out when
// it is transparent.
#include "base/geometry.h"
#include "skin/pixels/pixel_buffer.h"

TPoint LogoPlace(TPoint clientSize, int logoWidth, int logoHeight);

// `target`'s pixel (0, 0) is the client point `origin`; the drawing is
// clipped to the target.
void DrawLogo(PixelView target, TPoint origin, TPoint clientSize, PixelView logo, bool transparent);
