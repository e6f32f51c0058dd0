#include "persist/form_loader.h"

#include <memory>
#include <string>

#include "persist/class_registry.h"
#include "persist/form_stream.h"
#include "persist/properties.h"
#include "base/startup_phases.h"

namespace {

std::string Describe(const FormObject& object) {
  return "object \"" + object.name + "\" (" + object.className + ")";
}

void AssignProperties(TComponent& component, const FormObject& object, LoadContext& context) {
  for (const FormProperty& property : object.properties) {
    auto match = component.Properties().Resolve(component, property.name);
    if (!match)
      throw EFormError("Invalid form stream: unknown property \"" + property.name + "\" of " + Describe(object) +
                       " at offset " + std::to_string(property.offset));
    try {
      match->def->assign(*match->target, property.value, context);
    } catch (const EPropertyValue& e) {
      throw EFormError("Invalid form stream: property \"" + property.name + "\" of " + Describe(object) +
                       " at offset " + std::to_string(property.value.offset) + ": " + e.what());
    }
  }
}

// Every object of the stream is owned by the root, whatever holds it; an
// object stored inside another one gets that one as its parent, and must
// take it (an action its list, a control a windowed control).
void CreateChildren(TComponent& root, TComponent& parent, const FormObject& holder, LoadContext& context,
                    std::vector<TComponent*>& created) {
  for (const FormObject& child : holder.children) {
    // Owned by the root from here on, so a failure later frees it with the root.
    TComponent* component = CreateComponent(child.className, &root);
    if (!component)
      throw EFormError("Invalid form stream: unknown class " + child.className + " of object \"" + child.name +
                       "\" at offset " + std::to_string(child.offset));
    created.push_back(component);
    MarkStartupPhase("create", child.name);
    component->BeginLoading();
    component->SetName(child.name);
    if (!child.name.empty() && root.FindComponent(child.name) != component)
      throw EFormError("Invalid form stream: duplicate component name \"" + child.name + "\" at offset " +
                       std::to_string(child.offset));
    component->SetParentComponent(&parent);
    if (&parent != &root && component->GetParentComponent() != &parent)
      throw EFormError("Invalid form stream: " + Describe(child) + " at offset " + std::to_string(child.offset) +
                       " cannot be held by " + Describe(holder));
    if (!root.BindField(child.name, component))
      throw EFormError("Invalid form stream: " + Describe(child) + " at offset " + std::to_string(child.offset) +
                       " does not fit the field of that name in " + std::string(root.ClassName()));
    AssignProperties(*component, child, context);
    MarkStartupPhase("properties", child.name);
    CreateChildren(root, *component, child, context, created);
  }
}

}  // namespace

void LoadComponent(TComponent& component, const FormObject& object) {
  LoadContext context(component);
  component.BeginLoading();
  component.SetName(object.name);
  AssignProperties(component, object, context);
  context.BindReferences();
  component.Loaded();
}

void LoadForm(TComponent& root, std::span<const uint8_t> stream) {
  const FormObject tree = ReadFormStream(stream);
  MarkStartupPhase("form stream read");
  if (tree.className != root.ClassName())
    throw EFormError("Invalid form stream: the root at offset " + std::to_string(tree.offset) + " is of class " +
                     tree.className + ", expected " + std::string(root.ClassName()));

  LoadContext context(root);
  root.BeginLoading();
  root.SetName(tree.name);
  AssignProperties(root, tree, context);
  MarkStartupPhase("properties", tree.name);

  std::vector<TComponent*> created;
  CreateChildren(root, root, tree, context, created);

  context.BindReferences();
  MarkStartupPhase("binding");

  root.Loaded();
  MarkStartupPhase("loaded", tree.name);
  for (TComponent* component : created) {
    component->Loaded();
    MarkStartupPhase("loaded", component->Name());
  }
}
