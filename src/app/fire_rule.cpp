#include "app/fire_rule.h"

namespace {

constexpr int64_t MsPerSecond = 1000;
constexpr int64_t MsPerMinute = 60 * MsPerSecond;

}  // namespace

bool TargetReached(int64_t targetMillisecondOfDay, LocalTimestamp previousTick, LocalTimestamp thisTick) {
  int64_t target = FloorMod(targetMillisecondOfDay, MSecsPerDay) / MsPerMinute * MsPerMinute;
  if (thisTick.MillisecondOfDay() / MsPerSecond == target / MsPerSecond) return true;

  int64_t gap = thisTick.Milliseconds - previousTick.Milliseconds;
  if (gap <= 0 || gap > MaxCatchUpGapMs) return false;

  // How far ahead of the previous tick the target lies, going forward round the clock.
  int64_t ahead = FloorMod(target - previousTick.MillisecondOfDay(), MSecsPerDay);
  return ahead > 0 && ahead <= gap;
}
