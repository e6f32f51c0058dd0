#pragma once
// One level of a skinned popup menu: a window that never takes activation,
// filled, sized, shaped, placed and painted from the menu's skin, and
// driven by the pointer, its timers and the menu's keys.
#include <windows.h>

#include <vector>

#include "skin/menu/menu_item.h"
#include "skin/menu/menu_layout.h"
#include "skin/menu/menu_metrics.h"
#include "skin/menu/menu_paint.h"
#include "ui/accessible_win.h"
#include "ui/system/window_win.h"

class TSkinMenu;

// One level. The menu keeps its windows and shows them again for the next
// menus: making a window is the slowest part of opening one.
class TSkinPopupWindow : public TWindowObject, private AccessibleSource {
 public:
  explicit TSkinPopupWindow(TSkinMenu& menu) : FMenu(menu) {}
  ~TSkinPopupWindow() override;

  // Fills, sizes, places and shows the window beside `anchor` (screen coordinates).
  void Open(std::vector<TMenuItem> items, const TRect& anchor, bool upward, bool subMenu);
  // Hides the window for the next menu.
  void Close();
  bool IsOpen() const { return FOpen; }
  // The next opening cuts the window's shape again.
  void ForgetShape() { FRegionSize = {}; }

  const std::vector<TMenuItem>& Items() const { return FItems; }
  int32_t HotIndex() const { return FHotIndex; }
  bool Scrolling() const { return FSize.Scrolling; }
  int32_t FirstShown() const { return FFirstShown; }
  // The item in screen coordinates (a sub-menu's anchor).
  TRect ItemScreenRect(int32_t index) const;
  // Lights an item up; by keyboard it is scrolled into view first.
  void Highlight(int32_t index, bool byKeyboard);
  void Unhighlight(int32_t index);
  void SetSubOpen(int32_t index, bool open);
  // Its sub-menu closed: the item that opened it may open it again.
  void ClearSubOpen();
  const TMenuItemLook& ItemLook(int32_t index) const { return FStates[index].Look; }
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
  // Paints the item now; a morph under way goes on with the blend timer.
  void RedrawItem(int32_t index);
  void Track(TPoint point);
  void HoverTick();
  void ScrollTick();
  void BlendTick();
  void FadeTick();
  void SetScroll(TMenuScroll scroll);
  void ScrollTo(int32_t firstShown);
  // The window is the menu; its items are its parts, numbered from 1.
  TAccessibleItem AccessibleItem(int32_t child) const override;
  int32_t AccessibleChildCount() const override;
  TRect AccessibleChildBounds(int32_t child) const override;
  void DoAccessibleAction(int32_t child) override;

  TSkinMenu& FMenu;
  std::vector<TMenuItem> FItems;
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
  bool FBlending = false;  // the blend timer runs
  uint8_t FAlpha = 0;      // while fading in
  TPoint FRegionSize;  // the size the window's shape was cut for
  TAccessibleWindow FAccessible{*this};
};
