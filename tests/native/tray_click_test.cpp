#include "tray/tray_click.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int64_t DoubleClickTime = 500;

// A repeating timer on a test clock in milliseconds, like a window timer:
// it keeps ticking every interval until stopped.
class FakeClickTimer : public ClickTimer {
 public:
  void Start() override {
    FRunning = true;
    FStartedAt = Now;
  }
  void Stop() override { FRunning = false; }
  bool Running() const override { return FRunning; }

  // Moves the clock to `time`, ticking the tracker at every due time passed.
  void AdvanceTo(int64_t time, TrayClickTracker& tracker) {
    while (FRunning && FStartedAt + DoubleClickTime <= time) {
      Now = FStartedAt + DoubleClickTime;
      FStartedAt = Now;
      tracker.TimerTick();
    }
    Now = time;
  }

  int64_t Now = 0;

 private:
  bool FRunning = false;
  int64_t FStartedAt = 0;
};

// The icon's hidden window as the shell feeds it, recording each event with its time.
class ClickRig {
 public:
  void Down(int64_t at) { Deliver(at, &TrayClickTracker::LeftButtonDown); }
  void Up(int64_t at) { Deliver(at, &TrayClickTracker::LeftButtonUp); }
  void DblClk(int64_t at) { Deliver(at, &TrayClickTracker::LeftButtonDblClk); }
  void WaitUntil(int64_t at) { Timer.AdvanceTo(at, Tracker); }
  // What Windows sends for a double click: the second press comes as a double click.
  void DoubleClick(int64_t at) {
    Down(at);
    Up(at + 60);
    DblClk(at + 140);
    Up(at + 200);
  }

  FakeClickTimer Timer;
  std::vector<std::string> Events;
  std::function<void()> ExtraOnClick;
  TrayClickTracker Tracker{Timer, [this] { Record("Click"); }, [this] { Record("DblClick"); }};

 private:
  void Deliver(int64_t at, void (TrayClickTracker::*message)()) {
    WaitUntil(at);
    (Tracker.*message)();
  }
  void Record(const char* name) {
    Events.push_back(std::string(name) + "@" + std::to_string(Timer.Now));
    if (name == std::string("Click") && ExtraOnClick) ExtraOnClick();
  }
};

using Events = std::vector<std::string>;

}  // namespace

TEST(TrayClick, QuickClickWaitsOneDoubleClickTimeAfterThePress) {
  ClickRig rig;
  rig.Down(1000);
  EXPECT_TRUE(rig.Tracker.ClickStarted());
  rig.Up(1000 + DoubleClickTime - 1);
  EXPECT_TRUE(rig.Tracker.ClickPending());
  EXPECT_FALSE(rig.Tracker.ClickStarted());
  rig.WaitUntil(1000 + DoubleClickTime - 1);
  EXPECT_EQ(rig.Events, Events{}) << "a double click could still come";
  rig.WaitUntil(5000);
  EXPECT_EQ(rig.Events, Events{"Click@1500"});
  EXPECT_FALSE(rig.Tracker.ClickPending());
  EXPECT_FALSE(rig.Timer.Running()) << "the tick stops its own timer";
}

TEST(TrayClick, PressHeldPastTheDoubleClickTimeClicksOnRelease) {
  ClickRig rig;
  rig.Down(1000);
  rig.WaitUntil(1000 + DoubleClickTime);
  EXPECT_EQ(rig.Events, Events{}) << "nothing while the button is still down";
  EXPECT_TRUE(rig.Tracker.ClickStarted());
  EXPECT_FALSE(rig.Tracker.ClickPending());

  rig.Up(1000 + DoubleClickTime + 1);
  EXPECT_EQ(rig.Events, Events{"Click@1501"});
  EXPECT_FALSE(rig.Tracker.ClickStarted());
  EXPECT_FALSE(rig.Tracker.ClickPending());
  rig.WaitUntil(10000);
  EXPECT_EQ(rig.Events, Events{"Click@1501"}) << "no second click from a later tick";
}

