#pragma once
// The skinned frame of a form. For now it keeps the frame settings the form
// stores and its links to the skin data and the tray icon, and relays skin
// changes to the form's skinned controls; drawing the frame from the skin
// comes with the frame itself.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "persist/component.h"
#include "skin/pixels/pixel_buffer.h"
#include "ui/graphics/font.h"
#include "skin/data/skin_data.h"
#include "skin/frame/border_icons.h"
#include "tray/tray_icon_win.h"
#include "ui/system/window_win.h"

class TSkinFrame;
class TObjectCanvas;

// The frame's object events name the object by its IDName; points and
// rectangles are in window coordinates, buttons 0 left and 1 right.
using TSkinObjectMouseEvent =
    std::function<void(TObject* sender, const std::string& id, int x, int y, TRect rect, int button)>;
using TSkinObjectMoveEvent = std::function<void(TObject* sender, const std::string& id, int x, int y, TRect rect)>;
using TSkinObjectEvent = std::function<void(TObject* sender, const std::string& id)>;
// A user object draws itself through this: its pixels in `canvas`, at `rect`.
using TSkinObjectPaintEvent =
    std::function<void(TObject* sender, const std::string& id, TObjectCanvas& canvas, TRect rect)>;

class TSkinForm : public TComponent {
 public:
  explicit TSkinForm(TComponent* owner);
  ~TSkinForm() override;
  std::string_view ClassName() const override { return "TSkinForm"; }
  const PropertyTable& Properties() const override;

  TSkinData* SkinData() const { return FSkinData.Get(); }
  void SetSkinData(TSkinData* value);
  // The skin of the form's menus, when they are to look other than the frame.
  TSkinData* MenusSkinData() const { return FMenusSkinData.Get(); }
  void SetMenusSkinData(TSkinData* value) { FMenusSkinData.Set(*this, value); }
  // What the menus draw from: MenusSkinData, else SkinData.
  TSkinData* MenuSkin() const { return MenusSkinData() ? MenusSkinData() : SkinData(); }
  // The frame that draws the form from the skin; null for a form-less frame.
  const TSkinFrame* Frame() const { return FFrame.get(); }
  // The form goes into the tray (when a tray icon is linked).
  void MinimizeFormToTray();
  bool AlwaysMinimizeToTray() const { return FAlwaysMinimizeToTray; }
  bool ShowIcon() const { return FShowIcon; }
  bool Magnetic() const { return FMagnetic; }
  int MagneticSize() const { return FMagneticSize; }
  int MinWidth() const { return FMinWidth; }
  int MinHeight() const { return FMinHeight; }
  bool MaximizeOnFullScreen() const { return FMaximizeOnFullScreen; }
  TTrayIcon* TrayIcon() const { return FTrayIcon.Get(); }
  // Takes over the icon's minimise-to-tray and double click: the frame
  // decides when the form goes to the tray and brings it back.
  void SetTrayIcon(TTrayIcon* value);
  void RestoreFormFromTray();
  uint32_t BorderIcons() const { return FBorderIcons; }
  // At run time the skin's objects are made again with the new set.
  void SetBorderIcons(uint32_t value);

