#pragma once
// Icon art drawn as shapes, so that each icon size is drawn for itself
// rather than resampled from another. The text gives a "canvas N" line (the
// side of the square the coordinates are in), then one shape a line,
// painted in order, each ending in its colour (#RRGGBB):
//   disc X Y R          a filled circle
//   ring X Y R W        a circle's outline, W wide, centred on radius R
//   line X1 Y1 X2 Y2 W  a stroke with round ends, W wide
//   crescent X Y R CX CY CR   the disc at X Y R less the disc at CX CY CR
// Strokes are never thinner than one pixel. Lines starting with ';' are
// comments.
#include <cstdint>
#include <istream>
#include <vector>

struct ArtShape {
  enum class Kind { Disc, Ring, Line, Crescent } kind;
  double v[6] = {};   // the numbers after the kind, in order
  uint32_t colour;    // 0xRRGGBB
};

struct VectorArt {
  double canvas = 0;
  std::vector<ArtShape> shapes;
};

// Throws Exception naming the line for text that is not such art.
VectorArt ParseVectorArt(std::istream& in);

// The art drawn into a size x size square, 0xAARRGGBB, top row first;
// edges are anti-aliased and what no shape covers is transparent.
std::vector<uint32_t> RenderVectorArt(const VectorArt& art, int size);
