#include "ui/system/put_off_win.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/system/timer_win.h"
#include "ui/system/window_win.h"

namespace {
std::vector<TPutOff*> gWaiting;  // one GUI thread
}

void TPutOff::Start(std::function<void()> work) {
  Cancel();
  FTimer = ActiveTimerApi().set(nullptr, 0, USER_TIMER_MINIMUM, &Fire);
  if (!FTimer) {
    work();
    return;
  }
  FWork = std::move(work);
  gWaiting.push_back(this);
}

void TPutOff::Cancel() {
  if (!FTimer) return;
  ActiveTimerApi().kill(nullptr, std::exchange(FTimer, 0));
  std::erase(gWaiting, this);
  FWork = nullptr;
}

void CALLBACK TPutOff::Fire(HWND, UINT, UINT_PTR timer, DWORD) {
  const auto waiting = std::ranges::find(gWaiting, timer, &TPutOff::FTimer);
  if (waiting == gWaiting.end()) {
    ActiveTimerApi().kill(nullptr, timer);
    return;
  }
  // The work may start this again or destroy its owner.
  std::function<void()> work = std::move((*waiting)->FWork);
  (*waiting)->Cancel();
  GuardCallback(work);
}
