#include "ui/system/mouse_capture_win.h"

void TMouseCapture::Begin(HWND window) {
  // Setting the capture again on its own holder would tell it that it lost it.
  if (GetCapture() != window) {
    FWindow = nullptr;
    SetCapture(window);
  }
  FWindow = window;
}

void TMouseCapture::End() {
  HWND window = FWindow;
  FWindow = nullptr;  // before the release, whose WM_CAPTURECHANGED is no loss
  if (window && GetCapture() == window) ReleaseCapture();
}

bool TMouseCapture::HandleMessage(UINT message, LPARAM lParam) {
  if (message != WM_CAPTURECHANGED) return false;
  if (FWindow && reinterpret_cast<HWND>(lParam) != FWindow) {
    FWindow = nullptr;
    if (FOnLost) FOnLost();
  }
  return true;
}
