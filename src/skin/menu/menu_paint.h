#pragma once
// Painting a popup menu window into pixels: the background, one item at a
// time into an item-sized picture, and the scroll markers, in the skin's look
// or the plain one. The window layer copies the pictures to the screen and
// draws the texts through the window system.
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/color.h"
#include "skin/pixels/glyph_layout.h"
#include "skin/pixels/pixel_buffer.h"
#include "skin/menu/menu_layout.h"
#include "skin/menu/menu_metrics.h"

struct TMenuItem;

// The pictures a menu draws from, owned elsewhere; null when the skin has none.
struct TMenuPictures {
  const PixelImage* Back = nullptr;  // [POPUPWINDOW] windowpictureindex
  const PixelImage* Item = nullptr;  // the menu item object's activepictureindex
};

// Text goes through the window system, which draws "&x" as an underlined x;
// TextWidth measures a caption as it is drawn.
class TMenuTextCanvas : public TextMeasure {
 public:
  virtual int TextHeight() = 0;
  // The text with its top-left at (x, y) of `target`, background untouched.
  virtual void DrawMenuText(PixelView target, int x, int y, std::string_view text, TColor color) = 0;
};

// The menu's image list, drawn through the window system.
class TMenuImages {
 public:
  virtual ~TMenuImages() = default;
  virtual int32_t Count() const = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  // Image `index` with its top-left at (x, y) of `target`, blended over it.
  virtual void DrawImage(PixelView target, int x, int y, int32_t index) = 0;
};

// The width of the menu's images; none without an image list.
std::optional<int32_t> MenuImageWidth(const TMenuImages* images);

struct TMenuItemLook {
  bool Lit = false, SubOpen = false;  // highlighted; its sub-menu is open
  double BlendPos = 0;                // morph position, 0 normal to 1 active, when the skin's item morphs
};

// The whole window: the skin's window picture fitted to the window's size, or
// the plain look with its glyph column and two frames. `imageWidth` is the
// width of the items' images when the menu has an image list.
void PaintMenuBackground(PixelView window, const TMenuSkin& skin, const TMenuPictures& pictures,
                         std::optional<int32_t> imageWidth);

// One item into an item-sized picture: its face (a separator's divider), the
// caption fitted to its span, the shortcut, the sub-menu arrow and its mark
// (image, command glyph or check mark). Without the item picture the item
// has the plain look. `images` may be null.
void PaintMenuItem(PixelView item, const TMenuSkin& skin, const TMenuPictures& pictures, const TMenuItem& data,
                   const TMenuItemLook& look, TMenuImages* images, TMenuTextCanvas& text);

// The item's look is still between its normal and active faces: the morph
// timer has to keep stepping it.
bool MenuItemMorphPending(const TMenuSkin& skin, const TMenuItemLook& look);

// One tick of the morph timer: a shown item moves a tenth of the way towards
// the face its state asks for; a hidden one is put on that face at once, so
// it never shows a stale morph when it scrolls back. True when a shown item
// changed and has to be painted.
bool StepMenuItemMorph(const TMenuSkin& skin, TMenuItemLook& look, bool shown);

// The up and down arrows of the scroll marker bands, the one being scrolled
// towards in the active colour.
void PaintMenuScrollMarkers(PixelView window, const TMenuSkin& skin, const TMenuScrollMarkers& markers,
                            TMenuScroll scrolling);
