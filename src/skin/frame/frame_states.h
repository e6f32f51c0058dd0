#pragma once
// The frame's own window states (normal, minimized, maximized) and its
// roll-up state: what each command changes and which bounds the window
// layer must then give the form. The window layer reports the form's
// surroundings and carries the answers out.
#include <cstdint>
#include <optional>
#include <span>

#include "base/geometry.h"
#include "skin/frame/system_menu_items.h"

enum class TFrameState : uint8_t { Normal, Minimized, Maximized };

// What the window layer knows about the form when a command runs.
struct TFrameSurroundings {
  TRect Bounds;             // the form's bounds now
  TRect WorkArea, Monitor;  // of the monitor that holds the form
  bool FullScreen = false;  // maximize over the whole monitor
  bool MainForm = false;    // the application's main form: minimizing minimizes the application
  int32_t MinFrameWidth = 0, MinFrameHeight = 0;
  std::span<const TPoint> MinimizedOthers;  // top-left corners of other minimized skinned forms
};

struct TStateChange {
  enum class TKind : uint8_t { None, MinimizeApplication, SetBounds };
  TKind Kind = TKind::None;
  TRect Bounds;
  // A restore: the pointer is watched again, the form repainted, and its
  // size nudged when the bounds kept it (the frame must still be rebuilt).
  bool Restored = false;
};

class TFrameStates {
 public:
  TFrameState State() const { return FState; }
  bool RolledUp() const { return FRolledUp; }
  bool RolledUpWhileMaximized() const { return FRolledUpWhileMaximized; }

  TStateChange SetWindowState(TFrameState state, const TFrameSurroundings& around);
  // The form's new height, or nothing when the roll-up does not apply.
  std::optional<int32_t> RollUp(bool value, uint32_t borderIcons, int32_t height, int32_t minFrameHeight);
  // The restore command unrolls instead of changing the window state.
  bool RestoreUnrolls() const;

 private:
  TFrameState FState = TFrameState::Normal;
  bool FRolledUp = false, FRolledUpWhileMaximized = false;
  std::optional<TRect> FNormalBounds;  // taken at the first minimize or maximize, dropped at restore
  int32_t FHeightBeforeRollUp = 0;
};

// The command a left double click on the caption runs: Restore, Maximize,
// RollUp (toggle), or None when it can do nothing.
TFrameCommand CaptionDoubleClickCommand(const TFrameStates& states, bool sizeable, uint32_t borderIcons);
