#include "formc/form_resave.h"

#include <memory>
#include <string_view>

#include "persist/form_loader.h"
#include "persist/form_writer.h"
#include "persist/properties.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/stored_skin.h"

namespace {

std::unique_ptr<TComponent> CreateWritable(std::string_view className) {
  std::unique_ptr<TComponent> component;
  if (className == "TCompressedStoredSkin") component = std::make_unique<TCompressedStoredSkin>(nullptr);
  if (className == "TStoredSkin") component = std::make_unique<TStoredSkin>(nullptr);
  if (component && !component->Properties().Writable()) component.reset();
  return component;
}

}  // namespace

FormObject ResaveForm(const FormObject& root) {
  FormObject saved = root;
  if (std::unique_ptr<TComponent> component = CreateWritable(root.className)) {
    LoadComponent(*component, root);
    saved.properties = SaveComponent(*component, *CreateWritable(root.className)).properties;
  }
  for (FormObject& child : saved.children) child = ResaveForm(child);
  return saved;
}
