#include "base/code_page.h"

#include "base/utf.h"

namespace {
const AnsiCodePage* gOverride = nullptr;
}  // namespace

std::string Utf8CodePage::ToUtf8(std::string_view bytes) const { return Utf16ToUtf8(Utf8ToUtf16(bytes)); }

std::optional<std::string> Utf8CodePage::FromUtf8(std::string_view text) const { return std::string(text); }

const AnsiCodePage& SystemAnsiCodePage() { return gOverride ? *gOverride : PlatformAnsiCodePage(); }

std::string AnsiToUtf8(std::string_view bytes) { return SystemAnsiCodePage().ToUtf8(bytes); }

std::optional<std::string> Utf8ToAnsi(std::string_view text) { return SystemAnsiCodePage().FromUtf8(text); }

ScopedAnsiCodePage::ScopedAnsiCodePage(const AnsiCodePage& page) : FPrevious(gOverride) { gOverride = &page; }

ScopedAnsiCodePage::~ScopedAnsiCodePage() { gOverride = FPrevious; }

#ifndef _WIN32
const AnsiCodePage& PlatformAnsiCodePage() {
  static const Utf8CodePage page;
  return page;
}
#endif
