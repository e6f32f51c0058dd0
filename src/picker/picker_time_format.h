#pragma once
// The text of the picker's time strip, shaped by its Format property.
// Specifiers, in any letter case: h and hh the hour (12-hour when the
// format has an AM/PM specifier, else 24-hour), n, nn, m and mm the minute,
// s and ss the second (always 00: the picker holds whole minutes), "ampm"
// the locale's morning or afternoon designator, "am/pm" and "a/p" those
// letters in the case written. Text in single or double quotes is copied
// as it stands, and every other character stands for itself.
#include <string>
#include <string_view>

// An empty format means "h:mm ampm".
std::string FormatPickerTime(std::string_view format, int hour, int minute, std::string_view am,
                             std::string_view pm);
