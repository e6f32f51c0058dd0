#pragma once
// The one way a control takes the mouse for a drag. The drag ends when the
// control ends it, or when the system hands the capture to another window
// (Alt+Tab, a message box, another SetCapture): WM_CAPTURECHANGED then
// runs the control's lost handler, so no drag outlives its capture.
#include <windows.h>

#include <functional>

class TMouseCapture {
 public:
  explicit TMouseCapture(std::function<void()> onLost) : FOnLost(std::move(onLost)) {}
  ~TMouseCapture() { End(); }
  TMouseCapture(const TMouseCapture&) = delete;
  TMouseCapture& operator=(const TMouseCapture&) = delete;

  // Takes the mouse for `window`; a drag already running there goes on.
  void Begin(HWND window);
  // Ends the drag and gives the mouse back; the lost handler does not run.
  void End();
  bool Dragging() const { return FWindow != nullptr; }

  // Feed every message of the window; true when it was WM_CAPTURECHANGED.
  bool HandleMessage(UINT message, LPARAM lParam);

 private:
  std::function<void()> FOnLost;
  HWND FWindow = nullptr;
};
