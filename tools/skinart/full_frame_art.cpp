#include "full_frame_art.h"

#include <algorithm>
#include <array>

#include "bevelled_edge.h"
#include "full_glyphs.h"
#include "full_theme.h"

using namespace full_frame;
namespace t = full_theme;

namespace {

constexpr int kGlossRows = 13;  // the band's brighter upper part

// The grip's dots, relative to its corner, and how far each lies from the
// window's corner (the order they light in).
struct GripDot {
  int x, y, ring;
};
constexpr std::array<GripDot, 6> kGripDots{{{8, 6, 0}, {5, 6, 1}, {8, 3, 1}, {2, 6, 2}, {5, 3, 2}, {8, 0, 2}}};

// Lit from 0 (resting) to 3.
void DrawGripDot(ArtCanvas& canvas, TPoint corner, const GripDot& dot, int lit) {
  const int x = corner.X + dot.x, y = corner.Y + dot.y;
  canvas.Fill({x + 1, y + 1, x + 3, y + 3}, t::kGripShadow);
  canvas.Fill({x, y, x + 2, y + 2}, Mix(t::kGripDot, t::kGlyphPressed, lit, 3));
}

// The body deepens from the outer edge inwards.
void DrawBody(ArtCanvas& canvas) {
  constexpr int kRise = 5;
  for (int y = kAccentRow; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int distance = std::min({x, kWidth - 1 - x, kHeight - 1 - y, kRise});
      canvas.Set(x, y, Mix(t::kBodyOuter, t::kBody, distance, kRise));
    }
}

// A recessed slot along the footer and the grip in its corner.
void DrawFooter(ArtCanvas& canvas) {
  const RoundedBox slot(kStatusSlot, 3);
  canvas.Paint(slot, kStatusSlot, Mix(t::kBody, t::kWellShadow, 2, 3));
  canvas.Paint(slot.Inset(1), kStatusSlot, t::kSlot);
  canvas.HorizontalLine(kStatusSlot.Left + 2, kStatusSlot.Right - 2, kStatusSlot.Bottom,
                        Mix(t::kBody, t::kWellLight, 1, 2));
  for (const GripDot& dot : kGripDots) DrawGripDot(canvas, {kGrip.Left, kGrip.Top}, dot, 0);
}

ArtCanvas DrawFrame(Rgb accent, Rgb moon) {
  ArtCanvas canvas(kWidth, kHeight, t::kBody);
  DrawBody(canvas);
  for (int row = 0; row < kAccentRow; ++row) canvas.HorizontalLine(0, kWidth, row, FullBandColour(row));
  canvas.HorizontalLine(0, kWidth, kAccentRow, accent);
  DrawSunkenWell(canvas, kClient, t::kClient, t::kBody, t::kWellShadow, t::kWellLight);
  DrawFooter(canvas);
  DrawFullGlyph(canvas, {kSysMenuButton.Left, kSysMenuButton.Top}, FullGlyph::Moon, moon);
  DrawBevelledEdge(canvas, RoundedBox({0, 0, kWidth, kHeight}, kCornerRadius), t::kOutline, t::kEdgeFade,
                   Relief::Raised, 40);
  return canvas;
}

// Grey as the skin's grey-scale effect computes it: 0.3 red, 0.59 green,
// 0.11 blue, halves to even.
Rgb Grey(Rgb c) {
  const int hundredths = 30 * c.r + 59 * c.g + 11 * c.b;
  int grey = hundredths / 100;
  const int rest = hundredths % 100;
  if (rest > 50 || (rest == 50 && grey % 2 != 0)) ++grey;
  const auto v = uint8_t(std::min(grey, 255));
  return {v, v, v};
}

}  // namespace

Rgb FullBandColour(int row) {
  if (row < kGlossRows) return Mix(t::kBandGlossTop, t::kBandGlossBottom, row, kGlossRows - 1);
  return Mix(t::kBandTop, t::kBandBottom, row - kGlossRows, kAccentRow - kGlossRows - 1);
}

ArtCanvas DrawFullFramePicture() { return DrawFrame(t::kAccent, t::kGlyph); }

ArtCanvas DrawFullInactiveFramePicture() {
  ArtCanvas canvas = DrawFrame(t::kInactiveAccent, Mix(t::kGlyph, t::kBandGlossBottom, 1, 2));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) canvas.Set(x, y, Grey(canvas.At(x, y)));
  return canvas;
}

MaskCanvas DrawFullFrameMask() {
  MaskCanvas mask(kWidth, kHeight);
  mask.AddShape(RoundedBox({0, 0, kWidth, kHeight}, kCornerRadius));
  return mask;
}

ArtCanvas DrawFullCaptionLook() {
  const int height = kCaption.Height();
  ArtCanvas canvas(kCaption.Right, height, {});
  for (int row = 0; row < height; ++row) canvas.HorizontalLine(0, kCaption.Right, row, FullBandColour(kCaption.Top + row));
  // The pill's round ends lie within the caption's fixed end pieces, so
  // its straight middle repeats as the caption stretches.
  const RoundedBox pill({kCaption.Left + 2, 1, kCaption.Right - 2, height - 1}, (height - 2) / 2.0);
  canvas.Paint(pill, {0, 0, canvas.Width(), height}, Mix(t::kBandBottom, t::kOutline, 1, 2));
  const RoundedBox glow = pill.Inset(1);
  for (int y = 2; y < height - 2; ++y)
    canvas.Paint(glow, {0, y, canvas.Width(), y + 1}, Mix(t::kPillTop, t::kPillBottom, y - 2, height - 5));
  return canvas;
}

ArtCanvas DrawFullGripFrames() {
  const ArtCanvas frame = DrawFullFramePicture();
  ArtCanvas frames(kGrip.Width() * kGripFrames, kGrip.Height(), {});
  for (int f = 0; f < kGripFrames; ++f) {
    const TPoint corner{f * kGrip.Width(), 0};
    frames.Copy(frame, kGrip, corner);
    for (const GripDot& dot : kGripDots) DrawGripDot(frames, corner, dot, std::clamp(f - dot.ring, 0, 3));
  }
  return frames;
}
