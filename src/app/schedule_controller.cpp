#include "app/schedule_controller.h"

#include <utility>

#include "app/fire_rule.h"

ScheduleController::ScheduleController(ScheduleView& view, LocalClock& clock,
                                       const TTimeFormat& timeFormat,
                                       PowerOffRequest requestPowerOff)
    : FView(view),
      FClock(clock),
      FTimeFormat(timeFormat),
      FRequestPowerOff(std::move(requestPowerOff)) {}

void ScheduleController::StartClick() {
  FPreviousTick = FClock.Now();
  // When no timer is left this throws and the rest of the arming is skipped.
  FView.SetTimerEnabled(true);
  FView.SetStartEnabled(false);
  FView.SetStopEnabled(true);
  FView.SetPickerEnabled(false);
  FView.CallTrayIconClickHandler();
  FView.SetTrayHint(FTimeFormat.Format(FView.PickerTime()) + PowerOffTipSuffix);
}

void ScheduleController::StopClick() {
  FView.SetTimerEnabled(false);
  FView.SetStopEnabled(false);
  FView.SetStartEnabled(true);
  FView.SetPickerEnabled(true);
  FView.SetStartCaption("start");
}

void ScheduleController::TimerTick() {
  FView.SetStartCaption(FTimeFormat.Format(FClock.Now().TimeOfDay()));
  int64_t target = LocalTimestamp::FromDateTime(FView.PickerTime()).MillisecondOfDay();
  // A second reading: the caption above and the decision below each read the clock.
  LocalTimestamp now = FClock.Now();
  LocalTimestamp previousTick = std::exchange(FPreviousTick, now);
  if (!TargetReached(target, previousTick, now)) return;
  std::vector<PowerOffFailure> failures = FRequestPowerOff();
  // Disarmed before anything is told: a box's own message loop goes on
  // dispatching the timer.
  FView.ClickStop();
  if (!failures.empty()) FView.ReportPowerOffFailure(failures);
}

void ScheduleController::TrayIconClick() {
  if (FView.IsApplicationIconic())
    FView.RestoreMainWindow();
  else
    FView.HideMainWindow();
}
