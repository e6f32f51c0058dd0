#pragma once
// Root of every framework object, so events can name their sender.
#include <cstdint>
#include <functional>

#include "base/geometry.h"

class TObject {
 public:
  virtual ~TObject() = default;
};

// An event that only tells who raised it.
using TNotifyEvent = std::function<void(TObject* sender)>;
// Mouse and key events: the button (mbLeft 0, mbRight 1, mbMiddle 2), the
// shift state bits and the position in the sender's client coordinates.
using TMouseEvent = std::function<void(TObject* sender, int button, uint32_t shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, uint32_t shift, int x, int y)>;
// A handler that sets the key to 0 takes it from the control.
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, uint32_t shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char16_t& key)>;
// A handler that sets `handled` keeps the control's popup menu from showing.
using TContextPopupEvent = std::function<void(TObject* sender, int x, int y, bool& handled)>;
using TCycleEvent = std::function<void(TObject* sender, int nextIndex)>;
// Drag and drop between controls: where the pointer stands to a target
// (it leaves it too when the drag ends there), whether the target takes the
// source there, the drop, and the end of the drag at its target (none: nil).
enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;
// Docking: a site asked whether it takes `dockClient` with the pointer at
// `mousePos` (screen), and the screen area it answers for; a site the client
// leaves for `newTarget`, which keeps it where `allow` is cleared.
using TGetSiteInfoEvent = std::function<void(TObject* sender, TObject* dockClient, TRect& influenceRect,
                                             TPoint mousePos, bool& canDock)>;
using TUnDockEvent = std::function<void(TObject* sender, TObject* client, TObject* newTarget, bool& allow)>;
