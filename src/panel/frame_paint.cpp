#include "panel/frame_paint.h"

#include "panel/color_math.h"

namespace {

using enum TFrameStyleEx;

void Line(FrameCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

TRect Shrink(TRect r, int by, uint32_t sides) {
  if (sides & sdLeft) r.Left += by;
  if (sides & sdTop) r.Top += by;
  if (sides & sdRight) r.Right -= by;
  if (sides & sdBottom) r.Bottom -= by;
  return r;
}

struct BevelColors {
  TColor OuterUpperLeft, OuterLowerRight, InnerUpperLeft, InnerLowerRight;
};

BevelColors TwoBevelColors(TBevelFamily family, TBevelVariant variant) {
  const bool raised = variant == TBevelVariant::bvRaised;
  if (family == TBevelFamily::bf3D)
    return raised ? BevelColors{cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow}
                  : BevelColors{clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight};
  return raised ? BevelColors{clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow}
                : BevelColors{clBtnText, clBtnText, clBtnShadow, clBtnShadow};
}

// Groove and bump: two offset rings, with the pixels where a framed side
// meets an unframed one set first so the open ends look etched too.
TRect PaintEtched(FrameCanvas& canvas, TRect bounds, TColor upperLeft, TColor lowerRight, uint32_t sides) {
  const auto [l, t, r, b] = bounds;
  const bool left = sides & sdLeft, top = sides & sdTop, right = sides & sdRight, bottom = sides & sdBottom;
  if (right)
    canvas.SetPixel(r - 1, t, lowerRight);
  else if (top)
    canvas.SetPixel(r - 1, t, upperLeft);
  if (bottom)
    canvas.SetPixel(l, b - 1, lowerRight);
  else if (left)
    canvas.SetPixel(l, b - 1, upperLeft);
  if (top && !left) canvas.SetPixel(l, t + 1, lowerRight);
  if (left && !top) canvas.SetPixel(l + 1, t, lowerRight);
  if (bottom && !right) canvas.SetPixel(r - 1, b - 2, upperLeft);
  if (right && !bottom) canvas.SetPixel(r - 2, b - 1, upperLeft);
  StrokeSides(canvas, {l + 1, t + 1, r, b}, lowerRight, lowerRight, sides);
  StrokeSides(canvas, {l, t, r - 1, b - 1}, upperLeft, upperLeft, sides);
  return Shrink(bounds, 2, sides);
}

// The colours PaintPanelFrame hands to each of its rings.
struct PanelColors {
  TColor Border, Highlight, Shadow, Flat, Control, Parent;
};

// The styles whose drawing is the same outside and inside the border gap.
TRect PaintPanelStyle(FrameCanvas& canvas, TRect bounds, TFrameStyleEx style, uint32_t sides, int bevelWidth,
                      const PanelColors& colors) {
  switch (style) {
    case fsFlat: return StrokeBevel(canvas, bounds, colors.Flat, colors.Flat, 1, sides);
    case fsFlatBold: return StrokeBevel(canvas, bounds, colors.Flat, colors.Flat, 2, sides);
    case fsPopup: return StrokeBevel(canvas, bounds, colors.Highlight, colors.Shadow, bevelWidth, sides);
    case fsStatus: return StrokeBevel(canvas, bounds, colors.Shadow, colors.Highlight, bevelWidth, sides);
    default: return PaintFrameStyle(canvas, bounds, style, sides);
  }
}

}  // namespace

int FrameStyleWidth(TFrameStyleEx style, int bevelWidth) {
  switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return bevelWidth;
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
    case fsFlatBold:
    case fsFlatRounded: return 2;
  }
  return 0;
}

TRect StrokeSides(FrameCanvas& canvas, TRect bounds, TColor upperLeft, TColor lowerRight, uint32_t sides) {
  const auto [l, t, r, b] = bounds;
  if (upperLeft != clNone) {
    canvas.SetPenColor(upperLeft);
    if (sides & sdLeft) Line(canvas, l, t, l, b);
    if (sides & sdTop) Line(canvas, l, t, r, t);
  }
  if (lowerRight != clNone) {
    canvas.SetPenColor(lowerRight);
    if (sides & sdRight) Line(canvas, r - 1, t, r - 1, b);
    if (sides & sdBottom) Line(canvas, l, b - 1, r, b - 1);
  }
  return Shrink(bounds, 1, sides);
}

TRect StrokeBevel(FrameCanvas& canvas, TRect bounds, TColor upperLeft, TColor lowerRight, int width, uint32_t sides) {
  canvas.SetPenWidth(1);
  for (int i = 0; i < width; ++i) bounds = StrokeSides(canvas, bounds, upperLeft, lowerRight, sides);
  return bounds;
}

TRect StrokeTwoBevels(FrameCanvas& canvas, TRect bounds, TBevelFamily family, TBevelVariant variant, uint32_t sides) {
  const BevelColors colors = TwoBevelColors(family, variant);
  bounds = StrokeBevel(canvas, bounds, colors.OuterUpperLeft, colors.OuterLowerRight, 1, sides);
  return StrokeBevel(canvas, bounds, colors.InnerUpperLeft, colors.InnerLowerRight, 1, sides);
}

