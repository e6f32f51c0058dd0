#pragma once
// The system's single-byte ("ANSI") code page: form streams keep their
// short and long strings in it, and skin definitions their file names.
// Windows uses its active code page; other systems use UTF-8, as their
// file names and texts do.
#include <optional>
#include <string>
#include <string_view>

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // Bytes that are no character of the page become U+FFFD.
  virtual std::string ToUtf8(std::string_view bytes) const = 0;
  // nullopt when some character has no form in the page.
  virtual std::optional<std::string> FromUtf8(std::string_view text) const = 0;
};

// UTF-8 taken as the page itself.
class Utf8CodePage : public AnsiCodePage {
 public:
  std::string ToUtf8(std::string_view bytes) const override;
  std::optional<std::string> FromUtf8(std::string_view text) const override;
};

// The page in force: the system's, or one a test put in its place.
const AnsiCodePage& SystemAnsiCodePage();
std::string AnsiToUtf8(std::string_view bytes);
std::optional<std::string> Utf8ToAnsi(std::string_view text);

// Puts `page` in place of the system's for its lifetime (tests only).
class ScopedAnsiCodePage {
 public:
  explicit ScopedAnsiCodePage(const AnsiCodePage& page);
  ~ScopedAnsiCodePage();
  ScopedAnsiCodePage(const ScopedAnsiCodePage&) = delete;
  ScopedAnsiCodePage& operator=(const ScopedAnsiCodePage&) = delete;

 private:
  const AnsiCodePage* FPrevious;
};

// The platform's own page (code_page_win.cpp on Windows).
const AnsiCodePage& PlatformAnsiCodePage();
