#pragma once
// Date and time values as the host framework keeps them: a double counting
// days since 1899-12-30, whose fraction is the time of day.
#include <compare>
#include <cstdint>

using TDateTime = double;
using TTime = TDateTime;

inline constexpr int64_t MSecsPerDay = 86400000;

// The remainder that keeps the divisor's sign: times of day wrap round midnight.
constexpr int64_t FloorMod(int64_t value, int64_t divisor) {
  int64_t rest = value % divisor;
  return rest < 0 ? rest + divisor : rest;
}

// Throws EConvertError when a part is out of range (hour 0..23, minute and
// second 0..59, millisecond 0..999).
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

// The time of day of a value, rounded to the nearest millisecond (a value a
// hair before midnight gives 0:00:00.000, never 24:00). A negative value's
// time of day is that of its absolute fraction, as the framework counts it.
// Throws EConvertError for values that are not finite or out of range.
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// The value minus its integral part, truncated toward zero (so -1.25 gives -0.25).
double Frac(double value);

// A local date and time in whole milliseconds since 1899-12-30 00:00. Unlike
// TDateTime it is linear, so two readings subtract to the time between them.
struct LocalTimestamp {
  int64_t Milliseconds = 0;

  static LocalTimestamp FromDateTime(TDateTime value);
  // Throws EConvertError for an invalid date or time of day.
  static LocalTimestamp FromParts(int year, int month, int day, int hour, int minute,
                                  int second, int millisecond);

  int64_t MillisecondOfDay() const;
  TDateTime TimeOfDay() const;

  friend auto operator<=>(const LocalTimestamp&, const LocalTimestamp&) = default;
};
