#include "base/string_list.h"

#include <algorithm>

#include "base/exceptions.h"
#include "base/text_util.h"

static int CompareStrings(const std::string& a, const std::string& b, bool caseSensitive) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned char x = caseSensitive ? a[i] : AsciiLower(a[i]);
    const unsigned char y = caseSensitive ? b[i] : AsciiLower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool TStringList::SameText(const std::string& a, const std::string& b) const {
  return a.size() == b.size() && CompareStrings(a, b, FCaseSensitive) == 0;
}

void TStringList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStringList::operator[](int index) const {
  CheckIndex(index, Count());
  return FItems[size_t(index)];
}

void TStringList::SetStrings(int index, const std::string& value) {
  CheckIndex(index, Count());
  FItems[size_t(index)] = value;
}

int TStringList::Add(const std::string& value) {
  FItems.push_back(value);
  return Count() - 1;
}

void TStringList::Insert(int index, const std::string& value) {
  CheckIndex(index, Count() + 1);
  FItems.insert(FItems.begin() + index, value);
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  FItems.erase(FItems.begin() + index);
}

int TStringList::IndexOf(const std::string& value) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(FItems[size_t(i)], value)) return i;
  return -1;
}

void TStringList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(), [this](const std::string& a, const std::string& b) {
    return CompareStrings(a, b, FCaseSensitive) < 0;
  });
}

std::string TStringList::Names(int index) const {
  const std::string& line = (*this)[index];
  const size_t equals = line.find('=');
  return equals == std::string::npos ? std::string() : line.substr(0, equals);
}

std::string TStringList::ValueFromIndex(int index) const {
  const std::string& line = (*this)[index];
  const size_t equals = line.find('=');
  return equals == std::string::npos ? std::string() : line.substr(equals + 1);
}

int TStringList::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& line = FItems[size_t(i)];
    const size_t equals = line.find('=');
    if (equals != std::string::npos && SameText(line.substr(0, equals), name)) return i;
  }
  return -1;
}

std::string TStringList::Values(const std::string& name) const {
  const int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStringList::SetValue(const std::string& name, const std::string& value) {
  const int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index >= 0) {
    FItems[size_t(index)] = name + "=" + value;
  } else {
    Add(name + "=" + value);
  }
}

std::string TStringList::Text() const {
  std::string text;
  for (const std::string& line : FItems) text += line + "\r\n";
  return text;
}

void TStringList::SetText(const std::string& text) {
  FItems.clear();
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      FItems.push_back(text.substr(start));
      break;
    }
    FItems.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

void TStringList::LoadFromBytes(std::span<const uint8_t> bytes) {
  SetText(std::string(bytes.begin(), bytes.end()));
}
