#include "base/codecs/bmp_codec.h"

#include <algorithm>
#include <bit>
#include <string>

#include "base/exceptions.h"
#include "base/codecs/little_endian.h"

// Limits that keep a hostile header from making us allocate far more than
// the file could ever describe.
static constexpr int64_t kMaxDimension = 32768;
static constexpr int64_t kMaxPixels = int64_t(1) << 26;
// No real RLE encoder compresses better than about 128:1 (a 255-pixel run
// per two bytes); anything claiming far more is refused before allocating.
static constexpr int64_t kMaxRleExpansion = 1024;
// Densities that make a pixel a hundred times wider than tall are a
// corrupt header, not a real device.
static constexpr int64_t kMaxDensityRatio = 100;

static constexpr size_t kFileHeaderSize = 14;
static constexpr uint32_t kCoreHeaderSize = 12;
static constexpr uint32_t kInfoHeaderSize = 40;
static constexpr uint32_t kV4HeaderSize = 108;

enum BmpCompression : uint32_t {
  kBiRgb = 0,
  kBiRle8 = 1,
  kBiRle4 = 2,
  kBiBitfields = 3,
  kBiJpeg = 4,
  kBiPng = 5,
  kBiAlphaBitfields = 6,
};

[[noreturn]] static void Fail(const std::string& what) {
  throw EInvalidGraphic("Invalid bitmap: " + what);
}

static uint16_t GetU16(std::span<const uint8_t> data, size_t pos) {
  if (pos + 2 > data.size()) Fail("the file is truncated");
  return LoadLE16(&data[pos]);
}

static uint32_t GetU32(std::span<const uint8_t> data, size_t pos) {
  if (pos + 4 > data.size()) Fail("the file is truncated");
  return LoadLE32(&data[pos]);
}

static int32_t GetI32(std::span<const uint8_t> data, size_t pos) {
  return static_cast<int32_t>(GetU32(data, pos));
}

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
struct ChannelMask {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t maxValue = 0;

  explicit ChannelMask(uint32_t m = 0) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    maxValue = m >> shift;
  }
  bool IsContiguous() const { return mask == 0 || (maxValue & (maxValue + 1)) == 0; }
  uint32_t Scale(uint32_t pixel) const {
    uint64_t value = (pixel & mask) >> shift;
    return uint32_t((value * 255 + maxValue / 2) / maxValue);
  }
};

struct BmpHeader {
  uint32_t headerSize = 0;
  bool isCore = false;  // OS/2 1.x: 16-bit sizes and 3-byte palette entries
  bool isOs2v2 = false;
  int64_t width = 0, height = 0;
  uint16_t planes = 0, bitCount = 0;
  uint32_t compression = kBiRgb, sizeImage = 0, colorsUsed = 0;
  int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  size_t masksInHeader = 0;
};

static BmpHeader ReadInfoHeader(std::span<const uint8_t> file) {
  BmpHeader h;
  h.headerSize = GetU32(file, kFileHeaderSize);
  switch (h.headerSize) {
    case kCoreHeaderSize: h.isCore = true; break;
    case 16: case 64: h.isOs2v2 = true; break;
    case 40: case 52: case 56: case 108: case 124: break;
    default: Fail("unknown info header size " + std::to_string(h.headerSize));
  }
  if (kFileHeaderSize + h.headerSize > file.size()) Fail("the file is truncated inside its header");
  const size_t at = kFileHeaderSize + 4;
  if (h.isCore) {
    h.width = GetU16(file, at);
    h.height = GetU16(file, at + 2);
    h.planes = GetU16(file, at + 4);
    h.bitCount = GetU16(file, at + 6);
    return h;
  }
  h.width = GetI32(file, at);
  h.height = GetI32(file, at + 4);
  h.planes = GetU16(file, at + 8);
  h.bitCount = GetU16(file, at + 10);
  if (h.headerSize == 16) return h;
  h.compression = GetU32(file, at + 12);
  h.sizeImage = GetU32(file, at + 16);
  h.xPelsPerMeter = GetI32(file, at + 20);
  h.yPelsPerMeter = GetI32(file, at + 24);
  h.colorsUsed = GetU32(file, at + 28);
  if (h.isOs2v2) {
    // OS/2 reuses these numbers for its own codecs.
    if (h.compression == 3) Fail("Huffman 1D compression is not supported");
    if (h.compression == 4) Fail("RLE24 compression is not supported");
    return h;
  }
  h.masksInHeader = h.headerSize >= 56 ? 4 : h.headerSize >= 52 ? 3 : 0;
  for (size_t i = 0; i < h.masksInHeader; ++i) h.masks[i] = GetU32(file, kFileHeaderSize + 40 + 4 * i);
  return h;
}

