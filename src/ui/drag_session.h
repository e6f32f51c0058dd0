#pragma once
// One drag of a control between the program's controls: pending until the
// pointer moves far enough from the press, then live, telling each target it
// passes over whether it enters, moves over or leaves it, until the drag is
// dropped or cancelled. The window side finds the targets and feeds it.
#include "base/geometry.h"
#include "persist/object.h"

enum class TDragMode { dmManual, dmAutomatic };
enum class TDragKind { dkDrag, dkDock };

// A control a drag can be dropped on.
class DragTarget {
 public:
  // Whether the target takes `source` at `at`, in its own coordinates.
  virtual bool DragTargetOver(TObject* source, TPoint at, TDragState state) = 0;
  // The drop; false when the target turned it away after all.
  virtual bool DragTargetDrop(TObject* source, TPoint at) = 0;

 protected:
  ~DragTarget() = default;
};

class DragSession {
 public:
  // Starts dragging `source` pressed at `start` (screen). An immediate drag
  // is live at once, another once the pointer is more than `threshold`
  // pixels from `start` along either axis.
  void Begin(TObject* source, TPoint start, bool immediate, int threshold);
  bool Running() const { return FSource != nullptr; }
  bool Live() const { return FLive; }
  TObject* Source() const { return FSource; }

  // The pointer is at `screen`, over `target` (null where none is) at `at`
  // in the target's coordinates. True when the target takes the drag there.
  bool Move(TPoint screen, DragTarget* target, TPoint at);
  bool Accepted() const { return FAccepted; }

  struct Ending {
    DragTarget* Target = nullptr;  // null: dropped nowhere
    TPoint At{};                   // in the target's coordinates
  };
  // Ends the drag. The target hears it leave; the drop happens when `drop`
  // is asked and the target still takes the drag as it leaves. A drop the
  // target turns away ends nowhere. The session is over before any target
  // hears of it, whatever a target throws.
  Ending End(bool drop);

  // The target is going away: it hears nothing more.
  void Forget(const DragTarget* target);

 private:
  TObject* FSource = nullptr;
  TPoint FStart{};
  int FThreshold = 0;
  bool FLive = false;
  DragTarget* FTarget = nullptr;
  TPoint FAt{};
  bool FAccepted = false;
};
