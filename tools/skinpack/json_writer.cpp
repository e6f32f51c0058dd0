#include "json_writer.h"

#include <cstdio>

void JsonWriter::BeginItem(bool isContainer) {
  if (FAfterKey) {
    FAfterKey = false;
    return;
  }
  if (FLevels.empty()) return;
  Level& level = FLevels.back();
  if (!level.empty) FText += ',';
  level.empty = false;
  // Top-level members each get a line, and so do the objects listed in them.
  const size_t depth = FLevels.size();
  if (depth == 1 || (depth == 2 && isContainer)) {
    level.brokenLines = true;
    FText += '\n';
    FText.append(depth * 2, ' ');
  }
}

void JsonWriter::Open(char bracket) {
  BeginItem(true);
  FText += bracket;
  FLevels.push_back({});
}

void JsonWriter::Close(char bracket) {
  const bool brokenLines = FLevels.back().brokenLines;
  FLevels.pop_back();
  if (brokenLines) {
    FText += '\n';
    FText.append(FLevels.size() * 2, ' ');
  }
  FText += bracket;
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Key(std::string_view name) {
  BeginItem(false);
  AppendEscaped(name);
  FText += ':';
  FAfterKey = true;
}

void JsonWriter::Integer(int64_t value) {
  BeginItem(false);
  FText += std::to_string(value);
}

void JsonWriter::Boolean(bool value) {
  BeginItem(false);
  FText += value ? "true" : "false";
}

void JsonWriter::String(std::string_view value) {
  BeginItem(false);
  AppendEscaped(value);
}

void JsonWriter::Null() {
  BeginItem(false);
  FText += "null";
}

void JsonWriter::AppendEscaped(std::string_view text) {
  FText += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        FText += "\\\"";
        break;
      case '\\':
        FText += "\\\\";
        break;
      case '\n':
        FText += "\\n";
        break;
      case '\r':
        FText += "\\r";
        break;
      case '\t':
        FText += "\\t";
        break;
      default:
        if (byte < 0x20 || byte >= 0x80) {
          char escape[7];
          std::snprintf(escape, sizeof escape, "\\u%04X", byte);
          FText += escape;
        } else {
          FText += c;
        }
    }
  }
  FText += '"';
}
