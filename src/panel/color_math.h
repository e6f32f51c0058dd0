#pragma once
// Colour arithmetic in a hue/saturation/lightness model on a 0..240 scale,
// used to derive frame and clock-face colours from system colours.
#include <cstdint>

#include "base/color.h"

struct Hsl240 {
  uint8_t H = 0, S = 0, L = 0;
  bool operator==(const Hsl240&) const = default;
};

// System colours are resolved to their current RGB value first.
Hsl240 ColorToHsl240(TColor color);
TColor Hsl240ToColor(uint8_t h, uint8_t s, uint8_t l);

// Darkens or lightens by `amount` lightness steps (240 steps from black to white).
TColor ShadeColor(TColor color, uint8_t amount);
TColor TintColor(TColor color, uint8_t amount);

// Negative amounts shade, positive ones tint, each taken modulo 256; zero
// returns the colour as it is, so a system colour keeps following the system.
TColor ShiftLightness(TColor color, int amount);

// weight 255 gives color1, 0 gives color2.
TColor MixColors(TColor color1, TColor color2, uint8_t weight);
