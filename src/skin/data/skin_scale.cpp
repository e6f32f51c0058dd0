#include "skin/data/skin_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/display_scale.h"
#include "base/exceptions.h"

SkinScaleChoice ChooseSkinScale(std::span<const int32_t> packagePercents, int32_t pixelsPerInch) {
  if (pixelsPerInch <= 0) pixelsPerInch = kDefaultPixelsPerInch;
  if (packagePercents.size() <= 1) {
    if (pixelsPerInch == kDefaultPixelsPerInch) return {};
    return {100, pixelsPerInch, kDefaultPixelsPerInch};
  }
  // Compared in hundredths of a pixel per inch: percent * 96 against dpi * 100.
  const int64_t wanted = int64_t{pixelsPerInch} * 100;
  const int32_t largest = *std::max_element(packagePercents.begin(), packagePercents.end());
  SkinScaleChoice best;
  if (wanted <= int64_t{largest} * kDefaultPixelsPerInch) {
    int64_t bestDistance = INT64_MAX;
    for (int32_t percent : packagePercents) {
      const int64_t distance = std::llabs(int64_t{percent} * kDefaultPixelsPerInch - wanted);
      if (distance < bestDistance || (distance == bestDistance && percent > best.packagePercent))
        bestDistance = distance, best = {percent, 1, 1};
    }
    return best;
  }
  int64_t bestReach = 0;
  for (int32_t percent : packagePercents) {
    if (percent <= 0) continue;
    // The largest whole multiple of this package that does not pass the density.
    const int64_t factor = std::max<int64_t>(1, wanted / (int64_t{percent} * kDefaultPixelsPerInch));
    const int64_t reach = factor * percent;
    if (reach > bestReach || (reach == bestReach && factor < best.multiplier))
      bestReach = reach, best = {percent, int32_t(factor), 1};
  }
  return best;
}

int32_t SkinLengthScaler::Scaled(int32_t value) const { return ScaleLength(value, FMultiplier, FDivisor); }

void SkinLengthScaler::Integer(const std::string& key, int32_t& field, int32_t) {
  // The skin's integers are lengths (offsets, widths), but for a few counts and times.
  if (key == "countframes" || key == "timerinterval") return;
  field = Scaled(field);
}

void SkinLengthScaler::Rect(const std::string&, TRect& field) { field = ScaleRect(field, FMultiplier, FDivisor); }

void SkinLengthScaler::Point(const std::string&, TPoint& field) { field = {Scaled(field.X), Scaled(field.Y)}; }

void SkinLengthScaler::FontHeight(const std::string&, int32_t& field) { field = Scaled(field); }

namespace {

int32_t ScaledSize(int32_t size, int32_t multiplier, int32_t divisor) {
  return std::max(1, ScaleLength(size, multiplier, divisor));
}

// The source pixel whose area holds the target pixel's centre.
int32_t NearestSource(int32_t target, int32_t targetSize, int32_t sourceSize) {
  return int32_t(std::min<int64_t>(sourceSize - 1, (int64_t{target} * 2 + 1) * sourceSize / (int64_t{targetSize} * 2)));
}

BmpImage NearestImage(const BmpImage& image, int32_t width, int32_t height) {
  BmpImage out;
  out.width = width;
  out.height = height;
  out.bitCount = image.bitCount;
  out.palette = image.palette;
  const bool indexed = image.bitCount <= 8;
  out.pixels.reserve(size_t(width) * height);
  if (indexed) out.indices.reserve(size_t(width) * height);
  for (int32_t y = 0; y < height; ++y) {
    const size_t row = size_t(NearestSource(y, height, image.height)) * image.width;
    for (int32_t x = 0; x < width; ++x) {
      const size_t from = row + NearestSource(x, width, image.width);
      out.pixels.push_back(image.pixels[from]);
      if (indexed) out.indices.push_back(image.indices[from]);
    }
  }
  return out;
}

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

BmpImage SmoothImage(const BmpImage& image, int32_t width, int32_t height) {
  BmpImage out;
  out.width = width;
  out.height = height;
  out.bitCount = image.bitCount == 32 ? 32 : 24;
  out.pixels.reserve(size_t(width) * height);
  // Centre to centre: target pixel centres map onto the source's grid.
  auto place = [](int32_t target, int32_t targetSize, int32_t sourceSize, int32_t& low, double& weight) {
    const double at = std::clamp((target + 0.5) * sourceSize / targetSize - 0.5, 0.0, double(sourceSize - 1));
    low = int32_t(std::floor(at));
    weight = at - low;
  };
  for (int32_t y = 0; y < height; ++y) {
    int32_t y0;
    double wy;
    place(y, height, image.height, y0, wy);
    const int32_t y1 = std::min(y0 + 1, image.height - 1);
    for (int32_t x = 0; x < width; ++x) {
      int32_t x0;
      double wx;
      place(x, width, image.width, x0, wx);
      const int32_t x1 = std::min(x0 + 1, image.width - 1);
      const uint32_t a = image.pixels[size_t(y0) * image.width + x0], b = image.pixels[size_t(y0) * image.width + x1];
      const uint32_t c = image.pixels[size_t(y1) * image.width + x0], d = image.pixels[size_t(y1) * image.width + x1];
      uint32_t pixel = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        const double top = Channel(a, shift) * (1 - wx) + Channel(b, shift) * wx;
        const double bottom = Channel(c, shift) * (1 - wx) + Channel(d, shift) * wx;
        pixel |= uint32_t(std::lround(top * (1 - wy) + bottom * wy)) << shift;
      }
      out.pixels.push_back(pixel);
    }
  }
  return out;
}

}  // namespace

BmpImage ScaleSkinImage(const BmpImage& image, int32_t multiplier, int32_t divisor) {
  if (image.width <= 0 || image.height <= 0 || multiplier == divisor) return image;
  const int32_t width = ScaledSize(image.width, multiplier, divisor);
  const int32_t height = ScaledSize(image.height, multiplier, divisor);
  const bool whole = divisor > 0 && multiplier % divisor == 0;
  if (whole || image.bitCount == 1) return NearestImage(image, width, height);
  return SmoothImage(image, width, height);
}

void ScaleSkinPictures(SkinPictures& pictures, int32_t multiplier, int32_t divisor) {
  if (multiplier == divisor) return;
  std::vector<TSkinBitmap*> all{&pictures.picture, &pictures.inactivePicture, &pictures.mask};
  for (TSkinBitmap& picture : pictures.activePictures) all.push_back(&picture);
  PixelBudget budget(kMaxSkinPixels);
  for (TSkinBitmap* picture : all) {
    if (picture->Empty()) continue;
    budget.Spend(int64_t{ScaledSize(picture->Width(), multiplier, divisor)} *
                 ScaledSize(picture->Height(), multiplier, divisor));
  }
  for (TSkinBitmap* picture : all)
    if (!picture->Empty()) picture->LoadFromBytes(EncodeBmp(ScaleSkinImage(picture->Image(), multiplier, divisor)));
}
