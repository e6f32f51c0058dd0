#pragma once
// An ordered list of single-byte strings with the name=value and text
// helpers the INI and skin code lean on.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TStringList {
 public:
  int Count() const { return int(FItems.size()); }
  // Index checks throw Exception("List index out of bounds (N)").
  const std::string& operator[](int index) const;
  const std::string& Strings(int index) const { return (*this)[index]; }
  void SetStrings(int index, const std::string& value);

  int Add(const std::string& value);  // returns the new line's index
  void Insert(int index, const std::string& value);  // 0..Count()
  void Delete(int index);
  void Clear() { FItems.clear(); }

  // Comparisons fold ASCII letters only, so double-byte text is never
  // mistaken for another.
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value) { FCaseSensitive = value; }
  int IndexOf(const std::string& value) const;  // -1 when absent
  void Sort();  // stable, by the same comparison

  // Lines of the form name=value; a line without '=' has an empty name.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  int IndexOfName(const std::string& name) const;
  std::string Values(const std::string& name) const;  // "" when absent
  // Replaces the first line of that name or appends one; an empty value
  // removes the line.
  void SetValue(const std::string& name, const std::string& value);

  std::string Text() const;  // every line followed by CR LF
  // Splits at CR LF, LF or CR; a final line break adds no empty line.
  void SetText(const std::string& text);
  void LoadFromBytes(std::span<const uint8_t> bytes);

 private:
  bool SameText(const std::string& a, const std::string& b) const;
  void CheckIndex(int index, int limit) const;

  std::vector<std::string> FItems;
  bool FCaseSensitive = false;
};
