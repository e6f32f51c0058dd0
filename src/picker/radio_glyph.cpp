#include "picker/radio_glyph.h"

#include "panel/color_math.h"

TColor MoveOffGrey(TColor color) {
  TColor rgb = ColorToRGB(color);
  return rgb == 0x808080 ? rgb + 1 : color;
}

std::optional<TColor> RadioGlyphColor(TColor key, TColor controlColor) {
  switch (key) {
    case 0xFFFFFF: return clWindow;
    case 0x000000: return MoveOffGrey(clBtnShadow);
    case 0x008000: return TintColor(clBtnShadow, 10);
    case 0x808080: return MixColors(clBtnShadow, clWindow, 128);
    case 0x800080: return MixColors(clBtnShadow, clWindow, 128);
    case 0x000080: return MixColors(clBtnShadow, clWindow, 80);
    case 0x00FF00: return MixColors(clBtnShadow, clWindow, 80);
    case 0x0000FF: return clWindow;
    case 0xFF00FF: return clWindow;
    case 0x00FFFF: return clWindow;
    case 0x800000: return MoveOffGrey(clHighlight);
    case 0xFF0000: return MixColors(clHighlight, clWindow, 153);
    case 0xFFFF00: return MixColors(clBtnShadow, controlColor, 100);
    case 0x008080: return controlColor;
    default: return std::nullopt;
  }
}
