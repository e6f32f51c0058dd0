#pragma once
// A picture as a PNG file: 8-bit RGBA, deflated at level 9. Large icon
// images are stored this way inside .ico files.
#include <cstdint>
#include <span>
#include <vector>

// `argb` holds width x height pixels, top row first, as 0xAARRGGBB.
std::vector<uint8_t> EncodePng(int width, int height, std::span<const uint32_t> argb);
