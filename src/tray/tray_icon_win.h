#pragma once
// The notification-area icon: its image and tip, the shell's mouse
// notifications turned into events (single and double clicks told apart),
// the popup menu, stepping through an image list, and hiding and restoring
// the main window. It hooks the application window (minimise to the tray,
// taskbar re-creation) and its owner form's window (focus, restore on show).
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>

#include "persist/component.h"
#include "ui/graphics/icon_win.h"
#include "ui/graphics/image_list_win.h"
#include "ui/system/put_off_win.h"
#include "ui/system/window_win.h"
#include "tray/tray_click.h"
#include "ui/popup_menu.h"

class TTimer;
class TWinControl;

// The shell call behind every icon request; tests replace it to read the requests.
using ShellNotifyIconFunction = BOOL(WINAPI*)(DWORD command, PNOTIFYICONDATAW data);
ShellNotifyIconFunction& ActiveShellNotifyIcon();
// The shell's Shell_NotifyIconW, bound on the first call; without it the call fails.
BOOL WINAPI SystemShellNotifyIcon(DWORD command, PNOTIFYICONDATAW data);

class TTrayIcon : public TComponent {
 public:
  static constexpr UINT kCallbackMessage = 0x800;
  static constexpr UINT kIconId = 1;

  explicit TTrayIcon(TComponent* owner);
  ~TTrayIcon() override;
  std::string_view ClassName() const override { return "TTrayIcon"; }
  const PropertyTable& Properties() const override;

  // The image and tip. Without an image of its own the icon shows the
  // application's, unless LoadDefaultIcon declines it.
  TIcon& Icon();
  void SetIcon(const TIcon& icon);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool value);
  // The tip as the shell receives it: at most 127 UTF-16 units, whole characters.
  std::wstring TipText() const;

  // A notification (a balloon; a toast on Windows 10 and 11) from the icon's
  // own entry, replacing one still showing; the title is cut to 63 UTF-16
  // units and the text to 255. Answers whether the shell took it.
  bool ShowBalloon(const std::string& title, const std::string& text);
  // Removes a notification still showing.
  bool HideBalloon();

  // Image list animation.
  TImageList* IconList() const { return FIconList.Get(); }
  void SetIconList(TImageList* value);
  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int value);
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool value);
  unsigned AnimateTimerInterval() const { return FAnimateTimerInterval; }
  void SetAnimateTimerInterval(int value);
  bool DesignPreview() const { return FDesignPreview; }
  void SetDesignPreview(bool value);

  // Behaviour.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  TComponent* PopupMenu() const { return FPopupMenu.Get(); }
  // A component that is a PopupMenuApi; others are kept but never shown.
  void SetPopupMenu(TComponent* value) { FPopupMenu.Set(*this, value); }
  bool PopupByLeftButton() const { return FPopupByLeftButton; }
  void SetPopupByLeftButton(bool value) { FPopupByLeftButton = value; }
  bool MinimizedOnStart() const { return FMinimizedOnStart; }
  void SetMinimizedOnStart(bool value) { FMinimizedOnStart = value; }
  bool MinimizeToTray() const { return FMinimizeToTray; }
  void SetMinimizeToTray(bool value) { FMinimizeToTray = value; }

  // Events.
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent handler) { FOnClick = std::move(handler); }
  const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent handler) { FOnDblClick = std::move(handler); }
  void SetOnCycle(TCycleEvent handler) { FOnCycle = std::move(handler); }
  void SetOnMouseDown(TMouseEvent handler) { FOnMouseDown = std::move(handler); }
  void SetOnMouseUp(TMouseEvent handler) { FOnMouseUp = std::move(handler); }
  void SetOnMouseMove(TMouseMoveEvent handler) { FOnMouseMove = std::move(handler); }
  // The user clicked a notification of this icon.
  const TNotifyEvent& OnBalloonClick() const { return FOnBalloonClick; }
  void SetOnBalloonClick(TNotifyEvent handler) { FOnBalloonClick = std::move(handler); }

  // Each answers whether the shell accepted the request. The entry a loaded
  // icon is to have waits until every window has painted; a request of the
  // shell before then makes the entry first.
  virtual bool AddIcon();
  virtual bool RemoveIcon();
  virtual bool UpdateIcon();
  // Asked once, when the icon is first needed (never from the constructor,
  // where a subclass's answer could not be heard).
  virtual bool LoadDefaultIcon() { return true; }

  void HideMainWindow();
  void RestoreMainWindow();
  void PopupAtCursor();
  // The menu at a screen point (the icon's, when opened from the keyboard).
  void PopupAt(POINT at);
  // The hidden window whose procedure receives the shell's notifications.
  HWND NotifyWindow() const;

  void Loaded() override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  virtual void Click();
  virtual void DblClick();
  virtual void Cycle(int nextIndex);
  virtual void MouseDown(int button, uint32_t shift, int x, int y);
  virtual void MouseUp(int button, uint32_t shift, int x, int y);
  virtual void MouseMove(uint32_t shift, int x, int y);
  virtual void DoMinimizeToTray();
  virtual void BalloonClick();

 private:
  class SingleClickTimer;
  NOTIFYICONDATAW NotifyRecord() const;
  // What the shell shows: the program icon at the tray's size when the
  // image is the program's (its 24-pixel picture or the application's
  // icon), else the image itself.
  HICON ShellIcon() const;
  bool Notify(DWORD command);
  // A new image or tip for the shell, unless its entry is yet to be made.
  void Changed();
  void PutOffAdd();
  void AddPutOffIcon();
  void CancelPutOffAdd();
  bool NotifyBalloon(const std::string& title, const std::string& text);
  bool IconWindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void HandleCallback(UINT event, POINT anchor);
  LRESULT ApplicationWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OwnerWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void CycleTimerTick();
  PopupMenuApi* Menu() const;
  // The owner when it is a windowed control: its window is hooked and shown to.
  TWinControl* OwnerControl() const;
  // Hooks the owner's present window, each time it gets one.
  void HookOwner();
  void TakeDefaultIcon();

  bool FEnabled = true;
  TIcon FIcon;
  bool FDefaultIconAsked = false;
  bool FIconVisible = true;
  TPutOff FAddPutOff;
  std::string FHint;
  bool FShowHint = true;
  ComponentRef<TComponent> FPopupMenu;
  bool FPopupByLeftButton = false;
  TNotifyEvent FOnClick, FOnDblClick, FOnBalloonClick;
  TCycleEvent FOnCycle;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  bool FMinimizedOnStart = false;
  bool FMinimizeToTray = true;
  int FIconIndex = 0;
  bool FDesignPreview = false;
  bool FPreviewChanging = false;
  ComponentRef<TImageList> FIconList;
  bool FCycleIcons = false;
  unsigned FAnimateTimerInterval = 0;
  UINT FTaskbarCreated;
  // A right press opened the menu; the context-menu notice that follows it is not a second request.
  bool FRightPressOpenedMenu = false;
  mutable std::unique_ptr<TMessageWindow> FWindow;
  TTimer* FCycleTimer;  // owned as components
  TTimer* FSingleClickTimer;
  std::unique_ptr<SingleClickTimer> FClickTimer;
  std::unique_ptr<TrayClickTracker> FClicks;
  std::unique_ptr<TWindowProcHook> FAppHook;
  int FAppWatch = 0;
  std::unique_ptr<TWindowProcHook> FOwnerHook;
  int FOwnerWatch = 0;
  mutable IconHandle FProgramIcon;  // ShellIcon's, for FProgramIconSize
  mutable int FProgramIconSize = 0;
};
