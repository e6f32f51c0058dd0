#pragma once
// The clock-face picker's state and geometry, free of any window system:
// the chosen time with its rules, the layout of the strip, face and items,
// which hour or minute a pointer position points at, and the control's
// preferred size.
#include <cstdint>
#include <string_view>

#include "base/date_time.h"
#include "base/geometry.h"

// The chosen time of day, always a whole minute, and the half of the day
// it lies in. Every operation returns true when the time setter accepted a
// value: the control then fires Change and repaints (repainting even when
// Change throws). An equal value is not accepted, so nothing fires.
class PickerTime {
 public:
  TDateTime Time() const { return FTime; }
  bool IsPM() const { return FIsPM; }

  // Keeps the fraction of `value` with seconds and milliseconds dropped.
  // Accepts whenever the fraction differs from the stored time, even if it
  // truncates to the same minute (18:00:30 over 18:00 still fires Change).
  // Throws EConvertError for a value that is not a time, keeping the old one.
  [[nodiscard]] bool SetTime(TDateTime value);

  // `hour` as read off the dial (1..12), or 0..23 within the current half:
  // 12 means midnight in the AM half and noon in the PM half.
  [[nodiscard]] bool SetHour(int hour);
  [[nodiscard]] bool SetMinute(int minute);

  // Move the hour into the other half of the day; selecting the current
  // half does nothing.
  [[nodiscard]] bool SelectAM();
  [[nodiscard]] bool SelectPM();

  // Step by `n` hours or minutes, wrapping around midnight both ways.
  [[nodiscard]] bool StepHours(int n);
  [[nodiscard]] bool StepMinutes(int n);

 private:
  bool SetMinuteOfDay(int64_t minuteOfDay);
  int Hour() const;
  int Minute() const;

  TDateTime FTime = 0.0;
  bool FIsPM = false;
};

// What UpdateLayout measures outside: the client rectangle inside the
// frames, the control's outer size, the font's text-metric height, the
// text widths of the AM and PM captions as drawn, and the density the
// layout's own margins and gaps are drawn for.
struct PickerMetrics {
  TRect ClientRect;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t TextMetricHeight = 0;
  int32_t AMCaptionWidth = 0;
  int32_t PMCaptionWidth = 0;
  int32_t PixelsPerInch = 96;
};

// Where the picker draws and hit-tests. All empty until the first layout,
// so no press hits anything before the first paint.
struct PickerLayout {
  TRect TimeRect;
  TRect AMRect;
  TRect PMRect;
  TRect SetRect;
  TPoint ClockCenter;
  int32_t ClockRadius = 0;
  TRect ClockRect;  // bounding square of the face; face hit tests use it
};

PickerLayout UpdateLayout(const PickerMetrics& metrics);

// The angle of the offset (dx, dy) from the face centre in radians,
// clockwise from 3 o'clock on the screen (y grows downward), in [0, 2 pi).
// Straight up, and the centre itself, count as 12 o'clock; straight down
// as 6 o'clock.
double AngleFromOffsets(int32_t dx, int32_t dy);

// The nearest hour mark, 1..12, to the direction of (x, y) from the face
// centre. A direction on a sector boundary goes to the later mark.
int HourFromPoint(const PickerLayout& layout, int32_t x, int32_t y);

// The nearest minute mark, 0..59, likewise; with `restrictToFive` (Ctrl held or
// RestrictMinutes) rounded to a multiple of five, 60 becoming 0.
int MinuteFromPoint(const PickerLayout& layout, int32_t x, int32_t y, bool restrictToFive);

struct PickerSize {
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const PickerSize&) const = default;
};

// The auto-size and minimum size for a font whose "0" measures charWidth by
// charHeight. A Set caption widens it by its length in bytes, so a
// multi-byte (wide) character is given more room than a narrow one.
PickerSize PreferredSize(int32_t charWidth, int32_t charHeight, std::string_view captionSet);
