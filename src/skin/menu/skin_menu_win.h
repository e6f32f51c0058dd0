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

// One level. The menu keeps its windows and shows them again for the next
// menus: making a window is the slowest part of opening one.
class TSkinPopupWindow : public TWindowObject {
 public:
  explicit TSkinPopupWindow(TSkinMenu& menu) : FMenu(menu) {}
  ~TSkinPopupWindow() override;

  // Fills, sizes, places and shows the window beside `anchor` (screen coordinates).
  void Open(std::vector<TFrameMenuItem> items, const TRect& anchor, bool upward, bool subMenu);
  // Hides the window for the next menu.
  void Close();
  bool IsOpen() const { return FOpen; }
  // The next opening cuts the window's shape again.
  void ForgetShape() { FRegionSize = {}; }

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
  bool FOpen = false;
  TPoint FRegionSize;  // the size the window's shape was cut for
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
  std::pair<const TSkinData*, uint64_t> FSkinSource{};  // the skin data and load the pictures came from
  PixelImage FBack, FItem, FMask;
  TMenuPictures FPictures;
  std::unique_ptr<TMenuTextCanvas> FText;
  TCommandHandler FOnCommand;
  // Every window the menu has made, open or hidden; a closed level's window
  // lives on, so one that closes the menu from its own message is safe.
  std::vector<std::unique_ptr<TSkinPopupWindow>> FWindows;
  std::vector<TSkinPopupWindow*> FLevels;  // the open ones, outermost first
  std::unique_ptr<TTimer> FOpenTimer, FWatchTimer;
  TSkinPopupWindow* FPendingWindow = nullptr;
  int32_t FPendingItem = -1;
  bool FButtonsDown = false;  // a mouse button was held at the last look
  HHOOK FKeyboardHook = nullptr;
};
