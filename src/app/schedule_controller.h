#pragma once
// The main window's scheduling handlers. The form forwards BtnStartClick,
// BtnStopClick, Timer1Timer and TrayIconClick here; the schedule's state
// lives in the form's components, reached through ScheduleView.
#include <functional>
#include <string>

#include <vector>

#include "app/power_off.h"
#include "base/date_time.h"
#include "base/time_format.h"

// The form's components as the handlers use them.
class ScheduleView {
 public:
  virtual ~ScheduleView() = default;
  // May throw EOutOfResources("Not enough timers available").
  virtual void SetTimerEnabled(bool enabled) = 0;
  virtual void SetStartEnabled(bool enabled) = 0;
  virtual void SetStartCaption(const std::string& caption) = 0;
  virtual void SetStopEnabled(bool enabled) = 0;
  // BtnStop's programmatic Click: runs BtnStopClick through its OnClick.
  virtual void ClickStop() = 0;
  virtual void SetPickerEnabled(bool enabled) = 0;
  virtual TDateTime PickerTime() const = 0;
  // TrayIcon's OnClick handler with the form as sender; nothing when none is assigned.
  virtual void CallTrayIconClickHandler() = 0;
  virtual void SetTrayHint(const std::string& hint) = 0;
  virtual bool IsApplicationIconic() const = 0;
  virtual void RestoreMainWindow() = 0;
  virtual void HideMainWindow() = 0;
  // Tells the user which steps of a power-off request failed, and ends the
  // program when the system refused the request itself.
  virtual void ReportPowerOffFailure(const std::vector<PowerOffFailure>& failures) = 0;
};

// The system's local date and time, read afresh on every call.
class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual LocalTimestamp Now() = 0;
};

// Follows the target time in the armed tray tip: "power off".
inline constexpr char PowerOffTipSuffix[] = "关机";

// Asks the system to power off; answers the steps that failed.
using PowerOffRequest = std::function<std::vector<PowerOffFailure>()>;

class ScheduleController {
 public:
  ScheduleController(ScheduleView& view, LocalClock& clock, const TTimeFormat& timeFormat,
                     PowerOffRequest requestPowerOff);

  void StartClick();
  void StopClick();
  void TimerTick();
  void TrayIconClick();

 private:
  ScheduleView& FView;
  LocalClock& FClock;
  TTimeFormat FTimeFormat;
  PowerOffRequest FRequestPowerOff;
  // The clock reading that the next tick's catch-up window starts from.
  LocalTimestamp FPreviousTick;
};
