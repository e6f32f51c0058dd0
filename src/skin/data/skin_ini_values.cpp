#include "skin/data/skin_ini_values.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "base/exceptions.h"

namespace {

constexpr std::array<std::string_view, 7> kMorphKinds{"mkdefault",      "mkgradient",   "mkleftgradient", "mkrightgradient",
                                                      "mkleftslide",    "mkrightslide", "mkpush"};
constexpr std::array<std::string_view, 6> kEffects{"iebrightness", "iedarkness",  "iegrayscale",
                                                   "ienoise",      "iesplitblur", "ieinvert"};
constexpr std::array<std::string_view, 6> kCommands{"cmclose",   "cmmaximize", "cmminimize",
                                                    "cmsysmenu", "cmdefault",  "cmrollup"};
constexpr std::array<std::pair<std::string_view, TSkinFontStyles>, 4> kFontStyles{{
    {"fsbold", fsBold}, {"fsitalic", fsItalic}, {"fsunderline", fsUnderline}, {"fsstrikeout", fsStrikeOut}}};

// The keyword's position in the table, or the fallback when none is equal.
template <size_t N>
size_t KeywordIndex(const std::array<std::string_view, N>& words, const std::string& value, size_t fallback) {
  const auto found = std::find(words.begin(), words.end(), value);
  return found == words.end() ? fallback : size_t(found - words.begin());
}

std::string Where(const std::string& section, const std::string& key) {
  return "\"" + key + "\" in [" + section + "]";
}

// Reads `count` numbers from a comma-separated value by the digits-only rule.
std::vector<int32_t> ReadCoordinates(const TMemIniFile& ini, const std::string& section, const std::string& key,
                                     size_t count, const char* kind) {
  std::vector<int32_t> numbers(count, 0);
  if (!ini.ValueExists(section, key)) return numbers;
  const std::string value = ini.ReadString(section, key, "");
  const auto fail = [&](const std::string& why) {
    throw EConvertError("'" + value + "' is not a valid " + kind + " for " + Where(section, key) + ": " + why);
  };
  size_t start = 0;
  for (size_t i = 0; i < count; ++i) {
    if (start > value.size()) fail("it has fewer than " + std::to_string(count) + " numbers");
    const size_t comma = std::min(value.find(',', start), value.size());
    bool anyDigit = false;
    int64_t number = 0;
    for (size_t pos = start; pos < comma; ++pos) {
      const char c = value[pos];
      if (c < '0' || c > '9') continue;
      anyDigit = true;
      number = number * 10 + (c - '0');
      if (number > INT32_MAX) fail("number " + std::to_string(i + 1) + " is too large");
    }
    if (!anyDigit) fail("number " + std::to_string(i + 1) + " has no digits");
    numbers[i] = int32_t(number);
    start = comma + 1;
  }
  return numbers;
}

}  // namespace

