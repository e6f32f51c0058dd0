#include "base/accelerator.h"

#include "base/utf.h"

static char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 0x20;
  // Latin-1 lower-case letters sit 0x20 above their capitals; 0xF7 is the division sign.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  return c;
}

char16_t AcceleratorOf(std::string_view caption) {
  std::u16string text = Utf8ToUtf16(caption);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1];
    ++i;  // skip the escaped ampersand
  }
  return 0;
}

bool IsAccelerator(char16_t typed, std::string_view caption) {
  char16_t accelerator = AcceleratorOf(caption);
  return accelerator != 0 && FoldCase(accelerator) == FoldCase(typed);
}

std::string CaptionWithoutAccelerators(std::string_view caption) {
  std::string text;
  text.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      text += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      text += '&';
      ++i;
    }
  }
  return text;
}

std::string AcceleratorKeyName(std::string_view caption) {
  const char16_t accelerator = AcceleratorOf(caption);
  // A lone surrogate is half a character: no key to name.
  if (accelerator == 0 || (accelerator >= 0xD800 && accelerator <= 0xDFFF)) return {};
  return Utf16ToUtf8(std::u16string(1, FoldCase(accelerator)));
}
