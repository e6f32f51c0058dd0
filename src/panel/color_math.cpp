#include "panel/color_math.h"

#include <algorithm>
#include <cmath>

#include "base/rounding.h"

namespace {

uint8_t ChannelToByte(double channel) {
  // Lightness above 240 pushes channels over 1, and saturation above 240
  // pulls the low channel below 0; either would spill into the neighbour
  // channel's byte, so both ends are clamped.
  return static_cast<uint8_t>(RoundHalfEvenToInt(std::clamp(channel, 0.0, 1.0) * 255));
}

}  // namespace

Hsl240 ColorToHsl240(TColor color) {
  const TColor rgb = ColorToRGB(color);
  const double r = RedOf(rgb) / 255.0, g = GreenOf(rgb) / 255.0, b = BlueOf(rgb) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  const double l = (mx + mn) / 2;
  double h = 0, s = 0;
  if (mx != mn) {
    const double d = mx - mn;
    s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx)
      h = (g - b) / d;
    else if (g == mx)
      h = 2 + (b - r) / d;
    else
      h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
  }
  return {static_cast<uint8_t>(RoundHalfEvenToInt(h * 240)), static_cast<uint8_t>(RoundHalfEvenToInt(s * 240)),
          static_cast<uint8_t>(RoundHalfEvenToInt(l * 240))};
}

TColor Hsl240ToColor(uint8_t hue, uint8_t saturation, uint8_t lightness) {
  // The hue divides by 239 so that 239 lands on the full circle.
  double h = hue / 239.0;
  const double s = saturation / 240.0, l = lightness / 240.0;
  const double v = l < 0.5 ? l * (1 + s) : l + s - l * s;
  double r = 0, g = 0, b = 0;
  if (v > 0) {
    const double m = 2 * l - v;
    const double sv = (v - m) / v;
    h *= 6;
    const int sextant = static_cast<int>(h);
    const double f = h - sextant;
    const double vsf = v * sv * f;
    const double up = m + vsf, down = v - vsf;
    switch (sextant) {
      case 1: r = down, g = v, b = m; break;
      case 2: r = m, g = v, b = up; break;
      case 3: r = m, g = down, b = v; break;
      case 4: r = up, g = m, b = v; break;
      case 5: r = v, g = m, b = down; break;
      default: r = v, g = up, b = m; break;
    }
  }
  return RGBColor(ChannelToByte(r), ChannelToByte(g), ChannelToByte(b));
}

TColor ShadeColor(TColor color, uint8_t amount) {
  const Hsl240 hsl = ColorToHsl240(color);
  return Hsl240ToColor(hsl.H, hsl.S, static_cast<uint8_t>(std::max(hsl.L - amount, 0)));
}

TColor TintColor(TColor color, uint8_t amount) {
  const Hsl240 hsl = ColorToHsl240(color);
  // Capped at 255, not 240: the excess saturates the channels towards white.
  return Hsl240ToColor(hsl.H, hsl.S, static_cast<uint8_t>(std::min(hsl.L + amount, 255)));
}

TColor ShiftLightness(TColor color, int amount) {
  // clNone stays "no colour" rather than turning into a tint of white.
  if (amount == 0 || color == clNone) return color;
  // Unsigned arithmetic: negating the most negative int would overflow.
  const uint32_t bits = static_cast<uint32_t>(amount);
  if (amount < 0) return ShadeColor(color, static_cast<uint8_t>(0u - bits));
  return TintColor(color, static_cast<uint8_t>(bits));
}

TColor MixColors(TColor color1, TColor color2, uint8_t weight) {
  const TColor rgb1 = ColorToRGB(color1), rgb2 = ColorToRGB(color2);
  const float x = weight / 255.0f;
  auto mix = [x](uint8_t channel1, uint8_t channel2) {
    const float mixed = x * channel1 + (1 - x) * channel2;
    return static_cast<uint8_t>(RoundHalfEvenToInt(mixed));
  };
  return RGBColor(mix(RedOf(rgb1), RedOf(rgb2)), mix(GreenOf(rgb1), GreenOf(rgb2)), mix(BlueOf(rgb1), BlueOf(rgb2)));
}
