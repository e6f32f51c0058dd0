#pragma once
// Tells single clicks on the tray icon from double clicks. A press starts a
// timer of one double-click time; a release inside it leaves the click
// pending until the timer ticks, so a double click arriving meanwhile can
// cancel it. A press held past the timer clicks at once on release.
#include <functional>

// The single-click timer; its interval is the system's double-click time.
class ClickTimer {
 public:
  virtual ~ClickTimer() = default;
  virtual void Start() = 0;  // (re)starts the one interval
  virtual void Stop() = 0;
  virtual bool Running() const = 0;
};

class TrayClickTracker {
 public:
  // Either handler may be empty.
  TrayClickTracker(ClickTimer& timer, std::function<void()> click, std::function<void()> dblClick);

  void LeftButtonDown();
  void LeftButtonUp();
  void LeftButtonDblClk();
  void TimerTick();

  bool ClickStarted() const { return FClickStarted; }
  bool ClickPending() const { return FClickPending; }
  bool DblClickSeen() const { return FDblClickSeen; }

 private:
  void RaiseClick() const;

  ClickTimer& FTimer;
  std::function<void()> FClick;
  std::function<void()> FDblClick;
  bool FClickStarted = false;
  bool FClickPending = false;
  bool FDblClickSeen = false;
};
