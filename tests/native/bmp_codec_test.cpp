// BMP reading and writing, against the bmpsuite fixtures and hand-made files.
//
// Decisions for the questionable files (q/):
//
// | File                 | Decision | Result or reason                                             |
// |----------------------|----------|--------------------------------------------------------------|
// | pal1huffmsb          | reject   | OS/2 Huffman 1D compression is not supported                 |
// | pal1p1               | accept   | one-entry palette; every pixel uses it                       |
// | pal2, pal2color      | accept   | 2 bits per pixel, 4-colour palette                           |
// | pal4rlecut, pal8rlecut | accept | pixels skipped by delta, early EOL or EOB are index 0       |
// | pal4rletrns, pal8rletrns | accept | skipped pixels are index 0 (not transparent)             |
// | pal8offs             | accept   | gap between palette and pixels is skipped                    |
// | pal8os2-hs, -sz      | accept   | hotspot fields ignored; a file size field smaller than the   |
// |                      |          | file is ignored (only one larger than the file is refused)   |
// | pal8os2sp            | accept   | short OS/2 palette: entries cut off by the pixel offset black|
// | pal8os2v2, -16, -sz, -40sz | accept | OS/2 2.x headers of 64 and 16 bytes read like Windows ones |
// | pal8oversizepal      | accept   | 300 entries declared; the first 256 are used                 |
// | rgb16-231, rgb16-3103| accept   | any contiguous mask, scaled to 8 bits                        |
// | rgb16faketrns        | accept   | the unused top bit is ignored; opaque                        |
// | rgb24jpeg, rgb24png  | reject   | embedded JPEG/PNG images are not supported                   |
// | rgb24largepal        | accept   | the palette of a true-colour file is ignored                 |
// | rgb24prof, prof2, lprof | accept | colour profiles are ignored (prof2 shows swapped channels) |
// | rgb24rle24           | reject   | OS/2 RLE24 compression is not supported                      |
// | rgb32-111110, -7187  | accept   | wide masks scaled to 8 bits                                  |
// | rgb32-xbgr, rgb32h52 | accept   | masks read from the header (52-byte V2 header)               |
// | rgb32fakealpha       | accept   | a plain 32-bit file has no alpha: its top byte is ignored    |
// | rgba16-*, rgba32-*, rgba32h56, rgba32abf | accept | real alpha from the alpha mask      |
// | rgba64               | reject   | 64 bits per pixel is not a supported depth                   |
//
// A palette index beyond the colours the file declares is refused
// (b/pal8badindex), never read past the palette or drawn black.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <random>

#include "base/codecs/bmp_codec.h"
#include "base/exceptions.h"

namespace fs = std::filesystem;

// tests/native/<this file> -> tests/fixtures/bmpsuite
static fs::path FixtureDir() { return fs::path(__FILE__).parent_path().parent_path() / "fixtures" / "bmpsuite"; }

#define REQUIRE_FIXTURES() ASSERT_TRUE(fs::exists(FixtureDir() / "g")) << "bmpsuite fixtures missing at " << FixtureDir()

// Exactly sized so that AddressSanitizer catches any read past the end.
static std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  bytes.shrink_to_fit();
  return bytes;
}

static BmpImage Fixture(const std::string& name) { return DecodeBmp(ReadFile(FixtureDir() / name)); }

static std::vector<fs::path> FilesIn(const std::string& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(FixtureDir() / folder))
    if (entry.path().extension() == ".bmp") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

static uint32_t At(const BmpImage& image, int x, int y) { return image.pixels[size_t(y) * image.width + x]; }

TEST(BmpSuite, EveryGoodFileDecodesCompletely) {
  REQUIRE_FIXTURES();
  const auto files = FilesIn("g");
  ASSERT_GE(files.size(), 27u);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    BmpImage image;
    ASSERT_NO_THROW(image = DecodeBmp(ReadFile(file)));
    EXPECT_GT(image.width, 0);
    EXPECT_GT(image.height, 0);
    EXPECT_EQ(image.pixels.size(), size_t(image.width) * image.height);
    if (image.bitCount <= 8) {
      EXPECT_EQ(image.indices.size(), image.pixels.size());
      EXPECT_FALSE(image.palette.empty());
    }
  }
}

TEST(BmpSuite, EveryBadFileIsRejected) {
  REQUIRE_FIXTURES();
  const auto files = FilesIn("b");
  ASSERT_GE(files.size(), 20u);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    EXPECT_THROW(DecodeBmp(ReadFile(file)), EInvalidGraphic);
  }
}

