#pragma once
// Actions: one command (its caption, state, shortcut, image and handler)
// that any number of controls and menu items show and run. A client holds a
// TActionLink, which hands it the action's values when it is linked and
// again whenever one of them changes.
#include <cstdint>
#include <string>
#include <vector>

#include "persist/component.h"

class TActionLink;
class TCustomActionList;

// A key with its modifiers, as menus show and forms store it: the virtual
// key in the low byte, then these bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

class TAction : public TComponent {
 public:
  explicit TAction(TComponent* owner);
  ~TAction() override;
  std::string_view ClassName() const override { return "TAction"; }
  const PropertyTable& Properties() const override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  // Into the image list of the action's list; −1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value);

  const TNotifyEvent& OnExecute() const { return FOnExecute; }
  void SetOnExecute(TNotifyEvent handler) { FOnExecute = std::move(handler); }
  const TNotifyEvent& OnUpdate() const { return FOnUpdate; }
  void SetOnUpdate(TNotifyEvent handler) { FOnUpdate = std::move(handler); }

  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* list);
  TComponent* GetParentComponent() const override;
  // A form stream holds actions inside their list.
  void SetParentComponent(TComponent* parent) override;

  // Lets OnUpdate refresh the state first; true when there is an OnUpdate.
  bool Update();
  // Update, then OnExecute with the action as sender when the action is
  // enabled. True when OnExecute ran.
  virtual bool Execute();

 private:
  friend class TActionLink;
  friend class TCustomActionList;
  template <class F>
  void TellLinks(F&& tell);

  std::string FCaption;
  std::string FHint;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  TNotifyEvent FOnExecute;
  TNotifyEvent FOnUpdate;
  TCustomActionList* FActionList = nullptr;
  std::vector<TActionLink*> FLinks;
};

// The actions of a form in one place. The actions stay owned by their owner
// (the form); a list that goes away only lets them go.
class TCustomActionList : public TComponent {
 public:
  using TComponent::TComponent;
  ~TCustomActionList() override;

  const std::vector<TAction*>& Actions() const { return FActions; }

 protected:
  // Tells the clients of every action that the images changed.
  void ImagesChanged();

 private:
  friend class TAction;
  std::vector<TAction*> FActions;
};

// What a linked client shows of its action. Each call comes when the link
// is made and whenever that value changes.
class ActionClient {
 public:
  virtual void ActionCaptionChanged(const std::string& caption) = 0;
  virtual void ActionEnabledChanged(bool enabled) = 0;
  virtual void ActionHintChanged(const std::string& hint) = 0;
  virtual void ActionVisibleChanged(bool visible) = 0;
  virtual void ActionCheckedChanged(bool) {}
  virtual void ActionShortCutChanged(TShortCut) {}
  // The image index changed, or the action's list or its images did.
  virtual void ActionImageChanged() {}
  // The action is being destroyed; the link is already empty.
  virtual void ActionRemoved() {}

 protected:
  ~ActionClient() = default;
};

// A client's tie to at most one action.
class TActionLink {
 public:
  explicit TActionLink(ActionClient& client) : FClient(client) {}
  ~TActionLink();
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;

  TAction* Action() const { return FAction; }
  // Hands the client every value of the new action at once.
  void SetAction(TAction* action);
  // Hands the client every value of the action again (after loading, when
  // the action's list may have got its images since the link was made).
  void Refresh();
  // The action's Execute; false without an action.
  bool Execute();

 private:
  friend class TAction;
  ActionClient& FClient;
  TAction* FAction = nullptr;
};
