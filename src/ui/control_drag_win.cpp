// Drag and drop between the program's controls: the control being dragged
// holds the mouse and feeds the one drag session; the targets are the
// controls of the program's forms under the pointer.
#include <windowsx.h>

#include <array>
#include <optional>

#include "ui/control_win.h"
#include "ui/dock_outline_win.h"
#include "ui/system/cursors_win.h"
#include "ui/form_win.h"
#include "persist/properties.h"

namespace {

// One mouse, one drag: whose it is, and where on it the press was.
DragSession gDrag;
TWinControl* gDragControl = nullptr;
TPoint gGrab;
// Made on a dock drag's first outline and gone with the drag.
std::optional<TDockOutline> gOutline;

TWinControl* ControlWithHandle(TWinControl& root, HWND window) {
  if (root.HandleAllocated() && root.Handle() == window) return &root;
  for (TWinControl* c : root.Controls())
    if (TWinControl* found = ControlWithHandle(*c, window)) return found;
  return nullptr;
}

// The program's control that owns `window`, or the nearest one it lies in.
TWinControl* ControlOfWindow(HWND window) {
  for (; window; window = GetParent(window))
    for (TForm* form : AllForms())
      if (TWinControl* found = ControlWithHandle(*form, window)) return found;
  return nullptr;
}

bool IsInside(const TWinControl* control, const TWinControl* outer) {
  for (; control; control = control->Parent())
    if (control == outer) return true;
  return false;
}

POINT ClientPoint(const TWinControl& control, POINT screen) {
  ScreenToClient(control.Handle(), &screen);
  return screen;
}

}  // namespace

bool TWinControl::Dragging() const { return gDragControl == this; }

void TWinControl::SetDockSite(bool value) {
  if (value == FDockSite) return;
  FDockSite = value;
  AlignControls();
}

void TWinControl::BeginDrag(bool immediate, int threshold) {
  POINT cursor;
  GetCursorPos(&cursor);
  StartDrag(immediate, threshold, cursor);
}

void TWinControl::StartDrag(bool immediate, int threshold, POINT screen) {
  if (gDragControl || !HandleAllocated()) return;
  if (threshold < 0) threshold = GetSystemMetrics(SM_CXDRAG);
  // The drag takes the mouse: a press the control was following ends undone.
  if (MouseCaptured()) {
    EndMouseCapture();
    MouseCaptureLost();
  }
  const POINT grab = ClientPoint(*this, screen);
  gGrab = {grab.x, grab.y};
  gDragControl = this;
  gDrag.Begin(this, {screen.x, screen.y}, immediate, threshold);
  FDragCapture.Begin(Handle());
  DoStartDrag();
  if (Dragging()) DragMoved(screen);
}

void TWinControl::EndDrag(bool drop) {
  if (Dragging()) FinishDrag(drop);
}

bool TWinControl::CancelDrag() {
  if (!gDragControl) return false;
  gDragControl->FinishDrag(false);
  return true;
}

bool TWinControl::DragMessage(UINT message, LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_MOUSEMOVE:
      ClientToScreen(Handle(), &at);
      DragMoved(at);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      ClientToScreen(Handle(), &at);
      DragMoved(at);
      if (Dragging()) FinishDrag(true);
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      return true;  // the drag holds the mouse until its button comes up
    default:
      return false;
  }
}

void TWinControl::DragMoved(POINT screen) {
  TWinControl* target = DragTargetAt(screen);
  const POINT at = target ? ClientPoint(*target, screen) : POINT{};
  const bool accepted = gDrag.Move({screen.x, screen.y}, target, {at.x, at.y});
  if (!Dragging() || !gDrag.Live()) return;
  ::SetCursor(CursorHandle(accepted ? FDragCursor : crNoDrop));
  if (FDragKind == TDragKind::dkDock) ShowDockOutline(accepted, screen);
}

// Where a site takes the dock, the outline shows the place the control would have.
void TWinControl::ShowDockOutline(bool accepted, POINT screen) {
  if (!accepted) {
    if (gOutline) gOutline->Hide();
    return;
  }
  RECT own;
  GetWindowRect(Handle(), &own);
  const LONG left = screen.x - gGrab.X, top = screen.y - gGrab.Y;
  if (!gOutline) gOutline.emplace();
  gOutline->Show(RECT{left, top, left + own.right - own.left, top + own.bottom - own.top});
}

TWinControl* TWinControl::DragTargetAt(POINT screen) {
  TWinControl* control = ControlOfWindow(WindowFromPoint(screen));
  if (FDragKind == TDragKind::dkDock)
    while (control && (IsInside(control, this) || !control->TakesDockAt(this, screen))) control = control->FParent;
  return control;
}

// A dock site answers for its own screen area unless its OnGetSiteInfo says
// otherwise, or that it takes no dock at all.
bool TWinControl::TakesDockAt(TWinControl* client, POINT screen) {
  if (!FDockSite) return false;
  RECT bounds;
  GetWindowRect(Handle(), &bounds);
  TRect influence{bounds.left, bounds.top, bounds.right, bounds.bottom};
  bool canDock = true;
  if (FOnGetSiteInfo) FOnGetSiteInfo(this, client, influence, {screen.x, screen.y}, canDock);
  return canDock && influence.Contains({screen.x, screen.y});
}

