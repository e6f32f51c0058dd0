#include "tray/tray_icon_win.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "ui/application_win.h"
#include "ui/form_win.h"
#include "ui/graphics/program_icon_win.h"
#include "persist/properties.h"
#include "ui/system/system_library_win.h"
#include "ui/system/timer_win.h"
#include "base/utf_win.h"
#include "tray/icon_cycle.h"

namespace {

// The keyboard part of a mouse event's shift state, read as the event is handled.
uint32_t AsyncShiftState() {
  uint32_t shift = 0;
  if (GetAsyncKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetAsyncKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetAsyncKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

// The form a control sits in, itself included.
TForm* FormOf(TWinControl* control) {
  for (TWinControl* c = control; c; c = c->Parent())
    if (auto* form = dynamic_cast<TForm*>(c)) return form;
  return nullptr;
}

// `text` in a fixed field with its terminating zero, cut to whole characters.
template <size_t N>
void CopyCut(const std::string& text, wchar_t (&field)[N]) {
  std::u16string cut = TruncateUtf16(Utf8ToUtf16(text), N - 1);
  std::copy(cut.begin(), cut.end(), field);
  field[cut.size()] = 0;
}

}  // namespace

BOOL WINAPI SystemShellNotifyIcon(DWORD command, PNOTIFYICONDATAW data) {
  static const TLateBound<ShellNotifyIconFunction> notify(Shell32Library(), "Shell_NotifyIconW");
  const auto function = notify.Find();
  if (!function) return FALSE;
  return function(command, data);
}

ShellNotifyIconFunction& ActiveShellNotifyIcon() {
  static ShellNotifyIconFunction function = SystemShellNotifyIcon;
  return function;
}

// SingleClickTimer as the click tracker sees it.
class TTrayIcon::SingleClickTimer : public ClickTimer {
 public:
  explicit SingleClickTimer(TTimer& timer) : FTimer(timer) {}
  void Start() override {
    FTimer.SetEnabled(false);
    FTimer.SetEnabled(true);
  }
  void Stop() override { FTimer.SetEnabled(false); }
  bool Running() const override { return FTimer.Enabled(); }

 private:
  TTimer& FTimer;
};

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner), FTaskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")) {
  FCycleTimer = new TTimer(this);
  FCycleTimer->SetEnabled(false);
  FCycleTimer->SetInterval(0);
  FCycleTimer->SetOnTimer([this](TObject*) { CycleTimerTick(); });

  FSingleClickTimer = new TTimer(this);
  FSingleClickTimer->SetEnabled(false);
  FSingleClickTimer->SetInterval(static_cast<int>(GetDoubleClickTime()));
  FClickTimer = std::make_unique<SingleClickTimer>(*FSingleClickTimer);
  FClicks = std::make_unique<TrayClickTracker>(*FClickTimer, [this] { Click(); }, [this] { DblClick(); });
  FSingleClickTimer->SetOnTimer([this](TObject*) { FClicks->TimerTick(); });

  if (Application)
    FAppWatch = Application->WatchHandle([this] {
      FAppHook = std::make_unique<TWindowProcHook>(Application->Handle(), [this](UINT m, WPARAM w, LPARAM l) {
        return ApplicationWindowProc(m, w, l);
      });
      // Run as administrator, Explorer's restart notice would be filtered and the icon not come back.
      ChangeWindowMessageFilterEx(Application->Handle(), FTaskbarCreated, MSGFLT_ALLOW, nullptr);
    });
  if (TWinControl* control = OwnerControl()) {
    FOwnerWatch = control->WatchHandle([this] { HookOwner(); });
    // A control that is no form has a window only inside one.
    if (dynamic_cast<TForm*>(control) || control->Parent()) control->HandleNeeded();
    if (!FOwnerHook) HookOwner();
  }
}

