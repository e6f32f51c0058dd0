#pragma once
// The action list a form stores, with the image list its actions' image
// indexes point into.
#include "ui/action.h"
#include "ui/graphics/image_list_win.h"

class TActionList : public TCustomActionList {
 public:
  using TCustomActionList::TCustomActionList;
  std::string_view ClassName() const override { return "TActionList"; }
  const PropertyTable& Properties() const override;

  TImageList* Images() const { return FImages.Get(); }
  void SetImages(TImageList* images);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  ComponentRef<TImageList> FImages;
};

// The images holding the action's image, or null when its image index
// points into none.
TImageList* ActionImages(const TAction& action);
