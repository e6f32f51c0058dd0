#pragma once
// Masks to window regions: black pixels (blue + green + red = 0) are inside.
// The region data has the layout of Win32's RGNDATA, ready for
// ExtCreateRegion: a 32-byte header (size 32, type 1 = rectangles, count N,
// region size 0, bounding rectangle) and N rectangles of four 32-bit values.
#include <cstdint>
#include <optional>
#include <vector>

#include "base/geometry.h"
#include "skin/pixels/pixel_buffer.h"
#include "skin/pixels/skin_compose.h"

constexpr size_t kRegionHeaderSize = 32;
constexpr size_t kRegionRectSize = 16;

// One rectangle per run of black pixels in each row, rows top to bottom and
// runs left to right, moved by (dx, dy); the bounding rectangle is the mask's
// moved likewise. Its size() (32 + 16·N) is ExtCreateRegion's data size. An
// empty mask gives no block (size 0); a mask without black gives N = 0.
// There is no cap on N: every run of any mask comes out.
std::vector<uint8_t> MaskToRegionData(PixelView mask, int32_t dx, int32_t dy);

// What ScaledMaskRegion unites: the region data of each non-empty mask
// strip at its place in the target, and the scaled client rectangle when it
// is not empty.
struct TMaskRegionParts {
  std::vector<uint8_t> Top, Bottom, Left, Right;
  std::optional<TRect> Client;
};
// None when RT'.X < LT'.X or LB'.Y < LT'.Y.
std::optional<TMaskRegionParts> ScaledMaskRegionParts(const TFramePoints& points, const TFramePoints& scaled,
                                                      PixelView mask, int width, int height);
