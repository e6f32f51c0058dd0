#pragma once
// Builds one JSON text piece by piece: containers, keys and values, with the
// commas and the line breaks put in for the caller. Strings are taken as
// single-byte text, so every byte of 0x80 and above becomes \u00XX and the
// result is plain ASCII, valid whatever the code page.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Names the next value inside an object.
  void Key(std::string_view name);

  void Integer(int64_t value);
  void Boolean(bool value);
  void String(std::string_view value);
  void Null();

  // The finished text, ended by a line break.
  std::string Text() const { return FText + "\n"; }

 private:
  // Called before each value or container: the comma, and the line break
  // that keeps the top-level members and the objects of their lists apart.
  void BeginItem(bool isContainer);
  void Open(char bracket);
  void Close(char bracket);
  void AppendEscaped(std::string_view text);

  struct Level {
    bool empty = true;
    bool brokenLines = false;
  };
  std::string FText;
  std::vector<Level> FLevels;
  bool FAfterKey = false;
};
