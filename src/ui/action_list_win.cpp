#include "ui/action_list_win.h"

#include "persist/properties.h"

const PropertyTable& TActionList::Properties() const {
  static const PropertyTable table(&TComponent::Properties(),
                                   {props::Ref("Images", &TActionList::SetImages, &TActionList::Images)});
  return table;
}

void TActionList::SetImages(TImageList* images) {
  if (FImages.Set(*this, images)) ImagesChanged();
}

void TActionList::Notification(TComponent* component, TOperation operation) {
  TCustomActionList::Notification(component, operation);
  if (FImages.Notify(component, operation)) ImagesChanged();
}

TImageList* ActionImages(const TAction& action) {
  auto* list = dynamic_cast<TActionList*>(action.ActionList());
  TImageList* images = list ? list->Images() : nullptr;
  return images && action.ImageIndex() >= 0 && action.ImageIndex() < images->Count() ? images : nullptr;
}