TEST(BmpSuite, QuestionableFilesFollowTheDocumentedDecisions) {
  REQUIRE_FIXTURES();
  const std::set<std::string> rejected = {"pal1huffmsb.bmp", "rgb24jpeg.bmp", "rgb24png.bmp", "rgb24rle24.bmp",
                                          "rgba64.bmp"};
  for (const fs::path& file : FilesIn("q")) {
    SCOPED_TRACE(file.filename().string());
    if (rejected.count(file.filename().string()))
      EXPECT_THROW(DecodeBmp(ReadFile(file)), EInvalidGraphic);
    else
      EXPECT_NO_THROW(DecodeBmp(ReadFile(file)));
  }
}

TEST(BmpSuite, PixelsMatchTheReferenceRenders) {
  REQUIRE_FIXTURES();
  // Colours read off the reference PNGs in html/.
  EXPECT_EQ(At(Fixture("g/pal8.bmp"), 10, 10), 0xFFFF5566u);
  EXPECT_EQ(At(Fixture("g/pal8.bmp"), 100, 5), 0xFF99AA99u);
  EXPECT_EQ(At(Fixture("g/rgb24.bmp"), 0, 0), 0xFFFF0000u);
  EXPECT_EQ(At(Fixture("g/rgb24.bmp"), 10, 10), 0xFFD75252u);
  EXPECT_EQ(At(Fixture("g/rgb24.bmp"), 126, 63), 0xFF60607Eu);
  EXPECT_EQ(At(Fixture("g/rgb16-565.bmp"), 10, 10), 0xFFD65152u);
  EXPECT_EQ(At(Fixture("g/rgb16-565.bmp"), 126, 63), 0xFF63617Bu);
  EXPECT_EQ(At(Fixture("g/pal4.bmp"), 10, 10), 0xFFFF80FFu);
  EXPECT_EQ(At(Fixture("g/pal1bg.bmp"), 0, 0), 0xFF40FF40u);
  EXPECT_EQ(At(Fixture("g/pal1bg.bmp"), 126, 63), 0xFF4040FFu);
  EXPECT_EQ(At(Fixture("q/rgba16-4444.bmp"), 10, 10), 0xFFDD5555u);
}

TEST(BmpSuite, OnePictureDecodesAlikeInEveryEncoding) {
  REQUIRE_FIXTURES();
  const BmpImage pal8 = Fixture("g/pal8.bmp");
  for (const char* name : {"g/pal8topdown.bmp", "g/pal8v4.bmp", "g/pal8v5.bmp", "g/pal8rle.bmp", "g/pal8os2.bmp",
                           "g/pal8-0.bmp", "q/pal8offs.bmp", "q/pal8os2v2.bmp", "q/pal8os2v2-16.bmp",
                           "q/pal8oversizepal.bmp"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Fixture(name).pixels, pal8.pixels);
  }
  EXPECT_EQ(Fixture("g/pal4rle.bmp").pixels, Fixture("g/pal4.bmp").pixels);
  EXPECT_EQ(Fixture("g/rgb16bfdef.bmp").pixels, Fixture("g/rgb16.bmp").pixels);
  EXPECT_EQ(Fixture("q/rgb16faketrns.bmp").pixels, Fixture("g/rgb16.bmp").pixels);
  const BmpImage rgb24 = Fixture("g/rgb24.bmp");
  for (const char* name : {"g/rgb24pal.bmp", "g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp", "q/rgb32-xbgr.bmp",
                           "q/rgb32h52.bmp", "q/rgb32fakealpha.bmp", "q/rgb24largepal.bmp"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Fixture(name).pixels, rgb24.pixels);
  }
  // Wider channels carry more precision than 8 bits: equal within rounding.
  const BmpImage wide = Fixture("q/rgb32-111110.bmp");
  for (size_t i = 0; i < wide.pixels.size(); ++i)
    for (int shift : {0, 8, 16})
      ASSERT_LE(std::abs(int((wide.pixels[i] >> shift) & 0xFF) - int((rgb24.pixels[i] >> shift) & 0xFF)), 1) << i;
}

