#include "persist/form_writer.h"

#include <memory>
#include <string>

#include "base/exceptions.h"
#include "persist/class_registry.h"
#include "persist/component.h"
#include "persist/properties.h"

FormObject SaveComponent(const TComponent& component, const TComponent& defaults) {
  FormObject object;
  object.className = component.ClassName();
  object.name = component.Name();
  object.properties = component.Properties().Store(component, &defaults);
  return object;
}

FormObject SaveForm(const TComponent& root, const TComponent& rootDefaults) {
  FormObject tree = SaveComponent(root, rootDefaults);
  for (const TComponent* child : root.Components()) {
    // Unnamed ones are the root's own helpers, made again with it.
    if (child->Name().empty()) continue;
    std::unique_ptr<TComponent> defaults(CreateComponent(child->ClassName(), nullptr));
    if (!defaults)
      throw EFormError("Cannot write component \"" + child->Name() + "\": its class " +
                       std::string(child->ClassName()) + " is not registered");
    tree.children.push_back(SaveComponent(*child, *defaults));
  }
  return tree;
}

std::vector<uint8_t> WriteForm(const TComponent& root, const TComponent& rootDefaults) {
  return WriteFormStream(SaveForm(root, rootDefaults));
}
