#pragma once
// Time of day as text, shaped by a time-format picture in the system's
// notation (the user's long time format): h hh (12-hour), H HH (24-hour),
// m mm, s ss, t tt (first character or whole AM/PM designator), text in
// single quotes, '' for a quote; every other character stands for itself.
// A run of more than two equal letters counts as the two-letter form.
// All texts are UTF-8.
#include <string>
#include <string_view>

#include "base/date_time.h"

// Throws EConvertError when a part is outside the day (hour 0..23, minute and second 0..59).
std::string FormatTimeOfDay(std::string_view picture, int hour, int minute, int second,
                            std::string_view am, std::string_view pm);

class TTimeFormat {
 public:
  TTimeFormat(std::string picture, std::string amDesignator, std::string pmDesignator);

  // The time of day of the value (its date plays no role).
  std::string Format(TDateTime value) const;

 private:
  std::string FPicture;
  std::string FAmDesignator;
  std::string FPmDesignator;
};
