// Icon files: building the form's 256-colour icon and the program icon of
// many sizes, reading icon directories back, choosing an image and refusing
// malformed files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "base/exceptions.h"
#include "base/codecs/ico_file.h"

static BmpImage Checkerboard(int width, int height) {
  BmpImage image;
  image.width = width;
  image.height = height;
  image.bitCount = 8;
  image.palette = {0x000000, 0xFF8080, 0x1E1B2E};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.indices.push_back(uint8_t(1 + (x + y) % 2));
  return image;
}

static std::vector<uint8_t> CornerTransparent(int width, int height) {
  std::vector<uint8_t> mask(size_t(width) * height, 0);
  mask[0] = 1;                         // top-left
  mask[size_t(width) * height - 1] = 1;  // bottom-right
  return mask;
}

static void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

// An icon file holding the given images, with directory fields as given.
struct RawEntry {
  uint8_t width, height, colors;
  uint16_t bitCount;
  std::vector<uint8_t> image;
};

static std::vector<uint8_t> MakeIcon(const std::vector<RawEntry>& entries) {
  std::vector<uint8_t> file;
  Put(file, 0, 2);
  Put(file, 1, 2);
  Put(file, uint32_t(entries.size()), 2);
  uint32_t offset = uint32_t(6 + 16 * entries.size());
  for (const RawEntry& e : entries) {
    file.insert(file.end(), {e.width, e.height, e.colors, 0});
    Put(file, 1, 2);
    Put(file, e.bitCount, 2);
    Put(file, uint32_t(e.image.size()), 4);
    Put(file, offset, 4);
    offset += uint32_t(e.image.size());
  }
  for (const RawEntry& e : entries) file.insert(file.end(), e.image.begin(), e.image.end());
  return file;
}

TEST(IconBuild, ProgramIconLayoutIs1758Bytes) {
  const BmpImage image = Checkerboard(24, 24);
  const std::vector<uint8_t> icon = BuildIcon256(image, CornerTransparent(24, 24));
  ASSERT_EQ(icon.size(), 1758u);  // 6 + 16 + 40 + 1024 + 576 + 96
  EXPECT_EQ(icon[4], 1);          // one image
  EXPECT_EQ(icon[6], 24);
  EXPECT_EQ(icon[7], 24);
  EXPECT_EQ(icon[8], 0);          // 256 colours
  EXPECT_EQ(icon[12], 8);         // bits per pixel
  EXPECT_EQ(icon[14] | (icon[15] << 8), 1758 - 22);
  EXPECT_EQ(icon[18], 22);        // image offset
  EXPECT_EQ(icon[22], 40);        // BITMAPINFOHEADER
  EXPECT_EQ(icon[30], 48);        // doubled height
}

TEST(IconBuild, ImageAndMaskReadBack) {
  for (int size : {24, 16, 33}) {
    SCOPED_TRACE(size);
    const BmpImage image = Checkerboard(size, size);
    const std::vector<IconEntry> entries = ParseIcon(BuildIcon256(image, CornerTransparent(size, size)));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].width, size);
    EXPECT_EQ(entries[0].bitCount, 8);
    const BmpImage back = DecodeIconImage(entries[0]);
    EXPECT_EQ(back.indices, image.indices);
    EXPECT_EQ(back.palette.size(), 256u);
    EXPECT_EQ(back.pixels[0], 0x00FF8080u);                  // transparent corner
    EXPECT_EQ(back.pixels[1], 0xFF1E1B2Eu);
    EXPECT_EQ(back.pixels[size_t(size) * size - 1] >> 24, 0u);
    EXPECT_EQ(back.pixels[size_t(size) * size - 2] >> 24, 0xFFu);
  }
}

TEST(IconBuild, RefusesImagesItCannotStore) {
  const std::vector<uint8_t> mask(24 * 24, 0);
  BmpImage image = Checkerboard(24, 24);
  image.bitCount = 4;
  EXPECT_THROW(BuildIcon256(image, mask), EInvalidGraphic);
  image = Checkerboard(24, 24);
  EXPECT_THROW(BuildIcon256(image, std::span<const uint8_t>(mask).first(100)), EInvalidGraphic);
  image.indices[5] = 3;  // beyond the 3-colour palette
  EXPECT_THROW(BuildIcon256(image, mask), EInvalidGraphic);
  image = Checkerboard(300, 2);
  EXPECT_THROW(BuildIcon256(image, std::vector<uint8_t>(600, 0)), EInvalidGraphic);
}

