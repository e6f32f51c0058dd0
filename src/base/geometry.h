#pragma once
// Points and rectangles; Right and Bottom are exclusive. Sizes and moves
// saturate at the ends of 32 bits instead of wrapping: a skin may give any
// 32-bit value, and a rectangle far off must not come round into view.
#include <algorithm>
#include <cstdint>

constexpr int32_t Saturate(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

struct TPoint {
  int32_t X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Saturate(int64_t{Right} - Left); }
  int32_t Height() const { return Saturate(int64_t{Bottom} - Top); }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool operator==(const TRect&) const = default;
};

// No pixels: Right <= Left or Bottom <= Top.
inline bool IsEmptyRect(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

// The rectangle moved by (dx, dy).
inline TRect OffsetBy(const TRect& r, int32_t dx, int32_t dy) {
  return {Saturate(int64_t{r.Left} + dx), Saturate(int64_t{r.Top} + dy), Saturate(int64_t{r.Right} + dx),
          Saturate(int64_t{r.Bottom} + dy)};
}

inline TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {left, top, Saturate(int64_t{left} + width), Saturate(int64_t{top} + height)};
}
