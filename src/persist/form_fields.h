#pragma once
// Tables a form class keeps so its stream can fill its component fields and
// name its handlers.
#include <any>
#include <functional>
#include <span>
#include <string_view>

#include "persist/component.h"
#include "persist/properties.h"

template <class Form>
struct FieldDef {
  std::string_view name;
  std::function<bool(Form&, TComponent*)> bind;
};

template <class Form, class T>
FieldDef<Form> Field(std::string_view name, T* Form::*member) {
  return {name, [member](Form& form, TComponent* component) {
            T* typed = dynamic_cast<T*>(component);
            if (!typed) return false;
            form.*member = typed;
            return true;
          }};
}

template <class Form>
bool BindFieldFrom(std::span<const FieldDef<Form>> fields, Form& form, std::string_view name,
                   TComponent* component) {
  for (const auto& field : fields)
    if (SameTextAscii(field.name, name)) return field.bind(form, component);
  return true;
}

// A handler of the form by name; it takes the arguments of its method, so a
// stream can only wire it to an event of the same kind.
template <class Form>
struct HandlerDef {
  std::string_view name;
  std::function<std::any(Form&)> bind;
};

template <class Form, class... Args>
HandlerDef<Form> Handler(std::string_view name, void (Form::*method)(TObject* sender, Args...)) {
  return {name, [method](Form& form) -> std::any {
            return std::function<void(TObject*, Args...)>(
                [&form, method](TObject* sender, Args... args) { (form.*method)(sender, std::forward<Args>(args)...); });
          }};
}

template <class Form>
std::any FindHandlerIn(std::span<const HandlerDef<Form>> handlers, Form& form, std::string_view name) {
  for (const auto& handler : handlers)
    if (SameTextAscii(handler.name, name)) return handler.bind(form);
  return {};
}