static void ValidateHeader(const BmpHeader& h) {
  if (h.planes != 1) Fail("plane count is " + std::to_string(h.planes) + ", not 1");
  if (h.width <= 0) Fail("width " + std::to_string(h.width) + " is not positive");
  if (h.height == 0) Fail("height is zero");
  const int64_t absHeight = h.height < 0 ? -h.height : h.height;
  if (h.width > kMaxDimension || absHeight > kMaxDimension || h.width * absHeight > kMaxPixels)
    Fail(std::to_string(h.width) + " x " + std::to_string(absHeight) + " pixels is larger than supported");
  if (h.compression == kBiJpeg || h.compression == kBiPng) Fail("embedded JPEG or PNG images are not supported");
  switch (h.bitCount) {
    case 1: case 2: case 4: case 8: case 16: case 24: case 32: break;
    default: Fail("unsupported depth of " + std::to_string(h.bitCount) + " bits per pixel");
  }
  switch (h.compression) {
    case kBiRgb: break;
    case kBiRle8:
      if (h.bitCount != 8) Fail("RLE8 compression needs 8 bits per pixel");
      break;
    case kBiRle4:
      if (h.bitCount != 4) Fail("RLE4 compression needs 4 bits per pixel");
      break;
    case kBiBitfields: case kBiAlphaBitfields:
      if (h.bitCount != 16 && h.bitCount != 32) Fail("bit-field masks need 16 or 32 bits per pixel");
      break;
    default: Fail("unknown compression " + std::to_string(h.compression));
  }
  if (h.height < 0 && (h.compression == kBiRle8 || h.compression == kBiRle4))
    Fail("RLE bitmaps cannot be stored top-down");
  const int64_t xDensity = h.xPelsPerMeter, yDensity = h.yPelsPerMeter;
  if (xDensity > 0 && yDensity > 0 &&
      (xDensity > yDensity * kMaxDensityRatio || yDensity > xDensity * kMaxDensityRatio))
    Fail("pixel density " + std::to_string(xDensity) + " x " + std::to_string(yDensity) + " is absurd");
}

// Fills in the masks a 16/32-bit file does not spell out and checks them.
// Returns the number of mask bytes stored after the info header.
static size_t ResolveMasks(std::span<const uint8_t> file, BmpHeader& h) {
  size_t trailing = 0;
  if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
    const size_t needed = h.compression == kBiAlphaBitfields ? 4 : 3;
    for (size_t i = h.masksInHeader; i < needed; ++i, ++trailing)
      h.masks[i] = GetU32(file, kFileHeaderSize + h.headerSize + 4 * trailing);
  } else if (h.bitCount == 16) {
    h.masks[0] = 0x7C00; h.masks[1] = 0x03E0; h.masks[2] = 0x001F; h.masks[3] = 0;
  } else if (h.bitCount == 32) {
    // The top byte of a plain 32-bit pixel is unused, whatever it holds.
    h.masks[0] = 0xFF0000; h.masks[1] = 0xFF00; h.masks[2] = 0xFF; h.masks[3] = 0;
  }
  if (h.bitCount != 16 && h.bitCount != 32) return trailing;
  const uint32_t pixelBits = h.bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  uint32_t seen = 0;
  for (int i = 0; i < 4; ++i) {
    const ChannelMask channel(h.masks[i]);
    if (i < 3 && h.masks[i] == 0) Fail("a colour channel has an empty bit mask");
    if (!channel.IsContiguous()) Fail("a bit mask is not contiguous");
    if ((h.masks[i] & ~pixelBits) != 0) Fail("a bit mask lies outside the pixel");
    if ((h.masks[i] & seen) != 0) Fail("bit masks overlap");
    seen |= h.masks[i];
  }
  return trailing;
}

static uint32_t PaletteEntry(std::span<const uint8_t> file, size_t pos) {
  return (uint32_t(file[pos + 2]) << 16) | (uint32_t(file[pos + 1]) << 8) | file[pos];
}

