#include "skin/data/skin_data.h"

#include "framework/properties.h"

const PropertyTable& TSkinData::Properties() const {
  static const PropertyTable table(&TComponent::Properties(),
                                   {props::Ref("CompressedStoredSkin", &TSkinData::SetCompressedStoredSkin)});
  return table;
}

void TSkinData::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  FCompressedStoredSkin.Notify(component, operation);
}
