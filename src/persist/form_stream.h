#pragma once
// The binary form stream ("TPF0") as a generic tree of objects, properties and
// values, read and written without knowing any component class.
//
// Layout: signature "TPF0", then one object. An object is an optional flag
// prefix (0xF0 | flags, followed by an integer value when ffChildPos is set),
// the class name and the object name as short strings (length byte, bytes),
// its properties (name, value) ended by a zero byte, and its children ended by
// a zero byte. A value is one type byte and its payload.
//
// Compiled resources may put a 16-bit resource header in front of "TPF0":
// 0xFF, 16-bit type 10, zero-terminated name, 16-bit flags, 32-bit size.
//
// Every malformed input raises EFormError naming what was found, its byte
// offset in the data handed in, and the property and object it belongs to.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

enum class FormValueType : uint8_t {
  Null = 0, List = 1, Int8 = 2, Int16 = 3, Int32 = 4, Extended = 5, String = 6, Ident = 7,
  False = 8, True = 9, Binary = 10, Set = 11, LString = 12, Nil = 13, Collection = 14,
  Single = 15, Currency = 16, Date = 17, WString = 18, Int64 = 19, Utf8String = 20, Double = 21,
};

// Object flag bits of the prefix byte.
constexpr uint8_t ffInherited = 1;
constexpr uint8_t ffChildPos = 2;
constexpr uint8_t ffInline = 4;

// Objects, lists and collections nest no deeper than this.
constexpr int kMaxFormNesting = 100;

struct FormProperty;
struct FormCollectionItem;

struct FormValue {
  FormValueType type = FormValueType::Null;
  size_t offset = 0;  // of the type byte; 0 for values not read from a stream
  int64_t integer = 0;  // Int8, Int16, Int32, Int64
  std::string text;  // String, Ident, LString, Utf8String: the raw bytes
  std::u16string wide;  // WString
  // Binary; also the raw little-endian payload of Extended (10 bytes), Single
  // (4), Double and Date (8, IEEE double) and Currency (8, integer x 10000).
  std::vector<uint8_t> bytes;
  std::vector<std::string> set;  // Set
  std::vector<FormValue> items;  // List
  std::vector<FormCollectionItem> collection;  // Collection

  bool IsInteger() const;
  bool IsFloat() const;
  // These raise EFormError naming the actual type when the value is of another kind.
  int64_t AsInteger() const;
  bool AsBoolean() const;
  double AsDouble() const;  // any float kind; Currency as its decimal value
};

struct FormProperty {
  std::string name;  // a nested property is named by its path: "Font.Height"
  size_t offset = 0;  // of the name's length byte
  FormValue value;
};

struct FormCollectionItem {
  size_t offset = 0;
  std::optional<int32_t> index;
  std::vector<FormProperty> properties;
};

struct FormObject {
  uint8_t flags = 0;  // ffInherited | ffChildPos | ffInline
  int32_t childPosition = 0;  // meaningful with ffChildPos
  std::string className, name;
  size_t offset = 0;  // of the object's first byte
  std::vector<FormProperty> properties;
  std::vector<FormObject> children;
};

const char* FormValueTypeName(FormValueType type);
// The smallest of Int8, Int16, Int32 and Int64 that holds the value.
FormValueType SmallestIntegerType(int64_t value);
// Payload size of the fixed-size float kinds.
size_t FloatPayloadSize(FormValueType type);

FormObject ReadFormStream(std::span<const uint8_t> data);
// A plain "TPF0" stream; raises EFormError for a tree the format cannot hold
// (a short string over 255 bytes, an empty name, a Null inside a list...).
std::vector<uint8_t> WriteFormStream(const FormObject& root);
