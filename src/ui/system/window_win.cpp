#include "ui/system/window_win.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "base/utf_win.h"

namespace {

constexpr wchar_t kWindowClass[] = L"VespermarkWindow";
// Short-lived popups (menus) keep what they cover, so closing one repaints nothing.
constexpr wchar_t kPopupWindowClass[] = L"VespermarkPopup";

}  // namespace

struct TWindowObjectAccess {
  static WNDPROC Procedure() { return &TWindowObject::StaticWndProc; }
};

namespace {

ExceptionReporter gReporter;

WNDCLASSEXW WindowObjectClass(const wchar_t* name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = TWindowObjectAccess::Procedure();
  wc.hInstance = ModuleInstance();
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = name;
  return wc;
}

const wchar_t* RegisterWindowClass(bool saveBits) {
  static const bool registered = [] {
    WNDCLASSEXW window = WindowObjectClass(kWindowClass), popup = WindowObjectClass(kPopupWindowClass);
    popup.style |= CS_SAVEBITS;
    RegisterClassExW(&window);
    RegisterClassExW(&popup);
    return true;
  }();
  (void)registered;
  return saveBits ? kPopupWindowClass : kWindowClass;
}

}  // namespace

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

bool RegisterIconWindowClass(const wchar_t* name, HICON big, HICON small) {
  WNDCLASSEXW wc = WindowObjectClass(name);
  wc.hIcon = big;
  wc.hIconSm = small;
  return RegisterClassExW(&wc) != 0;
}

void SetExceptionReporter(ExceptionReporter reporter) { gReporter = std::move(reporter); }

std::string DescribeException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "An unknown error occurred.";
  }
}

void ReportException(std::exception_ptr error) {
  if (gReporter) {
    try {
      gReporter(error);
      return;
    } catch (...) {
      // The reporter itself failed: fall back to the plain message box.
    }
  }
  // One box at a time here too: the box's loop may dispatch the next failure.
  static bool showing = false;
  if (showing) return;
  showing = true;
  MessageBoxW(nullptr, Utf8ToWide(DescribeException(error)).c_str(), L"Error", MB_OK | MB_ICONSTOP);
  showing = false;
}

TWindowObject::~TWindowObject() { DestroyWindowHandle(); }

void TWindowObject::CreateWindowHandle(const WindowParams& params) {
  if (FHandle) return;
  const wchar_t* windowClass = RegisterWindowClass(params.saveBits);
  if (params.windowClass) windowClass = params.windowClass;
  HWND handle = CreateWindowExW(params.exStyle, windowClass, params.caption.c_str(), params.style,
                                params.bounds.left, params.bounds.top, params.bounds.right - params.bounds.left,
                                params.bounds.bottom - params.bounds.top, params.parent, params.menuOrId,
                                ModuleInstance(), this);
  if (!handle) throw Exception("Error creating window (system error " + std::to_string(GetLastError()) + ")");
}

void TWindowObject::DestroyWindowHandle() {
  if (FHandle) DestroyWindow(FHandle);  // WM_NCDESTROY clears FHandle
}

LRESULT TWindowObject::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWindowObject::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(FHandle, message, wParam, lParam);
}

LRESULT CALLBACK TWindowObject::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TWindowObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE && !self) {
    self = static_cast<TWindowObject*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->FHandle = window;
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->WndProc(message, wParam, lParam);
  } catch (...) {
    ReportException(std::current_exception());
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    self->HandleDestroyed();
  }
  return result;
}


TMessageWindow::TMessageWindow(Handler handler, bool messageOnly) : FHandler(std::move(handler)) {
  WindowParams params;
  params.parent = messageOnly ? HWND_MESSAGE : nullptr;
  params.style = messageOnly ? 0 : WS_POPUP;
  CreateWindowHandle(params);
}

TMessageWindow::~TMessageWindow() { DestroyWindowHandle(); }

LRESULT TMessageWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (FHandler && FHandler(message, wParam, lParam, result)) return result;
  return DefaultHandler(message, wParam, lParam);
}

// The hooks of one window, innermost first, in front of the procedure the
// window had before the first of them. Kept here rather than by the common
// controls library, which the program then need not load at start.
struct TWindowProcHook::Chain {
  HWND window;
  WNDPROC original;
  std::vector<TWindowProcHook*> hooks;
};

namespace {
std::vector<std::unique_ptr<TWindowProcHook::Chain>> gChains;  // one GUI thread

TWindowProcHook::Chain* FindChain(HWND window) {
  for (const auto& chain : gChains)
    if (chain->window == window) return chain.get();
  return nullptr;
}

void DropChain(HWND window) {
  std::erase_if(gChains, [&](const auto& chain) { return chain->window == window; });
}
}  // namespace

TWindowProcHook::TWindowProcHook(HWND window, Handler handler) : FWindow(window), FHandler(std::move(handler)) {
  Chain* chain = FindChain(FWindow);
  if (!chain) {
    if (!IsWindow(FWindow)) throw Exception("Cannot replace the window procedure");
    auto created = std::make_unique<Chain>(Chain{FWindow, nullptr, {}});
    // Nothing may fail once the procedure is replaced.
    created->hooks.reserve(1);
    gChains.reserve(gChains.size() + 1);
    created->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc)));
    if (!created->original) throw Exception("Cannot replace the window procedure");
    chain = gChains.emplace_back(std::move(created)).get();
  }
  chain->hooks.push_back(this);
}

TWindowProcHook::~TWindowProcHook() {
  Chain* chain = FindChain(FWindow);
  if (!chain) return;  // the window is gone
  std::erase(chain->hooks, this);
  // The window's own procedure goes back, unless someone hooked it after us:
  // then the empty chain stays and passes everything on.
  if (chain->hooks.empty() &&
      GetWindowLongPtrW(FWindow, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChainProc)) {
    SetWindowLongPtrW(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    DropChain(FWindow);
  }
}

LRESULT TWindowProcHook::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = FindChain(FWindow);
  if (!chain) return DefWindowProcW(FWindow, message, wParam, lParam);
  const auto self = std::find(chain->hooks.begin(), chain->hooks.end(), this);
  if (self == chain->hooks.begin() || self == chain->hooks.end())
    return CallWindowProcW(chain->original, FWindow, message, wParam, lParam);
  return (*std::prev(self))->Handle(message, wParam, lParam);
}

LRESULT TWindowProcHook::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return FHandler(message, wParam, lParam);
  } catch (...) {
    ReportException(std::current_exception());
    return CallPrevious(message, wParam, lParam);
  }
}

LRESULT CALLBACK TWindowProcHook::ChainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = FindChain(window);
  if (!chain) return DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC original = chain->original;
  const LRESULT result = chain->hooks.empty() ? CallWindowProcW(original, window, message, wParam, lParam)
                                              : chain->hooks.back()->Handle(message, wParam, lParam);
  // The window is gone: its hooks, still alive, have nothing left to unhook.
  if (message == WM_NCDESTROY) {
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ChainProc))
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    DropChain(window);
  }
  return result;
}