TEST(BmpSuite, AlphaComesOnlyFromAnAlphaMask) {
  REQUIRE_FIXTURES();
  for (const char* name : {"q/rgba32-1.bmp", "q/rgba32-2.bmp", "q/rgba32abf.bmp", "q/rgba32h56.bmp",
                           "q/rgba16-4444.bmp"}) {
    SCOPED_TRACE(name);
    const BmpImage image = Fixture(name);
    const auto translucent = std::count_if(image.pixels.begin(), image.pixels.end(),
                                           [](uint32_t p) { return (p >> 24) != 0xFF; });
    EXPECT_GT(translucent, 0);
  }
  // Same colours whatever the channel order, alpha included.
  EXPECT_EQ(Fixture("q/rgba32-2.bmp").pixels, Fixture("q/rgba32-1.bmp").pixels);
  EXPECT_EQ(Fixture("q/rgba32abf.bmp").pixels, Fixture("q/rgba32-1.bmp").pixels);
}

TEST(BmpSuite, RleSkippedPixelsAreIndexZero) {
  REQUIRE_FIXTURES();
  for (const char* pair : {"pal8", "pal4"}) {
    SCOPED_TRACE(pair);
    const BmpImage full = Fixture(std::string("g/") + pair + "rle.bmp");
    const BmpImage holes = Fixture(std::string("q/") + pair + "rletrns.bmp");
    size_t skipped = 0;
    for (size_t i = 0; i < holes.pixels.size(); ++i) {
      if (holes.pixels[i] == full.pixels[i]) continue;
      ++skipped;
      EXPECT_EQ(holes.indices[i], 0);
    }
    EXPECT_GT(skipped, 300u);
  }
}

// ---- Hand-made files -------------------------------------------------------

struct BmpFields {
  uint32_t headerSize = 40;
  int32_t width = 2, height = 2;
  uint16_t planes = 1, bitCount = 8;
  uint32_t compression = 0, sizeImage = 0, colorsUsed = 0;
  int32_t xDensity = 0, yDensity = 0;
  std::vector<uint32_t> masks;    // written after the header (or inside it for 52+)
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint8_t> data;
};

static void Put(std::vector<uint8_t>& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

static std::vector<uint8_t> MakeBmp(const BmpFields& s) {
  std::vector<uint8_t> info;
  Put(info, s.headerSize, 4);
  if (s.headerSize == 12) {
    Put(info, uint32_t(s.width), 2);
    Put(info, uint32_t(s.height), 2);
    Put(info, s.planes, 2);
    Put(info, s.bitCount, 2);
  } else {
    Put(info, uint32_t(s.width), 4);
    Put(info, uint32_t(s.height), 4);
    Put(info, s.planes, 2);
    Put(info, s.bitCount, 2);
    for (uint32_t v : {s.compression, s.sizeImage, uint32_t(s.xDensity), uint32_t(s.yDensity), s.colorsUsed, 0u})
      Put(info, v, 4);
  }
  for (uint32_t mask : s.masks) Put(info, mask, 4);
  info.resize(std::max<size_t>(info.size(), s.headerSize), 0);
  for (uint32_t entry : s.palette) Put(info, entry, s.headerSize == 12 ? 3 : 4);
  std::vector<uint8_t> file = {'B', 'M'};
  Put(file, 14 + info.size() + s.data.size(), 4);
  Put(file, 0, 4);
  Put(file, 14 + info.size(), 4);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), s.data.begin(), s.data.end());
  return file;
}

TEST(BmpDecode, RowOrderAndPaddingForPalettedDepths) {
  // 3 x 2 at 4 bits: bottom row first, each row padded to 4 bytes.
  BmpFields s;
  s.width = 3;
  s.bitCount = 4;
  s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  s.colorsUsed = 4;
  s.data = {0x12, 0x30, 0xEE, 0xEE, 0x32, 0x10, 0xEE, 0xEE};
  BmpImage image = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(image.indices, (std::vector<uint8_t>{3, 2, 1, 1, 2, 3}));
  EXPECT_EQ(image.pixels[0], 0xFF0000FFu);

  s.height = -2;  // top-down
  image = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(image.indices, (std::vector<uint8_t>{1, 2, 3, 3, 2, 1}));
  EXPECT_EQ(image.height, 2);
}

TEST(BmpDecode, CoreHeaderUsesThreeBytePaletteEntries) {
  BmpFields s;
  s.headerSize = 12;
  s.width = 1;
  s.height = 1;
  s.bitCount = 1;
  s.palette = {0x123456, 0xABCDEF};
  s.data = {0x80, 0, 0, 0};
  const BmpImage image = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(image.pixels[0], 0xFFABCDEFu);
}

