#include "skin/frame/skin_popup_menu_win.h"

#include "persist/properties.h"
#include "skin/frame/skin_form_win.h"
#include "skin/frame/skin_frame_win.h"
#include "ui/form_win.h"
#include "ui/graphics/image_list_win.h"

TSkinPopupMenu::TSkinPopupMenu(TComponent* owner) : TComponent(owner) {}

const PropertyTable& TSkinPopupMenu::Properties() const {
  using M = TSkinPopupMenu;
  static const PropertyTable table(&TComponent::Properties(), {
                                                                  props::Ref("SkinData", &M::SetSkinData, &M::SkinData),
                                                                  props::Ref("ComponentForm", &M::SetComponentForm, &M::ComponentForm),
                                                                  props::Ref("Images", &M::SetImages, &M::Images),
                                                                  props::Event("OnPopup", &M::SetOnPopup),
                                                              });
  return table;
}

TSkinFrame* TSkinPopupMenu::FindFrame() const {
  const TComponent* form = ComponentForm();
  const TComponent* owner = Owner();
  for (int up = 0; up < 2 && owner && !form; ++up, owner = owner->Owner())
    if (dynamic_cast<const TForm*>(owner)) form = owner;
  if (!form) return nullptr;
  for (TComponent* component : form->Components())
    if (auto* skinForm = dynamic_cast<TSkinForm*>(component)) return skinForm->Frame();
  return nullptr;
}

void TSkinPopupMenu::PopupAtRect(const TRect& anchor, bool upward) {
  if (FOnPopup) FOnPopup(this);
  TSkinFrame* frame = FindFrame();
  std::vector<TMenuItem> items = ShownItems();
  if (!frame || items.empty()) return;
  frame->ShowMenu(
      std::move(items), anchor,
      [handler = OnCommand](const TMenuItem& item) {
        if (handler) handler(item);
      },
      SkinData(), upward, Images());
}

std::vector<TMenuItem> TSkinPopupMenu::ShownItems() const {
  std::vector<TMenuItem> items = Items;
  std::vector<TMenuItem> objects = MenuItems();
  items.insert(items.end(), std::make_move_iterator(objects.begin()), std::make_move_iterator(objects.end()));
  return items;
}

void TSkinPopupMenu::Popup(int x, int y) { PopupAtRect(TRect{x, y, x, y}, false); }

void TSkinPopupMenu::ClickDefaultItem() {
  for (const TMenuItem& item : ShownItems())
    if (item.Default && item.Enabled) {
      if (item.OnClick) item.OnClick();
      if (OnCommand) OnCommand(item);
      return;
    }
}

void TSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  FSkinData.Notify(component, operation);
  FComponentForm.Notify(component, operation);
  FImages.Notify(component, operation);
}
