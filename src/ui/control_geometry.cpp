#include "ui/control_geometry.h"

#include <algorithm>

#include "persist/properties.h"

const PropertyTable& TSizeConstraints::Properties() const {
  using S = TSizeConstraints;
  static const PropertyTable table(&TPersistent::Properties(), {
                                                                   props::Int("MinWidth", &S::SetMinWidth, &S::MinWidth),
                                                                   props::Int("MinHeight", &S::SetMinHeight, &S::MinHeight),
                                                                   props::Int("MaxWidth", &S::SetMaxWidth, &S::MaxWidth),
                                                                   props::Int("MaxHeight", &S::SetMaxHeight, &S::MaxHeight),
                                                               });
  return table;
}

void TSizeConstraints::Store(int& field, int value) {
  value = std::max(value, 0);
  if (field == value) return;
  field = value;
  if (OnChange) OnChange();
}

void ConstrainSize(const SizeLimits& limits, int& width, int& height) {
  if (limits.MaxWidth > 0) width = std::min(width, limits.MaxWidth);
  if (limits.MaxHeight > 0) height = std::min(height, limits.MaxHeight);
  width = std::max(width, limits.MinWidth);
  height = std::max(height, limits.MinHeight);
}

namespace {

// One axis: the near and far edges of the control, anchored or not.
void Follow(int& nearEdge, int& farEdge, bool nearAnchored, bool farAnchored, int oldSize, int newSize) {
  int grown = newSize - oldSize;
  if (nearAnchored && farAnchored) {
    farEdge += grown;
  } else if (farAnchored) {
    nearEdge += grown;
    farEdge += grown;
  } else if (!nearAnchored) {
    // Halves of the old and the new size, so that growing and shrinking back return the same place.
    int shift = newSize / 2 - oldSize / 2;
    nearEdge += shift;
    farEdge += shift;
  }
}

}  // namespace

TRect AnchoredBounds(const TRect& bounds, uint32_t anchors, TPoint oldParent, TPoint newParent) {
  TRect r = bounds;
  Follow(r.Left, r.Right, anchors & akLeft, anchors & akRight, oldParent.X, newParent.X);
  Follow(r.Top, r.Bottom, anchors & akTop, anchors & akBottom, oldParent.Y, newParent.Y);
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}
