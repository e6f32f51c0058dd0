#pragma once

// Decimal text to and from the form stream's 80-bit extended values, done in
// integers so that every compiler gives the same exact results, whatever its
// long double is.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Little-endian: 64-bit mantissa with its integer bit, then 15-bit exponent and sign.
using ExtendedBytes = std::array<uint8_t, 10>;

ExtendedBytes ExtendedInfinity(bool negative);
ExtendedBytes ExtendedQuietNaN(bool negative);

// The shortest decimal that reads back to the same value, closest to it on a
// tie of lengths, in fixed or scientific notation, whichever is shorter
// ("0.1", "1e+4000", "-0"); infinities and NaNs as "+Inf", "-NaN".
std::string FormatExtended(const ExtendedBytes& bytes);

// `digits` is an unsigned decimal ("12.5", "3e-4950"). Rounds to nearest, ties
// to even, denormals included; nothing when the value is beyond the finite range.
std::optional<ExtendedBytes> ParseExtended(std::string_view digits, bool negative);
