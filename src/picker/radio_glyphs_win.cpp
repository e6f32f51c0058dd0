#include "picker/radio_glyphs_win.h"

#include "picker/radio_glyph.h"
#include "ui/graphics/canvas_win.h"
#include "ui/system/resources_win.h"

TBitmap& TRadioGlyphs::Glyph(bool checked, TColor controlColor) {
  Palette palette{ColorToRGB(controlColor), ColorToRGB(clWindow), ColorToRGB(clBtnShadow), ColorToRGB(clHighlight)};
  if (palette != FPalette) {
    FPalette = palette;
    for (Entry& entry : FEntries) entry.stale = true;
  }
  Entry& entry = FEntries[checked ? 1 : 0];
  if (entry.stale) Recolour(entry, checked, controlColor);
  return entry.shown;
}

void TRadioGlyphs::Recolour(Entry& entry, bool checked, TColor controlColor) {
  if (!entry.decoded) {
    if (auto file = RCDataResource(checked ? L"RADIO_CHECKED" : L"RADIO_UNCHECKED")) entry.art = DecodeBmp(*file);
    entry.decoded = true;
  }
  if (!entry.art) {
    entry.shown.SetSize(13, 13);
    entry.shown.Canvas().Brush().SetColor(controlColor);
    entry.shown.Canvas().FillRect(RECT{0, 0, 13, 13});
  } else {
    const BmpImage& art = *entry.art;
    entry.shown.SetSize(art.width, art.height);
    for (int y = 0; y < art.height; ++y) {
      const uint32_t* from = art.pixels.data() + static_cast<size_t>(y) * art.width;
      uint32_t* to = entry.shown.ScanLine(y);
      for (int x = 0; x < art.width; ++x) {
        uint32_t pixel = from[x];
        // Key colours become the theme's; the DIB holds 0x00RRGGBB, colours are 0x00BBGGRR.
        TColor key = RGBColor(static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
                              static_cast<uint8_t>(pixel));
        if (auto color = RadioGlyphColor(key, controlColor)) {
          TColor rgb = ColorToRGB(*color);
          pixel = (static_cast<uint32_t>(RedOf(rgb)) << 16) | (GreenOf(rgb) << 8) | BlueOf(rgb);
        }
        to[x] = pixel;
      }
    }
  }
  entry.stale = false;
}
