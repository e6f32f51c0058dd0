#include "persist/class_registry.h"

#include <map>

namespace {
std::map<std::string, ComponentFactory, std::less<>>& Registry() {
  static std::map<std::string, ComponentFactory, std::less<>> registry;
  return registry;
}
}  // namespace

void RegisterComponentClass(std::string_view className, ComponentFactory factory) {
  Registry().insert_or_assign(std::string(className), std::move(factory));
}

TComponent* CreateComponent(std::string_view className, TComponent* owner) {
  auto it = Registry().find(className);
  return it == Registry().end() ? nullptr : it->second(owner);
}