// Made when the shell is first told anything: a top-level window, which the
// shell's notices and the menu's foreground rule need, costs Wine as much as
// the form's own, and the first paint does not need it.
HWND TTrayIcon::NotifyWindow() const {
  if (!FWindow) {
    FWindow = std::make_unique<TMessageWindow>(
        [self = const_cast<TTrayIcon*>(this)](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
          return self->IconWindowProc(message, wParam, lParam, result);
        },
        false);
    // Run as administrator, the process would not hear Explorer's notices.
    ChangeWindowMessageFilterEx(FWindow->Handle(), kCallbackMessage, MSGFLT_ALLOW, nullptr);
  }
  return FWindow->Handle();
}

void TTrayIcon::HookOwner() {
  FOwnerHook.reset();
  TWinControl* control = OwnerControl();
  if (!control || !control->HandleAllocated()) return;
  FOwnerHook = std::make_unique<TWindowProcHook>(control->Handle(), [this](UINT m, WPARAM w, LPARAM l) {
    return OwnerWindowProc(m, w, l);
  });
}

TWinControl* TTrayIcon::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

void TTrayIcon::TakeDefaultIcon() {
  if (std::exchange(FDefaultIconAsked, true)) return;
  if (FIcon.Empty() && LoadDefaultIcon() && Application) FIcon.ShowShared(Application->Icon());
}

TIcon& TTrayIcon::Icon() {
  TakeDefaultIcon();
  return FIcon;
}

TTrayIcon::~TTrayIcon() {
  FDefaultIconAsked = true;  // a subclass's answer is gone by now
  BeginDestroy();
  SetIconVisible(false);
  SetDesignPreview(false);
  FIcon.Clear();
  FWindow.reset();
  FClicks.reset();
  FClickTimer.reset();
  delete FCycleTimer;
  delete FSingleClickTimer;
  if (Application) Application->UnwatchHandle(FAppWatch);
  FAppHook.reset();
  // An owner already past its own destructor is no windowed control any more.
  if (TWinControl* control = OwnerControl()) control->UnwatchHandle(FOwnerWatch);
  FOwnerHook.reset();
}

const PropertyTable& TTrayIcon::Properties() const {
  using T = TTrayIcon;
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::Bool("DesignPreview", &T::SetDesignPreview, &T::DesignPreview),
                                       props::Ref("IconList", &T::SetIconList, &T::IconList),
                                       props::Bool("CycleIcons", &T::SetCycleIcons, &T::CycleIcons),
                                       props::Int("AnimateTimerInterval", &T::SetAnimateTimerInterval, &T::AnimateTimerInterval),
                                       props::Bool("Enabled", &T::SetEnabled, &T::Enabled),
                                       props::String("Hint", &T::SetHint, &T::Hint),
                                       props::Bool("ShowHint", &T::SetShowHint, &T::ShowHint),
                                       props::Nested("Icon", &T::Icon),
                                       props::Bool("IconVisible", &T::SetIconVisible, &T::IconVisible),
                                       props::Int("IconIndex", &T::SetIconIndex, &T::IconIndex),
                                       props::Ref("PopupMenu", &T::SetPopupMenu, &T::PopupMenu),
                                       props::Bool("PopupByLeftButton", &T::SetPopupByLeftButton, &T::PopupByLeftButton),
                                       props::Bool("MinimizedOnStart", &T::SetMinimizedOnStart, &T::MinimizedOnStart),
                                       props::Bool("MinimizeToTray", &T::SetMinimizeToTray, &T::MinimizeToTray),
                                       props::Event("OnClick", &T::SetOnClick),
                                       props::Event("OnDblClick", &T::SetOnDblClick),
                                       props::Event("OnBalloonClick", &T::SetOnBalloonClick),
                                       props::Event("OnMouseDown", &T::SetOnMouseDown),
                                       props::Event("OnMouseUp", &T::SetOnMouseUp),
                                       props::Event("OnMouseMove", &T::SetOnMouseMove),
                                       props::Event("OnCycle", &T::SetOnCycle),
                                   });
  return table;
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  TakeDefaultIcon();
  if (OwnerControl() && FMinimizedOnStart) {
    FIconVisible = true;
    FMinimizeToTray = true;
    if (Application) Application->SetShowMainForm(false);
  }
  if (FIconVisible)
    PutOffAdd();
  else
    RemoveIcon();
}

