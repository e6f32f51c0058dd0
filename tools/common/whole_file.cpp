#include "whole_file.h"

#include "base/exceptions.h"
#include "base/stream.h"

namespace fs = std::filesystem;

fs::path Utf8Path(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

std::string PathText(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

void WriteFileWhole(const std::string& fileName, std::span<const uint8_t> bytes) {
  const std::string temporary = fileName + ".tmp";
  try {
    TMemoryStream(bytes).SaveToFile(temporary);
    std::error_code error;
    fs::rename(Utf8Path(temporary), Utf8Path(fileName), error);
    if (error) {
      // The Windows runtime will not rename over an existing file.
      fs::remove(Utf8Path(fileName), error);
      fs::rename(Utf8Path(temporary), Utf8Path(fileName), error);
    }
    if (error) throw EWriteError("Cannot write \"" + fileName + "\": " + error.message());
  } catch (...) {
    std::error_code ignored;
    fs::remove(Utf8Path(temporary), ignored);
    throw;
  }
}
