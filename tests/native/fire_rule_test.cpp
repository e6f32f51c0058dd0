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

bool CatchUp(int64_t target, LocalTimestamp previous, LocalTimestamp current) {
  return TargetReached(target, previous, current);
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
