#include "picker/picker_math.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "base/exceptions.h"

namespace {

// "hh:mm:ss.zzz", so a stray second or millisecond shows in a failure.
std::string Clock(const PickerTime& time) {
  int h, m, s, ms;
  DecodeTime(time.Time(), h, m, s, ms);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", h, m, s, ms);
  return text;
}

PickerTime At(int hour, int minute) {
  PickerTime time;
  (void)time.SetTime((hour * 60 + minute) / 1440.0);
  return time;
}

// The main form's picker: 171 by 190 inside a two-pixel frame, a font whose
// text-metric height is 13, "AM" and "PM" 20 pixels wide.
PickerLayout FormLayout() {
  return UpdateLayout({.ClientRect = {2, 2, 169, 188},
                       .Width = 171,
                       .Height = 190,
                       .TextMetricHeight = 13,
                       .AMCaptionWidth = 20,
                       .PMCaptionWidth = 20});
}

}  // namespace

TEST(PickerTime, StartsAtMidnightInTheMorning) {
  PickerTime time;
  EXPECT_EQ(time.Time(), 0.0);
  EXPECT_FALSE(time.IsPM());
  EXPECT_FALSE(time.SetTime(0.0));
}

TEST(PickerTime, SetterKeepsTheTimeOfDayAsAWholeMinute) {
  PickerTime time;
  EXPECT_TRUE(time.SetTime(0.75));
  EXPECT_EQ(time.Time(), 0.75);
  EXPECT_TRUE(time.IsPM());
  EXPECT_FALSE(time.SetTime(0.75)) << "an equal value is not accepted";

  // 18:00:30 truncates to the stored minute yet still counts as accepted.
  EXPECT_TRUE(time.SetTime(0.75 + 30.0 / 86400));
  EXPECT_EQ(time.Time(), 0.75);

  EXPECT_TRUE(time.SetTime(1.25));
  EXPECT_EQ(Clock(time), "06:00:00.000");
  EXPECT_FALSE(time.IsPM());

  EXPECT_TRUE(time.SetTime(45000 + (13 * 60 + 7) / 1440.0 + 59.999 / 86400));
  EXPECT_EQ(time.Time(), (13 * 60 + 7) / 1440.0);
  EXPECT_TRUE(time.IsPM());
}

TEST(PickerTime, SetterRejectsAValueThatIsNoTimeAndKeepsTheOldOne) {
  PickerTime time = At(9, 15);
  EXPECT_THROW((void)time.SetTime(std::numeric_limits<double>::quiet_NaN()), EConvertError);
  EXPECT_THROW((void)time.SetTime(std::numeric_limits<double>::infinity()), EConvertError);
  EXPECT_EQ(Clock(time), "09:15:00.000");
  EXPECT_FALSE(time.IsPM());
}

TEST(PickerTime, DialHourTwelveMeansMidnightOrNoonByTheHalf) {
  PickerTime morning = At(0, 25);
  EXPECT_FALSE(morning.SetHour(12)) << "12 in the morning is 00:25 already";
  EXPECT_TRUE(morning.SetHour(1));
  EXPECT_EQ(Clock(morning), "01:25:00.000");
  EXPECT_TRUE(morning.SetHour(12));
  EXPECT_EQ(Clock(morning), "00:25:00.000");

  PickerTime evening = At(18, 25);
  EXPECT_TRUE(evening.SetHour(12));
  EXPECT_EQ(Clock(evening), "12:25:00.000");
  EXPECT_TRUE(evening.SetHour(1));
  EXPECT_EQ(Clock(evening), "13:25:00.000");
  EXPECT_TRUE(evening.IsPM());
}

TEST(PickerTime, SetMinuteKeepsTheHour) {
  PickerTime time = At(13, 25);
  EXPECT_TRUE(time.SetMinute(0));
  EXPECT_EQ(Clock(time), "13:00:00.000");
  EXPECT_FALSE(time.SetMinute(0));
  EXPECT_TRUE(time.SetMinute(59));
  EXPECT_EQ(Clock(time), "13:59:00.000");
}

