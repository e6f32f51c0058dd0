#pragma once
// The clock-face time picker on its bordered panel: the left button turns
// the hour hand, the right button the minute hand (Ctrl for 5-minute
// steps), Page Up/Down and Up/Down step the time, the AM and PM items pick
// the half of the day. It always holds a whole minute.
#include <memory>

#include "base/date_time.h"
#include "ui/hint_window_win.h"
#include "panel/bordered_panel_win.h"
#include "picker/clock_face_colors.h"
#include "picker/picker_input.h"
#include "picker/picker_math.h"
#include "picker/radio_glyphs_win.h"
#include "ui/accessible_win.h"
#include "ui/graphics/bitmap_win.h"

class TTimer;

class TTimePicker : public TBorderedPanel, private AccessibleSource {
 public:
  explicit TTimePicker(TComponent* owner);
  ~TTimePicker() override;
  std::string_view ClassName() const override { return "TTimePicker"; }
  const PropertyTable& Properties() const override;

  TDateTime Time() const { return FValue.Time(); }
  // Keeps only the time of day, as a whole minute; fires OnChange when accepted.
  void SetTime(TDateTime value);
  bool IsPM() const { return FValue.IsPM(); }
  void StepHours(int hours);
  void StepMinutes(int minutes);

  TClockFaceColors& ClockFaceColors() { return FClockFaceColors; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  void SetOnSetTime(TNotifyEvent handler) { FOnSetTime = std::move(handler); }
  void SetOnSetBtnClick(TNotifyEvent handler) { FOnSetBtnClick = std::move(handler); }

  const std::string& Format() const { return FFormat; }
  void SetFormat(const std::string& value) { Store(FFormat, value); }
  const std::string& CaptionAM() const { return FOptions.CaptionAM; }
  void SetCaptionAM(const std::string& value) { StoreCaption(FOptions.CaptionAM, value); }
  const std::string& CaptionPM() const { return FOptions.CaptionPM; }
  void SetCaptionPM(const std::string& value) { StoreCaption(FOptions.CaptionPM, value); }
  const std::string& CaptionSet() const { return FOptions.CaptionSet; }
  void SetCaptionSet(const std::string& value) { StoreCaption(FOptions.CaptionSet, value); }
  const std::string& HowToUseMsg() const { return FHowToUseMsg; }
  void SetHowToUseMsg(const std::string& value) { FHowToUseMsg = value; }
  bool RestrictMinutes() const { return FOptions.RestrictMinutes; }
  void SetRestrictMinutes(bool value) { FOptions.RestrictMinutes = value; }
  bool ShowHowToUseHint() const { return FShowHowToUseHint; }
  void SetShowHowToUseHint(bool value) { FShowHowToUseHint = value; }
  bool ShowSetButton() const { return FOptions.ShowSetButton; }
  void SetShowSetButton(bool value) { Store(FOptions.ShowSetButton, value); }

  // The how-to-use hint, while shown (tests).
  const THintWindow* HowToUseHint() const { return FHintWindow.get(); }

  // The layout of the last paint.
  const PickerLayout& Layout() const { return FLayout; }
  // The time as the strip shows it, in Format ("h:mm AM" when empty).
  std::string TimeText() const;
  // Inside the frames too: the face and items are laid out there.
  RECT ClientRect() const override;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(TCanvas& canvas) override;
  void KeyDown(WORD& key, uint32_t shift) override;
  void MouseDown(int button, uint32_t shift, int x, int y) override;
  void MouseMove(uint32_t shift, int x, int y) override;
  void MouseUp(int button, uint32_t shift, int x, int y) override;
  void MouseCaptureLost() override;
  // The press takes the focus itself, whatever TabStop says.
  bool FocusesOnPress(int) const override { return false; }
  // The preferred size: AutoSize takes it, and it is the least size in any case.
  bool CanAutoSize(int& width, int& height) override;
  void ConstrainedResize(SizeLimits& limits) override;
  // Its client area already lies inside the frames.
  RECT AlignArea() const override { return ClientRect(); }
  UINT DialogCode() const override { return DLGC_WANTARROWS; }
  bool HandleDialogChar(char16_t ch) override;
  void FontChanged() override;
  void EnabledChanged() override;
  void DoEnter() override;
  void DoExit() override;
  void HandleDestroyed() override;
  virtual void Change();
  virtual void SetBtnClick();
  void NotifyMouseEnter() override;
  void NotifyMouseLeave() override;

 private:
  // Everything the picture apart from the hands, the strip's text, the
  // AM/PM glyphs and a pressed Set button depends on.
  struct StaticLook;
  StaticLook CurrentLook() const;

  void Accepted(bool changed);
  void Perform(const PickerEffects& effects);
  void StoreCaption(std::string& caption, const std::string& value);
  // Measures "0" in the font and applies the minimum size that follows.
  void UpdateMetrics();
  void UpdateLayout(TCanvas& canvas);
  // A length of the 96-DPI layout at the control's density.
  int Scaled(int length) const;
  // The frame, strip, face with numerals and ticks, separator, captions and
  // the Set button at rest: drawn once into FStaticImage until they change.
  void PaintStatic(TCanvas& canvas, const RECT& client);
  void DrawClockFace(TCanvas& canvas);
  void DrawHands(TCanvas& canvas);
  void DrawRadioGlyph(TCanvas& canvas, const TRect& item, bool checked);
  void DrawSetButton(TCanvas& canvas, bool pressed);
  bool InClock(int x, int y) const;
  void SetTimeDone();
  const std::string& CaptionOr(const std::string& caption, const std::string& builtIn) const;
  void UpdateHowToUseHint(int x, int y);
  void HideHowToUseHint();
  void HintTimerFired();
  POINT CursorInClient() const;
  TAccessibleItem AccessibleItem(int32_t child) const override;
  void DoAccessibleAction(int32_t) override {}

  PickerTime FValue;
  int FCharWidth = 0, FCharHeight = 0;
  PickerLayout FLayout;
  PickerOptions FOptions;
  PickerInput FInput{FValue, FLayout, FOptions};
  TClockFaceColors FClockFaceColors;
  TNotifyEvent FOnChange, FOnSetTime, FOnSetBtnClick;
  std::string FFormat, FHowToUseMsg;
  bool FShowHowToUseHint = true;
  // Kept from the focus messages: asking the system at every paint costs
  // a round trip to the window server under Wine.
  bool FFocused = false;
  std::unique_ptr<StaticLook> FStaticLook;  // what FStaticImage shows; none before the first paint
  TBitmap FStaticImage;
  TRadioGlyphs FRadioGlyphs;
  std::unique_ptr<THintWindow> FHintWindow;
  TTimer* FHintTimer;  // owned as a component
  TAccessibleWindow FAccessible{*this};
};
