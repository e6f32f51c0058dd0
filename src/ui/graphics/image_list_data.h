#pragma once
// How an image list stores its images in a form: a 32-bit little-endian
// count, then for each image a 32-bit little-endian byte count and that
// many bytes of .ico data (the file the image was made from, kept whole).
#include <cstdint>
#include <span>
#include <vector>

std::vector<uint8_t> EncodeImageListData(std::span<const std::vector<uint8_t>> icons);
// Each image's .ico data, each checked as an icon. Throws EInvalidGraphic
// naming what is wrong: data that ends early, trailing bytes, or an image
// that is not an icon.
std::vector<std::vector<uint8_t>> DecodeImageListData(std::span<const uint8_t> data);
