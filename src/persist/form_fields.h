#pragma once
// Tables a form class keeps so its stream can fill its component fields and
// name its handlers.
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

template <class Form>
struct HandlerDef {
  std::string_view name;
  void (Form::*method)(TObject* sender);
};

template <class Form>
TNotifyEvent FindHandlerIn(std::span<const HandlerDef<Form>> handlers, Form& form, std::string_view name) {
  for (const auto& handler : handlers)
    if (SameTextAscii(handler.name, name))
      return [&form, method = handler.method](TObject* sender) { (form.*method)(sender); };
  return {};
}
