#pragma once
// The window frame: the main picture, its shape mask and the sheet of
// pressed caption-button looks.
#include "art_canvas.h"

// At 100 %.
constexpr int kFrameWidth = 176;
constexpr int kFrameHeight = 147;

ArtCanvas DrawFramePicture(const ArtScale& scale);
MaskCanvas DrawFrameMask(const ArtScale& scale);
// Holds the system-menu button's pressed look at (12, 6) and the one every
// other caption button shares at (12, 16), each on the band colours of
// rows 6 to 15 so that it fits over the frame seamlessly (at 100 %).
ArtCanvas DrawCaptionButtonSheet(const ArtScale& scale);
