#include "app/schedule_controller.h"

#include <utility>

ScheduleController::ScheduleController(ScheduleView& view, LocalClock& clock,
                                       const TTimeFormat& timeFormat,
                                       PowerOffRequest requestPowerOff)
    : FView(view),
      FClock(clock),
      FTimeFormat(timeFormat),
      FRequestPowerOff(std::move(requestPowerOff)) {}

TickReading ScheduleController::Read() {
  LocalTimestamp local = FClock.Now();
  return {local, FClock.MonotonicMilliseconds()};
}

std::string ScheduleController::TargetText() const { return FTimeFormat.Format(FView.PickerTime()); }

void ScheduleController::StartClick() {
  FPreviousTick = Read();
  FResumed = false;
  FWarned = false;
  // When no timer is left this throws and the rest of the arming is skipped.
  FView.SetTimerEnabled(true);
  FView.KeepSystemAwake(true);
  FView.SetStartEnabled(false);
  FView.SetStopEnabled(true);
  FView.SetPickerEnabled(false);
  FView.CallTrayIconClickHandler();
  FView.SetTrayHint(TargetText() + PowerOffTipSuffix);
  WarnIfDue(FPreviousTick.Local);
}

void ScheduleController::StopClick() {
  FView.SetTimerEnabled(false);
  FView.KeepSystemAwake(false);
  FView.HideNotification();
  FView.SetStopEnabled(false);
  FView.SetStartEnabled(true);
  FView.SetPickerEnabled(true);
  FView.SetStartCaption("start");
}

void ScheduleController::TimerTick() {
  FView.SetStartCaption(FTimeFormat.Format(FClock.Now().TimeOfDay()));
  int64_t target = LocalTimestamp::FromDateTime(FView.PickerTime()).MillisecondOfDay();
  // A second reading: the caption above and the decision below each read the clock.
  TickReading now = Read();
  TickReading previousTick = std::exchange(FPreviousTick, now);
  switch (JudgeTick(target, previousTick, now, std::exchange(FResumed, false))) {
    case TickVerdict::Wait: WarnIfDue(now.Local); break;
    case TickVerdict::Fire: PowerOff(); break;
    case TickVerdict::Missed:
      FView.ClickStop();
      FView.ShowNotification("Vespermark did not power off at " + TargetText() +
                             ": the computer was asleep or too busy then. The schedule is stopped.");
      break;
  }
}

void ScheduleController::SetTimeFormat(const TTimeFormat& timeFormat) {
  FTimeFormat = timeFormat;
  if (!FView.Armed()) return;
  FView.SetStartCaption(FTimeFormat.Format(FClock.Now().TimeOfDay()));
  FView.SetTrayHint(TargetText() + PowerOffTipSuffix);
}

void ScheduleController::PowerOff() {
  std::vector<PowerOffFailure> failures = FRequestPowerOff();
  // Disarmed before anything is told: a box's own message loop goes on
  // dispatching the timer.
  FView.ClickStop();
  if (!failures.empty()) FView.ReportPowerOffFailure(failures);
}

void ScheduleController::WarnIfDue(LocalTimestamp now) {
  int64_t target = LocalTimestamp::FromDateTime(FView.PickerTime()).MillisecondOfDay();
  if (FWarned || !WarningDue(target, now)) return;
  FWarned = true;
  FView.ShowNotification("Powering off at " + TargetText() + ". Click to open Vespermark.");
}

void ScheduleController::TrayIconClick() {
  if (FView.IsApplicationIconic()) {
    FView.RestoreMainWindow();
    return;
  }
  FView.HideMainWindow();
  // New tray icons wait in the hidden-icons flyout: say once where the window went.
  if (!FView.Armed() || std::exchange(FToldWhereItHides, true)) return;
  FView.ShowNotification("Vespermark powers off at " + TargetText() + ". Double-click its icon to open it.");
}

void ScheduleController::SystemResumed() { FResumed = true; }
