#include "base/color.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, TColor>, 46> kColorIdents{{
    {"clScrollBar", clScrollBar}, {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption}, {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu}, {"clWindow", clWindow}, {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText}, {"clWindowText", clWindowText}, {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace}, {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk}, {"clNone", clNone}, {"clBlack", clBlack}, {"clMaroon", clMaroon},
    {"clGreen", clGreen}, {"clOlive", clOlive}, {"clNavy", clNavy}, {"clPurple", clPurple},
    {"clTeal", clTeal}, {"clGray", clGray}, {"clSilver", clSilver}, {"clRed", clRed},
    {"clLime", clLime}, {"clYellow", clYellow}, {"clBlue", clBlue}, {"clFuchsia", clFuchsia},
    {"clAqua", clAqua}, {"clWhite", clWhite}, {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue}, {"clCream", clCream}, {"clMedGray", clMedGray},
}};

// Classic Windows defaults, used until the platform layer installs the real source.
uint32_t DefaultSysColor(int index) {
  static constexpr std::array<uint32_t, 25> kDefaults{
      0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
      0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
      0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xE1FFFF};
  return index >= 0 && index < static_cast<int>(kDefaults.size()) ? kDefaults[index] : 0;
}

SysColorSource gSysColorSource = DefaultSysColor;

}  // namespace

std::optional<TColor> ColorFromIdent(std::string_view ident) {
  for (const auto& [name, value] : kColorIdents)
    if (name == ident) return value;
  return std::nullopt;
}

std::optional<std::string_view> ColorToIdent(TColor color) {
  for (const auto& [name, value] : kColorIdents)
    if (value == color) return name;
  return std::nullopt;
}

void SetSysColorSource(SysColorSource source) { gSysColorSource = source ? source : DefaultSysColor; }

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return static_cast<TColor>(gSysColorSource(SystemColorIndex(color)) & 0xFFFFFF);
  return color;
}
