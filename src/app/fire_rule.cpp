#include "app/fire_rule.h"

bool TargetReached(std::string_view targetText, std::string_view nowText,
                   int64_t targetMillisecondOfDay, LocalTimestamp previousTick,
                   LocalTimestamp thisTick) {
  if (targetText == nowText) return true;

  int64_t gap = thisTick.Milliseconds - previousTick.Milliseconds;
  if (gap <= 0 || gap > MaxCatchUpGapMs) return false;

  // How far ahead of the previous tick the target lies, going forward round the clock.
  int64_t ahead =
      (targetMillisecondOfDay % MSecsPerDay - previousTick.MillisecondOfDay()) % MSecsPerDay;
  if (ahead < 0) ahead += MSecsPerDay;
  return ahead > 0 && ahead <= gap;
}
