#pragma once
// The full skin's client background and the logo the tests put on it.
#include "art_canvas.h"

// 24 x 24: pale lavender with two faint sparkles, tiled from the client's corner.
ArtCanvas DrawFullClientTile();
// 80 x 60: a crescent and the evening star, on the tile's lavender, which
// the bottom-left pixel gives as the colour drawn transparent.
ArtCanvas DrawFullLogo();
