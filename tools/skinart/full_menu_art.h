#pragma once
// The full skin's menus and hint window.
#include "art_canvas.h"

// 80 x 52: the highlighted item at rows 0 to 21, the plain item at rows 22
// to 43, a divider at rows 44 to 51.
ArtCanvas DrawFullMenuItemPicture();
// 100 x 60: the menu window, with an indigo sidebar 20 pixels wide on its
// left and an amber crescent at the sidebar's foot.
ArtCanvas DrawFullPopupPicture();
MaskCanvas DrawFullPopupMask();
// 40 x 20: a cream hint window with an indigo border and an amber stripe,
// its corners rounded by its mask.
ArtCanvas DrawFullHintPicture();
MaskCanvas DrawFullHintMask();
