#pragma once
// A decoded BMP (a skin picture) as 24-bit pixels for the composition code.
#include "base/codecs/bmp_codec.h"
#include "skin/pixels/pixel_buffer.h"

PixelImage PixelImageFromBmp(const BmpImage& image);
