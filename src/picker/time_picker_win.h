#pragma once
// The clock-face time picker. For now it shows its time as text and steps
// it with the keyboard; the face itself is drawn by a later change.
#include "framework/control_win.h"
#include "framework/date_time.h"
#include "panel/frame_style.h"
#include "picker/clock_face_colors.h"
#include "picker/picker_math.h"

class TTimePicker : public TWinControl {
 public:
  explicit TTimePicker(TComponent* owner);
  std::string_view ClassName() const override { return "TTimePicker"; }
  const PropertyTable& Properties() const override;

  TDateTime Time() const { return FValue.Time(); }
  // Keeps only the time of day, as a whole minute; fires OnChange when it changed.
  void SetTime(TDateTime value);
  bool IsPM() const { return FValue.IsPM(); }
  void StepHours(int hours);
  void StepMinutes(int minutes);

  TClockFaceColors& ClockFaceColors() { return FClockFaceColors; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  void SetOnSetTime(TNotifyEvent handler) { FOnSetTime = std::move(handler); }
  void SetOnSetBtnClick(TNotifyEvent handler) { FOnSetBtnClick = std::move(handler); }

  // Stored values kept for the face drawing to come.
  void SetFormat(const std::string& value) { Store(FFormat, value); }
  void SetCaptionAM(const std::string& value) { Store(FCaptionAM, value); }
  void SetCaptionPM(const std::string& value) { Store(FCaptionPM, value); }
  void SetCaptionSet(const std::string& value) { Store(FCaptionSet, value); }
  void SetHowToUseMsg(const std::string& value) { FHowToUseMsg = value; }
  void SetRestrictMinutes(bool value) { FRestrictMinutes = value; }
  void SetShowHowToUseHint(bool value) { FShowHowToUseHint = value; }
  void SetShowSetButton(bool value) { Store(FShowSetButton, value); }
  void SetBorderOuter(TFrameStyleEx value) { Store(FBorderOuter, value); }
  void SetBorderInner(TFrameStyleEx value) { Store(FBorderInner, value); }
  void SetBorderSides(uint32_t value) { Store(FBorderSides, value); }
  void SetBorderColor(TColor value) { Store(FBorderColor, value); }
  void SetBorderHighlight(TColor value) { Store(FBorderHighlight, value); }
  void SetBorderShadow(TColor value) { Store(FBorderShadow, value); }
  void SetBorderWidth(int value) { Store(FBorderWidth, value); }
  void SetBevelWidth(int value) { Store(FBevelWidth, value); }
  void SetFlatColor(TColor value) { Store(FFlatColor, value); }
  void SetFlatColorAdjustment(int value) { Store(FFlatColorAdjustment, value); }
  TFrameStyleEx BorderOuter() const { return FBorderOuter; }
  TColor BorderShadow() const { return FBorderShadow; }
  TColor FlatColor() const { return FFlatColor; }

  // The time as the strip shows it: "h:mm AM".
  std::string TimeText() const;

 protected:
  void Paint(TCanvas& canvas) override;
  void KeyDown(WORD& key, uint32_t shift) override;
  UINT DialogCode() const override { return DLGC_WANTARROWS; }
  virtual void Change();

 private:
  template <class T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }

  // After a change the value accepted: OnChange, then a repaint whatever it did.
  void Accepted(bool changed);

  PickerTime FValue;
  TClockFaceColors FClockFaceColors;
  TNotifyEvent FOnChange, FOnSetTime, FOnSetBtnClick;
  std::string FFormat, FCaptionAM, FCaptionPM, FCaptionSet, FHowToUseMsg;
  bool FRestrictMinutes = false;
  bool FShowHowToUseHint = true;
  bool FShowSetButton = false;
  TFrameStyleEx FBorderOuter = TFrameStyleEx::fsLowered;
  TFrameStyleEx FBorderInner = TFrameStyleEx::fsNone;
  uint32_t FBorderSides = kAllSides;
  TColor FBorderColor = clBtnFace;
  TColor FBorderHighlight = clBtnHighlight;
  TColor FBorderShadow = clBtnShadow;
  int FBorderWidth = 0;
  int FBevelWidth = 1;
  TColor FFlatColor = clBtnShadow;
  int FFlatColorAdjustment = 0;
};
