#include "persist/form_stream.h"

#include <cmath>
#include <cstring>

#include "base/exceptions.h"

namespace {

constexpr uint16_t kRcDataType = 10;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Signature bytes for a message: printable ASCII as is, the rest as \xNN.
std::string Printable(std::span<const uint8_t> bytes) {
  static const char* hex = "0123456789ABCDEF";
  std::string result;
  for (uint8_t b : bytes) {
    if (b >= 32 && b < 127 && b != '"' && b != '\\') {
      result += static_cast<char>(b);
    } else {
      result += "\\x";
      result += hex[b >> 4];
      result += hex[b & 15];
    }
  }
  return result;
}

class FormReader {
 public:
  explicit FormReader(std::span<const uint8_t> data) : FData(data) {}

  FormObject ReadAll() {
    if (!FData.empty() && FData[0] == 0xFF) ReadResourceHeader();
    size_t signatureAt = FPos;
    Need(4, "signature");
    if (std::memcmp(FData.data() + FPos, "TPF0", 4) != 0)
      Fail("bad signature " + Quoted(Printable(FData.subspan(FPos, 4))) + ", expected \"TPF0\"", signatureAt);
    FPos += 4;
    return ReadObject();
  }

 private:
  [[noreturn]] void Fail(const std::string& what, size_t offset) const {
    std::string context;
    std::string owner = !FObjectName.empty() ? FObjectName : FClassName;
    if (!FPropertyName.empty() && !owner.empty())
      context = " (property " + Quoted(FPropertyName) + " of object " + Quoted(owner) + ")";
    else if (!owner.empty())
      context = " (object " + Quoted(owner) + ")";
    throw EFormError("Invalid form stream: " + what + " at offset " + std::to_string(offset) + context);
  }

  size_t Left() const { return FData.size() - FPos; }

  void Need(size_t count, const char* what) const {
    if (Left() < count)
      Fail(std::string("unexpected end of data in ") + what + " (" + std::to_string(count) + " bytes needed, " +
               std::to_string(Left()) + " left)",
           FPos);
  }

  uint8_t PeekByte(const char* what) const {
    Need(1, what);
    return FData[FPos];
  }

  uint64_t ReadUnsigned(size_t size, const char* what) {
    Need(size, what);
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i) value |= static_cast<uint64_t>(FData[FPos + i]) << (8 * i);
    FPos += size;
    return value;
  }

  std::vector<uint8_t> ReadBytes(size_t count) {
    std::vector<uint8_t> bytes(FData.begin() + FPos, FData.begin() + FPos + count);
    FPos += count;
    return bytes;
  }

  // Checks a stored length against what is left before anything is allocated.
  void CheckLength(uint64_t count, uint64_t unitSize, const char* what, size_t lengthAt) const {
    if (count > Left() / unitSize)
      Fail(std::string(what) + " length " + std::to_string(count) + " runs past the end of the data (" +
               std::to_string(Left()) + " bytes left)",
           lengthAt);
  }

  std::string ReadShortString(const char* what) {
    size_t lengthAt = FPos;
    size_t length = PeekByte(what);
    ++FPos;
    CheckLength(length, 1, what, lengthAt);
    std::string text(reinterpret_cast<const char*>(FData.data() + FPos), length);
    FPos += length;
    return text;
  }

  std::string ReadLongString(const char* what) {
    size_t lengthAt = FPos;
    uint64_t length = ReadUnsigned(4, what);
    CheckLength(length, 1, what, lengthAt);
    std::string text(reinterpret_cast<const char*>(FData.data() + FPos), length);
    FPos += length;
    return text;
  }

  void ReadResourceHeader() {
    ++FPos;
    size_t typeAt = FPos;
    uint64_t type = ReadUnsigned(2, "resource header");
    if (type != kRcDataType)
      Fail("resource type " + std::to_string(type) + " (expected " + std::to_string(kRcDataType) + ")", typeAt);
    size_t nameAt = FPos;
    const void* terminator = std::memchr(FData.data() + FPos, 0, Left());
    if (!terminator) Fail("unterminated resource name", nameAt);
    FPos = static_cast<size_t>(static_cast<const uint8_t*>(terminator) - FData.data()) + 1;
    ReadUnsigned(2, "resource header");
    size_t sizeAt = FPos;
    uint64_t size = ReadUnsigned(4, "resource header");
    CheckLength(size, 1, "resource", sizeAt);
    FData = FData.first(FPos + size);
  }

  int32_t ReadSmallInteger(const char* what) {
    size_t at = FPos;
    FormValueType type = static_cast<FormValueType>(PeekByte(what));
    if (type != FormValueType::Int8 && type != FormValueType::Int16 && type != FormValueType::Int32)
      Fail(std::string("expected an integer for the ") + what + ", found value type " +
               std::to_string(static_cast<int>(type)),
           at);
    return static_cast<int32_t>(ReadValue().integer);
  }

