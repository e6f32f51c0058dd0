#include "skin/frame/skin_form_win.h"

#include <array>

#include "persist/properties.h"

namespace {
constexpr std::array<std::string_view, 5> kSkinBorderIcons{"biSystemMenu", "biMinimize", "biMaximize", "biRollUp",
                                                           "biMinimizeToTray"};
}

TSkinForm::TSkinForm(TComponent* owner) : TComponent(owner) {
  for (TFont* font : {&FDefCaptionFont, &FDefInActiveCaptionFont, &FDefMenuItemFont}) {
    font->SetName("Arial");
    font->SetHeight(14);
  }
  FDefCaptionFont.SetStyle(fsBold);
  FDefCaptionFont.SetColor(clBtnText);
  FDefInActiveCaptionFont.SetStyle(fsBold);
  FDefInActiveCaptionFont.SetColor(clBtnShadow);
}

const PropertyTable& TSkinForm::Properties() const {
  using F = TSkinForm;
  static const PropertyTable table(
      &TComponent::Properties(),
      {
          props::Ref("SkinData", &F::SetSkinData),
          props::Ref("TrayIcon", &F::SetTrayIcon),
          props::Set("BorderIcons", &F::SetBorderIcons, kSkinBorderIcons),
          props::Nested("DefCaptionFont", &F::DefCaptionFont),
          props::Nested("DefInActiveCaptionFont", &F::DefInActiveCaptionFont),
          props::Nested("DefMenuItemFont", &F::DefMenuItemFont),
          props::Bool("AlwaysShowInTray", &F::SetAlwaysShowInTray),
          props::Bool("LogoBitMapTransparent", &F::SetLogoBitMapTransparent),
          props::Bool("AlwaysMinimizeToTray", &F::SetAlwaysMinimizeToTray),
          props::Bool("UseSkinFontInMenu", &F::SetUseSkinFontInMenu),
          props::Bool("ShowIcon", &F::SetShowIcon),
          props::Bool("MaximizeOnFullScreen", &F::SetMaximizeOnFullScreen),
          props::Bool("AlphaBlend", &F::SetAlphaBlend),
          props::Bool("AlphaBlendAnimation", &F::SetAlphaBlendAnimation),
          props::Int("AlphaBlendValue", &F::SetAlphaBlendValue),
          props::Bool("ShowObjectHint", &F::SetShowObjectHint),
          props::Bool("MenusAlphaBlend", &F::SetMenusAlphaBlend),
          props::Bool("MenusAlphaBlendAnimation", &F::SetMenusAlphaBlendAnimation),
          props::Int("MenusAlphaBlendValue", &F::SetMenusAlphaBlendValue),
          props::Int("DefMenuItemHeight", &F::SetDefMenuItemHeight),
          props::Bool("UseDefaultSysMenu", &F::SetUseDefaultSysMenu),
          props::Int("MinHeight", &F::SetMinHeight),
          props::Int("MinWidth", &F::SetMinWidth),
          props::Bool("Magnetic", &F::SetMagnetic),
          props::Int("MagneticSize", &F::SetMagneticSize),
      });
  return table;
}

void TSkinForm::SetTrayIcon(TTrayIcon* value) {
  if (!FTrayIcon.Set(*this, value) || !value) return;
  if (!FAlwaysShowInTray) value->SetIconVisible(false);
  value->SetMinimizeToTray(false);
  if (!value->PopupMenu()) value->SetOnDblClick([this](TObject*) { RestoreFormFromTray(); });
}

void TSkinForm::RestoreFormFromTray() {
  if (TTrayIcon* tray = FTrayIcon.Get()) tray->RestoreMainWindow();
}

void TSkinForm::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  FSkinData.Notify(component, operation);
  FTrayIcon.Notify(component, operation);
}