TEST(TrayClick, DoubleClickRaisesDblClickAndNeverClick) {
  ClickRig rig;
  rig.DoubleClick(1000);
  EXPECT_EQ(rig.Events, Events{"DblClick@1140"});
  EXPECT_TRUE(rig.Tracker.DblClickSeen());
  EXPECT_FALSE(rig.Tracker.ClickPending());
  EXPECT_FALSE(rig.Tracker.ClickStarted()) << "the second release belongs to no press";

  rig.WaitUntil(10000);
  EXPECT_EQ(rig.Events, Events{"DblClick@1140"});
  EXPECT_FALSE(rig.Tracker.DblClickSeen()) << "the tick ends the double click";
}

TEST(TrayClick, SeparateClicksEachCountAgain) {
  ClickRig slow;
  slow.Down(0);
  slow.Up(100);
  slow.Down(DoubleClickTime + 100);  // too late for Windows to call it a double click
  slow.Up(DoubleClickTime + 200);
  slow.WaitUntil(5000);
  EXPECT_EQ(slow.Events, (Events{"Click@500", "Click@1100"}));

  ClickRig afterDouble;
  afterDouble.DoubleClick(0);
  afterDouble.Down(2000);
  afterDouble.Up(2050);
  afterDouble.WaitUntil(5000);
  EXPECT_EQ(afterDouble.Events, (Events{"DblClick@140", "Click@2500"}));

  ClickRig heldThenDouble;
  heldThenDouble.Down(0);
  heldThenDouble.Up(900);
  heldThenDouble.DoubleClick(2000);
  heldThenDouble.WaitUntil(5000);
  EXPECT_EQ(heldThenDouble.Events, (Events{"Click@900", "DblClick@2140"}));
}

TEST(TrayClick, LateDoubleClickNoticeDoesNotSwallowTheNextClick) {
  // The user lengthened the double-click time after the timer was set up, so
  // Windows reports a double click after our single click already fired.
  ClickRig rig;
  rig.Down(0);
  rig.Up(60);
  rig.DblClk(700);
  rig.Up(760);
  rig.Down(3000);
  rig.Up(3060);
  rig.WaitUntil(5000);
  EXPECT_EQ(rig.Events, (Events{"Click@500", "DblClick@700", "Click@3500"}));
}

TEST(TrayClick, ReleaseWithoutPressDoesNothing) {
  ClickRig rig;
  rig.Up(100);  // the press went to another window
  rig.WaitUntil(5000);
  EXPECT_EQ(rig.Events, Events{});
  EXPECT_FALSE(rig.Tracker.ClickPending());
}

TEST(TrayClick, HandlersMayBeMissingOrThrow) {
  FakeClickTimer timer;
  TrayClickTracker silent(timer, nullptr, nullptr);
  silent.LeftButtonDown();
  silent.LeftButtonUp();
  silent.LeftButtonDblClk();
  silent.LeftButtonUp();
  timer.AdvanceTo(5000, silent);
  silent.LeftButtonDown();
  timer.AdvanceTo(6000, silent);
  silent.LeftButtonUp();
  EXPECT_FALSE(silent.ClickStarted());

  // The message loop catches what a handler throws; the next click must still work.
  ClickRig rig;
  bool throwOnce = true;
  rig.ExtraOnClick = [&] {
    if (std::exchange(throwOnce, false)) throw std::runtime_error("handler failed");
  };
  rig.Down(0);
  rig.Up(50);
  EXPECT_THROW(rig.WaitUntil(1000), std::runtime_error);
  // A held press then clicks on release, not at the tick while still held.
  rig.Down(2000);
  rig.WaitUntil(2700);
  rig.Up(2700);
  EXPECT_EQ(rig.Events, (Events{"Click@500", "Click@2700"}));
}
