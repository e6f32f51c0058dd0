#include "ui/drag_session.h"

#include <cstdlib>
#include <utility>

void DragSession::Begin(TObject* source, TPoint start, bool immediate, int threshold) {
  *this = DragSession{};
  FSource = source;
  FStart = start;
  FThreshold = threshold;
  FLive = immediate;
}

bool DragSession::Move(TPoint screen, DragTarget* target, TPoint at) {
  if (!FSource) return false;
  if (!FLive) {
    if (std::abs(screen.X - FStart.X) <= FThreshold && std::abs(screen.Y - FStart.Y) <= FThreshold) return false;
    FLive = true;
  }
  TObject* const source = FSource;
  const TDragState state = target == FTarget ? TDragState::dsDragMove : TDragState::dsDragEnter;
  if (state == TDragState::dsDragEnter) {
    DragTarget* left = std::exchange(FTarget, nullptr);
    FAccepted = false;
    if (left) left->DragTargetOver(source, FAt, TDragState::dsDragLeave);
    // A handler may have ended the drag meanwhile.
    if (FSource != source) return false;
    FTarget = target;
  }
  FAt = at;
  if (!target) return false;
  const bool accepted = target->DragTargetOver(source, at, state);
  if (FSource != source || FTarget != target) return false;
  FAccepted = accepted;
  return accepted;
}

DragSession::Ending DragSession::End(bool drop) {
  const DragSession ended = std::exchange(*this, DragSession{});
  if (!ended.FSource || !ended.FTarget) return {};
  // Until it leaves, the target may still change its mind.
  const bool accepted = ended.FTarget->DragTargetOver(ended.FSource, ended.FAt, TDragState::dsDragLeave);
  if (!drop || !accepted) return {};
  if (!ended.FTarget->DragTargetDrop(ended.FSource, ended.FAt)) return {};
  return {ended.FTarget, ended.FAt};
}

void DragSession::Forget(const DragTarget* target) {
  if (target != FTarget) return;
  FTarget = nullptr;
  FAccepted = false;
}
