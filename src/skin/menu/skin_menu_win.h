#pragma once
// The skinned popup menus: a stack of windows, one per open level, that
// never take activation from the form they belong to. The rules (sizes,
// places, scrolling, keys, what choosing an item does) live in the portable
// menu files and the looks in menu_paint; this layer turns messages, timers
// and keys into calls of them.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/controls/pixel_buffer.h"
#include "skin/frame/system_menu_items.h"
#include "skin/menu/menu_layout.h"
#include "skin/menu/menu_metrics.h"
#include "skin/menu/menu_paint.h"
#include "ui/font.h"
#include "ui/window_win.h"

class TSkinData;
class TSkinMenu;
class TTimer;

// Sent to the control that opened a menu when it closes (and on a full close to the form).
constexpr UINT MenuClosedMessage = 1228;
// Sent to that control after a chosen item's command has run.
constexpr UINT MenuCommandMessage = 1229;

// One open level.
class TSkinPopupWindow : public TWindowObject {
 public:
  TSkinPopupWindow(TSkinMenu& menu, std::vector<TFrameMenuItem> items);
  ~TSkinPopupWindow() override;

  // Sizes, places and shows the window beside `anchor` (screen coordinates).
  void Show(const TRect& anchor, bool upward, bool subMenu);
  void Close();

  const std::vector<TFrameMenuItem>& Items() const { return FItems; }
  int32_t HotIndex() const { return FHotIndex; }
  bool Scrolling() const { return FSize.Scrolling; }
  int32_t FirstShown() const { return FFirstShown; }
  // The item in screen coordinates (a sub-menu's anchor).
  TRect ItemScreenRect(int32_t index) const;
  // Lights an item up; by keyboard it is scrolled into view first.
  void Highlight(int32_t index, bool byKeyboard);
  void Unhighlight(int32_t index);
  void SetSubOpen(int32_t index, bool open);
  // Clicks an item as a release or Enter does.
  void ClickItem(int32_t index, bool byKeyboard);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct ItemState {
    TMenuItemLook Look;
    bool KeyboardSelected = false;
  };
  void Layout();
  void Paint(HDC dc);
  void RedrawItem(int32_t index);
  void Track(TPoint point);
  void HoverTick();
  void ScrollTick();
  void BlendTick();
  void SetScroll(TMenuScroll scroll);
  void ScrollTo(int32_t firstShown);

  TSkinMenu& FMenu;
  std::vector<TFrameMenuItem> FItems;
  std::vector<TMenuItemSize> FSizes;
  std::vector<ItemState> FStates;
  TMenuWindowSize FSize;
  TFramePoints FFit;
  TMenuLayout FLayout;
  int32_t FFirstShown = 0;
  int32_t FHotIndex = -1;
  TMenuScroll FScroll = TMenuScroll::None;
  POINT FLastCursor{-1, -1};
};

class TSkinMenu {
 public:
  // `form`: the frame's form window, whose monitor the menus open on and
  // which hears when a menu closes.
  explicit TSkinMenu(HWND form);
  ~TSkinMenu();
  TSkinMenu(const TSkinMenu&) = delete;
  TSkinMenu& operator=(const TSkinMenu&) = delete;

  using TCommandHandler = std::function<void(const TFrameMenuItem& item)>;

  // Opens `items` beside `anchor` (screen coordinates). A chosen item goes to
  // `onCommand` after every level has closed; `owner` (may be null) hears of
  // the close and of the command.
  void Popup(HWND owner, const TSkinData* skin, bool upward, std::vector<TFrameMenuItem> items, const TRect& anchor,
             size_t firstIndex, TCommandHandler onCommand);
  void CloseAll();
  void CloseFrom(size_t level);
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
  // The items' text: the skin's item font, or DefaultMenuItemFont.
  TMenuTextCanvas& Text() { return *FText; }

 private:
  void OpenWindow(const TRect& anchor, std::vector<TFrameMenuItem> items, bool upward, bool subMenu);
  void StopOpenTimer();
  void WatchPointer();
  static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);

  HWND FForm;
  HWND FOwnerControl = nullptr, FLastOwnerControl = nullptr;
  bool FMenuOpen = false, FFirstShow = false;
  TRect FWorkArea;
  TMenuSkin FSkin;
  PixelImage FBack, FItem, FMask;
  TMenuPictures FPictures;
  std::unique_ptr<TMenuTextCanvas> FText;
  TCommandHandler FOnCommand;
  std::vector<std::unique_ptr<TSkinPopupWindow>> FLevels;
  // Closed levels wait here: the window that closed the menu may still be on the stack.
  std::vector<std::unique_ptr<TSkinPopupWindow>> FClosed;
  std::unique_ptr<TTimer> FOpenTimer, FWatchTimer;
  TSkinPopupWindow* FPendingWindow = nullptr;
  int32_t FPendingItem = -1;
  bool FButtonsDown = false;  // a mouse button was held at the last look
  HHOOK FKeyboardHook = nullptr;
};
