#pragma once
// Published properties: each class lists its stored properties once, as
// name -> how a form-stream value is assigned. Nested objects ("Font.Height")
// are reached through a sub-object entry. Lookups ignore case, as form
// streams written by hand may.
#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/color.h"
#include "persist/component.h"
#include "base/exceptions.h"
#include "persist/form_stream.h"
#include "base/string_list.h"
#include "base/text_util.h"

// A value of the wrong kind or an unknown identifier; the loader adds where.
class EPropertyValue : public EFormError { using EFormError::EFormError; };

class LoadContext;

struct PropertyDef {
  using Assign = std::function<void(TPersistent&, const FormValue&, LoadContext&)>;
  using SubObject = std::function<TPersistent&(TPersistent&)>;
  // The value a form writer stores; nullopt when the property holds its default.
  using Store = std::function<std::optional<FormValue>(const TPersistent&)>;
  std::string name;
  Assign assign;        // a plain property
  SubObject subobject;  // or a nested object whose own table takes the rest of the path
  Store store{};        // set for the properties a form can be written back with
};

class PropertyTable {
 public:
  PropertyTable(const PropertyTable* parent, std::vector<PropertyDef> defs);

  struct Match {
    const PropertyDef* def;
    TPersistent* target;
  };
  // Finds the property a (possibly dotted) path names on `object`.
  std::optional<Match> Resolve(TPersistent& object, std::string_view path) const;

  // True when a form writer can store every property of the class.
  bool Writable() const;
  // The class's own stored values, then its ancestors' (a name the class
  // redefines is stored once), nested objects under their dotted names.
  // Given `defaults`, a fresh object of the same class, a value equal to
  // its own is left out, as a form designer leaves out defaults.
  std::vector<FormProperty> Store(const TPersistent& object, const TPersistent* defaults = nullptr) const;

 private:
  const PropertyDef* Find(std::string_view name) const;
  const PropertyTable* FParent;
  std::vector<PropertyDef> FDefs;
};

template <class E>
using IdentMap = std::span<const std::pair<std::string_view, E>>;

// Reading form values as the property kinds need them.
int64_t ValueAsInteger(const FormValue& value);
bool ValueAsBool(const FormValue& value);
// Any float kind, or an integer.
double ValueAsFloat(const FormValue& value);
std::string ValueAsString(const FormValue& value);  // UTF-8
std::string_view ValueAsIdent(const FormValue& value);
TColor ValueAsColor(const FormValue& value);
std::vector<std::string> ValueAsSet(const FormValue& value);
// A list of strings, as a string list stores its lines: ('one' 'two').
TStringList ValueAsStringList(const FormValue& value);
std::string_view ValueKindName(const FormValue& value);

// Values as a form writer stores them. A string goes in the system's code
// page, as a short string up to 255 bytes and a long one beyond; a string
// with characters the page lacks is stored wide.
FormValue IntegerFormValue(int64_t value);
FormValue StringFormValue(const std::string& text);
FormValue BinaryFormValue(std::vector<uint8_t> bytes);
FormValue StringListFormValue(const TStringList& lines);
FormValue BoolFormValue(bool value);
FormValue IdentFormValue(std::string_view ident);
// A named colour as its identifier, any other as its number.
FormValue ColorFormValue(TColor color);
FormValue ExtendedFormValue(double value);
// The elements of `idents` whose bits are set, in the order of `idents`.
FormValue SetFormValue(uint32_t bits, std::span<const std::string_view> idents);
// The same kind and payload; where they were read does not count.
bool SameFormValue(const FormValue& a, const FormValue& b);

template <class E>
E ValueAsEnum(const FormValue& value, IdentMap<E> idents) {
  std::string_view ident = ValueAsIdent(value);
  for (const auto& [name, e] : idents)
    if (name == ident) return e;
  throw EPropertyValue("unknown identifier \"" + std::string(ident) + "\"");
}

// Set elements as bits of their position in `idents`.
uint32_t ValueAsSetBits(const FormValue& value, std::span<const std::string_view> idents);

// Integer or one of the given identifiers (cursors, charsets).
int64_t ValueAsIntOrIdent(const FormValue& value, IdentMap<int> idents);

