#pragma once
// The skin's colours. A dark slate-teal frame that sits well beside the
// clock face's teal rim, a pale sage client that carries the money-green
// shadow and the blue link, and light caption glyphs on the dark band.
#include "art_canvas.h"

namespace theme {

// Outer edge of every shape, and what its half-covered pixels fade to, so
// that cut corners look smooth on light and dark desktops alike.
constexpr Rgb kOutline{16, 28, 32};
constexpr Rgb kEdgeFade{120, 128, 130};

// Caption band: glass with a brighter upper half.
constexpr Rgb kBandGlossTop{86, 116, 124};
constexpr Rgb kBandGlossBottom{54, 82, 90};
constexpr Rgb kBandTop{36, 60, 67};
constexpr Rgb kBandBottom{24, 42, 48};
constexpr Rgb kBandHighlight{128, 156, 162};

// Frame body around the client.
constexpr Rgb kBody{56, 83, 90};
constexpr Rgb kBodyOuter{78, 108, 115};
constexpr Rgb kBodyLight{112, 142, 148};
constexpr Rgb kBodyShade{36, 56, 62};
constexpr Rgb kGroove{44, 68, 75};

// Client area and the sunken well round it.
constexpr Rgb kClient{228, 236, 232};
constexpr Rgb kWellShadow{26, 42, 47};
constexpr Rgb kWellLight{150, 176, 180};

// Caption buttons.
constexpr Rgb kGlyph{222, 230, 232};
constexpr Rgb kPlate{70, 100, 108};
constexpr Rgb kPlateEdge{22, 38, 43};
constexpr Rgb kPlatePressed{18, 30, 34};
constexpr Rgb kCloseTint{178, 82, 86};
constexpr Rgb kPressedGlow{246, 172, 96};

// Push buttons. The normal face carries black captions, and white ones
// while the pointer is over it; the pressed face carries white.
constexpr Rgb kButtonTop{184, 206, 205};
constexpr Rgb kButtonBottom{132, 160, 162};
constexpr Rgb kButtonPressedTop{30, 50, 56};
constexpr Rgb kButtonPressedBottom{48, 76, 83};

// Menus and hints.
constexpr Rgb kMenuFace{246, 249, 247};
constexpr Rgb kMenuBorder{208, 222, 219};
constexpr Rgb kMenuSidebarLeft{44, 70, 77};
constexpr Rgb kMenuSidebarRight{70, 100, 108};
constexpr Rgb kHintFace{255, 250, 228};
constexpr Rgb kHintStripe{0, 128, 128};
constexpr Rgb kHintBorder{60, 90, 96};

}  // namespace theme
