#pragma once
// How a control's bounds follow its limits and its parent: size constraints
// and anchors. Portable, so the rules are tested without windows.
#include <cstdint>
#include <functional>

#include "base/geometry.h"
#include "persist/persistent.h"

// The sides of its parent a control keeps its distance to.
enum TAnchorKind : uint32_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
constexpr uint32_t kDefaultAnchors = akLeft | akTop;

// Limits on a control's size; 0 is no limit.
class TSizeConstraints : public TPersistent {
 public:
  const PropertyTable& Properties() const override;

  int MinWidth() const { return FMinWidth; }
  int MinHeight() const { return FMinHeight; }
  int MaxWidth() const { return FMaxWidth; }
  int MaxHeight() const { return FMaxHeight; }
  void SetMinWidth(int value) { Store(FMinWidth, value); }
  void SetMinHeight(int value) { Store(FMinHeight, value); }
  void SetMaxWidth(int value) { Store(FMaxWidth, value); }
  void SetMaxHeight(int value) { Store(FMaxHeight, value); }

  std::function<void()> OnChange;

 private:
  void Store(int& field, int value);
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

struct SizeLimits {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};
// A limit of 0 does not apply; a minimum wins over a smaller maximum.
void ConstrainSize(const SizeLimits& limits, int& width, int& height);

// Where an anchored control goes when its parent's client size changes from
// `oldParent` to `newParent`, from where it was at `oldParent`. A side pair
// both anchored stretches; one side moves with it; neither keeps the control
// where it was relative to the middle.
TRect AnchoredBounds(const TRect& bounds, uint32_t anchors, TPoint oldParent, TPoint newParent);
