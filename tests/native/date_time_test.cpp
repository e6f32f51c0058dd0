#include "base/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/exceptions.h"

namespace {

struct Decoded {
  int Hour, Minute, Second, Millisecond;
  bool operator==(const Decoded&) const = default;
};

Decoded Decode(TDateTime value) {
  Decoded d{};
  DecodeTime(value, d.Hour, d.Minute, d.Second, d.Millisecond);
  return d;
}

std::ostream& operator<<(std::ostream& out, const Decoded& d) {
  return out << d.Hour << ':' << d.Minute << ':' << d.Second << '.' << d.Millisecond;
}

}  // namespace

TEST(DateTime, EncodeTimeGivesFractionOfADay) {
  EXPECT_DOUBLE_EQ(EncodeTime(0, 0, 0, 0), 0.0);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
}

TEST(DateTime, EncodeTimeRejectsPartsOutsideTheDay) {
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, -1, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, -1, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, -1), EConvertError);
}

TEST(DateTime, DecodeTimeRoundTripsEveryEncodedTime) {
  // Every second of the day, with the millisecond values where rounding could slip.
  for (int second = 0; second < 86400; ++second) {
    for (int ms : {0, 1, 499, 500, 999}) {
      Decoded expected{second / 3600, second / 60 % 60, second % 60, ms};
      TDateTime value = EncodeTime(expected.Hour, expected.Minute, expected.Second, ms);
      ASSERT_EQ(Decode(value), expected);
      ASSERT_EQ(Decode(value + 45000.0), expected) << "the date part is ignored";
    }
  }
}

TEST(DateTime, DecodeTimeRoundsToTheNearestMillisecondWithoutReachingMidnight) {
  const double ms = 1.0 / 86400000.0;
  EXPECT_EQ(Decode(0.4 * ms), (Decoded{0, 0, 0, 0}));
  EXPECT_EQ(Decode(0.6 * ms), (Decoded{0, 0, 0, 1}));
  EXPECT_EQ(Decode(1.0 - 0.4 * ms), (Decoded{0, 0, 0, 0})) << "never 24:00";
  EXPECT_EQ(Decode(1.0 - 0.6 * ms), (Decoded{23, 59, 59, 999}));
  EXPECT_EQ(Decode(EncodeTime(10, 20, 59, 999) + 0.7 * ms), (Decoded{10, 21, 0, 0}))
      << "never 60 s";
  EXPECT_EQ(Decode(std::nextafter(1.0, 0.0)), (Decoded{0, 0, 0, 0}));
}

TEST(DateTime, NegativeValuesUseTheAbsoluteFraction) {
  EXPECT_EQ(Decode(-1.25), (Decoded{6, 0, 0, 0}));
  EXPECT_EQ(Decode(-0.75), (Decoded{18, 0, 0, 0}));
  EXPECT_DOUBLE_EQ(Frac(-1.25), -0.25);
  EXPECT_DOUBLE_EQ(Frac(2.75), 0.75);
  EXPECT_DOUBLE_EQ(Frac(-3.0), 0.0);
}

TEST(DateTime, DecodeTimeRejectsValuesThatAreNotTimes) {
  int h, m, s, ms;
  EXPECT_THROW(DecodeTime(std::numeric_limits<double>::quiet_NaN(), h, m, s, ms), EConvertError);
  EXPECT_THROW(DecodeTime(std::numeric_limits<double>::infinity(), h, m, s, ms), EConvertError);
  EXPECT_THROW(DecodeTime(1e300, h, m, s, ms), EConvertError);
  EXPECT_THROW(LocalTimestamp::FromDateTime(-1e300), EConvertError);
}

TEST(LocalTimestampTest, FromPartsCountsFromTheFrameworkEpoch) {
  EXPECT_EQ(LocalTimestamp::FromParts(1899, 12, 30, 0, 0, 0, 0).Milliseconds, 0);
  EXPECT_EQ(LocalTimestamp::FromParts(1899, 12, 29, 6, 0, 0, 0).Milliseconds, -64800000);
  EXPECT_EQ(LocalTimestamp::FromParts(1900, 1, 1, 0, 0, 0, 0).Milliseconds, 2 * MSecsPerDay);
  // 2000-01-01 is day 36526 in the framework's reckoning; leap days in 1900 (none) and 2000 (one).
  EXPECT_EQ(LocalTimestamp::FromParts(2000, 1, 1, 0, 0, 0, 0).Milliseconds, 36526 * MSecsPerDay);
  EXPECT_EQ(LocalTimestamp::FromParts(2000, 3, 1, 0, 0, 0, 0).Milliseconds -
                LocalTimestamp::FromParts(2000, 2, 28, 0, 0, 0, 0).Milliseconds,
            2 * MSecsPerDay);
  EXPECT_EQ(LocalTimestamp::FromParts(2024, 5, 17, 23, 30, 15, 250).Milliseconds,
            45429 * MSecsPerDay + ((23 * 60 + 30) * 60 + 15) * 1000 + 250);
}

TEST(LocalTimestampTest, FromPartsRejectsInvalidDatesAndTimes) {
  EXPECT_THROW(LocalTimestamp::FromParts(2023, 2, 29, 0, 0, 0, 0), EConvertError);
  EXPECT_THROW(LocalTimestamp::FromParts(1900, 2, 29, 0, 0, 0, 0), EConvertError);
  EXPECT_NO_THROW(LocalTimestamp::FromParts(2000, 2, 29, 0, 0, 0, 0));
  EXPECT_THROW(LocalTimestamp::FromParts(2024, 4, 31, 0, 0, 0, 0), EConvertError);
  EXPECT_THROW(LocalTimestamp::FromParts(2024, 13, 1, 0, 0, 0, 0), EConvertError);
  EXPECT_THROW(LocalTimestamp::FromParts(2024, 0, 1, 0, 0, 0, 0), EConvertError);
  EXPECT_THROW(LocalTimestamp::FromParts(2024, 1, 0, 0, 0, 0, 0), EConvertError);
  EXPECT_THROW(LocalTimestamp::FromParts(0, 1, 1, 0, 0, 0, 0), EConvertError);
  EXPECT_THROW(LocalTimestamp::FromParts(2024, 1, 1, 24, 0, 0, 0), EConvertError);
  EXPECT_THROW(LocalTimestamp::FromParts(2024, 1, 1, 0, 0, 0, 1000), EConvertError);
}

TEST(LocalTimestampTest, AgreesWithTheDateTimeValueOfTheSameMoment) {
  LocalTimestamp fromParts = LocalTimestamp::FromParts(2024, 5, 17, 18, 45, 30, 125);
  TDateTime value = 45429.0 + EncodeTime(18, 45, 30, 125);
  EXPECT_EQ(LocalTimestamp::FromDateTime(value), fromParts);
  EXPECT_EQ(fromParts.MillisecondOfDay(), ((18 * 60 + 45) * 60 + 30) * 1000 + 125);
  EXPECT_DOUBLE_EQ(fromParts.TimeOfDay(), EncodeTime(18, 45, 30, 125));

  // Before the epoch the day counts toward zero and the time of day stays positive.
  EXPECT_EQ(LocalTimestamp::FromDateTime(-1.25), LocalTimestamp::FromParts(1899, 12, 29, 6, 0, 0, 0));
  EXPECT_EQ(LocalTimestamp::FromDateTime(-1.25).MillisecondOfDay(), 6 * 3600000);
  EXPECT_EQ(LocalTimestamp::FromDateTime(1.0 - 1e-12), LocalTimestamp::FromParts(1899, 12, 31, 0, 0, 0, 0));
}
