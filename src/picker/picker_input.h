#pragma once
// The picker's mouse and keyboard rules, free of any window system: what a
// button pressed (an item or the face), the drag that turns a hand, the keys
// that step the time and the captions' accelerators. Each event changes the
// time it is given and answers what the control must do about it.
#include <string>

#include "base/geometry.h"
#include "picker/picker_math.h"

enum class PickerButton { Left, Right };
enum class PickerKey { PageUp, PageDown, Up, Down, Enter, Other };

// The buttons held and Ctrl, as a mouse message reports them.
struct PickerMouseKeys {
  bool LeftHeld = false;
  bool RightHeld = false;
  bool Ctrl = false;
};

// The stored settings the input rules read.
struct PickerOptions {
  bool ShowSetButton = false;
  bool RestrictMinutes = false;  // every drag in 5-minute steps, as if Ctrl were held
  // As stored: only these carry accelerators, not the built-in texts shown
  // in their place while empty.
  std::string CaptionAM, CaptionPM, CaptionSet;
};

// What the control does after an event, in this order.
struct PickerEffects {
  bool ReleaseMouse = false;
  bool TakeMouse = false;
  bool Repaint = false;       // the Set button's pressed look changed
  bool TimeAccepted = false;  // fire Change, then repaint
  bool SetTime = false;       // fire OnSetTime
  bool ClickSet = false;
  bool Handled = false;  // the key or character was the picker's
  bool operator==(const PickerEffects&) const = default;
};

class PickerInput {
 public:
  // All three are read at each event, so they follow the control's changes.
  PickerInput(PickerTime& time, const PickerLayout& layout, const PickerOptions& options)
      : FTime(time), FLayout(layout), FOptions(options) {}

  // The left button presses an item or turns the hour hand, the right one
  // turns the minute hand. A press lasts until its own button comes up;
  // the other button does nothing meanwhile.
  PickerEffects MouseDown(PickerButton button, TPoint at, PickerMouseKeys keys);
  // Drags the pressed hand while over the face. A move that no longer
  // holds the pressing button ends the press, as the release was missed.
  PickerEffects MouseMove(TPoint at, PickerMouseKeys keys);
  // An item acts when released over itself; the face sets its hand once
  // more and fires OnSetTime when released over it.
  PickerEffects MouseUp(PickerButton button, TPoint at, PickerMouseKeys keys);
  // Another window took the mouse: the press ends without acting.
  PickerEffects CaptureLost();

  PickerEffects KeyDown(PickerKey key);
  // Typed characters answer the stored captions' accelerators while enabled.
  PickerEffects Character(char16_t ch, bool enabled);

  bool SetPressed() const { return FPressed == Target::Set; }

 private:
  enum class Target { None, AM, PM, Set, Face };

  Target HitTest(PickerButton button, TPoint at) const;
  bool OverFace(TPoint at) const { return FLayout.ClockRect.Contains(at); }
  bool TurnHand(TPoint at, bool ctrl);
  PickerEffects EndPress(bool giveMouseBack);

  PickerTime& FTime;
  const PickerLayout& FLayout;
  const PickerOptions& FOptions;
  Target FPressed = Target::None;
  PickerButton FButton = PickerButton::Left;
};
