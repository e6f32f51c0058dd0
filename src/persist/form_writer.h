#pragma once
// Writes live components back as a form stream, as a form designer saves a
// form: the root, then the named components it owns in the order they were
// made, each inside the one that holds it, each with the values that differ from a fresh object of its class
// (the defaults), in the order of its class's property table.
#include <cstdint>
#include <vector>

#include "persist/form_stream.h"

class TComponent;

// `defaults` is a fresh object of the component's class.
FormObject SaveComponent(const TComponent& component, const TComponent& defaults);
// The owned components' defaults are made through the class registry, so
// their classes must be registered; `rootDefaults` is a fresh root.
FormObject SaveForm(const TComponent& root, const TComponent& rootDefaults);
std::vector<uint8_t> WriteForm(const TComponent& root, const TComponent& rootDefaults);
