#pragma once
// Small BMP files, packages and a scratch folder for the skin data tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/codecs/bmp_codec.h"
#include "base/stream.h"

// A width x height BMP at the given depth whose pixels depend on `seed`, so
// that two pictures of one size still differ.
inline std::vector<uint8_t> MakeBmp(int width, int height, uint16_t bitCount, uint8_t seed) {
  BmpImage image;
  image.width = width;
  image.height = height;
  image.bitCount = bitCount;
  const size_t count = size_t(width) * size_t(height);
  if (bitCount <= 8) {
    const size_t colours = size_t(1) << bitCount;
    for (size_t i = 0; i < colours; ++i) image.palette.push_back(uint32_t(i * 0x010203 + seed));
    for (size_t i = 0; i < count; ++i) image.indices.push_back(uint8_t((i + seed) % colours));
  } else {
    for (size_t i = 0; i < count; ++i) image.pixels.push_back(0xFF000000u | uint32_t(i * 2654435761u + seed) >> 8);
  }
  return EncodeBmp(image);
}

inline std::vector<uint8_t> Contents(TMemoryStream& stream) {
  return std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.Size());
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline void WriteFileText(const std::filesystem::path& path, const std::string& text) {
  WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// A fresh, empty folder, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    do {
      FPath = std::filesystem::temp_directory_path() / ("vespermark_skin_" + std::to_string(random()));
    } while (!std::filesystem::create_directory(FPath));
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string operator/(const std::string& name) const { return (FPath / name).string(); }

 private:
  std::filesystem::path FPath;
};

// The message of the exception of type E that `action` raises.
template <typename E, typename Action>
std::string MessageOf(Action&& action) {
  try {
    action();
  } catch (const E& error) {
    return error.what();
  }
  ADD_FAILURE() << "no exception";
  return {};
}