TRect PaintFrameStyle(FrameCanvas& canvas, TRect bounds, TFrameStyleEx style, uint32_t sides) {
  using enum TBevelFamily;
  using enum TBevelVariant;
  switch (style) {
    case fsFlat: return StrokeSides(canvas, bounds, cl3DDkShadow, cl3DDkShadow, sides);
    case fsStatus: return StrokeSides(canvas, bounds, clBtnShadow, clBtnHighlight, sides);
    case fsPopup: return StrokeSides(canvas, bounds, clBtnHighlight, clBtnShadow, sides);
    case fsFlatBold: return StrokeBevel(canvas, bounds, clBtnShadow, clBtnShadow, 2, sides);
    case fsLowered: return StrokeTwoBevels(canvas, bounds, bf3D, bvLowered, sides);
    case fsRaised: return StrokeTwoBevels(canvas, bounds, bf3D, bvRaised, sides);
    case fsButtonDown: return StrokeTwoBevels(canvas, bounds, bfButton, bvLowered, sides);
    case fsButtonUp: return StrokeTwoBevels(canvas, bounds, bfButton, bvRaised, sides);
    case fsGroove: return PaintEtched(canvas, bounds, clBtnShadow, clBtnHighlight, sides);
    case fsBump: return PaintEtched(canvas, bounds, clBtnHighlight, clBtnShadow, sides);
    case fsNone:
    case fsFlatRounded: return bounds;
  }
  return bounds;
}

TRect PaintCutCornerFrame(FrameCanvas& canvas, TRect bounds, TColor color, uint32_t sides) {
  const TRect result = Shrink(bounds, 2, sides);
  // Like the stroked frames, no colour still leaves room for the frame.
  if (color == clNone) return result;
  const auto [l, t, r, b] = bounds;
  const bool left = sides & sdLeft, top = sides & sdTop, right = sides & sdRight, bottom = sides & sdBottom;
  const int yFrom = top ? t + 2 : t, yTo = bottom ? b - 2 : b;
  const int xFrom = left ? l + 2 : l, xTo = right ? r - 2 : r;
  canvas.SetPenColor(color);
  if (left) Line(canvas, l, yFrom, l, yTo);
  if (top) Line(canvas, xFrom, t, xTo, t);
  if (right) Line(canvas, r - 1, yFrom, r - 1, yTo);
  if (bottom) Line(canvas, xFrom, b - 1, xTo, b - 1);
  if (left && top) canvas.SetPixel(l + 1, t + 1, color);
  if (right && top) canvas.SetPixel(r - 2, t + 1, color);
  if (right && bottom) canvas.SetPixel(r - 2, b - 2, color);
  if (left && bottom) canvas.SetPixel(l + 1, b - 2, color);
  return result;
}

TRect PaintPanelFrame(FrameCanvas& canvas, TRect bounds, TFrameStyleEx outerStyle, TFrameStyleEx innerStyle,
                      int borderWidth, uint32_t sides, int bevelWidth, TColor borderColor, TColor highlightColor,
                      TColor shadowColor, TColor flatColor, int flatColorAdjustment, TColor controlColor,
                      TColor parentColor, bool transparent) {
  const PanelColors colors{borderColor,  highlightColor, shadowColor, ShiftLightness(flatColor, flatColorAdjustment),
                           controlColor, parentColor};
  // A rounded outer ring sits against the border colour only when something
  // is drawn inside it; otherwise it blends into the control.
  const bool borderInside = borderWidth > 0 || innerStyle != fsNone;

  TRect work;
  if (outerStyle == fsFlatRounded) {
    if (!transparent) {
      // The parent colour shows through the cut-off corners.
      const TRect ring = StrokeBevel(canvas, bounds, colors.Parent, colors.Parent, 1, sides);
      const TColor next = borderInside ? colors.Border : colors.Control;
      StrokeBevel(canvas, ring, next, next, 1, sides);
    } else if (borderInside) {
      StrokeBevel(canvas, Shrink(bounds, 1, kAllSides), colors.Border, colors.Border, 1, sides);
    }
    work = PaintCutCornerFrame(canvas, bounds, colors.Flat, sides);
  } else {
    work = PaintPanelStyle(canvas, bounds, outerStyle, sides, bevelWidth, colors);
  }

  if (borderWidth > 0) work = StrokeBevel(canvas, work, colors.Border, colors.Border, borderWidth, sides);

  if (innerStyle == fsFlatRounded) {
    const TRect ring = StrokeBevel(canvas, work, colors.Border, colors.Border, 1, sides);
    if (!transparent) StrokeBevel(canvas, ring, colors.Control, colors.Control, 1, sides);
    return PaintCutCornerFrame(canvas, work, colors.Flat, sides);
  }
  return PaintPanelStyle(canvas, work, innerStyle, sides, bevelWidth, colors);
}
