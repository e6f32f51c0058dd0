#pragma once
// The AM/PM items' glyphs are drawn in fourteen key colours, each replaced
// when drawn by a colour of the current theme and of the picker itself.
#include <optional>

#include "base/color.h"

// The colour a key colour stands for; none for a colour that is no key.
std::optional<TColor> RadioGlyphColor(TColor key, TColor controlColor);

// A colour whose RGB value is that of 0x808080 moves one step off it.
TColor MoveOffGrey(TColor color);