TEST(BmpDecode, ShortPaletteAndOutOfRangeIndices) {
  BmpFields s;
  s.width = 4;
  s.height = 1;
  s.palette = {0x112233, 0x445566};
  s.data = {0, 1, 1, 0};
  // No declared count: the table is 256 long, and entries the file lacks are black.
  BmpImage image = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(image.palette.size(), 256u);
  EXPECT_EQ(image.pixels[1], 0xFF445566u);
  s.data = {0, 1, 200, 0};
  image = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(image.pixels[2], 0xFF000000u);
  // With a declared count of 2, index 2 names no colour.
  s.colorsUsed = 2;
  s.data = {0, 1, 2, 0};
  EXPECT_THROW(DecodeBmp(MakeBmp(s)), EInvalidGraphic);
}

TEST(BmpDecode, BitFieldMasksAreScaledToEightBits) {
  BmpFields s;
  s.width = 2;
  s.height = 1;
  s.bitCount = 16;
  s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.data = {0xFF, 0xFF, 0x00, 0x84, 0, 0, 0, 0};  // white; red half + green high bit
  BmpImage image = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(image.pixels[0], 0xFFFFFFFFu);
  EXPECT_EQ(image.pixels[1], 0xFF848200u);

  // Alpha bit-fields at 32 bits with a 1-bit alpha channel.
  s.bitCount = 32;
  s.compression = 6;
  s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x80000000};
  s.data = {0x10, 0x20, 0x30, 0x00, 0x10, 0x20, 0x30, 0x80};
  image = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(image.pixels[0], 0x00302010u);
  EXPECT_EQ(image.pixels[1], 0xFF302010u);
}

TEST(BmpDecode, MalformedMasksAreRejected) {
  BmpFields s;
  s.width = 1;
  s.height = 1;
  s.bitCount = 32;
  s.compression = 3;
  s.data = {0, 0, 0, 0};
  for (const auto& masks : std::vector<std::vector<uint32_t>>{
           {0x00FF0000, 0x0000FF00, 0},            // empty blue
           {0x00FF00F0, 0x0000FF00, 0x0000000F},   // gaps in red
           {0x00FF0000, 0x00FFFF00, 0x000000FF}}) {  // overlap
    s.masks = masks;
    EXPECT_THROW(DecodeBmp(MakeBmp(s)), EInvalidGraphic);
  }
  s.bitCount = 16;
  s.masks = {0x1F0000, 0x07E0, 0x001F};  // red beyond 16 bits
  s.data = {0, 0, 0, 0};
  EXPECT_THROW(DecodeBmp(MakeBmp(s)), EInvalidGraphic);
}

static BmpFields RleFields(int width, int height, bool rle4, std::vector<uint8_t> data) {
  BmpFields s;
  s.width = width;
  s.height = height;
  s.bitCount = rle4 ? 4 : 8;
  s.compression = rle4 ? 2 : 1;
  s.palette.assign(16, 0x010101);
  s.colorsUsed = 16;
  s.data = std::move(data);
  return s;
}

TEST(BmpDecode, RleCodesFillTheRightPixels) {
  // 4 x 3 RLE8, stream rows bottom-up: a run, end of line, an absolute run
  // with its pad byte, a delta into the top row, a run, end of bitmap.
  BmpImage image = DecodeBmp(MakeBmp(RleFields(4, 3, false, {2, 5, 0, 0, 0, 3, 7, 8, 9, 0, 0, 2, 0, 1, 1, 6, 0, 1})));
  EXPECT_EQ(image.indices, (std::vector<uint8_t>{0, 0, 0, 6, 7, 8, 9, 0, 5, 5, 0, 0}));

  // RLE4 alternates the two nibbles, in runs and in absolute runs.
  image = DecodeBmp(MakeBmp(RleFields(6, 1, true, {3, 0x12, 0, 3, 0x34, 0x50, 0, 1})));
  EXPECT_EQ(image.indices, (std::vector<uint8_t>{1, 2, 1, 3, 4, 5}));

  // A stream that stops without an end-of-bitmap code leaves index 0.
  image = DecodeBmp(MakeBmp(RleFields(3, 2, false, {1, 4})));
  EXPECT_EQ(image.indices, (std::vector<uint8_t>{0, 0, 0, 4, 0, 0}));
}

