#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled, through
// WM_TIMER on a hidden window of its own.
#include <windows.h>

#include <memory>

#include "persist/component.h"
#include "ui/system/window_win.h"

// The two system calls a timer makes; tests replace them to run out of timers.
struct TimerApi {
  UINT_PTR(WINAPI* set)(HWND, UINT_PTR, UINT, TIMERPROC) = ::SetTimer;
  BOOL(WINAPI* kill)(HWND, UINT_PTR) = ::KillTimer;
};
TimerApi& ActiveTimerApi();

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  std::string_view ClassName() const override { return "TTimer"; }
  const PropertyTable& Properties() const override;

  bool Enabled() const { return FEnabled; }
  // Throws EOutOfResources "Not enough timers available" when the system has
  // none left; the timer then counts as enabled without firing.
  void SetEnabled(bool value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(int value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent handler);

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  bool FRunning = false;
  std::unique_ptr<TMessageWindow> FWindow;
};