// Each request is a round trip to the shell that the first paint need not
// wait for: a timer is dispatched only once no window has painting left.
void TTrayIcon::PutOffAdd() {
  FAddPutOff.Start([this] { AddIcon(); });
}

void TTrayIcon::AddPutOffIcon() {
  if (FAddPutOff.Pending()) AddIcon();
}

void TTrayIcon::CancelPutOffAdd() { FAddPutOff.Cancel(); }

void TTrayIcon::Changed() {
  if (!IsLoading() && !FAddPutOff.Pending()) UpdateIcon();
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  FIconList.Notify(component, operation);
  FPopupMenu.Notify(component, operation);
}

// --- image and tip -----------------------------------------------------------

void TTrayIcon::SetIcon(const TIcon& icon) {
  FIcon.Assign(icon);
  Changed();
}

void TTrayIcon::SetHint(const std::string& value) {
  FHint = value;
  Changed();
}

void TTrayIcon::SetShowHint(bool value) {
  FShowHint = value;
  Changed();
}

void TTrayIcon::SetIconVisible(bool value) {
  // Loaded makes the entry the stored value asks for.
  if (IsLoading())
    FIconVisible = value;
  else if (value)
    AddIcon();
  else
    RemoveIcon();
}

std::wstring TTrayIcon::TipText() const {
  if (FHint.empty() || !FShowHint) return {};
  std::u16string tip = TruncateUtf16(Utf8ToUtf16(FHint), 127);
  return std::wstring(tip.begin(), tip.end());
}

NOTIFYICONDATAW TTrayIcon::NotifyRecord() const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = NotifyWindow();
  data.uID = kIconId;
  // Under version 4 the shell shows the plain tip only when asked to.
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = ShellIcon();
  std::wstring tip = TipText();
  tip.copy(data.szTip, tip.size());
  return data;
}

HICON TTrayIcon::ShellIcon() const {
  const bool program = FIcon.Data().empty() ? Application && FIcon.Handle() && FIcon.Handle() == Application->Icon()
                                            : IsProgramIconImage(FIcon.Data());
  if (!program) return FIcon.Handle();
  const int size = SmallIconSize(NotifyWindow());
  if (!FProgramIcon || FProgramIconSize != size) {
    FProgramIcon = LoadProgramIcon(size);
    FProgramIconSize = size;
  }
  return FProgramIcon ? FProgramIcon.Get() : FIcon.Handle();
}

bool TTrayIcon::Notify(DWORD command) {
  TakeDefaultIcon();
  NOTIFYICONDATAW data = NotifyRecord();
  return ActiveShellNotifyIcon()(command, &data) != FALSE;
}

// An empty text takes a showing notification away.
bool TTrayIcon::NotifyBalloon(const std::string& title, const std::string& text) {
  AddPutOffIcon();
  NOTIFYICONDATAW data = NotifyRecord();
  data.uFlags |= NIF_INFO;
  data.dwInfoFlags = NIIF_INFO;
  CopyCut(title, data.szInfoTitle);
  CopyCut(text, data.szInfo);
  return ActiveShellNotifyIcon()(NIM_MODIFY, &data) != FALSE;
}

bool TTrayIcon::ShowBalloon(const std::string& title, const std::string& text) {
  return !text.empty() && NotifyBalloon(title, text);
}

bool TTrayIcon::HideBalloon() { return NotifyBalloon({}, {}); }

bool TTrayIcon::AddIcon() {
  CancelPutOffAdd();
  if (!FPreviewChanging) FIconVisible = true;
  if (!Notify(NIM_ADD)) return false;
  // Each new entry is told again (the taskbar may have been re-created):
  // the shell then reports keyboard selection and gives the icon's place.
  NOTIFYICONDATAW data = NotifyRecord();
  data.uVersion = NOTIFYICON_VERSION_4;
  ActiveShellNotifyIcon()(NIM_SETVERSION, &data);
  return true;
}