TEST(IconParse, DirectoryFieldsAndPicking) {
  const std::vector<uint8_t> big = BuildIcon256(Checkerboard(32, 32), std::vector<uint8_t>(32 * 32, 0));
  const std::vector<uint8_t> small = BuildIcon256(Checkerboard(16, 16), std::vector<uint8_t>(16 * 16, 0));
  const std::vector<uint8_t> bigImage(big.begin() + 22, big.end()), smallImage(small.begin() + 22, small.end());
  const std::vector<IconEntry> entries = ParseIcon(MakeIcon({{16, 16, 0, 8, smallImage},
                                                             {32, 32, 0, 8, bigImage},
                                                             {0, 0, 0, 32, {1, 2, 3}},
                                                             {16, 16, 16, 4, {4, 5, 6}},
                                                             {32, 32, 0, 0, bigImage}}));
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[2].width, 256);                                  // 0 means 256
  EXPECT_EQ(entries[2].image, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(entries[3].colorCount, 16);
  EXPECT_EQ(entries[4].bitCount, 8);                                 // taken from the image header
  EXPECT_EQ(PickIconEntry(entries, 16, 8), 0u);
  EXPECT_EQ(PickIconEntry(entries, 16, 4), 3u);
  EXPECT_EQ(PickIconEntry(entries, 20, 8), 0u);                      // nearest size
  EXPECT_EQ(PickIconEntry(entries, 24, 32), 1u);                     // equally near: the larger
  EXPECT_EQ(PickIconEntry(entries, 200, 32), 2u);
  EXPECT_THROW(PickIconEntry({}, 16, 8), EInvalidGraphic);
  EXPECT_THROW(DecodeIconImage(entries[2]), EInvalidGraphic);         // not a bitmap
}

TEST(IconParse, MalformedFilesAreRejected) {
  const std::vector<uint8_t> good = BuildIcon256(Checkerboard(24, 24), std::vector<uint8_t>(24 * 24, 0));
  auto rejects = [](std::vector<uint8_t> file) { EXPECT_THROW(ParseIcon(file), EInvalidGraphic); };
  std::vector<uint8_t> file = good;
  file[0] = 1;  // reserved
  rejects(file);
  file = good;
  file[2] = 2;  // cursor, not icon
  rejects(file);
  file = good;
  file[4] = 0;  // no images
  rejects(file);
  file = good;
  file[4] = 2;  // second directory entry overlaps the image
  rejects(file);
  file = good;
  file[14] += 1;  // image one byte longer than the file
  rejects(file);
  file = good;
  file[18] = 10;  // image inside the directory
  rejects(file);
  file = good;
  for (int k = 0; k < 4; ++k) file[18 + k] = 0xFF;  // offset near 4 GB must not wrap
  rejects(file);
  for (size_t length = 0; length < 22; ++length)
    rejects(std::vector<uint8_t>(good.begin(), good.begin() + length));

  // Damaged images parse as entries but do not decode.
  IconEntry entry = ParseIcon(good)[0];
  entry.image.resize(entry.image.size() - 1);  // AND mask cut short
  EXPECT_THROW(DecodeIconImage(entry), EInvalidGraphic);
  entry = ParseIcon(good)[0];
  entry.image[8] = 25;  // odd height cannot be XOR + AND rows
  EXPECT_THROW(DecodeIconImage(entry), EInvalidGraphic);
  entry = ParseIcon(good)[0];
  entry.image.resize(30);
  EXPECT_THROW(DecodeIconImage(entry), EInvalidGraphic);
}

