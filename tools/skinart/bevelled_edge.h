#pragma once
// The rounded outer edge every skinned surface shares.
#include "art_canvas.h"

enum class Relief { Raised, Sunken };

// Lays a dark outline along the shape's edge and a one-pixel bevel inside
// it: the colour beneath lightened by `percent` where light falls (the top
// left when raised, the bottom right when sunken) and darkened as much on
// the other side. Partly covered pixels fade to `outside`, the colour the
// shape will stand on, so that a 1-bit mask cut looks smooth; pixels of the
// box outside the shape take that colour. Pixels further in keep theirs.
// The outline and bevel are a pixel each at 100 % and grow with the scale.
void DrawBevelledEdge(ArtCanvas& canvas, const RoundedBox& outer, Rgb outside, Relief relief, int percent,
                      const ArtScale& scale = ArtScale());
// The same with an outline of another colour than the program skin's.
void DrawBevelledEdge(ArtCanvas& canvas, const RoundedBox& outer, Rgb outline, Rgb outside, Relief relief,
                      int percent, const ArtScale& scale = ArtScale());

// The client sunk into a frame body: filled with `fill`, shadow above and
// left, light below and right, each with a softer line outside it. The
// client is given at 100 %.
void DrawSunkenWell(ArtCanvas& canvas, TRect client, Rgb fill, Rgb body, Rgb shadow, Rgb light,
                    const ArtScale& scale = ArtScale());
