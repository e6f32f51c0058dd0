#include "persist/component.h"

#include <algorithm>
#include <utility>

#include "persist/properties.h"

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
  if (FOwner) FOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  BeginDestroy();
  SendFreeNotices();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SendFreeNotices() {
  // Tell everyone who asked; they clear their references to us.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    std::erase(other->FFreeNotifies, this);
    other->Notification(this, TOperation::opRemove);
  }
}

void TComponent::NotifyRemoval() {
  BeginDestroy();
  SendFreeNotices();
  // The owner tells its other components too.
  if (TComponent* owner = std::exchange(FOwner, nullptr)) owner->RemoveComponent(this);
}

void TComponent::BeginDestroy() { FDestroying = true; }

void TComponent::DestroyComponents() {
  // Last-created first, since a later component may lean on an earlier one.
  while (!FComponents.empty()) delete FComponents.back();
}

const PropertyTable& TComponent::Properties() const {
  // Non-visual components carry their place in a form designer; it has no
  // effect at run time. Controls override these with their real bounds.
  static const PropertyTable table(&TPersistent::Properties(),
                                   {props::Int("Left", &TComponent::SetDesignLeft, &TComponent::DesignLeft),
                                    props::Int("Top", &TComponent::SetDesignTop, &TComponent::DesignTop)});
  return table;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  // Unnamed components may be many; none of them is found by name.
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameTextAscii(c->Name(), name)) return c;
  return nullptr;
}

void TComponent::NoteHandlerName(std::string_view event, std::string handler) {
  for (auto& [name, bound] : FHandlerNames)
    if (SameTextAscii(name, event)) {
      bound = std::move(handler);
      return;
    }
  FHandlerNames.emplace_back(std::string(event), std::move(handler));
}

const std::string* TComponent::HandlerName(std::string_view event) const {
  for (const auto& [name, bound] : FHandlerNames)
    if (SameTextAscii(name, event)) return &bound;
  return nullptr;
}

void TComponent::SetName(const std::string& name) { FName = name; }

void TComponent::Loaded() { FLoading = false; }

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(other);
    other->FFreeNotifies.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  std::erase(FFreeNotifies, other);
  std::erase(other->FFreeNotifies, this);
}

void TComponent::SetParentComponent(TComponent*) {}

TComponent* TComponent::GetParentComponent() const { return nullptr; }

bool TComponent::BindField(std::string_view, TComponent*) { return true; }

std::any TComponent::FindHandler(std::string_view) { return {}; }

void TComponent::Notification(TComponent* component, TOperation operation) {
  // The owner hears about its own components going away too.
  if (operation == TOperation::opRemove)
    for (TComponent* c : FComponents)
      if (c != component) c->Notification(component, operation);
}

void TComponent::InsertComponent(TComponent* component) { FComponents.push_back(component); }

void TComponent::RemoveComponent(TComponent* component) {
  std::erase(FComponents, component);
  Notification(component, TOperation::opRemove);
}
