#include "base/utf.h"

#include <gtest/gtest.h>

TEST(Utf, ConvertsEveryEncodedLengthBothWays) {
  // One, two, three and four UTF-8 bytes: A, é, 关 (U+5173), 😀 (U+1F600).
  std::string utf8 = "A\xC3\xA9\xE5\x85\xB3\xF0\x9F\x98\x80";
  std::u16string utf16 = u"A\u00E9\u5173\U0001F600";
  EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
  EXPECT_EQ(Utf8ToUtf16("关机"), u"关机");
  // The extremes of each length.
  std::string edges = "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
  std::u16string edges16 = u"\u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
  EXPECT_EQ(Utf8ToUtf16(edges), edges16);
  EXPECT_EQ(Utf16ToUtf8(edges16), edges);
  EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf, MalformedUtf8BecomesReplacementCharacters) {
  struct Case {
    const char* Name;
    std::string Input;
    std::u16string Expected;
  };
  const Case cases[] = {
      {"stray continuation", "a\x80z", u"a\uFFFDz"},
      {"invalid lead bytes", "\xC0\xC1\xF5\xFF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"overlong three bytes", "\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"truncated at the end", "a\xE5\x85", u"a\uFFFD"},
      {"truncated four bytes", "\xF0\x9F\x98", u"\uFFFD"},
      {"cut short by a new character", "\xE5\x85z", u"\uFFFDz"},
      {"cut short by a new lead", "\xE5\xE5\x85\xB3", u"\uFFFD\u5173"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToUtf16(c.Input), c.Expected) << c.Name;
}

TEST(Utf, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t(0xD83D)}), "a\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDE00), u'a'}), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xD83D), char16_t(0xD83D), char16_t(0xDE00)}),
            "\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

TEST(Utf, TruncationNeverSplitsASurrogatePair) {
  std::u16string text = u"ab\U0001F600c";  // a b <high> <low> c
  EXPECT_EQ(TruncateUtf16(text, 10), text);
  EXPECT_EQ(TruncateUtf16(text, 5), text);
  EXPECT_EQ(TruncateUtf16(text, 4), u"ab\U0001F600");
  EXPECT_EQ(TruncateUtf16(text, 3), u"ab") << "the pair is dropped whole";
  EXPECT_EQ(TruncateUtf16(text, 2), u"ab");
  EXPECT_EQ(TruncateUtf16(text, 0), u"");
  EXPECT_EQ(TruncateUtf16(u"\U0001F600", 1), u"");
}

TEST(Utf, TrayTipLimitKeepsWholeCharacters) {
  // 126 ASCII units and then an emoji: 127 units would split the pair.
  std::u16string tip(126, u'x');
  tip += u"\U0001F600关机";
  std::u16string cut = TruncateUtf16(tip, 127);
  EXPECT_EQ(cut, std::u16string(126, u'x'));
  EXPECT_EQ(Utf16ToUtf8(cut).find("\xEF\xBF\xBD"), std::string::npos);
  std::u16string chinese(200, u'关');
  EXPECT_EQ(TruncateUtf16(chinese, 127).size(), 127u);
}
