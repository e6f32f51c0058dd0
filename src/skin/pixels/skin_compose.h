#pragma once
// Fitting a skin picture's face to any size: the nine-piece, three-piece and
// frame-border compositions and the cutting of a mask into border strips.
// Points are relative to the skin rectangle's top-left corner; the scaled
// points are the same items in target coordinates.
#include "base/geometry.h"
#include "skin/pixels/pixel_buffer.h"

struct TFramePoints {
  TPoint LeftTop, RightTop, LeftBottom, RightBottom;
  TRect Client;
};

// Edges that are stretched instead of tiled.
struct TStretchEdges {
  bool Left = false, Top = false, Right = false, Bottom = false;
};

// Four border pictures; one that is not made stays empty (0 x 0).
struct TBorderStrips {
  PixelImage Top, Bottom, Left, Right;
};

// Edges and corners tiled 1:1 into a width x height picture, the client too
// when drawClient is set. Left blank when RB.X = LT.X, RB.Y = LT.Y or the
// source is empty.
PixelImage ComposeNinePieceTiled(const TFramePoints& points, const TFramePoints& scaled, PixelView source,
                                 TRect skinRect, int width, int height, bool drawClient);
// The same, with each edge named in `stretch` stretched over its span.
PixelImage ComposeNinePiece(const TFramePoints& points, const TFramePoints& scaled, PixelView source, TRect skinRect,
                            int width, int height, bool drawClient, TStretchEdges stretch);

// Left and right end pieces copied, the middle tiled between them; the
// picture is width x height(skinRect).
PixelImage ComposeHorizontalThree(int leftWidth, int rightWidth, int width, TRect skinRect, PixelView source);
// Top and bottom end pieces copied, the middle tiled; width(skinRect) x height.
PixelImage ComposeVerticalThree(int topHeight, int bottomHeight, int height, TRect skinRect, PixelView source);

// The window frame as four strips, so the client area is never painted by
// the frame. The caller draws top at (0, 0), left at (0, top height), right
// at (width - right width, top height), bottom at (0, height - bottom
// height); a strip that is not made counts as 0 high.
TBorderStrips ComposeFrameBorders(const TFramePoints& points, const TFramePoints& scaled, TStretchEdges stretch,
                                  int width, int height, TRect skinRect, PixelView source);

// The mask's border strips fitted to a width x height target, always tiled.
// Parts of a strip that no piece covers are white (outside the window); a
// strip ends where the mask or the target does, all outside beyond.
TBorderStrips SplitMaskBorders(const TFramePoints& points, const TFramePoints& scaled, PixelView mask, int width,
                               int height);
