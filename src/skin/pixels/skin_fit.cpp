#include "skin/pixels/skin_fit.h"

#include "skin/pixels/pixel_copy.h"

TCompositionMode CompositionModeFor(const TRect& r, const TFramePoints& p) {
  if (r.Width() < 1 || r.Height() < 1) return TCompositionMode::None;
  if (p.RightBottom.X != 0 && p.RightBottom.Y != 0) return TCompositionMode::NinePiece;
  if (p.RightTop.X != 0 || p.RightTop.Y != 0) return TCompositionMode::Horizontal;
  if (p.LeftBottom.X != 0 || p.LeftBottom.Y != 0) return TCompositionMode::Vertical;
  return TCompositionMode::Copy;
}

namespace {

// 64 bits: a skin's points and rectangles may be any 32-bit values.
int32_t Plus(int32_t a, int64_t b) { return Saturate(a + b); }

}  // namespace

TFramePoints FitSizeToSkin(TCompositionMode mode, const TRect& r, const TFramePoints& p, int32_t& width,
                              int32_t& height) {
  TFramePoints s = p;
  const int64_t dw = int64_t{width} - r.Width(), dh = int64_t{height} - r.Height();
  switch (mode) {
    case TCompositionMode::NinePiece:
      s.RightTop = {Plus(p.RightTop.X, dw), p.RightTop.Y};
      s.LeftBottom = {p.LeftBottom.X, Plus(p.LeftBottom.Y, dh)};
      s.RightBottom = {Plus(p.RightBottom.X, dw), Plus(p.RightBottom.Y, dh)};
      s.Client = {p.Client.Left, p.Client.Top, Plus(p.Client.Right, dw), Plus(p.Client.Bottom, dh)};
      break;
    case TCompositionMode::Horizontal:
      height = r.Height();
      s.RightTop = {Plus(p.RightTop.X, dw), p.RightTop.Y};
      s.Client.Right = Plus(s.Client.Right, dw);
      break;
    case TCompositionMode::Vertical:
      width = r.Width();
      s.LeftBottom = {p.LeftBottom.X, Plus(p.LeftBottom.Y, dh)};
      s.Client.Bottom = Plus(s.Client.Bottom, dh);
      break;
    case TCompositionMode::Copy:
      width = r.Width();
      height = r.Height();
      break;
    case TCompositionMode::None: break;
  }
  return s;
}

MaskRegionPoints MaskRegionPointsFor(TCompositionMode mode, const TRect& r, const TFramePoints& p,
                                     const TFramePoints& scaled, int32_t width, int32_t height) {
  MaskRegionPoints m{p, scaled};
  if (mode == TCompositionMode::Horizontal) {
    // The bottom corners are the top ones: the face has only a left and a right end.
    m.Source.LeftBottom = p.LeftTop;
    m.Source.RightBottom = p.RightTop;
    TPoint right{Plus(width, int64_t{p.RightTop.X} - r.Width()), p.RightTop.Y};
    m.Scaled.LeftTop = m.Scaled.LeftBottom = p.LeftTop;
    m.Scaled.RightTop = m.Scaled.RightBottom = right;
  } else if (mode == TCompositionMode::Vertical) {
    m.Source.RightTop = p.LeftTop;
    m.Source.RightBottom = p.LeftBottom;
    TPoint bottom{p.LeftBottom.X, Plus(height, int64_t{p.LeftBottom.Y} - r.Height())};
    m.Scaled.LeftTop = m.Scaled.RightTop = p.LeftTop;
    m.Scaled.LeftBottom = m.Scaled.RightBottom = bottom;
  }
  return m;
}

PixelImage ComposeSkinFace(TCompositionMode mode, PixelView picture, const TRect& r, const TFramePoints& p,
                           const TFramePoints& scaled, int32_t width, int32_t height) {
  if (picture.Empty() || width <= 0 || height <= 0) return {};
  switch (mode) {
    case TCompositionMode::NinePiece: return ComposeNinePieceTiled(p, scaled, picture, r, width, height, true);
    // A state's rectangle may be of any size while the face keeps the
    // control's: rows (columns) past the control are never seen, so the
    // fixed side is cut to it.
    case TCompositionMode::Horizontal: {
      const TRect cut{r.Left, r.Top, r.Right, Saturate(std::min<int64_t>(r.Bottom, int64_t{r.Top} + height))};
      return ComposeHorizontalThree(p.LeftTop.X, Plus(r.Width(), -int64_t{p.RightTop.X}), width, cut, picture);
    }
    case TCompositionMode::Vertical: {
      const TRect cut{r.Left, r.Top, Saturate(std::min<int64_t>(r.Right, int64_t{r.Left} + width)), r.Bottom};
      return ComposeVerticalThree(p.LeftTop.Y, Plus(r.Height(), -int64_t{p.LeftBottom.Y}), height, cut, picture);
    }
    case TCompositionMode::Copy: {
      PixelImage face(width, height);
      CopyPixels(face.View(), PixelBox(0, 0, r.Width(), r.Height()), picture, PixelBox(r));
      return face;
    }
    case TCompositionMode::None: break;
  }
  return {};
}
