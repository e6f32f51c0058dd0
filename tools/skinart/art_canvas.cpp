#include "art_canvas.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "base/exceptions.h"

Rgb Mix(Rgb a, Rgb b, int weight, int total) {
  auto channel = [&](int from, int to) { return uint8_t((from * (total - weight) + to * weight + total / 2) / total); };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

int Shape::Coverage(int x, int y) const {
  int covered = 0;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) covered += Contains(x + (2 * i + 1) / 8.0, y + (2 * j + 1) / 8.0);
  return covered;
}

bool RoundedBox::Contains(double x, double y) const {
  if (x < FBox.Left || x >= FBox.Right || y < FBox.Top || y >= FBox.Bottom) return false;
  // Distance past the straight part, per axis, to the corner circle's centre.
  const double dx = std::max({FBox.Left + FRadius - x, x - (FBox.Right - FRadius), 0.0});
  const double dy = std::max({FBox.Top + FRadius - y, y - (FBox.Bottom - FRadius), 0.0});
  return dx * dx + dy * dy <= FRadius * FRadius;
}

RoundedBox RoundedBox::Inset(int inset) const {
  return RoundedBox({FBox.Left + inset, FBox.Top + inset, FBox.Right - inset, FBox.Bottom - inset},
                    std::max(0.0, FRadius - inset));
}

bool Stroke::Contains(double x, double y) const {
  const double vx = FX1 - FX0, vy = FY1 - FY0;
  const double length2 = vx * vx + vy * vy;
  const double t = length2 == 0 ? 0 : std::clamp(((x - FX0) * vx + (y - FY0) * vy) / length2, 0.0, 1.0);
  const double dx = x - (FX0 + t * vx), dy = y - (FY0 + t * vy);
  return dx * dx + dy * dy <= FHalfWidth * FHalfWidth;
}

bool Disc::Contains(double x, double y) const {
  const double dx = x - FX, dy = y - FY;
  return dx * dx + dy * dy <= FRadius * FRadius;
}

bool Triangle::Contains(double x, double y) const {
  auto side = [&](double ax, double ay, double bx, double by) { return (bx - ax) * (y - ay) - (by - ay) * (x - ax); };
  const double d1 = side(FAx, FAy, FBx, FBy), d2 = side(FBx, FBy, FCx, FCy), d3 = side(FCx, FCy, FAx, FAy);
  const bool anyNegative = d1 < 0 || d2 < 0 || d3 < 0, anyPositive = d1 > 0 || d2 > 0 || d3 > 0;
  return !(anyNegative && anyPositive);
}

bool ShapeUnion::Contains(double x, double y) const {
  return std::any_of(FParts.begin(), FParts.end(), [&](const Shape* part) { return part->Contains(x, y); });
}

ArtCanvas::ArtCanvas(int width, int height, Rgb fill)
    : FWidth(width), FHeight(height), FPixels(size_t(width) * height, fill) {}

void ArtCanvas::Set(int x, int y, Rgb colour) {
  if (x >= 0 && y >= 0 && x < FWidth && y < FHeight) FPixels[size_t(y) * FWidth + x] = colour;
}

void ArtCanvas::Fill(TRect area, Rgb colour) {
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) Set(x, y, colour);
}

void ArtCanvas::VerticalGradient(TRect area, Rgb top, Rgb bottom) {
  const int steps = std::max(1, area.Height() - 1);
  for (int y = area.Top; y < area.Bottom; ++y) HorizontalLine(area.Left, area.Right, y, Mix(top, bottom, y - area.Top, steps));
}

void ArtCanvas::HorizontalGradient(TRect area, Rgb left, Rgb right) {
  const int steps = std::max(1, area.Width() - 1);
  for (int x = area.Left; x < area.Right; ++x) VerticalLine(x, area.Top, area.Bottom, Mix(left, right, x - area.Left, steps));
}

void ArtCanvas::HorizontalLine(int left, int right, int y, Rgb colour) {
  for (int x = left; x < right; ++x) Set(x, y, colour);
}

void ArtCanvas::VerticalLine(int x, int top, int bottom, Rgb colour) {
  for (int y = top; y < bottom; ++y) Set(x, y, colour);
}

void ArtCanvas::Paint(const Shape& shape, TRect bounds, Rgb colour) {
  for (int y = std::max(0, bounds.Top); y < std::min(FHeight, bounds.Bottom); ++y)
    for (int x = std::max(0, bounds.Left); x < std::min(FWidth, bounds.Right); ++x) {
      const int quarters = (shape.Coverage(x, y) + 2) / 4;
      if (quarters > 0) Set(x, y, Mix(At(x, y), colour, quarters, 4));
    }
}

void ArtCanvas::Copy(const ArtCanvas& source, TRect from, TPoint to) {
  for (int y = from.Top; y < from.Bottom; ++y)
    for (int x = from.Left; x < from.Right; ++x) Set(to.X + x - from.Left, to.Y + y - from.Top, source.At(x, y));
}

static uint32_t Packed(Rgb c) { return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }

BmpImage ArtCanvas::Indexed() const {
  BmpImage image;
  image.width = FWidth;
  image.height = FHeight;
  image.bitCount = 8;
  std::map<uint32_t, uint8_t> indexOf;
  for (Rgb pixel : FPixels) {
    const uint32_t packed = Packed(pixel);
    auto found = indexOf.find(packed);
    if (found == indexOf.end()) {
      if (image.palette.size() == 256)
        throw Exception("a " + std::to_string(FWidth) + " x " + std::to_string(FHeight) +
                        " picture uses more than 256 colours");
      found = indexOf.emplace(packed, uint8_t(image.palette.size())).first;
      image.palette.push_back(packed);
    }
    image.indices.push_back(found->second);
  }
  return image;
}

BmpImage ArtCanvas::Compact() const {
  std::set<Rgb, bool (*)(const Rgb&, const Rgb&)> colours(
      [](const Rgb& a, const Rgb& b) { return Packed(a) < Packed(b); });
  for (Rgb pixel : FPixels)
    if (colours.insert(pixel).second && colours.size() > 256) return TrueColour();
  return Indexed();
}

BmpImage ArtCanvas::TrueColour() const {
  BmpImage image;
  image.width = FWidth;
  image.height = FHeight;
  image.bitCount = 24;
  for (Rgb pixel : FPixels) image.pixels.push_back(0xFF000000u | Packed(pixel));
  return image;
}

void MaskCanvas::AddShape(const Shape& shape) {
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x)
      if (shape.Coverage(x, y) >= kInsideCoverage) SetInside(x, y, true);
}

BmpImage MaskCanvas::Bitmap() const {
  BmpImage image;
  image.width = FWidth;
  image.height = FHeight;
  image.bitCount = 1;
  image.palette = {0x000000, 0xFFFFFF};
  for (bool inside : FInside) image.indices.push_back(inside ? 0 : 1);
  return image;
}
