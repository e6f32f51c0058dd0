#pragma once
// Reading and writing Windows BMP files. Every depth the format allows is
// read; malformed or hostile files are refused with EInvalidGraphic.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct BmpImage {
  int32_t width = 0, height = 0;          // height always positive; rows stored top-down here
  uint16_t bitCount = 32;                 // depth of the file it came from (1, 2, 4, 8, 16, 24, 32)
  std::vector<uint32_t> palette;          // 0x00RRGGBB entries, for bitCount <= 8
  std::vector<uint8_t> indices;           // one palette index per pixel for bitCount <= 8, top-down
  std::vector<uint32_t> pixels;           // always filled: 0xAARRGGBB per pixel, top-down (A = 255 unless the file has real alpha)
  int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
};

// Throws EInvalidGraphic with a message that says what is wrong.
BmpImage DecodeBmp(std::span<const uint8_t> file);
// Also gives the length of the bitmap proper: where its headers, colour
// table and pixel rows end (for RLE data the image size its header states,
// else the end-of-bitmap code). Bytes after that belong to no picture.
BmpImage DecodeBmp(std::span<const uint8_t> file, size_t& dataEnd);

// The pixels the file's header asks for, checked as DecodeBmp checks them,
// so a caller can refuse a file before decoding it.
int64_t BmpPixelCount(std::span<const uint8_t> file);

// Writes at image.bitCount: <= 8 from indices + palette, 16 as 5-5-5, 24,
// 32 (with an alpha mask only when some pixel is not opaque). Throws
// EInvalidGraphic when the image's fields contradict each other.
std::vector<uint8_t> EncodeBmp(const BmpImage& image);
