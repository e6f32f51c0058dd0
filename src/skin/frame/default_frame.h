#pragma once
// The frame of a form without a skin: three bevels round the window and a
// caption bar with grooves between its button groups, drawn by the program
// so that the window looks and acts the same with any skin or none.
#include <cstdint>
#include <span>

#include "base/geometry.h"
#include "skin/pixels/pixel_buffer.h"
#include "skin/frame/layout/object_layout.h"

constexpr int32_t kDefaultFrameBorder = 3;

// The caption's free span between the button groups, in window x.
struct TCaptionSpan {
  int32_t Left = 0, Right = 0;
};

// Places the standard buttons: close, maximize, minimize and roll up from
// the right edge inwards, the system-menu button at the left. Hidden
// buttons take no room.
TCaptionSpan PlaceDefaultButtons(std::span<TFrameObjectPlace> objects, int32_t width, bool toolWindow);

// Bevels and caption bar face on a window-sized image; the client area is left alone.
void ComposeDefaultFrame(PixelView window, int32_t captionHeight, TCaptionSpan caption);

// The caption text's left edge: centred in the span.
int32_t CentredTextLeft(TCaptionSpan caption, int32_t textWidth);
