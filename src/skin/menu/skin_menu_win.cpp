#include "skin/menu/skin_menu_win.h"

#include <windowsx.h>

#include <algorithm>

#include "base/utf_win.h"
#include "skin/controls/bmp_pixels.h"
#include "skin/controls/fast_bitmap_win.h"
#include "skin/controls/mask_region_win.h"
#include "skin/controls/pixel_copy.h"
#include "skin/controls/window_platform_win.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_windows.h"
#include "skin/menu/menu_navigation.h"
#include "skin/menu/menu_placement.h"
#include "ui/font_win.h"
#include "ui/handles_win.h"
#include "ui/timer_win.h"

namespace {

constexpr UINT_PTR kHoverTimer = 1, kScrollTimer = 2, kBlendTimer = 3;

// The menu whose keyboard hook is in: one open menu per thread.
TSkinMenu* gHookedMenu = nullptr;

// Item texts through GDI, which draws "&x" as an underlined x. The font, a
// DC to measure with and a bitmap to draw on are kept for the menu's life:
// a menu measures and draws every item's texts each time it opens.
class GdiMenuText : public TMenuTextCanvas {
 public:
  void Use(const TFont& font) {
    FontHandle next = CreateFontHandle(font);
    SelectObject(FMeasureDC.Get(), next.Get());
    FFont = std::move(next);
  }
  int TextWidth(std::string_view text) override { return Measure(text).cx; }
  int TextHeight() override { return Measure("Wg").cy; }
  void DrawMenuText(PixelView target, int x, int y, std::string_view text, TColor color) override {
    const std::wstring wide = Utf8ToWide(text);
    DrawThroughGdi(target, FScratch, [&](HDC dc) {
      SelectGuard keep(dc, FFont.Get());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
      RECT r{x, y, target.Width(), target.Height()};
      DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_SINGLELINE | DT_NOCLIP);
    });
  }

 private:
  SIZE Measure(std::string_view text) {
    const std::wstring wide = Utf8ToWide(text);
    RECT r{0, 0, 0, 0};
    DrawTextW(FMeasureDC.Get(), wide.c_str(), static_cast<int>(wide.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
  }
  // The font outlives the DC it is selected into.
  FontHandle FFont;
  MemoryDCHandle FMeasureDC{CreateCompatibleDC(nullptr)};
  TFBitmap FScratch{0, 0};
};

PixelImage PictureAt(const TSkinData& skin, int32_t index) {
  const auto& pictures = skin.ActivePictureBitmaps();
  if (index < 0 || static_cast<size_t>(index) >= pictures.size() || pictures[index].Empty()) return {};
  return PixelImageFromBmp(pictures[index].Image());
}

bool AnyMouseButtonDown() {
  return ((GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON) | GetAsyncKeyState(VK_MBUTTON)) & 0x8000) != 0;
}

TMenuKey MenuKeyOf(WORD key) {
  switch (key) {
    case VK_RETURN: return TMenuKey::Enter;
    case VK_ESCAPE: return TMenuKey::Escape;
    case VK_LEFT: return TMenuKey::Left;
    case VK_RIGHT: return TMenuKey::Right;
    case VK_UP: return TMenuKey::Up;
    case VK_DOWN: return TMenuKey::Down;
    default: return TMenuKey::Other;
  }
}

}  // namespace

// --- one level -------------------------------------------------------------------------

TSkinPopupWindow::~TSkinPopupWindow() { Close(); }

void TSkinPopupWindow::Close() {
  if (!FOpen) return;
  FOpen = false;
  for (UINT_PTR timer : {kHoverTimer, kScrollTimer, kBlendTimer}) KillTimer(Handle(), timer);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSkinPopupWindow::Open(std::vector<TFrameMenuItem> items, const TRect& anchor, bool upward, bool subMenu) {
  FItems = std::move(items);
  FFirstShown = 0;
  FHotIndex = -1;
  FScroll = TMenuScroll::None;
  FLastCursor = POINT{-1, -1};
  FOpen = true;
  const TMenuSkin& skin = FMenu.Skin();
  FSizes = MeasureMenuItems(FItems, FMenu.Text(), skin, FMenu.DefaultItemHeight);
  FStates.assign(FItems.size(), ItemState{});
  // The items have no images: the mark column has its plain width.
  FSize = MenuWindowSize(FSizes, MarkColumnWidth(std::nullopt), skin, FMenu.WorkArea().Height());
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
                                FSize.Width);
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
  const LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  const LONG_PTR wanted = alpha ? exStyle | WS_EX_LAYERED : exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED);
  if (wanted != exStyle) SetWindowLongPtrW(Handle(), GWL_EXSTYLE, wanted);
  if (alpha) SetWindowAlpha(Handle(), fade ? 0 : FMenu.AlphaBlendValue);
  InvalidateRect(Handle(), nullptr, FALSE);
  SetWindowPos(Handle(), HWND_TOPMOST, at.X, at.Y, FSize.Width, FSize.Height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  if (fade) {
    UpdateWindow(Handle());
    for (int value = 3; value < FMenu.AlphaBlendValue; value += 3) SetWindowAlpha(Handle(), static_cast<uint8_t>(value));
    SetWindowAlpha(Handle(), FMenu.AlphaBlendValue);
  }
  SetTimer(Handle(), kHoverTimer, 50, nullptr);
  FHotIndex = -1;
  const int32_t first = FirstSelectableMenuItem(FItems);
  if (first >= 0) {
    FStates[first].KeyboardSelected = true;
    Highlight(first, true);
  }
}