// The property builders. Each casts the object to the class that declares
// the setter, so a table entry can only reach its own class's members.
namespace props {

template <class C>
PropertyDef Int(std::string name, void (C::*setter)(int)) {
  return {std::move(name),
          [setter](TPersistent& o, const FormValue& v, LoadContext&) {
            (static_cast<C&>(o).*setter)(static_cast<int>(ValueAsInteger(v)));
          },
          {}};
}

template <class C>
PropertyDef IntOrIdent(std::string name, void (C::*setter)(int), IdentMap<int> idents) {
  return {std::move(name),
          [setter, idents](TPersistent& o, const FormValue& v, LoadContext&) {
            (static_cast<C&>(o).*setter)(static_cast<int>(ValueAsIntOrIdent(v, idents)));
          },
          {}};
}

template <class C>
PropertyDef Bool(std::string name, void (C::*setter)(bool)) {
  return {std::move(name),
          [setter](TPersistent& o, const FormValue& v, LoadContext&) {
            (static_cast<C&>(o).*setter)(ValueAsBool(v));
          },
          {}};
}

template <class C>
PropertyDef Float(std::string name, void (C::*setter)(double)) {
  return {std::move(name),
          [setter](TPersistent& o, const FormValue& v, LoadContext&) { (static_cast<C&>(o).*setter)(ValueAsFloat(v)); },
          {}};
}

template <class C>
PropertyDef String(std::string name, void (C::*setter)(const std::string&)) {
  return {std::move(name),
          [setter](TPersistent& o, const FormValue& v, LoadContext&) {
            (static_cast<C&>(o).*setter)(ValueAsString(v));
          },
          {}};
}

template <class C>
PropertyDef Color(std::string name, void (C::*setter)(TColor)) {
  return {std::move(name),
          [setter](TPersistent& o, const FormValue& v, LoadContext&) {
            (static_cast<C&>(o).*setter)(ValueAsColor(v));
          },
          {}};
}

template <class C, class E>
PropertyDef Enum(std::string name, void (C::*setter)(E), IdentMap<E> idents) {
  return {std::move(name),
          [setter, idents](TPersistent& o, const FormValue& v, LoadContext&) {
            (static_cast<C&>(o).*setter)(ValueAsEnum(v, idents));
          },
          {}};
}

template <class C>
PropertyDef Set(std::string name, void (C::*setter)(uint32_t), std::span<const std::string_view> idents) {
  return {std::move(name),
          [setter, idents](TPersistent& o, const FormValue& v, LoadContext&) {
            (static_cast<C&>(o).*setter)(ValueAsSetBits(v, idents));
          },
          {}};
}

template <class C>
PropertyDef Binary(std::string name, void (C::*setter)(const std::vector<uint8_t>&)) {
  return {std::move(name),
          [setter](TPersistent& o, const FormValue& v, LoadContext&) {
            if (v.type != FormValueType::Binary)
              throw EPropertyValue("expected binary data, found " + std::string(ValueKindName(v)));
            try {
              (static_cast<C&>(o).*setter)(v.bytes);
            } catch (const EInvalidGraphic& e) {
              // Data that does not decode (cut short, of another kind) is a
              // value error: the loader names the property, object and offset.
              throw EPropertyValue(e.what());
            } catch (const EStreamError& e) {
              throw EPropertyValue(e.what());
            }
          },
          {}};
}

// A string list, stored under its own dotted name ("Lines.Strings").
template <class C>
PropertyDef StringList(std::string name, void (C::*setter)(const TStringList&)) {
  return {std::move(name),
          [setter](TPersistent& o, const FormValue& v, LoadContext&) {
            (static_cast<C&>(o).*setter)(ValueAsStringList(v));
          },
          {}};
}

// The same builders with the getter a form writer reads; the getter may be
// any member of the class or of an ancestor that returns the value.
template <class C, class G>
PropertyDef::Store Getting(G getter, auto toValue) {
  return [getter, toValue](const TPersistent& o) -> std::optional<FormValue> {
    return toValue(std::invoke(getter, static_cast<const C&>(o)));
  };
}

template <class C, class G>
PropertyDef Int(std::string name, void (C::*setter)(int), G getter) {
  PropertyDef def = Int(std::move(name), setter);
  def.store = Getting<C>(getter, [](int value) { return IntegerFormValue(value); });
  return def;
}

template <class C, class G>
PropertyDef IntOrIdent(std::string name, void (C::*setter)(int), G getter, IdentMap<int> idents) {
  PropertyDef def = IntOrIdent(std::move(name), setter, idents);
  def.store = Getting<C>(getter, [idents](int value) {
    for (const auto& [ident, e] : idents)
      if (e == value) return IdentFormValue(ident);
    return IntegerFormValue(value);
  });
  return def;
}

template <class C, class G>
PropertyDef Bool(std::string name, void (C::*setter)(bool), G getter) {
  PropertyDef def = Bool(std::move(name), setter);
  def.store = Getting<C>(getter, [](bool value) { return BoolFormValue(value); });
  return def;
}

template <class C, class G>
PropertyDef Float(std::string name, void (C::*setter)(double), G getter) {
  PropertyDef def = Float(std::move(name), setter);
  def.store = Getting<C>(getter, [](double value) { return ExtendedFormValue(value); });
  return def;
}

template <class C, class G>
PropertyDef String(std::string name, void (C::*setter)(const std::string&), G getter) {
  PropertyDef def = String(std::move(name), setter);
  def.store = Getting<C>(getter, [](const std::string& value) { return StringFormValue(value); });
  return def;
}

template <class C, class G>
PropertyDef Color(std::string name, void (C::*setter)(TColor), G getter) {
  PropertyDef def = Color(std::move(name), setter);
  def.store = Getting<C>(getter, [](TColor value) { return ColorFormValue(value); });
  return def;
}

template <class C, class E, class G>
PropertyDef Enum(std::string name, void (C::*setter)(E), G getter, IdentMap<E> idents) {
  PropertyDef def = Enum(std::move(name), setter, idents);
  def.store = Getting<C>(getter, [idents](E value) -> std::optional<FormValue> {
    for (const auto& [ident, e] : idents)
      if (e == value) return IdentFormValue(ident);
    return std::nullopt;  // a value no stream can name
  });
  return def;
}

template <class C, class G>
PropertyDef Set(std::string name, void (C::*setter)(uint32_t), G getter, std::span<const std::string_view> idents) {
  PropertyDef def = Set(std::move(name), setter, idents);
  def.store = Getting<C>(getter, [idents](uint32_t bits) { return SetFormValue(bits, idents); });
  return def;
}

template <class C, class G>
PropertyDef Binary(std::string name, void (C::*setter)(const std::vector<uint8_t>&), G getter) {
  PropertyDef def = Binary(std::move(name), setter);
  def.store = Getting<C>(getter, [](const std::vector<uint8_t>& bytes) { return BinaryFormValue(bytes); });
  return def;
}

template <class C, class G>
PropertyDef StringList(std::string name, void (C::*setter)(const TStringList&), G getter) {
  PropertyDef def = StringList(std::move(name), setter);
  def.store = Getting<C>(getter, [](const TStringList& lines) { return StringListFormValue(lines); });
  return def;
}

// Accepted and ignored: values kept by a form designer only (design-time positions).
PropertyDef Ignored(std::string name);

template <class C, class Obj>
PropertyDef Nested(std::string name, Obj& (C::*getter)()) {
  return {std::move(name), {}, [getter](TPersistent& o) -> TPersistent& { return (static_cast<C&>(o).*getter)(); }};
}

// Defined below LoadContext. E is the event's type (TNotifyEvent, TMouseEvent...).
template <class C, class E>
PropertyDef Event(std::string name, void (C::*setter)(E));
template <class C, class R>
PropertyDef Ref(std::string name, void (C::*setter)(R*));
// A reference written back by the name of the component it holds.
template <class C, class R, class G>
PropertyDef Ref(std::string name, void (C::*setter)(R*), G getter) {
  PropertyDef def = Ref(std::move(name), setter);
  def.store = Getting<C>(getter, [](const TComponent* target) -> std::optional<FormValue> {
    if (!target) return std::nullopt;
    return IdentFormValue(target->Name());
  });
  return def;
}

}  // namespace props

