#pragma once
// The skinned frame of a form. For now it keeps the frame settings the form
// stores and its links to the skin data and the tray icon, and relays skin
// changes to the form's skinned controls; drawing the frame from the skin
// comes with the frame itself.
#include <algorithm>
#include <memory>

#include "persist/component.h"
#include "ui/font.h"
#include "skin/data/skin_data.h"
#include "skin/frame/border_icons.h"
#include "tray/tray_icon_win.h"
#include "ui/window_win.h"

class TSkinFrame;

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
  void SetLogoBitMapTransparent(bool v) { FLogoBitMapTransparent = v; }
  void SetAlwaysMinimizeToTray(bool v) { FAlwaysMinimizeToTray = v; }
  void SetUseSkinFontInMenu(bool v) { FUseSkinFontInMenu = v; }
  void SetShowIcon(bool v) { FShowIcon = v; }
  void SetMaximizeOnFullScreen(bool v) { FMaximizeOnFullScreen = v; }
  // Translucency applies at once outside loading, where layered windows exist.
  void SetAlphaBlend(bool v);
  void SetAlphaBlendAnimation(bool v) { FAlphaBlendAnimation = v; }
  void SetAlphaBlendValue(int v);
  bool AlphaBlend() const { return FAlphaBlend; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  uint8_t AlphaBlendValue() const { return static_cast<uint8_t>(FAlphaBlendValue); }
  void SetShowObjectHint(bool v) { FShowObjectHint = v; }
  void SetMenusAlphaBlend(bool v) { FMenusAlphaBlend = v; }
  void SetMenusAlphaBlendAnimation(bool v) { FMenusAlphaBlendAnimation = v; }
  void SetMenusAlphaBlendValue(int v) { FMenusAlphaBlendValue = v; }
  void SetDefMenuItemHeight(int v) { FDefMenuItemHeight = v; }
  void SetUseDefaultSysMenu(bool v) { FUseDefaultSysMenu = v; }
  void SetMinHeight(int v) { FMinHeight = v; }
  void SetMinWidth(int v) { FMinWidth = v; }
  void SetMagnetic(bool v) { FMagnetic = v; }
  void SetMagneticSize(int v) { FMagneticSize = v; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

 private:
  void FollowFormDensity();
  // Takes back what this form gave the tray icon.
  void ReleaseTrayIcon(TTrayIcon* tray);
  LRESULT HookedWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // The form's window procedure with this frame in front of it.
  std::unique_ptr<TWindowProcHook> FHook;
  std::unique_ptr<TSkinFrame> FFrame;
  // The tray icon's menu when the icon has none of its own; owned as a component.
  class TSkinPopupMenu* FTrayPopup = nullptr;
  bool FGaveTrayDblClick = false;
  ComponentRef<TSkinData> FSkinData, FMenusSkinData;
  ComponentRef<TTrayIcon> FTrayIcon;
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
};
