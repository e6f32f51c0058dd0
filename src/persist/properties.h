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
  std::string name;
  Assign assign;        // a plain property
  SubObject subobject;  // or a nested object whose own table takes the rest of the path
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
std::string ValueAsString(const FormValue& value);  // UTF-8
std::string_view ValueAsIdent(const FormValue& value);
TColor ValueAsColor(const FormValue& value);
std::vector<std::string> ValueAsSet(const FormValue& value);
// A list of strings, as a string list stores its lines: ('one' 'two').
TStringList ValueAsStringList(const FormValue& value);
std::string_view ValueKindName(const FormValue& value);

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
            (static_cast<C&>(o).*setter)(v.bytes);
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

// Accepted and ignored: values kept by a form designer only (design-time positions).
PropertyDef Ignored(std::string name);

template <class C, class Obj>
PropertyDef Nested(std::string name, Obj& (C::*getter)()) {
  return {std::move(name), {}, [getter](TPersistent& o) -> TPersistent& { return (static_cast<C&>(o).*getter)(); }};
}

// Defined below LoadContext. Events may carry arguments after the sender;
// the stream names a handler of the root with that signature.
template <class C, class... Args>
PropertyDef Event(std::string name, void (C::*setter)(std::function<void(TObject*, Args...)>));
template <class C, class R>
PropertyDef Ref(std::string name, void (C::*setter)(R*));

}  // namespace props

// What a running load knows: the root, its handlers, and the references that
// are bound once the whole stream is read.
class LoadContext {
 public:
  explicit LoadContext(TComponent& root) : FRoot(root) {}
  TComponent& Root() { return FRoot; }
  TNotifyEvent Handler(std::string_view name);
  template <class Signature>
  std::function<Signature> HandlerOf(std::string_view name) {
    std::any found = FRoot.FindHandlerOf(name, typeid(std::function<Signature>));
    if (auto* handler = std::any_cast<std::function<Signature>>(&found); handler && *handler) return *handler;
    NoHandler(name, found.has_value());
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
  // Raises the error for a handler that is missing or has another signature.
  [[noreturn]] void NoHandler(std::string_view name, bool otherSignature);

  TComponent& FRoot;
  std::vector<Fixup> FFixups;
};

namespace props {

template <class C, class... Args>
PropertyDef Event(std::string name, void (C::*setter)(std::function<void(TObject*, Args...)>)) {
  return {std::move(name),
          [setter](TPersistent& o, const FormValue& v, LoadContext& context) {
            if constexpr (sizeof...(Args) == 0)
              (static_cast<C&>(o).*setter)(context.Handler(ValueAsIdent(v)));
            else
              (static_cast<C&>(o).*setter)(context.HandlerOf<void(TObject*, Args...)>(ValueAsIdent(v)));
          },
          {}};
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
