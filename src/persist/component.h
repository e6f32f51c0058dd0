#pragma once
// Components: named objects owned by another component, which frees them.
// A component that keeps a reference to another asks for a removal notice
// (FreeNotification) so the reference is cleared when the other goes away.
#include <any>
#include <string>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "persist/persistent.h"

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  virtual std::string_view ClassName() const = 0;
  const PropertyTable& Properties() const override;

  TComponent* Owner() const { return FOwner; }
  const std::vector<TComponent*>& Components() const { return FComponents; }
  TComponent* FindComponent(std::string_view name) const;

  const std::string& Name() const { return FName; }
  virtual void SetName(const std::string& name);

  bool IsLoading() const { return FLoading; }
  bool IsDestroying() const { return FDestroying; }
  void BeginLoading() { FLoading = true; }
  // The end-of-loading step: references are bound, the component may act now.
  virtual void Loaded();

  // Ask to be told (Notification opRemove) when `other` is destroyed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // Where a form designer shows a non-visual component; kept only to be
  // written back.
  int DesignLeft() const { return FDesignLeft; }
  void SetDesignLeft(int value) { FDesignLeft = value; }
  int DesignTop() const { return FDesignTop; }
  void SetDesignTop(int value) { FDesignTop = value; }

  // The root's handler a form stream wired to an event of this component,
  // kept so a form writer can name it again; null for none.
  void NoteHandlerName(std::string_view event, std::string handler);
  const std::string* HandlerName(std::string_view event) const;

  // Form streams give visual children their parent through this, and
  // objects stored inside another object (actions in their list) that one.
  virtual void SetParentComponent(TComponent* parent);
  // The component that holds this one in a form stream; none by default.
  virtual TComponent* GetParentComponent() const;

  // The root of a form stream answers these for its fields and handlers.
  // BindField stores a created component in the field of its name, if there
  // is one; false when that field holds another class. FindHandler answers
  // the handler of that name as the event type its arguments make (a
  // TNotifyEvent, a TMouseEvent...), or nothing.
  virtual bool BindField(std::string_view name, TComponent* component);
  virtual std::any FindHandler(std::string_view name);

 protected:
  virtual void Notification(TComponent* component, TOperation operation);
  // Marks the component as going away; a subclass adds what must happen
  // before anything of it goes. A subclass whose owned components must go
  // before its own resources (a form before its window) calls this and then
  // DestroyComponents from its destructor.
  virtual void BeginDestroy();
  void DestroyComponents();
  // Sends the removal notices now. A subclass whose state others read while
  // they hear of its going calls this first in its destructor, while that
  // state still exists; the base destructor then has none left to send.
  void NotifyRemoval();

 private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void SendFreeNotices();

  TComponent* FOwner;
  std::string FName;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FLoading = false;
  bool FDestroying = false;
  int FDesignLeft = 0, FDesignTop = 0;
  std::vector<std::pair<std::string, std::string>> FHandlerNames;  // event, handler
};

// Keeps a non-owning reference and clears it when the referenced component
// is destroyed. Declare one per reference and forward Notification to Notify.
template <class T>
class ComponentRef {
 public:
  T* Get() const { return FTarget; }
  // Returns true when the reference changed.
  bool Set(TComponent& holder, T* target) {
    if (target == FTarget) return false;
    // The old notice stays: it is shared by both sides and by the holder's
    // other references, so dropping it could leave one of them dangling.
    // Notify ignores notices about components it no longer refers to.
    FTarget = target;
    if (FTarget) holder.FreeNotification(FTarget);
    return true;
  }
  bool Notify(TComponent* component, TOperation operation) {
    if (operation != TOperation::opRemove || component != FTarget) return false;
    FTarget = nullptr;
    return true;
  }

 private:
  T* FTarget = nullptr;
};
