#pragma once
// An INI file held in memory, read from text or lines.
//
// Reading rules: every line is trimmed of blanks and control characters;
// empty lines and lines starting with ';' are skipped; "[name]" opens a
// section (the name trimmed); lines before the first section, lines
// without '=' and lines with an empty key are ignored; otherwise the key is
// the trimmed text before the first '=' and the value the trimmed text
// after it. A key repeated within a section keeps its first value; a
// section header repeated later adds its new keys to the first section.
// Section and key names match regardless of ASCII case unless
// SetCaseSensitive(true) is called.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/string_list.h"

class TMemIniFile {
 public:
  TMemIniFile() = default;
  explicit TMemIniFile(const std::string& text);
  explicit TMemIniFile(const TStringList& lines);

  void SetStrings(const TStringList& lines);  // replaces everything
  // Writes the content back: each section as "[name]" and its
  // "key=value" lines, sections separated by an empty line.
  void GetStrings(TStringList& lines) const;
  void Clear();

  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  // A present key with an empty value gives "", not the default.
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const;
  // Decimal with an optional sign, or hexadecimal written $1F or 0x1F (up
  // to 32 bits, read as two's complement). Anything else gives the default.
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t defaultValue) const;
  // An integer that is not 0 is true; a non-integer gives the default.
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
  void ReadSection(const std::string& section, TStringList& keys) const;  // key names in file order
  void ReadSections(TStringList& sections) const;
  void ReadSectionValues(const std::string& section, TStringList& lines) const;  // "key=value" lines
  int32_t SectionKeyCount(const std::string& section) const;

  // Writing creates the section or key when absent, at the end.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
  void WriteBool(const std::string& section, const std::string& ident, bool value);  // 1 or 0
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);

 private:
  // Names are looked up through hash indexes keyed by the folded name, so
  // reading n keys takes time linear in n.
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
    std::unordered_map<std::string, size_t> keyIndex;
  };

  std::string Folded(const std::string& name) const;
  void Reindex();
  void ReindexKeys(Section& section) const;
  const Section* FindSection(const std::string& name) const;
  Section* FindSection(const std::string& name);
  Section& AddSection(const std::string& name);
  const std::string* FindValue(const std::string& section, const std::string& ident) const;
  // False when the key is already there: the first value stays.
  bool AddValue(Section& section, const std::string& key, const std::string& value) const;

  std::vector<Section> FSections;
  std::unordered_map<std::string, size_t> FSectionIndex;
  bool FCaseSensitive = false;
};
