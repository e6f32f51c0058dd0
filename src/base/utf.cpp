#include "base/utf.h"

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }


// Decodes one code point starting at text[pos] and advances pos. A malformed
// sequence yields U+FFFD and consumes only its longest valid-looking prefix
// (at least one byte), so the byte that broke it starts the next sequence.
char32_t DecodeUtf8(std::string_view text, size_t& pos) {
  unsigned char lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;

  int continuationCount;
  char32_t codePoint;
  // The second byte's range excludes overlong forms, surrogates and values above U+10FFFF.
  unsigned char secondLow = 0x80, secondHigh = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    continuationCount = 1;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    continuationCount = 2;
    codePoint = lead & 0x0F;
    if (lead == 0xE0) secondLow = 0xA0;
    if (lead == 0xED) secondHigh = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    continuationCount = 3;
    codePoint = lead & 0x07;
    if (lead == 0xF0) secondLow = 0x90;
    if (lead == 0xF4) secondHigh = 0x8F;
  } else {
    return ReplacementCharacter;
  }

  for (int i = 0; i < continuationCount; ++i) {
    if (pos >= text.size()) return ReplacementCharacter;
    unsigned char next = static_cast<unsigned char>(text[pos]);
    unsigned char low = i == 0 ? secondLow : 0x80;
    unsigned char high = i == 0 ? secondHigh : 0xBF;
    if (next < low || next > high) return ReplacementCharacter;
    codePoint = (codePoint << 6) | (next & 0x3F);
    ++pos;
  }
  return codePoint;
}

}  // namespace

bool DecodeUtf8Pattern(std::string_view text, size_t& pos, char32_t& point) {
  if (pos >= text.size()) return false;
  unsigned char lead = static_cast<unsigned char>(text[pos]);
  size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
  if (length == 0 || text.size() - pos < length) return false;
  char32_t decoded = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
  for (size_t k = 1; k < length; ++k) {
    unsigned char next = static_cast<unsigned char>(text[pos + k]);
    if ((next >> 6) != 2) return false;
    decoded = (decoded << 6) | (next & 0x3F);
  }
  point = decoded;
  pos += length;
  return true;
}

void AppendUtf16(std::u16string& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out += static_cast<char16_t>(codePoint);
  } else {
    codePoint -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
  }
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  auto byte = [&out](char32_t value) { out += static_cast<char>(value); };
  if (codePoint < 0x80) {
    byte(codePoint);
  } else if (codePoint < 0x800) {
    byte(0xC0 | (codePoint >> 6));
    byte(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    byte(0xE0 | (codePoint >> 12));
    byte(0x80 | ((codePoint >> 6) & 0x3F));
    byte(0x80 | (codePoint & 0x3F));
  } else {
    byte(0xF0 | (codePoint >> 18));
    byte(0x80 | ((codePoint >> 12) & 0x3F));
    byte(0x80 | ((codePoint >> 6) & 0x3F));
    byte(0x80 | (codePoint & 0x3F));
  }
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) AppendUtf16(out, DecodeUtf8(text, pos));
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      char32_t low = text[++i];
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, ReplacementCharacter);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::u16string TruncateUtf16(std::u16string_view text, size_t maxUnits) {
  if (text.size() <= maxUnits) return std::u16string(text);
  size_t keep = maxUnits;
  if (keep > 0 && IsHighSurrogate(text[keep - 1]) && IsLowSurrogate(text[keep])) --keep;
  return std::u16string(text.substr(0, keep));
}
