#pragma once
// Brings a form stream to life on an existing root component, in this order:
// the root's own properties; each child created in stream order (owner the
// root, parent the object that holds it in the stream, named, stored in its
// field, properties assigned while loading, then its own children);
// references bound in stream order; end-of-loading steps, root first, then
// the children in creation order.
#include <cstdint>
#include <span>

class TComponent;

void LoadForm(TComponent& root, std::span<const uint8_t> stream);

struct FormObject;
// Loads one object of a form stream into a component that stands alone (a
// tool's): its name and properties, then its end-of-loading step. Its
// references may name only itself.
void LoadComponent(TComponent& component, const FormObject& object);
