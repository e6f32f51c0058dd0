#pragma once
// When a scheduler tick counts as reaching the target time.
#include <cstdint>
#include <string_view>

#include "base/date_time.h"

// The longest wall-clock gap between two ticks across which a skipped target
// is still caught up; a longer gap means the machine slept or the clock was set.
inline constexpr int64_t MaxCatchUpGapMs = 5000;

// True when the current time text equals the target text, or when the target
// time of day lies after the previous tick's time of day and at or before this
// tick's (across midnight too) and this tick came 1..MaxCatchUpGapMs after the
// previous one. The timer can skip a second, so the text alone may never match.
bool TargetReached(std::string_view targetText, std::string_view nowText,
                   int64_t targetMillisecondOfDay, LocalTimestamp previousTick,
                   LocalTimestamp thisTick);
