#pragma once
// The frame commands a form permits; a set is an OR of these bits.
#include <cstdint>

enum TSkinBorderIcon : uint32_t {
  sbiSystemMenu = 1, sbiMinimize = 2, sbiMaximize = 4, sbiRollUp = 8, sbiMinimizeToTray = 16,
};
