#include "persist/properties.h"

#include <limits>

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

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) AppendUtf8(out, c);
  return out;
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

std::string ValueAsString(const FormValue& value) {
  switch (value.type) {
    case FormValueType::String:
    case FormValueType::LString: return Latin1ToUtf8(value.text);
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

TNotifyEvent LoadContext::Handler(std::string_view name) {
  TNotifyEvent handler = FRoot.FindHandler(name);
  if (!handler) throw EPropertyValue("unknown handler \"" + std::string(name) + "\"");
  return handler;
}

void LoadContext::NoHandler(std::string_view name, bool otherSignature) {
  if (otherSignature || FRoot.FindHandler(name))
    throw EPropertyValue("handler \"" + std::string(name) + "\" does not fit the event");
  throw EPropertyValue("unknown handler \"" + std::string(name) + "\"");
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
