#pragma once
// The twelve frame styles a bordered panel draws, and the sides it frames.
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

enum class TFrameStyleEx : uint8_t {
  fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus, fsPopup,
  fsFlatBold, fsFlatRounded,
};

enum TSide : uint32_t { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8 };
constexpr uint32_t kAllSides = sdLeft | sdTop | sdRight | sdBottom;

inline constexpr std::array<std::pair<std::string_view, TFrameStyleEx>, 12> kFrameStyleIdents{{
    {"fsNone", TFrameStyleEx::fsNone}, {"fsFlat", TFrameStyleEx::fsFlat}, {"fsGroove", TFrameStyleEx::fsGroove},
    {"fsBump", TFrameStyleEx::fsBump}, {"fsLowered", TFrameStyleEx::fsLowered},
    {"fsButtonDown", TFrameStyleEx::fsButtonDown}, {"fsRaised", TFrameStyleEx::fsRaised},
    {"fsButtonUp", TFrameStyleEx::fsButtonUp}, {"fsStatus", TFrameStyleEx::fsStatus},
    {"fsPopup", TFrameStyleEx::fsPopup}, {"fsFlatBold", TFrameStyleEx::fsFlatBold},
    {"fsFlatRounded", TFrameStyleEx::fsFlatRounded},
}};
inline constexpr std::array<std::string_view, 4> kSideIdents{"sdLeft", "sdTop", "sdRight", "sdBottom"};
