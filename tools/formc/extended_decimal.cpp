#include "formc/extended_decimal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace {

constexpr int kExponentBias = 16383;
constexpr int kExponentField = 0x7FFF;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
// Past these decimal magnitudes a value is surely beyond the finite range or
// below half the least denormal (about 1.19e4932 and 3.65e-4951).
constexpr int64_t kLargestMagnitude = 4933;
constexpr int64_t kSmallestMagnitude = -4952;
// Enough digits to decide every rounding (a tie between two denormals has
// 11496); the rest only tell whether they are all zero.
constexpr size_t kDecidingDigits = 11600;

// Just enough of an unsigned big integer for exact scaling by powers of 2 and 10.
class BigUint {
 public:
  explicit BigUint(uint64_t value = 0) {
    for (; value != 0; value >>= 32) FLimbs.push_back(static_cast<uint32_t>(value));
  }

  bool IsZero() const { return FLimbs.empty(); }
  size_t BitLength() const {
    return FLimbs.empty() ? 0 : 32 * FLimbs.size() - static_cast<size_t>(std::countl_zero(FLimbs.back()));
  }
  uint64_t Low64() const {
    uint64_t value = 0;
    for (size_t i = 0; i < FLimbs.size() && i < 2; ++i) value |= static_cast<uint64_t>(FLimbs[i]) << (32 * i);
    return value;
  }

  void MultiplyAdd(uint32_t factor, uint32_t addend) {
    uint64_t carry = addend;
    for (uint32_t& limb : FLimbs) {
      uint64_t product = static_cast<uint64_t>(limb) * factor + carry;
      limb = static_cast<uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) FLimbs.push_back(static_cast<uint32_t>(carry));
  }

  void MultiplyByPowerOf10(int64_t count) {
    for (; count >= 9; count -= 9) MultiplyAdd(1000000000, 0);
    for (; count > 0; --count) MultiplyAdd(10, 0);
  }

  // Returns the remainder.
  uint32_t DivideSmall(uint32_t divisor) {
    uint64_t remainder = 0;
    for (size_t i = FLimbs.size(); i-- > 0;) {
      uint64_t part = (remainder << 32) | FLimbs[i];
      FLimbs[i] = static_cast<uint32_t>(part / divisor);
      remainder = part % divisor;
    }
    Trim();
    return static_cast<uint32_t>(remainder);
  }

  void ShiftLeft(size_t bits) {
    if (FLimbs.empty() || bits == 0) return;
    size_t whole = bits / 32, part = bits % 32;
    if (part != 0) {
      uint32_t carry = 0;
      for (uint32_t& limb : FLimbs) {
        uint32_t next = limb >> (32 - part);
        limb = (limb << part) | carry;
        carry = next;
      }
      if (carry != 0) FLimbs.push_back(carry);
    }
    FLimbs.insert(FLimbs.begin(), whole, 0);
  }

  void ShiftRightOne() {
    for (size_t i = 0; i < FLimbs.size(); ++i)
      FLimbs[i] = (FLimbs[i] >> 1) | (i + 1 < FLimbs.size() ? FLimbs[i + 1] << 31 : 0);
    Trim();
  }

  void SetBit(size_t bit) {
    if (FLimbs.size() <= bit / 32) FLimbs.resize(bit / 32 + 1, 0);
    FLimbs[bit / 32] |= uint32_t{1} << (bit % 32);
  }

  // *this -= other, where other <= *this.
  void Subtract(const BigUint& other) {
    int64_t borrow = 0;
    for (size_t i = 0; i < FLimbs.size(); ++i) {
      int64_t difference = static_cast<int64_t>(FLimbs[i]) - borrow - (i < other.FLimbs.size() ? other.FLimbs[i] : 0);
      borrow = difference < 0;
      FLimbs[i] = static_cast<uint32_t>(difference + (borrow << 32));
    }
    Trim();
  }