TEST(BmpDecode, RleStreamsThatLeaveTheImageAreRejected) {
  const std::vector<std::vector<uint8_t>> streams = {
      {5, 1, 0, 1},                    // run longer than the row
      {0, 4, 1, 2, 3, 4, 5, 0, 0, 1},  // absolute run longer than the row
      {0, 2, 5, 0, 1, 1, 0, 1},        // delta past the right edge
      {0, 2, 0, 3, 0, 1},              // delta past the top
      {0, 0, 0, 0, 1, 1, 0, 1},        // run after the last row
      {0, 3, 1, 2},                    // absolute run cut short
      {2},                             // code cut in half
  };
  for (const auto& stream : streams) {
    SCOPED_TRACE(::testing::PrintToString(stream));
    EXPECT_THROW(DecodeBmp(MakeBmp(RleFields(4, 2, false, stream))), EInvalidGraphic);
  }
  BmpFields topDown = RleFields(4, -2, false, {0, 1});
  EXPECT_THROW(DecodeBmp(MakeBmp(topDown)), EInvalidGraphic);
  // A few bytes may not claim tens of millions of pixels.
  EXPECT_THROW(DecodeBmp(MakeBmp(RleFields(8000, 8000, false, {0, 1}))), EInvalidGraphic);
}

TEST(BmpDecode, InconsistentHeadersAreRejected) {
  BmpFields good;
  good.palette = {0, 0xFFFFFF};
  good.data.assign(8, 1);
  ASSERT_NO_THROW(DecodeBmp(MakeBmp(good)));
  auto rejects = [](BmpFields s) { EXPECT_THROW(DecodeBmp(MakeBmp(s)), EInvalidGraphic); };
  BmpFields s = good;
  s.headerSize = 44;
  rejects(s);
  s = good;
  s.planes = 2;
  rejects(s);
  s = good;
  s.width = 0;
  rejects(s);
  s = good;
  s.height = 0;
  rejects(s);
  s = good;
  s.height = INT32_MIN;
  rejects(s);
  s = good;
  s.width = 40000;
  rejects(s);
  s = good;
  s.bitCount = 12;
  rejects(s);
  s = good;
  s.compression = 4;  // JPEG
  rejects(s);
  s = good;
  s.compression = 1;  // RLE8 at 4 bits
  s.bitCount = 4;
  rejects(s);
  s = good;
  s.data.resize(7);  // truncated pixels, with a consistent file size
  rejects(s);
  s = good;
  s.colorsUsed = 100000;
  rejects(s);
  s = good;
  s.xDensity = 1;
  s.yDensity = 5000;
  rejects(s);

  std::vector<uint8_t> file = MakeBmp(good);
  file[2] += 1;  // file size one byte more than the file
  EXPECT_THROW(DecodeBmp(file), EInvalidGraphic);
  file = MakeBmp(good);
  file[10] = 20;  // pixel data inside the header
  EXPECT_THROW(DecodeBmp(file), EInvalidGraphic);
  file = MakeBmp(good);
  file[0] = 'X';
  EXPECT_THROW(DecodeBmp(file), EInvalidGraphic);
  // Every prefix of a valid file is refused cleanly.
  file = MakeBmp(good);
  for (size_t length = 0; length < file.size(); ++length) {
    std::vector<uint8_t> prefix(file.begin(), file.begin() + length);
    EXPECT_THROW(DecodeBmp(prefix), EInvalidGraphic) << "length " << length;
  }
}

TEST(BmpDecode, TrailingBytesAfterTheFileAreIgnored) {
  // A skin package stores bitmaps back to back; the next one may follow.
  BmpFields s;
  s.palette = {0, 0xFFFFFF};
  s.data.assign(8, 1);
  std::vector<uint8_t> file = MakeBmp(s);
  const BmpImage alone = DecodeBmp(file);
  file.insert(file.end(), {'B', 'M', 1, 2, 3});
  EXPECT_EQ(DecodeBmp(file).pixels, alone.pixels);
}

// ---- Writing -------------------------------------------------------------

static BmpImage RandomPaletted(int width, int height, uint16_t bitCount, size_t paletteSize, uint32_t seed) {
  std::mt19937 random(seed);
  BmpImage image;
  image.width = width;
  image.height = height;
  image.bitCount = bitCount;
  for (size_t i = 0; i < paletteSize; ++i) image.palette.push_back(random() & 0xFFFFFF);
  for (int i = 0; i < width * height; ++i) {
    const uint8_t index = uint8_t(random() % paletteSize);
    image.indices.push_back(index);
    image.pixels.push_back(0xFF000000u | image.palette[index]);
  }
  return image;
}

