#pragma once
// A skin for a display's density. A skin may come with its pictures drawn
// at several scales (the program's own does); the loader takes the nearest
// and scales the definition's lengths to it. A skin drawn at one scale only
// is stretched: by whole pixels at whole multiples, smoothly otherwise.
#include <cstdint>
#include <span>

#include "base/codecs/bmp_codec.h"
#include "skin/data/skin_fields.h"
#include "skin/data/skin_package.h"

// Which package to load, and how much further its pictures are stretched:
// by multiplier / divisor (1 / 1 for none).
struct SkinScaleChoice {
  int32_t packagePercent = 100;
  int32_t multiplier = 1, divisor = 1;
  bool operator==(const SkinScaleChoice&) const = default;
};

// `packagePercents` lists the scales the skin's pictures are drawn at, 100
// among them. With 100 alone the pictures stretch to the density. With more,
// the nearest package up to the largest (on a tie the larger, so nothing is
// drawn smaller than asked); past the largest, the largest whole multiple of
// a package that does not pass the density (on a tie the smaller multiple).
SkinScaleChoice ChooseSkinScale(std::span<const int32_t> packagePercents, int32_t pixelsPerInch);

// Scales every length a field walk hands over (rectangles, points, font
// heights, offsets and widths); counts, indices, colours and times stay.
class SkinLengthScaler : public SkinFieldVisitor {
 public:
  SkinLengthScaler(int32_t multiplier, int32_t divisor) : FMultiplier(multiplier), FDivisor(divisor) {}
  void Integer(const std::string& key, int32_t& field, int32_t absent) override;
  void Color(const std::string&, TColor&, TColor) override {}
  void PictureIndex(const std::string&, int32_t&) override {}
  void Boolean(const std::string&, bool&) override {}
  void Rect(const std::string& key, TRect& field) override;
  void Point(const std::string& key, TPoint& field) override;
  void FontName(const std::string&, std::string&) override {}
  void FontHeight(const std::string& key, int32_t& field) override;
  void FontStyles(const std::string&, TSkinFontStyles&) override {}
  void Alignment(const std::string&, TSkinAlignment&) override {}
  void MorphKind(const std::string&, TMorphKind&) override {}
  void Effect(const std::string&, TSkinEffect&) override {}
  void Command(const std::string&, TSkinCommand&) override {}
  void Text(const std::string&, std::string&, const std::string&) override {}

 private:
  int32_t Scaled(int32_t value) const;
  int32_t FMultiplier, FDivisor;
};

// Nearest-neighbour at a whole multiple, where no new colour may appear and
// every source pixel becomes a block; bilinear otherwise (as 24 or 32 bits).
// 1-bit pictures (masks) always take the nearest pixel, staying 1-bit.
BmpImage ScaleSkinImage(const BmpImage& image, int32_t multiplier, int32_t divisor);
// Every picture, within kMaxSkinPixels together (EInvalidGraphic past it).
void ScaleSkinPictures(SkinPictures& pictures, int32_t multiplier, int32_t divisor);
