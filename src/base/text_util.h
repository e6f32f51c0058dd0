#pragma once
// Small text helpers shared by the formatters and parsers.
#include <string>
#include <string_view>

// ASCII letters only: format pictures and keywords are ASCII, and other bytes
// must pass through unchanged whatever the C locale says.
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

inline bool StartsWithTextAscii(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

// Decimal digits of a non-negative value, with a leading zero below 10 when asked.
inline void AppendNumber(std::string& out, int value, bool twoDigits) {
  if (twoDigits && value >= 0 && value < 10) out += '0';
  out += std::to_string(value);
}
