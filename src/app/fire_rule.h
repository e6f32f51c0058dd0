#pragma once
// When a scheduler tick counts as reaching the target time, and when the
// target went by while the program could not act.
#include <cstdint>

#include "base/date_time.h"

// The longest real time between two ticks across which a skipped target is
// still caught up; a longer gap means the machine slept or stalled.
inline constexpr int64_t MaxCatchUpGapMs = 5000;

// How long before the target the user is warned.
inline constexpr int64_t WarningLeadMs = 60000;

// What one tick reads: the local wall clock, which says what time of day it
// is, and a monotonic clock that runs on through sleep and is never set,
// which says how long it really was since the tick before.
struct TickReading {
  LocalTimestamp Local;
  int64_t MonotonicMs = 0;
};

enum class TickVerdict {
  Wait,   // the target has not come
  Fire,   // power off now
  Missed  // the target went by while the program could not act
};

// Decided on the time of day itself, never on formatted texts: a format
// without the half of the day shows 23:30 and 11:30 alike. A tick in the
// target's first second fires (the target is a whole minute). Otherwise the
// target counts as crossed when it lies after the previous tick's time of
// day and at or before this tick's, going forward on the wall clock (across
// midnight too); a wall clock that went back crossed nothing. A crossing
// fires when the monotonic gap is at most MaxCatchUpGapMs (the timer skipped
// a second, or the clock was set or jumped forward, as on the spring-forward
// night), and is missed when the gap was longer or the system was suspended
// in between: a power-off then would come hours late.
TickVerdict JudgeTick(int64_t targetMillisecondOfDay, TickReading previous, TickReading current,
                      bool suspendedBetween);

// Whether the target comes within the next WarningLeadMs after `now`.
bool WarningDue(int64_t targetMillisecondOfDay, LocalTimestamp now);