bool TTrayIcon::RemoveIcon() {
  CancelPutOffAdd();
  if (!FPreviewChanging) FIconVisible = false;
  // Without its window the shell was never told of the icon.
  return FWindow && Notify(NIM_DELETE);
}

bool TTrayIcon::UpdateIcon() {
  AddPutOffIcon();
  return Notify(NIM_MODIFY);
}

// --- image list ----------------------------------------------------------------

void TTrayIcon::SetIconList(TImageList* value) {
  FIconList.Set(*this, value);
  SetIconIndex(0);
}

void TTrayIcon::SetIconIndex(int value) {
  if (TImageList* list = FIconList.Get()) {
    FIconIndex = ClampIconIndex(value, list->Count());
    list->GetIcon(FIconIndex, FIcon);
  } else {
    FIconIndex = 0;
  }
  Changed();
}

void TTrayIcon::SetCycleIcons(bool value) {
  FCycleIcons = value;
  if (value) SetIconIndex(0);
  FCycleTimer->SetEnabled(value);
}

void TTrayIcon::SetAnimateTimerInterval(int value) {
  FAnimateTimerInterval = value < 0 ? 0 : static_cast<unsigned>(value);
  FCycleTimer->SetInterval(static_cast<int>(FAnimateTimerInterval));
}

void TTrayIcon::SetDesignPreview(bool value) {
  FDesignPreview = value;
  if (IsLoading()) return;
  // Shows or hides the icon without changing IconVisible.
  FPreviewChanging = true;
  if (value)
    AddIcon();
  else
    RemoveIcon();
  FPreviewChanging = false;
}

void TTrayIcon::CycleTimerTick() {
  TImageList* list = FIconList.Get();
  if (!list || list->Count() == 0) return;
  list->GetIcon(FIconIndex, FIcon);
  int next = NextIconIndex(FIconIndex, list->Count());
  Cycle(next);
  UpdateIcon();
  FIconIndex = next;
}

// --- the main window -------------------------------------------------------------

void TTrayIcon::HideMainWindow() {
  if (!OwnerControl() || !Application || !Application->MainForm()) return;
  // The application window is never shown: the main form is all there is to hide.
  Application->MainForm()->SetVisible(false);
}

void TTrayIcon::RestoreMainWindow() {
  if (!OwnerControl() || !Application || !Application->MainForm()) return;
  Application->Restore();
}

void TTrayIcon::DoMinimizeToTray() {
  HideMainWindow();
  SetIconVisible(true);
}

// --- events ------------------------------------------------------------------------

void TTrayIcon::Click() {
  if (FOnClick) FOnClick(this);
}

void TTrayIcon::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TTrayIcon::Cycle(int nextIndex) {
  if (FOnCycle) FOnCycle(this, nextIndex);
}

