#include "vector_art.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>

#include "base/exceptions.h"

namespace {

const std::map<std::string, std::pair<ArtShape::Kind, int>> kKinds{
    {"disc", {ArtShape::Kind::Disc, 3}},
    {"ring", {ArtShape::Kind::Ring, 4}},
    {"line", {ArtShape::Kind::Line, 5}},
    {"crescent", {ArtShape::Kind::Crescent, 6}},
};

double SegmentDistance(double px, double py, const double* v) {
  const double dx = v[2] - v[0], dy = v[3] - v[1];
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((px - v[0]) * dx + (py - v[1]) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - (v[0] + t * dx), py - (v[1] + t * dy));
}

// `minWidth` is one pixel in canvas units.
bool Inside(const ArtShape& s, double x, double y, double minWidth) {
  const double* v = s.v;
  switch (s.kind) {
    case ArtShape::Kind::Disc: return std::hypot(x - v[0], y - v[1]) <= v[2];
    case ArtShape::Kind::Ring:
      return std::abs(std::hypot(x - v[0], y - v[1]) - v[2]) <= std::max(v[3], minWidth) / 2;
    case ArtShape::Kind::Line: return SegmentDistance(x, y, v) <= std::max(v[4], minWidth) / 2;
    case ArtShape::Kind::Crescent:
      return std::hypot(x - v[0], y - v[1]) <= v[2] && std::hypot(x - v[3], y - v[4]) > v[5];
  }
  return false;
}

}  // namespace

VectorArt ParseVectorArt(std::istream& in) {
  VectorArt art;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::istringstream words(line);
    std::string kind;
    if (!(words >> kind) || kind[0] == ';') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (kind == "canvas") {
      if (!(words >> art.canvas) || art.canvas <= 0) throw Exception(where + "the canvas needs a size above 0");
      continue;
    }
    const auto found = kKinds.find(kind);
    if (found == kKinds.end()) throw Exception(where + "unknown shape \"" + kind + "\"");
    if (art.canvas <= 0) throw Exception(where + "a shape before the canvas line");
    ArtShape shape{found->second.first};
    for (int i = 0; i < found->second.second; ++i)
      if (!(words >> shape.v[i]) || !std::isfinite(shape.v[i]))
        throw Exception(where + kind + " needs " + std::to_string(found->second.second) + " numbers");
    std::string colour, extra;
    if (!(words >> colour) || colour.size() != 7 || colour[0] != '#' ||
        colour.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos || (words >> extra))
      throw Exception(where + "a shape ends with its colour, #RRGGBB");
    shape.colour = uint32_t(std::stoul(colour.substr(1), nullptr, 16));
    art.shapes.push_back(shape);
  }
  if (art.canvas <= 0) throw Exception("the art has no canvas line");
  return art;
}

std::vector<uint32_t> RenderVectorArt(const VectorArt& art, int size) {
  if (size <= 0 || art.canvas <= 0) throw Exception("art is drawn at a size above 0");
  // Small sizes get more samples a pixel: their edges are most of the picture.
  const int samples = size <= 64 ? 8 : 4;
  const double unitsPerPixel = art.canvas / size;
  // Premultiplied red, green, blue and alpha, 0..1.
  std::vector<double> rgba(size_t(size) * size_t(size) * 4, 0.0);
  for (const ArtShape& shape : art.shapes) {
    const double r = double((shape.colour >> 16) & 0xFF) / 255, g = double((shape.colour >> 8) & 0xFF) / 255,
                 b = double(shape.colour & 0xFF) / 255;
    for (int py = 0; py < size; ++py)
      for (int px = 0; px < size; ++px) {
        int hits = 0;
        for (int sy = 0; sy < samples; ++sy)
          for (int sx = 0; sx < samples; ++sx) {
            const double x = (px + (sx + 0.5) / samples) * unitsPerPixel;
            const double y = (py + (sy + 0.5) / samples) * unitsPerPixel;
            if (Inside(shape, x, y, unitsPerPixel)) ++hits;
          }
        if (hits == 0) continue;
        const double cover = double(hits) / (samples * samples);
        double* p = &rgba[(size_t(py) * size_t(size) + size_t(px)) * 4];
        p[0] = r * cover + p[0] * (1 - cover);
        p[1] = g * cover + p[1] * (1 - cover);
        p[2] = b * cover + p[2] * (1 - cover);
        p[3] = cover + p[3] * (1 - cover);
      }
  }
  std::vector<uint32_t> out(size_t(size) * size_t(size), 0);
  for (size_t i = 0; i < out.size(); ++i) {
    const double* p = &rgba[i * 4];
    if (p[3] <= 0) continue;
    auto channel = [&](double v) { return uint32_t(std::lround(std::clamp(v / p[3], 0.0, 1.0) * 255)); };
    out[i] = (uint32_t(std::lround(p[3] * 255)) << 24) | (channel(p[0]) << 16) | (channel(p[1]) << 8) | channel(p[2]);
  }
  return out;
}
