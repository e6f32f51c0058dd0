#include "frame_art.h"

#include <algorithm>

#include "bevelled_edge.h"
#include "caption_glyphs.h"
#include "theme.h"

// The frame stretches by repeating its middle rows and columns, so every
// feature below runs straight along the edge it belongs to. Lengths are
// at 100 %.
static constexpr TRect kClient{15, 33, 163, 124};
static constexpr int kBandHeight = 22;
static constexpr int kCornerRadius = 11;
static constexpr int kGlossRows = 11;  // the band's brighter upper half

static RoundedBox OuterShape(const ArtScale& s) {
  return RoundedBox({0, 0, s(kFrameWidth), s(kFrameHeight)}, s.Exact(kCornerRadius));
}

// The colour of a row of the band, counted at the picture's scale.
static Rgb BandColour(int row, const ArtScale& s) {
  const int glossRows = s(kGlossRows), bandRows = s(kBandHeight);
  if (row < glossRows) return Mix(theme::kBandGlossTop, theme::kBandGlossBottom, row, glossRows - 1);
  return Mix(theme::kBandTop, theme::kBandBottom, row - glossRows, bandRows - glossRows - 1);
}

static void DrawCaptionBand(ArtCanvas& canvas, const ArtScale& s) {
  const int width = s(kFrameWidth);
  for (int row = 0; row < s(kBandHeight); ++row) canvas.HorizontalLine(0, width, row, BandColour(row, s));
  canvas.Fill(s(TRect{0, kBandHeight, kFrameWidth, kBandHeight + 1}), theme::kOutline);
  canvas.Fill(s(TRect{0, kBandHeight + 1, kFrameWidth, kBandHeight + 2}), theme::kBodyLight);
}

// A groove across the foot of the frame, echoing the band's lower edge.
static void DrawFootGroove(ArtCanvas& canvas, const ArtScale& s) {
  const int row = kClient.Bottom + 11;
  canvas.Fill(s(TRect{0, row, kFrameWidth, row + 1}), theme::kGroove);
  canvas.Fill(s(TRect{0, row + 1, kFrameWidth, row + 2}), Mix(theme::kBody, theme::kBodyLight, 1, 2));
}

// The body rises from the well towards the outer edge: its shade follows
// the distance to the nearest side or bottom edge.
static void DrawBody(ArtCanvas& canvas, const ArtScale& s) {
  const int rise = s(12), width = s(kFrameWidth), height = s(kFrameHeight);
  for (int y = s(kBandHeight); y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int distance = std::min({x, width - 1 - x, height - 1 - y, rise});
      canvas.Set(x, y, Mix(theme::kBodyOuter, theme::kBody, distance, rise));
    }
}

ArtCanvas DrawFramePicture(const ArtScale& s) {
  ArtCanvas canvas(s(kFrameWidth), s(kFrameHeight), theme::kBody);
  DrawBody(canvas, s);
  DrawCaptionBand(canvas, s);
  DrawSunkenWell(canvas, kClient, theme::kClient, theme::kBody, theme::kWellShadow, theme::kWellLight, s);
  DrawFootGroove(canvas, s);
  DrawBevelledEdge(canvas, OuterShape(s), theme::kEdgeFade, Relief::Raised, 45, s);
  DrawCaptionButton(canvas, s(TPoint{12, 6}), CaptionGlyph::SystemMenu, s);
  DrawCaptionButton(canvas, s(TPoint{104, 6}), CaptionGlyph::RollUp, s);
  DrawCaptionButton(canvas, s(TPoint{121, 6}), CaptionGlyph::Minimize, s);
  DrawCaptionButton(canvas, s(TPoint{138, 6}), CaptionGlyph::Maximize, s);
  DrawCaptionButton(canvas, s(TPoint{155, 6}), CaptionGlyph::Close, s);
  return canvas;
}

MaskCanvas DrawFrameMask(const ArtScale& s) {
  MaskCanvas mask(s(kFrameWidth), s(kFrameHeight));
  mask.AddShape(OuterShape(s));
  return mask;
}

ArtCanvas DrawCaptionButtonSheet(const ArtScale& s) {
  ArtCanvas sheet(s(24), s(26), {});
  // The lower look stands on the same band rows as the upper one.
  const int lowerShift = s(16) - s(6);
  for (int row = 0; row < sheet.Height(); ++row)
    sheet.HorizontalLine(0, sheet.Width(), row, BandColour(row < s(16) ? row : row - lowerShift, s));
  DrawCaptionButtonPressed(sheet, s(TPoint{12, 6}), CaptionGlyph::SystemMenu, s);
  DrawSharedCaptionButtonPressed(sheet, s(TPoint{12, 16}), s);
  return sheet;
}
