#pragma once
// What a control or the tray icon needs of the menu it pops up. The skinned
// popup menu implements it; until one is linked nothing pops up.
class TComponent;

class PopupMenuApi {
 public:
  virtual ~PopupMenuApi() = default;
  virtual bool AutoPopup() const = 0;
  // The component the menu was popped up for, as its handlers may ask.
  virtual void SetPopupComponent(TComponent* component) = 0;
  // At a screen point.
  virtual void Popup(int x, int y) = 0;
  // Clicks the default item with the lowest index, if there is one.
  virtual void ClickDefaultItem() = 0;
};
