#include "base/ini_file.h"

#include <utility>

#include "base/text_util.h"

static std::string TrimControls(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

// Parses an optionally signed decimal or $/0x hexadecimal number.
static bool ParseInteger(const std::string& text, int32_t& result) {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  int base = 10;
  if (pos < text.size() && text[pos] == '$') {
    base = 16;
    pos += 1;
  } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    base = 16;
    pos += 2;
  }
  if (pos >= text.size()) return false;
  uint64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    value = value * uint64_t(base) + uint64_t(digit);
    if (value > 0xFFFFFFFFull) return false;
  }
  if (base == 10 && value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
  // Hex spells the bit pattern, so $FFFFFFFF is -1.
  const uint32_t bits = negative ? uint32_t(0) - uint32_t(value) : uint32_t(value);
  result = static_cast<int32_t>(bits);
  return true;
}

TMemIniFile::TMemIniFile(const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  SetStrings(lines);
}

TMemIniFile::TMemIniFile(const TStringList& lines) { SetStrings(lines); }

std::string TMemIniFile::Folded(const std::string& name) const {
  if (FCaseSensitive) return name;
  std::string folded = name;
  for (char& c : folded) c = AsciiLower(c);
  return folded;
}

void TMemIniFile::Clear() {
  FSections.clear();
  FSectionIndex.clear();
}

void TMemIniFile::SetCaseSensitive(bool value) {
  if (FCaseSensitive == value) return;
  FCaseSensitive = value;
  Reindex();
}

void TMemIniFile::ReindexKeys(Section& section) const {
  section.keyIndex.clear();
  for (size_t i = 0; i < section.values.size(); ++i) section.keyIndex.emplace(Folded(section.values[i].first), i);
}

void TMemIniFile::Reindex() {
  FSectionIndex.clear();
  for (size_t i = 0; i < FSections.size(); ++i) {
    FSectionIndex.emplace(Folded(FSections[i].name), i);
    ReindexKeys(FSections[i]);
  }
}

const TMemIniFile::Section* TMemIniFile::FindSection(const std::string& name) const {
  auto found = FSectionIndex.find(Folded(name));
  return found == FSectionIndex.end() ? nullptr : &FSections[found->second];
}

TMemIniFile::Section* TMemIniFile::FindSection(const std::string& name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

TMemIniFile::Section& TMemIniFile::AddSection(const std::string& name) {
  auto [entry, added] = FSectionIndex.emplace(Folded(name), FSections.size());
  if (added) FSections.push_back(Section{name, {}, {}});
  return FSections[entry->second];
}

const std::string* TMemIniFile::FindValue(const std::string& section, const std::string& ident) const {
  const Section* found = FindSection(section);
  if (!found) return nullptr;
  auto key = found->keyIndex.find(Folded(ident));
  return key == found->keyIndex.end() ? nullptr : &found->values[key->second].second;
}

bool TMemIniFile::AddValue(Section& section, const std::string& key, const std::string& value) const {
  if (!section.keyIndex.emplace(Folded(key), section.values.size()).second) return false;
  section.values.emplace_back(key, value);
  return true;
}

void TMemIniFile::SetStrings(const TStringList& lines) {
  Clear();
  Section* current = nullptr;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = TrimControls(lines[i]);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &AddSection(TrimControls(line.substr(1, line.size() - 2)));
      continue;
    }
    const size_t equals = line.find('=');
    if (!current || equals == std::string::npos) continue;
    const std::string key = TrimControls(line.substr(0, equals));
    if (!key.empty()) AddValue(*current, key, TrimControls(line.substr(equals + 1)));
  }
}

void TMemIniFile::GetStrings(TStringList& lines) const {
  lines.Clear();
  for (size_t i = 0; i < FSections.size(); ++i) {
    if (i > 0) lines.Add("");
    lines.Add("[" + FSections[i].name + "]");
    for (const auto& [key, value] : FSections[i].values) lines.Add(key + "=" + value);
  }
}

bool TMemIniFile::SectionExists(const std::string& section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  return FindValue(section, ident) != nullptr;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
  const std::string* value = FindValue(section, ident);
  return value ? *value : defaultValue;
}

int32_t TMemIniFile::ReadInteger(const std::string& section, const std::string& ident, int32_t defaultValue) const {
  const std::string* value = FindValue(section, ident);
  int32_t result;
  return value && ParseInteger(*value, result) ? result : defaultValue;
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TMemIniFile::ReadSection(const std::string& section, TStringList& keys) const {
  keys.Clear();
  if (const Section* found = FindSection(section))
    for (const auto& entry : found->values) keys.Add(entry.first);
}

int32_t TMemIniFile::SectionKeyCount(const std::string& section) const {
  const Section* found = FindSection(section);
  return found ? static_cast<int32_t>(found->values.size()) : 0;
}

void TMemIniFile::ReadSections(TStringList& sections) const {
  sections.Clear();
  for (const Section& section : FSections) sections.Add(section.name);
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStringList& lines) const {
  lines.Clear();
  if (const Section* found = FindSection(section))
    for (const auto& [key, value] : found->values) lines.Add(key + "=" + value);
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  Section& target = AddSection(section);
  auto found = target.keyIndex.find(Folded(ident));
  if (found != target.keyIndex.end())
    target.values[found->second].second = value;
  else
    AddValue(target, ident, value);
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TMemIniFile::EraseSection(const std::string& section) {
  auto found = FSectionIndex.find(Folded(section));
  if (found == FSectionIndex.end()) return;
  FSections.erase(FSections.begin() + static_cast<std::ptrdiff_t>(found->second));
  Reindex();
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  Section* found = FindSection(section);
  if (!found) return;
  auto key = found->keyIndex.find(Folded(ident));
  if (key == found->keyIndex.end()) return;
  found->values.erase(found->values.begin() + static_cast<std::ptrdiff_t>(key->second));
  ReindexKeys(*found);
}