void TSkinPopupWindow::Layout() { FLayout = LayoutMenuItems(FSizes, FFit.Client, FSize.Scrolling, FFirstShown); }

TRect TSkinPopupWindow::ItemScreenRect(int32_t index) const {
  RECT window;
  GetWindowRect(Handle(), &window);
  const TRect& r = FLayout.Items[index].Rect;
  return {r.Left + window.left, r.Top + window.top, r.Right + window.left, r.Bottom + window.top};
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
  bool pending = false;
  for (size_t i = 0; i < FStates.size(); ++i) {
    TMenuItemLook& look = FStates[i].Look;
    if (!MenuItemMorphPending(FMenu.Skin(), look)) continue;
    look.BlendPos = std::clamp(look.BlendPos + (look.Lit || look.SubOpen ? 0.1 : -0.1), 0.0, 1.0);
    pending = true;
    RedrawItem(static_cast<int32_t>(i));
  }
  if (!pending) KillTimer(Handle(), kBlendTimer);
}

void TSkinPopupWindow::RedrawItem(int32_t index) {
  if (!FOpen || !FLayout.Items[index].Shown) return;
  if (MenuItemMorphPending(FMenu.Skin(), FStates[index].Look)) {
    SetTimer(Handle(), kBlendTimer, 20, nullptr);
    return;
  }
  const TRect& r = FLayout.Items[index].Rect;
  PixelImage item(r.Width(), r.Height());
  PaintMenuItem(item.View(), FMenu.Skin(), FMenu.Pictures(), FItems[index], FStates[index].Look, std::nullopt,
                FMenu.Text());
  WindowDC dc(Handle());
  DrawPixels(dc.Get(), r.Left, r.Top, item.View());
}

// The whole window in one bitmap, copied in one step: no flicker.
void TSkinPopupWindow::Paint(HDC dc) {
  PixelImage image(FSize.Width, FSize.Height);
  PaintMenuBackground(image.View(), FMenu.Skin(), FMenu.Pictures(), std::nullopt);
  for (size_t i = 0; i < FItems.size(); ++i) {
    const TMenuItemPlace& place = FLayout.Items[i];
    if (!place.Shown) continue;
    PixelImage item(place.Rect.Width(), place.Rect.Height());
    PaintMenuItem(item.View(), FMenu.Skin(), FMenu.Pictures(), FItems[i], FStates[i].Look, std::nullopt, FMenu.Text());
    CopyPixels(image.View(), PixelBox{place.Rect}, item.View(), PixelBox{0, 0, item.Width(), item.Height()});
  }
  if (FSize.Scrolling)
    PaintMenuScrollMarkers(image.View(), FMenu.Skin(),
                           MenuScrollMarkers(FMenu.Skin(), FFit.Client, FSize.Width, FSize.Height), FScroll);
  DrawPixels(dc, 0, 0, image.View());
}

LRESULT TSkinPopupWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
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
      return 0;
    case WM_ACTIVATEAPP:
      // Another program came to the front: the menu goes.
      if (!wParam && FOpen) FMenu.CloseAll();
      return 0;
  }
  return TWindowObject::WndProc(message, wParam, lParam);
}

// --- the menu ---------------------------------------------------------------------------

