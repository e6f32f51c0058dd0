// The BMP reader. A file it accepts must give a consistent image, and that
// image written back and read again must keep its size and colours.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/codecs/bmp_codec.h"
#include "base/exceptions.h"
#include "fuzz_checks.h"

namespace {

void CheckConsistent(const BmpImage& image) {
  const size_t pixelCount = size_t(image.width) * size_t(image.height);
  FuzzCheck(image.width > 0 && image.height > 0, "an accepted bitmap has no area");
  FuzzCheck(image.pixels.size() == pixelCount, "the pixel count does not match the size");
  if (image.bitCount > 8) return;
  FuzzCheck(image.indices.size() == pixelCount, "the index count does not match the size");
  for (size_t i = 0; i < pixelCount; ++i) {
    FuzzCheck(image.indices[i] < image.palette.size(), "an index lies beyond the palette");
    FuzzCheck(image.pixels[i] == (0xFF000000u | image.palette[image.indices[i]]),
              "a pixel differs from its palette entry");
  }
}

// 16-bit files are written as 5-5-5 whatever their masks, and alpha only
// where it is real, so those keep their size and only the colour bits that
// survive.
void CheckRewrite(const BmpImage& image) {
  const BmpImage again = DecodeBmp(EncodeBmp(image));
  FuzzCheck(again.width == image.width && again.height == image.height && again.bitCount == image.bitCount,
            "a rewritten bitmap changed its size or depth");
  if (image.bitCount <= 8) {
    FuzzCheck(again.indices == image.indices && again.palette == image.palette,
              "a rewritten bitmap changed its indices or palette");
  } else if (image.bitCount != 16) {
    for (size_t i = 0; i < image.pixels.size(); ++i)
      FuzzCheck((again.pixels[i] & 0xFFFFFF) == (image.pixels[i] & 0xFFFFFF), "a rewritten bitmap changed colour");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BmpImage image;
  try {
    image = DecodeBmp(std::span(data, size));
  } catch (const Exception&) {
    return 0;
  }
  CheckConsistent(image);
  CheckRewrite(image);
  return 0;
}
