#include "app/local_clock_win.h"

#include <windows.h>

#include "framework/utf_win.h"

LocalTimestamp SystemLocalClock::Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalTimestamp::FromParts(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

namespace {
std::string LocaleText(LCTYPE type, const char* fallback) {
  wchar_t buffer[128];
  int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 128);
  if (length <= 1) return fallback;
  return WideToUtf8(std::wstring_view(buffer, static_cast<size_t>(length - 1)));
}
}  // namespace

TTimeFormat UserLongTimeFormat() {
  return TTimeFormat(LocaleText(LOCALE_STIMEFORMAT, "HH:mm:ss"), LocaleText(LOCALE_S1159, "AM"),
                     LocaleText(LOCALE_S2359, "PM"));
}
