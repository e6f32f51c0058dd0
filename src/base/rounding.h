#pragma once
// The one rounding rule of the program: to the nearest integer, halves to
// the even neighbour (the floating-point unit's default mode).
#include <cmath>
#include <cstdint>

inline int64_t RoundHalfEven(double value) {
  double whole = std::floor(value);
  double rest = value - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return static_cast<int64_t>(whole);
}

inline int RoundHalfEvenToInt(double value) { return static_cast<int>(RoundHalfEven(value)); }
