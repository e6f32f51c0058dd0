#pragma once
// The system's local time and the user's long time format.
#include "app/schedule_controller.h"
#include "base/time_format.h"

class SystemLocalClock : public LocalClock {
 public:
  LocalTimestamp Now() override;
  int64_t MonotonicMilliseconds() override;
};

// The long time format of the user's regional settings, read now.
TTimeFormat UserLongTimeFormat();