// What a running load knows: the root, its handlers, and the references that
// are bound once the whole stream is read.
class LoadContext {
 public:
  explicit LoadContext(TComponent& root) : FRoot(root) {}
  TComponent& Root() { return FRoot; }
  // The root's handler of that name, which must take the arguments of E.
  template <class E>
  E Handler(std::string_view name) {
    std::any found = FindHandler(name);
    if (const E* typed = std::any_cast<E>(&found)) return *typed;
    throw EPropertyValue("handler \"" + std::string(name) + "\" does not take the arguments of this event");
  }
  // `bind` receives the component named `name`, found when references are bound.
  void DeferReference(std::string name, size_t offset, std::string where,
                      std::function<void(TComponent&)> bind);
  void BindReferences();

 private:
  struct Fixup {
    std::string name;
    size_t offset;
    std::string where;
    std::function<void(TComponent&)> bind;
  };
  std::any FindHandler(std::string_view name);

  TComponent& FRoot;
  std::vector<Fixup> FFixups;
};

namespace props {

template <class C, class E>
PropertyDef Event(std::string name, void (C::*setter)(E)) {
  using Handler = std::decay_t<E>;
  // The handler's name is kept on the component, since a handler holds
  // no name a writer could store again.
  std::string event = name;
  return {std::move(name),
          [setter, event](TPersistent& o, const FormValue& v, LoadContext& context) {
            const std::string_view handler = ValueAsIdent(v);
            (static_cast<C&>(o).*setter)(context.Handler<Handler>(handler));
            static_cast<C&>(o).NoteHandlerName(event, std::string(handler));
          },
          {},
          [event](const TPersistent& o) -> std::optional<FormValue> {
            const std::string* handler = static_cast<const C&>(o).HandlerName(event);
            if (!handler) return std::nullopt;
            return IdentFormValue(*handler);
          }};
}

template <class C, class R>
PropertyDef Ref(std::string name, void (C::*setter)(R*)) {
  return {name,
          [setter, name](TPersistent& o, const FormValue& v, LoadContext& context) {
            if (v.type == FormValueType::Nil) return (static_cast<C&>(o).*setter)(nullptr);
            auto& holder = static_cast<C&>(o);
            context.DeferReference(std::string(ValueAsIdent(v)), v.offset, name,
                                   [&holder, setter, name](TComponent& found) {
                                     R* target = dynamic_cast<R*>(&found);
                                     if (!target)
                                       throw EPropertyValue("component \"" + found.Name() + "\" of class " +
                                                            std::string(found.ClassName()) +
                                                            " does not fit property \"" + name + "\"");
                                     (holder.*setter)(target);
                                   });
          },
          {}};
}

}  // namespace props
