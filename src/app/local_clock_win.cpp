#include "app/local_clock_win.h"

#include <windows.h>

#include "ui/system/resources_win.h"

LocalTimestamp SystemLocalClock::Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalTimestamp::FromParts(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

// Counts on through sleep and hibernation and is never set, unlike the wall clock.
int64_t SystemLocalClock::MonotonicMilliseconds() { return static_cast<int64_t>(GetTickCount64()); }

TTimeFormat UserLongTimeFormat() {
  return TTimeFormat(UserLocaleText(LOCALE_STIMEFORMAT, "HH:mm:ss"), UserLocaleText(LOCALE_S1159, "AM"),
                     UserLocaleText(LOCALE_S2359, "PM"));
}
