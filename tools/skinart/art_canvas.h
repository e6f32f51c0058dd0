#pragma once
// The drawing surface of the skin art: an RGB picture with the few
// operations the art needs, and its 1-bit sibling for masks. Everything is
// integer or exact binary fractions, so the output is the same byte for
// byte on every build.
#include <cstdint>
#include <utility>
#include <vector>

#include "base/codecs/bmp_codec.h"
#include "base/display_scale.h"
#include "base/geometry.h"

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// The scale a picture is drawn at, in percent. The art is laid out at 100 %
// and every length goes through here, as the skin loader carries skin.ini's
// lengths (the same rounding), so that the pictures meet the definition.
class ArtScale {
 public:
  constexpr explicit ArtScale(int percent = 100) : FPercent(percent) {}
  int Percent() const { return FPercent; }
  int operator()(int length) const { return ScaleLength(length, FPercent, 100); }
  TPoint operator()(TPoint p) const { return {(*this)(p.X), (*this)(p.Y)}; }
  TRect operator()(TRect r) const { return ScaleRect(r, FPercent, 100); }
  // For shapes, which take fractional lengths.
  double Exact(double length) const { return length * FPercent / 100; }

 private:
  int FPercent;
};

// a moved toward b by weight / total, rounded.
Rgb Mix(Rgb a, Rgb b, int weight, int total);

// A shape answers whether a point (in pixel units, pixel centres at .5)
// lies inside it.
class Shape {
 public:
  virtual ~Shape() = default;
  virtual bool Contains(double x, double y) const = 0;
  // How much of pixel (x, y) the shape covers, in 16ths (4 x 4 samples).
  int Coverage(int x, int y) const;
};

class RoundedBox : public Shape {
 public:
  // Right and bottom exclusive; radius 0 gives square corners.
  RoundedBox(TRect box, double radius) : FBox(box), FRadius(radius) {}
  bool Contains(double x, double y) const override;
  TRect Box() const { return FBox; }
  double Radius() const { return FRadius; }
  // The same box shrunk by inset pixels on every side, corners following.
  RoundedBox Inset(int inset) const;

 private:
  TRect FBox;
  double FRadius;
};

// A straight stroke with round ends.
class Stroke : public Shape {
 public:
  Stroke(double x0, double y0, double x1, double y1, double width)
      : FX0(x0), FY0(y0), FX1(x1), FY1(y1), FHalfWidth(width / 2) {}
  bool Contains(double x, double y) const override;

 private:
  double FX0, FY0, FX1, FY1, FHalfWidth;
};

class Disc : public Shape {
 public:
  Disc(double cx, double cy, double radius) : FX(cx), FY(cy), FRadius(radius) {}
  bool Contains(double x, double y) const override;

 private:
  double FX, FY, FRadius;
};

// The closed triangle a, b, c.
class Triangle : public Shape {
 public:
  Triangle(double ax, double ay, double bx, double by, double cx, double cy)
      : FAx(ax), FAy(ay), FBx(bx), FBy(by), FCx(cx), FCy(cy) {}
  bool Contains(double x, double y) const override;

 private:
  double FAx, FAy, FBx, FBy, FCx, FCy;
};

// Points inside `keep` and outside `cut`.
class ShapeDifference : public Shape {
 public:
  ShapeDifference(const Shape& keep, const Shape& cut) : FKeep(keep), FCut(cut) {}
  bool Contains(double x, double y) const override { return FKeep.Contains(x, y) && !FCut.Contains(x, y); }

 private:
  const Shape& FKeep;
  const Shape& FCut;
};

// Points inside any of the parts.
class ShapeUnion : public Shape {
 public:
  explicit ShapeUnion(std::vector<const Shape*> parts) : FParts(std::move(parts)) {}
  bool Contains(double x, double y) const override;

 private:
  std::vector<const Shape*> FParts;
};

class ArtCanvas {
 public:
  ArtCanvas(int width, int height, Rgb fill);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  Rgb At(int x, int y) const { return FPixels[size_t(y) * FWidth + x]; }
  void Set(int x, int y, Rgb colour);  // points outside are ignored

  void Fill(TRect area, Rgb colour);
  // One shade per row (column), from the first colour to the last.
  void VerticalGradient(TRect area, Rgb top, Rgb bottom);
  void HorizontalGradient(TRect area, Rgb left, Rgb right);
  void HorizontalLine(int left, int right, int y, Rgb colour);  // right exclusive
  void VerticalLine(int x, int top, int bottom, Rgb colour);    // bottom exclusive
  // Lays the colour over the shape within bounds, edges blended in
  // quarters so that a picture keeps few distinct colours.
  void Paint(const Shape& shape, TRect bounds, Rgb colour);
  void Copy(const ArtCanvas& source, TRect from, TPoint to);

  // 8 bits per pixel with a palette of exactly the colours used, in order
  // of first use; throws Exception past 256 colours.
  BmpImage Indexed() const;
  BmpImage TrueColour() const;  // 24 bits per pixel
  // Indexed when the colours fit, else true colour: drawn larger, a
  // picture's blended edges and gradients may take more.
  BmpImage Compact() const;

 private:
  int FWidth, FHeight;
  std::vector<Rgb> FPixels;
};

// A shape mask: black (inside) or white (outside) per pixel.
class MaskCanvas {
 public:
  MaskCanvas(int width, int height) : FWidth(width), FHeight(height), FInside(size_t(width) * height, false) {}

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Inside(int x, int y) const { return FInside[size_t(y) * FWidth + x]; }
  // A pixel is inside when the shape covers at least half of it.
  void AddShape(const Shape& shape);
  void SetInside(int x, int y, bool inside) { FInside[size_t(y) * FWidth + x] = inside; }

  BmpImage Bitmap() const;  // 1 bit per pixel, index 0 black

 private:
  int FWidth, FHeight;
  std::vector<bool> FInside;
};

// Coverage of at least this many 16ths puts a pixel inside a mask.
constexpr int kInsideCoverage = 8;
