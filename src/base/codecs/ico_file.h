#pragma once
// Icon (.ico) files: reading the directory, choosing the image that best
// fits a size, building the single-image 256-colour icon the form carries
// and the program icon of many sizes.
#include <cstdint>
#include <span>
#include <vector>

#include "base/codecs/bmp_codec.h"

struct IconEntry {
  int width = 0, height = 0;   // pixels; a 0 in the directory means 256
  int colorCount = 0;          // as in the directory: 0 means 256 or more
  uint16_t planes = 0;
  uint16_t bitCount = 0;       // from the directory, else from the image's own header
  std::vector<uint8_t> image;  // the image as stored: a headerless bitmap (XOR then AND rows) or a PNG
};

// Throws EInvalidGraphic when the header, a directory entry or an image
// range does not fit the file.
std::vector<IconEntry> ParseIcon(std::span<const uint8_t> file);

// Index of the entry that best fits a square of `size` pixels at
// `bitCount` bits: the nearest size (larger preferred to smaller, since
// shrinking looks better than enlarging), then the nearest depth (lower
// preferred). Throws EInvalidGraphic for an empty list.
size_t PickIconEntry(const std::vector<IconEntry>& entries, int size, int bitCount);

// Decodes an entry's bitmap image; pixels that the AND mask marks
// transparent get alpha 0. PNG images are refused with EInvalidGraphic.
BmpImage DecodeIconImage(const IconEntry& entry);

// Builds a one-image icon file from an 8-bit image (indices + a palette of
// at most 256 colours). `transparent` holds one byte per pixel, top-down,
// non-zero where the pixel is transparent; such pixels should use a black
// palette entry so that they vanish on screen.
std::vector<uint8_t> BuildIcon256(const BmpImage& image, std::span<const uint8_t> transparent);

// A 32-bit image entry of `size` x `size` pixels (0xAARRGGBB, top row
// first); its mask marks the fully transparent pixels, for systems that
// draw by the mask.
IconEntry IconEntry32(int size, std::span<const uint32_t> argb);
// An entry holding a PNG file of a square picture of `size` pixels.
IconEntry PngIconEntry(int size, std::vector<uint8_t> png);
// An icon file of the entries, in the order given.
std::vector<uint8_t> BuildIconFile(std::span<const IconEntry> entries);
