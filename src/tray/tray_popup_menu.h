#pragma once
// What the tray icon needs of the menu it pops up. The skinned popup menu
// implements it; until one is linked the icon shows no menu.
class TComponent;

class TrayPopupMenu {
 public:
  virtual ~TrayPopupMenu() = default;
  virtual bool AutoPopup() const = 0;
  virtual void SetPopupComponent(TComponent* component) = 0;
  virtual void Popup(int x, int y) = 0;
  // Clicks the default item with the lowest index, if there is one.
  virtual void ClickDefaultItem() = 0;
};
