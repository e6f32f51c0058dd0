#pragma once
// A popup menu shown as a skinned menu by the skinned frame of its form: the
// frame's tray menu, and any menu a form holds. Without a skinned frame on
// the form it shows nothing.
#include <functional>
#include <vector>

#include "persist/component.h"
#include "skin/data/skin_data.h"
#include "skin/frame/system_menu_items.h"
#include "ui/popup_menu.h"

class TSkinFrame;

class TSkinPopupMenu : public TComponent, public PopupMenuApi {
 public:
  explicit TSkinPopupMenu(TComponent* owner);
  std::string_view ClassName() const override { return "TSkinPopupMenu"; }

  std::vector<TFrameMenuItem> Items;
  // Runs the chosen item.
  std::function<void(const TFrameMenuItem& item)> OnCommand;

  TSkinData* SkinData() const { return FSkinData.Get(); }
  void SetSkinData(TSkinData* value) { FSkinData.Set(*this, value); }

  // PopupMenuApi
  bool AutoPopup() const override { return true; }
  void SetPopupComponent(TComponent*) override {}
  void Popup(int x, int y) override;
  void ClickDefaultItem() override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // The skinned frame of the form this menu belongs to (its owner, or its owner's owner).
  TSkinFrame* FindFrame() const;

  ComponentRef<TSkinData> FSkinData;
};
