#pragma once
// Lengths laid out at 96 pixels per inch, carried to another density.
#include <cstdint>

#include "base/geometry.h"

constexpr int32_t kDefaultPixelsPerInch = 96;

// value * multiplier / divisor, halves away from zero (as the system's
// MulDiv), kept within 32 bits. A divisor of 0 leaves the value.
constexpr int32_t ScaleLength(int32_t value, int32_t multiplier, int32_t divisor) {
  if (divisor == 0) return value;
  int64_t product = int64_t{value} * multiplier, by = divisor;
  if (by < 0) product = -product, by = -by;
  int64_t quotient = product / by;
  const int64_t twiceRest = (product % by) * 2;
  if (twiceRest >= by) ++quotient;
  if (twiceRest <= -by) --quotient;
  return Saturate(quotient);
}

// A rectangle's place and size each scaled, so that rectangles of one size
// keep one size.
inline TRect ScaleRect(const TRect& r, int32_t multiplier, int32_t divisor) {
  return Bounds(ScaleLength(r.Left, multiplier, divisor), ScaleLength(r.Top, multiplier, divisor),
                ScaleLength(r.Width(), multiplier, divisor), ScaleLength(r.Height(), multiplier, divisor));
}
