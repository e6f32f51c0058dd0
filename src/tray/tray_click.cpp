#include "tray/tray_click.h"

#include <utility>

TrayClickTracker::TrayClickTracker(ClickTimer& timer, std::function<void()> click,
                                   std::function<void()> dblClick)
    : FTimer(timer), FClick(std::move(click)), FDblClick(std::move(dblClick)) {}

void TrayClickTracker::LeftButtonDown() {
  FTimer.Start();
  FClickStarted = true;
}

void TrayClickTracker::LeftButtonUp() {
  if (FClickStarted) {
    FClickPending = true;
    // Held past the double-click time: no double click can follow any more.
    if (!FTimer.Running()) {
      FClickStarted = false;
      FClickPending = false;
      RaiseClick();
    }
  }
  FClickStarted = false;
}

void TrayClickTracker::LeftButtonDblClk() {
  FClickPending = false;
  // Only the timer's tick clears the mark. A double click reported after the
  // tick (the user lengthened the double-click time since we started) would
  // otherwise keep it and swallow the next single click.
  if (FTimer.Running()) FDblClickSeen = true;
  if (FDblClick) FDblClick();
}

void TrayClickTracker::TimerTick() {
  FTimer.Stop();
  if (!FDblClickSeen && FClickPending) {
    FClickPending = false;
    RaiseClick();
  }
  FDblClickSeen = false;
}

void TrayClickTracker::RaiseClick() const {
  if (FClick) FClick();
}
