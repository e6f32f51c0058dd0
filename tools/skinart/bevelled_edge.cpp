#include "bevelled_edge.h"

#include <algorithm>

#include "theme.h"

static int Quarters(int coverage) { return (coverage + 2) / 4; }

void DrawBevelledEdge(ArtCanvas& canvas, const RoundedBox& outer, Rgb outside, Relief relief, int percent) {
  DrawBevelledEdge(canvas, outer, theme::kOutline, outside, relief, percent);
}

void DrawBevelledEdge(ArtCanvas& canvas, const RoundedBox& outer, Rgb outline, Rgb outside, Relief relief,
                      int percent) {
  const RoundedBox bevel = outer.Inset(1), inner = outer.Inset(2);
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

void DrawSunkenWell(ArtCanvas& canvas, TRect client, Rgb fill, Rgb body, Rgb shadow, Rgb light) {
  const int l = client.Left, t = client.Top, r = client.Right, b = client.Bottom;
  canvas.Fill(client, fill);
  const Rgb softShadow = Mix(body, shadow, 1, 2);
  const Rgb softLight = Mix(body, light, 1, 2);
  canvas.HorizontalLine(l - 2, r + 1, t - 2, softShadow);
  canvas.VerticalLine(l - 2, t - 2, b + 1, softShadow);
  canvas.HorizontalLine(l - 2, r + 2, b + 1, softLight);
  canvas.VerticalLine(r + 1, t - 2, b + 2, softLight);
  canvas.HorizontalLine(l - 1, r, t - 1, shadow);
  canvas.VerticalLine(l - 1, t - 1, b, shadow);
  canvas.HorizontalLine(l - 1, r + 1, b, light);
  canvas.VerticalLine(r, t - 1, b + 1, light);
}
