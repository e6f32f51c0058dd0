#include "app/fire_rule.h"

namespace {

constexpr int64_t MsPerSecond = 1000;
constexpr int64_t MsPerMinute = 60 * MsPerSecond;

int64_t TargetMinute(int64_t targetMillisecondOfDay) {
  return FloorMod(targetMillisecondOfDay, MSecsPerDay) / MsPerMinute * MsPerMinute;
}

// How far ahead of `from` the target lies, going forward round the clock.
int64_t Ahead(int64_t target, LocalTimestamp from) { return FloorMod(target - from.MillisecondOfDay(), MSecsPerDay); }

}  // namespace

TickVerdict JudgeTick(int64_t targetMillisecondOfDay, TickReading previous, TickReading current,
                      bool suspendedBetween) {
  int64_t target = TargetMinute(targetMillisecondOfDay);
  if (current.Local.MillisecondOfDay() / MsPerSecond == target / MsPerSecond) return TickVerdict::Fire;

  int64_t wallGap = current.Local.Milliseconds - previous.Local.Milliseconds;
  int64_t ahead = Ahead(target, previous.Local);
  if (wallGap <= 0 || ahead == 0 || ahead > wallGap) return TickVerdict::Wait;

  bool couldNotAct = suspendedBetween || current.MonotonicMs - previous.MonotonicMs > MaxCatchUpGapMs;
  return couldNotAct ? TickVerdict::Missed : TickVerdict::Fire;
}

bool WarningDue(int64_t targetMillisecondOfDay, LocalTimestamp now) {
  int64_t ahead = Ahead(TargetMinute(targetMillisecondOfDay), now);
  return ahead > 0 && ahead <= WarningLeadMs;
}
