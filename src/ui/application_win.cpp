#include "ui/application_win.h"

#include "ui/form_win.h"
#include "base/startup_phases.h"
#include "base/text_util.h"
#include "base/utf_win.h"
#include "ui/system/system_library_win.h"

TApplication* Application = nullptr;

namespace {
uint32_t SystemColor(int index) { return GetSysColor(index); }
// The keys a form offers to its default and cancel buttons.
bool IsDialogKey(WPARAM key) { return key == VK_RETURN || key == VK_ESCAPE; }
}  // namespace

std::string TitleFromExecutablePath(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
  if (size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  for (size_t i = 1; i < name.size(); ++i)
    name[i] = AsciiLower(name[i]);
  return name;
}

class TApplication::AppWindow : public TWindowObject {
 public:
  AppWindow(TApplication& app, const std::string& title) : FApp(app) {
    WindowParams params;
    // Never shown: the main form has the taskbar button, Alt+Tab and the thumbnail.
    params.style = WS_POPUP | WS_CLIPSIBLINGS;
    params.caption = Utf8ToWide(title);
    int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    params.bounds = {x, y, x, y};
    CreateWindowHandle(params);
  }
  ~AppWindow() override { DestroyWindowHandle(); }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    bool handled = false;
    LRESULT result = FApp.AppWndProc(message, wParam, lParam, handled);
    return handled ? result : DefaultHandler(message, wParam, lParam);
  }

 private:
  TApplication& FApp;
};

TApplication::TApplication() : TComponent(nullptr) {
  SetSysColorSource(SystemColor);
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  FTitle = TitleFromExecutablePath(WideToUtf8(std::wstring_view(path, length)));
  FIcon = LoadIconW(ModuleInstance(), L"MAINICON");
  MarkStartupPhase("application: program icon");
  if (!Application) Application = this;
  SetExceptionReporter([this](std::exception_ptr error) { HandleException(error); });
}

TApplication::~TApplication() {
  BeginDestroy();
  FWindowPutOff.Cancel();
  DestroyComponents();  // the forms go while the application window still owns them
  FWindow.reset();
  SetExceptionReporter(nullptr);
  if (Application == this) Application = nullptr;
  // Entered by the first screen reader or link, if any.
  LeaveComApartment();
}

HWND TApplication::Handle() const {
  if (!FWindow) {
    FWindow = std::make_unique<AppWindow>(const_cast<TApplication&>(*this), FTitle);
    FHandleWatchers.Notify();
  }
  return FWindow->Handle();
}

int TApplication::WatchHandle(std::function<void()> watcher) {
  if (FWindow) watcher();
  return FHandleWatchers.Add(std::move(watcher));
}

void TApplication::UnwatchHandle(int id) { FHandleWatchers.Remove(id); }

void TApplication::AdoptMainForm(TForm* form) {
  if (FMainForm) return;
  FMainForm = form;
  form->HandleNeeded();
}

void TApplication::Run(int showCommand) {
  if (FMainForm && FShowMainForm) {
    if (showCommand == SW_SHOWMINNOACTIVE) {
      FMainForm->SetWindowState(TWindowState::wsMinimized);
      Minimize();
    } else {
      if (showCommand == SW_SHOWMAXIMIZED) FMainForm->SetWindowState(TWindowState::wsMaximized);
      FMainForm->SetVisible(true);
    }
  }
  // The system's broadcasts (resume, settings, a second start) are heard from here on.
  if (!FWindow) FWindowPutOff.Start([this] { Handle(); });
  MSG msg;
  while (!FTerminated) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      FTerminated = true;
    } else if (got == -1) {
      // Not a message: going on would spin on the same failure for ever.
      HandleException(std::make_exception_ptr(
          Exception("The message loop failed (system error " + std::to_string(GetLastError()) + ")")));
      FTerminated = true;
    } else {
      ProcessMessage(msg);
    }
  }
}

void TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return;
  }
  // Handlers run here outside any window procedure (accelerators), so the
  // loop is a boundary of its own.
  try {
    // Escape cancels a drag wherever the keyboard is, before any control or button hears it.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && TWinControl::CancelDrag()) return;
    if ((msg.message == WM_CHAR || msg.message == WM_SYSCHAR) && DispatchDialogChar(msg)) return;
    if (msg.message == WM_KEYDOWN && IsDialogKey(msg.wParam)) {
      // Enter and Escape that no button takes belong to the focused control;
      // the dialog manager would swallow them.
      if (DispatchDialogKey(msg)) return;
    } else if (FMainForm && FMainForm->HandleAllocated() && IsDialogMessageW(FMainForm->Handle(), &msg)) {
      return;  // Tab and arrow navigation between the main form's controls
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  } catch (...) {
    HandleException(std::current_exception());
  }
}

