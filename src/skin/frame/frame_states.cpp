#include "skin/frame/frame_states.h"

#include "skin/frame/layout/window_placement.h"

TStateChange TFrameStates::SetWindowState(TFrameState state, const TFrameSurroundings& around) {
  TStateChange change;
  if (state == FState) return change;
  switch (state) {
    case TFrameState::Minimized: {
      if (around.MainForm) {
        // The application hides the whole program; the frame's state stays as it was.
        change.Kind = TStateChange::TKind::MinimizeApplication;
        return change;
      }
      if (!FNormalBounds) FNormalBounds = around.Bounds;
      TPoint place = FreePlace(around.WorkArea, around.MinFrameWidth, around.MinFrameHeight, around.MinimizedOthers);
      change.Bounds = Bounds(place.X, place.Y, around.MinFrameWidth, around.MinFrameHeight);
      break;
    }
    case TFrameState::Maximized:
      if (!FNormalBounds) FNormalBounds = around.Bounds;
      change.Bounds = MaximizeRect(around.WorkArea, around.Monitor, around.FullScreen);
      break;
    case TFrameState::Normal:
      FRolledUpWhileMaximized = false;
      // Nothing saved (the state was never left through this frame): the bounds stay.
      change.Bounds = FNormalBounds.value_or(around.Bounds);
      change.Restored = true;
      FNormalBounds.reset();
      break;
  }
  FState = state;
  change.Kind = TStateChange::TKind::SetBounds;
  return change;
}

std::optional<int32_t> TFrameStates::RollUp(bool value, uint32_t borderIcons, int32_t height,
                                            int32_t minFrameHeight) {
  if (!(borderIcons & sbiRollUp) || FState == TFrameState::Minimized) return std::nullopt;
  if (FState == TFrameState::Maximized) {
    if (FRolledUp && !FRolledUpWhileMaximized) return std::nullopt;
    FRolledUpWhileMaximized = value;
  }
  if (value == FRolledUp) return std::nullopt;  // already there: the saved height must not be lost
  FRolledUp = value;
  if (value) {
    FHeightBeforeRollUp = height;
    return minFrameHeight;
  }
  return FHeightBeforeRollUp;
}

bool TFrameStates::RestoreUnrolls() const {
  return FRolledUp && (FRolledUpWhileMaximized || FState == TFrameState::Normal);
}

TFrameCommand CaptionDoubleClickCommand(const TFrameStates& states, bool sizeable, uint32_t borderIcons) {
  if (sizeable) {
    if (states.State() == TFrameState::Minimized) return TFrameCommand::Restore;
    if (states.State() != TFrameState::Maximized && !states.RolledUp() && (borderIcons & sbiMaximize))
      return TFrameCommand::Maximize;
    if (states.State() == TFrameState::Maximized && !states.RolledUpWhileMaximized()) return TFrameCommand::Restore;
  }
  return (borderIcons & sbiRollUp) && states.State() != TFrameState::Minimized ? TFrameCommand::RollUp
                                                                                : TFrameCommand::None;
}
