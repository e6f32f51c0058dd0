#pragma once
// The full skin's window frame: a glassy indigo caption band over an amber
// line, a sunken client well, and a footer with a slot the program may
// paint and a size grip; its grey inactive twin and its mask; and the
// looks drawn over it: the active caption and the grip's animation.
#include "art_canvas.h"

namespace full_frame {

constexpr int kWidth = 200, kHeight = 150;
constexpr TRect kClient{7, 30, 193, 134};
constexpr int kCornerRadius = 8;
constexpr int kAccentRow = 27;
constexpr TRect kCaption{28, 3, 118, 25};
constexpr TRect kSysMenuButton{8, 6, 24, 22};
constexpr int kButtonsTop = 6;  // the caption buttons' first row
constexpr TRect kStatusSlot{10, 137, 160, 145};
constexpr TRect kGrip{178, 136, 190, 145};
constexpr int kGripFrames = 6;

}  // namespace full_frame

// The caption band's colour in a row of the frame picture.
Rgb FullBandColour(int row);

ArtCanvas DrawFullFramePicture();
// The frame with its accents dimmed, in the grey the skin's inactive
// effect makes of the active picture, so that looks drawn from other
// pictures and then greyed sit on it without a seam.
ArtCanvas DrawFullInactiveFramePicture();
MaskCanvas DrawFullFrameMask();
// 118 x 22, the band's rows 3 to 24: the active caption, a glowing pill
// across columns 28 to 117 (the caption object's own columns).
ArtCanvas DrawFullCaptionLook();
// The grip's frames side by side, from resting (as the frame shows it) to lit.
ArtCanvas DrawFullGripFrames();
