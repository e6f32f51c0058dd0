// The image list's stored form: images come back as they went in, and every
// kind of bad data is refused with a message that says what is wrong.
#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "base/codecs/ico_file.h"
#include "ui/graphics/image_list_data.h"

namespace {

std::vector<uint8_t> SolidIcon(uint8_t colorIndex) {
  BmpImage image;
  image.width = image.height = 4;
  image.bitCount = 8;
  image.palette = {0x000000, 0xFF0000, 0x00FF00};
  image.indices.assign(16, colorIndex);
  return BuildIcon256(image, std::vector<uint8_t>(16, 0));
}

std::string DecodeError(const std::vector<uint8_t>& data) {
  try {
    DecodeImageListData(data);
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "accepted";
}

}  // namespace

TEST(ImageListData, ImagesComeBackInOrderAndBadDataIsRefused) {
  const std::vector<std::vector<uint8_t>> icons{SolidIcon(1), SolidIcon(2)};
  const std::vector<uint8_t> data = EncodeImageListData(icons);
  EXPECT_EQ(DecodeImageListData(data), icons);
  EXPECT_TRUE(DecodeImageListData(EncodeImageListData({})).empty());

  EXPECT_EQ(DecodeError({}), "Invalid image list: the data ends before the image count");
  EXPECT_EQ(DecodeError({2, 0, 0}), "Invalid image list: the data ends before the image count");
  // A count far beyond the data ends at the first missing size, not in a huge allocation.
  EXPECT_EQ(DecodeError({0xFF, 0xFF, 0xFF, 0xFF}), "Invalid image list: the data ends before the size of image 0");
  std::vector<uint8_t> cut(data.begin(), data.end() - 1);
  EXPECT_EQ(DecodeError(cut), "Invalid image list: image 1 of " + std::to_string(icons[1].size()) +
                                  " bytes ends past the data");
  std::vector<uint8_t> trailing = data;
  trailing.push_back(0);
  EXPECT_EQ(DecodeError(trailing), "Invalid image list: 1 bytes after the last image");
  // Sizes whose sum wraps around 32 bits still end past the data.
  std::vector<uint8_t> huge{1, 0, 0, 0, 0xFC, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  EXPECT_EQ(DecodeError(huge), "Invalid image list: image 0 of 4294967292 bytes ends past the data");
  // An image that is not an icon is named with the icon reader's reason.
  std::vector<std::vector<uint8_t>> notIcon{icons[0], {1, 2, 3, 4, 5, 6}};
  EXPECT_EQ(DecodeError(EncodeImageListData(notIcon)).rfind("Invalid image list: image 1: Invalid icon", 0), 0u)
      << DecodeError(EncodeImageListData(notIcon));
}