static std::vector<uint32_t> ReadPalette(std::span<const uint8_t> file, const BmpHeader& h, size_t start,
                                         size_t pixelOffset) {
  const size_t entrySize = h.isCore ? 3 : 4;
  if (h.colorsUsed > (file.size() - std::min(start, file.size())) / entrySize)
    Fail("the colour table claims " + std::to_string(h.colorsUsed) + " entries, more than the file holds");
  if (h.bitCount > 8) return {};
  const size_t fullSize = size_t(1) << h.bitCount;
  const size_t size = h.colorsUsed != 0 ? std::min<size_t>(h.colorsUsed, fullSize) : fullSize;
  // Entries cut off by the pixel data offset stay black.
  const size_t stored = std::min(size, (pixelOffset - start) / entrySize);
  std::vector<uint32_t> palette(size, 0);
  for (size_t i = 0; i < stored; ++i) palette[i] = PaletteEntry(file, start + i * entrySize);
  return palette;
}

static size_t RowStride(int64_t width, int bitCount) {
  return size_t((width * bitCount + 31) / 32 * 4);
}

static void DecodeUncompressed(std::span<const uint8_t> data, const BmpHeader& h, BmpImage& image) {
  const size_t width = size_t(image.width), height = size_t(image.height);
  const size_t stride = RowStride(image.width, h.bitCount);
  const ChannelMask channels[4] = {ChannelMask(h.masks[0]), ChannelMask(h.masks[1]), ChannelMask(h.masks[2]),
                                   ChannelMask(h.masks[3])};
  for (size_t row = 0; row < height; ++row) {
    const size_t y = h.height < 0 ? row : height - 1 - row;
    const uint8_t* src = data.data() + row * stride;
    for (size_t x = 0; x < width; ++x) {
      const size_t target = y * width + x;
      if (h.bitCount <= 8) {
        const size_t bitPos = x * h.bitCount;
        const int shift = 8 - h.bitCount - int(bitPos % 8);
        image.indices[target] = uint8_t((src[bitPos / 8] >> shift) & ((1u << h.bitCount) - 1));
        continue;
      }
      uint32_t value;
      if (h.bitCount == 24) {
        const uint8_t* p = src + x * 3;
        image.pixels[target] = 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
        continue;
      }
      if (h.bitCount == 16) {
        value = uint32_t(src[x * 2] | (src[x * 2 + 1] << 8));
      } else {
        const uint8_t* p = src + x * 4;
        value = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
      }
      const uint32_t alpha = h.masks[3] != 0 ? channels[3].Scale(value) : 255u;
      image.pixels[target] =
          (alpha << 24) | (channels[0].Scale(value) << 16) | (channels[1].Scale(value) << 8) | channels[2].Scale(value);
    }
  }
}

