#pragma once
// The AM and PM items' radio glyphs: the embedded art is decoded once and
// shown in the theme's and the control's colours, recoloured only when
// those colours change.
#include <array>
#include <optional>

#include "base/codecs/bmp_codec.h"
#include "base/color.h"
#include "ui/graphics/bitmap_win.h"

class TRadioGlyphs {
 public:
  // The glyph of a checked or an unchecked item on a control of `controlColor`.
  TBitmap& Glyph(bool checked, TColor controlColor);

 private:
  struct Entry {
    bool decoded = false;
    std::optional<BmpImage> art;  // none when the program carries no such art
    bool stale = true;
    TBitmap shown;
  };
  // What the key colours resolve against: the control's colour, clWindow,
  // clBtnShadow and clHighlight, as RGB.
  using Palette = std::array<TColor, 4>;

  void Recolour(Entry& entry, bool checked, TColor controlColor);

  std::array<Entry, 2> FEntries;  // unchecked, checked
  std::optional<Palette> FPalette;
};
