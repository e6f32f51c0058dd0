#pragma once
// A Win32 window bound to a C++ object: the object binds to its handle on
// WM_NCCREATE and sees every message through WndProc. No exception leaves a
// window procedure; it goes to the application's handler instead.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "base/exceptions.h"

// Where errors caught at a window procedure or timer callback go. The
// application installs its handler; before that a message box shows them.
using ExceptionReporter = std::function<void(std::exception_ptr)>;
void SetExceptionReporter(ExceptionReporter reporter);
void ReportException(std::exception_ptr error);

// Runs `body` and reports what it throws: the boundary of every callback.
template <class F>
void GuardCallback(F&& body) noexcept {
  try {
    body();
  } catch (...) {
    ReportException(std::current_exception());
  }
}

// Message text of any caught exception.
std::string DescribeException(std::exception_ptr error);

HINSTANCE ModuleInstance();

// Registers a window class of its own for window objects whose windows show
// these icons until they are given others (WM_SETICON). The window system
// gets a class's icons with the window. The class keeps the icons for the
// program's life. False when the system refuses the class.
bool RegisterIconWindowClass(const wchar_t* name, HICON big, HICON small);

class TWindowObject {
 public:
  TWindowObject() = default;
  virtual ~TWindowObject();
  TWindowObject(const TWindowObject&) = delete;
  TWindowObject& operator=(const TWindowObject&) = delete;

  HWND Handle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }

 protected:
  struct WindowParams {
    DWORD exStyle = 0;
    DWORD style = 0;
    std::wstring caption;
    RECT bounds{};
    HWND parent = nullptr;  // the parent of a child window, the owner of a top-level one
    HMENU menuOrId = nullptr;
    bool saveBits = false;  // the system keeps what the window covers (short-lived popups)
    const wchar_t* windowClass = nullptr;  // one from RegisterIconWindowClass; null: the toolkit's own
  };
  // Throws when the system refuses the window.
  void CreateWindowHandle(const WindowParams& params);
  void DestroyWindowHandle();

  // Dispatches one message; the default passes it to DefWindowProcW.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  // The handle is gone (WM_NCDESTROY); the object lives on without it.
  virtual void HandleDestroyed() {}

 private:
  friend struct TWindowObjectAccess;
  static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND FHandle = nullptr;
};

// A hidden message-only window whose messages go to a function.
class TMessageWindow : public TWindowObject {
 public:
  using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
  explicit TMessageWindow(Handler handler, bool messageOnly = true);
  ~TMessageWindow() override;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Handler FHandler;
};

// Replaces the window procedure of a window we did not create. Hooks nest;
// each passes on what it does not handle, and unhooking restores the chain.
class TWindowProcHook {
 public:
  using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;
  TWindowProcHook(HWND window, Handler handler);
  ~TWindowProcHook();
  TWindowProcHook(const TWindowProcHook&) = delete;
  TWindowProcHook& operator=(const TWindowProcHook&) = delete;

  // The procedure that was there before this hook.
  LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
  HWND Window() const { return FWindow; }

 struct Chain;

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ChainProc(HWND, UINT, WPARAM, LPARAM);
  HWND FWindow;
  Handler FHandler;
};