  void Enter(size_t at) {
    if (++FDepth > kMaxFormNesting) Fail("nesting deeper than " + std::to_string(kMaxFormNesting) + " levels", at);
  }
  void Leave() { --FDepth; }

  FormValue ReadValue() {
    FormValue value;
    value.offset = FPos;
    uint8_t typeByte = PeekByte("value");
    ++FPos;
    value.type = static_cast<FormValueType>(typeByte);
    switch (value.type) {
      case FormValueType::Null:
      case FormValueType::False:
      case FormValueType::True:
      case FormValueType::Nil:
        break;
      case FormValueType::Int8:
        value.integer = static_cast<int8_t>(ReadUnsigned(1, "integer"));
        break;
      case FormValueType::Int16:
        value.integer = static_cast<int16_t>(ReadUnsigned(2, "integer"));
        break;
      case FormValueType::Int32:
        value.integer = static_cast<int32_t>(ReadUnsigned(4, "integer"));
        break;
      case FormValueType::Int64:
        value.integer = static_cast<int64_t>(ReadUnsigned(8, "integer"));
        break;
      case FormValueType::Extended:
      case FormValueType::Single:
      case FormValueType::Currency:
      case FormValueType::Date:
      case FormValueType::Double:
        Need(FloatPayloadSize(value.type), "number");
        value.bytes = ReadBytes(FloatPayloadSize(value.type));
        break;
      case FormValueType::String:
        value.text = ReadShortString("string");
        break;
      case FormValueType::Ident:
        value.text = ReadShortString("identifier");
        // The writer refuses it too: no text spells it and no property takes it.
        if (value.text.empty()) Fail("empty identifier", value.offset);
        break;
      case FormValueType::LString:
      case FormValueType::Utf8String:
        value.text = ReadLongString("string");
        break;
      case FormValueType::WString: {
        size_t lengthAt = FPos;
        uint64_t count = ReadUnsigned(4, "wide string");
        CheckLength(count, 2, "wide string", lengthAt);
        value.wide.resize(count);
        for (char16_t& unit : value.wide) unit = static_cast<char16_t>(ReadUnsigned(2, "wide string"));
        break;
      }
      case FormValueType::Binary: {
        size_t lengthAt = FPos;
        uint64_t length = ReadUnsigned(4, "binary");
        CheckLength(length, 1, "binary", lengthAt);
        value.bytes = ReadBytes(length);
        break;
      }
      case FormValueType::Set:
        for (std::string element; !(element = ReadShortString("set")).empty();) value.set.push_back(element);
        break;
      case FormValueType::List:
        Enter(value.offset);
        while (PeekByte("list") != 0) value.items.push_back(ReadValue());
        ++FPos;
        Leave();
        break;
      case FormValueType::Collection:
        Enter(value.offset);
        while (PeekByte("collection") != 0) value.collection.push_back(ReadCollectionItem());
        ++FPos;
        Leave();
        break;
      default:
        Fail("unknown value type " + std::to_string(typeByte), value.offset);
    }
    return value;
  }

  FormCollectionItem ReadCollectionItem() {
    FormCollectionItem item;
    item.offset = FPos;
    uint8_t next = PeekByte("collection");
    if (next == static_cast<uint8_t>(FormValueType::Int8) || next == static_cast<uint8_t>(FormValueType::Int16) ||
        next == static_cast<uint8_t>(FormValueType::Int32))
      item.index = ReadSmallInteger("collection item index");
    size_t listAt = FPos;
    if (PeekByte("collection") != static_cast<uint8_t>(FormValueType::List))
      Fail("expected a collection item, found value type " + std::to_string(FData[FPos]), listAt);
    ++FPos;
    item.properties = ReadProperties();
    return item;
  }

  std::vector<FormProperty> ReadProperties() {
    std::vector<FormProperty> properties;
    std::string outer = FPropertyName;
    while (PeekByte("property list") != 0) {
      FormProperty property;
      property.offset = FPos;
      property.name = ReadShortString("property name");
      FPropertyName = property.name;
      property.value = ReadValue();
      properties.push_back(std::move(property));
      FPropertyName = outer;
    }
    ++FPos;
    return properties;
  }

