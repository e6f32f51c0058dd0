#include "picker/picker_time_format.h"

#include "base/text_util.h"

namespace {

bool HasHalfDaySpecifier(std::string_view format) {
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (quote) {
      if (format[i] == quote) quote = 0;
    } else if (format[i] == '\'' || format[i] == '"') {
      quote = format[i];
    } else if (StartsWithTextAscii(format.substr(i), "ampm") || StartsWithTextAscii(format.substr(i), "am/pm") ||
               StartsWithTextAscii(format.substr(i), "a/p")) {
      return true;
    }
  }
  return false;
}

// One of two alternatives written "x/y", in the case of the letters as written.
std::string_view ChooseWritten(std::string_view written, bool pm) {
  size_t slash = written.find('/');
  return pm ? written.substr(slash + 1) : written.substr(0, slash);
}

}  // namespace

std::string FormatPickerTime(std::string_view format, int hour, int minute, std::string_view am,
                             std::string_view pm) {
  if (format.empty()) format = "h:mm ampm";
  const bool twelveHour = HasHalfDaySpecifier(format);
  const bool isPM = hour >= 12;
  std::string out;
  size_t i = 0;
  while (i < format.size()) {
    std::string_view rest = format.substr(i);
    char c = AsciiLower(rest[0]);
    const bool doubled = rest.size() > 1 && AsciiLower(rest[1]) == c;
    if (rest[0] == '\'' || rest[0] == '"') {
      size_t close = rest.find(rest[0], 1);
      out += rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      i += close == std::string_view::npos ? rest.size() : close + 1;
    } else if (StartsWithTextAscii(rest, "ampm")) {
      out += isPM ? pm : am;
      i += 4;
    } else if (StartsWithTextAscii(rest, "am/pm") || StartsWithTextAscii(rest, "a/p")) {
      size_t length = StartsWithTextAscii(rest, "am/pm") ? 5 : 3;
      out += ChooseWritten(rest.substr(0, length), isPM);
      i += length;
    } else if (c == 'h') {
      int shown = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
      AppendNumber(out, shown, doubled);
      i += doubled ? 2 : 1;
    } else if (c == 'n' || c == 'm') {
      AppendNumber(out, minute, doubled);
      i += doubled ? 2 : 1;
    } else if (c == 's') {
      AppendNumber(out, 0, doubled);
      i += doubled ? 2 : 1;
    } else {
      out += rest[0];
      ++i;
    }
  }
  return out;
}