TEST(BmpEncode, PalettedDepthsRoundTrip) {
  for (uint16_t bitCount : {1, 2, 4, 8}) {
    for (int width : {1, 3, 5, 17, 33}) {
      for (size_t paletteSize : {size_t(1) << bitCount, size_t(2)}) {
        SCOPED_TRACE(::testing::Message() << bitCount << " bits, width " << width << ", " << paletteSize << " colours");
        BmpImage image = RandomPaletted(width, 3, bitCount, paletteSize, width * 31 + bitCount);
        image.xPelsPerMeter = 3780;
        image.yPelsPerMeter = 3780;
        const std::vector<uint8_t> file = EncodeBmp(image);
        const BmpImage back = DecodeBmp(file);
        EXPECT_EQ(back.bitCount, bitCount);
        EXPECT_EQ(back.width, width);
        EXPECT_EQ(back.palette, image.palette);
        EXPECT_EQ(back.indices, image.indices);
        EXPECT_EQ(back.pixels, image.pixels);
        EXPECT_EQ(back.xPelsPerMeter, 3780);
        // The file size field matches the bytes written, so stored files chain.
        EXPECT_EQ(file[2] | (file[3] << 8) | (file[4] << 16), int(file.size()));
      }
    }
  }
}

TEST(BmpEncode, TrueColourDepthsRoundTrip) {
  std::mt19937 random(7);
  BmpImage image;
  image.width = 7;
  image.height = 4;
  for (int i = 0; i < 28; ++i) image.pixels.push_back(0xFF000000u | (random() & 0xFFFFFF));
  for (uint16_t bitCount : {24, 32}) {
    image.bitCount = bitCount;
    const BmpImage back = DecodeBmp(EncodeBmp(image));
    EXPECT_EQ(back.bitCount, bitCount);
    EXPECT_EQ(back.pixels, image.pixels);
  }

  // 16 bits keeps five bits a channel: the 32 levels survive exactly.
  image.bitCount = 16;
  image.width = 32;
  image.height = 1;
  image.pixels.clear();
  for (uint32_t level = 0; level < 32; ++level) {
    const uint32_t c = (level * 255 + 15) / 31;
    image.pixels.push_back(0xFF000000u | (c << 16) | ((255 - c) << 8) | c);
  }
  EXPECT_EQ(DecodeBmp(EncodeBmp(image)).pixels, image.pixels);
  EXPECT_EQ(image.pixels[31], 0xFFFF00FFu);
}

TEST(BmpEncode, AlphaIsKeptOnlyWhenItMeansSomething) {
  BmpImage image;
  image.width = 2;
  image.height = 1;
  image.bitCount = 32;
  image.pixels = {0x80102030u, 0xFF405060u};
  EXPECT_EQ(DecodeBmp(EncodeBmp(image)).pixels, image.pixels);
  // All-zero alpha is an opaque bitmap from GDI, not an invisible one.
  image.pixels = {0x00102030u, 0x00405060u};
  EXPECT_EQ(DecodeBmp(EncodeBmp(image)).pixels, (std::vector<uint32_t>{0xFF102030u, 0xFF405060u}));
}

TEST(BmpEncode, InconsistentImagesAreRefused) {
  const BmpImage good = RandomPaletted(4, 4, 4, 16, 1);
  ASSERT_NO_THROW(EncodeBmp(good));
  BmpImage image = good;
  image.indices.pop_back();
  EXPECT_THROW(EncodeBmp(image), EInvalidGraphic);
  image = good;
  image.palette.resize(17);
  EXPECT_THROW(EncodeBmp(image), EInvalidGraphic);
  image = good;
  image.palette.resize(4);  // indices up to 15 now name no colour
  EXPECT_THROW(EncodeBmp(image), EInvalidGraphic);
  image = good;
  image.palette.clear();
  EXPECT_THROW(EncodeBmp(image), EInvalidGraphic);
  image = good;
  image.bitCount = 12;
  EXPECT_THROW(EncodeBmp(image), EInvalidGraphic);
  image = good;
  image.bitCount = 24;
  image.pixels.resize(3);
  EXPECT_THROW(EncodeBmp(image), EInvalidGraphic);
  image = good;
  image.height = 0;
  EXPECT_THROW(EncodeBmp(image), EInvalidGraphic);
}
