#include "picker/picker_math.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/display_scale.h"

namespace {

constexpr double Pi = std::numbers::pi;
constexpr int64_t MinutesPerDay = 1440;

// The index, 0..marks-1, of the mark nearest to `theta`, the clockwise
// angle from 12 o'clock. Each mark owns the sector centred on it, and a
// direction on a boundary belongs to the later mark.
int NearestMark(double theta, int marks) {
  return static_cast<int>(std::floor(theta / (2 * Pi) * marks + 0.5)) % marks;
}

double ClockwiseFromTwelve(const PickerLayout& layout, int32_t x, int32_t y) {
  return AngleFromOffsets(x - layout.ClockCenter.X, y - layout.ClockCenter.Y) + Pi / 2;
}

}  // namespace

bool PickerTime::SetTime(TDateTime value) {
  if (Frac(value) == FTime) return false;
  int hour, minute, second, millisecond;
  DecodeTime(value, hour, minute, second, millisecond);
  FTime = EncodeTime(hour, minute, 0, 0);
  FIsPM = hour >= 12;
  return true;
}

bool PickerTime::SetHour(int hour) {
  if (FIsPM && hour < 12)
    hour += 12;
  else if (!FIsPM && hour == 12)
    hour = 0;
  return SetTime(EncodeTime(hour, Minute(), 0, 0));
}

bool PickerTime::SetMinute(int minute) { return SetTime(EncodeTime(Hour(), minute, 0, 0)); }

bool PickerTime::SelectAM() {
  if (!FIsPM) return false;
  FIsPM = false;
  return SetHour(Hour() - 12);
}

bool PickerTime::SelectPM() {
  if (FIsPM) return false;
  FIsPM = true;
  return SetHour(Hour() + 12);
}

bool PickerTime::StepHours(int n) { return SetMinuteOfDay(Hour() * 60 + Minute() + n * 60LL); }

bool PickerTime::StepMinutes(int n) { return SetMinuteOfDay(Hour() * 60 + Minute() + int64_t{n}); }

// Counting in whole minutes of the day keeps a step below midnight from
// turning negative, whose fraction would read as the wrong time of day.
bool PickerTime::SetMinuteOfDay(int64_t minuteOfDay) {
  int64_t wrapped = (minuteOfDay % MinutesPerDay + MinutesPerDay) % MinutesPerDay;
  return SetTime(EncodeTime(static_cast<int>(wrapped / 60), static_cast<int>(wrapped % 60), 0, 0));
}

int PickerTime::Hour() const {
  int hour, minute, second, millisecond;
  DecodeTime(FTime, hour, minute, second, millisecond);
  return hour;
}

int PickerTime::Minute() const {
  int hour, minute, second, millisecond;
  DecodeTime(FTime, hour, minute, second, millisecond);
  return minute;
}

PickerLayout UpdateLayout(const PickerMetrics& metrics) {
  PickerLayout layout;
  const TRect& client = metrics.ClientRect;
  const auto px = [&](int32_t length) { return ScaleLength(length, metrics.PixelsPerInch, kDefaultPixelsPerInch); };
  // The font's line height (text-metric height + 2) with 4 pixels of air.
  int32_t lineHeight = metrics.TextMetricHeight + px(2) + px(4);
  // The strip's bottom is counted from the control's top, not the client's.
  layout.TimeRect = {client.Left, client.Top, client.Right, lineHeight};

  // Radio items: a 13-pixel glyph and a one-pixel gap before the caption.
  int32_t rowTop = metrics.Height - px(5) - lineHeight;
  layout.AMRect = Bounds(px(5), rowTop, metrics.AMCaptionWidth + px(14), lineHeight);
  layout.PMRect = Bounds(layout.AMRect.Right + px(5), rowTop, metrics.PMCaptionWidth + px(14), lineHeight);
  layout.SetRect = {layout.PMRect.Right + (metrics.Width - px(5) - layout.PMRect.Right) / 3, rowTop,
                    metrics.Width - px(5), layout.PMRect.Bottom};

  int32_t faceWidth = metrics.Width - px(10);
  int32_t faceHeight = layout.AMRect.Top - px(5) - layout.TimeRect.Bottom - px(5);
  layout.ClockCenter = {faceWidth / 2 + px(5), layout.TimeRect.Bottom + px(3) + faceHeight / 2};
  // Too small a control has no face at all rather than an inside-out one.
  layout.ClockRadius = std::max(0, std::min(faceWidth / 2, faceHeight / 2));
  const TPoint& c = layout.ClockCenter;
  int32_t r = layout.ClockRadius;
  layout.ClockRect = {c.X - r, c.Y - r, c.X + r, c.Y + r};
  return layout;
}

double AngleFromOffsets(int32_t dx, int32_t dy) {
  if (dx == 0) return dy > 0 ? Pi / 2 : 3 * Pi / 2;
  double angle = std::atan(static_cast<double>(dy) / dx);
  if (dx > 0 && dy < 0) angle += 2 * Pi;
  if (dx < 0) angle += Pi;
  return angle;
}

int HourFromPoint(const PickerLayout& layout, int32_t x, int32_t y) {
  int mark = NearestMark(ClockwiseFromTwelve(layout, x, y), 12);
  return mark == 0 ? 12 : mark;
}

int MinuteFromPoint(const PickerLayout& layout, int32_t x, int32_t y, bool restrictToFive) {
  int minute = NearestMark(ClockwiseFromTwelve(layout, x, y), 60);
  if (restrictToFive) minute = (minute + 2) / 5 * 5 % 60;
  return minute;
}

PickerSize PreferredSize(int32_t charWidth, int32_t charHeight, std::string_view captionSet) {
  int32_t captionLength = static_cast<int32_t>(captionSet.size());
  int32_t setWidth = captionSet.empty() ? 24 * charWidth
                                        : 12 * charWidth + 2 * charWidth * (captionLength + 2);
  return {std::max(13 * charWidth + 78, setWidth), 14 * charHeight + 8};
}
