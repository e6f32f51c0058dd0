#pragma once
// A popup menu shown as a skinned menu by the skinned frame of its form: the
// frame's tray menu, and any menu a form holds or a caption button drops
// down. Without a skinned frame it shows nothing. Its items are those built
// in code (Items) followed by the item objects a form stream nested in it.
#include <functional>
#include <vector>

#include "base/geometry.h"
#include "persist/component.h"
#include "skin/data/skin_data.h"
#include "skin/frame/caption_objects.h"
#include "skin/frame/system_menu_items.h"
#include "skin/menu/menu_item_component.h"
#include "ui/popup_menu.h"

class TForm;
class TImageList;
class TSkinFrame;

class TSkinPopupMenu : public TComponent, public PopupMenuApi, public TObjectMenu, public TMenuItemList {
 public:
  explicit TSkinPopupMenu(TComponent* owner);
  std::string_view ClassName() const override { return "TSkinPopupMenu"; }
  const PropertyTable& Properties() const override;

  std::vector<TMenuItem> Items;
  // Runs the chosen item (and a parent item as its sub-menu opens), after its own OnClick.
  std::function<void(const TMenuItem& item)> OnCommand;
  // Items, then the item objects, as they are now.
  std::vector<TMenuItem> ShownItems() const;

  // Images of the items' ImageIndex.
  TImageList* Images() const { return FImages.Get(); }
  void SetImages(TImageList* value) { FImages.Set(*this, value); }

  // Drawn from this skin; else from the frame's menu skin.
  TSkinData* SkinData() const { return FSkinData.Get(); }
  void SetSkinData(TSkinData* value) { FSkinData.Set(*this, value); }
  // The form whose frame shows the menu; else the form that owns it.
  TForm* ComponentForm() const { return FComponentForm.Get(); }
  void SetComponentForm(TForm* value) { FComponentForm.Set(*this, value); }
  // Raised before the menu shows, so it can change its items.
  void SetOnPopup(TNotifyEvent value) { FOnPopup = std::move(value); }

  // Shows the items below `anchor` (screen coordinates), or above it when
  // `upward`; beside it when there is no room.
  void PopupAtRect(const TRect& anchor, bool upward);

  // PopupMenuApi
  bool AutoPopup() const override { return true; }
  void SetPopupComponent(TComponent*) override {}
  void Popup(int x, int y) override;
  void ClickDefaultItem() override;

  // TObjectMenu: what a caption button drops down.
  bool HasSubItems() const override { return !Items.empty() || !ItemObjects().empty(); }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // The skinned frame of ComponentForm, or of the form that owns this menu
  // (its owner, or its owner's owner).
  TSkinFrame* FindFrame() const;

  ComponentRef<TSkinData> FSkinData;
  ComponentRef<TForm> FComponentForm;
  ComponentRef<TImageList> FImages;
  TNotifyEvent FOnPopup;
};
