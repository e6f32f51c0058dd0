#include "skin/pixels/skin_compose.h"

#include <algorithm>
#include <cstdint>

#include "skin/pixels/pixel_copy.h"

namespace {

using Box = PixelBox;
constexpr auto kAlongX = TileAxis::Horizontal;
constexpr auto kAlongY = TileAxis::Vertical;

// A size from two skin values, without overflow: 0 when inverted.
int Extent(int64_t from, int64_t to) { return int(std::clamp<int64_t>(to - from, 0, INT32_MAX)); }

// The client piece repeated in both directions over the scaled client,
// column by column; the last column and row are cut.
void TileClient(PixelView target, Box span, PixelView source, Box piece) {
  const int64_t unitX = piece.Width(), unitY = piece.Height();
  if (span.Width() < 0 || span.Height() < 0 || unitX <= 0 || unitY <= 0) return;
  for (int64_t x = span.Left; x < span.Right && x < target.Width(); x += unitX) {
    const int64_t cutX = std::min(unitX, span.Right - x);
    TilePixels(target, {x, span.Top, x + cutX, span.Bottom}, source,
               {piece.Left, piece.Top, piece.Left + cutX, piece.Bottom}, kAlongY);
  }
}

PixelImage ComposeNine(const TFramePoints& p, const TFramePoints& s, PixelView source, TRect skinRect, int width,
                       int height, bool drawClient, TStretchEdges stretch) {
  PixelImage image(width, height);
  if (p.RightBottom.X == p.LeftTop.X || p.RightBottom.Y == p.LeftTop.Y || source.Empty()) return image;
  const PixelView target = image.View();
  const int64_t rl = skinRect.Left, rt = skinRect.Top, rr = skinRect.Right, rb = skinRect.Bottom;
  const int64_t W = width, H = height;
  const TRect& c = p.Client;
  const TRect& sc = s.Client;

  // An edge is stretched over its span or tiled along it from the span's start.
  auto edge = [&](bool stretched, Box span, Box piece, TileAxis axis) {
    if (stretched)
      CopyPixels(target, span, source, piece);
    else
      TilePixels(target, span, source, piece, axis);
  };
  edge(stretch.Top, {s.LeftTop.X, 0, s.RightTop.X, sc.Top},
       {rl + p.LeftTop.X, rt, rl + p.RightTop.X, rt + c.Top}, kAlongX);
  edge(stretch.Bottom, {s.LeftBottom.X, sc.Bottom, s.RightBottom.X, H},
       {rl + p.LeftBottom.X, rt + c.Bottom, rl + p.RightBottom.X, rb}, kAlongX);
  edge(stretch.Left, {0, s.LeftTop.Y, sc.Left, s.LeftBottom.Y},
       {rl, rt + p.LeftTop.Y, rl + sc.Left, rt + p.LeftBottom.Y}, kAlongY);
  edge(stretch.Right, {sc.Right, s.RightTop.Y, W, s.RightBottom.Y},
       {rl + c.Right, rt + p.RightTop.Y, rr, rt + p.RightBottom.Y}, kAlongY);

  auto corner = [&](Box from, Box to) { CopyPixels(target, to, source, from); };
  corner({rl, rt, rl + p.LeftTop.X, rt + c.Top}, {0, 0, s.LeftTop.X, sc.Top});
  corner({rl, rt + c.Top, rl + c.Left, rt + p.LeftTop.Y}, {0, sc.Top, sc.Left, s.LeftTop.Y});
  corner({rl + p.RightTop.X, rt, rr, rt + c.Top}, {s.RightTop.X, 0, W, sc.Top});
  corner({rl + c.Right, rt + c.Top, rr, rt + p.RightTop.Y}, {sc.Right, sc.Top, W, s.RightTop.Y});
  corner({rl, rt + p.LeftBottom.Y, rl + c.Left, rb}, {0, s.LeftBottom.Y, sc.Left, H});
  corner({rl + c.Left, rt + c.Bottom, rl + p.LeftBottom.X, rb}, {sc.Left, sc.Bottom, s.LeftBottom.X, H});
  corner({rl + p.RightBottom.X, rt + c.Bottom, rr, rb}, {s.RightBottom.X, sc.Bottom, W, H});
  corner({rl + c.Right, rt + p.RightBottom.Y, rr, rt + c.Bottom}, {sc.Right, s.RightBottom.Y, W, sc.Bottom});

  if (drawClient) TileClient(target, sc, source, {rl + c.Left, rt + c.Top, rl + c.Right, rt + c.Bottom});
  return image;
}

// One border strip of the frame: the middle piece stretched into `stretchSpan`
// or tiled over the whole strip, then the end pieces over it.
void FrameStrip(PixelImage& strip, PixelView source, bool stretched, Box stretchSpan, Box middle, TileAxis axis,
                Box firstEnd, Box firstTo, Box lastEnd, Box lastTo) {
  const PixelView target = strip.View();
  if (stretched)
    CopyPixels(target, stretchSpan, source, middle);
  else
    TilePixels(target, {0, 0, strip.Width(), strip.Height()}, source, middle, axis);
  CopyPixels(target, firstTo, source, firstEnd);
  CopyPixels(target, lastTo, source, lastEnd);
}

}  // namespace

