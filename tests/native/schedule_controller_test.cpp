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
};

// Hands out the scripted readings one per call; running out is a test failure.
class ScriptedClock : public LocalClock {
 public:
  std::deque<LocalTimestamp> Readings;
  LocalTimestamp Now() override {
    if (Readings.empty()) {
      ADD_FAILURE() << "the clock was read more often than scripted";
      return {};
    }
    LocalTimestamp reading = Readings.front();
    Readings.pop_front();
    return reading;
  }
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
  Start(At(17, 23, 29, 59));
  Tick(At(17, 23, 30, 0, 100), At(17, 23, 30, 10));
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
  EXPECT_TRUE(View.TimerEnabled);
}

TEST_F(ScheduleControllerTest, AfterALongGapTheScheduleWaitsForTheNextDay) {
  Start(At(17, 23, 29, 50));
  Tick(At(17, 23, 29, 51));
  Tick(At(17, 23, 31, 0));  // woke from sleep past the target
  EXPECT_EQ(PowerOffRequests, 0);
  Tick(At(18, 23, 29, 59, 500));
  Tick(At(18, 23, 30, 0, 500));
  EXPECT_EQ(PowerOffRequests, 1);
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
