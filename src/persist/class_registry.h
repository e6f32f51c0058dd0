#pragma once
// Component classes a form stream may name, created by class name.
#include <functional>
#include <string>
#include <string_view>

class TComponent;

using ComponentFactory = std::function<TComponent*(TComponent* owner)>;

void RegisterComponentClass(std::string_view className, ComponentFactory factory);
// Null when the class is not registered.
TComponent* CreateComponent(std::string_view className, TComponent* owner);

template <class T>
void RegisterComponentClass(std::string_view className) {
  RegisterComponentClass(className, [](TComponent* owner) -> TComponent* { return new T(owner); });
}
