#include "skin_pictures.h"

#include "button_art.h"
#include "frame_art.h"
#include "menu_art.h"

// In the order of [PICTURES]: picture, mask, then the active pictures by
// index, as the skin's sections refer to them.
std::vector<SkinPicture> DrawSkinPictures() {
  return {
      {"frame.bmp", DrawFramePicture().Indexed()},
      {"frame-mask.bmp", DrawFrameMask().Bitmap()},
      {"caption-buttons.bmp", DrawCaptionButtonSheet().Indexed()},
      {"menu-item.bmp", DrawMenuItemPicture().Indexed()},
      {"popup.bmp", DrawPopupPicture().Indexed()},
      {"button.bmp", DrawButtonPicture().TrueColour()},
      {"popup-mask.bmp", DrawPopupMask().Bitmap()},
      {"button-mask.bmp", DrawButtonMask().Bitmap()},
      {"menu-bar.bmp", DrawMenuBarPicture().Indexed()},
      {"hint.bmp", DrawHintPicture().Indexed()},
  };
}
