#pragma once
// The skinned menus and hint window. Sizes are given at 100 %.
#include "art_canvas.h"

// 65 x 44: the highlighted item at rows 0 to 21, the plain item at rows 22
// to 43. Separators are cut from the plain item, so they show as a gap.
ArtCanvas DrawMenuItemPicture(const ArtScale& scale);
// 92 x 52: the menu window, with a sidebar 19 pixels wide on its left.
ArtCanvas DrawPopupPicture(const ArtScale& scale);
MaskCanvas DrawPopupMask(const ArtScale& scale);
// 32 x 17: the hint window, a cream face with a teal stripe on its left.
ArtCanvas DrawHintPicture(const ArtScale& scale);
// 64 x 54: a menu bar's item looks (normal, hot, pressed down the left
// column) and its four small window buttons, normal and pressed, beside them.
ArtCanvas DrawMenuBarPicture(const ArtScale& scale);
