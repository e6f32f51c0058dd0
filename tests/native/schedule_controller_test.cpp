#include "app/schedule_controller.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "base/exceptions.h"

namespace {

using Log = std::vector<std::string>;

// The form's components, recording every call in order and wired back to the
// controller the way the form's event properties are.
class FakeView : public ScheduleView {
 public:
  ScheduleController* Controller = nullptr;
  Log Calls;
  bool TimerEnabled = false, StartEnabled = true, StopEnabled = false, PickerEnabled = true;
  std::string StartCaption = "Start", TrayHint = "Vespermark";
  TDateTime Target = EncodeTime(23, 30, 0, 0);
  bool TrayHandlerAssigned = true, Iconic = false, OutOfTimers = false;

  void SetTimerEnabled(bool enabled) override {
    Calls.push_back(enabled ? "timer on" : "timer off");
    TimerEnabled = enabled;
    if (enabled && OutOfTimers) throw EOutOfResources("Not enough timers available");
  }
  void SetStartEnabled(bool enabled) override {
    Calls.push_back(enabled ? "start on" : "start off");
    StartEnabled = enabled;
  }
  void SetStartCaption(const std::string& caption) override {
    Calls.push_back("caption " + caption);
    StartCaption = caption;
  }
  void SetStopEnabled(bool enabled) override {
    Calls.push_back(enabled ? "stop on" : "stop off");
    StopEnabled = enabled;
  }
  void ClickStop() override {
    Calls.push_back("click stop");
    Controller->StopClick();
  }
  void SetPickerEnabled(bool enabled) override {
    Calls.push_back(enabled ? "picker on" : "picker off");
    PickerEnabled = enabled;
  }
  TDateTime PickerTime() const override { return Target; }
  void CallTrayIconClickHandler() override {
    Calls.push_back("tray handler");
    if (TrayHandlerAssigned) Controller->TrayIconClick();
  }
  void SetTrayHint(const std::string& hint) override {
    Calls.push_back("hint " + hint);
    TrayHint = hint;
  }
  bool IsApplicationIconic() const override { return Iconic; }
  void RestoreMainWindow() override { Calls.push_back("restore"); }
  void HideMainWindow() override { Calls.push_back("hide"); }
  void ReportPowerOffFailure(const std::vector<PowerOffFailure>& failures) override {
    Calls.push_back(std::to_string(failures.size()) + " failures told");
    ArmedWhileTold = TimerEnabled || StopEnabled;
  }
  bool ArmedWhileTold = true;
  bool Armed() const override { return TimerEnabled; }
  // Kept apart from Calls: the order of the schedule's own steps stays readable.
  void KeepSystemAwake(bool awake) override { Awake = awake; }
  void ShowNotification(const std::string& text) override { Notes.push_back(text); }
  void HideNotification() override { Notes.push_back(NoteRemoved); }
  bool Awake = false;
  Log Notes;
  static constexpr const char* NoteRemoved = "(removed)";
};

// Hands out the scripted readings one per call; running out is a test failure.
// The monotonic clock follows the wall clock's last reading, less every step
// the wall clock was set by.
class ScriptedClock : public LocalClock {
 public:
  std::deque<LocalTimestamp> Readings;
  int64_t WallSetBy = 0;
  LocalTimestamp Now() override {
    if (Readings.empty()) {
      ADD_FAILURE() << "the clock was read more often than scripted";
      return {};
    }
    FLast = Readings.front();
    Readings.pop_front();
    return FLast;
  }
  int64_t MonotonicMilliseconds() override { return FLast.Milliseconds - WallSetBy; }

 private:
  LocalTimestamp FLast;
};

LocalTimestamp At(int day, int h, int m, int s, int ms = 0) {
  return LocalTimestamp::FromParts(2024, 5, day, h, m, s, ms);
}

class ScheduleControllerTest : public ::testing::Test {
 protected:
  explicit ScheduleControllerTest(const char* picture = "HH:mm:ss")
      : Controller(View, Clock, TTimeFormat(picture, "AM", "PM"), [this] {
          View.Calls.push_back("power off");
          ++PowerOffRequests;
          return PowerOffFailures;
        }) {
    View.Controller = &Controller;
  }