// Runs or deltas that leave the image are refused rather than clipped:
// such streams are corrupt or built to overrun buffers.
// Returns how many bytes the codes took, up to their end-of-bitmap code.
static size_t DecodeRle(std::span<const uint8_t> data, bool isRle4, BmpImage& image) {
  const size_t width = size_t(image.width), height = size_t(image.height);
  size_t x = 0, y = 0;  // y counts rows from the bottom, as the stream does
  size_t pos = 0;
  auto put = [&](uint8_t index) { image.indices[(height - 1 - y) * width + x++] = index; };
  auto checkRun = [&](size_t count) {
    if (y >= height || x + count > width) Fail("an RLE run goes past the edge of the image");
  };
  while (pos < data.size()) {
    if (pos + 2 > data.size()) Fail("the RLE data ends inside a code");
    const uint8_t count = data[pos], value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      checkRun(count);
      for (size_t i = 0; i < count; ++i)
        put(isRle4 ? uint8_t(i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      continue;
    }
    if (value == 0) {  // end of line
      if (y >= height) Fail("an RLE end-of-line code follows the last row");
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return pos;
    } else if (value == 2) {  // delta
      if (pos + 2 > data.size()) Fail("the RLE data ends inside a delta code");
      x += data[pos];
      y += data[pos + 1];
      pos += 2;
      if (x > width || y > height) Fail("an RLE delta moves outside the image");
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      checkRun(value);
      const size_t bytes = isRle4 ? (value + 1) / 2 : value;
      if (pos + bytes > data.size()) Fail("the RLE data ends inside an absolute run");
      for (size_t i = 0; i < value; ++i) {
        const uint8_t packed = data[pos + (isRle4 ? i / 2 : i)];
        put(isRle4 ? uint8_t(i % 2 == 0 ? packed >> 4 : packed & 0x0F) : packed);
      }
      pos += bytes + (bytes & 1);
    }
  }
  // A stream that stops without an end-of-bitmap code leaves the rest at index 0.
  return pos;
}

int64_t BmpPixelCount(std::span<const uint8_t> file) {
  if (file.size() < kFileHeaderSize + 4) Fail("the file is too short to be a bitmap");
  BmpHeader h = ReadInfoHeader(file);
  ValidateHeader(h);
  return h.width * (h.height < 0 ? -h.height : h.height);
}

BmpImage DecodeBmp(std::span<const uint8_t> file) {
  size_t dataEnd;
  return DecodeBmp(file, dataEnd);
}

BmpImage DecodeBmp(std::span<const uint8_t> file, size_t& dataEnd) {
  if (file.size() < kFileHeaderSize + 4) Fail("the file is too short to be a bitmap");
  if (file[0] != 'B' || file[1] != 'M') Fail("the file does not start with \"BM\"");
  const uint32_t fileSize = GetU32(file, 2);
  if (fileSize > file.size())
    Fail("the header claims " + std::to_string(fileSize) + " bytes but the file has " + std::to_string(file.size()));
  const uint32_t pixelOffset = GetU32(file, 10);

  BmpHeader h = ReadInfoHeader(file);
  ValidateHeader(h);
  const size_t paletteStart = kFileHeaderSize + h.headerSize + 4 * ResolveMasks(file, h);
  if (pixelOffset < paletteStart || pixelOffset > file.size())
    Fail("the pixel data offset " + std::to_string(pixelOffset) + " is outside the file");

  BmpImage image;
  image.width = int32_t(h.width);
  image.height = int32_t(h.height < 0 ? -h.height : h.height);
  image.bitCount = h.bitCount;
  image.xPelsPerMeter = h.xPelsPerMeter;
  image.yPelsPerMeter = h.yPelsPerMeter;
  image.palette = ReadPalette(file, h, paletteStart, pixelOffset);

  std::span<const uint8_t> data = file.subspan(pixelOffset);
  if (h.sizeImage > data.size())
    Fail("the image size field claims " + std::to_string(h.sizeImage) + " bytes but only " +
         std::to_string(data.size()) + " follow");
  const bool isRle = h.compression == kBiRle8 || h.compression == kBiRle4;
  if (isRle && h.sizeImage != 0) data = data.first(h.sizeImage);
  const size_t pixelCount = size_t(image.width) * size_t(image.height);
  if (isRle && int64_t(pixelCount) / kMaxRleExpansion > int64_t(data.size()))
    Fail("the RLE data is far too short for the image size");
  if (!isRle && uint64_t(RowStride(image.width, h.bitCount)) * uint64_t(image.height) > data.size())
    Fail("the pixel data is truncated");  // checked before allocating

  if (h.bitCount <= 8) image.indices.assign(pixelCount, 0);
  image.pixels.assign(pixelCount, 0);
  if (isRle) {
    const size_t used = DecodeRle(data, h.compression == kBiRle4, image);
    dataEnd = pixelOffset + (h.sizeImage != 0 ? h.sizeImage : used);
  } else {
    DecodeUncompressed(data, h, image);
    dataEnd = pixelOffset + RowStride(image.width, h.bitCount) * size_t(image.height);
  }

  if (h.bitCount <= 8) {
    for (size_t i = 0; i < pixelCount; ++i) {
      const uint8_t index = image.indices[i];
      if (index >= image.palette.size())
        Fail("palette index " + std::to_string(index) + " is beyond the " + std::to_string(image.palette.size()) +
             "-colour palette");
      image.pixels[i] = 0xFF000000u | image.palette[index];
    }
  }
  return image;
}



static void ValidateForEncoding(const BmpImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxDimension || image.height > kMaxDimension ||
      int64_t(image.width) * image.height > kMaxPixels)
    Fail("cannot write an image of " + std::to_string(image.width) + " x " + std::to_string(image.height));
  const size_t pixelCount = size_t(image.width) * size_t(image.height);
  switch (image.bitCount) {
    case 1: case 2: case 4: case 8: break;
    case 16: case 24: case 32:
      if (image.pixels.size() != pixelCount) Fail("the pixel count does not match the size");
      return;
    default: Fail("cannot write " + std::to_string(image.bitCount) + " bits per pixel");
  }
  if (image.palette.empty() || image.palette.size() > (size_t(1) << image.bitCount))
    Fail("the palette does not suit " + std::to_string(image.bitCount) + " bits per pixel");
  if (image.indices.size() != pixelCount) Fail("the index count does not match the size");
  for (uint8_t index : image.indices)
    if (index >= image.palette.size()) Fail("a palette index is beyond the palette");
}

