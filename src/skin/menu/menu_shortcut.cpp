#include "skin/menu/menu_shortcut.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

std::string KeyName(uint8_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= 0x70 && key <= 0x7B) return "F" + std::to_string(key - 0x6F);
  static constexpr std::array<std::pair<uint8_t, std::string_view>, 15> kNames{{
      {0x08, "BkSp"}, {0x09, "Tab"},  {0x0D, "Enter"}, {0x1B, "Esc"}, {0x20, "Space"},
      {0x21, "PgUp"}, {0x22, "PgDn"}, {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
      {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"}, {0x2D, "Ins"},  {0x2E, "Del"},
  }};
  for (const auto& [code, name] : kNames)
    if (code == key) return std::string(name);
  return {};
}

}  // namespace

std::string ShortCutText(uint16_t shortCut) {
  std::string key = KeyName(static_cast<uint8_t>(shortCut & 0xFF));
  if (key.empty()) return {};
  std::string text;
  if (shortCut & 0x2000) text += "Shift+";
  if (shortCut & 0x4000) text += "Ctrl+";
  if (shortCut & 0x8000) text += "Alt+";
  return text + key;
}