void TTrayIcon::MouseDown(int button, uint32_t shift, int x, int y) {
  if (FOnMouseDown) FOnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::MouseUp(int button, uint32_t shift, int x, int y) {
  if (FOnMouseUp) FOnMouseUp(this, button, shift, x, y);
}

void TTrayIcon::MouseMove(uint32_t shift, int x, int y) {
  if (FOnMouseMove) FOnMouseMove(this, shift, x, y);
}

void TTrayIcon::BalloonClick() {
  if (FOnBalloonClick) FOnBalloonClick(this);
}

PopupMenuApi* TTrayIcon::Menu() const { return dynamic_cast<PopupMenuApi*>(FPopupMenu.Get()); }

void TTrayIcon::PopupAtCursor() {
  POINT at;
  if (GetCursorPos(&at)) PopupAt(at);
}

void TTrayIcon::PopupAt(POINT at) {
  PopupMenuApi* menu = Menu();
  if (!menu || !menu->AutoPopup()) return;
  if (Application) Application->ProcessMessages();
  // Ours in front, so the menu takes the keyboard and goes when the user
  // clicks elsewhere; the hidden window when the owner is in the tray.
  SetForegroundWindow(NotifyWindow());
  TWinControl* owner = OwnerControl();
  if (owner && !owner->HandleAllocated()) owner = nullptr;
  if (owner && IsWindowVisible(owner->Handle())) SetForegroundWindow(owner->Handle());
  menu->SetPopupComponent(this);
  menu->Popup(at.x, at.y);
  PostMessageW(owner ? owner->Handle() : NotifyWindow(), WM_NULL, 0, 0);
}

void TTrayIcon::HandleCallback(UINT event, POINT anchor) {
  uint32_t keys = AsyncShiftState();
  POINT at{};
  GetCursorPos(&at);
  switch (event) {
    case WM_MOUSEMOVE: MouseMove(keys, at.x, at.y); break;
    case WM_LBUTTONDOWN:
      FRightPressOpenedMenu = false;
      FClicks->LeftButtonDown();
      MouseDown(mbLeft, keys | ssLeft, at.x, at.y);
      if (FPopupByLeftButton) PopupAtCursor();
      break;
    case WM_LBUTTONUP:
      FClicks->LeftButtonUp();
      MouseUp(mbLeft, keys | ssLeft, at.x, at.y);
      break;
    case WM_LBUTTONDBLCLK:
      FClicks->LeftButtonDblClk();
      if (PopupMenuApi* menu = Menu(); menu && menu->AutoPopup() && !FPopupByLeftButton) menu->ClickDefaultItem();
      break;
    case WM_RBUTTONDOWN:
      MouseDown(mbRight, keys | ssRight, at.x, at.y);
      FRightPressOpenedMenu = true;
      PopupAtCursor();
      break;
    // Keyboard selection (Enter, Space) and the context-menu key on the
    // focused icon: the menu opens at the icon, wherever the mouse is. The
    // context-menu notice also ends a right click, whose press opened it.
    case NIN_KEYSELECT: PopupAt(anchor); break;
    case WM_CONTEXTMENU:
      if (!std::exchange(FRightPressOpenedMenu, false)) PopupAt(anchor);
      break;
    // NIN_SELECT repeats a left click the button notices have already told.
    case WM_RBUTTONUP: MouseUp(mbRight, keys | ssRight, at.x, at.y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, keys | ssMiddle, at.x, at.y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, keys | ssMiddle, at.x, at.y); break;
    case NIN_BALLOONUSERCLICK: BalloonClick(); break;
  }
}

bool TTrayIcon::IconWindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case kCallbackMessage:
      // Version 4: the event in the low word (the icon's number in the
      // high one) and the icon's anchor point in the first parameter.
      if (FEnabled) HandleCallback(LOWORD(lParam), POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)});
      result = 0;
      return true;
    // The hidden window always agrees to end the session and is closed by no
    // one but us; its destruction takes the default course.
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_USERCHANGED:
      result = 1;
      return true;
  }
  return false;
}

// --- hooks ---------------------------------------------------------------------------

LRESULT TTrayIcon::ApplicationWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE && wParam == SIZE_MINIMIZED && FMinimizeToTray) DoMinimizeToTray();
  if (message == FTaskbarCreated && FIconVisible) AddIcon();
  return FAppHook->CallPrevious(message, wParam, lParam);
}

LRESULT TTrayIcon::OwnerWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  TWinControl* owner = OwnerControl();
  TForm* form = FormOf(owner);
  if (message == WM_ACTIVATE && (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE) && form &&
      form->ActiveControl() && form->ActiveControl()->HandleAllocated()) {
    TWinControl* active = form->ActiveControl();
    HWND window = active->Parent() && active->Parent()->HandleAllocated() ? active->Parent()->Handle() : active->Handle();
    if (window != reinterpret_cast<HWND>(lParam)) ::SetFocus(active->Handle());
  }
  // Shown by a call, the owner comes to the front; one shown minimised stays down.
  if (message == WM_SHOWWINDOW && wParam == 1 && lParam == 0 && owner && !IsIconic(owner->Handle()))
    SetForegroundWindow(owner->Handle());
  return FOwnerHook->CallPrevious(message, wParam, lParam);
}