TSkinMenu::TSkinMenu(HWND form) : FForm(form), FText(std::make_unique<GdiMenuText>()) {
  DefaultMenuItemFont.SetName("Arial");
  DefaultMenuItemFont.SetHeight(14);
  FOpenTimer = std::make_unique<TTimer>(nullptr);
  FOpenTimer->SetEnabled(false);
  FOpenTimer->SetInterval(500);
  FOpenTimer->SetOnTimer([this](TObject*) {
    TSkinPopupWindow* window = FPendingWindow;
    const int32_t item = FPendingItem;
    StopOpenTimer();
    if (window && LevelOf(*window) < FLevels.size()) ItemChosen(*window, item, false, true);
  });
  FWatchTimer = std::make_unique<TTimer>(nullptr);
  FWatchTimer->SetEnabled(false);
  FWatchTimer->SetInterval(50);
  FWatchTimer->SetOnTimer([this](TObject*) { WatchPointer(); });
}

TSkinMenu::~TSkinMenu() {
  FOnCommand = nullptr;
  CloseFrom(0);
  if (gHookedMenu == this) gHookedMenu = nullptr;
}

void TSkinMenu::Popup(HWND owner, const TSkinData* skin, bool upward, std::vector<TFrameMenuItem> items,
                      const TRect& anchor, size_t firstIndex, TCommandHandler onCommand) {
  FFirstShow = !FMenuOpen;
  FOwnerControl = owner;
  CloseFrom(0);
  FOwnerControl = owner;
  FOnCommand = std::move(onCommand);
  FWorkArea = GetMonitorArea(FForm, true);
  FSkin = skin && !skin->NoSkin() ? MenuSkinOf(*skin) : TMenuSkin{};
  // Another skin, or the same one loaded again: the kept windows' shapes are stale.
  const std::pair<const TSkinData*, uint64_t> source{skin, skin ? skin->Generation() : 0};
  if (source != FSkinSource) {
    FSkinSource = source;
    for (const auto& window : FWindows) window->ForgetShape();
  }
  FBack = FItem = FMask = PixelImage();
  if (FSkin.Skinned()) {
    FBack = PictureAt(*skin, FSkin.Popup->windowpictureindex);
    FMask = PictureAt(*skin, FSkin.Popup->maskpictureindex);
    FItem = PictureAt(*skin, FSkin.Item->activepictureindex);
  }
  FPictures = {FBack.Width() > 0 ? &FBack : nullptr, FItem.Width() > 0 ? &FItem : nullptr};
  if (UseSkinFont && FSkin.Skinned()) {
    TFont font;
    font.Assign(DefaultMenuItemFont);
    font.SetName(FSkin.Item->fontname);
    font.SetHeight(FSkin.Item->fontheight);
    font.SetStyle(FSkin.Item->fontstyle);
    static_cast<GdiMenuText&>(*FText).Use(font);
  } else {
    static_cast<GdiMenuText&>(*FText).Use(DefaultMenuItemFont);
  }
  if (firstIndex < items.size()) {
    // Only one menu of the thread listens to the keyboard.
    if (gHookedMenu && gHookedMenu != this) gHookedMenu->CloseAll();
    FMenuOpen = true;
    gHookedMenu = this;
    FKeyboardHook = SetWindowsHookExW(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId());
    FButtonsDown = AnyMouseButtonDown();
    FWatchTimer->SetEnabled(true);
    OpenWindow(anchor, std::vector<TFrameMenuItem>(items.begin() + static_cast<ptrdiff_t>(firstIndex), items.end()),
               upward, false);
  }
  FFirstShow = false;
}

void TSkinMenu::OpenWindow(const TRect& anchor, std::vector<TFrameMenuItem> items, bool upward, bool subMenu) {
  if (items.empty()) return;
  auto spare = std::find_if(FWindows.begin(), FWindows.end(), [](const auto& w) { return !w->IsOpen(); });
  if (spare == FWindows.end()) {
    FWindows.push_back(std::make_unique<TSkinPopupWindow>(*this));
    spare = FWindows.end() - 1;
  }
  TSkinPopupWindow* window = spare->get();
  FLevels.push_back(window);
  window->Open(std::move(items), anchor, upward, subMenu);
}

size_t TSkinMenu::LevelOf(const TSkinPopupWindow& window) const {
  for (size_t i = 0; i < FLevels.size(); ++i)
    if (FLevels[i] == &window) return i;
  return FLevels.size();
}

void TSkinMenu::CloseFrom(size_t level) {
  while (FLevels.size() > level) {
    if (FLevels.back() == FPendingWindow) StopOpenTimer();
    FLevels.back()->Close();
    FLevels.pop_back();
  }
  if (level != 0 || !FMenuOpen) return;
  FMenuOpen = false;
  StopOpenTimer();
  if (FKeyboardHook) UnhookWindowsHookEx(std::exchange(FKeyboardHook, nullptr));
  if (gHookedMenu == this) gHookedMenu = nullptr;
  FLastOwnerControl = std::exchange(FOwnerControl, nullptr);
  if (FLastOwnerControl) SendMessageW(FLastOwnerControl, MenuClosedMessage, 0, 0);
}

