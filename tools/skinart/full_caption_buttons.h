#pragma once
// The full skin's caption buttons in their own picture: 16 x 16 looks on
// the band rows the buttons sit on, one row of cells per button.
//   rows (top to bottom): close, maximize, minimize, roll up, system menu;
//   columns: normal, hot, pressed, then the restore looks normal, hot,
//   pressed and inactive (the system menu: normal, hot, pressed, disabled).
#include "art_canvas.h"

ArtCanvas DrawFullCaptionButtons();
