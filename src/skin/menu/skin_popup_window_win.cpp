#include "skin/menu/skin_popup_window_win.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/pixels/fast_bitmap_win.h"
#include "skin/pixels/mask_region_win.h"
#include "skin/pixels/pixel_copy.h"
#include "ui/system/window_platform_win.h"
#include "skin/menu/menu_accessible.h"
#include "skin/menu/menu_navigation.h"
#include "skin/menu/menu_placement.h"
#include "skin/menu/skin_menu_win.h"
#include "ui/system/handles_win.h"

namespace {

constexpr UINT_PTR kHoverTimer = 1, kScrollTimer = 2, kBlendTimer = 3, kFadeTimer = 4;
// The fade-in raises the alpha by 3 a tick: 150, the usual value, in about three quarters of a second.
constexpr UINT kFadeInterval = 15;
constexpr int kFadeStep = 3;

}  // namespace

TSkinPopupWindow::~TSkinPopupWindow() { Close(); }

void TSkinPopupWindow::Close() {
  if (!FOpen) return;
  FOpen = false;
  FBlending = false;
  for (UINT_PTR timer : {kHoverTimer, kScrollTimer, kBlendTimer, kFadeTimer}) KillTimer(Handle(), timer);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  TAccessibleWindow::Notify(Handle(), EVENT_SYSTEM_MENUPOPUPEND);
}