PixelImage ComposeNinePieceTiled(const TFramePoints& points, const TFramePoints& scaled, PixelView source,
                                 TRect skinRect, int width, int height, bool drawClient) {
  return ComposeNine(points, scaled, source, skinRect, width, height, drawClient, {});
}

PixelImage ComposeNinePiece(const TFramePoints& points, const TFramePoints& scaled, PixelView source, TRect skinRect,
                            int width, int height, bool drawClient, TStretchEdges stretch) {
  return ComposeNine(points, scaled, source, skinRect, width, height, drawClient, stretch);
}

PixelImage ComposeHorizontalThree(int leftWidth, int rightWidth, int width, TRect skinRect, PixelView source) {
  PixelImage image(width, Extent(skinRect.Top, skinRect.Bottom));
  const PixelView target = image.View();
  const int64_t rl = skinRect.Left, rt = skinRect.Top, rr = skinRect.Right, rb = skinRect.Bottom;
  const int64_t h = image.Height(), left = leftWidth, right = rightWidth, w = width;
  if (left != 0) CopyPixels(target, {0, 0, left, h}, source, {rl, rt, rl + left, rb});
  if (right != 0) CopyPixels(target, {w - right, 0, w, h}, source, {rr - right, rt, rr, rb});
  TilePixels(target, {left, 0, w - right, h}, source, {rl + left, rt, rr - right, rb}, kAlongX);
  return image;
}

PixelImage ComposeVerticalThree(int topHeight, int bottomHeight, int height, TRect skinRect, PixelView source) {
  PixelImage image(Extent(skinRect.Left, skinRect.Right), height);
  const PixelView target = image.View();
  const int64_t rl = skinRect.Left, rt = skinRect.Top, rr = skinRect.Right, rb = skinRect.Bottom;
  const int64_t w = image.Width(), top = topHeight, bottom = bottomHeight, h = height;
  if (top != 0) CopyPixels(target, {0, 0, w, top}, source, {rl, rt, rr, rt + top});
  if (bottom != 0) CopyPixels(target, {0, h - bottom, w, h}, source, {rl, rb - bottom, rr, rb});
  TilePixels(target, {0, top, w, h - bottom}, source, {rl, rt + top, rr, rb - bottom}, kAlongY);
  return image;
}

TBorderStrips ComposeFrameBorders(const TFramePoints& p, const TFramePoints& s, TStretchEdges stretch, int width,
                                  int height, TRect skinRect, PixelView source) {
  TBorderStrips strips;
  const int64_t rl = skinRect.Left, rt = skinRect.Top, rr = skinRect.Right, rb = skinRect.Bottom;
  const int64_t W = width, H = height;
  const TRect& c = p.Client;
  const TRect& sc = s.Client;

  // No strip reaches past the window: what lies beyond is never seen, and a
  // broken skin could ask for billions of such pixels. The pieces go one to
  // one, so a strip cut at its outer side (the bottom and right strips keep
  // their inner side) shows what the whole one would.
  const int64_t top = std::min<int64_t>(sc.Top, H);
  if (W > 0 && top > 0 && int64_t{p.RightTop.X} - p.LeftTop.X > 0) {
    strips.Top = PixelImage(width, Extent(0, top));
    FrameStrip(strips.Top, source, stretch.Top, {s.LeftTop.X, 0, s.RightTop.X, top},
               {rl + p.LeftTop.X, rt, rl + p.RightTop.X, rt + top}, kAlongX,
               {rl, rt, rl + p.LeftTop.X, rt + top}, {0, 0, s.LeftTop.X, top},
               {rl + p.RightTop.X, rt, rr, rt + top}, {s.RightTop.X, 0, W, top});
  }
  const int64_t bottom = std::min<int64_t>(H - sc.Bottom, H);
  if (W > 0 && bottom > 0 && int64_t{p.RightBottom.X} - p.LeftBottom.X > 0) {
    strips.Bottom = PixelImage(width, Extent(0, bottom));
    FrameStrip(strips.Bottom, source, stretch.Bottom, {s.LeftBottom.X, 0, s.RightBottom.X, bottom},
               {rl + p.LeftBottom.X, rb - bottom, rl + p.RightBottom.X, rb}, kAlongX,
               {rl, rb - bottom, rl + p.LeftBottom.X, rb}, {0, 0, s.LeftBottom.X, bottom},
               {rl + p.RightBottom.X, rb - bottom, rr, rb}, {s.RightBottom.X, 0, W, bottom});
  }

  const int64_t side = H - strips.Top.Height() - strips.Bottom.Height();
  // The side strips: the pieces above LT.Y (RT.Y) and below LB.Y (RB.Y) keep
  // their height at the strip's ends; the middle fills or stretches between.
  auto sideStrip = [&](PixelImage& strip, int64_t stripWidth, int64_t sourceLeft, int64_t sourceRight,
                       int64_t upperEnd, int64_t lowerStart, bool stretched) {
    strip = PixelImage(Extent(0, stripWidth), Extent(0, side));
    const int64_t upper = upperEnd - c.Top, lower = int64_t{c.Bottom} - lowerStart;
    const Box none;
    FrameStrip(strip, source, stretched, {0, upper, stripWidth, side - lower},
               {sourceLeft, rt + upperEnd, sourceRight, rt + lowerStart}, kAlongY,
               upper > 0 ? Box{sourceLeft, rt + c.Top, sourceRight, rt + upperEnd} : none,
               {0, 0, stripWidth, upper},
               lower > 0 ? Box{sourceLeft, rt + lowerStart, sourceRight, rt + c.Bottom} : none,
               {0, side - lower, stripWidth, side});
  };
  const int64_t left = std::min<int64_t>(sc.Left, W);
  if (left > 0 && side > 0 && int64_t{p.LeftBottom.Y} - p.LeftTop.Y > 0)
    sideStrip(strips.Left, left, rl, rl + left, p.LeftTop.Y, p.LeftBottom.Y, stretch.Left);
  const int64_t wholeRight = W - sc.Right, right = std::min(wholeRight, W);
  if (right > 0 && side > 0 && int64_t{p.RightBottom.Y} - p.RightTop.Y > 0)
    sideStrip(strips.Right, right, rl + c.Right + (wholeRight - right), rr, p.RightTop.Y, p.RightBottom.Y,
              stretch.Right);
  return strips;
}

