#include "skin/frame/skin_popup_menu_win.h"

#include "skin/frame/skin_form_win.h"
#include "skin/frame/skin_frame_win.h"
#include "ui/form_win.h"

TSkinPopupMenu::TSkinPopupMenu(TComponent* owner) : TComponent(owner) {}

TSkinFrame* TSkinPopupMenu::FindFrame() const {
  const TComponent* form = nullptr;
  for (const TComponent* c = Owner(); c && !form; c = c->Owner())
    if (dynamic_cast<const TForm*>(c)) form = c;
  if (!form) return nullptr;
  for (TComponent* component : form->Components())
    if (auto* skinForm = dynamic_cast<TSkinForm*>(component)) return skinForm->Frame();
  return nullptr;
}

void TSkinPopupMenu::Popup(int x, int y) {
  TSkinFrame* frame = FindFrame();
  if (!frame || Items.empty()) return;
  frame->ShowMenu(
      Items, TRect{x, y, x, y},
      [handler = OnCommand](const TFrameMenuItem& item) {
        if (handler) handler(item);
      },
      SkinData());
}

void TSkinPopupMenu::ClickDefaultItem() {
  for (const TFrameMenuItem& item : Items)
    if (item.Default && item.Enabled) {
      if (OnCommand) OnCommand(item);
      return;
    }
}

void TSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  FSkinData.Notify(component, operation);
}
