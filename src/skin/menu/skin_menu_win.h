#pragma once
// The skinned popup menus: a stack of windows, one per open level, that
// never take activation from the form they belong to. The rules (sizes,
// places, scrolling, keys, what choosing an item does) live in the portable
// menu files and the looks in menu_paint; this layer turns messages, timers
// and keys into calls of them.
#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "skin/pixels/pixel_buffer.h"
#include "skin/menu/menu_item.h"
#include "skin/menu/menu_metrics.h"
#include "skin/menu/menu_paint.h"
#include "skin/menu/skin_popup_window_win.h"
#include "ui/graphics/font.h"

class TImageList;
class TImageListMenuImages;
class TSkinData;
class TTimer;

// Sent to the control that opened a menu when it closes (and on a full close to the form).
constexpr UINT MenuClosedMessage = 1228;
// Sent to that control after a chosen item's command has run.
constexpr UINT MenuCommandMessage = 1229;

class TSkinMenu {
 public:
  // `form`: the frame's form window, whose monitor the menus open on and
  // which hears when a menu closes.
  explicit TSkinMenu(HWND form);
  ~TSkinMenu();
  TSkinMenu(const TSkinMenu&) = delete;
  TSkinMenu& operator=(const TSkinMenu&) = delete;

  using TCommandHandler = std::function<void(const TMenuItem& item)>;

  // Opens the visible ones of `items` beside `anchor` (screen coordinates).
  // A chosen item runs its OnClick and goes to `onCommand` after every level
  // has closed; `owner` (may be null) hears of the close and of the command.
  // `images` (may be null) gives the items their images.
  void Popup(HWND owner, const TSkinData* skin, bool upward, std::vector<TMenuItem> items, const TRect& anchor,
             size_t firstIndex, TCommandHandler onCommand, const TImageList* images = nullptr);
  void CloseAll();
  void CloseFrom(size_t level);
  // The skin data `skin` is about to load another skin: a menu drawn from it closes.
  void SkinChanging(const TSkinData* skin);
  bool MenuOpen() const { return FMenuOpen; }
  size_t LevelCount() const { return FLevels.size(); }
  TSkinPopupWindow& Level(size_t index) const { return *FLevels[index]; }

  // A key pressed while the menu is open; true when the menu took it.
  bool KeyDown(WORD key, char16_t typed);
  // What choosing an item does: a hover, a click (execute), or Enter.
  void ItemChosen(TSkinPopupWindow& window, int32_t index, bool byKeyboard, bool execute);
  // The item's sub-menu no longer waits for the open delay.
  void CancelPending(const TSkinPopupWindow& window, int32_t index);
  // The window's level; LevelCount() for a closed one.
  size_t LevelOf(const TSkinPopupWindow& window) const;

  // Settings the frame hands on.
  bool UseSkinFont = true;
  TFont DefaultMenuItemFont;
  int32_t DefaultItemHeight = 20;
  bool AlphaBlend = false, AlphaBlendAnimation = false;
  uint8_t AlphaBlendValue = 150;

  // What the windows share while a menu is open.
  const TMenuSkin& Skin() const { return FSkin; }
  const TMenuPictures& Pictures() const { return FPictures; }
  const PixelImage& MaskPicture() const { return FMask; }
  const TRect& WorkArea() const { return FWorkArea; }
  bool FirstShow() const { return FFirstShow; }
  // The open menu's images; null without an image list.
  TMenuImages* Images() const;
  // The items' text: the skin's item font, or DefaultMenuItemFont.
  TMenuTextCanvas& Text() { return *FText; }

 private:
  class SkinWatch;
  // The skin or the image list the open menu draws from was destroyed.
  void SkinGone();
  void ImagesGone();
  // Runs a chosen item's command: its own OnClick, then the menu's handler.
  static void RunItem(const TMenuItem& item, const TCommandHandler& handler);
  void OpenWindow(const TRect& anchor, std::vector<TMenuItem> items, bool upward, bool subMenu);
  void StopOpenTimer();
  // A press anywhere on the desktop; the menu closes when it is outside every level.
  void PressAt(POINT screen);
  static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);

  HWND FForm;
  HWND FOwnerControl = nullptr, FLastOwnerControl = nullptr;
  bool FMenuOpen = false, FFirstShow = false;
  uint64_t FOpenings = 0;  // counts Popup calls: a command that opened another menu is seen
  TRect FWorkArea;
  TMenuSkin FSkin;
  std::pair<const TSkinData*, uint64_t> FSkinSource{};  // the skin data and load the pictures came from
  std::unique_ptr<SkinWatch> FSkinWatch;
  PixelImage FBack, FItem, FMask;
  TMenuPictures FPictures;
  std::unique_ptr<TMenuTextCanvas> FText;
  std::unique_ptr<TImageListMenuImages> FImages;
  TCommandHandler FOnCommand;
  // Every window the menu has made, open or hidden; a closed level's window
  // lives on, so one that closes the menu from its own message is safe.
  std::vector<std::unique_ptr<TSkinPopupWindow>> FWindows;
  std::vector<TSkinPopupWindow*> FLevels;  // the open ones, outermost first
  std::unique_ptr<TTimer> FOpenTimer;
  TSkinPopupWindow* FPendingWindow = nullptr;
  int32_t FPendingItem = -1;
  HHOOK FKeyboardHook = nullptr, FMouseHook = nullptr;
};