  FormObject ReadObject() {
    FormObject object;
    object.offset = FPos;
    Enter(object.offset);
    std::string outerClass = FClassName, outerName = FObjectName;
    FClassName.clear();
    FObjectName.clear();
    uint8_t first = PeekByte("object");
    if ((first & 0xF0) == 0xF0) {
      object.flags = first & 0x0F;
      if (object.flags & ~(ffInherited | ffChildPos | ffInline))
        Fail("unknown object flags " + std::to_string(object.flags), object.offset);
      ++FPos;
      if (object.flags & ffChildPos) object.childPosition = ReadSmallInteger("child position");
    }
    size_t classAt = FPos;
    object.className = ReadShortString("class name");
    if (object.className.empty()) Fail("empty class name", classAt);
    FClassName = object.className;
    object.name = ReadShortString("object name");
    FObjectName = object.name;
    object.properties = ReadProperties();
    while (PeekByte("child list") != 0) object.children.push_back(ReadObject());
    ++FPos;
    FClassName = outerClass;
    FObjectName = outerName;
    Leave();
    return object;
  }

  std::span<const uint8_t> FData;
  size_t FPos = 0;
  int FDepth = 0;
  std::string FClassName, FObjectName, FPropertyName;
};

class FormWriter {
 public:
  std::vector<uint8_t> WriteAll(const FormObject& root) {
    FOut.assign({'T', 'P', 'F', '0'});
    WriteObject(root);
    return std::move(FOut);
  }

 private:
  [[noreturn]] static void Fail(const std::string& what) { throw EFormError("Cannot write form stream: " + what); }

  void Byte(uint8_t b) { FOut.push_back(b); }

  void Unsigned(uint64_t value, size_t size) {
    for (size_t i = 0; i < size; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
  }

  void ShortString(const std::string& text, const char* what) {
    if (text.size() > 255) Fail(std::string(what) + " " + Quoted(text.substr(0, 32)) + "... is longer than 255 bytes");
    Byte(static_cast<uint8_t>(text.size()));
    FOut.insert(FOut.end(), text.begin(), text.end());
  }

  void NonEmptyShortString(const std::string& text, const char* what) {
    if (text.empty()) Fail(std::string("empty ") + what);
    ShortString(text, what);
  }

  void Length(size_t length, const char* what) {
    if (length > UINT32_MAX) Fail(std::string(what) + " too long");
    Unsigned(length, 4);
  }

  void Integer(FormValueType type, int64_t value) {
    static const size_t sizes[] = {1, 2, 4};
    size_t size = type == FormValueType::Int64 ? 8 : sizes[static_cast<int>(type) - static_cast<int>(FormValueType::Int8)];
    if (size < 8) {
      int64_t limit = int64_t{1} << (8 * size - 1);
      if (value < -limit || value >= limit)
        Fail(std::to_string(value) + " does not fit in " + FormValueTypeName(type));
    }
    Byte(static_cast<uint8_t>(type));
    Unsigned(static_cast<uint64_t>(value), size);
  }

  void SmallInteger(int32_t value) { Integer(SmallestIntegerType(value), value); }

  void Value(const FormValue& value) {
    switch (value.type) {
      case FormValueType::Int8:
      case FormValueType::Int16:
      case FormValueType::Int32:
      case FormValueType::Int64:
        Integer(value.type, value.integer);
        return;
      default:
        break;
    }
    Byte(static_cast<uint8_t>(value.type));
    switch (value.type) {
      case FormValueType::Null:
      case FormValueType::False:
      case FormValueType::True:
      case FormValueType::Nil:
        break;
      case FormValueType::Extended:
      case FormValueType::Single:
      case FormValueType::Currency:
      case FormValueType::Date:
      case FormValueType::Double:
        if (value.bytes.size() != FloatPayloadSize(value.type))
          Fail(std::string(FormValueTypeName(value.type)) + " value of " + std::to_string(value.bytes.size()) +
               " bytes");
        FOut.insert(FOut.end(), value.bytes.begin(), value.bytes.end());
        break;
      case FormValueType::String:
        ShortString(value.text, "string");
        break;
      case FormValueType::Ident:
        NonEmptyShortString(value.text, "identifier");
        break;
      case FormValueType::LString:
      case FormValueType::Utf8String:
        Length(value.text.size(), "string");
        FOut.insert(FOut.end(), value.text.begin(), value.text.end());
        break;
      case FormValueType::WString:
        Length(value.wide.size(), "wide string");
        for (char16_t unit : value.wide) Unsigned(unit, 2);
        break;
      case FormValueType::Binary:
        Length(value.bytes.size(), "binary value");
        FOut.insert(FOut.end(), value.bytes.begin(), value.bytes.end());
        break;
      case FormValueType::Set:
        for (const std::string& element : value.set) NonEmptyShortString(element, "set element");
        Byte(0);
        break;
      case FormValueType::List:
        for (const FormValue& item : value.items) {
          // A zero type byte would end the list early.
          if (item.type == FormValueType::Null) Fail("Null value inside a list");
          Value(item);
        }
        Byte(0);
        break;
      case FormValueType::Collection:
        for (const FormCollectionItem& item : value.collection) {
          if (item.index) SmallInteger(*item.index);
          Byte(static_cast<uint8_t>(FormValueType::List));
          Properties(item.properties);
        }
        Byte(0);
        break;
      default:
        Fail("unknown value type " + std::to_string(static_cast<int>(value.type)));
    }
  }

  void Properties(const std::vector<FormProperty>& properties) {
    for (const FormProperty& property : properties) {
      NonEmptyShortString(property.name, "property name");
      Value(property.value);
    }
    Byte(0);
  }

  void WriteObject(const FormObject& object) {
    if (object.flags & ~(ffInherited | ffChildPos | ffInline))
      Fail("unknown object flags " + std::to_string(object.flags));
    // A class name of 240 bytes or more has a length byte that would read as
    // a flag prefix, so it is written behind one even without flags.
    if (object.flags || object.className.size() >= 0xF0) {
      Byte(0xF0 | object.flags);
      if (object.flags & ffChildPos) SmallInteger(object.childPosition);
    }
    NonEmptyShortString(object.className, "class name");
    ShortString(object.name, "object name");
    Properties(object.properties);
    for (const FormObject& child : object.children) WriteObject(child);
    Byte(0);
  }

  std::vector<uint8_t> FOut;
};

uint64_t LittleEndian(const std::vector<uint8_t>& bytes) {
  uint64_t value = 0;
  for (size_t i = 0; i < bytes.size() && i < 8; ++i) value |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  return value;
}

// 80-bit extended: 64-bit mantissa with explicit integer bit, 15-bit exponent, sign.
double DecodeExtended(const std::vector<uint8_t>& bytes) {
  uint64_t mantissa = LittleEndian(bytes);
  unsigned exponentAndSign = bytes[8] | (bytes[9] << 8);
  int exponent = exponentAndSign & 0x7FFF;
  double sign = (exponentAndSign & 0x8000) ? -1.0 : 1.0;
  if (exponent == 0x7FFF)
    return (mantissa << 1) == 0 ? sign * HUGE_VAL : std::nan("");
  if (exponent == 0) exponent = 1;  // denormal
  return sign * std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
}

EFormError WrongType(const FormValue& value, const char* wanted) {
  return EFormError("Invalid form value: expected " + std::string(wanted) + " but found " +
                    FormValueTypeName(value.type) + " at offset " + std::to_string(value.offset));
}

}  // namespace

