#pragma once
// Screen readers reach a window through WM_GETOBJECT and the IAccessible
// object it answers with. A window fills that object through the narrow
// AccessibleSource; TAccessibleWindow makes the object, answers the
// message and runs default actions from the window's own message queue.
#include <windows.h>

#include <cstdint>

#include "base/geometry.h"
#include "ui/accessible_item.h"

// The interface's identifier, spelled out: the one the static MinGW
// libraries link reads wrong, so every query would fail.
extern const IID kAccessibleInterfaceId;

class AccessibleSource {
 public:
  // Child 0 is the window itself; a window with parts (a menu's items)
  // numbers them from 1.
  virtual TAccessibleItem AccessibleItem(int32_t child) const = 0;
  virtual int32_t AccessibleChildCount() const { return 0; }
  // A part's place on the screen.
  virtual TRect AccessibleChildBounds(int32_t) const { return {}; }
  // The default action, run from the window's message queue once the
  // screen reader's call has returned; the item was available then.
  virtual void DoAccessibleAction(int32_t child) = 0;

 protected:
  ~AccessibleSource() = default;
};

class TAccessibleObject;

class TAccessibleWindow {
 public:
  explicit TAccessibleWindow(AccessibleSource& source) : FSource(source) {}
  // Screen readers still holding the object are told it is gone.
  ~TAccessibleWindow();
  TAccessibleWindow(const TAccessibleWindow&) = delete;
  TAccessibleWindow& operator=(const TAccessibleWindow&) = delete;

  // Answers WM_GETOBJECT for the client and runs queued default actions;
  // true when the message was one of those. Watches WM_DESTROY too, which
  // the window still handles.
  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Tells screen readers that `event` happened to the window's client or one of its parts.
  static void Notify(HWND window, DWORD event, int32_t child = 0);

 private:
  void Disconnect();

  AccessibleSource& FSource;
  TAccessibleObject* FObject = nullptr;  // one reference held while the window lives
};