bool TApplication::DispatchDialogChar(const MSG& msg) {
  if (!FMainForm || !FMainForm->HandleAllocated() || msg.wParam < 0x20) return false;
  HWND form = FMainForm->Handle();
  if (msg.hwnd != form && !IsChild(form, msg.hwnd)) return false;
  // A plain character belongs to a control that takes typing; Alt+key is always an accelerator.
  if (msg.message == WM_CHAR) {
    LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  }
  return FMainForm->DialogChar(static_cast<char16_t>(msg.wParam));
}

bool TApplication::DispatchDialogKey(const MSG& msg) {
  if (!FMainForm || !FMainForm->HandleAllocated()) return false;
  HWND form = FMainForm->Handle();
  if (msg.hwnd != form && !IsChild(form, msg.hwnd)) return false;
  // A control that takes every key keeps Enter and Escape for itself.
  LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  return FMainForm->DialogKey(static_cast<WORD>(msg.wParam), KeyboardShiftState());
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(msg);
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::Minimize() {
  if (!FMainForm) return;
  FMainForm->HandleNeeded();
  HWND form = FMainForm->Handle();
  // A form not on screen yet appears minimised without taking the focus.
  ShowWindow(form, IsWindowVisible(form) ? SW_MINIMIZE : SW_SHOWMINNOACTIVE);
}

void TApplication::Restore() {
  if (!FMainForm) return;
  FMainForm->HandleNeeded();
  HWND form = FMainForm->Handle();
  if (IsIconic(form)) ShowWindow(form, SW_RESTORE);
  if (FMainForm->WindowState() == TWindowState::wsMinimized) FMainForm->SetWindowState(TWindowState::wsNormal);
  FMainForm->SetVisible(true);
  // In answer to the user's click on the tray or the taskbar, so the system lets it come to the front.
  SetForegroundWindow(form);
}

bool TApplication::Iconic() const {
  return FMainForm && FMainForm->HandleAllocated() && IsIconic(FMainForm->Handle());
}

bool TApplication::IsMainFormCandidate(const TForm& form) const {
  return FMainForm ? FMainForm == &form : form.Owner() == this;
}

void TApplication::MainFormSized(WPARAM sizeKind) {
  if (sizeKind == SIZE_MINIMIZED) SendMessageW(Handle(), WM_SIZE, sizeKind, 0);
}

void TApplication::HandleException(std::exception_ptr error) noexcept {
  ShowErrorMessage(DescribeException(error));
}

void TApplication::ShowErrorMessage(const std::string& message) noexcept {
  // The box's own message loop goes on dispatching (a timer that keeps
  // failing would open a box per tick inside the last); errors raised while
  // one is open are dropped, so boxes never stack.
  if (FShowingError) return;
  FShowingError = true;
  try {
    if (OnShowError) {
      OnShowError(message);
    } else {
      // Owned by the hidden application window (the form is in the tray or
      // not shown yet) the box could open behind other windows, so it stays
      // on top: MB_SYSTEMMODAL is the application-modal box with the topmost
      // style (MB_TOPMOST is not honoured everywhere).
      bool formShown = FMainForm && FMainForm->HandleAllocated() && IsWindowVisible(FMainForm->Handle());
      HWND owner = formShown ? FMainForm->Handle() : Handle();
      UINT style = MB_OK | MB_ICONSTOP | MB_SETFOREGROUND | (formShown ? 0 : MB_SYSTEMMODAL);
      MessageBoxW(owner, Utf8ToWide(message).c_str(), Utf8ToWide(FTitle).c_str(), style);
    }
  } catch (...) {
    // Showing the error failed too; there is nobody left to tell.
  }
  FShowingError = false;
}

LRESULT TApplication::AppWndProc(UINT message, WPARAM, LPARAM, bool& handled) {
  handled = true;
  switch (message) {
    case WM_CLOSE:
      if (FMainForm) FMainForm->Close();
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
  }
  handled = false;
  return 0;
}
