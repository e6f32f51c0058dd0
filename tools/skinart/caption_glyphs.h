#pragma once
// The 9 x 9 caption buttons (at 100 %): a small plate with a light glyph,
// and the pressed looks. Drawn over whatever band colour lies beneath them.
// Origins are given at the picture's scale.
#include "art_canvas.h"

enum class CaptionGlyph { SystemMenu, RollUp, Minimize, Maximize, Close };

constexpr int kCaptionButtonSize = 9;

void DrawCaptionButton(ArtCanvas& canvas, TPoint origin, CaptionGlyph glyph, const ArtScale& scale);
// Pushed in: a dark plate, the glyph one pixel down and right.
void DrawCaptionButtonPressed(ArtCanvas& canvas, TPoint origin, CaptionGlyph glyph, const ArtScale& scale);
// For a look several buttons share, so it carries no glyph of its own: a
// dark plate lit from within.
void DrawSharedCaptionButtonPressed(ArtCanvas& canvas, TPoint origin, const ArtScale& scale);