void TWinControl::FinishDrag(bool drop) {
  gDragControl = nullptr;
  gOutline.reset();
  FDragCapture.End();
  ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));  // the pointer's own cursor comes back with its next move
  DragSession::Ending end;
  try {
    end = gDrag.End(drop);
  } catch (...) {
    DoEndDrag(nullptr, 0, 0);
    throw;
  }
  DoEndDrag(end.Target ? static_cast<TWinControl*>(end.Target) : nullptr, end.At.X, end.At.Y);
}

bool TWinControl::DragTargetOver(TObject* source, TPoint at, TDragState state) {
  auto* control = dynamic_cast<TWinControl*>(source);
  if (!control || control->FDragKind != TDragKind::dkDock) return DragOver(source, at.X, at.Y, state);
  // A site takes a dock unless its handler says no.
  bool accept = FDockSite;
  if (accept && FOnDockOver) FOnDockOver(this, source, at.X, at.Y, state, accept);
  return accept;
}

bool TWinControl::DragTargetDrop(TObject* source, TPoint at) {
  auto* control = dynamic_cast<TWinControl*>(source);
  if (control && control->FDragKind == TDragKind::dkDock) {
    if (!control->DockInto(this, at)) return false;
    if (FOnDockDrop) FOnDockDrop(this, source, at.X, at.Y);
  } else {
    DragDrop(source, at.X, at.Y);
  }
  return true;
}

// Docked where its outline was dragged to: the point it was held by stays
// under the pointer. Moving within its site is no undocking.
bool TWinControl::DockInto(TWinControl* site, TPoint at) {
  TWinControl* left = FParent;
  if (left && left != site && left->FDockSite && left->FOnUnDock) {
    bool allow = true;
    left->FOnUnDock(left, this, site, allow);
    if (!allow) return false;
  }
  SetParent(site);
  SetBounds(at.X - gGrab.X, at.Y - gGrab.Y, Width(), Height());
  return true;
}

void TWinControl::DoStartDrag() {
  TNotifyEvent& handler = FDragKind == TDragKind::dkDock ? FOnStartDock : FOnStartDrag;
  if (handler) handler(this);
}

bool TWinControl::DragOver(TObject* source, int x, int y, TDragState state) {
  bool accept = static_cast<bool>(FOnDragOver);
  if (accept) FOnDragOver(this, source, x, y, state, accept);
  return accept;
}

void TWinControl::DragDrop(TObject* source, int x, int y) {
  if (FOnDragDrop) FOnDragDrop(this, source, x, y);
}

void TWinControl::DoEndDrag(TObject* target, int x, int y) {
  TEndDragEvent& handler = FDragKind == TDragKind::dkDock ? FOnEndDock : FOnEndDrag;
  if (handler) handler(this, target, x, y);
}

void TWinControl::ForgetDrag() {
  gDrag.Forget(this);
  if (gDragControl != this) return;
  // The control goes with its drag: nothing of it is told any more.
  gDragControl = nullptr;
  gDrag = DragSession{};
  gOutline.reset();
  FDragCapture.End();
}

namespace control_props {
namespace {
constexpr std::array<std::pair<std::string_view, TDragKind>, 2> kDragKinds{{
    {"dkDrag", TDragKind::dkDrag}, {"dkDock", TDragKind::dkDock}}};
constexpr std::array<std::pair<std::string_view, TDragMode>, 2> kDragModes{{
    {"dmManual", TDragMode::dmManual}, {"dmAutomatic", TDragMode::dmAutomatic}}};
}  // namespace
using C = TWinControl;
PropertyDef DragCursor() { return props::IntOrIdent("DragCursor", &C::SetDragCursor, &C::DragCursor, CursorIdents()); }
PropertyDef DragKind() { return props::Enum("DragKind", &C::SetDragKind, &C::DragKind, IdentMap<TDragKind>(kDragKinds)); }
PropertyDef DragMode() { return props::Enum("DragMode", &C::SetDragMode, &C::DragMode, IdentMap<TDragMode>(kDragModes)); }
PropertyDef OnStartDrag() { return props::Event("OnStartDrag", &C::SetOnStartDrag); }
PropertyDef OnDragOver() { return props::Event("OnDragOver", &C::SetOnDragOver); }
PropertyDef OnDragDrop() { return props::Event("OnDragDrop", &C::SetOnDragDrop); }
PropertyDef OnEndDrag() { return props::Event("OnEndDrag", &C::SetOnEndDrag); }
PropertyDef OnStartDock() { return props::Event("OnStartDock", &C::SetOnStartDock); }
PropertyDef OnEndDock() { return props::Event("OnEndDock", &C::SetOnEndDock); }
PropertyDef DockSite() { return props::Bool("DockSite", &C::SetDockSite, &C::DockSite); }
PropertyDef OnGetSiteInfo() { return props::Event("OnGetSiteInfo", &C::SetOnGetSiteInfo); }
PropertyDef OnDockOver() { return props::Event("OnDockOver", &C::SetOnDockOver); }
PropertyDef OnDockDrop() { return props::Event("OnDockDrop", &C::SetOnDockDrop); }
PropertyDef OnUnDock() { return props::Event("OnUnDock", &C::SetOnUnDock); }
}  // namespace control_props
