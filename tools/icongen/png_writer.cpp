#include "png_writer.h"

#include <zlib.h>

#include <string>

#include "base/exceptions.h"

namespace {

void AppendBE32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void AppendChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  AppendBE32(out, uint32_t(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  // The checksum covers the type and the data.
  const uLong crc = crc32(crc32(0, nullptr, 0), out.data() + typeAt, uInt(out.size() - typeAt));
  AppendBE32(out, uint32_t(crc));
}

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, std::span<const uint32_t> argb) {
  if (width <= 0 || height <= 0 || argb.size() != size_t(width) * size_t(height))
    throw Exception("a PNG picture needs as many pixels as its size says");
  // Each row is filtered by its left neighbour ("Sub"), which suits smooth art.
  const size_t stride = size_t(width) * 4;
  std::vector<uint8_t> rows;
  rows.reserve((stride + 1) * size_t(height));
  for (int y = 0; y < height; ++y) {
    rows.push_back(1);
    uint8_t left[4] = {0, 0, 0, 0};
    for (int x = 0; x < width; ++x) {
      const uint32_t p = argb[size_t(y) * size_t(width) + size_t(x)];
      const uint8_t rgba[4] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
      for (int c = 0; c < 4; ++c) {
        rows.push_back(uint8_t(rgba[c] - left[c]));
        left[c] = rgba[c];
      }
    }
  }
  uLongf packedSize = compressBound(uLong(rows.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, rows.data(), uLong(rows.size()), 9) != Z_OK)
    throw Exception("the PNG pixels could not be deflated");
  packed.resize(packedSize);

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  AppendBE32(header, uint32_t(width));
  AppendBE32(header, uint32_t(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, standard filters, no interlace
  AppendChunk(out, "IHDR", header);
  AppendChunk(out, "IDAT", packed);
  AppendChunk(out, "IEND", {});
  return out;
}
