#include "ui/system/timer_win.h"

#include "base/exceptions.h"
#include "persist/properties.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TimerApi& ActiveTimerApi() {
  static TimerApi api;
  return api;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  if (FRunning) ActiveTimerApi().kill(FWindow->Handle(), kTimerId);
}

const PropertyTable& TTimer::Properties() const {
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::Bool("Enabled", &TTimer::SetEnabled),
                                       props::Int("Interval", &TTimer::SetInterval),
                                       props::Event("OnTimer", &TTimer::SetOnTimer),
                                   });
  return table;
}

void TTimer::SetEnabled(bool value) {
  // An enabled timer that the system refused is tried again, so a second
  // Start does not pass for armed while nothing ticks.
  bool refused = FEnabled && !FRunning && FInterval != 0 && FOnTimer;
  if (value == FEnabled && !(value && refused)) return;
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(int value) {
  unsigned interval = value < 0 ? 0 : static_cast<unsigned>(value);
  if (interval == FInterval) return;
  FInterval = interval;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  FOnTimer = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FRunning) ActiveTimerApi().kill(FWindow->Handle(), kTimerId);
  FRunning = false;
  if (!FEnabled || FInterval == 0 || !FOnTimer) return;
  // Made at the first start: most timers wait disabled, and a window costs a round trip to the window system.
  if (!FWindow)
    FWindow = std::make_unique<TMessageWindow>([this](UINT message, WPARAM, LPARAM, LRESULT& result) {
      if (message != WM_TIMER) return false;
      GuardCallback([this] { Timer(); });
      result = 0;
      return true;
    });
  if (!ActiveTimerApi().set(FWindow->Handle(), kTimerId, FInterval, nullptr))
    throw EOutOfResources("Not enough timers available");
  FRunning = true;
}

void TTimer::Timer() {
  if (FEnabled && FOnTimer) FOnTimer(this);
}