const char* FormValueTypeName(FormValueType type) {
  static const char* names[] = {"Null",   "List",   "Int8",       "Int16",    "Int32",   "Extended",
                                "String", "Ident",  "False",      "True",     "Binary",  "Set",
                                "LString", "Nil",   "Collection", "Single",   "Currency", "Date",
                                "WString", "Int64", "Utf8String", "Double"};
  size_t index = static_cast<size_t>(type);
  return index < std::size(names) ? names[index] : "unknown";
}

FormValueType SmallestIntegerType(int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) return FormValueType::Int8;
  if (value >= INT16_MIN && value <= INT16_MAX) return FormValueType::Int16;
  if (value >= INT32_MIN && value <= INT32_MAX) return FormValueType::Int32;
  return FormValueType::Int64;
}

size_t FloatPayloadSize(FormValueType type) {
  switch (type) {
    case FormValueType::Extended: return 10;
    case FormValueType::Single: return 4;
    case FormValueType::Currency:
    case FormValueType::Date:
    case FormValueType::Double: return 8;
    default: return 0;
  }
}

bool FormValue::IsInteger() const {
  return type == FormValueType::Int8 || type == FormValueType::Int16 || type == FormValueType::Int32 ||
         type == FormValueType::Int64;
}

bool FormValue::IsFloat() const { return FloatPayloadSize(type) != 0; }

int64_t FormValue::AsInteger() const {
  if (!IsInteger()) throw WrongType(*this, "an integer");
  return integer;
}

bool FormValue::AsBoolean() const {
  if (type == FormValueType::True) return true;
  if (type == FormValueType::False) return false;
  throw WrongType(*this, "True or False");
}

double FormValue::AsDouble() const {
  if (!IsFloat() || bytes.size() != FloatPayloadSize(type)) throw WrongType(*this, "a number");
  uint64_t raw = LittleEndian(bytes);
  switch (type) {
    case FormValueType::Extended:
      return DecodeExtended(bytes);
    case FormValueType::Single: {
      uint32_t bits = static_cast<uint32_t>(raw);
      float f;
      std::memcpy(&f, &bits, 4);
      return f;
    }
    case FormValueType::Currency:
      return static_cast<double>(static_cast<int64_t>(raw)) / 10000.0;
    default: {
      double d;
      std::memcpy(&d, &raw, 8);
      return d;
    }
  }
}

FormObject ReadFormStream(std::span<const uint8_t> data) { return FormReader(data).ReadAll(); }

std::vector<uint8_t> WriteFormStream(const FormObject& root) { return FormWriter().WriteAll(root); }
