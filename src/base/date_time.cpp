#include "base/date_time.h"

#include <cmath>
#include <cstdlib>

#include "base/exceptions.h"
#include "base/rounding.h"

namespace {

int64_t ToMilliseconds(TDateTime value) {
  // Far beyond year 9999, yet small enough that the product fits in 64 bits.
  constexpr double largestDays = 1e11;
  if (!std::isfinite(value) || std::fabs(value) > largestDays)
    throw EConvertError("Invalid floating point value for a date and time");
  return RoundHalfEven(value * static_cast<double>(MSecsPerDay));
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1899-12-30 to the given proleptic Gregorian date.
int64_t DaysSinceEpoch(int year, int month, int day) {
  auto daysFromCivil = [](int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yearOfEra = y - era * 400;
    int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
  };
  return daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30);
}

int64_t TimeToMilliseconds(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    throw EConvertError("Invalid argument to time encode");
  return ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
}

}  // namespace

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  return static_cast<double>(TimeToMilliseconds(hour, minute, second, millisecond)) /
         static_cast<double>(MSecsPerDay);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  int64_t ms = std::llabs(ToMilliseconds(value)) % MSecsPerDay;
  millisecond = static_cast<int>(ms % 1000);
  second = static_cast<int>(ms / 1000 % 60);
  minute = static_cast<int>(ms / 60000 % 60);
  hour = static_cast<int>(ms / 3600000);
}

double Frac(double value) { return value - std::trunc(value); }

LocalTimestamp LocalTimestamp::FromDateTime(TDateTime value) {
  int64_t ms = ToMilliseconds(value);
  // The integral part is the day (toward zero) and the time of day is the
  // absolute fraction, so -1.25 is 1899-12-29 06:00.
  int64_t days = ms / MSecsPerDay;
  return {days * MSecsPerDay + std::llabs(ms) % MSecsPerDay};
}

LocalTimestamp LocalTimestamp::FromParts(int year, int month, int day, int hour, int minute,
                                         int second, int millisecond) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month))
    throw EConvertError("Invalid argument to date encode");
  return {DaysSinceEpoch(year, month, day) * MSecsPerDay +
          TimeToMilliseconds(hour, minute, second, millisecond)};
}

int64_t LocalTimestamp::MillisecondOfDay() const { return FloorMod(Milliseconds, MSecsPerDay); }

TDateTime LocalTimestamp::TimeOfDay() const {
  return static_cast<double>(MillisecondOfDay()) / static_cast<double>(MSecsPerDay);
}
