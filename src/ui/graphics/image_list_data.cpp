#include "ui/graphics/image_list_data.h"

#include <string>

#include "base/exceptions.h"
#include "base/codecs/ico_file.h"

namespace {

void PutUint32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

std::vector<uint8_t> EncodeImageListData(std::span<const std::vector<uint8_t>> icons) {
  std::vector<uint8_t> out;
  PutUint32(out, static_cast<uint32_t>(icons.size()));
  for (const std::vector<uint8_t>& icon : icons) {
    PutUint32(out, static_cast<uint32_t>(icon.size()));
    out.insert(out.end(), icon.begin(), icon.end());
  }
  return out;
}

std::vector<std::vector<uint8_t>> DecodeImageListData(std::span<const uint8_t> data) {
  size_t pos = 0;
  auto readUint32 = [&](const std::string& what) {
    if (data.size() - pos < 4) throw EInvalidGraphic("Invalid image list: the data ends before " + what);
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t(data[pos + i]) << (8 * i);
    pos += 4;
    return value;
  };
  const uint32_t count = readUint32("the image count");
  std::vector<std::vector<uint8_t>> icons;
  for (uint32_t i = 0; i < count; ++i) {
    const std::string image = "image " + std::to_string(i);
    const uint32_t size = readUint32("the size of " + image);
    if (data.size() - pos < size)
      throw EInvalidGraphic("Invalid image list: " + image + " of " + std::to_string(size) + " bytes ends past the data");
    const std::span<const uint8_t> icon = data.subspan(pos, size);
    try {
      ParseIcon(icon);
    } catch (const EInvalidGraphic& e) {
      throw EInvalidGraphic("Invalid image list: " + image + ": " + e.what());
    }
    icons.emplace_back(icon.begin(), icon.end());
    pos += size;
  }
  if (pos != data.size())
    throw EInvalidGraphic("Invalid image list: " + std::to_string(data.size() - pos) + " bytes after the last image");
  return icons;
}
