#include "skin/pixels/pixel_copy.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/date_time.h"

namespace {

// Wider than any bitmap GDI can make: beyond it a stretch's index arithmetic
// could overflow, so such a stretch draws nothing.
constexpr int64_t kMaxStretchSpan = int64_t{1} << 28;

// Nearest source index for target offset i of a span of `to` pixels mapped
// from a span of `from` pixels (sampling each target pixel at its centre).
int64_t Nearest(int64_t i, int64_t from, int64_t to) { return (2 * i + 1) * from / (2 * to); }

}  // namespace

void CopyPixels(PixelView target, PixelBox dst, PixelView source, PixelBox src) {
  if (target.Empty() || source.Empty()) return;
  if (dst.Width() <= 0 || dst.Height() <= 0 || src.Width() <= 0 || src.Height() <= 0) return;

  if (dst.Width() == src.Width() && dst.Height() == src.Height()) {
    const int64_t dx = src.Left - dst.Left, dy = src.Top - dst.Top;
    const int64_t left = std::max({dst.Left, int64_t{0}, -dx});
    const int64_t right = std::min({dst.Right, int64_t{target.Width()}, source.Width() - dx});
    const int64_t top = std::max({dst.Top, int64_t{0}, -dy});
    const int64_t bottom = std::min({dst.Bottom, int64_t{target.Height()}, source.Height() - dy});
    if (left >= right || top >= bottom) return;
    const size_t bytes = 3 * static_cast<size_t>(right - left);
    for (int64_t y = top; y < bottom; ++y)
      std::memmove(target.Row(int(y)) + 3 * left, source.Row(int(y + dy)) + 3 * (left + dx), bytes);
    return;
  }

  if (std::max({dst.Width(), dst.Height(), src.Width(), src.Height()}) > kMaxStretchSpan) return;
  const int64_t left = std::max(dst.Left, int64_t{0}), right = std::min(dst.Right, int64_t{target.Width()});
  const int64_t top = std::max(dst.Top, int64_t{0}), bottom = std::min(dst.Bottom, int64_t{target.Height()});
  if (left >= right || top >= bottom) return;
  // Source column of each target column; -1 where it falls outside the source.
  std::vector<int> columns(static_cast<size_t>(right - left));
  for (int64_t x = left; x < right; ++x) {
    const int64_t sx = src.Left + Nearest(x - dst.Left, src.Width(), dst.Width());
    columns[size_t(x - left)] = sx >= 0 && sx < source.Width() ? int(sx) : -1;
  }
  for (int64_t y = top; y < bottom; ++y) {
    const int64_t sy = src.Top + Nearest(y - dst.Top, src.Height(), dst.Height());
    if (sy < 0 || sy >= source.Height()) continue;
    for (int64_t x = left; x < right; ++x)
      if (const int sx = columns[size_t(x - left)]; sx >= 0) target.Set(int(x), int(y), source.At(sx, int(sy)));
  }
}

void FillPixels(PixelView target, PixelBox box, Bgr color) {
  const int64_t left = std::max(box.Left, int64_t{0}), right = std::min(box.Right, int64_t{target.Width()});
  const int64_t top = std::max(box.Top, int64_t{0}), bottom = std::min(box.Bottom, int64_t{target.Height()});
  if (left >= right || top >= bottom) return;
  // The first row pixel by pixel, the others copied from it.
  for (int64_t x = left; x < right; ++x) target.Set(int(x), int(top), color);
  const uint8_t* first = target.Row(int(top)) + 3 * left;
  const size_t bytes = 3 * static_cast<size_t>(right - left);
  for (int64_t y = top + 1; y < bottom; ++y) std::memcpy(target.Row(int(y)) + 3 * left, first, bytes);
}

void TilePixels(PixelView target, PixelBox span, PixelView source, PixelBox piece, TileAxis axis) {
  const bool horizontal = axis == TileAxis::Horizontal;
  const int64_t start = horizontal ? span.Left : span.Top;
  const int64_t length = horizontal ? span.Width() : span.Height();
  const int64_t unit = horizontal ? piece.Width() : piece.Height();
  const int64_t extent = horizontal ? target.Width() : target.Height();
  if (length < 0 || unit <= 0) return;
  const int64_t end = start + length;
  // Copies wholly before the target's first pixel draw nothing: start with
  // the first that can reach it, and stop past the target's far side.
  const int64_t first = start < 0 ? -start / unit : 0;
  for (int64_t at = start + first * unit; at < end && at < extent; at += unit) {
    const int64_t cut = std::min(unit, end - at);
    if (horizontal)
      CopyPixels(target, {at, span.Top, at + cut, span.Bottom}, source,
                 {piece.Left, piece.Top, piece.Left + cut, piece.Bottom});
    else
      CopyPixels(target, {span.Left, at, span.Right, at + cut}, source,
                 {piece.Left, piece.Top, piece.Right, piece.Top + cut});
  }
}

void TileArea(PixelView target, TPoint phase, PixelView source, PixelBox piece) {
  const int64_t left = std::max<int64_t>(piece.Left, 0), top = std::max<int64_t>(piece.Top, 0);
  const int64_t right = std::min<int64_t>(piece.Right, source.Width());
  const int64_t bottom = std::min<int64_t>(piece.Bottom, source.Height());
  const int64_t w = right - left, h = bottom - top;
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < target.Height(); ++y) {
    const uint8_t* from = source.Row(static_cast<int>(top + FloorMod(y + int64_t{phase.Y}, h))) + 3 * left;
    uint8_t* to = target.Row(y);
    int64_t x = 0, column = FloorMod(int64_t{phase.X}, w);
    while (x < target.Width()) {
      const int64_t run = std::min(w - column, target.Width() - x);
      std::copy(from + 3 * column, from + 3 * (column + run), to + 3 * x);
      x += run;
      column = 0;
    }
  }
}
