#pragma once
// When a scheduler tick counts as reaching the target time.
#include <cstdint>

#include "base/date_time.h"

// The longest wall-clock gap between two ticks across which a skipped target
// is still caught up; a longer gap means the machine slept or the clock was set.
inline constexpr int64_t MaxCatchUpGapMs = 5000;

// Decided on the time of day itself, never on formatted texts: a format
// without the half of the day shows 23:30 and 11:30 alike. True when this
// tick falls in the target's first second (the target is a whole minute), or
// when the target moment lies after the previous tick's time of day and at or
// before this tick's (across midnight too) and this tick came
// 1..MaxCatchUpGapMs after the previous one: the timer can skip a second.
bool TargetReached(int64_t targetMillisecondOfDay, LocalTimestamp previousTick, LocalTimestamp thisTick);
