#pragma once
// The notification-area icon with its tip. For now: add, update and remove
// the icon, a click and a double click, and hiding and restoring the main
// window; the full mouse handling comes with the tray component.
#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "framework/component.h"
#include "framework/icon_win.h"
#include "framework/window_win.h"

class TTimer;

class TTrayIcon : public TComponent {
 public:
  static constexpr UINT kCallbackMessage = 0x800;

  explicit TTrayIcon(TComponent* owner);
  ~TTrayIcon() override;
  std::string_view ClassName() const override { return "TTrayIcon"; }
  const PropertyTable& Properties() const override;

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  TIcon& Icon() { return FIcon; }
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  void SetIconIndex(int value) { FIconIndex = value; }
  void SetAnimateTimerInterval(int value) { FAnimateTimerInterval = value; }
  void SetMinimizedOnStart(bool value) { FMinimizedOnStart = value; }
  void SetMinimizeToTray(bool value) { FMinimizeToTray = value; }
  void SetPopupByLeftButton(bool value) { FPopupByLeftButton = value; }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent handler) { FOnClick = std::move(handler); }
  void SetOnDblClick(TNotifyEvent handler) { FOnDblClick = std::move(handler); }

  bool IconAdded() const { return FAdded; }
  bool AddIcon();
  bool RemoveIcon();
  bool UpdateIcon();
  void HideMainWindow();
  void RestoreMainWindow();
  // The tip as the shell receives it: at most 127 UTF-16 units, whole characters.
  std::wstring TipText() const;

  void Loaded() override;

 private:
  bool Notify(DWORD command);
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  std::string FHint;
  bool FShowHint = true;
  TIcon FIcon;
  bool FIconVisible = true;
  bool FEnabled = true;
  bool FAdded = false;
  int FIconIndex = 0;
  int FAnimateTimerInterval = 0;
  bool FMinimizedOnStart = false;
  bool FMinimizeToTray = true;
  bool FPopupByLeftButton = false;
  TNotifyEvent FOnClick, FOnDblClick;
  UINT FTaskbarCreated;
  TTimer* FSingleClickTimer;  // owned as a component
  bool FSkipNextUp = false;
  TMessageWindow FWindow;
};
