#include "skin/frame/skin_form_win.h"
#include "base/startup_phases.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/codecs/bmp_codec.h"
#include "persist/properties.h"
#include "skin/pixels/bmp_pixels.h"
#include "skin/controls/skin_control_win.h"
#include "skin/data/skin_notices.h"
#include "skin/frame/skin_frame_win.h"
#include "skin/frame/skin_hint_win.h"
#include "skin/frame/skin_popup_menu_win.h"
#include "skin/frame/system_menu_captions_win.h"
#include "ui/application_win.h"
#include "ui/system/display_dpi_win.h"
#include "ui/form_win.h"

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
  if (auto* form = dynamic_cast<TForm*>(owner)) {
    form->HandleNeeded();
    MarkStartupPhase("skin form: the form's windows made");
    // The frame carries out the window commands; the system offers none of its own.
    form->SetBorderIcons(0);
    FFrame = std::make_unique<TSkinFrame>(*this, *form);
    FHook = std::make_unique<TWindowProcHook>(
        form->Handle(), [this](UINT message, WPARAM wParam, LPARAM lParam) { return HookedWindowProc(message, wParam, lParam); });
  }
}

// The form gets its window procedure back before anything of the frame goes.
TSkinForm::~TSkinForm() {
  ReleaseTrayIcon(FTrayIcon.Get());
  FHook.reset();
  FFrame.reset();
}

void TSkinForm::SetSkinData(TSkinData* value) {
  FSkinData.Set(*this, value);
  if (!FFrame) return;
  // While the form loads, the skin's arrival shapes the frame (or Loaded
  // does, when none arrives): a frame fitted before would be thrown away.
  if (IsLoading())
    FFramePutOff = true;
  else
    FFrame->ApplySkin(value);
}

void TSkinForm::Loaded() {
  TComponent::Loaded();
  FollowFormDensity();
  if (std::exchange(FFramePutOff, false) && FFrame) FFrame->ApplySkin(SkinData());
}

// The skin is drawn for the density the form is laid out at (the form scales first, when loaded or moved).
void TSkinForm::FollowFormDensity() {
  auto* form = dynamic_cast<TForm*>(Owner());
  if (TSkinData* skin = SkinData(); skin && form) skin->SetPixelsPerInch(form->PixelsPerInch());
}

void TSkinForm::SetBorderIcons(uint32_t value) {
  FBorderIcons = value;
  if (FFrame && FFrame->SkinActive()) FFrame->ApplySkin(SkinData());
}

void TSkinForm::SetLogoBitMap(PixelImage logo) {
  FLogoBitMap = std::move(logo);
  if (auto* form = dynamic_cast<TForm*>(Owner()); form && form->HandleAllocated())
    InvalidateRect(form->Handle(), nullptr, TRUE);
}

void TSkinForm::SetLogoBitMapData(const std::vector<uint8_t>& data) {
  SetLogoBitMap(data.size() <= 4 ? PixelImage() : PixelImageFromBmp(DecodeBmp(std::span(data).subspan(4))));
}

void TSkinForm::SetLogoBitMapTransparent(bool v) {
  if (v == FLogoBitMapTransparent) return;
  FLogoBitMapTransparent = v;
  if (!FLogoBitMap.View().Empty()) SetLogoBitMap(std::move(FLogoBitMap));
}

void TSkinForm::SetShowIcon(bool v) {
  if (v == FShowIcon) return;
  FShowIcon = v;
  if (FFrame && FFrame->SkinActive()) FFrame->ApplyShowIcon();
}

void TSkinForm::SetAttachedItems(const std::string& objectName, TSkinPopupMenu* menu) {
  std::erase_if(FAttachedItems, [&](const auto& entry) { return entry.first == objectName; });
  if (menu) {
    FAttachedItems.emplace_back(objectName, ComponentRef<TSkinPopupMenu>());
    FAttachedItems.back().second.Set(*this, menu);
  }
  if (FFrame) FFrame->ApplyAttachedItems();
}

TSkinPopupMenu* TSkinForm::AttachedItems(const std::string& objectName) const {
  for (const auto& [name, menu] : FAttachedItems)
    if (name == objectName) return menu.Get();
  return nullptr;
}

void TSkinForm::SetSystemMenu(TSkinPopupMenu* value) { FSystemMenu.Set(*this, value); }

void TSkinForm::SetSkinHint(TSkinHint* value) {
  if (FSkinHint.Get() && FSkinHint.Get() != value) FSkinHint.Get()->HideHint();
  FSkinHint.Set(*this, value);
}

void TSkinForm::SetAlphaBlend(bool v) {
  FAlphaBlend = v;
  if (FFrame && !IsLoading()) FFrame->ApplyTranslucency();
}

void TSkinForm::SetAlphaBlendValue(int v) {
  FAlphaBlendValue = std::clamp(v, 0, 255);
  if (FFrame && FAlphaBlend && !IsLoading()) FFrame->ApplyTranslucency();
}

void TSkinForm::MinimizeFormToTray() {
  TTrayIcon* tray = FTrayIcon.Get();
  if (!tray || !Application) return;
  tray->SetMinimizeToTray(true);
  Application->Minimize();
  Raise(FOnMinimizeToTray);
}

