#include "base/time_format.h"

#include <gtest/gtest.h>

#include "base/exceptions.h"

namespace {

std::string Format(std::string_view picture, int h, int m, int s) {
  return FormatTimeOfDay(picture, h, m, s, "AM", "PM");
}

}  // namespace

TEST(TimeFormat, HourMinuteSecondFieldsWithAndWithoutLeadingZeros) {
  EXPECT_EQ(Format("HH:mm:ss", 23, 30, 0), "23:30:00");
  EXPECT_EQ(Format("HH:mm:ss", 5, 7, 9), "05:07:09");
  EXPECT_EQ(Format("H:m:s", 5, 7, 9), "5:7:9");
  EXPECT_EQ(Format("H:mm", 0, 0, 0), "0:00");
  EXPECT_EQ(Format("HHH:mmm:sss", 5, 7, 9), "05:07:09") << "longer runs count as two letters";
}

TEST(TimeFormat, TwelveHourClockAroundNoonAndMidnight) {
  EXPECT_EQ(Format("h:mm tt", 0, 5, 0), "12:05 AM");
  EXPECT_EQ(Format("h:mm tt", 11, 59, 0), "11:59 AM");
  EXPECT_EQ(Format("h:mm tt", 12, 0, 0), "12:00 PM");
  EXPECT_EQ(Format("hh:mm t", 13, 0, 0), "01:00 P");
  EXPECT_EQ(Format("hh:mm:ss tt", 23, 59, 59), "11:59:59 PM");
}

TEST(TimeFormat, DesignatorsAreWholeUtf8Characters) {
  EXPECT_EQ(FormatTimeOfDay("tt h:mm", 9, 0, 0, "上午", "下午"), "上午 9:00");
  EXPECT_EQ(FormatTimeOfDay("t h:mm", 21, 0, 0, "上午", "下午"), "下 9:00");
  EXPECT_EQ(FormatTimeOfDay("H:mm tt", 21, 0, 0, "", ""), "21:00 ");
  EXPECT_EQ(FormatTimeOfDay("H:mm t", 21, 0, 0, "", ""), "21:00 ");
}

TEST(TimeFormat, QuotedTextAndLiterals) {
  EXPECT_EQ(Format("H 'h' mm 'min'", 7, 5, 0), "7 h 05 min");
  EXPECT_EQ(Format("H''mm", 7, 5, 0), "7'05");
  EXPECT_EQ(Format("H 'o''clock'", 7, 0, 0), "7 o'clock");
  EXPECT_EQ(Format("H 'open ended", 7, 0, 0), "7 open ended");
  EXPECT_EQ(Format("H:mm '", 7, 0, 0), "7:00 ");
  EXPECT_EQ(Format("HH时mm分ss秒", 23, 30, 0), "23时30分00秒");
  EXPECT_EQ(Format("H.mm.ss", 8, 1, 2), "8.01.02");
  EXPECT_EQ(Format("MM-SS-TT", 8, 1, 2), "MM-SS-TT") << "upper-case M, S and T are not fields";
  EXPECT_EQ(Format("", 8, 1, 2), "");
}

TEST(TimeFormat, RejectsPartsOutsideTheDay) {
  EXPECT_THROW(Format("H", 24, 0, 0), EConvertError);
  EXPECT_THROW(Format("H", -1, 0, 0), EConvertError);
  EXPECT_THROW(Format("H", 0, 60, 0), EConvertError);
  EXPECT_THROW(Format("H", 0, 0, 60), EConvertError);
}

TEST(TimeFormat, FormatsTheTimeOfDayOfADateTime) {
  TTimeFormat format("HH:mm:ss", "AM", "PM");
  EXPECT_EQ(format.Format(EncodeTime(23, 30, 0, 0)), "23:30:00");
  EXPECT_EQ(format.Format(45429.0 + EncodeTime(23, 30, 0, 0)), "23:30:00");
  EXPECT_EQ(format.Format(EncodeTime(23, 30, 0, 999)), "23:30:00") << "milliseconds are dropped";
  EXPECT_EQ(format.Format(1.0 - 1e-10), "00:00:00");
  EXPECT_EQ(TTimeFormat("h:mm tt", "AM", "PM").Format(0.75), "6:00 PM");
}
