#include "skin_pictures.h"

#include "button_art.h"
#include "frame_art.h"
#include "full_caption_buttons.h"
#include "full_client_art.h"
#include "full_frame_art.h"
#include "full_menu_art.h"
#include "full_theme.h"
#include "menu_art.h"

// In the order of [PICTURES]: picture, mask, then the active pictures by
// index, as the skin's sections refer to them.
std::vector<SkinPicture> DrawSkinPictures(const ArtScale& s) {
  return {
      {"frame.bmp", DrawFramePicture(s).Compact()},
      {"frame-mask.bmp", DrawFrameMask(s).Bitmap()},
      {"caption-buttons.bmp", DrawCaptionButtonSheet(s).Compact()},
      {"menu-item.bmp", DrawMenuItemPicture(s).Compact()},
      {"popup.bmp", DrawPopupPicture(s).Compact()},
      {"button.bmp", DrawButtonPicture(ProgramButton(), s).TrueColour()},
      {"popup-mask.bmp", DrawPopupMask(s).Bitmap()},
      {"button-mask.bmp", DrawButtonMask(ProgramButton(), s).Bitmap()},
      {"menu-bar.bmp", DrawMenuBarPicture(s).Compact()},
      {"hint.bmp", DrawHintPicture(s).Compact()},
  };
}

static const ButtonArt& FullButton() {
  namespace t = full_theme;
  static const ButtonArt art{72, 95, 23, 4, t::kOutline, t::kClient,
                             {{0, t::kButtonTop, t::kButtonBottom, Relief::Raised},
                              {24, t::kButtonHotTop, t::kButtonHotBottom, Relief::Raised},
                              {48, t::kButtonPressedTop, t::kButtonPressedBottom, Relief::Sunken},
                              {72, t::kButtonDisabledTop, t::kButtonDisabledBottom, Relief::Raised}}};
  return art;
}

// The same order: picture, inactive picture, mask, the active pictures by
// index, and last the logo, which skin.ini does not name.
std::vector<SkinPicture> DrawFullSkinPictures() {
  return {
      {"frame.bmp", DrawFullFramePicture().TrueColour()},
      {"frame-inactive.bmp", DrawFullInactiveFramePicture().Indexed()},
      {"frame-mask.bmp", DrawFullFrameMask().Bitmap()},
      {"caption-buttons.bmp", DrawFullCaptionButtons().Indexed()},
      {"caption.bmp", DrawFullCaptionLook().Indexed()},
      {"grip.bmp", DrawFullGripFrames().Indexed()},
      {"menu-item.bmp", DrawFullMenuItemPicture().Indexed()},
      {"popup.bmp", DrawFullPopupPicture().Indexed()},
      {"popup-mask.bmp", DrawFullPopupMask().Bitmap()},
      {"hint.bmp", DrawFullHintPicture().Indexed()},
      {"button.bmp", DrawButtonPicture(FullButton()).TrueColour()},
      {"button-mask.bmp", DrawButtonMask(FullButton()).Bitmap()},
      {"client.bmp", DrawFullClientTile().Indexed()},
      {"hint-mask.bmp", DrawFullHintMask().Bitmap()},
      {"logo.bmp", DrawFullLogo().Indexed()},
  };
}