  TFont& DefCaptionFont() { return FDefCaptionFont; }
  TFont& DefInActiveCaptionFont() { return FDefInActiveCaptionFont; }
  TFont& DefMenuItemFont() { return FDefMenuItemFont; }
  bool UseSkinFontInMenu() const { return FUseSkinFontInMenu; }
  int DefMenuItemHeight() const { return FDefMenuItemHeight; }
  bool MenusAlphaBlend() const { return FMenusAlphaBlend; }
  bool MenusAlphaBlendAnimation() const { return FMenusAlphaBlendAnimation; }
  uint8_t MenusAlphaBlendValue() const { return static_cast<uint8_t>(std::clamp(FMenusAlphaBlendValue, 0, 255)); }
  TSkinFrame* Frame() { return FFrame.get(); }
  void SetAlwaysShowInTray(bool v) { FAlwaysShowInTray = v; }
  void SetLogoBitMapTransparent(bool v);
  bool LogoBitMapTransparent() const { return FLogoBitMapTransparent; }
  // The picture centred on the client background; empty for none.
  const PixelImage& LogoBitMap() const { return FLogoBitMap; }
  void SetLogoBitMap(PixelImage logo);
  // As a form stream stores it: the BMP file's length, then the file.
  void SetLogoBitMapData(const std::vector<uint8_t>& data);
  // The user's system menu; the frame's own items join it with UseDefaultSysMenu.
  class TSkinPopupMenu* SystemMenu() const { return FSystemMenu.Get(); }
  void SetSystemMenu(class TSkinPopupMenu* value);
  bool UseDefaultSysMenu() const { return FUseDefaultSysMenu; }
  // A menu that drops down from the button object of that IDName (kept
  // over skin changes); null takes it away.
  void SetAttachedItems(const std::string& objectName, class TSkinPopupMenu* menu);
  class TSkinPopupMenu* AttachedItems(const std::string& objectName) const;
  void SetAlwaysMinimizeToTray(bool v) { FAlwaysMinimizeToTray = v; }
  void SetUseSkinFontInMenu(bool v) { FUseSkinFontInMenu = v; }
  void SetShowIcon(bool v);
  void SetMaximizeOnFullScreen(bool v) { FMaximizeOnFullScreen = v; }
  // Translucency applies at once outside loading, where layered windows exist.
  void SetAlphaBlend(bool v);
  void SetAlphaBlendAnimation(bool v) { FAlphaBlendAnimation = v; }
  void SetAlphaBlendValue(int v);
  bool AlphaBlend() const { return FAlphaBlend; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  uint8_t AlphaBlendValue() const { return static_cast<uint8_t>(FAlphaBlendValue); }
  void SetShowObjectHint(bool v) { FShowObjectHint = v; }
  bool ShowObjectHint() const { return FShowObjectHint; }
  // Shows the objects' hints; the frame's own hint window when none.
  class TSkinHint* SkinHint() const { return FSkinHint.Get(); }
  void SetSkinHint(class TSkinHint* value);
  void SetMenusAlphaBlend(bool v) { FMenusAlphaBlend = v; }
  void SetMenusAlphaBlendAnimation(bool v) { FMenusAlphaBlendAnimation = v; }
  void SetMenusAlphaBlendValue(int v) { FMenusAlphaBlendValue = v; }
  void SetDefMenuItemHeight(int v) { FDefMenuItemHeight = v; }
  void SetUseDefaultSysMenu(bool v) { FUseDefaultSysMenu = v; }
  void SetMinHeight(int v) { FMinHeight = v; }
  void SetMinWidth(int v) { FMinWidth = v; }
  void SetMagnetic(bool v) { FMagnetic = v; }
  void SetMagneticSize(int v) { FMagneticSize = v; }

  void SetOnChangeSkinData(TNotifyEvent e) { FOnChangeSkinData = std::move(e); }
  void SetOnActivate(TNotifyEvent e) { FOnActivate = std::move(e); }
  void SetOnDeActivate(TNotifyEvent e) { FOnDeActivate = std::move(e); }
  void SetOnMouseDownEvent(TSkinObjectMouseEvent e) { FOnMouseDownEvent = std::move(e); }
  void SetOnMouseUpEvent(TSkinObjectMouseEvent e) { FOnMouseUpEvent = std::move(e); }
  void SetOnMouseMoveEvent(TSkinObjectMoveEvent e) { FOnMouseMoveEvent = std::move(e); }
  void SetOnMouseEnterEvent(TSkinObjectEvent e) { FOnMouseEnterEvent = std::move(e); }
  void SetOnMouseLeaveEvent(TSkinObjectEvent e) { FOnMouseLeaveEvent = std::move(e); }
  void SetOnPaintEvent(TSkinObjectPaintEvent e) { FOnPaintEvent = std::move(e); }
  void SetOnSkinMenuOpen(TNotifyEvent e) { FOnSkinMenuOpen = std::move(e); }
  void SetOnSkinMenuClose(TNotifyEvent e) { FOnSkinMenuClose = std::move(e); }
  void SetOnMinimizeToTray(TNotifyEvent e) { FOnMinimizeToTray = std::move(e); }
  void SetOnRestoreFromTray(TNotifyEvent e) { FOnRestoreFromTray = std::move(e); }
  void SetOnChangeRollUpState(TNotifyEvent e) { FOnChangeRollUpState = std::move(e); }

  // The events' dispatch, called by the frame where each happens.
  virtual void ChangeSkinData() { Raise(FOnChangeSkinData); }
  virtual void Activation(bool active) { Raise(active ? FOnActivate : FOnDeActivate); }
  virtual void ObjectMouseDown(const std::string& id, int x, int y, TRect rect, int button) {
    if (FOnMouseDownEvent) FOnMouseDownEvent(this, id, x, y, rect, button);
  }
  virtual void ObjectMouseUp(const std::string& id, int x, int y, TRect rect, int button) {
    if (FOnMouseUpEvent) FOnMouseUpEvent(this, id, x, y, rect, button);
  }
  virtual void ObjectMouseMove(const std::string& id, int x, int y, TRect rect) {
    if (FOnMouseMoveEvent) FOnMouseMoveEvent(this, id, x, y, rect);
  }
  virtual void ObjectMouseEnter(const std::string& id) {
    if (FOnMouseEnterEvent) FOnMouseEnterEvent(this, id);
  }
  virtual void ObjectMouseLeave(const std::string& id) {
    if (FOnMouseLeaveEvent) FOnMouseLeaveEvent(this, id);
  }
  virtual void ObjectPaint(const std::string& id, TObjectCanvas& canvas, TRect rect) {
    if (FOnPaintEvent) FOnPaintEvent(this, id, canvas, rect);
  }
  virtual void SkinMenuOpen() { Raise(FOnSkinMenuOpen); }
  virtual void SkinMenuClose() { Raise(FOnSkinMenuClose); }
  virtual void ChangeRollUpState() { Raise(FOnChangeRollUpState); }

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

 private:
  void FollowFormDensity();
  // Takes back what this form gave the tray icon.
  void ReleaseTrayIcon(TTrayIcon* tray);
  LRESULT HookedWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void Raise(const TNotifyEvent& event) {
    if (event) event(this);
  }

  // The form's window procedure with this frame in front of it.
  std::unique_ptr<TWindowProcHook> FHook;
  std::unique_ptr<TSkinFrame> FFrame;
  // The tray icon's menu when the icon has none of its own; owned as a component.
  class TSkinPopupMenu* FTrayPopup = nullptr;
  bool FGaveTrayDblClick = false;
  // The skin was set while loading and the frame has not been shaped for it yet.
  bool FFramePutOff = false;
  ComponentRef<TSkinData> FSkinData, FMenusSkinData;
  ComponentRef<TTrayIcon> FTrayIcon;
  ComponentRef<class TSkinPopupMenu> FSystemMenu;
  ComponentRef<class TSkinHint> FSkinHint;
  std::vector<std::pair<std::string, ComponentRef<class TSkinPopupMenu>>> FAttachedItems;
  PixelImage FLogoBitMap;
  uint32_t FBorderIcons = sbiSystemMenu | sbiMinimize | sbiMaximize | sbiRollUp;
  TFont FDefCaptionFont, FDefInActiveCaptionFont, FDefMenuItemFont;
  bool FAlwaysShowInTray = false, FLogoBitMapTransparent = false, FAlwaysMinimizeToTray = false;
  bool FUseSkinFontInMenu = true, FShowIcon = false, FMaximizeOnFullScreen = false;
  bool FAlphaBlend = false, FAlphaBlendAnimation = false;
  int FAlphaBlendValue = 200;
  bool FShowObjectHint = false, FMenusAlphaBlend = false, FMenusAlphaBlendAnimation = false;
  int FMenusAlphaBlendValue = 200;
  int FDefMenuItemHeight = 20;
  bool FUseDefaultSysMenu = true;
  int FMinHeight = 0, FMinWidth = 0;
  bool FMagnetic = false;
  int FMagneticSize = 5;
  TNotifyEvent FOnChangeSkinData, FOnActivate, FOnDeActivate, FOnSkinMenuOpen, FOnSkinMenuClose, FOnMinimizeToTray,
      FOnRestoreFromTray, FOnChangeRollUpState;
  TSkinObjectMouseEvent FOnMouseDownEvent, FOnMouseUpEvent;
  TSkinObjectMoveEvent FOnMouseMoveEvent;
  TSkinObjectEvent FOnMouseEnterEvent, FOnMouseLeaveEvent;
  TSkinObjectPaintEvent FOnPaintEvent;
};
