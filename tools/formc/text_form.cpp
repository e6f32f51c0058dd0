#include "formc/text_form.h"

#include <cstdlib>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/exceptions.h"
#include "formc/extended_decimal.h"
#include "base/text_util.h"
#include "base/utf.h"

namespace {

constexpr size_t kUnitsPerStringLine = 64;
constexpr size_t kBytesPerBinaryLine = 32;

// ---------------------------------------------------------------- printing

std::string Indent(int level) { return std::string(2 * static_cast<size_t>(level), ' '); }

// Without a point or exponent a finite number would read back as an integer.
std::string WithPoint(std::string text) {
  if (text.find_first_of(".eIN") == std::string::npos) text += ".0";
  return text;
}

template <typename Float>
std::string FormatFloat(Float value, const char* suffix) {
  if (std::isnan(value)) return std::string(std::signbit(value) ? "-NaN" : "+NaN") + suffix;
  if (std::isinf(value)) return std::string(value < 0 ? "-Inf" : "+Inf") + suffix;
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return WithPoint(std::string(buffer, result.ptr)) + suffix;
}

template <typename T>
T FromBytes(const std::vector<uint8_t>& bytes) {
  T value{};
  std::memcpy(&value, bytes.data(), sizeof(T));
  return value;
}

std::string FormatCurrency(const std::vector<uint8_t>& bytes) {
  int64_t scaled = FromBytes<int64_t>(bytes);
  uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
  return (scaled < 0 ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction + "c";
}

std::string FormatFloatValue(const FormValue& value) {
  switch (value.type) {
    case FormValueType::Extended: {
      ExtendedBytes extended{};
      std::memcpy(extended.data(), value.bytes.data(), extended.size());
      return WithPoint(FormatExtended(extended));
    }
    case FormValueType::Single: return FormatFloat(FromBytes<float>(value.bytes), "s");
    case FormValueType::Double: return FormatFloat(FromBytes<double>(value.bytes), "r");
    case FormValueType::Date: return FormatFloat(FromBytes<double>(value.bytes), "d");
    default: return FormatCurrency(value.bytes);
  }
}

// Lenient decoding for display: a byte that does not start a valid sequence
// stands for itself.
std::vector<uint32_t> DecodeUtf8ForDisplay(const std::string& text) {
  std::vector<uint32_t> points;
  for (size_t i = 0; i < text.size();) {
    char32_t point;
    if (DecodeUtf8Pattern(text, i, point)) {
      points.push_back(point);
    } else {
      points.push_back(static_cast<uint8_t>(text[i]));
      ++i;
    }
  }
  return points;
}

std::string FormatStringChunk(const uint32_t* units, size_t count) {
  std::string result;
  bool quoted = false;
  for (size_t i = 0; i < count; ++i) {
    uint32_t unit = units[i];
    bool printable = unit >= 32 && unit < 127;
    if (printable != quoted) {
      result += '\'';
      quoted = printable;
    }
    if (!printable) {
      result += '#' + std::to_string(unit);
    } else {
      result += static_cast<char>(unit);
      if (unit == '\'') result += '\'';
    }
  }
  if (quoted) result += '\'';
  return result;
}

std::string FormatString(const std::vector<uint32_t>& units, int level) {
  if (units.empty()) return "''";
  std::string result;
  for (size_t start = 0; start < units.size(); start += kUnitsPerStringLine) {
    if (start != 0) result += " +\n" + Indent(level);
    result += FormatStringChunk(units.data() + start, std::min(kUnitsPerStringLine, units.size() - start));
  }
  return result;
}

std::string FormatBinary(const std::vector<uint8_t>& bytes, int level) {
  static const char* hex = "0123456789ABCDEF";
  if (bytes.empty()) return "{}";
  std::string result = "{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % kBytesPerBinaryLine == 0) result += "\n" + Indent(level);
    result += hex[bytes[i] >> 4];
    result += hex[bytes[i] & 15];
  }
  return result + "}";
}

void PrintProperties(std::string& out, const std::vector<FormProperty>& properties, int level);

std::string FormatValue(const FormValue& value, int level) {
  switch (value.type) {
    case FormValueType::Int8:
    case FormValueType::Int16:
    case FormValueType::Int32:
    case FormValueType::Int64:
      return std::to_string(value.integer);
    case FormValueType::Extended:
    case FormValueType::Single:
    case FormValueType::Double:
    case FormValueType::Date:
    case FormValueType::Currency:
      if (value.bytes.size() != FloatPayloadSize(value.type))
        throw EFormError(std::string("Cannot print form: ") + FormValueTypeName(value.type) + " value of " +
                         std::to_string(value.bytes.size()) + " bytes");
      return FormatFloatValue(value);
    case FormValueType::String:
    case FormValueType::LString:
      return FormatString(std::vector<uint32_t>(reinterpret_cast<const uint8_t*>(value.text.data()),
                                                reinterpret_cast<const uint8_t*>(value.text.data()) + value.text.size()),
                          level);
    case FormValueType::Utf8String:
      return FormatString(DecodeUtf8ForDisplay(value.text), level);
    case FormValueType::WString:
      return FormatString(std::vector<uint32_t>(value.wide.begin(), value.wide.end()), level);
    case FormValueType::Ident:
      return value.text;
    case FormValueType::False: return "False";
    case FormValueType::True: return "True";
    case FormValueType::Nil: return "nil";
    case FormValueType::Null: return "Null";
    case FormValueType::Set: {
      std::string result = "[";
      for (size_t i = 0; i < value.set.size(); ++i) result += (i ? ", " : "") + value.set[i];
      return result + "]";
    }
    case FormValueType::Binary:
      return FormatBinary(value.bytes, level);
    case FormValueType::List: {
      std::string result = "(";
      for (const FormValue& item : value.items) result += "\n" + Indent(level) + FormatValue(item, level + 1);
      return result + ")";
    }
    case FormValueType::Collection: {
      std::string result = "<";
      for (const FormCollectionItem& item : value.collection) {
        result += "\n" + Indent(level) + "item";
        if (item.index) result += " [" + std::to_string(*item.index) + "]";
        result += "\n";
        PrintProperties(result, item.properties, level + 1);
        result += Indent(level) + "end";
      }
      return result + ">";
    }
  }
  throw EFormError("Cannot print form: unknown value type " + std::to_string(static_cast<int>(value.type)));
}

void PrintProperties(std::string& out, const std::vector<FormProperty>& properties, int level) {
  for (const FormProperty& property : properties)
    out += Indent(level) + property.name + " = " + FormatValue(property.value, level + 1) + "\n";
}

void PrintObject(std::string& out, const FormObject& object, int level) {
  const char* keyword = (object.flags & ffInherited) ? "inherited" : (object.flags & ffInline) ? "inline" : "object";
  out += Indent(level) + keyword + " ";
  out += object.name.empty() ? object.className : object.name + ": " + object.className;
  if (object.flags & ffChildPos) out += " [" + std::to_string(object.childPosition) + "]";
  out += "\n";
  PrintProperties(out, object.properties, level + 1);
  for (const FormObject& child : object.children) PrintObject(out, child, level + 1);
  out += Indent(level) + "end\n";
}

// ---------------------------------------------------------------- parsing

bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<uint8_t>(c) >= 0x80;
}
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9') || c == '.'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }



