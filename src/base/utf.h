#pragma once
// Texts are UTF-8 inside the program and UTF-16 at the wide system calls.
// Malformed input never fails: each bad sequence becomes U+FFFD.
#include <cstddef>
#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view text);
void AppendUtf16(std::u16string& out, char32_t codePoint);
void AppendUtf8(std::string& out, char32_t codePoint);
std::string Utf16ToUtf8(std::u16string_view text);

// Decodes the sequence at text[pos] by its bit patterns alone (overlong forms
// and surrogates pass, for tools that must show or keep any byte run). False,
// with pos unchanged, when the lead or a continuation byte is wrong or the
// text ends inside the sequence.
bool DecodeUtf8Pattern(std::string_view text, size_t& pos, char32_t& point);

// At most maxUnits code units of the text, one fewer when the cut would
// separate a surrogate pair.
std::u16string TruncateUtf16(std::u16string_view text, size_t maxUnits);
