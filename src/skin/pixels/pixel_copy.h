#pragma once
// Rectangle copies between pixel buffers, as a canvas's CopyRect does in
// COLORONCOLOR mode: pixel for pixel when both rectangles have one size,
// nearest neighbour otherwise. Coordinates are 64-bit so that sums of skin
// values never overflow. Only pixels inside both buffers are read or
// written, and an empty or inverted rectangle copies nothing.
#include <cstdint>

#include "base/geometry.h"
#include "skin/pixels/pixel_buffer.h"

struct PixelBox {
  int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  PixelBox() = default;
  PixelBox(int64_t left, int64_t top, int64_t right, int64_t bottom)
      : Left(left), Top(top), Right(right), Bottom(bottom) {}
  PixelBox(const TRect& r) : Left(r.Left), Top(r.Top), Right(r.Right), Bottom(r.Bottom) {}
  int64_t Width() const { return Right - Left; }
  int64_t Height() const { return Bottom - Top; }
};

void CopyPixels(PixelView target, PixelBox targetBox, PixelView source, PixelBox sourceBox);
void FillPixels(PixelView target, PixelBox box, Bgr color);

enum class TileAxis { Horizontal, Vertical };

// The tiling rule: the piece is repeated along the axis from the span's
// start, n = length div unit + 1 times; the copy that passes the span's end
// is cut there, on the source side too, so no copy along the axis is
// scaled. Across the axis the copy goes from the piece's extent to the
// span's. A negative span, or a piece of no length, draws nothing.
void TilePixels(PixelView target, PixelBox span, PixelView source, PixelBox piece, TileAxis axis);

// Covers the whole target with the piece repeated in both directions, as if
// tiled from a point `phase` up and left of the target's corner: target
// pixel (x, y) shows piece pixel ((x + phase.X) mod w, (y + phase.Y) mod h).
// Lets a part of a tiled area be drawn alone and still line up. The piece is
// clipped to the source; an empty piece draws nothing.
void TileArea(PixelView target, TPoint phase, PixelView source, PixelBox piece);