class TextFormParser {
 public:
  TextFormParser(std::string_view text, const IncludeResolver& resolve) : FText(text), FResolve(resolve) {}

  FormObject ParseAll() {
    SkipSpace();
    FormObject root = ParseObject();
    SkipSpace();
    if (!AtEnd()) Fail("unexpected " + Found() + " after the end of the form");
    return root;
  }

 private:
  struct Mark {
    size_t pos, line, column;
  };

  [[noreturn]] void FailAt(const Mark& at, const std::string& what) const {
    throw EFormError("Invalid text form at line " + std::to_string(at.line) + ", column " + std::to_string(at.column) +
                     ": " + what);
  }
  [[noreturn]] void Fail(const std::string& what) const { FailAt(Here(), what); }

  Mark Here() const { return {FPos, FLine, FColumn}; }
  bool AtEnd() const { return FPos >= FText.size(); }
  char Peek(size_t ahead = 0) const { return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0'; }

  void Advance() {
    char c = FText[FPos++];
    if (c == '\n') {
      ++FLine;
      FColumn = 1;
    } else if ((static_cast<uint8_t>(c) & 0xC0) != 0x80) {
      ++FColumn;  // continuation bytes belong to the character already counted
    }
  }

  void SkipSpace() {
    while (!AtEnd() && IsBlank(Peek())) Advance();
  }

  // What stands at the current position, for messages.
  std::string Found() const {
    if (AtEnd()) return "end of text";
    if (IsIdentStart(Peek()) || IsDigit(Peek())) {
      size_t end = FPos;
      while (end < FText.size() && IsIdentChar(FText[end]) && end - FPos < 40) ++end;
      return "\"" + std::string(FText.substr(FPos, end - FPos)) + "\"";
    }
    if (Peek() == '\n' || Peek() == '\r') return "end of line";
    return "\"" + std::string(1, Peek()) + "\"";
  }

  void Expect(char c) {
    SkipSpace();
    if (Peek() != c) Fail(std::string("expected \"") + c + "\" but found " + Found());
    Advance();
  }

  void Enter() {
    if (++FDepth > kMaxFormNesting) Fail("nesting deeper than " + std::to_string(kMaxFormNesting) + " levels");
  }
  void Leave() { --FDepth; }

  std::string ParseIdent(const char* what) {
    SkipSpace();
    if (!IsIdentStart(Peek())) Fail(std::string("expected ") + what + " but found " + Found());
    Mark start = Here();
    while (!AtEnd() && IsIdentChar(Peek())) Advance();
    std::string ident(FText.substr(start.pos, FPos - start.pos));
    if (ident.size() > 255) FailAt(start, std::string(what) + " longer than 255 bytes");
    return ident;
  }

  // Looks at the identifier ahead without consuming it.
  std::string_view PeekIdent() const {
    if (!IsIdentStart(Peek())) return {};
    size_t end = FPos;
    while (end < FText.size() && IsIdentChar(FText[end])) ++end;
    return FText.substr(FPos, end - FPos);
  }

  // The first non-blank character after the identifier ahead.
  char AfterPeekedIdent() const {
    size_t i = FPos + PeekIdent().size();
    while (i < FText.size() && (FText[i] == ' ' || FText[i] == '\t')) ++i;
    return i < FText.size() ? FText[i] : '\0';
  }

  int32_t ParseBracketedInteger(const char* what) {
    Expect('[');
    SkipSpace();
    Mark at = Here();
    bool signedDigit = (Peek() == '-' || Peek() == '+') && IsDigit(Peek(1));
    if (!IsDigit(Peek()) && !signedDigit) FailAt(at, std::string("invalid ") + what);
    FormValue value = ParseNumber();
    if (!value.IsInteger() || value.type == FormValueType::Int64) FailAt(at, std::string("invalid ") + what);
    Expect(']');
    return static_cast<int32_t>(value.integer);
  }

  FormObject ParseObject() {
    SkipSpace();
    Mark start = Here();
    std::string keyword = ParseIdent("\"object\"");
    FormObject object;
    if (SameTextAscii(keyword, "inherited"))
      object.flags = ffInherited;
    else if (SameTextAscii(keyword, "inline"))
      object.flags = ffInline;
    else if (!SameTextAscii(keyword, "object"))
      FailAt(start, "expected \"object\", \"inherited\" or \"inline\" but found \"" + keyword + "\"");
    Enter();
    std::string first = ParseIdent("an object name");
    SkipSpace();
    if (Peek() == ':') {
      Advance();
      object.name = first;
      object.className = ParseIdent("a class name");
    } else {
      object.className = first;
    }
    SkipSpace();
    if (Peek() == '[') {
      object.flags |= ffChildPos;
      object.childPosition = ParseBracketedInteger("child position");
    }
    for (;;) {
      SkipSpace();
      std::string_view ident = PeekIdent();
      bool isKeyword = SameTextAscii(ident, "object") || SameTextAscii(ident, "inherited") || SameTextAscii(ident, "inline");
      if (SameTextAscii(ident, "end") && AfterPeekedIdent() != '=') {
        ParseIdent("\"end\"");
        break;
      }
      if (isKeyword && AfterPeekedIdent() != '=')
        object.children.push_back(ParseObject());
      else
        object.properties.push_back(ParseProperty());
    }
    Leave();
    return object;
  }

  FormProperty ParseProperty() {
    SkipSpace();
    if (AtEnd()) Fail("expected a property or \"end\" but found end of text");
    FormProperty property;
    property.name = ParseIdent("a property name or \"end\"");
    Expect('=');
    property.value = ParseValue();
    return property;
  }

  FormValue ParseValue() {
    SkipSpace();
    char c = Peek();
    if (c == '\'' || c == '#') return ParseString();
    if (IsDigit(c) || c == '-' || c == '+') return ParseNumber();
    if (c == '[') return ParseSet();
    if (c == '(') return ParseList();
    if (c == '{') return ParseBinary();
    if (c == '<') return ParseCollection();
    if (IsIdentStart(c)) {
      FormValue value;
      value.text = ParseIdent("a value");
      if (SameTextAscii(value.text, "True")) value.type = FormValueType::True;
      else if (SameTextAscii(value.text, "False")) value.type = FormValueType::False;
      else if (SameTextAscii(value.text, "nil")) value.type = FormValueType::Nil;
      else if (SameTextAscii(value.text, "Null")) value.type = FormValueType::Null;
      else value.type = FormValueType::Ident;
      if (value.type != FormValueType::Ident) value.text.clear();
      return value;
    }
    Fail("expected a value but found " + Found());
  }

  // Reads one UTF-8 character of a quoted run.
  uint32_t ParseUtf8Char() {
    Mark at = Here();
    uint8_t lead = static_cast<uint8_t>(Peek());
    if ((lead >= 0x80 && lead < 0xC0) || lead >= 0xF8) FailAt(at, "invalid UTF-8 byte " + std::to_string(lead));
    size_t end = FPos;
    char32_t point;
    if (!DecodeUtf8Pattern(FText, end, point)) FailAt(at, "invalid UTF-8 sequence");
    size_t length = end - FPos;
    while (FPos < end) Advance();
    static const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < smallest[length] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000))
      FailAt(at, "invalid UTF-8 sequence");
    return point;
  }

  void ParseStringPiece(std::vector<uint32_t>& points) {
    for (;;) {
      if (Peek() == '\'') {
        Mark opening = Here();
        Advance();
        for (;;) {
          if (AtEnd() || Peek() == '\n' || Peek() == '\r') FailAt(opening, "unterminated string");
          if (Peek() == '\'') {
            Advance();
            if (Peek() != '\'') break;
          }
          points.push_back(ParseUtf8Char());
        }
      } else if (Peek() == '#') {
        Mark at = Here();
        Advance();
        if (!IsDigit(Peek())) Fail("expected a character code but found " + Found());
        uint32_t code = 0;
        while (IsDigit(Peek())) {
          code = code * 10 + static_cast<uint32_t>(Peek() - '0');
          if (code > 0x10FFFF) FailAt(at, "character code out of range");
          Advance();
        }
        points.push_back(code);
      } else {
        return;
      }
    }
  }

  // A '+' followed by a quote or '#' joins the next piece; "+Inf" is a number.
  bool AtContinuation() {
    size_t i = FPos;
    while (i < FText.size() && IsBlank(FText[i])) ++i;
    if (i >= FText.size() || FText[i] != '+') return false;
    ++i;
    while (i < FText.size() && IsBlank(FText[i])) ++i;
    return i < FText.size() && (FText[i] == '\'' || FText[i] == '#');
  }

  FormValue ParseString() {
    std::vector<uint32_t> points;
    ParseStringPiece(points);
    while (AtContinuation()) {
      Expect('+');
      SkipSpace();
      ParseStringPiece(points);
    }
    FormValue value;
    bool narrow = true;
    for (uint32_t point : points) narrow = narrow && point < 256;
    if (narrow) {
      value.type = points.size() <= 255 ? FormValueType::String : FormValueType::LString;
      for (uint32_t point : points) value.text += static_cast<char>(point);
    } else {
      value.type = FormValueType::WString;
      for (uint32_t point : points) AppendUtf16(value.wide, point);
    }
    return value;
  }

  template <typename Float>
  static std::vector<uint8_t> FloatBytes(Float value, size_t size) {
    std::vector<uint8_t> bytes(size);
    std::memcpy(bytes.data(), &value, size);
    return bytes;
  }

  // Scales a decimal to ten-thousandths exactly, rounding half away from zero.
  std::vector<uint8_t> CurrencyBytes(std::string_view mantissa, int64_t exponent, bool negative, const Mark& at) {
    std::string digits;
    int64_t point = -1;
    for (char c : mantissa) {
      if (c == '.') point = static_cast<int64_t>(digits.size());
      else digits += c;
    }
    if (point < 0) point = static_cast<int64_t>(digits.size());
    int64_t shift = point + exponent + 4 - static_cast<int64_t>(digits.size());
    int64_t keep = static_cast<int64_t>(digits.size()) + std::min<int64_t>(shift, 0);
    // The negative range reaches one further than the positive.
    uint64_t limit = negative ? uint64_t{1} << 63 : uint64_t{INT64_MAX};
    uint64_t scaled = 0;
    auto multiplyAdd = [&](uint64_t digit) {
      if (scaled > (limit - digit) / 10) FailAt(at, "number out of range");
      scaled = scaled * 10 + digit;
    };
    for (int64_t i = 0; i < keep; ++i) multiplyAdd(static_cast<uint64_t>(digits[static_cast<size_t>(i)] - '0'));
    for (int64_t i = 0; i < shift; ++i) multiplyAdd(0);
    if (keep >= 0 && keep < static_cast<int64_t>(digits.size()) && digits[static_cast<size_t>(keep)] >= '5') {
      if (scaled == limit) FailAt(at, "number out of range");
      ++scaled;
    }
    int64_t value = static_cast<int64_t>(negative ? 0 - scaled : scaled);
    return FloatBytes(value, 8);
  }

  FormValue ParseNonFinite(bool negative, const Mark& at) {
    std::string_view word = PeekIdent();
    FormValue value;
    bool isInf = word.substr(0, 3) == "Inf", isNaN = word.substr(0, 3) == "NaN";
    std::string_view suffix = word.size() > 3 ? word.substr(3) : std::string_view();
    if ((!isInf && !isNaN) || suffix.size() > 1) FailAt(at, "invalid number");
    for (size_t i = 0; i < word.size(); ++i) Advance();
    char kind = suffix.empty() ? 'x' : AsciiLower(suffix[0]);
    if (kind == 'x' && !suffix.empty()) FailAt(at, "invalid number");
    double special = isInf ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    if (negative) special = -special;
    ExtendedBytes extended = isInf ? ExtendedInfinity(negative) : ExtendedQuietNaN(negative);
    switch (kind) {
      case 'x': value.type = FormValueType::Extended; value.bytes.assign(extended.begin(), extended.end()); break;
      case 's': value.type = FormValueType::Single; value.bytes = FloatBytes(static_cast<float>(special), 4); break;
      case 'r': value.type = FormValueType::Double; value.bytes = FloatBytes(static_cast<double>(special), 8); break;
      case 'd': value.type = FormValueType::Date; value.bytes = FloatBytes(static_cast<double>(special), 8); break;
      default: FailAt(at, "invalid number");
    }
    return value;
  }

  FormValue ParseNumber() {
    Mark at = Here();
    bool negative = Peek() == '-';
    if (Peek() == '-' || Peek() == '+') Advance();
    if (!IsDigit(Peek())) {
      if (IsIdentStart(Peek())) return ParseNonFinite(negative, at);
      FailAt(at, "invalid number");
    }
    size_t mantissaStart = FPos;
    bool isFloat = false;
    while (IsDigit(Peek())) Advance();
    if (Peek() == '.' && IsDigit(Peek(1))) {
      isFloat = true;
      Advance();
      while (IsDigit(Peek())) Advance();
    }
    std::string_view mantissa = FText.substr(mantissaStart, FPos - mantissaStart);
    int64_t exponent = 0;
    if ((Peek() == 'e' || Peek() == 'E') &&
        (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
      isFloat = true;
      Advance();
      bool negativeExponent = Peek() == '-';
      if (Peek() == '+' || Peek() == '-') Advance();
      while (IsDigit(Peek())) {
        exponent = std::min<int64_t>(exponent * 10 + (Peek() - '0'), 100000);
        Advance();
      }
      if (negativeExponent) exponent = -exponent;
    }
    std::string_view numberText = FText.substr(mantissaStart, FPos - mantissaStart);
    char kind = 'x';
    if (Peek() != '\0' && std::strchr("sSrRdDcC", Peek()) && !IsIdentChar(Peek(1))) {
      kind = AsciiLower(Peek());
      isFloat = true;
      Advance();
    }
    if (IsIdentChar(Peek())) FailAt(at, "invalid number \"" + std::string(FText.substr(at.pos, FPos - at.pos + 1)) + "\"");

    FormValue value;
    if (!isFloat) {
      std::string digits = (negative ? "-" : "") + std::string(numberText);
      auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value.integer);
      if (result.ec != std::errc()) FailAt(at, "integer out of range");
      value.type = SmallestIntegerType(value.integer);
      return value;
    }
    if (kind == 'c') {
      value.type = FormValueType::Currency;
      value.bytes = CurrencyBytes(mantissa, exponent, negative, at);
      return value;
    }
    const char* first = numberText.data();
    const char* last = first + numberText.size();
    auto convert = [&](auto& number) {
      auto result = std::from_chars(first, last, number);
      if (result.ec != std::errc() || result.ptr != last) FailAt(at, "number out of range");
      if (negative) number = -number;
    };
    if (kind == 's') {
      float number;
      convert(number);
      value.type = FormValueType::Single;
      value.bytes = FloatBytes(number, 4);
    } else if (kind == 'r' || kind == 'd') {
      double number;
      convert(number);
      value.type = kind == 'r' ? FormValueType::Double : FormValueType::Date;
      value.bytes = FloatBytes(number, 8);
    } else {
      std::optional<ExtendedBytes> number = ParseExtended(numberText, negative);
      if (!number) FailAt(at, "number out of range");
      value.type = FormValueType::Extended;
      value.bytes.assign(number->begin(), number->end());
    }
    return value;
  }

  FormValue ParseSet() {
    FormValue value;
    value.type = FormValueType::Set;
    Expect('[');
    SkipSpace();
    if (Peek() != ']') {
      for (;;) {
        value.set.push_back(ParseIdent("a set element"));
        SkipSpace();
        if (Peek() != ',') break;
        Advance();
      }
    }
    Expect(']');
    return value;
  }

  FormValue ParseList() {
    FormValue value;
    value.type = FormValueType::List;
    Expect('(');
    Enter();
    for (SkipSpace(); Peek() != ')'; SkipSpace()) {
      if (AtEnd()) Fail("expected \")\" but found end of text");
      Mark at = Here();
      value.items.push_back(ParseValue());
      // A Null would end the list in the binary form.
      if (value.items.back().type == FormValueType::Null) FailAt(at, "Null cannot stand in a list");
    }
    Advance();
    Leave();
    return value;
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  }

  FormValue ParseBinary() {
    FormValue value;
    value.type = FormValueType::Binary;
    Expect('{');
    SkipSpace();
    if (Peek() == '@') return ParseInclude(value);
    Mark pairStart = Here();
    int high = -1;
    for (;; SkipSpace()) {
      if (Peek() == '}') break;
      int digit = HexDigit(Peek());
      if (digit < 0) Fail("expected a hexadecimal digit but found " + Found());
      if (high < 0) {
        pairStart = Here();
        high = digit;
      } else {
        value.bytes.push_back(static_cast<uint8_t>(high * 16 + digit));
        high = -1;
      }
      Advance();
    }
    if (high >= 0) FailAt(pairStart, "odd number of hexadecimal digits");
    Advance();
    return value;
  }

  FormValue ParseInclude(FormValue& value) {
    Mark at = Here();
    Advance();
    size_t start = FPos;
    while (!AtEnd() && Peek() != '}' && Peek() != '\n') Advance();
    if (Peek() != '}') Fail("expected \"}\" after the included file name but found " + Found());
    std::string name(FText.substr(start, FPos - start));
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t' || name.back() == '\r')) name.pop_back();
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.erase(0, 1);
    if (name.empty()) FailAt(at, "empty included file name");
    Advance();
    std::optional<std::vector<uint8_t>> bytes;
    if (FResolve) bytes = FResolve(name);
    if (!bytes) FailAt(at, "included file \"" + name + "\" not found");
    value.bytes = std::move(*bytes);
    return value;
  }

  FormValue ParseCollection() {
    FormValue value;
    value.type = FormValueType::Collection;
    Expect('<');
    Enter();
    for (SkipSpace(); Peek() != '>'; SkipSpace()) {
      Mark at = Here();
      std::string word = ParseIdent("\"item\" or \">\"");
      if (!SameTextAscii(word, "item")) FailAt(at, "expected \"item\" or \">\" but found \"" + word + "\"");
      FormCollectionItem item;
      SkipSpace();
      if (Peek() == '[') item.index = ParseBracketedInteger("collection item index");
      for (;;) {
        SkipSpace();
        if (SameTextAscii(PeekIdent(), "end") && AfterPeekedIdent() != '=') {
          ParseIdent("\"end\"");
          break;
        }
        item.properties.push_back(ParseProperty());
      }
      value.collection.push_back(std::move(item));
    }
    Advance();
    Leave();
    return value;
  }

  std::string_view FText;
  const IncludeResolver& FResolve;
  size_t FPos = 0, FLine = 1, FColumn = 1;
  int FDepth = 0;
};

}  // namespace

std::string PrintTextForm(const FormObject& root) {
  std::string out;
  PrintObject(out, root, 0);
  return out;
}

FormObject ParseTextForm(std::string_view text, const IncludeResolver& resolve) {
  return TextFormParser(text, resolve).ParseAll();
}
