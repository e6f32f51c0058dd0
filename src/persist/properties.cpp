#include "persist/properties.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/code_page.h"
#include "base/utf.h"

PropertyTable::PropertyTable(const PropertyTable* parent, std::vector<PropertyDef> defs)
    : FParent(parent), FDefs(std::move(defs)) {}

const PropertyDef* PropertyTable::Find(std::string_view name) const {
  for (const PropertyDef& def : FDefs)
    if (SameTextAscii(def.name, name)) return &def;
  return FParent ? FParent->Find(name) : nullptr;
}

std::optional<PropertyTable::Match> PropertyTable::Resolve(TPersistent& object, std::string_view path) const {
  // A property may own a dotted name whole, as string lists do ("Lines.Strings").
  if (const PropertyDef* whole = Find(path); whole && whole->assign) return Match{whole, &object};
  size_t dot = path.find('.');
  const PropertyDef* def = Find(path.substr(0, dot));
  if (!def) return std::nullopt;
  if (dot == std::string_view::npos) {
    if (!def->assign) return std::nullopt;
    return Match{def, &object};
  }
  if (!def->subobject) return std::nullopt;
  TPersistent& inner = def->subobject(object);
  return inner.Properties().Resolve(inner, path.substr(dot + 1));
}

bool PropertyTable::Writable() const {
  for (const PropertyDef& def : FDefs)
    if (!def.store) return false;
  return !FParent || FParent->Writable();
}

std::vector<FormProperty> PropertyTable::Store(const TPersistent& object, const TPersistent* defaults) const {
  std::vector<FormProperty> stored;
  std::vector<std::string_view> seen;
  for (const PropertyTable* table = this; table; table = table->FParent)
    for (const PropertyDef& def : table->FDefs) {
      if (std::ranges::any_of(seen, [&](std::string_view name) { return SameTextAscii(name, def.name); })) continue;
      seen.push_back(def.name);
      if (def.subobject) {
        // Nested objects are reached only through their holder's mutable
        // getter; storing reads them and changes nothing.
        TPersistent& inner = def.subobject(const_cast<TPersistent&>(object));
        const TPersistent* innerDefaults = defaults ? &def.subobject(const_cast<TPersistent&>(*defaults)) : nullptr;
        for (FormProperty& property : inner.Properties().Store(inner, innerDefaults))
          stored.push_back({def.name + "." + property.name, 0, std::move(property.value)});
        continue;
      }
      if (!def.store) continue;
      std::optional<FormValue> value = def.store(object);
      if (!value) continue;
      if (defaults)
        if (std::optional<FormValue> standard = def.store(*defaults); standard && SameFormValue(*value, *standard))
          continue;
      stored.push_back({def.name, 0, std::move(*value)});
    }
  return stored;
}

FormValue IntegerFormValue(int64_t value) {
  FormValue v;
  v.type = SmallestIntegerType(value);
  v.integer = value;
  return v;
}

FormValue StringFormValue(const std::string& text) {
  FormValue v;
  // Kept single-byte only when the page gives the very same text back.
  const std::optional<std::string> bytes = Utf8ToAnsi(text);
  if (bytes && AnsiToUtf8(*bytes) == text) {
    v.type = bytes->size() <= 255 ? FormValueType::String : FormValueType::LString;
    v.text = *bytes;
  } else {
    v.type = FormValueType::WString;
    v.wide = Utf8ToUtf16(text);
  }
  return v;
}

FormValue BinaryFormValue(std::vector<uint8_t> bytes) {
  FormValue v;
  v.type = FormValueType::Binary;
  v.bytes = std::move(bytes);
  return v;
}

FormValue StringListFormValue(const TStringList& lines) {
  FormValue v;
  v.type = FormValueType::List;
  for (int i = 0; i < lines.Count(); ++i) v.items.push_back(StringFormValue(lines[i]));
  return v;
}