LRESULT TSkinForm::HookedWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = dynamic_cast<TForm*>(Owner());
  auto* skin = reinterpret_cast<const TSkinData*>(wParam);
  if (form && message == SkinChangingMessage) {
    if (FFrame) FFrame->Menu().SkinChanging(skin);
    if (skin == SkinData() && FFrame) FFrame->ForgetSkin();
    ForEachSkinControl(*form, skin, [](TSkinControl& control) { control.ResetSkinSection(); });
  } else if (form && message == SkinChangedMessage) {
    if (skin == SkinData() && FFrame) {
      FFramePutOff = false;
      FFrame->ApplySkin(skin);
    }
    ForEachSkinControl(*form, skin, [](TSkinControl& control) { control.ApplySkin(); });
  }
  LRESULT result = 0;
  if (FFrame && FFrame->HandleMessage(message, wParam, lParam, result)) return result;
  result = FHook->CallPrevious(message, wParam, lParam);
  if (message == WM_DPICHANGED && form) {
    FollowFormDensity();
    // The new skin's frame resized the window about the client; the system's rectangle counts.
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(form->Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (FFrame) FFrame->AfterMessage(message, wParam, lParam);
  return result;
}

const PropertyTable& TSkinForm::Properties() const {
  using F = TSkinForm;
  static const PropertyTable table(
      &TComponent::Properties(),
      {
          props::Ref("SkinData", &F::SetSkinData, &F::SkinData),
          props::Ref("MenusSkinData", &F::SetMenusSkinData),
          props::Ref("TrayIcon", &F::SetTrayIcon),
          props::Set("BorderIcons", &F::SetBorderIcons, kSkinBorderIcons),
          props::Nested("DefCaptionFont", &F::DefCaptionFont),
          props::Nested("DefInActiveCaptionFont", &F::DefInActiveCaptionFont),
          props::Nested("DefMenuItemFont", &F::DefMenuItemFont),
          props::Bool("AlwaysShowInTray", &F::SetAlwaysShowInTray),
          props::Bool("LogoBitMapTransparent", &F::SetLogoBitMapTransparent),
          props::Binary("LogoBitMap.Data", &F::SetLogoBitMapData),
          props::Ref("SystemMenu", &F::SetSystemMenu),
          props::Ref("SkinHint", &F::SetSkinHint),
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
          props::Event("OnChangeSkinData", &F::SetOnChangeSkinData),
          props::Event("OnActivate", &F::SetOnActivate),
          props::Event("OnDeActivate", &F::SetOnDeActivate),
          props::Event("OnMouseDownEvent", &F::SetOnMouseDownEvent),
          props::Event("OnMouseUpEvent", &F::SetOnMouseUpEvent),
          props::Event("OnMouseMoveEvent", &F::SetOnMouseMoveEvent),
          props::Event("OnMouseEnterEvent", &F::SetOnMouseEnterEvent),
          props::Event("OnMouseLeaveEvent", &F::SetOnMouseLeaveEvent),
          props::Event("OnPaintEvent", &F::SetOnPaintEvent),
          props::Event("OnSkinMenuOpen", &F::SetOnSkinMenuOpen),
          props::Event("OnSkinMenuClose", &F::SetOnSkinMenuClose),
          props::Event("OnMinimizeToTray", &F::SetOnMinimizeToTray),
          props::Event("OnRestoreFromTray", &F::SetOnRestoreFromTray),
          props::Event("OnChangeRollUpState", &F::SetOnChangeRollUpState),
      });
  return table;
}

void TSkinForm::SetTrayIcon(TTrayIcon* value) {
  TTrayIcon* previous = FTrayIcon.Get();
  if (!FTrayIcon.Set(*this, value)) return;
  ReleaseTrayIcon(previous);
  if (!value) return;
  if (!FAlwaysShowInTray) value->SetIconVisible(false);
  value->SetMinimizeToTray(false);
  if (value->PopupMenu()) return;
  if (!FTrayPopup) {
    FTrayPopup = new TSkinPopupMenu(this);
    FTrayPopup->Items = TrayPopupItems(false, ProgramMenuCaptions());
    FTrayPopup->OnCommand = [this](const TMenuItem& item) {
      if (FFrame) FFrame->RunMenuCommand(FrameCommandOf(item));
    };
  }
  value->SetPopupMenu(FTrayPopup);
  value->SetOnDblClick([this](TObject*) { RestoreFormFromTray(); });
  FGaveTrayDblClick = true;
}

void TSkinForm::ReleaseTrayIcon(TTrayIcon* tray) {
  // The handler we gave it calls back into this form.
  if (tray && std::exchange(FGaveTrayDblClick, false)) tray->SetOnDblClick(nullptr);
  if (tray && FTrayPopup && tray->PopupMenu() == FTrayPopup) tray->SetPopupMenu(nullptr);
}

void TSkinForm::RestoreFormFromTray() {
  TTrayIcon* tray = FTrayIcon.Get();
  if (!tray) return;
  tray->SetMinimizeToTray(false);
  tray->RestoreMainWindow();
  if (Application) Application->Restore();
  if (!FAlwaysShowInTray) tray->SetIconVisible(false);
  Raise(FOnRestoreFromTray);
}

void TSkinForm::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (FSkinData.Notify(component, operation) && FFrame) FFrame->ApplySkin(nullptr);
  FTrayIcon.Notify(component, operation);
  FMenusSkinData.Notify(component, operation);
  FSystemMenu.Notify(component, operation);
  FSkinHint.Notify(component, operation);
  for (auto& entry : FAttachedItems) entry.second.Notify(component, operation);
}
