#include "skin/pixels/mask_region_win.h"

#include <utility>

#include "base/exceptions.h"
#include "skin/pixels/fast_bitmap_win.h"

namespace {

RegionHandle Created(HRGN region) {
  if (!region) throw EOutOfResources("Out of system resources: cannot create a window region");
  return RegionHandle(region);
}

RegionHandle RegionFromData(const std::vector<uint8_t>& block) {
  if (block.empty()) return {};
  return Created(ExtCreateRegion(nullptr, DWORD(block.size()), reinterpret_cast<const RGNDATA*>(block.data())));
}

// a ∪ b into a; either may be missing.
RegionHandle Unite(RegionHandle a, RegionHandle b) {
  if (!a) return b;
  if (!b) return a;
  if (CombineRgn(a.Get(), a.Get(), b.Get(), RGN_OR) == ERROR)
    throw EOutOfResources("Out of system resources: cannot combine window regions");
  return a;
}

}  // namespace

RegionHandle RegionFromMask(PixelView mask) { return RegionFromData(MaskToRegionData(mask, 0, 0)); }

RegionHandle RegionFromMask(HBITMAP mask) {
  const TFBitmap pixels(mask);
  return RegionFromMask(pixels.View());
}

RegionHandle ScaledMaskRegion(const TFramePoints& points, const TFramePoints& scaled, PixelView mask, int width,
                              int height) {
  std::optional<TMaskRegionParts> parts = ScaledMaskRegionParts(points, scaled, mask, width, height);
  if (!parts) return {};
  RegionHandle client;
  if (parts->Client) {
    const TRect& c = *parts->Client;
    client = Created(CreateRectRgn(c.Left, c.Top, c.Right, c.Bottom));
  }
  RegionHandle across = Unite(RegionFromData(parts->Top), RegionFromData(parts->Bottom));
  RegionHandle sides = Unite(RegionFromData(parts->Left), RegionFromData(parts->Right));
  RegionHandle result = Unite(std::move(client), Unite(std::move(sides), std::move(across)));
  return result ? std::move(result) : Created(CreateRectRgn(0, 0, 0, 0));
}
