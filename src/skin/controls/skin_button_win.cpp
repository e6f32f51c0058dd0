#include "skin/controls/skin_button_win.h"

#include <windowsx.h>

#include "ui/canvas_win.h"
#include "persist/properties.h"

TSkinButton::TSkinButton(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

const PropertyTable& TSkinButton::Properties() const {
  using B = TSkinButton;
  static const PropertyTable table(&TWinControl::Properties(),
                                   {
                                       props::Ref("SkinData", &B::SetSkinData),
                                       props::String("SkinDataName", &B::SetSkinDataName),
                                       props::Nested("DefaultFont", &B::DefaultFont),
                                       props::Int("DefaultWidth", &B::SetDefaultWidth),
                                       props::Int("DefaultHeight", &B::SetDefaultHeight),
                                       props::Bool("UseSkinFont", &B::SetUseSkinFont),
                                       props::Bool("RepeatMode", &B::SetRepeatMode),
                                       props::Int("RepeatInterval", &B::SetRepeatInterval),
                                       props::Bool("AllowAllUp", &B::SetAllowAllUp),
                                       props::Bool("CanFocused", &B::SetCanFocused),
                                       props::Bool("Down", &B::SetDown),
                                       props::Int("GroupIndex", &B::SetGroupIndex),
                                       props::Int("NumGlyphs", &B::SetNumGlyphs),
                                       props::Int("Spacing", &B::SetSpacing),
                                       props::Event("OnClick", &B::SetOnClick),
                                   });
  return table;
}

void TSkinButton::Click() {
  if (FOnClick) FOnClick(this);
}

void TSkinButton::SetDown(bool value) {
  if (value == FDown) return;
  FDown = value;
  Invalidate();
}

void TSkinButton::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  FSkinData.Notify(component, operation);
}

bool TSkinButton::PointerInside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

void TSkinButton::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  bool pushed = FDown || (FPressed && FPointerIn);
  DrawFrameControl(canvas.Handle(), &r, DFC_BUTTON,
                   DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (Enabled() ? 0 : DFCS_INACTIVE));
  RECT text = r;
  if (pushed) OffsetRect(&text, 1, 1);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Font().Assign(Font());
  if (Enabled()) {
    canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  } else {
    // The classic engraved look of a disabled caption.
    OffsetRect(&text, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    OffsetRect(&text, -1, -1);
    canvas.Font().SetColor(clGrayText);
    canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (Focused()) {
    InflateRect(&r, -4, -4);
    DrawFocusRect(canvas.Handle(), &r);
  }
}

void TSkinButton::KeyDown(WORD& key, uint32_t) {
  if (key == VK_SPACE || key == VK_RETURN) {
    key = 0;
    Click();
  }
}

void TSkinButton::MouseDown(int button, uint32_t, int, int) {
  if (button != mbLeft) return;
  FPressed = FPointerIn = true;
  BeginMouseCapture();
  Invalidate();
}

void TSkinButton::MouseUp(int button, uint32_t, int x, int y) {
  if (button != mbLeft || !FPressed) return;
  FPressed = false;
  EndMouseCapture();
  Invalidate();
  if (PointerInside(x, y)) Click();
}

void TSkinButton::MouseCaptureLost() {
  FPressed = false;
  Invalidate();
}

LRESULT TSkinButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (FPressed) {
        bool inside = PointerInside(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (inside != FPointerIn) {
          FPointerIn = inside;
          Invalidate();
        }
      }
      break;
    case WM_CHAR:
      if (wParam == ' ' || wParam == '\r') return 0;  // handled on key down
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
