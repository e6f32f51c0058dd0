#pragma once
// One move-only owner per Win32 handle, and a guard that undoes a selection
// into a device context.
#include <windows.h>

#include <utility>

template <class H, BOOL(WINAPI* Close)(H)>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H handle) : FHandle(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : FHandle(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  // Gives the handle up, e.g. once the system has taken ownership of it.
  H Release() { return std::exchange(FHandle, nullptr); }
  void Reset(H handle = nullptr) {
    H old = std::exchange(FHandle, handle);
    if (old) Close(old);
  }

 private:
  H FHandle = nullptr;
};

namespace handles_detail {
template <class H>
BOOL WINAPI DeleteTyped(H object) { return DeleteObject(object); }
}  // namespace handles_detail

using FontHandle = UniqueHandle<HFONT, handles_detail::DeleteTyped<HFONT>>;
using BrushHandle = UniqueHandle<HBRUSH, handles_detail::DeleteTyped<HBRUSH>>;
using PenHandle = UniqueHandle<HPEN, handles_detail::DeleteTyped<HPEN>>;
using BitmapHandle = UniqueHandle<HBITMAP, handles_detail::DeleteTyped<HBITMAP>>;
using RegionHandle = UniqueHandle<HRGN, handles_detail::DeleteTyped<HRGN>>;
using IconHandle = UniqueHandle<HICON, DestroyIcon>;
using MemoryDCHandle = UniqueHandle<HDC, DeleteDC>;

// A window's device context from GetDC (its client area) or GetWindowDC (the
// whole window, frame included), released with ReleaseDC.
class WindowDC {
 public:
  enum Area { ClientArea, WholeWindow };
  explicit WindowDC(HWND window, Area area = ClientArea)
      : FWindow(window), FDC(area == WholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~WindowDC() {
    if (FDC) ReleaseDC(FWindow, FDC);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HWND FWindow;
  HDC FDC;
};

// The paint cycle of WM_PAINT: EndPaint runs even when painting throws, so
// the DC goes back and the window is validated (no endless WM_PAINT).
class PaintDC {
 public:
  explicit PaintDC(HWND window) : FWindow(window), FDC(BeginPaint(window, &FPaint)) {}
  ~PaintDC() { EndPaint(FWindow, &FPaint); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

// Selects an object into a DC for the guard's lifetime.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : FDC(dc), FOld(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (FOld) SelectObject(FDC, FOld);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
};