TEST(PickerTime, SelectingAHalfMovesTheHourByTwelve) {
  PickerTime time = At(9, 40);
  EXPECT_FALSE(time.SelectAM());
  EXPECT_TRUE(time.SelectPM());
  EXPECT_EQ(Clock(time), "21:40:00.000");
  EXPECT_TRUE(time.IsPM());
  EXPECT_FALSE(time.SelectPM());
  EXPECT_TRUE(time.SelectAM());
  EXPECT_EQ(Clock(time), "09:40:00.000");
  EXPECT_FALSE(time.IsPM());

  PickerTime midnight = At(0, 15);
  EXPECT_TRUE(midnight.SelectPM());
  EXPECT_EQ(Clock(midnight), "12:15:00.000");
  EXPECT_TRUE(midnight.SelectAM());
  EXPECT_EQ(Clock(midnight), "00:15:00.000");
}

TEST(PickerTime, StepsWrapAroundMidnightBothWays) {
  PickerTime time = At(23, 59);
  EXPECT_TRUE(time.StepMinutes(1));
  EXPECT_EQ(Clock(time), "00:00:00.000");
  EXPECT_FALSE(time.IsPM());
  EXPECT_TRUE(time.StepMinutes(-1));
  EXPECT_EQ(Clock(time), "23:59:00.000");
  EXPECT_TRUE(time.IsPM());

  time = At(0, 30);
  EXPECT_TRUE(time.StepHours(-1));
  EXPECT_EQ(Clock(time), "23:30:00.000");
  EXPECT_TRUE(time.IsPM());
  EXPECT_TRUE(time.StepHours(1));
  EXPECT_EQ(Clock(time), "00:30:00.000");

  time = At(0, 10);
  EXPECT_TRUE(time.StepHours(-25));
  EXPECT_EQ(Clock(time), "23:10:00.000");
  EXPECT_TRUE(time.StepMinutes(3 * 1440 + 5));
  EXPECT_EQ(Clock(time), "23:15:00.000");
}

TEST(PickerLayout, FormPickerPlacesStripFaceAndRow) {
  PickerLayout layout = FormLayout();
  // lh = 13 + 2 + 4 = 19; the strip ends 19 below the control's top.
  EXPECT_EQ(layout.TimeRect, (TRect{2, 2, 169, 19}));
  // Row top 190 - 5 - 19; items are caption + 14 wide, 5 apart.
  EXPECT_EQ(layout.AMRect, (TRect{5, 166, 39, 185}));
  EXPECT_EQ(layout.PMRect, (TRect{44, 166, 78, 185}));
  // Set starts a third of the way from PM's right to Width - 5: 78 + 88 div 3.
  EXPECT_EQ(layout.SetRect, (TRect{107, 166, 166, 185}));
  // w = 161, h = 166 - 5 - 19 - 5 = 137.
  EXPECT_EQ(layout.ClockCenter, (TPoint{85, 90}));
  EXPECT_EQ(layout.ClockRadius, 68);
  EXPECT_EQ(layout.ClockRect, (TRect{17, 22, 153, 158}));
}

// At 144 pixels per inch the same form is half as large again, its font too:
// the margins and gaps grow with it, so the face keeps its place.
TEST(PickerLayout, MarginsAndGapsFollowTheDensity) {
  PickerLayout layout = UpdateLayout({.ClientRect = {3, 3, 254, 282},
                                      .Width = 257,
                                      .Height = 285,
                                      .TextMetricHeight = 20,
                                      .AMCaptionWidth = 30,
                                      .PMCaptionWidth = 30,
                                      .PixelsPerInch = 144});
  // Lines of 20 + 3 + 6; items 8 in, captions 21 past the glyph.
  EXPECT_EQ(layout.TimeRect, (TRect{3, 3, 254, 29}));
  EXPECT_EQ(layout.AMRect, (TRect{8, 248, 59, 277}));
  EXPECT_EQ(layout.PMRect, (TRect{67, 248, 118, 277}));
  // w = 257 - 15 = 242, h = 248 - 8 - 29 - 8 = 203.
  EXPECT_EQ(layout.ClockCenter, (TPoint{129, 135}));
  EXPECT_EQ(layout.ClockRadius, 101);
}

