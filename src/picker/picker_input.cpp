#include "picker/picker_input.h"

#include "base/accelerator.h"

PickerInput::Target PickerInput::HitTest(PickerButton button, TPoint at) const {
  if (button == PickerButton::Left) {
    if (FLayout.AMRect.Contains(at)) return Target::AM;
    if (FLayout.PMRect.Contains(at)) return Target::PM;
    if (FOptions.ShowSetButton && FLayout.SetRect.Contains(at)) return Target::Set;
  }
  return OverFace(at) ? Target::Face : Target::None;
}

bool PickerInput::TurnHand(TPoint at, bool ctrl) {
  if (FButton == PickerButton::Left) return FTime.SetHour(HourFromPoint(FLayout, at.X, at.Y));
  return FTime.SetMinute(MinuteFromPoint(FLayout, at.X, at.Y, FOptions.RestrictMinutes || ctrl));
}

PickerEffects PickerInput::EndPress(bool giveMouseBack) {
  PickerEffects effects;
  effects.ReleaseMouse = giveMouseBack;
  effects.Repaint = FPressed == Target::Set;
  FPressed = Target::None;
  return effects;
}

PickerEffects PickerInput::MouseDown(PickerButton button, TPoint at, PickerMouseKeys keys) {
  PickerEffects effects;
  if (FPressed != Target::None) return effects;
  FPressed = HitTest(button, at);
  if (FPressed == Target::None) return effects;
  FButton = button;
  effects.TakeMouse = true;
  effects.Repaint = FPressed == Target::Set;
  if (FPressed == Target::Face) effects.TimeAccepted = TurnHand(at, keys.Ctrl);
  return effects;
}

PickerEffects PickerInput::MouseMove(TPoint at, PickerMouseKeys keys) {
  if (FPressed == Target::None) return {};
  if (!(FButton == PickerButton::Left ? keys.LeftHeld : keys.RightHeld)) return EndPress(true);
  PickerEffects effects;
  if (FPressed == Target::Face && OverFace(at)) effects.TimeAccepted = TurnHand(at, keys.Ctrl);
  return effects;
}

PickerEffects PickerInput::MouseUp(PickerButton button, TPoint at, PickerMouseKeys keys) {
  if (FPressed == Target::None || button != FButton) return {};
  Target pressed = FPressed;
  PickerEffects effects = EndPress(true);
  switch (pressed) {
    case Target::AM:
      if (FLayout.AMRect.Contains(at)) effects.TimeAccepted = FTime.SelectAM();
      break;
    case Target::PM:
      if (FLayout.PMRect.Contains(at)) effects.TimeAccepted = FTime.SelectPM();
      break;
    case Target::Set: effects.ClickSet = FLayout.SetRect.Contains(at); break;
    case Target::Face:
      if (OverFace(at)) {
        effects.TimeAccepted = TurnHand(at, keys.Ctrl);
        effects.SetTime = true;
      }
      break;
    case Target::None: break;
  }
  return effects;
}

PickerEffects PickerInput::CaptureLost() {
  if (FPressed == Target::None) return {};
  return EndPress(false);
}

PickerEffects PickerInput::KeyDown(PickerKey key) {
  PickerEffects effects;
  effects.Handled = true;
  switch (key) {
    case PickerKey::PageUp: effects.TimeAccepted = FTime.StepHours(1); break;
    case PickerKey::PageDown: effects.TimeAccepted = FTime.StepHours(-1); break;
    case PickerKey::Up: effects.TimeAccepted = FTime.StepMinutes(1); break;
    case PickerKey::Down: effects.TimeAccepted = FTime.StepMinutes(-1); break;
    case PickerKey::Enter:
      effects.ClickSet = FOptions.ShowSetButton;
      effects.Handled = FOptions.ShowSetButton;
      break;
    case PickerKey::Other: effects.Handled = false; break;
  }
  return effects;
}

PickerEffects PickerInput::Character(char16_t ch, bool enabled) {
  PickerEffects effects;
  if (!enabled) return effects;
  effects.Handled = true;
  if (IsAccelerator(ch, FOptions.CaptionAM))
    effects.TimeAccepted = FTime.SelectAM();
  else if (IsAccelerator(ch, FOptions.CaptionPM))
    effects.TimeAccepted = FTime.SelectPM();
  else if (FOptions.ShowSetButton && IsAccelerator(ch, FOptions.CaptionSet))
    effects.ClickSet = true;
  else
    effects.Handled = false;
  return effects;
}
