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
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::String("Caption", &M::SetCaption, &M::Caption),
                                       props::Bool("Checked", &M::SetChecked, &M::Checked),
                                       props::Bool("Default", &M::SetDefault, &M::Default),
                                       props::Bool("Enabled", &M::SetEnabled, &M::Enabled),
                                       props::Int("GroupIndex", &M::SetGroupIndex, &M::GroupIndex),
                                       props::String("Hint", &M::SetHint, &M::Hint),
                                       props::Int("ImageIndex", &M::SetImageIndex, &M::ImageIndex),
                                       props::Bool("RadioItem", &M::SetRadioItem, &M::RadioItem),
                                       props::Int("ShortCut", &M::SetShortCut, &M::ShortCut),
                                       props::Bool("Visible", &M::SetVisible, &M::Visible),
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
  FShortCut = static_cast<TShortCut>(value);
  FData.ShortCut = ShortCutText(FShortCut);
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
