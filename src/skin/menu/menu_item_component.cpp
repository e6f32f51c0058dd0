#include "skin/menu/menu_item_component.h"

#include <algorithm>

#include "persist/properties.h"
#include "skin/menu/menu_item_rules.h"
#include "skin/menu/menu_shortcut.h"

std::vector<TMenuItem> TMenuItemList::MenuItems() const {
  std::vector<TMenuItem> items;
  items.reserve(FItemObjects.size());
  for (TMenuItemComponent* object : FItemObjects) {
    // The action's OnUpdate may change what the item shows.
    if (TAction* action = object->Action()) action->Update();
    TMenuItem item = object->Data();
    item.SubItems = object->MenuItems();
    item.OnClick = [object] { object->Click(); };
    items.push_back(std::move(item));
  }
  return items;
}

TMenuItemList::~TMenuItemList() {
  for (TMenuItemComponent* object : FItemObjects) {
    object->FList = nullptr;
    object->FParent = nullptr;
  }
}

TMenuItemComponent::~TMenuItemComponent() { Detach(); }

const PropertyTable& TMenuItemComponent::Properties() const {
  using M = TMenuItemComponent;
  static const PropertyTable table(&TComponent::Properties(), {
                                                                  props::String("Caption", &M::SetCaption),
                                                                  props::Bool("Checked", &M::SetChecked),
                                                                  props::Bool("Default", &M::SetDefault),
                                                                  props::Bool("Enabled", &M::SetEnabled),
                                                                  props::Int("GroupIndex", &M::SetGroupIndex),
                                                                  props::String("Hint", &M::SetHint),
                                                                  props::Int("ImageIndex", &M::SetImageIndex),
                                                                  props::Bool("RadioItem", &M::SetRadioItem),
                                                                  props::Int("ShortCut", &M::SetShortCut),
                                                                  props::Bool("Visible", &M::SetVisible),
                                                                  props::Ref("Action", &M::SetAction, &M::Action),
                                                                  props::Event("OnClick", &M::SetOnClick),
                                                              });
  return table;
}

void TMenuItemComponent::SetName(const std::string& name) {
  TComponent::SetName(name);
  // The frame's own item names pick their glyphs.
  FData.Name = name;
}

void TMenuItemComponent::SetShortCut(int value) {
  // A value past 16 bits would wrap to another key.
  if (value < 0 || value > 0xFFFF) throw EPropertyValue("shortcut " + std::to_string(value) + " is out of range");
  FData.ShortCut = ShortCutText(static_cast<uint16_t>(value));
}

void TMenuItemComponent::SetGroupIndex(int value) { FData.GroupIndex = static_cast<uint8_t>(std::clamp(value, 0, 255)); }

void TMenuItemComponent::SetChecked(bool value) {
  if (!FList) {
    FData.Checked = value;
    return;
  }
  const std::vector<TMenuItemComponent*>& siblings = FList->FItemObjects;
  std::vector<TMenuItem*> data;
  for (TMenuItemComponent* sibling : siblings) data.push_back(&sibling->FData);
  const auto self = std::find(siblings.begin(), siblings.end(), this) - siblings.begin();
  SetMenuItemChecked(data, static_cast<size_t>(self), value);
}

void TMenuItemComponent::Click() {
  if (FOnClick)
    FOnClick(this);
  else
    FActionLink.Execute();
}

void TMenuItemComponent::SetParentComponent(TComponent* parent) {
  Detach();
  FList = dynamic_cast<TMenuItemList*>(parent);
  if (!FList) return;
  FParent = parent;
  FList->FItemObjects.push_back(this);
}

void TMenuItemComponent::Detach() {
  if (!FList) return;
  std::erase(FList->FItemObjects, this);
  FList = nullptr;
  FParent = nullptr;
}
