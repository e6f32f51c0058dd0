#include "ui/action.h"

#include <algorithm>
#include <limits>

#include "persist/properties.h"

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
  // The clients hear of it while the action's values still exist.
  while (!FLinks.empty()) {
    TActionLink* link = FLinks.back();
    FLinks.pop_back();
    link->FAction = nullptr;
    link->FClient.ActionRemoved();
  }
  SetActionList(nullptr);
}

const PropertyTable& TAction::Properties() const {
  using A = TAction;
  static const PropertyTable table(
      &TComponent::Properties(),
      {
          props::String("Caption", &A::SetCaption, &A::Caption),
          props::Bool("Enabled", &A::SetEnabled, &A::Enabled),
          props::Bool("Visible", &A::SetVisible, &A::Visible),
          props::Bool("Checked", &A::SetChecked, &A::Checked),
          props::String("Hint", &A::SetHint, &A::Hint),
          props::Int("ImageIndex", &A::SetImageIndex, &A::ImageIndex),
          {"ShortCut",
           [](TPersistent& o, const FormValue& v, LoadContext&) {
             const int64_t value = ValueAsInteger(v);
             if (value < 0 || value > std::numeric_limits<TShortCut>::max())
               throw EPropertyValue("shortcut " + std::to_string(value) + " is out of range");
             static_cast<A&>(o).SetShortCut(static_cast<TShortCut>(value));
           },
           {},
           props::Getting<A>(&A::ShortCut, [](TShortCut value) { return IntegerFormValue(value); })},
          props::Event("OnExecute", &A::SetOnExecute),
          props::Event("OnUpdate", &A::SetOnUpdate),
      });
  return table;
}

template <class F>
void TAction::TellLinks(F&& tell) {
  // A client may drop its link while it hears of the change.
  const std::vector<TActionLink*> links = FLinks;
  for (TActionLink* link : links)
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) tell(link->FClient);
}

void TAction::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  FCaption = value;
  TellLinks([&](ActionClient& c) { c.ActionCaptionChanged(FCaption); });
}

void TAction::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  TellLinks([&](ActionClient& c) { c.ActionEnabledChanged(FEnabled); });
}

void TAction::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  TellLinks([&](ActionClient& c) { c.ActionVisibleChanged(FVisible); });
}

void TAction::SetChecked(bool value) {
  if (value == FChecked) return;
  FChecked = value;
  TellLinks([&](ActionClient& c) { c.ActionCheckedChanged(FChecked); });
}

void TAction::SetHint(const std::string& value) {
  if (value == FHint) return;
  FHint = value;
  TellLinks([&](ActionClient& c) { c.ActionHintChanged(FHint); });
}

void TAction::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  TellLinks([](ActionClient& c) { c.ActionImageChanged(); });
}

void TAction::SetShortCut(TShortCut value) {
  if (value == FShortCut) return;
  FShortCut = value;
  TellLinks([&](ActionClient& c) { c.ActionShortCutChanged(FShortCut); });
}

void TAction::SetActionList(TCustomActionList* list) {
  if (list == FActionList) return;
  if (FActionList) std::erase(FActionList->FActions, this);
  FActionList = list;
  if (FActionList) FActionList->FActions.push_back(this);
  TellLinks([](ActionClient& c) { c.ActionImageChanged(); });
}

TComponent* TAction::GetParentComponent() const { return FActionList; }

void TAction::SetParentComponent(TComponent* parent) {
  if (auto* list = dynamic_cast<TCustomActionList*>(parent)) SetActionList(list);
}

bool TAction::Update() {
  if (!FOnUpdate) return false;
  FOnUpdate(this);
  return true;
}

bool TAction::Execute() {
  Update();
  if (!FEnabled || !FOnExecute) return false;
  FOnExecute(this);
  return true;
}

TCustomActionList::~TCustomActionList() {
  while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
}

void TCustomActionList::ImagesChanged() {
  for (TAction* action : FActions) action->TellLinks([](ActionClient& c) { c.ActionImageChanged(); });
}

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TAction* action) {
  if (action == FAction) return;
  if (FAction) std::erase(FAction->FLinks, this);
  FAction = action;
  if (!FAction) return;
  FAction->FLinks.push_back(this);
  Refresh();
}

void TActionLink::Refresh() {
  // A client may drop the link (or the action) while it takes a value.
  TAction* const action = FAction;
  auto linked = [&] { return action && FAction == action; };
  if (linked()) FClient.ActionCaptionChanged(action->Caption());
  if (linked()) FClient.ActionEnabledChanged(action->Enabled());
  if (linked()) FClient.ActionHintChanged(action->Hint());
  if (linked()) FClient.ActionVisibleChanged(action->Visible());
  if (linked()) FClient.ActionCheckedChanged(action->Checked());
  if (linked()) FClient.ActionShortCutChanged(action->ShortCut());
  if (linked()) FClient.ActionImageChanged();
}

bool TActionLink::Execute() { return FAction && FAction->Execute(); }
