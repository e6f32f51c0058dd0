#pragma once
// Pictures for the composition tests: our skin's bitmaps, and synthetic
// pictures whose every pixel names its own coordinates, so that where a
// target pixel was copied from can be read back from it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "skin/pixels/bmp_pixels.h"

inline PixelImage SkinPicture(const std::string& name) {
  std::ifstream in(std::string(VESPERMARK_SKIN_DIR) + "/" + name, std::ios::binary);
  std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (file.empty()) ADD_FAILURE() << "cannot read " << name;
  return file.empty() ? PixelImage() : PixelImageFromBmp(DecodeBmp(file));
}

// Red 77 marks a copied pixel; unpainted pixels stay black.
inline PixelImage CoordinateImage(int width, int height) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Set(x, y, {uint8_t(x), uint8_t(y), 77});
  return image;
}
inline TPoint SourceOf(Bgr pixel) { return {pixel.Blue, pixel.Green}; }
inline bool Painted(Bgr pixel) { return pixel.Red == 77; }