static uint32_t To5Bits(uint32_t channel) { return (channel * 31 + 127) / 255; }

static void PutPixelRow(std::vector<uint8_t>& out, const BmpImage& image, size_t y, size_t stride) {
  const size_t width = size_t(image.width);
  const size_t rowStart = out.size();
  out.resize(rowStart + stride, 0);
  uint8_t* dst = out.data() + rowStart;
  for (size_t x = 0; x < width; ++x) {
    const size_t i = y * width + x;
    if (image.bitCount <= 8) {
      const size_t bitPos = x * image.bitCount;
      dst[bitPos / 8] |= uint8_t(image.indices[i] << (8 - image.bitCount - bitPos % 8));
      continue;
    }
    const uint32_t argb = image.pixels[i];
    const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    if (image.bitCount == 16) {
      const uint32_t value = (To5Bits(r) << 10) | (To5Bits(g) << 5) | To5Bits(b);
      dst[x * 2] = uint8_t(value);
      dst[x * 2 + 1] = uint8_t(value >> 8);
    } else if (image.bitCount == 24) {
      dst[x * 3] = uint8_t(b);
      dst[x * 3 + 1] = uint8_t(g);
      dst[x * 3 + 2] = uint8_t(r);
    } else {
      for (int k = 0; k < 4; ++k) dst[x * 4 + k] = uint8_t(argb >> (8 * k));
    }
  }
}

// Alpha bytes that are all 0 are what GDI leaves in opaque bitmaps, not
// transparency.
static bool HasRealAlpha(const BmpImage& image) {
  if (image.bitCount != 32) return false;
  bool anyTranslucent = false, anyVisible = false;
  for (uint32_t argb : image.pixels) {
    anyTranslucent |= (argb >> 24) != 0xFF;
    anyVisible |= (argb >> 24) != 0;
  }
  return anyTranslucent && anyVisible;
}

std::vector<uint8_t> EncodeBmp(const BmpImage& image) {
  ValidateForEncoding(image);
  // Alpha survives only in a header that can name an alpha mask.
  const bool hasAlpha = HasRealAlpha(image);
  const uint32_t headerSize = hasAlpha ? kV4HeaderSize : kInfoHeaderSize;
  const size_t paletteCount = image.bitCount <= 8 ? image.palette.size() : 0;
  const size_t stride = RowStride(image.width, image.bitCount);
  const size_t pixelOffset = kFileHeaderSize + headerSize + paletteCount * 4;
  const size_t imageSize = stride * size_t(image.height);

  std::vector<uint8_t> out;
  out.reserve(pixelOffset + imageSize);
  out.push_back('B');
  out.push_back('M');
  AppendLE32(out, uint32_t(pixelOffset + imageSize));
  AppendLE32(out, 0);
  AppendLE32(out, uint32_t(pixelOffset));
  AppendLE32(out, headerSize);
  AppendLE32(out, uint32_t(image.width));
  AppendLE32(out, uint32_t(image.height));  // positive: rows bottom-up
  AppendLE16(out, 1);
  AppendLE16(out, image.bitCount);
  AppendLE32(out, hasAlpha ? kBiBitfields : kBiRgb);
  AppendLE32(out, uint32_t(imageSize));
  AppendLE32(out, uint32_t(image.xPelsPerMeter));
  AppendLE32(out, uint32_t(image.yPelsPerMeter));
  AppendLE32(out, uint32_t(paletteCount));
  AppendLE32(out, 0);
  if (hasAlpha) {
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) AppendLE32(out, mask);
    AppendLE32(out, 0x73524742);  // 'sRGB' colour space
    out.resize(out.size() + 36 + 12, 0);  // endpoints and gammas, unused with sRGB
  }
  for (size_t i = 0; i < paletteCount; ++i) AppendLE32(out, image.palette[i] & 0x00FFFFFF);
  for (size_t row = 0; row < size_t(image.height); ++row)
    PutPixelRow(out, image, size_t(image.height) - 1 - row, stride);
  return out;
}
