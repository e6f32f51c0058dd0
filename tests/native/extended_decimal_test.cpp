#include "formc/extended_decimal.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <random>
#include <vector>

namespace {

ExtendedBytes Bits(uint64_t mantissa, uint16_t signAndExponent) {
  ExtendedBytes bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(mantissa >> (8 * i));
  bytes[8] = static_cast<uint8_t>(signAndExponent);
  bytes[9] = static_cast<uint8_t>(signAndExponent >> 8);
  return bytes;
}

// Finite values of every kind: normals over the whole exponent range, denormals, both signs.
ExtendedBytes RandomFinite(std::mt19937_64& random) {
  uint64_t mantissa = random();
  uint16_t exponent = static_cast<uint16_t>(random() % 0x7FFF);
  if (exponent == 0) mantissa >>= random() % 64;
  else mantissa |= uint64_t{1} << 63;
  if (random() % 2) exponent |= 0x8000;
  return Bits(mantissa, exponent);
}

// 2^-power in full: 5^power shifted by power decimal places.
std::string ExactNegativePowerOfTwo(int power) {
  std::vector<uint32_t> limbs{1};  // base 10^9, least significant first
  for (int left = power; left > 0; left -= 13) {
    uint64_t factor = 1, carry = 0;
    for (int i = 0; i < std::min(left, 13); ++i) factor *= 5;
    for (uint32_t& limb : limbs) {
      uint64_t product = limb * factor + carry;
      limb = static_cast<uint32_t>(product % 1000000000);
      carry = product / 1000000000;
    }
    for (; carry != 0; carry /= 1000000000) limbs.push_back(static_cast<uint32_t>(carry % 1000000000));
  }
  std::string digits = std::to_string(limbs.back());
  for (size_t i = limbs.size() - 1; i-- > 0;) {
    std::string part = std::to_string(limbs[i]);
    digits += std::string(9 - part.size(), '0') + part;
  }
  return "0." + std::string(static_cast<size_t>(power) - digits.size(), '0') + digits;
}

}  // namespace

TEST(ExtendedDecimal, KnownValuesReadAndWriteAsTheirShortestText) {
  struct Case {
    ExtendedBytes bits;
    const char* text;
  } cases[] = {
      {Bits(0xC000000000000000ull, 0x3FFF), "1.5"},
      {Bits(0xCCCCCCCCCCCCCCCDull, 0x3FFB), "0.1"},
      {Bits(0xCCCCCCCCCCCCCCCDull, 0xBFFB), "-0.1"},
      {Bits(0x8000000000000000ull, 0x400C), "8192"},
      {Bits(0, 0x8000), "-0"},
      {Bits(0xFFFFFFFFFFFFFFFFull, 0x7FFE), "1.189731495357231765e+4932"},
      {Bits(1, 0), "4e-4951"},
      {Bits(0x8000000000000000ull, 0x0001), "3.3621031431120935063e-4932"},
      {Bits(0x8000000000000000ull, 0x7FFF), "+Inf"},
      {Bits(0xC000000000000000ull, 0xFFFF), "-NaN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatExtended(c.bits), c.text);
    if (c.text[1] == 'I' || c.text[1] == 'N') continue;
    bool negative = c.text[0] == '-';
    EXPECT_EQ(ParseExtended(c.text + (negative ? 1 : 0), negative), c.bits) << c.text;
  }
}

TEST(ExtendedDecimal, ReadingRoundsToNearestTiesToEvenAndRefusesOnlyOverflow) {
  // 2^64 + 1 and 2^64 + 3 lie halfway between neighbours 2 apart.
  EXPECT_EQ(ParseExtended("18446744073709551617", false), Bits(0x8000000000000000ull, 0x403F));
  EXPECT_EQ(ParseExtended("18446744073709551619", false), Bits(0x8000000000000002ull, 0x403F));
  // Just past the halfway point, however far down the text says so.
  std::string justAbove = "18446744073709551617." + std::string(7000, '0') + "1";
  EXPECT_EQ(ParseExtended(justAbove, false), Bits(0x8000000000000001ull, 0x403F));
  EXPECT_EQ(ParseExtended("1" + std::string(7000, '0') + "e-7000", false), Bits(0x8000000000000000ull, 0x3FFF));
  EXPECT_EQ(ParseExtended("0.000" + std::string(5000, '0') + "1e5004", false), Bits(0x8000000000000000ull, 0x3FFF));
  // Half the least denormal, to its last of 11496 digits, goes to zero (even); a little more to the least denormal.
  std::string half = ExactNegativePowerOfTwo(16446);
  EXPECT_EQ(ParseExtended(half, false), Bits(0, 0));
  EXPECT_EQ(ParseExtended(half + "1", false), Bits(1, 0));
  // The least denormal cut short is still nearest to it.
  EXPECT_EQ(ParseExtended(ExactNegativePowerOfTwo(16445).substr(0, 4990), false), Bits(1, 0));
  EXPECT_EQ(ParseExtended("1e-99999", true), Bits(0, 0x8000));
  // The largest denormal rounds up into the least normal.
  EXPECT_EQ(ParseExtended("3.362103143112093506262677817321752e-4932", false), Bits(0x8000000000000000ull, 0x0001));
  EXPECT_FALSE(ParseExtended("1.2e4932", false));
  EXPECT_FALSE(ParseExtended("1e999999", true));
  EXPECT_TRUE(ParseExtended("1.1897314953572317650e4932", false));
}

TEST(ExtendedDecimal, EveryFiniteValueReadsBackFromItsText) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 500; ++i) {
    ExtendedBytes bits = RandomFinite(random);
    std::string text = FormatExtended(bits);
    bool negative = text[0] == '-';
    ASSERT_EQ(ParseExtended(std::string_view(text).substr(negative ? 1 : 0), negative), bits) << text;
  }
  // A non-canonical pattern (integer bit clear above the denormals) reads back as its canonical value.
  EXPECT_EQ(ParseExtended(FormatExtended(Bits(0x4000000000000000ull, 0x3FFF)), false), Bits(0x8000000000000000ull, 0x3FFE));
}

// Where long double is the x87 type, the C++ library is a second, independent opinion.
TEST(ExtendedDecimal, AgreesWithTheLibraryWhereLongDoubleIsExtended) {
  if constexpr (LDBL_MANT_DIG != 64) {
    GTEST_SKIP() << "long double is not the 80-bit extended type here";
  } else {
    std::mt19937_64 random(11);
    for (int i = 0; i < 500; ++i) {
      ExtendedBytes bits = RandomFinite(random);
      long double value = 0;
      std::memcpy(&value, bits.data(), bits.size());
      char buffer[64];
      auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
      ASSERT_EQ(FormatExtended(bits), std::string(buffer, written.ptr));

      std::string text = std::to_string(random() % 100000000) + "." + std::to_string(random()) + "e" +
                         std::to_string(static_cast<int>(random() % 9860) - 4950);
      long double expected = std::strtold(text.c_str(), nullptr);
      ExtendedBytes expectedBits{};
      std::memcpy(expectedBits.data(), &expected, expectedBits.size());
      std::optional<ExtendedBytes> parsed = ParseExtended(text, false);
      if (expected == HUGE_VALL) ASSERT_FALSE(parsed) << text;
      else ASSERT_EQ(parsed, expectedBits) << text;
    }
  }
}