  friend int Compare(const BigUint& a, const BigUint& b) {
    if (a.FLimbs.size() != b.FLimbs.size()) return a.FLimbs.size() < b.FLimbs.size() ? -1 : 1;
    for (size_t i = a.FLimbs.size(); i-- > 0;)
      if (a.FLimbs[i] != b.FLimbs[i]) return a.FLimbs[i] < b.FLimbs[i] ? -1 : 1;
    return 0;
  }

  std::string ToDecimal() const {
    if (IsZero()) return "0";
    BigUint rest = *this;
    std::string digits;
    while (!rest.IsZero()) digits += static_cast<char>('0' + rest.DivideSmall(10));
    std::reverse(digits.begin(), digits.end());
    return digits;
  }

 private:
  void Trim() {
    while (!FLimbs.empty() && FLimbs.back() == 0) FLimbs.pop_back();
  }

  std::vector<uint32_t> FLimbs;  // least significant first
};

BigUint Shifted(BigUint value, size_t bits) {
  value.ShiftLeft(bits);
  return value;
}

// Long division, one quotient bit at a time: numerator becomes the remainder.
BigUint Divide(BigUint& numerator, const BigUint& denominator) {
  BigUint quotient;
  if (Compare(numerator, denominator) < 0) return quotient;
  size_t top = numerator.BitLength() - denominator.BitLength();
  BigUint part = Shifted(denominator, top);
  for (size_t bit = top + 1; bit-- > 0; part.ShiftRightOne()) {
    if (Compare(numerator, part) >= 0) {
      numerator.Subtract(part);
      quotient.SetBit(bit);
    }
  }
  return quotient;
}

struct Parts {
  bool negative = false;
  int field = 0;  // biased exponent
  uint64_t mantissa = 0;
};

Parts Split(const ExtendedBytes& bytes) {
  Parts parts;
  for (int i = 0; i < 8; ++i) parts.mantissa |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  unsigned top = bytes[8] | (bytes[9] << 8);
  parts.negative = (top & 0x8000) != 0;
  parts.field = static_cast<int>(top & kExponentField);
  return parts;
}

ExtendedBytes Join(const Parts& parts) {
  ExtendedBytes bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(parts.mantissa >> (8 * i));
  unsigned top = static_cast<unsigned>(parts.field) | (parts.negative ? 0x8000u : 0u);
  bytes[8] = static_cast<uint8_t>(top);
  bytes[9] = static_cast<uint8_t>(top >> 8);
  return bytes;
}

// The one encoding of a finite value: integer bit set unless denormal.
Parts Canonical(Parts parts) {
  if (parts.mantissa == 0) return {parts.negative, 0, 0};
  if (parts.field == 0) parts.field = 1;  // a denormal's scale
  while ((parts.mantissa & kIntegerBit) == 0 && parts.field > 1) {
    parts.mantissa <<= 1;
    --parts.field;
  }
  if ((parts.mantissa & kIntegerBit) == 0) parts.field = 0;
  return parts;
}

// Rounds mantissa + fraction (given as remainder / denominator) right by
// `shift` bits, to nearest with ties to even.
uint64_t RoundShifted(uint64_t mantissa, bool fractionAboveZero, int shift) {
  if (shift >= 65) return 0;  // below a quarter of the unit
  uint64_t kept = shift >= 64 ? 0 : mantissa >> shift;
  uint64_t dropped = shift >= 64 ? mantissa : mantissa & ((uint64_t{1} << shift) - 1);
  uint64_t half = uint64_t{1} << (shift - 1);
  bool up = dropped > half || (dropped == half && (fractionAboveZero || (kept & 1) != 0));
  return kept + (up ? 1 : 0);
}

