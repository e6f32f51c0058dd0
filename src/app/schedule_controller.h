#pragma once
// The main window's scheduling handlers. The form forwards BtnStartClick,
// BtnStopClick, Timer1Timer and TrayIconClick here; the schedule's state
// lives in the form's components, reached through ScheduleView. Beyond the
// power-off itself it warns a minute before, keeps the system out of idle
// sleep while armed, and never powers off late: a target that went by while
// the program could not act disarms with a notification instead.
#include <functional>
#include <string>
#include <vector>

#include "app/fire_rule.h"
#include "app/power_off.h"
#include "base/date_time.h"
#include "base/time_format.h"

// The form's components as the handlers use them.
class ScheduleView {
 public:
  virtual ~ScheduleView() = default;
  // May throw EOutOfResources("Not enough timers available").
  virtual void SetTimerEnabled(bool enabled) = 0;
  // Timer1's Enabled: whether the schedule is armed.
  virtual bool Armed() const = 0;
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
  // Keeps the system out of idle sleep, or lets it sleep again.
  virtual void KeepSystemAwake(bool awake) = 0;
  // A notification from the tray icon, replacing any still showing; and its removal.
  virtual void ShowNotification(const std::string& text) = 0;
  virtual void HideNotification() = 0;
};

// The system's local date and time, read afresh on every call, and a
// monotonic clock for the real time between two readings.
class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual LocalTimestamp Now() = 0;
  virtual int64_t MonotonicMilliseconds() = 0;
};

// Follows the target time in the armed tray tip: "power off".
inline constexpr char PowerOffTipSuffix[] = "关机";
// The title of every notification.
inline constexpr char NotificationTitle[] = "Vespermark";

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
  // The system came back from sleep or hibernation.
  void SystemResumed();
  // The user changed the time format: an armed schedule shows it at once.
  void SetTimeFormat(const TTimeFormat& timeFormat);

 private:
  TickReading Read();
  std::string TargetText() const;
  void WarnIfDue(LocalTimestamp now);
  void PowerOff();

  ScheduleView& FView;
  LocalClock& FClock;
  TTimeFormat FTimeFormat;
  PowerOffRequest FRequestPowerOff;
  // The reading that the next tick's catch-up window starts from.
  TickReading FPreviousTick;
  // The system was suspended since the previous tick.
  bool FResumed = false;
  // This arming's warning has been shown.
  bool FWarned = false;
  // The user has been told where the window goes when it hides (once a run).
  bool FToldWhereItHides = false;
};
