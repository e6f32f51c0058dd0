#include "tray/tray_icon_win.h"

#include "framework/application_win.h"
#include "framework/form_win.h"
#include "framework/properties.h"
#include "framework/timer_win.h"
#include "framework/utf_win.h"

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner),
      FTaskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")),
      FSingleClickTimer(new TTimer(this)),
      FWindow([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return HandleMessage(message, wParam, lParam, result);
      }, false) {
  FSingleClickTimer->SetEnabled(false);
  FSingleClickTimer->SetInterval(static_cast<int>(GetDoubleClickTime()));
  FSingleClickTimer->SetOnTimer([this](TObject*) {
    FSingleClickTimer->SetEnabled(false);
    if (FOnClick) FOnClick(this);
  });
  if (Application && Application->Icon()) FIcon.ShowShared(Application->Icon());
  // The icon lives on the owner form's window, so the form needs one now.
  if (auto* form = dynamic_cast<TForm*>(owner)) form->HandleNeeded();
}

TTrayIcon::~TTrayIcon() {
  BeginDestroy();
  RemoveIcon();
}

const PropertyTable& TTrayIcon::Properties() const {
  using T = TTrayIcon;
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::String("Hint", &T::SetHint),
                                       props::Bool("ShowHint", &T::SetShowHint),
                                       props::Nested("Icon", &T::Icon),
                                       props::Bool("IconVisible", &T::SetIconVisible),
                                       props::Bool("Enabled", &T::SetEnabled),
                                       props::Int("IconIndex", &T::SetIconIndex),
                                       props::Int("AnimateTimerInterval", &T::SetAnimateTimerInterval),
                                       props::Bool("MinimizedOnStart", &T::SetMinimizedOnStart),
                                       props::Bool("MinimizeToTray", &T::SetMinimizeToTray),
                                       props::Bool("PopupByLeftButton", &T::SetPopupByLeftButton),
                                       props::Event("OnClick", &T::SetOnClick),
                                       props::Event("OnDblClick", &T::SetOnDblClick),
                                   });
  return table;
}

void TTrayIcon::SetHint(const std::string& value) {
  FHint = value;
  UpdateIcon();
}

void TTrayIcon::SetShowHint(bool value) {
  FShowHint = value;
  UpdateIcon();
}

void TTrayIcon::SetIconVisible(bool value) {
  FIconVisible = value;
  if (IsLoading()) return;
  if (value)
    AddIcon();
  else
    RemoveIcon();
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (FIconVisible) AddIcon();
}

std::wstring TTrayIcon::TipText() const {
  std::u16string tip = TruncateUtf16(Utf8ToUtf16(FShowHint ? FHint : std::string()), 127);
  return std::wstring(tip.begin(), tip.end());
}

bool TTrayIcon::Notify(DWORD command) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = FWindow.Handle();
  data.uID = 1;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = FIcon.Handle();
  std::wstring tip = TipText();
  tip.copy(data.szTip, tip.size());
  return Shell_NotifyIconW(command, &data) != FALSE;
}

bool TTrayIcon::AddIcon() {
  FAdded = Notify(NIM_ADD) || FAdded;
  return FAdded;
}

bool TTrayIcon::RemoveIcon() {
  if (!FAdded) return false;
  FAdded = false;
  return Notify(NIM_DELETE);
}

bool TTrayIcon::UpdateIcon() {
  if (!FAdded) return false;
  return Notify(NIM_MODIFY);
}

void TTrayIcon::HideMainWindow() {
  if (!Application || !Application->MainForm()) return;
  Application->MainForm()->SetVisible(false);
  ShowWindow(Application->Handle(), SW_HIDE);
}

void TTrayIcon::RestoreMainWindow() {
  if (!Application || !Application->MainForm()) return;
  ShowWindow(Application->Handle(), SW_RESTORE);
  TForm* form = Application->MainForm();
  form->SetVisible(true);
  if (form->WindowState() == TWindowState::wsMinimized) form->SetWindowState(TWindowState::wsNormal);
  SetForegroundWindow(form->Handle());
}

bool TTrayIcon::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (message == FTaskbarCreated) {
    // The shell restarted and forgot our icon.
    if (FIconVisible) {
      FAdded = false;
      AddIcon();
    }
    return true;
  }
  switch (message) {
    case WM_QUERYENDSESSION: result = TRUE; return true;
    case WM_CLOSE: return true;  // only we decide when this window goes
    case kCallbackMessage:
      if (!FEnabled) return true;
      switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
          // A single click waits one double-click time, so a double click
          // is not also taken for one.
          if (FSkipNextUp)
            FSkipNextUp = false;
          else
            FSingleClickTimer->SetEnabled(true);
          break;
        case WM_LBUTTONDBLCLK:
          FSingleClickTimer->SetEnabled(false);
          FSkipNextUp = true;
          if (FOnDblClick)
            FOnDblClick(this);
          else
            RestoreMainWindow();
          break;
      }
      return true;
  }
  return false;
}
