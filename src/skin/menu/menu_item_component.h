#pragma once
// Menu items as a form stream holds them: TMenuItem objects nested in their
// popup menu and in each other, owned by the form like every component. A
// menu turns them into the items it shows each time it pops up, so what a
// handler changed (a check mark, a caption) shows the next time.
#include <string>
#include <vector>

#include "persist/component.h"
#include "persist/object.h"
#include "skin/menu/menu_item.h"
#include "ui/action.h"

class TMenuItemComponent;

// What holds menu item objects: a popup menu, or an item for its sub-items.
class TMenuItemList {
 public:
  TMenuItemList() = default;
  TMenuItemList(const TMenuItemList&) = delete;
  TMenuItemList& operator=(const TMenuItemList&) = delete;

  const std::vector<TMenuItemComponent*>& ItemObjects() const { return FItemObjects; }
  // The items as a menu shows them; choosing one clicks its object.
  std::vector<TMenuItem> MenuItems() const;

 protected:
  // The objects outlive neither side's knowledge of the other.
  ~TMenuItemList();

 private:
  friend class TMenuItemComponent;
  std::vector<TMenuItemComponent*> FItemObjects;
};

// An item linked to an action shows the action's caption, state, shortcut
// and image, and runs the action when chosen unless it has its own OnClick.
class TMenuItemComponent : public TComponent, public TMenuItemList, private ActionClient {
 public:
  explicit TMenuItemComponent(TComponent* owner) : TComponent(owner) {}
  ~TMenuItemComponent() override;
  std::string_view ClassName() const override { return "TMenuItem"; }
  const PropertyTable& Properties() const override;

  // The item as shown, without its sub-items and click.
  const TMenuItem& Data() const { return FData; }
  void SetName(const std::string& name) override;
  const std::string& Caption() const { return FData.Caption; }
  void SetCaption(const std::string& value) { FData.Caption = value; }
  // As streams store it: a virtual key with the Shift, Ctrl and Alt bits.
  int ShortCut() const { return FShortCut; }
  void SetShortCut(int value);
  int ImageIndex() const { return FData.ImageIndex; }
  void SetImageIndex(int value) { FData.ImageIndex = value; }
  bool Checked() const { return FData.Checked; }
  // Checking a radio item unchecks the radio items of its group among its siblings.
  void SetChecked(bool value);
  bool RadioItem() const { return FData.RadioItem; }
  void SetRadioItem(bool value) { FData.RadioItem = value; }
  int GroupIndex() const { return FData.GroupIndex; }
  void SetGroupIndex(int value);
  bool Enabled() const { return FData.Enabled; }
  void SetEnabled(bool value) { FData.Enabled = value; }
  bool Visible() const { return FData.Visible; }
  void SetVisible(bool value) { FData.Visible = value; }
  bool Default() const { return FData.Default; }
  void SetDefault(bool value) { FData.Default = value; }
  // Kept for whoever shows item hints; the menu itself shows none.
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  void SetOnClick(TNotifyEvent value) { FOnClick = std::move(value); }
  TAction* Action() const { return FActionLink.Action(); }
  void SetAction(TAction* action) { FActionLink.SetAction(action); }
  // What choosing the item does: its OnClick, with the item as the sender;
  // without one, its action's Execute.
  void Click();

  // The stream's nesting: a popup menu or another item holds this one.
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override { return FParent; }

 private:
  friend class TMenuItemList;
  void Detach();
  // ActionClient
  void ActionCaptionChanged(const std::string& caption) override { FData.Caption = caption; }
  void ActionEnabledChanged(bool enabled) override { FData.Enabled = enabled; }
  void ActionHintChanged(const std::string& hint) override { FHint = hint; }
  void ActionVisibleChanged(bool visible) override { FData.Visible = visible; }
  void ActionCheckedChanged(bool checked) override { SetChecked(checked); }
  void ActionShortCutChanged(TShortCut shortCut) override { SetShortCut(shortCut); }
  void ActionImageChanged() override { FData.ImageIndex = Action()->ImageIndex(); }

  TMenuItem FData;
  TShortCut FShortCut = 0;
  std::string FHint;
  TNotifyEvent FOnClick;
  TMenuItemList* FList = nullptr;
  TComponent* FParent = nullptr;  // the component FList is
  TActionLink FActionLink{*this};
};