TEST(PickerLayout, FaceFitsTheNarrowerSideAndVanishesWhenNoRoomIsLeft) {
  // 300 wide, 120 high: h = 96 - 5 - 19 - 5 = 67 limits the radius to 33.
  PickerLayout wide = UpdateLayout({.ClientRect = {0, 0, 300, 120},
                                    .Width = 300,
                                    .Height = 120,
                                    .TextMetricHeight = 13,
                                    .AMCaptionWidth = 20,
                                    .PMCaptionWidth = 20});
  EXPECT_EQ(wide.ClockCenter, (TPoint{150, 55}));
  EXPECT_EQ(wide.ClockRadius, 33);

  // 40 high: h = 16 - 5 - 19 - 5 = -13, so there is no face to hit.
  PickerLayout flat = UpdateLayout({.ClientRect = {0, 0, 40, 40},
                                    .Width = 40,
                                    .Height = 40,
                                    .TextMetricHeight = 13,
                                    .AMCaptionWidth = 20,
                                    .PMCaptionWidth = 20});
  EXPECT_EQ(flat.ClockRadius, 0);
  EXPECT_EQ(flat.ClockRect.Width(), 0);
  EXPECT_FALSE(flat.ClockRect.Contains(flat.ClockCenter));

  PickerLayout beforeFirstPaint;
  for (const TRect& rect : {beforeFirstPaint.ClockRect, beforeFirstPaint.AMRect,
                            beforeFirstPaint.PMRect, beforeFirstPaint.SetRect})
    EXPECT_FALSE(rect.Contains({0, 0}));
}

TEST(PickerAngles, AngleRunsClockwiseFromThreeOClock) {
  constexpr double Pi = 3.14159265358979323846;
  EXPECT_DOUBLE_EQ(AngleFromOffsets(10, 0), 0.0);
  EXPECT_DOUBLE_EQ(AngleFromOffsets(10, 10), Pi / 4);
  EXPECT_DOUBLE_EQ(AngleFromOffsets(0, 10), Pi / 2);
  EXPECT_DOUBLE_EQ(AngleFromOffsets(-10, 0), Pi);
  EXPECT_DOUBLE_EQ(AngleFromOffsets(-10, -10), 5 * Pi / 4);
  EXPECT_DOUBLE_EQ(AngleFromOffsets(0, -10), 3 * Pi / 2);
  EXPECT_DOUBLE_EQ(AngleFromOffsets(10, -10), 7 * Pi / 4);
  EXPECT_LT(AngleFromOffsets(1000000, -1), 2 * Pi);
  EXPECT_DOUBLE_EQ(AngleFromOffsets(0, 0), 3 * Pi / 2) << "the centre counts as 12 o'clock";
}

TEST(PickerAngles, HourIsTheNearestMark) {
  PickerLayout layout = FormLayout();  // centre (85, 90)
  EXPECT_EQ(HourFromPoint(layout, 85, 30), 12);
  EXPECT_EQ(HourFromPoint(layout, 85, 89), 12);
  EXPECT_EQ(HourFromPoint(layout, 85, 90), 12) << "the centre itself";
  EXPECT_EQ(HourFromPoint(layout, 85, 150), 6);
  EXPECT_EQ(HourFromPoint(layout, 145, 90), 3);
  EXPECT_EQ(HourFromPoint(layout, 25, 90), 9);
  // The 1 numeral's centre, 51 out at 30 degrees: (85 + 26, 90 - 44).
  EXPECT_EQ(HourFromPoint(layout, 111, 46), 1);
  // Just left of 12 is still 12, not 11.
  EXPECT_EQ(HourFromPoint(layout, 84, 30), 12);
}

TEST(PickerAngles, HourSectorBoundariesGoToTheLaterMark) {
  PickerLayout layout = FormLayout();
  // The diagonals lie on the 1|2, 4|5, 7|8 and 10|11 boundaries.
  EXPECT_EQ(HourFromPoint(layout, 95, 80), 2);
  EXPECT_EQ(HourFromPoint(layout, 95, 100), 5);
  EXPECT_EQ(HourFromPoint(layout, 75, 100), 8);
  EXPECT_EQ(HourFromPoint(layout, 75, 80), 11);
  EXPECT_EQ(HourFromPoint(layout, 153, 22), 2) << "far out on the same diagonal";
  // One pixel short of the 1|2 boundary (42 degrees).
  EXPECT_EQ(HourFromPoint(layout, 94, 80), 1);
}

