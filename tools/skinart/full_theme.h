#pragma once
// The colours of the full test skin, "Dusk": an indigo frame with an amber
// line under its glassy caption band, lavender menus and client, light
// glyphs that turn amber when pressed. Its inactive frame is grey.
#include "art_canvas.h"

namespace full_theme {

constexpr Rgb kOutline{20, 16, 40};
constexpr Rgb kEdgeFade{112, 108, 130};

// Caption band: glass with a brighter upper half.
constexpr Rgb kBandGlossTop{108, 94, 170};
constexpr Rgb kBandGlossBottom{76, 65, 132};
constexpr Rgb kBandTop{58, 49, 106};
constexpr Rgb kBandBottom{38, 32, 76};
constexpr Rgb kAccent{230, 158, 72};
constexpr Rgb kInactiveAccent{120, 120, 120};

// Frame body, the client well and the footer's slot and grip.
constexpr Rgb kBody{54, 46, 98};
constexpr Rgb kBodyOuter{88, 76, 142};
constexpr Rgb kWellShadow{24, 20, 48};
constexpr Rgb kWellLight{152, 142, 200};
constexpr Rgb kSlot{42, 36, 80};
constexpr Rgb kGripDot{154, 144, 204};
constexpr Rgb kGripShadow{30, 25, 58};

// Client background and logo.
constexpr Rgb kClient{236, 234, 244};
constexpr Rgb kClientSparkle{214, 209, 236};
constexpr Rgb kMoonLight{120, 104, 196};
constexpr Rgb kMoonDark{64, 54, 122};

// Caption glyphs and the plates of hot and pressed buttons.
constexpr Rgb kGlyph{238, 234, 252};
constexpr Rgb kGlyphPressed{250, 190, 104};
constexpr Rgb kPlateHot{114, 98, 188};
constexpr Rgb kPlateClose{204, 76, 90};
constexpr Rgb kPlatePressed{28, 22, 58};

// The active caption's glowing pill.
constexpr Rgb kPillTop{136, 118, 208};
constexpr Rgb kPillBottom{90, 76, 160};

// Push buttons: dark text on lavender, white on violet under the pointer,
// amber on indigo while pressed.
constexpr Rgb kButtonTop{230, 226, 244};
constexpr Rgb kButtonBottom{190, 184, 218};
constexpr Rgb kButtonHotTop{132, 112, 204};
constexpr Rgb kButtonHotBottom{86, 70, 152};
constexpr Rgb kButtonPressedTop{36, 30, 78};
constexpr Rgb kButtonPressedBottom{62, 52, 114};
constexpr Rgb kButtonDisabledTop{232, 231, 236};
constexpr Rgb kButtonDisabledBottom{210, 208, 218};

// Menus and hints.
constexpr Rgb kMenuFace{250, 249, 254};
constexpr Rgb kMenuBorder{84, 72, 140};
constexpr Rgb kMenuDivider{206, 202, 226};
constexpr Rgb kMenuSidebarLeft{44, 37, 86};
constexpr Rgb kMenuSidebarRight{78, 66, 134};
constexpr Rgb kMenuHotTop{104, 88, 178};
constexpr Rgb kMenuHotBottom{70, 58, 132};
constexpr Rgb kHintFace{250, 247, 238};
constexpr Rgb kHintBorder{84, 72, 140};

}  // namespace full_theme