// The nearest extended value to digits x 10^exponent, digits without leading zeros.
std::optional<Parts> Nearest(const std::string& digits, int64_t exponent, bool negative) {
  if (digits.empty()) return Parts{negative, 0, 0};
  int64_t magnitude = static_cast<int64_t>(digits.size()) + exponent;
  if (magnitude > kLargestMagnitude) return std::nullopt;
  if (magnitude < kSmallestMagnitude) return Parts{negative, 0, 0};

  BigUint numerator, denominator(1);
  for (char digit : digits) numerator.MultiplyAdd(10, static_cast<uint32_t>(digit - '0'));
  if (exponent >= 0) numerator.MultiplyByPowerOf10(exponent);
  else denominator.MultiplyByPowerOf10(-exponent);

  // Scale by 2^shift so that 2^63 <= numerator / denominator < 2^64.
  int64_t shift = 64 - (static_cast<int64_t>(numerator.BitLength()) - static_cast<int64_t>(denominator.BitLength()));
  if (shift > 0) numerator.ShiftLeft(static_cast<size_t>(shift));
  else denominator.ShiftLeft(static_cast<size_t>(-shift));
  if (Compare(numerator, Shifted(denominator, 63)) < 0) {
    numerator.ShiftLeft(1);
    ++shift;
  }
  if (Compare(numerator, Shifted(denominator, 64)) >= 0) {
    denominator.ShiftLeft(1);
    --shift;
  }
  uint64_t mantissa = Divide(numerator, denominator).Low64();
  BigUint& remainder = numerator;

  int64_t field = 63 - shift + kExponentBias;
  if (field >= 1) {
    int order = Compare(Shifted(remainder, 1), denominator);
    if (order > 0 || (order == 0 && (mantissa & 1) != 0)) {
      if (++mantissa == 0) {
        mantissa = kIntegerBit;
        ++field;
      }
    }
    if (field >= kExponentField) return std::nullopt;
    return Parts{negative, static_cast<int>(field), mantissa};
  }
  uint64_t denormal = RoundShifted(mantissa, !remainder.IsZero(), static_cast<int>(std::min<int64_t>(1 - field, 65)));
  // Rounding up into the integer bit gives the least normal value.
  return Parts{negative, (denormal & kIntegerBit) ? 1 : 0, denormal};
}

std::string Zeros(int64_t count) { return std::string(static_cast<size_t>(std::max<int64_t>(count, 0)), '0'); }

// digits (no leading or trailing zeros) x 10^exponent, as std::to_chars writes its shortest form.
std::string Notation(const std::string& digits, int64_t exponent) {
  int64_t count = static_cast<int64_t>(digits.size());
  int64_t leading = exponent + count - 1;  // power of ten of the first digit
  std::string scientific = digits.substr(0, 1);
  if (count > 1) scientific += "." + digits.substr(1);
  uint64_t power = static_cast<uint64_t>(leading < 0 ? -leading : leading);
  scientific += std::string(leading < 0 ? "e-" : "e+") + (power < 10 ? "0" : "") + std::to_string(power);
  std::string fixed;
  if (exponent >= 0) fixed = digits + Zeros(exponent);
  else if (leading >= 0) fixed = digits.substr(0, static_cast<size_t>(leading + 1)) + "." + digits.substr(static_cast<size_t>(leading + 1));
  else fixed = "0." + Zeros(-leading - 1) + digits;
  return fixed.size() <= scientific.size() ? fixed : scientific;
}

void TrimTrailingZeros(std::string& digits, int64_t& exponent) {
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
    ++exponent;
  }
}

bool SameValue(const std::optional<Parts>& a, const Parts& b) {
  return a && a->field == b.field && a->mantissa == b.mantissa;
}

}  // namespace

ExtendedBytes ExtendedInfinity(bool negative) { return Join({negative, kExponentField, kIntegerBit}); }
ExtendedBytes ExtendedQuietNaN(bool negative) { return Join({negative, kExponentField, kIntegerBit | (kIntegerBit >> 1)}); }

