#pragma once
// One-pixel frame lines in the twelve frame styles, on any subset of the four
// sides. Each function draws inside `bounds` and returns the rectangle left
// inside its lines, so frames nest by feeding one result to the next call.
// A colour of clNone draws nothing, but the rectangle still shrinks.
#include <cstdint>

#include "base/color.h"
#include "base/geometry.h"
#include "panel/frame_canvas.h"
#include "panel/frame_style.h"

enum class TBevelFamily : uint8_t { bf3D, bfButton };
// For the button family, raised is "up" and lowered is "down".
enum class TBevelVariant : uint8_t { bvRaised, bvLowered };

// Pixels a style takes from each framed side; fsStatus and fsPopup take the bevel width.
int FrameStyleWidth(TFrameStyleEx style, int bevelWidth = 1);

// Upper-left colour on the left and top sides, lower-right colour on the
// right and bottom sides, which are drawn last and so own the two corners
// where the colours meet.
TRect StrokeSides(FrameCanvas& canvas, TRect bounds, TColor upperLeft, TColor lowerRight, uint32_t sides);
TRect StrokeBevel(FrameCanvas& canvas, TRect bounds, TColor upperLeft, TColor lowerRight, int width, uint32_t sides);
TRect StrokeTwoBevels(FrameCanvas& canvas, TRect bounds, TBevelFamily family, TBevelVariant variant, uint32_t sides);

// The styles drawn in system colours alone. fsFlatRounded needs the caller's
// colours and is drawn by PaintPanelFrame; here it draws nothing.
TRect PaintFrameStyle(FrameCanvas& canvas, TRect bounds, TFrameStyleEx style, uint32_t sides);

// Lines two pixels short of each framed corner, closed by one diagonal pixel,
// so the three outermost pixels of a corner keep what was there.
TRect PaintCutCornerFrame(FrameCanvas& canvas, TRect bounds, TColor color, uint32_t sides);

// A panel's outer frame, border gap and inner frame; returns the area left for
// its background. The flat styles use `flatColor` shifted by `flatColorAdjustment`.
TRect PaintPanelFrame(FrameCanvas& canvas, TRect bounds, TFrameStyleEx outerStyle, TFrameStyleEx innerStyle,
                      int borderWidth, uint32_t sides, int bevelWidth, TColor borderColor, TColor highlightColor,
                      TColor shadowColor, TColor flatColor, int flatColorAdjustment, TColor controlColor,
                      TColor parentColor, bool transparent);
