#include "picker/time_picker_win.h"

#include <cmath>
#include <cstdio>

#include "framework/canvas_win.h"
#include "framework/properties.h"

TTimePicker::TTimePicker(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 160, 190);
  FClockFaceColors.OnChange = [this] { Invalidate(); };
}

const PropertyTable& TTimePicker::Properties() const {
  using P = TTimePicker;
  static const PropertyTable table(
      &TWinControl::Properties(),
      {
          props::Nested("ClockFaceColors", &P::ClockFaceColors),
          props::String("Format", &P::SetFormat),
          props::String("CaptionAM", &P::SetCaptionAM),
          props::String("CaptionPM", &P::SetCaptionPM),
          props::String("CaptionSet", &P::SetCaptionSet),
          props::String("HowToUseMsg", &P::SetHowToUseMsg),
          props::Bool("RestrictMinutes", &P::SetRestrictMinutes),
          props::Bool("ShowHowToUseHint", &P::SetShowHowToUseHint),
          props::Bool("ShowSetButton", &P::SetShowSetButton),
          props::Enum("BorderOuter", &P::SetBorderOuter, IdentMap<TFrameStyleEx>(kFrameStyleIdents)),
          props::Enum("BorderInner", &P::SetBorderInner, IdentMap<TFrameStyleEx>(kFrameStyleIdents)),
          props::Set("BorderSides", &P::SetBorderSides, kSideIdents),
          props::Color("BorderColor", &P::SetBorderColor),
          props::Color("BorderHighlight", &P::SetBorderHighlight),
          props::Color("BorderShadow", &P::SetBorderShadow),
          props::Int("BorderWidth", &P::SetBorderWidth),
          props::Int("BevelWidth", &P::SetBevelWidth),
          props::Color("FlatColor", &P::SetFlatColor),
          props::Int("FlatColorAdjustment", &P::SetFlatColorAdjustment),
          props::Event("OnChange", &P::SetOnChange),
          props::Event("OnSetTime", &P::SetOnSetTime),
          props::Event("OnSetBtnClick", &P::SetOnSetBtnClick),
      });
  return table;
}

void TTimePicker::SetTime(TDateTime value) { Accepted(FValue.SetTime(value)); }

void TTimePicker::StepHours(int hours) { Accepted(FValue.StepHours(hours)); }

void TTimePicker::StepMinutes(int minutes) { Accepted(FValue.StepMinutes(minutes)); }

void TTimePicker::Accepted(bool changed) {
  if (!changed) return;
  try {
    Change();
  } catch (...) {
    Invalidate();
    throw;
  }
  Invalidate();
}

void TTimePicker::Change() {
  if (FOnChange) FOnChange(this);
}

std::string TTimePicker::TimeText() const {
  long minutes = std::lround(FValue.Time() * 1440);
  int h = static_cast<int>(minutes / 60), m = static_cast<int>(minutes % 60);
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d %s", h % 12 == 0 ? 12 : h % 12, m, h >= 12 ? "PM" : "AM");
  return text;
}

void TTimePicker::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  canvas.Pen().SetColor(FFlatColor);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Rectangle(r);
  canvas.Font().SetColor(Enabled() ? FClockFaceColors.Hands() : clGrayText);
  canvas.DrawText(TimeText(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (Focused()) {
    InflateRect(&r, -3, -3);
    DrawFocusRect(canvas.Handle(), &r);
  }
}

void TTimePicker::KeyDown(WORD& key, uint32_t) {
  switch (key) {
    case VK_PRIOR: StepHours(1); break;
    case VK_NEXT: StepHours(-1); break;
    case VK_UP: StepMinutes(1); break;
    case VK_DOWN: StepMinutes(-1); break;
    default: return;
  }
  key = 0;
}