// Each image comes back as it went in: 32-bit pixels with their alpha and
// a mask of the transparent ones, a PNG untouched, the 256-colour one too.
TEST(IconFile, AnIconOfManySizesKeepsEachImage) {
  std::vector<uint32_t> argb(20 * 20, 0xFFFF8080u);
  argb[0] = 0x00000000u;             // transparent corner
  argb[20 * 19 + 19] = 0x801E1B2Eu;  // half-covered edge
  const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3};
  const std::vector<IconEntry> built = {
      IconEntry32(20, argb), ParseIcon(BuildIcon256(Checkerboard(24, 24), CornerTransparent(24, 24))).front(),
      PngIconEntry(256, png)};
  const std::vector<IconEntry> read = ParseIcon(BuildIconFile(built));
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ((std::vector<int>{read[0].width, read[1].width, read[2].width}), (std::vector<int>{20, 24, 256}));
  EXPECT_EQ((std::vector<int>{read[0].bitCount, read[1].bitCount, read[2].bitCount}), (std::vector<int>{32, 8, 32}));
  EXPECT_EQ(read[2].image, png);
  const BmpImage image = DecodeIconImage(read[0]);
  ASSERT_EQ(image.width, 20);
  EXPECT_EQ(image.pixels[0] >> 24, 0u) << "the transparent corner";
  EXPECT_EQ(image.pixels[1], 0xFFFF8080u);
  EXPECT_EQ(image.pixels[20 * 19 + 19] & 0xFFFFFFu, 0x1E1B2Eu);
  // Stored bottom row first, blue green red alpha: the half cover is kept.
  EXPECT_EQ(read[0].image[40 + 19 * 4 + 3], 0x80);
  EXPECT_EQ(DecodeIconImage(read[1]).pixels[1], DecodeIconImage(built[1]).pixels[1]);
  EXPECT_THROW(PngIconEntry(256, {1, 2, 3}), EInvalidGraphic);
  EXPECT_THROW(IconEntry32(20, std::vector<uint32_t>(10)), EInvalidGraphic);
}

// The program icon is drawn for every size the system asks for, from 32
// pixels up as PNG images of that size, below as bitmaps with a clear
// outside and a solid middle (the Wine tests look at the PNG pixels).
TEST(ProgramIcon, IsDrawnAtEverySizeTheSystemUses) {
  namespace fs = std::filesystem;
  const fs::path out = fs::temp_directory_path() / ("program_icon_" + std::to_string(std::random_device()()) + ".ico");
  const std::string dir = VESPERMARK_ICON_DIR;
  const std::string command = std::string("\"") + VESPERMARK_ICONGEN + "\" program \"" + dir +
                              "/vespermark-icon.shapes\" \"" + dir + "/vespermark-icon.txt\" \"" + out.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(out, std::ios::binary);
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  fs::remove(out);
  EXPECT_LT(file.size(), 32u * 1024) << "the program stays small";
  const std::vector<IconEntry> entries = ParseIcon(file);
  std::vector<int> sizes;
  for (const IconEntry& entry : entries) {
    sizes.push_back(entry.width);
    EXPECT_EQ(entry.width, entry.height);
    if (entry.width >= 32) {
      ASSERT_GE(entry.image.size(), 24u);
      EXPECT_EQ(std::string(entry.image.begin() + 1, entry.image.begin() + 4), "PNG") << entry.width;
      auto be32 = [&](size_t at) {
        return int(entry.image[at]) << 24 | int(entry.image[at + 1]) << 16 | int(entry.image[at + 2]) << 8 |
               int(entry.image[at + 3]);
      };
      EXPECT_EQ(be32(16), entry.width) << "the PNG's own width";
      EXPECT_EQ(be32(20), be32(16)) << "square";
      continue;
    }
    EXPECT_EQ(entry.image[0], 40) << entry.width << ": a bitmap below 32 pixels";
    const BmpImage image = DecodeIconImage(entry);
    const int n = image.width;
    auto alpha = [&](int x, int y) { return image.pixels[size_t(y) * size_t(n) + size_t(x)] >> 24; };
    EXPECT_EQ(alpha(0, n - 1), 0u) << n << ": the corner away from the moon is clear";
    EXPECT_EQ(alpha(n * 10 / 24, n * 16 / 24), 255u) << n << ": the face is solid";
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}
