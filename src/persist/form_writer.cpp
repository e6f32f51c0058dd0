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

namespace {

// Where a component is stored: inside the object that holds it (an action in
// its list, a control on a panel, a menu item in its menu) when that is one
// of the root's named components, else in the root.
const TComponent* Holder(const TComponent& root, const TComponent& component) {
  const TComponent* parent = component.GetParentComponent();
  if (parent && parent != &root && parent->Owner() == &root && !parent->Name().empty()) return parent;
  return &root;
}

void SaveHeld(const TComponent& root, const TComponent& holder, FormObject& into) {
  for (const TComponent* child : root.Components()) {
    // Unnamed ones are the root's own helpers, made again with it.
    if (child->Name().empty() || Holder(root, *child) != &holder) continue;
    std::unique_ptr<TComponent> defaults(CreateComponent(child->ClassName(), nullptr));
    if (!defaults)
      throw EFormError("Cannot write component \"" + child->Name() + "\": its class " +
                       std::string(child->ClassName()) + " is not registered");
    FormObject object = SaveComponent(*child, *defaults);
    SaveHeld(root, *child, object);
    into.children.push_back(std::move(object));
  }
}

}  // namespace

FormObject SaveForm(const TComponent& root, const TComponent& rootDefaults) {
  FormObject tree = SaveComponent(root, rootDefaults);
  SaveHeld(root, root, tree);
  return tree;
}

std::vector<uint8_t> WriteForm(const TComponent& root, const TComponent& rootDefaults) {
  return WriteFormStream(SaveForm(root, rootDefaults));
}