FormValue BoolFormValue(bool value) {
  FormValue v;
  v.type = value ? FormValueType::True : FormValueType::False;
  return v;
}

FormValue IdentFormValue(std::string_view ident) {
  FormValue v;
  v.type = FormValueType::Ident;
  v.text = ident;
  return v;
}

FormValue ColorFormValue(TColor color) {
  if (std::optional<std::string_view> ident = ColorToIdent(color)) return IdentFormValue(*ident);
  return IntegerFormValue(static_cast<int32_t>(color));
}

FormValue ExtendedFormValue(double value) {
  // 80-bit extended: 64-bit mantissa with its integer bit, 15-bit exponent, sign.
  FormValue v;
  v.type = FormValueType::Extended;
  v.bytes.assign(10, 0);
  uint64_t mantissa = 0;
  unsigned exponent = 0;
  if (std::isinf(value)) {
    mantissa = uint64_t{1} << 63;
    exponent = 0x7FFF;
  } else if (std::isnan(value)) {
    mantissa = uint64_t{3} << 62;
    exponent = 0x7FFF;
  } else if (value != 0) {
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(value), &binaryExponent);  // [0.5, 1)
    mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    exponent = static_cast<unsigned>(binaryExponent - 1 + 16383);
  }
  if (std::signbit(value)) exponent |= 0x8000;
  for (int i = 0; i < 8; ++i) v.bytes[i] = static_cast<uint8_t>(mantissa >> (8 * i));
  v.bytes[8] = static_cast<uint8_t>(exponent);
  v.bytes[9] = static_cast<uint8_t>(exponent >> 8);
  return v;
}

FormValue SetFormValue(uint32_t bits, std::span<const std::string_view> idents) {
  FormValue v;
  v.type = FormValueType::Set;
  for (size_t i = 0; i < idents.size() && i < 32; ++i)
    if (bits & (1u << i)) v.set.emplace_back(idents[i]);
  return v;
}

bool SameFormValue(const FormValue& a, const FormValue& b) {
  if (a.type != b.type || a.integer != b.integer || a.text != b.text || a.wide != b.wide || a.bytes != b.bytes ||
      a.set != b.set || a.items.size() != b.items.size() || !a.collection.empty() || !b.collection.empty())
    return false;
  for (size_t i = 0; i < a.items.size(); ++i)
    if (!SameFormValue(a.items[i], b.items[i])) return false;
  return true;
}

const PropertyTable& TPersistent::Properties() const {
  static const PropertyTable table(nullptr, {});
  return table;
}

std::string_view ValueKindName(const FormValue& value) {
  switch (value.type) {
    case FormValueType::Int8:
    case FormValueType::Int16:
    case FormValueType::Int32:
    case FormValueType::Int64: return "an integer";
    case FormValueType::String:
    case FormValueType::LString:
    case FormValueType::WString:
    case FormValueType::Utf8String: return "a string";
    case FormValueType::Ident: return "an identifier";
    case FormValueType::False:
    case FormValueType::True: return "a Boolean";
    case FormValueType::Binary: return "binary data";
    case FormValueType::Set: return "a set";
    case FormValueType::List: return "a list";
    case FormValueType::Collection: return "a collection";
    case FormValueType::Nil: return "nil";
    case FormValueType::Null: return "null";
    default: return "a floating-point number";
  }
}

namespace {

[[noreturn]] void WrongKind(const char* expected, const FormValue& value) {
  throw EPropertyValue(std::string("expected ") + expected + ", found " + std::string(ValueKindName(value)));
}

}  // namespace

int64_t ValueAsInteger(const FormValue& value) {
  switch (value.type) {
    case FormValueType::Int8:
    case FormValueType::Int16:
    case FormValueType::Int32: return value.integer;
    case FormValueType::Int64:
      if (value.integer < std::numeric_limits<int32_t>::min() || value.integer > std::numeric_limits<int32_t>::max())
        throw EPropertyValue("integer " + std::to_string(value.integer) + " is out of range");
      return value.integer;
    default: WrongKind("an integer", value);
  }
}