  void Start(LocalTimestamp reading) {
    Clock.Readings = {reading};
    Controller.StartClick();
    View.Calls.clear();
  }

  // One timer tick with the two readings it takes, if the timer is running.
  void Tick(LocalTimestamp captionReading, LocalTimestamp comparisonReading) {
    if (!View.TimerEnabled) return;
    Clock.Readings = {captionReading, comparisonReading};
    Controller.TimerTick();
    EXPECT_TRUE(Clock.Readings.empty()) << "a tick reads the clock twice";
  }
  void Tick(LocalTimestamp reading) { Tick(reading, reading); }

  FakeView View;
  ScriptedClock Clock;
  ScheduleController Controller;
  int PowerOffRequests = 0;
  std::vector<PowerOffFailure> PowerOffFailures;
};

class SecondsLessFormatTest : public ScheduleControllerTest {
 protected:
  SecondsLessFormatTest() : ScheduleControllerTest("H:mm") {}
};

// A long time format a user can choose: 12-hour, with no AM/PM designator.
class NoHalfOfDayFormatTest : public ScheduleControllerTest {
 protected:
  NoHalfOfDayFormatTest() : ScheduleControllerTest("h:mm:ss") {}
};

const std::string IdleAfterStop[] = {"timer off", "stop off", "start on", "picker on",
                                     "caption start"};

Log Concat(Log first, const Log& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

}  // namespace

TEST_F(ScheduleControllerTest, StartArmsHidesAndShowsTheTargetInTheTrayTip) {
  View.Target = 45000.0 + EncodeTime(23, 30, 0, 0);  // the date part plays no role
  Clock.Readings = {At(17, 20, 0, 0)};
  Controller.StartClick();
  EXPECT_EQ(View.Calls, (Log{"timer on", "start off", "stop on", "picker off", "tray handler",
                             "hide", "hint 23:30:00关机"}));
  EXPECT_EQ(View.TrayHint, "23:30:00\xE5\x85\xB3\xE6\x9C\xBA") << "UTF-8, no space";
  EXPECT_EQ(View.StartCaption, "Start") << "the first tick replaces the caption";
}

TEST_F(ScheduleControllerTest, StartWhileMinimisedOrWithoutTrayHandler) {
  View.Iconic = true;
  Start(At(17, 20, 0, 0));
  Controller.StopClick();
  View.Calls.clear();
  Clock.Readings = {At(17, 20, 0, 5)};
  Controller.StartClick();
  EXPECT_EQ(View.Calls, (Log{"timer on", "start off", "stop on", "picker off", "tray handler",
                             "restore", "hint 23:30:00关机"}));

  View.TrayHandlerAssigned = false;
  Controller.StopClick();
  View.Calls.clear();
  Clock.Readings = {At(17, 20, 0, 9)};
  Controller.StartClick();
  EXPECT_EQ(View.Calls, (Log{"timer on", "start off", "stop on", "picker off", "tray handler",
                             "hint 23:30:00关机"}));
}

TEST_F(ScheduleControllerTest, NoTimerLeftStopsStartAfterEnablingTheTimer) {
  View.OutOfTimers = true;
  Clock.Readings = {At(17, 20, 0, 0)};
  try {
    Controller.StartClick();
    FAIL() << "the timer failure must reach the message loop";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }
  EXPECT_EQ(View.Calls, (Log{"timer on"}));
  EXPECT_TRUE(View.StartEnabled);
  EXPECT_FALSE(View.StopEnabled);
  EXPECT_TRUE(View.PickerEnabled);
  EXPECT_EQ(View.TrayHint, "Vespermark");
}

TEST_F(ScheduleControllerTest, StopDisarmsAndLeavesTheTipAndWindowAlone) {
  Start(At(17, 20, 0, 0));
  Controller.StopClick();
  EXPECT_EQ(View.Calls, Log(std::begin(IdleAfterStop), std::end(IdleAfterStop)));
  EXPECT_EQ(View.TrayHint, "23:30:00关机");
}

TEST_F(ScheduleControllerTest, TicksShowTheRunningTimeUntilTheTargetTextAppears) {
  Start(At(17, 23, 29, 57, 500));
  Tick(At(17, 23, 29, 58, 500));
  Tick(At(17, 23, 29, 59, 500));
  EXPECT_EQ(View.Calls, (Log{"caption 23:29:58", "caption 23:29:59"}));
  EXPECT_EQ(PowerOffRequests, 0);

  View.Calls.clear();
  Tick(At(17, 23, 30, 0, 500));
  EXPECT_EQ(View.Calls, Concat({"caption 23:30:00", "power off", "click stop"},
                               Log(std::begin(IdleAfterStop), std::end(IdleAfterStop))));
  EXPECT_FALSE(View.TimerEnabled);
  EXPECT_EQ(View.StartCaption, "start");
  EXPECT_EQ(View.TrayHint, "23:30:00关机");
}

TEST_F(ScheduleControllerTest, AFailedPowerOffIsToldOnlyOnceDisarmed) {
  PowerOffFailures = {{PowerOffStep::EnablePrivilege, 1300}, {PowerOffStep::PowerOff, 1314}};
  Start(At(17, 23, 29, 59, 500));
  Tick(At(17, 23, 30, 0, 500));
  EXPECT_EQ(View.Calls.back(), "2 failures told");
  EXPECT_FALSE(View.ArmedWhileTold) << "the box's own message loop would go on running the timer";
}

TEST_F(ScheduleControllerTest, CaptionAndComparisonUseSeparateReadings) {
  Start(At(17, 23, 29, 58, 500));
  // The caption's reading is a second early; the comparison's reading matches.
  Tick(At(17, 23, 29, 59, 990), At(17, 23, 30, 0, 10));
  EXPECT_EQ(View.Calls[0], "caption 23:29:59");
  EXPECT_EQ(PowerOffRequests, 1);

  // A caption reading that shows the target does not fire by itself.
  Start(At(17, 23, 29, 58));
  Tick(At(17, 23, 30, 0, 100), At(17, 23, 29, 59, 900));
  EXPECT_EQ(View.Calls, (Log{"caption 23:30:00"}));
  EXPECT_EQ(PowerOffRequests, 1);
}

TEST_F(ScheduleControllerTest, SkippedTargetSecondIsCaughtUpAfterAShortGap) {
  // Each tick's gap counts from the tick before it, not from the Start click.
  Start(At(17, 23, 29, 54, 900));
  for (int s = 55; s <= 59; ++s) Tick(At(17, 23, 29, s, 950));
  EXPECT_EQ(PowerOffRequests, 0);
  Tick(At(17, 23, 30, 1, 0));  // 23:30:00 was never seen
  EXPECT_EQ(PowerOffRequests, 1);
  EXPECT_FALSE(View.TimerEnabled);
}

TEST_F(ScheduleControllerTest, FirstTickMeasuresItsGapFromTheStartClick) {
  Start(At(17, 23, 29, 59, 900));
  Tick(At(17, 23, 30, 1, 0));
  EXPECT_EQ(PowerOffRequests, 1);

  Start(At(17, 23, 29, 54));
  Tick(At(17, 23, 30, 1, 0));  // 7 s after Start: the machine was busy or asleep
  EXPECT_EQ(PowerOffRequests, 1);
  EXPECT_FALSE(View.TimerEnabled) << "missed, not kept for the next day";
}

TEST_F(ScheduleControllerTest, ATargetPassedWhileTheProgramCouldNotActDisarmsAndSaysSo) {
  const std::string missed =
      "Vespermark did not power off at 23:30:00: the computer was asleep or too busy then. The schedule is stopped.";
  Start(At(17, 23, 29, 50));
  Tick(At(17, 23, 29, 51));
  Tick(At(18, 7, 0, 0));  // woke from sleep the next morning
  EXPECT_EQ(PowerOffRequests, 0);
  EXPECT_FALSE(View.TimerEnabled) << "a power-off a day late would come without warning";
  EXPECT_FALSE(View.Awake);
  EXPECT_EQ(View.Notes.back(), missed);
  EXPECT_EQ(View.StartCaption, "start");

  // The system says it resumed, though its clock did not count the sleep.
  View.Notes.clear();
  Start(At(18, 23, 29, 0));
  Controller.SystemResumed();
  Clock.WallSetBy += 119 * 1000;  // two minutes on the wall, one second on the monotonic clock
  Tick(At(18, 23, 31, 0));
  EXPECT_EQ(PowerOffRequests, 0);
  EXPECT_EQ(View.Notes.back(), missed);

  // A sleep that ends before the target leaves the schedule armed.
  Start(At(19, 22, 0, 0));
  Controller.SystemResumed();
  Tick(At(19, 23, 29, 59, 500));
  Tick(At(19, 23, 30, 0, 500));
  EXPECT_EQ(PowerOffRequests, 1);
}

TEST_F(ScheduleControllerTest, TheFallBackNightFiresOnceAndMissesNothing) {
  constexpr int64_t Hour = 3600 * 1000;
  // 02:59:59 is followed by 02:00:00 again. Whenever it is armed, the
  // schedule fires once and the hour that comes again is neither a
  // power-off nor a missed target.
  auto fallBackNight = [&](TDateTime target, LocalTimestamp armedAt) {
    View.Target = target;
    Start(armedAt);
    View.Notes.clear();
    std::vector<LocalTimestamp> fired;
    bool steppedBack = false;
    for (LocalTimestamp tick{armedAt.Milliseconds + 1000}; View.TimerEnabled && tick < At(28, 0, 0, 0);
         tick.Milliseconds += 1000) {
      if (!steppedBack && tick.MillisecondOfDay() >= 3 * Hour) {
        tick.Milliseconds -= Hour;
        Clock.WallSetBy -= Hour;
        steppedBack = true;
      }
      int requests = PowerOffRequests;
      Tick(tick);
      if (PowerOffRequests > requests) fired.push_back(tick);
    }
    for (const std::string& note : View.Notes) EXPECT_EQ(note.find("did not power off"), std::string::npos);
    return fired;
  };
  using Fired = std::vector<LocalTimestamp>;
  EXPECT_TRUE(fallBackNight(EncodeTime(2, 30, 0, 0), At(27, 1, 59, 0, 200)) == Fired{At(27, 2, 30, 0, 200)});
  EXPECT_TRUE(fallBackNight(EncodeTime(3, 10, 0, 0), At(27, 2, 45, 0, 200)) == Fired{At(27, 3, 10, 0, 200)});
}

TEST_F(ScheduleControllerTest, AWarningAMinuteBeforeNeverMovesThePowerOff) {
  const std::string warning = "Powering off at 23:30:00. Click to open Vespermark.";
  auto run = [&](LocalTimestamp armedAt) {
    View.Notes.clear();
    Start(armedAt);
    std::vector<std::pair<int64_t, std::string>> seen;  // milliseconds before the target, and what happened
    if (!View.Notes.empty()) seen.push_back({At(17, 23, 30, 0).Milliseconds - armedAt.Milliseconds, View.Notes.back()});
    for (LocalTimestamp tick{armedAt.Milliseconds + 1000}; View.TimerEnabled; tick.Milliseconds += 1000) {
      size_t notes = View.Notes.size();
      int requests = PowerOffRequests;
      Tick(tick);
      int64_t before = At(17, 23, 30, 0).Milliseconds - tick.Milliseconds;
      if (View.Notes.size() > notes && View.Notes[notes] != FakeView::NoteRemoved) seen.push_back({before, View.Notes[notes]});
      if (PowerOffRequests > requests) seen.push_back({before, "power off"});
    }
    return seen;
  };
  using Seen = std::vector<std::pair<int64_t, std::string>>;
  Start(At(16, 12, 0, 0));  // the first hide's notice, once a run
  Controller.StopClick();
  // Armed two minutes ahead: warned at the first tick inside the last minute.
  EXPECT_EQ(run(At(17, 23, 28, 0, 500)), (Seen{{59500, warning}, {-500, "power off"}}));
  // Armed 30 s ahead: warned at once, and the power-off comes at the same tick.
  EXPECT_EQ(run(At(17, 23, 29, 30, 500)), (Seen{{29500, warning}, {-500, "power off"}}));
  EXPECT_EQ(View.Notes.back(), FakeView::NoteRemoved) << "the power-off takes the warning away";
}

TEST_F(ScheduleControllerTest, TheSystemStaysAwakeOnlyWhileArmed) {
  Start(At(17, 20, 0, 0));
  EXPECT_TRUE(View.Awake);
  Controller.StopClick();
  EXPECT_FALSE(View.Awake);
  Start(At(17, 23, 29, 59, 500));
  Tick(At(17, 23, 30, 0, 500));
  EXPECT_EQ(PowerOffRequests, 1);
  EXPECT_FALSE(View.Awake) << "released by the power-off";

  View.OutOfTimers = true;
  Clock.Readings = {At(17, 23, 31, 0)};
  EXPECT_THROW(Controller.StartClick(), EOutOfResources);
  EXPECT_FALSE(View.Awake) << "never armed";
}

TEST_F(ScheduleControllerTest, TheFirstHideIntoTheTraySaysWhereTheWindowWent) {
  const std::string hidden = "Vespermark powers off at 23:30:00. Double-click its icon to open it.";
  Controller.TrayIconClick();  // idle: nothing to say about a power-off
  EXPECT_TRUE(View.Notes.empty());
  Start(At(17, 20, 0, 0));
  EXPECT_EQ(View.Notes, (Log{hidden}));
  Controller.StopClick();
  EXPECT_EQ(View.Notes.back(), FakeView::NoteRemoved) << "Stop takes a notification away";
  Start(At(17, 20, 0, 5));
  Controller.TrayIconClick();
  EXPECT_EQ(View.Notes, (Log{hidden, FakeView::NoteRemoved})) << "once a run";
}

TEST_F(SecondsLessFormatTest, FiresOnceAtTheFirstTickOfTheTargetMinute) {
  Start(At(17, 23, 29, 58, 200));
  EXPECT_EQ(View.TrayHint, "23:30关机");
  LocalTimestamp tick = At(17, 23, 29, 59, 200);
  for (int i = 0; i < 70; ++i, tick.Milliseconds += 1000) Tick(tick);
  EXPECT_EQ(PowerOffRequests, 1);
  EXPECT_FALSE(View.TimerEnabled);
  EXPECT_EQ(View.StartCaption, "start");
}

TEST_F(SecondsLessFormatTest, StartedInsideTheTargetMinuteWaitsForTheNextDay) {
  // The strip and the tip show 23:30 all minute long, but the moment has gone.
  Start(At(17, 23, 30, 20));
  Tick(At(17, 23, 30, 21));
  EXPECT_EQ(PowerOffRequests, 0);
  Tick(At(18, 23, 29, 59, 700));
  Tick(At(18, 23, 30, 0, 700));
  EXPECT_EQ(PowerOffRequests, 1);
}

TEST_F(NoHalfOfDayFormatTest, ATargetInTheEveningNeverFiresInTheMorning) {
  Start(At(17, 11, 29, 58, 300));
  EXPECT_EQ(View.TrayHint, "11:30:00关机") << "the texts of 11:30 and 23:30 are the same";
  LocalTimestamp tick = At(17, 11, 29, 59, 300);
  for (int i = 0; i < 5; ++i, tick.Milliseconds += 1000) Tick(tick);
  EXPECT_EQ(PowerOffRequests, 0);
  EXPECT_EQ(View.StartCaption, "11:30:03");
  Start(At(17, 23, 29, 59, 300));
  Tick(At(17, 23, 30, 0, 300));
  EXPECT_EQ(PowerOffRequests, 1);
}

TEST_F(ScheduleControllerTest, TrayIconClickRestoresOnlyAMinimisedApplication) {
  Controller.TrayIconClick();
  View.Iconic = true;
  Controller.TrayIconClick();
  EXPECT_EQ(View.Calls, (Log{"hide", "restore"}));
}
