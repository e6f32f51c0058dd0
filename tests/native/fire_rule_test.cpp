#include "app/fire_rule.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t Second = 1000;

int64_t MsOfDay(int h, int m, int s = 0, int ms = 0) {
  return ((h * 60LL + m) * 60 + s) * 1000 + ms;
}

LocalTimestamp At(int day, int h, int m, int s, int ms = 0) {
  return LocalTimestamp::FromParts(2024, 5, day, h, m, s, ms);
}

LocalTimestamp Plus(LocalTimestamp t, int64_t ms) { return {t.Milliseconds + ms}; }

const int64_t Target2330 = MsOfDay(23, 30);

// Two readings of a clock that was never set: the monotonic clock runs with the wall clock.
TickReading Steady(LocalTimestamp t) { return {t, t.Milliseconds}; }

bool TargetReached(int64_t target, LocalTimestamp previous, LocalTimestamp current) {
  return JudgeTick(target, Steady(previous), Steady(current), false) == TickVerdict::Fire;
}

bool CatchUp(int64_t target, LocalTimestamp previous, LocalTimestamp current) {
  return TargetReached(target, previous, current);
}

// A wall-clock reading `wall` taken `realMs` after `previous`.
TickReading After(TickReading previous, int64_t realMs, LocalTimestamp wall) {
  return {wall, previous.MonotonicMs + realMs};
}

}  // namespace

TEST(FireRule, ATickInTheTargetsFirstSecondFiresWhateverTheClockDid) {
  LocalTimestamp t = At(17, 23, 30, 0, 400);
  EXPECT_TRUE(TargetReached(Target2330, t, t)) << "zero gap";
  EXPECT_TRUE(TargetReached(Target2330, Plus(t, 10 * Second), t)) << "negative gap";
  EXPECT_TRUE(TargetReached(Target2330, At(10, 12, 0, 0), t)) << "long gap";
  EXPECT_TRUE(TargetReached(Target2330, At(10, 12, 0, 0), At(17, 23, 30, 0, 999)));
  // Any other second of the minute is not the target, and neither is the
  // same clock reading in the other half of the day.
  EXPECT_FALSE(TargetReached(Target2330, At(17, 23, 30, 40), At(17, 23, 30, 41)));
  EXPECT_FALSE(TargetReached(Target2330, At(17, 11, 29, 59, 500), At(17, 11, 30, 0, 500)));
  EXPECT_FALSE(TargetReached(Target2330, At(17, 11, 30, 0), At(17, 11, 30, 0, 500)));
  // A target with seconds in it still means its whole minute.
  EXPECT_TRUE(TargetReached(Target2330 + 42 * Second, At(17, 23, 30, 0), At(17, 23, 30, 0, 1)));
}

TEST(FireRule, TargetMustLieAfterThePreviousTickAndAtOrBeforeThisOne) {
  LocalTimestamp exactlyAtTarget = At(17, 23, 30, 0);
  // The skipped second: 23:29:59.6 -> 23:30:01.1 never shows 23:30:00.
  EXPECT_TRUE(CatchUp(Target2330, At(17, 23, 29, 59, 600), At(17, 23, 30, 1, 100)));
  EXPECT_TRUE(CatchUp(Target2330, Plus(exactlyAtTarget, -Second), exactlyAtTarget));
  EXPECT_TRUE(CatchUp(Target2330, Plus(exactlyAtTarget, -1), Plus(exactlyAtTarget, 999)));
  EXPECT_FALSE(CatchUp(Target2330, exactlyAtTarget, Plus(exactlyAtTarget, Second)))
      << "already seen by the previous tick";
  EXPECT_FALSE(CatchUp(Target2330, Plus(exactlyAtTarget, -Second), Plus(exactlyAtTarget, -1)))
      << "not reached yet";
  EXPECT_FALSE(CatchUp(Target2330, At(17, 11, 29, 59), At(17, 11, 30, 1))) << "12 hours off";
}

TEST(FireRule, GapMustBePositiveAndAtMostFiveSeconds) {
  // This tick lies past the target's own second, so only the catch-up can fire.
  LocalTimestamp target = At(17, 23, 30, 0);
  EXPECT_TRUE(CatchUp(Target2330, Plus(target, -4000), Plus(target, 1000)));
  EXPECT_TRUE(CatchUp(Target2330, Plus(target, -3999), Plus(target, 1001)));
  EXPECT_FALSE(CatchUp(Target2330, Plus(target, -4001), Plus(target, 1000))) << "5001 ms";
  EXPECT_FALSE(CatchUp(Target2330, Plus(target, -1), Plus(target, 5000)))
      << "5001 ms with the target just after the previous tick";
  // The clock was set back across the target.
  EXPECT_FALSE(CatchUp(Target2330, Plus(target, 2000), Plus(target, -1000)));
  // A day apart, with times of day that straddle the target: the machine slept.
  EXPECT_FALSE(CatchUp(Target2330, At(16, 23, 29, 59), At(17, 23, 30, 1)));
  EXPECT_FALSE(CatchUp(Target2330, At(17, 23, 29, 59), At(18, 23, 30, 1)));
}

