#include "skin/controls/button_behaviour.h"

#include <algorithm>

bool ButtonBehaviour::HoverChangesLook() const {
  if (Options.GroupIndex != 0) return !Down;
  return !FHost.Focused() || Down;
}

void ButtonBehaviour::Press() {
  PressedByMouse = true;
  if (!Down) {
    MouseInside = true;
    FHost.ApplyDown(true, true);
    if (Options.RepeatMode && Options.GroupIndex == 0)
      FHost.StartRepeat();
    else if (Options.GroupIndex != 0)
      FHost.PerformClick();
    FAlreadyDown = false;
  } else if (Options.GroupIndex != 0) {
    FAlreadyDown = true;
  }
}

void ButtonBehaviour::Release() {
  PressedByMouse = false;
  if (Options.GroupIndex == 0) {
    if (MouseInside) {
      FHost.ApplyDown(false, true);
      if (Options.RepeatMode && FHost.RepeatRunning()) FHost.StopRepeat();
      FHost.PerformClick();
    } else {
      // Released outside: no click, and the look already shows up.
      FHost.ApplyDown(false, false);
      FHost.StopRepeat();
    }
  } else if (Down && Options.AllowAllUp && FAlreadyDown && MouseInside) {
    FHost.ApplyDown(false, true);
    FHost.PerformClick();
  }
}

void ButtonBehaviour::CaptureLost() {
  PressedByMouse = false;
  MouseInside = false;
  if (Options.GroupIndex != 0) {
    FHost.Refresh();
    return;
  }
  FHost.StopRepeat();
  FHost.ApplyDown(false, true);
}

void ButtonBehaviour::Enter() {
  MouseInside = true;
  FHost.MouseEntered();
  if (HoverChangesLook()) {
    if (Down && FHost.Morphing()) MorphFactor = 1;
    FHost.Refresh();
  }
  if (Down && Options.RepeatMode && Options.GroupIndex == 0) FHost.StartRepeat();
}

void ButtonBehaviour::Leave() {
  FHost.MouseLeft();
  // The default button keeps its hot look while no other button has the focus.
  bool keepsHot = Options.CanFocused && Options.Default && ActsAsDefault && !FHost.Focused();
  if (!keepsHot) MouseInside = false;
  if (HoverChangesLook()) FHost.Refresh();
  if (Down && Options.RepeatMode && FHost.RepeatRunning() && Options.GroupIndex == 0) FHost.StopRepeat();
}

void ButtonBehaviour::KeyDown(ButtonKey key) {
  if (!Options.CanFocused) return;
  if (key == ButtonKey::Space) {
    FHost.ApplyDown(true, true);
    if (Options.RepeatMode) FHost.PerformClick();
  } else if (key == ButtonKey::Enter) {
    FHost.PerformClick();
  }
}

void ButtonBehaviour::KeyUp(ButtonKey key) {
  if (!Options.CanFocused || key != ButtonKey::Space) return;
  FHost.ApplyDown(false, true);
  FHost.PerformClick();
}

bool ButtonBehaviour::DefaultKey() {
  if (!ActsAsDefault || !FHost.Enabled()) return false;
  FHost.PerformClick();
  return true;
}

bool ButtonBehaviour::CancelKey(bool modifiers, bool canFocus) {
  if (!Options.Cancel || !Options.CanFocused || modifiers || !canFocus) return false;
  FHost.PerformClick();
  return true;
}

void ButtonBehaviour::FocusGained() {
  if (Options.CanFocused) FHost.Refresh();
}

void ButtonBehaviour::FocusLost() {
  if (Options.RepeatMode) FHost.StopRepeat();
  if (Options.GroupIndex == 0) FHost.ApplyDown(false, false);
  if (Options.CanFocused) FHost.Refresh();
}

void ButtonBehaviour::FocusMovedTo(bool toThisButton, bool toSkinButton) {
  ActsAsDefault = toSkinButton ? toThisButton : Options.Default;
  if (!Options.CanFocused || !Options.Default) return;
  if (toSkinButton && !toThisButton && MouseInside) {
    MouseInside = false;
    FHost.Refresh();
  } else if (!toSkinButton && !MouseInside) {
    MouseInside = true;
    if (FHost.Morphing()) MorphFactor = 1;
    FHost.Refresh();
  }
}

void ButtonBehaviour::DownChanged(bool down) {
  Down = down;
  if (down) MorphFactor = 1;
}

void ButtonBehaviour::EnabledChanged() {
  MorphFactor = 0;
  MouseInside = false;
  FHost.Refresh();
}

bool ButtonBehaviour::MorphTick() {
  // Tenths do not add up exactly, so the factor is kept inside 0..1; the
  // tick after an end is reached sets it exactly and ends the animation.
  if (Hot() && MorphFactor < 1) {
    MorphFactor = std::min(1.0, MorphFactor + 0.1);
    return true;
  }
  if (!Hot() && MorphFactor > 0) {
    MorphFactor = std::max(0.0, MorphFactor - 0.1);
    return true;
  }
  MorphFactor = Hot() ? 1 : 0;
  return false;
}

bool ShowsDownLook(const ButtonFaceState& s) {
  if (!s.Down) return false;
  if (s.GroupIndex != 0) return true;
  return s.MouseInside || (s.Focused && s.CanFocused && !s.PressedByMouse);
}

ButtonFaceChoice ChooseButtonFace(const ButtonFaceState& s) {
  if (s.Morphing && s.MorphFactor > 0 && s.MorphFactor < 1 && s.Enabled) return {ButtonFace::Morph, false, false};
  if (!s.Enabled && s.HasDisabledPicture) return {ButtonFace::Disabled, false, false};
  if (ShowsDownLook(s)) return {ButtonFace::Down, true, true};
  if ((s.Focused && s.CanFocused) || s.MouseInside) return {ButtonFace::Active, true, false};
  if (s.Morphing && s.MorphFactor >= 1) return {ButtonFace::Active, true, false};
  return {ButtonFace::Normal, false, false};
}

int ButtonGlyphCell(bool active, bool down, bool enabled, int numGlyphs) {
  if (down && active && numGlyphs > 2) return 3;
  if (active && numGlyphs > 3) return 4;
  if (!enabled && numGlyphs >= 2) return 2;
  return 1;
}

int32_t ButtonCaptionColor(const ButtonCaptionColors& colors, bool enabled, bool active, bool down) {
  if (!enabled) return colors.Disabled;
  if (active && down) return colors.Down;
  if (active) return colors.Active;
  return colors.Normal;
}
