#pragma once
// The full skin's caption glyphs, centred in 16 x 16 cells: boxes drawn
// crisp on the pixel grid, diagonals and the moon smooth.
#include "art_canvas.h"

constexpr int kFullCell = 16;

enum class FullGlyph { Moon, Close, Maximize, Restore, Minimize, RollUp, RollDown };

// The glyph in the cell whose top-left is `origin`, moved `shift` pixels
// right and down (a pressed look).
void DrawFullGlyph(ArtCanvas& canvas, TPoint origin, FullGlyph glyph, Rgb colour, int shift = 0);

// A crescent of any size; `inset` thins it evenly on both edges, for a rim
// in another colour.
void PaintMoon(ArtCanvas& canvas, double cx, double cy, double radius, TRect bounds, Rgb colour, double inset = 0);

// A four-pointed star: points `radius` from the centre, waist `waist`.
void PaintStar(ArtCanvas& canvas, double cx, double cy, double radius, double waist, TRect bounds, Rgb colour);