std::string FormatExtended(const ExtendedBytes& bytes) {
  Parts parts = Split(bytes);
  const char* sign = parts.negative ? "-" : "";
  if (parts.field == kExponentField)
    return std::string(parts.negative ? "-" : "+") + ((parts.mantissa << 1) == 0 ? "Inf" : "NaN");
  parts = Canonical(parts);
  if (parts.mantissa == 0) return std::string(sign) + "0";

  // value = mantissa x 2^binary
  int64_t binary = std::max(parts.field, 1) - kExponentBias - 63;
  BigUint numerator(parts.mantissa), denominator(1);
  if (binary >= 0) numerator.ShiftLeft(static_cast<size_t>(binary));
  else denominator.ShiftLeft(static_cast<size_t>(-binary));
  // Power of ten of the first digit, from an estimate corrected below.
  int64_t leading = static_cast<int64_t>(
      std::floor((static_cast<double>(std::bit_width(parts.mantissa)) - 1 + static_cast<double>(binary)) * 0.30102999566398120));

  struct Decimal {
    std::string digits;
    int64_t exponent;
  };
  // The closest `count`-digit decimal on either side of the value, if one reads back to it.
  auto fitting = [&](int64_t count) -> std::optional<Decimal> {
    int64_t exponent = leading - count + 1;
    BigUint scaledNumerator = numerator, scaledDenominator = denominator;
    if (exponent < 0) scaledNumerator.MultiplyByPowerOf10(-exponent);
    else scaledDenominator.MultiplyByPowerOf10(exponent);
    BigUint below = Divide(scaledNumerator, scaledDenominator);
    Decimal low{below.ToDecimal(), exponent};
    bool lowEven = (low.digits.back() - '0') % 2 == 0;
    below.MultiplyAdd(1, 1);
    Decimal high{below.ToDecimal(), exponent};
    TrimTrailingZeros(low.digits, low.exponent);
    TrimTrailingZeros(high.digits, high.exponent);
    bool lowFits = SameValue(Nearest(low.digits, low.exponent, false), parts);
    bool highFits = !scaledNumerator.IsZero() && SameValue(Nearest(high.digits, high.exponent, false), parts);
    if (lowFits && highFits) {
      // Both read back: the closer one, the even one when halfway.
      int order = Compare(Shifted(scaledNumerator, 1), scaledDenominator);
      lowFits = order < 0 || (order == 0 && lowEven);
    }
    if (lowFits) return low;
    if (highFits) return high;
    return std::nullopt;
  };
  // Correct the estimate: one digit before the point at that power.
  for (;;) {
    BigUint scaledNumerator = numerator, scaledDenominator = denominator;
    if (leading < 0) scaledNumerator.MultiplyByPowerOf10(-leading);
    else scaledDenominator.MultiplyByPowerOf10(leading);
    BigUint first = Divide(scaledNumerator, scaledDenominator);
    if (first.IsZero()) --leading;
    else if (Compare(first, BigUint(10)) >= 0) ++leading;
    else break;
  }
  // More digits never read back worse, and 21 always read back: search for the fewest.
  int64_t fewest = 1, most = 21;
  std::optional<Decimal> best = fitting(most);
  while (fewest < most) {
    int64_t middle = (fewest + most) / 2;
    if (std::optional<Decimal> found = fitting(middle)) {
      best = found;
      most = middle;
    } else {
      fewest = middle + 1;
    }
  }
  return sign + Notation(best->digits, best->exponent);
}

std::optional<ExtendedBytes> ParseExtended(std::string_view text, bool negative) {
  std::string digits;
  int64_t exponent = 0;
  bool nonZeroDropped = false;
  size_t at = 0;
  bool afterPoint = false;
  for (; at < text.size(); ++at) {
    char c = text[at];
    if (c == '.') {
      afterPoint = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    if (digits.empty() && c == '0') {
      if (afterPoint) --exponent;
      continue;
    }
    if (digits.size() < kDecidingDigits) {
      digits += c;
      if (afterPoint) --exponent;
    } else {
      nonZeroDropped = nonZeroDropped || c != '0';
      if (!afterPoint) ++exponent;
    }
  }
  // A dropped tail that is not all zeros only needs to move the value off a tie.
  if (nonZeroDropped) {
    digits += '1';
    --exponent;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    bool negativeExponent = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    int64_t power = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) power = std::min<int64_t>(power * 10 + (text[at] - '0'), 1000000);
    exponent += negativeExponent ? -power : power;
  }
  TrimTrailingZeros(digits, exponent);
  std::optional<Parts> parts = Nearest(digits, exponent, negative);
  if (!parts) return std::nullopt;
  return Join(*parts);
}
