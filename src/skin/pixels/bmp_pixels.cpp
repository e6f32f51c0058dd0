#include "skin/pixels/bmp_pixels.h"

PixelImage PixelImageFromBmp(const BmpImage& image) {
  PixelImage pixels(image.width, image.height);
  if (image.pixels.size() < static_cast<size_t>(pixels.Width()) * static_cast<size_t>(pixels.Height())) return {};
  for (int y = 0; y < pixels.Height(); ++y)
    for (int x = 0; x < pixels.Width(); ++x) {
      const uint32_t argb = image.pixels[static_cast<size_t>(y) * size_t(pixels.Width()) + size_t(x)];
      pixels.Set(x, y, {uint8_t(argb), uint8_t(argb >> 8), uint8_t(argb >> 16)});
    }
  return pixels;
}
