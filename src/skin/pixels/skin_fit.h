#pragma once
// How a skinned control fits its size to its skin section: which way its
// face is composed, the size it may take, and the frame points scaled to it.
#include "base/geometry.h"
#include "skin/pixels/pixel_buffer.h"
#include "skin/pixels/skin_compose.h"

enum class TCompositionMode {
  None = -1,        // no picture rectangle: nothing is composed, the size is free
  Copy = 0,         // the rectangle copied 1:1; the size is the rectangle's
  NinePiece = 1,    // corners, tiled edges and client: any size
  Horizontal = 2,   // left, tiled middle, right: any width, the rectangle's height
  Vertical = 3,     // top, tiled middle, bottom: any height, the rectangle's width
};

TCompositionMode CompositionModeFor(const TRect& skinRect, const TFramePoints& points);

// Fits a requested size to the mode (width and height in/out) and returns the
// points scaled to the size. Without a picture rectangle nothing changes.
TFramePoints FitSizeToSkin(TCompositionMode mode, const TRect& skinRect, const TFramePoints& points,
                              int32_t& width, int32_t& height);

// The unscaled and scaled points that shape a control's window from its mask
// for a size: a three-piece face is cut as a nine-piece one whose missing
// corners are empty.
struct MaskRegionPoints {
  TFramePoints Source;
  TFramePoints Scaled;
};
MaskRegionPoints MaskRegionPointsFor(TCompositionMode mode, const TRect& skinRect, const TFramePoints& points,
                                     const TFramePoints& scaled, int32_t width, int32_t height);

// The face for one state rectangle of a picture (a rectangle with the skin
// rectangle's layout), composed to width x height as the mode says; empty
// without a picture or in mode None.
PixelImage ComposeSkinFace(TCompositionMode mode, PixelView picture, const TRect& stateRect,
                           const TFramePoints& points, const TFramePoints& scaled, int32_t width, int32_t height);
