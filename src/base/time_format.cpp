#include "base/time_format.h"

#include <utility>

#include "base/exceptions.h"
#include "base/text_util.h"

namespace {


// The first character of a UTF-8 text, whole even when it spans several bytes.
std::string_view FirstCharacter(std::string_view text) {
  if (text.empty()) return text;
  size_t length = 1;
  while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
    ++length;
  return text.substr(0, length);
}

// Copies quoted text starting after the opening quote at pos; returns the
// position after the closing quote (or the end, when the quote is left open).
size_t AppendQuoted(std::string& out, std::string_view picture, size_t pos) {
  while (pos < picture.size()) {
    char c = picture[pos++];
    if (c != '\'') {
      out += c;
    } else if (pos < picture.size() && picture[pos] == '\'') {
      out += '\'';
      ++pos;
    } else {
      break;
    }
  }
  return pos;
}

}  // namespace

std::string FormatTimeOfDay(std::string_view picture, int hour, int minute, int second,
                            std::string_view am, std::string_view pm) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    throw EConvertError("Invalid time of day");

  int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  std::string_view designator = hour < 12 ? am : pm;
  std::string out;
  size_t pos = 0;
  while (pos < picture.size()) {
    char c = picture[pos];
    if (c == '\'') {
      if (pos + 1 < picture.size() && picture[pos + 1] == '\'') {
        out += '\'';
        pos += 2;
      } else {
        pos = AppendQuoted(out, picture, pos + 1);
      }
      continue;
    }
    size_t run = 1;
    while (pos + run < picture.size() && picture[pos + run] == c) ++run;
    bool twoLetters = run >= 2;
    switch (c) {
      case 'h': AppendNumber(out, hour12, twoLetters); break;
      case 'H': AppendNumber(out, hour, twoLetters); break;
      case 'm': AppendNumber(out, minute, twoLetters); break;
      case 's': AppendNumber(out, second, twoLetters); break;
      case 't': out += twoLetters ? designator : FirstCharacter(designator); break;
      default: out.append(run, c); break;
    }
    pos += run;
  }
  return out;
}

TTimeFormat::TTimeFormat(std::string picture, std::string amDesignator, std::string pmDesignator)
    : FPicture(std::move(picture)),
      FAmDesignator(std::move(amDesignator)),
      FPmDesignator(std::move(pmDesignator)) {}

std::string TTimeFormat::Format(TDateTime value) const {
  int hour, minute, second, millisecond;
  DecodeTime(value, hour, minute, second, millisecond);
  return FormatTimeOfDay(FPicture, hour, minute, second, FAmDesignator, FPmDesignator);
}
