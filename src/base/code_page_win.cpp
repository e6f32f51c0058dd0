#include <windows.h>

#include "base/code_page.h"
#include "base/utf_win.h"

namespace {

class ActiveCodePage : public AnsiCodePage {
 public:
  std::string ToUtf8(std::string_view bytes) const override {
    if (bytes.empty()) return {};
    const int length = int(bytes.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(size_t(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), units);
    return WideToUtf8(wide);
  }

  std::optional<std::string> FromUtf8(std::string_view text) const override {
    if (text.empty()) return std::string();
    const std::wstring wide = Utf8ToWide(text);
    BOOL lossy = FALSE;
    const int bytes =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), nullptr, 0, nullptr, &lossy);
    if (bytes <= 0 || lossy) return std::nullopt;
    std::string out(size_t(bytes), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), out.data(), bytes, nullptr,
                        nullptr);
    return out;
  }
};

}  // namespace

const AnsiCodePage& PlatformAnsiCodePage() {
  // With UTF-8 as the active page Windows refuses the lossy-conversion flag.
  static const Utf8CodePage utf8;
  static const ActiveCodePage active;
  if (GetACP() == CP_UTF8) return utf8;
  return active;
}
