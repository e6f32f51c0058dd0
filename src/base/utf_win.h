#pragma once
// UTF-8 inside, UTF-16 at the Win32 boundary.
#include <string>
#include <string_view>

#include "base/utf.h"

inline std::wstring Utf8ToWide(std::string_view text) {
  std::u16string wide = Utf8ToUtf16(text);
  return std::wstring(wide.begin(), wide.end());
}

inline std::string WideToUtf8(std::wstring_view text) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}