TEST(FireRule, WindowCrossesMidnight) {
  const int64_t midnight = MsOfDay(0, 0);
  EXPECT_TRUE(CatchUp(midnight, At(17, 23, 59, 58), At(18, 0, 0, 2)));
  EXPECT_TRUE(CatchUp(midnight, At(17, 23, 59, 59), At(18, 0, 0, 0)));
  EXPECT_FALSE(CatchUp(midnight, At(18, 0, 0, 0), At(18, 0, 0, 1))) << "seen at midnight itself";
  EXPECT_FALSE(CatchUp(midnight, At(17, 23, 59, 55), At(17, 23, 59, 59, 999)));
  EXPECT_FALSE(CatchUp(midnight, At(17, 23, 59, 57), At(18, 0, 0, 2, 1))) << "5001 ms";
  // The same window does not take in targets on either side of midnight.
  EXPECT_FALSE(CatchUp(MsOfDay(23, 59), At(17, 23, 59, 58), At(18, 0, 0, 2)));
  EXPECT_FALSE(CatchUp(MsOfDay(0, 1), At(17, 23, 59, 58), At(18, 0, 0, 2)));
}

TEST(FireRule, ATargetSleptThroughIsMissedNeverCaughtUpLate) {
  TickReading evening = Steady(At(17, 22, 0, 0));
  // Asleep from 22:00 until 07:00: the monotonic clock counts the night.
  EXPECT_EQ(JudgeTick(Target2330, evening, After(evening, 9 * 3600 * Second, At(18, 7, 0, 0)), false),
            TickVerdict::Missed);
  // Told of the suspension, a gap the monotonic clock did not see is missed too.
  EXPECT_EQ(JudgeTick(Target2330, Steady(At(17, 23, 29, 0)), After(Steady(At(17, 23, 29, 0)), Second, At(17, 23, 31, 0)),
                      true),
            TickVerdict::Missed);
  // A short stall across the target is missed as soon as it is over the catch-up bound.
  TickReading before = Steady(At(17, 23, 29, 57));
  EXPECT_EQ(JudgeTick(Target2330, before, After(before, 5001, At(17, 23, 30, 2, 1)), false), TickVerdict::Missed);
  // Woken before the target, nothing was missed: the schedule waits on.
  EXPECT_EQ(JudgeTick(Target2330, evening, After(evening, 3600 * Second, At(17, 23, 0, 0)), true),
            TickVerdict::Wait);
  // Woken in the target's own first second, it is not late.
  EXPECT_EQ(JudgeTick(Target2330, evening, After(evening, 5400 * Second, At(17, 23, 30, 0, 300)), true),
            TickVerdict::Fire);
}

TEST(FireRule, SpringForwardFiresAtTheFirstSecondAfterTheSkippedHour) {
  // 02:00 becomes 03:00: one second of real time, an hour on the wall clock.
  TickReading last = Steady(At(31, 1, 59, 59, 500));
  TickReading first = After(last, Second, At(31, 3, 0, 0, 500));
  for (int64_t target : {MsOfDay(2, 0), MsOfDay(2, 30), MsOfDay(2, 59)})
    EXPECT_EQ(JudgeTick(target, last, first, false), TickVerdict::Fire) << target;
  EXPECT_EQ(JudgeTick(MsOfDay(3, 1), last, first, false), TickVerdict::Wait);
  EXPECT_EQ(JudgeTick(MsOfDay(1, 59), last, first, false), TickVerdict::Wait) << "went by before the jump";
}

TEST(FireRule, ClockStepsBackAndForward) {
  // Set back 20 s just before the target: nothing crossed, nothing missed; 23:30:00 still comes.
  TickReading before = Steady(At(17, 23, 29, 58));
  TickReading setBack = After(before, Second, At(17, 23, 29, 39));
  EXPECT_EQ(JudgeTick(Target2330, before, setBack, false), TickVerdict::Wait);
  EXPECT_EQ(JudgeTick(Target2330, setBack, After(setBack, 21 * Second, At(17, 23, 30, 0)), false),
            TickVerdict::Fire);
  // Set back across a target already gone by: no second power-off from the crossing.
  TickReading after = Steady(At(17, 23, 30, 5));
  EXPECT_EQ(JudgeTick(Target2330, after, After(after, Second, At(17, 23, 29, 50)), false), TickVerdict::Wait);
  // Stepped forward over the target by a time sync, a zone change or by hand: fired at once.
  TickReading early = Steady(At(17, 23, 29, 50));
  EXPECT_EQ(JudgeTick(Target2330, early, After(early, Second, At(17, 23, 30, 20)), false), TickVerdict::Fire);
  EXPECT_EQ(JudgeTick(Target2330, early, After(early, Second, At(18, 2, 30, 0)), false), TickVerdict::Fire);
  EXPECT_EQ(JudgeTick(Target2330, early, After(early, Second, At(17, 23, 29, 58)), false), TickVerdict::Wait)
      << "forward, but short of the target";
}

TEST(FireRule, TheWarningIsDueInTheLastMinuteBeforeTheTarget) {
  EXPECT_TRUE(WarningDue(Target2330, At(17, 23, 29, 0)));
  EXPECT_FALSE(WarningDue(Target2330, Plus(At(17, 23, 29, 0), -1)));
  EXPECT_TRUE(WarningDue(Target2330, Plus(At(17, 23, 30, 0), -1)));
  EXPECT_FALSE(WarningDue(Target2330, At(17, 23, 30, 0))) << "the target itself: the power-off, not a warning";
  EXPECT_FALSE(WarningDue(Target2330, At(17, 23, 30, 30)));
  EXPECT_FALSE(WarningDue(Target2330, At(17, 11, 29, 30))) << "12 hours off";
  EXPECT_TRUE(WarningDue(MsOfDay(0, 0), At(17, 23, 59, 30))) << "across midnight";
}
