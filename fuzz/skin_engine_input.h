#pragma once
// The skin engine target's input, shared with make_seeds so that the seeds
// follow it. A fixed header of drive bytes comes first, then the skin:
//
//   mode (even: a packed skin file follows; odd: generated pictures)
//   grow X, grow Y     a window this much (mod 64) larger than the frame picture
//   border icons       the TSkinBorderIcon bits the form permits
//   flags              EngineFlag bits
//   generated only: the active picture count (mod 9), then per picture
//     slot (main, inactive, mask, the active ones) width and height
//     (16-bit little-endian) and a pattern byte; then the skin.ini text.
//
// Generated pictures keep the fuzzer on the definition's values instead of
// on BMP and zlib bytes (the other targets fuzz those).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/codecs/bmp_codec.h"
#include "base/codecs/little_endian.h"

enum EngineFlag : uint8_t {
  efActive = 1, efShowIcon = 2, efSizeable = 4, efToolWindow = 8, efAlwaysToTray = 16,
};

constexpr size_t kDriveBytes = 5;
constexpr size_t kMainSlots = 3;  // main, inactive, mask
constexpr size_t kActiveSlots = 8;
constexpr size_t kPictureSlots = kMainSlots + kActiveSlots;
constexpr size_t kSlotBytes = 5;
constexpr size_t kGeneratedHeader = kDriveBytes + 1 + kPictureSlots * kSlotBytes;

// Generated pictures stay small, so one input stays fast: each side at most
// this long (a side is taken modulo one more, so that random bytes give
// sizes of every length), the active pictures (parts of the look, not
// whole frames) shorter, and all of them together at most this many pixels
// (our skin's need 74,000).
constexpr int32_t kMaxGeneratedSide = 192;
constexpr int32_t kMaxGeneratedActiveSide = 96;
constexpr int64_t kMaxGeneratedPixels = 80000;

struct EngineDrive {
  bool Generated = false;
  uint8_t GrowX = 0, GrowY = 0, BorderIcons = 0, Flags = 0;
};

struct GeneratedSlot {
  uint16_t Width = 0, Height = 0;
  uint8_t Pattern = 0;
};

struct GeneratedSkin {
  size_t ActiveCount = 0;
  GeneratedSlot Slots[kPictureSlots];
  std::string IniText;
};

inline EngineDrive ReadDrive(std::span<const uint8_t> data) {
  EngineDrive drive;
  if (data.size() < kDriveBytes) return drive;
  drive.Generated = data[0] & 1;
  drive.GrowX = data[1] % 64;
  drive.GrowY = data[2] % 64;
  drive.BorderIcons = data[3];
  drive.Flags = data[4];
  return drive;
}

inline void WriteDrive(std::vector<uint8_t>& out, const EngineDrive& drive) {
  out.insert(out.end(), {uint8_t(drive.Generated ? 1 : 0), drive.GrowX, drive.GrowY, drive.BorderIcons, drive.Flags});
}

// False when the data is too short for the generated header.
inline bool ReadGeneratedSkin(std::span<const uint8_t> data, GeneratedSkin& skin) {
  if (data.size() < kGeneratedHeader) return false;
  const uint8_t* p = data.data() + kDriveBytes;
  skin.ActiveCount = *p++ % (kActiveSlots + 1);
  for (GeneratedSlot& slot : skin.Slots) {
    slot.Width = uint16_t(p[0] | p[1] << 8);
    slot.Height = uint16_t(p[2] | p[3] << 8);
    slot.Pattern = p[4];
    p += kSlotBytes;
  }
  skin.IniText.assign(reinterpret_cast<const char*>(p), data.size() - kGeneratedHeader);
  return true;
}

inline void WriteGeneratedSkin(std::vector<uint8_t>& out, const GeneratedSkin& skin) {
  out.push_back(uint8_t(skin.ActiveCount));
  for (const GeneratedSlot& slot : skin.Slots)
    out.insert(out.end(), {uint8_t(slot.Width), uint8_t(slot.Width >> 8), uint8_t(slot.Height),
                           uint8_t(slot.Height >> 8), slot.Pattern});
  out.insert(out.end(), skin.IniText.begin(), skin.IniText.end());
}

// The picture of a slot: black and white shapes for masks (black is inside),
// colours otherwise. The low three bits pick the shape, the rest shift it.
// `budget` is what the pictures before it left; a picture never takes more.
// Its loop reports no coverage: the fuzzer learns nothing from it.
__attribute__((no_sanitize("coverage"))) inline BmpImage GeneratedPicture(const GeneratedSlot& slot, int32_t maxSide, int64_t& budget) {
  BmpImage image;
  image.bitCount = 24;
  image.width = slot.Width % (maxSide + 1);
  image.height = slot.Height % (maxSide + 1);
  if (image.width > 0) image.height = int32_t(std::min<int64_t>(image.height, budget / image.width));
  if (image.width <= 0 || image.height <= 0) return BmpImage{};
  budget -= int64_t{image.width} * image.height;
  const uint32_t shift = slot.Pattern >> 3;
  const int32_t w = image.width, h = image.height, round = std::min(w, h) / 4;
  image.pixels.resize(size_t(w) * size_t(h));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      bool black = false;
      switch (slot.Pattern & 7) {
        case 0: black = true; break;
        case 1: black = false; break;
        case 2: black = ((x + y + shift) & 1) != 0; break;
        case 3: black = ((x + shift) / 3 & 1) != 0; break;
        case 4: {
          // Cut corners, as a rounded frame's mask has.
          const int32_t dx = std::max({round - x, x - (w - 1 - round), 0});
          const int32_t dy = std::max({round - y, y - (h - 1 - round), 0});
          black = dx + dy <= round;
          break;
        }
        case 5: black = ((uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u ^ shift) >> 7 & 1) != 0; break;
        default: break;
      }
      const uint32_t colour = (slot.Pattern & 7) >= 6 ? uint32_t(x * 7 + y * 131 + shift * 977) & 0xFFFFFF
                              : black                 ? 0
                                                      : 0xFFFFFF;
      image.pixels[size_t(y) * size_t(w) + size_t(x)] = 0xFF000000u | colour;
    }
  return image;
}

// A skin package (skin_package.h) written straight from BMP files: the
// main, inactive and mask picture (empty when absent), the active ones and
// the skin.ini text. A TSkinBitmap would decode each file on the way.
inline std::vector<uint8_t> GeneratedPackage(const std::vector<uint8_t> (&main)[kMainSlots],
                                             const std::vector<std::vector<uint8_t>>& active,
                                             const std::string& iniText) {
  std::vector<uint8_t> package;
  AppendLE32(package, 1);
  for (const std::vector<uint8_t>& file : main) {
    package.push_back(file.empty() ? 1 : 0);
    package.insert(package.end(), file.begin(), file.end());
  }
  AppendLE32(package, uint32_t(active.size()));
  for (const std::vector<uint8_t>& file : active) package.insert(package.end(), file.begin(), file.end());
  package.insert(package.end(), iniText.begin(), iniText.end());
  return package;
}
