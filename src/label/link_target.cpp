#include "label/link_target.h"

#include "base/text_util.h"

#include <algorithm>

bool IsBlank(const std::string& text) {
  // Unsigned, so UTF-8 lead and trail bytes do not count as control characters.
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

std::string LinkTarget(const std::string& url, const std::string& caption) {
  return IsBlank(url) ? caption : url;
}

bool IsHtmTarget(const std::string& target) {
  // A dot in a folder or host name ("my.docs\readme") is no extension.
  size_t delimiter = target.find_last_of(".\\/:");
  if (delimiter == std::string::npos || target[delimiter] != '.') return false;
  return SameTextAscii(std::string_view(target).substr(delimiter), ".htm");
}

ProcessLaunch HtmChooserLaunch(const std::string& systemDirectory) {
  std::string folder = systemDirectory;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  std::string application = folder + "rundll32.exe";
  return {application, "\"" + application + "\" \"" + folder + "shell32.dll\",OpenAs_RunDLL *.htm"};
}
