#pragma once
// The text form: the readable spelling of a binary form stream.
//
//   object Form1: TForm1            (inherited / inline for those flags,
//     Caption = 'Vespermark'         "[n]" after the class for a child position)
//     Font.Height = -11
//     Icon.Data = {
//       0000010001001818...}
//     object Button1: TButton
//     end
//   end
//
// Values: integers in decimal; floats with a decimal point or exponent, plain
// for Extended and with a suffix for the others (1.5s Single, 1.5r Double,
// 1.5d Date, 1.5c Currency; +Inf, -Inf and +NaN for the non-finite); strings
// in single quotes with #nnn codes for characters outside printable ASCII,
// long ones split into "'...' +" lines; identifiers; True, False, nil, Null;
// sets [a, b]; binary data { hex }; lists ( ... ); collections
// < item [n] ... end >. Text is UTF-8. Binary data may instead name a file,
// {@name}, whose bytes the include resolver supplies.
//
// Text -> binary -> text gives the same text. Binary -> text -> binary gives
// the same bytes except for streams that hold
// - integers stored in a wider type than needed (the text cannot say which);
// - WStrings whose characters are all below 256, LStrings of up to 255
//   characters and Utf8Strings (the text keeps only the characters, and they
//   come back as String, LString or WString by length and range);
// - NaN payloads and non-canonical Extended bit patterns;
// - identifiers that are not valid identifier text or are spelled like the
//   keywords True, False, nil or Null;
// - objects flagged both inherited and inline (one keyword shows one flag).
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "persist/form_stream.h"

// Maps an included file name to its bytes; nullopt when there is no such file.
using IncludeResolver = std::function<std::optional<std::vector<uint8_t>>(const std::string& name)>;

std::string PrintTextForm(const FormObject& root);
// Raises EFormError naming line, column and what was found. Without a
// resolver every include is an error.
FormObject ParseTextForm(std::string_view text, const IncludeResolver& resolve = {});