void TSkinPopupWindow::Open(std::vector<TMenuItem> items, const TRect& anchor, bool upward, bool subMenu) {
  FItems = std::move(items);
  FFirstShown = 0;
  FHotIndex = -1;
  FScroll = TMenuScroll::None;
  FLastCursor = POINT{-1, -1};
  FOpen = true;
  const TMenuSkin& skin = FMenu.Skin();
  FSizes = MeasureMenuItems(FItems, FMenu.Text(), skin, FMenu.DefaultItemHeight);
  FStates.assign(FItems.size(), ItemState{});
  FSize = MenuWindowSize(FSizes, MarkColumnWidth(MenuImageWidth(FMenu.Images())), skin, FMenu.WorkArea());
  // A broken skin (an items rectangle larger than its picture) may leave no room at all.
  FSize.Width = std::max(FSize.Width, 1);
  FSize.Height = std::max(FSize.Height, 1);
  FFit = MenuFitPoints(skin, FSize.Width, FSize.Height);
  Layout();

  if (!HandleAllocated()) {
    WindowParams params;
    params.style = WS_POPUP;
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.saveBits = true;
    CreateWindowHandle(params);
  }
  // A window shown again at the size it had keeps its shape.
  const TPoint size{FSize.Width, FSize.Height};
  if (size != FRegionSize) {
    FRegionSize = size;
    const PixelImage& mask = FMenu.MaskPicture();
    RegionHandle region;
    if (skin.Skinned() && mask.Width() > 0)
      region = ScaledMaskRegion(MenuFitPoints(skin, skin.PictureWidth, skin.PictureHeight), FFit, mask.View(),
                                FSize.Width, FSize.Height);
    // The window owns the region once it is set.
    if (SetWindowRgn(Handle(), region.Get(), FALSE)) region.Release();
  }

  TMenuPlacement placement;
  placement.Anchor = anchor;
  placement.Width = FSize.Width;
  placement.Height = FSize.Height;
  placement.WorkArea = FMenu.WorkArea();
  placement.ItemsTop = FFit.Client.Top;
  placement.SubMenu = subMenu;
  placement.Upward = upward;
  placement.Scrolling = FSize.Scrolling;
  const TPoint at = PlaceMenu(placement);

  const bool alpha = IsLayeredAlphaSupported() && FMenu.AlphaBlend;
  const bool fade = alpha && FMenu.AlphaBlendAnimation && FMenu.FirstShow();
  SetLayeredStyle(Handle(), alpha);
  FAlpha = fade ? 0 : FMenu.AlphaBlendValue;
  if (alpha) SetWindowAlpha(Handle(), FAlpha);
  InvalidateRect(Handle(), nullptr, FALSE);
  SetWindowPos(Handle(), HWND_TOPMOST, at.X, at.Y, FSize.Width, FSize.Height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  if (fade) {
    UpdateWindow(Handle());
    SetTimer(Handle(), kFadeTimer, kFadeInterval, nullptr);
  }
  SetTimer(Handle(), kHoverTimer, 50, nullptr);
  TAccessibleWindow::Notify(Handle(), EVENT_SYSTEM_MENUPOPUPSTART);
  FHotIndex = -1;
  const int32_t first = FirstSelectableMenuItem(FItems);
  if (first >= 0) {
    FStates[first].KeyboardSelected = true;
    Highlight(first, true);
  }
}

void TSkinPopupWindow::Layout() { FLayout = LayoutMenuItems(FSizes, FFit.Client, FSize.Scrolling, FFirstShown); }

TRect TSkinPopupWindow::ItemScreenRect(int32_t index) const {
  const TRect window = WindowBounds(Handle());
  return OffsetBy(FLayout.Items[index].Rect, window.Left, window.Top);
}

void TSkinPopupWindow::Highlight(int32_t index, bool byKeyboard) {
  if (index < 0 || static_cast<size_t>(index) >= FItems.size() || !IsSelectableMenuItem(FItems[index])) return;
  if (byKeyboard && FSize.Scrolling) {
    const int32_t first = MenuFirstShownFor(FSizes, FFit.Client, FFirstShown, index);
    if (first != FFirstShown) ScrollTo(first);
  }
  ItemState& state = FStates[index];
  const bool wasKeyboardSelected = state.KeyboardSelected;
  state.Look.Lit = true;
  for (size_t i = 0; i < FStates.size(); ++i)
    if (static_cast<int32_t>(i) != index && FStates[i].Look.Lit) Unhighlight(static_cast<int32_t>(i));
  FHotIndex = index;
  if (wasKeyboardSelected && !byKeyboard) {
    RedrawItem(index);
    return;
  }
  if (state.Look.SubOpen) {
    // Hovering the item whose sub-menu is open closes only what lies beyond that sub-menu.
    FMenu.CloseFrom(FMenu.LevelOf(*this) + 2);
    return;
  }
  RedrawItem(index);
  // A screen reader speaks the item the pointer or the keys moved to.
  TAccessibleWindow::Notify(Handle(), EVENT_OBJECT_FOCUS, index + 1);
  FMenu.ItemChosen(*this, index, byKeyboard, false);
}

void TSkinPopupWindow::Unhighlight(int32_t index) {
  ItemState& state = FStates[index];
  state.Look.Lit = false;
  state.KeyboardSelected = false;
  if (!state.Look.SubOpen) RedrawItem(index);
  FMenu.CancelPending(*this, index);
}

void TSkinPopupWindow::SetSubOpen(int32_t index, bool open) {
  if (index < 0 || static_cast<size_t>(index) >= FStates.size()) return;
  FStates[index].Look.SubOpen = open;
  RedrawItem(index);
}

void TSkinPopupWindow::ClearSubOpen() {
  for (size_t i = 0; i < FStates.size(); ++i)
    if (FStates[i].Look.SubOpen) SetSubOpen(static_cast<int32_t>(i), false);
}

void TSkinPopupWindow::ClickItem(int32_t index, bool byKeyboard) {
  if (index < 0 || static_cast<size_t>(index) >= FItems.size()) return;
  if (!FStates[index].Look.SubOpen && FItems[index].Enabled) FMenu.ItemChosen(*this, index, byKeyboard, true);
}

void TSkinPopupWindow::Track(TPoint point) {
  if (FSize.Scrolling) {
    const TMenuScroll scroll = MenuScrollAt(MenuScrollMarkers(FMenu.Skin(), FFit.Client, FSize.Width, FSize.Height),
                                            point, FScroll, FFirstShown, FLayout);
    if (scroll != FScroll) SetScroll(scroll);
  }
  const int32_t index = MenuItemAt(FLayout, point);
  if (index < 0) return;
  if (index != FHotIndex) {
    if (FHotIndex >= 0 && IsSelectableMenuItem(FItems[FHotIndex])) Unhighlight(FHotIndex);
    FHotIndex = index;
    if (IsSelectableMenuItem(FItems[index])) Highlight(index, false);
  } else if (FStates[index].KeyboardSelected) {
    // The pointer takes over the item the keyboard or the opening lit.
    FStates[index].KeyboardSelected = false;
    if (!FItems[index].SubItems.empty()) Highlight(index, false);
  }
}

void TSkinPopupWindow::HoverTick() {
  POINT cursor;
  if (!GetCursorPos(&cursor) || (cursor.x == FLastCursor.x && cursor.y == FLastCursor.y)) return;
  FLastCursor = cursor;
  if (WindowFromPoint(cursor) == Handle()) {
    ScreenToClient(Handle(), &cursor);
    Track({cursor.x, cursor.y});
  } else if (FScroll != TMenuScroll::None) {
    SetScroll(TMenuScroll::None);
  }
}

void TSkinPopupWindow::SetScroll(TMenuScroll scroll) {
  FScroll = scroll;
  if (scroll == TMenuScroll::None) {
    KillTimer(Handle(), kScrollTimer);
  } else {
    FMenu.CloseFrom(FMenu.LevelOf(*this) + 1);
    SetTimer(Handle(), kScrollTimer, 100, nullptr);
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TSkinPopupWindow::ScrollTick() {
  const std::optional<int32_t> next = MenuScrollStep(FScroll, FFirstShown, FLayout);
  if (next)
    ScrollTo(*next);
  else
    SetScroll(TMenuScroll::None);
}

void TSkinPopupWindow::ScrollTo(int32_t firstShown) {
  FFirstShown = firstShown;
  Layout();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TSkinPopupWindow::BlendTick() {
  bool stepped = false;
  for (size_t i = 0; i < FStates.size(); ++i)
    if (StepMenuItemMorph(FMenu.Skin(), FStates[i].Look, FLayout.Items[i].Shown)) {
      stepped = true;
      RedrawItem(static_cast<int32_t>(i));
    }
  if (!stepped) {
    FBlending = false;
    KillTimer(Handle(), kBlendTimer);
  }
}

void TSkinPopupWindow::FadeTick() {
  FAlpha = static_cast<uint8_t>(std::min(FAlpha + kFadeStep, int{FMenu.AlphaBlendValue}));
  SetWindowAlpha(Handle(), FAlpha);
  if (FAlpha >= FMenu.AlphaBlendValue) KillTimer(Handle(), kFadeTimer);
}

void TSkinPopupWindow::RedrawItem(int32_t index) {
  if (!FOpen || !FLayout.Items[index].Shown) return;
  if (!FBlending && MenuItemMorphPending(FMenu.Skin(), FStates[index].Look)) {
    FBlending = true;
    SetTimer(Handle(), kBlendTimer, 20, nullptr);
  }
  const TRect& r = FLayout.Items[index].Rect;
  PixelImage item(r.Width(), r.Height());
  PaintMenuItem(item.View(), FMenu.Skin(), FMenu.Pictures(), FItems[index], FStates[index].Look, FMenu.Images(),
                FMenu.Text());
  WindowDC dc(Handle());
  DrawPixels(dc.Get(), r.Left, r.Top, item.View());
}

// The whole window in one bitmap, copied in one step: no flicker.
void TSkinPopupWindow::Paint(HDC dc) {
  PixelImage image(FSize.Width, FSize.Height);
  PaintMenuBackground(image.View(), FMenu.Skin(), FMenu.Pictures(), MenuImageWidth(FMenu.Images()));
  for (size_t i = 0; i < FItems.size(); ++i) {
    const TMenuItemPlace& place = FLayout.Items[i];
    if (!place.Shown) continue;
    PixelImage item(place.Rect.Width(), place.Rect.Height());
    PaintMenuItem(item.View(), FMenu.Skin(), FMenu.Pictures(), FItems[i], FStates[i].Look, FMenu.Images(),
                  FMenu.Text());
    CopyPixels(image.View(), PixelBox{place.Rect}, item.View(), PixelBox{0, 0, item.Width(), item.Height()});
  }
  if (FSize.Scrolling)
    PaintMenuScrollMarkers(image.View(), FMenu.Skin(),
                           MenuScrollMarkers(FMenu.Skin(), FFit.Client, FSize.Width, FSize.Height), FScroll);
  DrawPixels(dc, 0, 0, image.View());
}

TAccessibleItem TSkinPopupWindow::AccessibleItem(int32_t child) const {
  if (child == 0) return PopupMenuAccessible();
  const auto index = static_cast<size_t>(child - 1);
  return MenuItemAccessible(FItems[index], {FStates[index].Look.Lit, FLayout.Items[index].Shown});
}

// A hidden window keeps the items of its last menu, but they are no menu now.
int32_t TSkinPopupWindow::AccessibleChildCount() const { return FOpen ? static_cast<int32_t>(FItems.size()) : 0; }

TRect TSkinPopupWindow::AccessibleChildBounds(int32_t child) const {
  return FLayout.Items[child - 1].Shown ? ItemScreenRect(child - 1) : TRect{};
}

// As the item's accelerator picks it: lit (scrolled into view), then clicked.
void TSkinPopupWindow::DoAccessibleAction(int32_t child) {
  if (child == 0) return;
  Highlight(child - 1, true);
  if (FOpen) ClickItem(child - 1, true);
}

LRESULT TSkinPopupWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; FAccessible.HandleMessage(Handle(), message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;  // the form stays the active window
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PaintDC dc(Handle());
      Paint(dc.Get());
      return 0;
    }
    case WM_MOUSEMOVE: Track({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_LBUTTONUP: {
      const TPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      Track(point);
      const int32_t index = MenuItemAt(FLayout, point);
      if (index >= 0 && !IsMenuSeparator(FItems[index])) ClickItem(index, false);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kHoverTimer) HoverTick();
      if (wParam == kScrollTimer) ScrollTick();
      if (wParam == kBlendTimer) BlendTick();
      if (wParam == kFadeTimer) FadeTick();
      return 0;
    case WM_ACTIVATEAPP:
      // Another program came to the front: the menu goes.
      if (!wParam && FOpen) FMenu.CloseAll();
      return 0;
  }
  return TWindowObject::WndProc(message, wParam, lParam);
}