bool ValueAsBool(const FormValue& value) {
  if (value.type == FormValueType::True) return true;
  if (value.type == FormValueType::False) return false;
  WrongKind("a Boolean", value);
}

double ValueAsFloat(const FormValue& value) {
  if (value.IsFloat()) return value.AsDouble();
  if (value.IsInteger()) return static_cast<double>(value.integer);
  WrongKind("a number", value);
}

std::string ValueAsString(const FormValue& value) {
  switch (value.type) {
    case FormValueType::String:
    case FormValueType::LString: return AnsiToUtf8(value.text);
    case FormValueType::Utf8String: return value.text;
    case FormValueType::WString: return Utf16ToUtf8(value.wide);
    default: WrongKind("a string", value);
  }
}

std::string_view ValueAsIdent(const FormValue& value) {
  if (value.type == FormValueType::Ident) return value.text;
  if (value.type == FormValueType::False) return "False";
  if (value.type == FormValueType::True) return "True";
  WrongKind("an identifier", value);
}

TColor ValueAsColor(const FormValue& value) {
  if (value.type == FormValueType::Ident) {
    if (auto color = ColorFromIdent(value.text)) return *color;
    throw EPropertyValue("unknown colour \"" + value.text + "\"");
  }
  return static_cast<TColor>(ValueAsInteger(value));
}

std::vector<std::string> ValueAsSet(const FormValue& value) {
  if (value.type != FormValueType::Set) WrongKind("a set", value);
  return value.set;
}

TStringList ValueAsStringList(const FormValue& value) {
  if (value.type != FormValueType::List) WrongKind("a list of strings", value);
  TStringList lines;
  for (const FormValue& item : value.items) lines.Add(ValueAsString(item));
  return lines;
}

uint32_t ValueAsSetBits(const FormValue& value, std::span<const std::string_view> idents) {
  uint32_t bits = 0;
  for (const std::string& element : ValueAsSet(value)) {
    size_t i = 0;
    while (i < idents.size() && idents[i] != element) ++i;
    if (i == idents.size()) throw EPropertyValue("unknown set element \"" + element + "\"");
    bits |= 1u << i;
  }
  return bits;
}

int64_t ValueAsIntOrIdent(const FormValue& value, IdentMap<int> idents) {
  if (value.type == FormValueType::Ident) return ValueAsEnum(value, idents);
  return ValueAsInteger(value);
}

PropertyDef props::Ignored(std::string name) {
  return {std::move(name), [](TPersistent&, const FormValue&, LoadContext&) {}, {}};
}

std::any LoadContext::FindHandler(std::string_view name) {
  std::any handler = FRoot.FindHandler(name);
  if (!handler.has_value()) throw EPropertyValue("unknown handler \"" + std::string(name) + "\"");
  return handler;
}

void LoadContext::DeferReference(std::string name, size_t offset, std::string where,
                                 std::function<void(TComponent&)> bind) {
  FFixups.push_back({std::move(name), offset, std::move(where), std::move(bind)});
}

void LoadContext::BindReferences() {
  for (Fixup& fixup : FFixups) {
    TComponent* found = SameTextAscii(FRoot.Name(), fixup.name) ? &FRoot : FRoot.FindComponent(fixup.name);
    if (!found)
      throw EFormError("Invalid form stream: property \"" + fixup.where + "\" at offset " +
                       std::to_string(fixup.offset) + " names the unknown component \"" + fixup.name + "\"");
    try {
      fixup.bind(*found);
    } catch (const EPropertyValue& e) {
      throw EFormError("Invalid form stream: property \"" + fixup.where + "\" at offset " +
                       std::to_string(fixup.offset) + ": " + e.what());
    }
  }
  FFixups.clear();
}
