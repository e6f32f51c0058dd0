#include "skin/pixels/mask_region.h"

#include "base/codecs/little_endian.h"

namespace {

void AppendRect(std::vector<uint8_t>& out, int64_t left, int64_t top, int64_t right, int64_t bottom) {
  // Offsets far outside 32 bits wrap rather than overflow.
  for (int64_t value : {left, top, right, bottom}) AppendLE32(out, static_cast<uint32_t>(value));
}

}  // namespace

std::vector<uint8_t> MaskToRegionData(PixelView mask, int32_t dx, int32_t dy) {
  std::vector<uint8_t> block;
  if (mask.Empty()) return block;
  const int width = mask.Width(), height = mask.Height();
  AppendLE32(block, kRegionHeaderSize);
  AppendLE32(block, 1);  // RDH_RECTANGLES
  AppendLE32(block, 0);  // count, filled in at the end
  AppendLE32(block, 0);
  AppendRect(block, dx, dy, int64_t{dx} + width, int64_t{dy} + height);

  uint32_t count = 0;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = mask.Row(y);
    auto black = [row](int x) { return (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0; };
    for (int x = 0; x < width;) {
      if (!black(x)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width && black(x)) ++x;
      AppendRect(block, int64_t{dx} + start, int64_t{dy} + y, int64_t{dx} + x, int64_t{dy} + y + 1);
      ++count;
    }
  }
  StoreLE32(block.data() + 8, count);
  return block;
}

std::optional<TMaskRegionParts> ScaledMaskRegionParts(const TFramePoints& points, const TFramePoints& scaled,
                                                      PixelView mask, int width, int height) {
  if (scaled.RightTop.X < scaled.LeftTop.X || scaled.LeftBottom.Y < scaled.LeftTop.Y) return std::nullopt;
  TBorderStrips strips = SplitMaskBorders(points, scaled, mask, width, height);
  const TRect& c = scaled.Client;
  TMaskRegionParts parts;
  parts.Top = MaskToRegionData(strips.Top.View(), 0, 0);
  parts.Bottom = MaskToRegionData(strips.Bottom.View(), 0, c.Bottom);
  parts.Left = MaskToRegionData(strips.Left.View(), 0, c.Top);
  parts.Right = MaskToRegionData(strips.Right.View(), c.Right, c.Top);
  if (int64_t{c.Right} - c.Left >= 1 && int64_t{c.Bottom} - c.Top >= 1) parts.Client = c;
  return parts;
}
