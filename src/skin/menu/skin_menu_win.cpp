#include "skin/menu/skin_menu_win.h"

#include <algorithm>

#include "base/utf_win.h"
#include "skin/pixels/bmp_pixels.h"
#include "skin/pixels/fast_bitmap_win.h"
#include "ui/system/window_platform_win.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_windows.h"
#include "skin/menu/menu_images_win.h"
#include "skin/menu/menu_item_rules.h"
#include "skin/menu/menu_navigation.h"
#include "ui/graphics/font_win.h"
#include "ui/system/handles_win.h"
#include "ui/graphics/image_list_win.h"
#include "ui/system/timer_win.h"

namespace {

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

bool IsButtonPress(WPARAM message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_XBUTTONDOWN;
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

// The open menu keeps pointers into its skin's objects and to its image
// list: it hears when either is destroyed, while it still exists, and closes.
class TSkinMenu::SkinWatch : public TComponent {
 public:
  explicit SkinWatch(TSkinMenu& menu) : TComponent(nullptr), FMenu(menu) {}
  std::string_view ClassName() const override { return "TSkinMenuSkinWatch"; }
  void Watch(const TSkinData* skin) { FSkin.Set(*this, const_cast<TSkinData*>(skin)); }
  void Watch(const TImageList* images) { FImages.Set(*this, const_cast<TImageList*>(images)); }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (FSkin.Notify(component, operation)) FMenu.SkinGone();
    if (FImages.Notify(component, operation)) FMenu.ImagesGone();
  }

 private:
  TSkinMenu& FMenu;
  ComponentRef<TSkinData> FSkin;
  ComponentRef<TImageList> FImages;
};

TSkinMenu::TSkinMenu(HWND form)
    : FForm(form), FSkinWatch(std::make_unique<SkinWatch>(*this)), FText(std::make_unique<GdiMenuText>()) {
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
}

TSkinMenu::~TSkinMenu() {
  FOnCommand = nullptr;
  CloseFrom(0);
  if (gHookedMenu == this) gHookedMenu = nullptr;
}

void TSkinMenu::Popup(HWND owner, const TSkinData* skin, bool upward, std::vector<TMenuItem> items,
                      const TRect& anchor, size_t firstIndex, TCommandHandler onCommand, const TImageList* images) {
  ++FOpenings;
  FFirstShow = !FMenuOpen;
  FOwnerControl = owner;
  CloseFrom(0);
  FOwnerControl = owner;
  FOnCommand = std::move(onCommand);
  // The monitor the menu is anchored on (a tray icon's may not be the form's).
  FWorkArea = GetMonitorAreaAt(TPoint{anchor.Left, anchor.Top}, true);
  FSkin = skin && !skin->NoSkin() ? MenuSkinOf(*skin) : TMenuSkin{};
  // Another skin, or the same one loaded again: the kept windows' shapes are stale.
  const std::pair<const TSkinData*, uint64_t> source{skin, skin ? skin->Generation() : 0};
  FSkinWatch->Watch(skin);
  FSkinWatch->Watch(images);
  FImages = images ? std::make_unique<TImageListMenuImages>(*images) : nullptr;
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
  // A menu whose items are all hidden opens nothing, as an empty one.
  const std::vector<TMenuItem> shown =
      firstIndex < items.size()
          ? VisibleMenuItems(std::span(items).subspan(firstIndex))
          : std::vector<TMenuItem>{};
  if (!shown.empty()) {
    // Only one menu of the thread listens to the keyboard.
    if (gHookedMenu && gHookedMenu != this) gHookedMenu->CloseAll();
    FMenuOpen = true;
    gHookedMenu = this;
    FKeyboardHook = SetWindowsHookExW(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId());
    // A low-level hook sees every press, however short and over whatever
    // window, while the levels keep their own pointer tracking (taking the
    // capture instead would route the menus' own mouse messages through it).
    FMouseHook = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, GetModuleHandleW(nullptr), 0);
    OpenWindow(anchor, shown, upward, false);
  }
  FFirstShow = false;
}

void TSkinMenu::OpenWindow(const TRect& anchor, std::vector<TMenuItem> items, bool upward, bool subMenu) {
  items = VisibleMenuItems(items);  // a sub-menu's, shown as it opens
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
  const bool closing = FLevels.size() > level;
  while (FLevels.size() > level) {
    if (FLevels.back() == FPendingWindow) StopOpenTimer();
    FLevels.back()->Close();
    FLevels.pop_back();
  }
  // However the sub-menu went (a sibling hovered, Escape, Left), its parent
  // item is no longer drawn open and may open it again.
  if (closing && level > 0) FLevels[level - 1]->ClearSubOpen();
  if (level != 0 || !FMenuOpen) return;
  FMenuOpen = false;
  StopOpenTimer();
  if (FKeyboardHook) UnhookWindowsHookEx(std::exchange(FKeyboardHook, nullptr));
  if (FMouseHook) UnhookWindowsHookEx(std::exchange(FMouseHook, nullptr));
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

void TSkinMenu::SkinChanging(const TSkinData* skin) {
  if (FMenuOpen && skin && skin == FSkinSource.first) CloseAll();
}

void TSkinMenu::SkinGone() {
  CloseAll();
  // Another skin data may come to live at the same address.
  FSkinSource = {};
  for (const auto& window : FWindows) window->ForgetShape();
}

void TSkinMenu::ImagesGone() {
  CloseAll();
  FImages.reset();
}

TMenuImages* TSkinMenu::Images() const { return FImages.get(); }

void TSkinMenu::RunItem(const TMenuItem& item, const TCommandHandler& handler) {
  if (item.OnClick) item.OnClick();
  if (handler) handler(item);
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
  const TMenuItem item = window.Items()[index];
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
      RunItem(item, handler);
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
      // The parent item's own command comes first; it may close the menu.
      if (FOnCommand || item.OnClick) {
        const TCommandHandler handler = FOnCommand;
        const uint64_t opening = FOpenings;
        RunItem(item, handler);
        if (opening != FOpenings || level >= FLevels.size() || FLevels[level] != &window) break;
      }
      StopOpenTimer();
      CloseFrom(level + 1);
      const size_t levels = FLevels.size();
      OpenWindow(window.ItemScreenRect(index), item.SubItems, false, true);
      // Sub-items that are all hidden open nothing: the item stays clickable.
      if (FLevels.size() > levels) window.SetSubOpen(index, true);
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
    case TMenuKeyCommand::CloseLevel: CloseFrom(FLevels.size() - 1); break;
    case TMenuKeyCommand::CloseMenu: CloseAll(); break;
  }
  // While a menu is open every key is the menu's.
  return true;
}

void TSkinMenu::PressAt(POINT screen) {
  // A press held since the menu opened was never seen here, so it does not close it.
  if (!FMenuOpen) return;
  const HWND under = WindowFromPoint(screen);
  const bool onMenu =
      std::any_of(FLevels.begin(), FLevels.end(), [under](const auto& level) { return level->Handle() == under; });
  if (!onMenu) CloseAll();
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

LRESULT CALLBACK TSkinMenu::MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  TSkinMenu* menu = gHookedMenu;
  if (code == HC_ACTION && menu && IsButtonPress(wParam)) {
    // The press goes on to its window: a click elsewhere both closes the menu and acts there.
    const POINT at = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt;
    GuardCallback([&] { menu->PressAt(at); });
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