void TSkinMenu::CloseAll() {
  const bool wasOpen = FMenuOpen;
  CloseFrom(0);
  StopOpenTimer();
  if (wasOpen) SendMessageW(FForm, MenuClosedMessage, 0, 0);
}

void TSkinMenu::StopOpenTimer() {
  FOpenTimer->SetEnabled(false);
  FPendingWindow = nullptr;
  FPendingItem = -1;
}

void TSkinMenu::CancelPending(const TSkinPopupWindow& window, int32_t index) {
  if (FPendingWindow == &window && FPendingItem == index) StopOpenTimer();
}

void TSkinMenu::ItemChosen(TSkinPopupWindow& window, int32_t index, bool byKeyboard, bool execute) {
  // A copy: closing the levels frees the window that holds the item.
  const TFrameMenuItem item = window.Items()[index];
  const size_t level = LevelOf(window);
  switch (MenuChoice(item, execute, byKeyboard)) {
    case TMenuChoice::None: break;
    case TMenuChoice::CloseDeeper:
      StopOpenTimer();
      CloseFrom(level + 1);
      break;
    case TMenuChoice::RunCommand: {
      StopOpenTimer();
      const TCommandHandler handler = FOnCommand;
      CloseAll();
      if (handler) handler(item);
      if (HWND owner = std::exchange(FLastOwnerControl, nullptr)) SendMessageW(owner, MenuCommandMessage, 0, 0);
      break;
    }
    case TMenuChoice::OpenAfterDelay:
      CloseFrom(level + 1);
      FPendingWindow = &window;
      FPendingItem = index;
      FOpenTimer->SetEnabled(true);
      break;
    case TMenuChoice::OpenNow:
      StopOpenTimer();
      CloseFrom(level + 1);
      window.SetSubOpen(index, true);
      OpenWindow(window.ItemScreenRect(index), item.SubItems, false, true);
      break;
  }
}

bool TSkinMenu::KeyDown(WORD key, char16_t typed) {
  if (!FMenuOpen || FLevels.empty()) return false;
  TSkinPopupWindow& last = *FLevels.back();
  const TMenuKeyAction action = MenuKeyAction(last.Items(), last.HotIndex(), FLevels.size(), MenuKeyOf(key), typed);
  switch (action.Command) {
    case TMenuKeyCommand::None: break;
    case TMenuKeyCommand::Highlight: last.Highlight(action.Index, true); break;
    case TMenuKeyCommand::Click: last.ClickItem(action.Index, true); break;
    case TMenuKeyCommand::HighlightAndClick:
      last.Highlight(action.Index, true);
      // The highlight may have changed the levels; the item is clicked only where it still is.
      if (!FLevels.empty() && FLevels.back() == &last) last.ClickItem(action.Index, true);
      break;
    case TMenuKeyCommand::CloseLevel:
      CloseFrom(FLevels.size() - 1);
      // The item below may open its sub-menu again.
      if (!FLevels.empty()) FLevels.back()->SetSubOpen(FLevels.back()->HotIndex(), false);
      break;
    case TMenuKeyCommand::CloseMenu: CloseAll(); break;
  }
  // While a menu is open every key is the menu's.
  return true;
}

void TSkinMenu::WatchPointer() {
  if (!FMenuOpen) {
    FWatchTimer->SetEnabled(false);
    return;
  }
  // A press that starts outside every level closes the menu; one held since it opened does not.
  const bool down = AnyMouseButtonDown();
  if (down && !FButtonsDown) {
    POINT cursor;
    GetCursorPos(&cursor);
    const HWND under = WindowFromPoint(cursor);
    const bool onMenu =
        std::any_of(FLevels.begin(), FLevels.end(), [under](const auto& level) { return level->Handle() == under; });
    if (!onMenu) CloseAll();
  }
  FButtonsDown = down;
}

LRESULT CALLBACK TSkinMenu::KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  TSkinMenu* menu = gHookedMenu;
  if (code == HC_ACTION && menu && menu->FMenuOpen) {
    // Releases go with their presses.
    if (lParam & 0x80000000) return 1;
    bool taken = false;
    const auto typed = static_cast<char16_t>(MapVirtualKeyW(static_cast<UINT>(wParam), MAPVK_VK_TO_CHAR) & 0xFFFF);
    GuardCallback([&] { taken = menu->KeyDown(static_cast<WORD>(wParam), typed); });
    if (taken) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
