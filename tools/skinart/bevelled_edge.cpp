#include "bevelled_edge.h"

#include <algorithm>

#include "theme.h"

static int Quarters(int coverage) { return (coverage + 2) / 4; }

void DrawBevelledEdge(ArtCanvas& canvas, const RoundedBox& outer, Rgb outside, Relief relief, int percent,
                      const ArtScale& scale) {
  DrawBevelledEdge(canvas, outer, theme::kOutline, outside, relief, percent, scale);
}

void DrawBevelledEdge(ArtCanvas& canvas, const RoundedBox& outer, Rgb outline, Rgb outside, Relief relief,
                      int percent, const ArtScale& scale) {
  const RoundedBox bevel = outer.Inset(scale(1)), inner = outer.Inset(scale(2));
  const TRect box = outer.Box();
  const double radius = outer.Radius();
  for (int y = box.Top; y < box.Bottom; ++y)
    for (int x = box.Left; x < box.Right; ++x) {
      const int innerCover = inner.Coverage(x, y);
      if (innerCover == 16) continue;
      const Rgb own = canvas.At(x, y);
      // Which way the edge faces here: away from the nearest point of the
      // box shrunk by its corner radius.
      const double cx = x + 0.5, cy = y + 0.5;
      const double nx = cx - std::clamp(cx, box.Left + radius, box.Right - radius);
      const double ny = cy - std::clamp(cy, box.Top + radius, box.Bottom - radius);
      const bool topLeft = nx + ny < 0;
      const bool lit = topLeft == (relief == Relief::Raised);
      const Rgb bevelColour = Mix(own, lit ? Rgb{255, 255, 255} : Rgb{0, 0, 0}, percent, 100);
      Rgb colour = Mix(outside, outline, Quarters(outer.Coverage(x, y)), 4);
      colour = Mix(colour, bevelColour, Quarters(bevel.Coverage(x, y)), 4);
      canvas.Set(x, y, Mix(colour, own, Quarters(innerCover), 4));
    }
}

void DrawSunkenWell(ArtCanvas& canvas, TRect client, Rgb fill, Rgb body, Rgb shadow, Rgb light,
                    const ArtScale& scale) {
  // Lines of a pixel at 100 % round the client as the skin's clientrect scales.
  const TRect c = scale(client);
  const int w = scale(1), l = c.Left, t = c.Top, r = c.Right, b = c.Bottom;
  canvas.Fill(c, fill);
  const Rgb softShadow = Mix(body, shadow, 1, 2);
  const Rgb softLight = Mix(body, light, 1, 2);
  canvas.Fill({l - 2 * w, t - 2 * w, r + w, t - w}, softShadow);
  canvas.Fill({l - 2 * w, t - 2 * w, l - w, b + w}, softShadow);
  canvas.Fill({l - 2 * w, b + w, r + 2 * w, b + 2 * w}, softLight);
  canvas.Fill({r + w, t - 2 * w, r + 2 * w, b + 2 * w}, softLight);
  canvas.Fill({l - w, t - w, r, t}, shadow);
  canvas.Fill({l - w, t - w, l, b}, shadow);
  canvas.Fill({l - w, b, r + w, b + w}, light);
  canvas.Fill({r, t - w, r + w, b + w}, light);
}
