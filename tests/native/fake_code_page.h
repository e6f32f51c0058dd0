#pragma once
// A stand-in for code page 936 that knows ASCII and two characters, spelled
// as that page spells them: 关 B9 D8 and 机 BB FA.
#include <optional>
#include <string>
#include <string_view>

#include "base/code_page.h"

class FakeChineseCodePage : public AnsiCodePage {
 public:
  std::string ToUtf8(std::string_view bytes) const override {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
      const std::string_view rest = bytes.substr(i);
      if (rest.starts_with("\xB9\xD8")) {
        out += "关", ++i;
      } else if (rest.starts_with("\xBB\xFA")) {
        out += "机", ++i;
      } else {
        out += static_cast<unsigned char>(bytes[i]) < 0x80 ? std::string(1, bytes[i]) : std::string("\uFFFD");
      }
    }
    return out;
  }
  std::optional<std::string> FromUtf8(std::string_view text) const override {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      const std::string_view rest = text.substr(i);
      if (rest.starts_with("关")) {
        out += "\xB9\xD8", i += 2;
      } else if (rest.starts_with("机")) {
        out += "\xBB\xFA", i += 2;
      } else if (static_cast<unsigned char>(text[i]) < 0x80) {
        out += text[i];
      } else {
        return std::nullopt;
      }
    }
    return out;
  }
};