std::optional<int32_t> ParseSkinInteger(std::string_view text) {
  size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) pos = 1;
  if (pos == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return std::nullopt;
    value = value * 10 + (text[pos] - '0');
    if (value > int64_t(INT32_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return std::nullopt;
  return int32_t(value);
}

int32_t ReadSkinInteger(const TMemIniFile& ini, const std::string& section, const std::string& key, int32_t absent) {
  if (!ini.ValueExists(section, key)) return absent;
  return ParseSkinInteger(ini.ReadString(section, key, "")).value_or(absent);
}

TColor ReadSkinColor(const TMemIniFile& ini, const std::string& section, const std::string& key, TColor absent) {
  return ReadSkinInteger(ini, section, key, absent);
}

int32_t ReadSkinPictureIndex(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  return ReadSkinInteger(ini, section, key, -1);
}

bool ReadSkinBool(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  return ReadSkinInteger(ini, section, key, 0) == 1;
}

TRect ReadSkinRect(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  const std::vector<int32_t> n = ReadCoordinates(ini, section, key, 4, "rectangle");
  return {n[0], n[1], n[2], n[3]};
}

TPoint ReadSkinPoint(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  const std::vector<int32_t> n = ReadCoordinates(ini, section, key, 2, "point");
  return {n[0], n[1]};
}

std::string ReadSkinFontName(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  return ini.ReadString(section, key, kSkinDefaultFontName);
}

int32_t ReadSkinFontHeight(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  return ReadSkinInteger(ini, section, key, kSkinDefaultFontHeight);
}

TSkinFontStyles ReadSkinFontStyles(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  const std::string value = ini.ReadString(section, key, "");
  TSkinFontStyles styles = 0;
  for (const auto& [word, bit] : kFontStyles)
    if (value.find(word) != std::string::npos) styles |= bit;
  return styles;
}

TSkinAlignment ReadSkinAlignment(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  const std::string value = ini.ReadString(section, key, "tacenter");
  if (value == "taleftjustify") return TSkinAlignment::taLeftJustify;
  if (value == "tacenter") return TSkinAlignment::taCenter;
  return TSkinAlignment::taRightJustify;
}

TMorphKind ReadSkinMorphKind(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  return TMorphKind(KeywordIndex(kMorphKinds, ini.ReadString(section, key, "mkdefault"), 0));
}

TSkinEffect ReadSkinEffect(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  return TSkinEffect(KeywordIndex(kEffects, ini.ReadString(section, key, "iebrightness"), 2));
}

TSkinCommand ReadSkinCommand(const TMemIniFile& ini, const std::string& section, const std::string& key) {
  return TSkinCommand(KeywordIndex(kCommands, ini.ReadString(section, key, "cmdefault"), 5));
}

std::string ReadSkinText(const TMemIniFile& ini, const std::string& section, const std::string& key,
                         const std::string& absent) {
  return ini.ReadString(section, key, absent);
}

int32_t SkinEntryLimit(const TMemIniFile& ini, const std::string& section, int32_t count) {
  return std::clamp<int32_t>(count, 0, ini.SectionKeyCount(section));
}

void ReadSkinList(const TMemIniFile& ini, const std::string& section, const std::string& name, TStringList& items) {
  const int32_t count = SkinEntryLimit(ini, section, ReadSkinInteger(ini, section, name + "count"));
  for (int32_t i = 0; i < count; ++i) items.Add(ini.ReadString(section, std::to_string(i), ""));
}

std::string SkinRectText(const TRect& rect) {
  return std::to_string(rect.Left) + "," + std::to_string(rect.Top) + "," + std::to_string(rect.Right) + "," +
         std::to_string(rect.Bottom);
}

std::string SkinPointText(const TPoint& point) { return std::to_string(point.X) + "," + std::to_string(point.Y); }

std::string SkinFontStylesText(TSkinFontStyles styles) {
  std::string text;
  for (const auto& [word, bit] : kFontStyles)
    if (styles & bit) text += (text.empty() ? "" : ",") + std::string(word);
  return text;
}

std::string SkinAlignmentText(TSkinAlignment alignment) {
  switch (alignment) {
    case TSkinAlignment::taLeftJustify: return "taleftjustify";
    case TSkinAlignment::taCenter: return "tacenter";
    default: return "tarightjustify";
  }
}

std::string SkinMorphKindText(TMorphKind kind) { return std::string(kMorphKinds.at(size_t(kind))); }
std::string SkinEffectText(TSkinEffect effect) { return std::string(kEffects.at(size_t(effect))); }
std::string SkinCommandText(TSkinCommand command) { return std::string(kCommands.at(size_t(command))); }

void WriteSkinList(TMemIniFile& ini, const std::string& section, const std::string& name, const TStringList& items) {
  ini.WriteInteger(section, name + "count", items.Count());
  for (int i = 0; i < items.Count(); ++i) ini.WriteString(section, std::to_string(i), items[i]);
}