TBorderStrips SplitMaskBorders(const TFramePoints& p, const TFramePoints& s, PixelView mask, int width, int height) {
  TBorderStrips strips;
  const int64_t mw = mask.Width(), mh = mask.Height(), W = width, H = height;
  const TRect& c = p.Client;
  const TRect& sc = s.Client;
  const int64_t sideHeight = int64_t{sc.Bottom} - sc.Top;
  const Bgr outside{255, 255, 255};

  // A strip is made only as far as the mask and the target reach: past the
  // mask it would be all outside, past the target nothing looks at it. The
  // pieces keep their places in the whole strip.
  auto blank = [&](PixelImage& strip, int64_t w, int64_t h) {
    if (w <= 0 || h <= 0) return false;
    strip = PixelImage(Extent(0, w), Extent(0, h));
    FillPixels(strip.View(), {0, 0, w, h}, outside);
    return true;
  };
  // `x`: where the strip's left edge lies in the target.
  auto side = [&](PixelImage& strip, int64_t from, int64_t to, int64_t upperEnd, int64_t lowerStart, int64_t x) {
    to = std::min({to, mw, from + W - x});
    if (!blank(strip, to - from, std::min(sideHeight, H - sc.Top))) return;
    const PixelView target = strip.View();
    const int64_t w = strip.Width(), h = sideHeight;
    if (lowerStart != upperEnd) TilePixels(target, {0, 0, w, h}, mask, {from, upperEnd, to, lowerStart}, kAlongY);
    CopyPixels(target, {0, 0, w, upperEnd - c.Top}, mask, {from, c.Top, to, upperEnd});
    CopyPixels(target, {0, h - (c.Bottom - lowerStart), w, h}, mask, {from, lowerStart, to, c.Bottom});
  };
  auto across = [&](PixelImage& strip, int64_t rowFrom, int64_t rowTo, TPoint first, TPoint last, TPoint scaledFirst,
                    TPoint scaledLast) {
    if (!blank(strip, W, rowTo - rowFrom)) return;
    const PixelView target = strip.View();
    const int64_t h = strip.Height();
    if (last.X != first.X)
      TilePixels(target, {scaledFirst.X, 0, scaledLast.X, h}, mask, {first.X, rowFrom, last.X, rowTo}, kAlongX);
    CopyPixels(target, {0, 0, first.X, h}, mask, {0, rowFrom, first.X, rowTo});
    CopyPixels(target, {scaledLast.X, 0, W, h}, mask, {last.X, rowFrom, mw, rowTo});
  };

  side(strips.Left, 0, c.Left, p.LeftTop.Y, p.LeftBottom.Y, 0);
  side(strips.Right, c.Right, mw, p.RightTop.Y, p.RightBottom.Y, sc.Right);
  across(strips.Top, 0, std::min<int64_t>({c.Top, mh, H}), p.LeftTop, p.RightTop, s.LeftTop, s.RightTop);
  across(strips.Bottom, c.Bottom, std::min<int64_t>(mh, c.Bottom + H - sc.Bottom), p.LeftBottom, p.RightBottom,
         s.LeftBottom, s.RightBottom);
  return strips;
}
