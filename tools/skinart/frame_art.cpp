#include "frame_art.h"

#include <algorithm>

#include "bevelled_edge.h"
#include "caption_glyphs.h"
#include "theme.h"

// The frame stretches by repeating its middle rows and columns, so every
// feature below runs straight along the edge it belongs to.
static constexpr TRect kClient{15, 33, 163, 124};
static constexpr int kBandHeight = 22;
static constexpr int kCornerRadius = 11;
static constexpr int kGlossRows = 11;  // the band's brighter upper half

static const RoundedBox kOuterShape({0, 0, kFrameWidth, kFrameHeight}, kCornerRadius);

static Rgb BandColour(int row) {
  if (row < kGlossRows) return Mix(theme::kBandGlossTop, theme::kBandGlossBottom, row, kGlossRows - 1);
  return Mix(theme::kBandTop, theme::kBandBottom, row - kGlossRows, kBandHeight - kGlossRows - 1);
}

static void DrawCaptionBand(ArtCanvas& canvas) {
  for (int row = 0; row < kBandHeight; ++row) canvas.HorizontalLine(0, kFrameWidth, row, BandColour(row));
  canvas.HorizontalLine(0, kFrameWidth, kBandHeight, theme::kOutline);
  canvas.HorizontalLine(0, kFrameWidth, kBandHeight + 1, theme::kBodyLight);
}

// A groove across the foot of the frame, echoing the band's lower edge.
static void DrawFootGroove(ArtCanvas& canvas) {
  const int row = kClient.Bottom + 11;
  canvas.HorizontalLine(0, kFrameWidth, row, theme::kGroove);
  canvas.HorizontalLine(0, kFrameWidth, row + 1, Mix(theme::kBody, theme::kBodyLight, 1, 2));
}

// The body rises from the well towards the outer edge: its shade follows
// the distance to the nearest side or bottom edge.
static void DrawBody(ArtCanvas& canvas) {
  constexpr int kRise = 12;
  for (int y = kBandHeight; y < kFrameHeight; ++y)
    for (int x = 0; x < kFrameWidth; ++x) {
      const int distance = std::min({x, kFrameWidth - 1 - x, kFrameHeight - 1 - y, kRise});
      canvas.Set(x, y, Mix(theme::kBodyOuter, theme::kBody, distance, kRise));
    }
}

ArtCanvas DrawFramePicture() {
  ArtCanvas canvas(kFrameWidth, kFrameHeight, theme::kBody);
  DrawBody(canvas);
  DrawCaptionBand(canvas);
  DrawSunkenWell(canvas, kClient, theme::kClient, theme::kBody, theme::kWellShadow, theme::kWellLight);
  DrawFootGroove(canvas);
  DrawBevelledEdge(canvas, kOuterShape, theme::kEdgeFade, Relief::Raised, 45);
  DrawCaptionButton(canvas, {12, 6}, CaptionGlyph::SystemMenu);
  DrawCaptionButton(canvas, {104, 6}, CaptionGlyph::RollUp);
  DrawCaptionButton(canvas, {121, 6}, CaptionGlyph::Minimize);
  DrawCaptionButton(canvas, {138, 6}, CaptionGlyph::Maximize);
  DrawCaptionButton(canvas, {155, 6}, CaptionGlyph::Close);
  return canvas;
}

MaskCanvas DrawFrameMask() {
  MaskCanvas mask(kFrameWidth, kFrameHeight);
  mask.AddShape(kOuterShape);
  return mask;
}

ArtCanvas DrawCaptionButtonSheet() {
  ArtCanvas sheet(24, 26, {});
  for (int row = 0; row < sheet.Height(); ++row)
    sheet.HorizontalLine(0, sheet.Width(), row, BandColour(row < 16 ? row : row - 10));
  DrawCaptionButtonPressed(sheet, {12, 6}, CaptionGlyph::SystemMenu);
  DrawSharedCaptionButtonPressed(sheet, {12, 16});
  return sheet;
}