TEST(PickerAngles, MinuteIsTheNearestMarkWithBoundariesGoingLater) {
  PickerLayout layout = FormLayout();
  EXPECT_EQ(MinuteFromPoint(layout, 85, 30, false), 0);
  EXPECT_EQ(MinuteFromPoint(layout, 85, 150, false), 30);
  EXPECT_EQ(MinuteFromPoint(layout, 145, 90, false), 15);
  EXPECT_EQ(MinuteFromPoint(layout, 25, 90, false), 45);
  // Diagonals: 7|8, 22|23, 37|38 and 52|53.
  EXPECT_EQ(MinuteFromPoint(layout, 95, 80, false), 8);
  EXPECT_EQ(MinuteFromPoint(layout, 95, 100, false), 23);
  EXPECT_EQ(MinuteFromPoint(layout, 75, 100, false), 38);
  EXPECT_EQ(MinuteFromPoint(layout, 75, 80, false), 53);
  EXPECT_EQ(MinuteFromPoint(layout, 94, 80, false), 7);
  // Just left of 12: 359.05 degrees is nearest 0, not 59.
  EXPECT_EQ(MinuteFromPoint(layout, 84, 30, false), 0);
}

TEST(PickerAngles, RestrictedMinuteRoundsToFive) {
  PickerLayout layout = FormLayout();
  // Tick directions 60 out from the centre: minute 2 at (97, 31), 3 at
  // (104, 33), 7 at (125, 45), 58 at (73, 31).
  EXPECT_EQ(MinuteFromPoint(layout, 97, 31, false), 2);
  EXPECT_EQ(MinuteFromPoint(layout, 97, 31, true), 0);
  EXPECT_EQ(MinuteFromPoint(layout, 104, 33, false), 3);
  EXPECT_EQ(MinuteFromPoint(layout, 104, 33, true), 5);
  EXPECT_EQ(MinuteFromPoint(layout, 125, 45, false), 7);
  EXPECT_EQ(MinuteFromPoint(layout, 125, 45, true), 5);
  EXPECT_EQ(MinuteFromPoint(layout, 73, 31, false), 58);
  EXPECT_EQ(MinuteFromPoint(layout, 73, 31, true), 0) << "58 rounds to 60, which is 0";
  EXPECT_EQ(MinuteFromPoint(layout, 95, 80, true), 10) << "8 rounds up";

  // Ctrl at 58 leaves the hour alone: 21:00, not 22:00.
  PickerTime time = At(21, 40);
  EXPECT_TRUE(time.SetMinute(MinuteFromPoint(layout, 73, 31, true)));
  EXPECT_EQ(Clock(time), "21:00:00.000");
}

TEST(PickerSize, GrowsWithTheFontAndALongSetCaption) {
  // A "0" of 6 by 13: 14 x 13 + 8 high; 13 x 6 + 78 beats 24 x 6.
  EXPECT_EQ(PreferredSize(6, 13, ""), (PickerSize{156, 190}));
  // "Set": 12 x 6 + 2 x 6 x 5 = 132, still under 156.
  EXPECT_EQ(PreferredSize(6, 13, "Set"), (PickerSize{156, 190}));
  // "Set the time": 72 + 12 x 14 = 240.
  EXPECT_EQ(PreferredSize(6, 13, "Set the time"), (PickerSize{240, 190}));
  // A wide "0" of 10 by 20: the empty caption's 240 beats 13 x 10 + 78 = 208,
  // while "OK" asks only 120 + 2 x 10 x 4 = 200.
  EXPECT_EQ(PreferredSize(10, 20, ""), (PickerSize{240, 288}));
  EXPECT_EQ(PreferredSize(10, 20, "OK"), (PickerSize{208, 288}));
}
