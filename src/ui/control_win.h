#pragma once
// Windowed controls: a component with a window, bounds, alignment, font,
// colour, cursor, hint, tab order and double-buffered painting. The window is
// made when first needed; until then the properties are only kept.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/watchers.h"
#include "persist/component.h"
#include "ui/control_geometry.h"
#include "ui/drag_session.h"
#include "ui/graphics/font.h"
#include "ui/system/handles_win.h"
#include "ui/system/mouse_capture_win.h"
#include "ui/system/window_win.h"

class TCanvas;
struct PropertyDef;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Cursor numbers as forms store them.
constexpr int crDefault = 0;
constexpr int crArrow = -2;
constexpr int crIBeam = -4;
constexpr int crDrag = -12;
constexpr int crNoDrop = -13;
constexpr int crHandPoint = -21;

// Shift state bits for key and mouse handlers; ssDouble marks the second press of a double click.
enum TShiftState : uint32_t {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
uint32_t KeyboardShiftState();
// The shift state a mouse message carries in its key flags.
uint32_t MouseShiftState(WPARAM keys);

class TWinControl : public TComponent, public TWindowObject, private DragTarget {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const PropertyTable& Properties() const override;

  TWinControl* Parent() const { return FParent; }
  void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  const std::vector<TWinControl*>& Controls() const { return FControls; }
  // The density the control is drawn for: its form's.
  virtual int PixelsPerInch() const { return FParent ? FParent->PixelsPerInch() : 96; }

  int Left() const { return FBounds.left; }
  int Top() const { return FBounds.top; }
  int Width() const { return FBounds.right - FBounds.left; }
  int Height() const { return FBounds.bottom - FBounds.top; }
  RECT BoundsRect() const { return FBounds; }
  void SetLeft(int value) { SetBounds(value, Top(), Width(), Height()); }
  void SetTop(int value) { SetBounds(Left(), value, Width(), Height()); }
  void SetWidth(int value) { SetBounds(Left(), Top(), value, Height()); }
  void SetHeight(int value) { SetBounds(Left(), Top(), Width(), value); }
  virtual void SetBounds(int left, int top, int width, int height);
  // The client area in client coordinates.
  virtual RECT ClientRect() const;

  // Sides of the parent this control keeps its distance to (akLeft | akTop).
  uint32_t Anchors() const { return FAnchors; }
  void SetAnchors(uint32_t value);
  TSizeConstraints& Constraints() { return FConstraints; }
  // Sizes itself to what CanAutoSize answers, in the directions its
  // alignment leaves free, once it has a parent and is loaded.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  // Popped up at a right click (or the menu key) unless OnContextPopup takes it.
  TComponent* PopupMenu() const { return FPopupMenu.Get(); }
  void SetPopupMenu(TComponent* value) { FPopupMenu.Set(*this, value); }

  // The ordinary control events; each class publishes those it raises.
  void SetOnClick(TNotifyEvent handler) { FOnClick = std::move(handler); }
  void SetOnDblClick(TNotifyEvent handler) { FOnDblClick = std::move(handler); }
  void SetOnMouseDown(TMouseEvent handler) { FOnMouseDown = std::move(handler); }
  void SetOnMouseMove(TMouseMoveEvent handler) { FOnMouseMove = std::move(handler); }
  void SetOnMouseUp(TMouseEvent handler) { FOnMouseUp = std::move(handler); }
  void SetOnKeyDown(TKeyEvent handler) { FOnKeyDown = std::move(handler); }
  void SetOnKeyPress(TKeyPressEvent handler) { FOnKeyPress = std::move(handler); }
  void SetOnKeyUp(TKeyEvent handler) { FOnKeyUp = std::move(handler); }
  void SetOnEnter(TNotifyEvent handler) { FOnEnter = std::move(handler); }
  void SetOnExit(TNotifyEvent handler) { FOnExit = std::move(handler); }
  void SetOnResize(TNotifyEvent handler) { FOnResize = std::move(handler); }
  void SetOnContextPopup(TContextPopupEvent handler) { FOnContextPopup = std::move(handler); }

  // Drag and drop between the program's controls. An automatic control
  // starts a drag at a left press, which the drag then takes; a manual one
  // when the program calls BeginDrag. A drag shows DragCursor over a target
  // that takes it (crNoDrop elsewhere); Escape or a lost capture cancels it.
  // A dock drag moves the control into the DockSite control it is dropped
  // on: the nearest site under the pointer whose OnGetSiteInfo leaves it
  // able to dock there, with the pointer inside the area it answers for,
  // and whose OnDockOver takes it; an outline there shows where the control
  // would land. The site the control leaves hears OnUnDock first and may
  // keep it; the new site then hears OnDockDrop.
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode value) { FDragMode = value; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind value) { FDragKind = value; }
  int DragCursor() const { return FDragCursor; }
  void SetDragCursor(int value) { FDragCursor = value; }
  bool DockSite() const { return FDockSite; }
  void SetDockSite(bool value);
  // Starts dragging this control, live at once or once the pointer moves
  // more than `threshold` pixels (-1: the system's drag threshold).
  void BeginDrag(bool immediate, int threshold = -1);
  // Ends this control's drag, dropping it where the pointer is when `drop`.
  void EndDrag(bool drop);
  bool Dragging() const;
  // Ends the drag in progress without a drop; false when none runs.
  static bool CancelDrag();
  void SetOnStartDrag(TNotifyEvent handler) { FOnStartDrag = std::move(handler); }
  void SetOnDragOver(TDragOverEvent handler) { FOnDragOver = std::move(handler); }
  void SetOnDragDrop(TDragDropEvent handler) { FOnDragDrop = std::move(handler); }
  void SetOnEndDrag(TEndDragEvent handler) { FOnEndDrag = std::move(handler); }
  void SetOnStartDock(TNotifyEvent handler) { FOnStartDock = std::move(handler); }
  void SetOnEndDock(TEndDragEvent handler) { FOnEndDock = std::move(handler); }
  void SetOnGetSiteInfo(TGetSiteInfoEvent handler) { FOnGetSiteInfo = std::move(handler); }
  void SetOnDockOver(TDragOverEvent handler) { FOnDockOver = std::move(handler); }
  void SetOnDockDrop(TDragDropEvent handler) { FOnDockDrop = std::move(handler); }
  void SetOnUnDock(TUnDockEvent handler) { FOnUnDock = std::move(handler); }

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool value);
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);

  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  HFONT FontHandle();

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);
  // The colour the control shows: its parent's when ParentColor is set.
  TColor EffectiveColor() const;
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool value) { FCtl3D = value; }
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool value) { FParentCtl3D = value; }

  int Cursor() const { return FCursor; }
  void SetCursor(int value) { FCursor = value; }

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value);
  // ShowHint as it applies: the parent's when ParentShowHint is set.
  bool EffectiveShowHint() const;

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);

  // Offers a typed character as an accelerator to this control and then to
  // its children; true when one of them took it.
  bool DialogChar(char16_t ch);
  // Offers Enter or Escape, which the focused control did not ask for, to
  // this control and its children; true when one of them took it.
  bool DialogKey(WORD key, uint32_t shift);
  // The form's keyboard focus moved to `focused`; every control hears of it.
  void BroadcastFocusChange(TWinControl* focused);

  void HandleNeeded();
  bool Focused() const;
  bool CanFocus() const;
  void SetFocus();
  void Invalidate();
  void Update();

  void Loaded() override;

  // Paints `area` (client coordinates) with what the control shows behind
  // its own drawing, instead of its colour. Children that take their
  // parent's colour show the parent's background in their place, so a
  // picture behind them runs on unbroken.
  using TBackgroundPainter = std::function<void(HDC dc, const RECT& area)>;
  void SetBackgroundPainter(TBackgroundPainter painter);

  // Who hooks this control's window hears here of each window it gets: one
  // destroyed (as a change of parent does) is made again later, unhooked.
  int WatchHandle(std::function<void()> watcher);
  void UnwatchHandle(int id);
  // Counts the background painters set on any control: a picture kept over
  // what a parent shows is stale once this moves.
  static unsigned BackgroundPainterChanges();

 protected:
  virtual void CreateParams(WindowParams& params);
  virtual void CreateHandle();
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void HandleDestroyed() override;
  void Notification(TComponent* component, TOperation operation) override;

  // Paints the whole client area on an off-screen canvas filled with Color.
  virtual void Paint(TCanvas& canvas);
  // The standard handling of input: these raise the matching events, and an
  // override calls them where its own handling puts the event. A key handler
  // that clears the key takes it from the control.
  virtual void KeyDown(WORD& key, uint32_t shift);
  virtual void KeyUp(WORD& key, uint32_t shift);
  virtual void KeyPress(char16_t& key);
  virtual void MouseDown(int button, uint32_t shift, int x, int y);
  virtual void MouseMove(uint32_t shift, int x, int y);
  virtual void MouseUp(int button, uint32_t shift, int x, int y);
  virtual void Click();
  virtual void DblClick();
  virtual void Resize();
  // A release of the left button inside the control after a press on it is a click.
  void SetClickEvents(bool value) { FClickEvents = value; }
  // Whether a press of this mouse button moves the focus here.
  virtual bool FocusesOnPress(int) const { return true; }
  // The size AutoSize takes; false when the control has none.
  virtual bool CanAutoSize(int&, int&) { return false; }
  // Narrows the limits of the size (0 is none) beyond the stored constraints.
  virtual void ConstrainedResize(SizeLimits&) {}
  // The area aligned children fill; the client area unless a class frames it.
  virtual RECT AlignArea() const { return ClientRect(); }
  // The caption changed.
  virtual void TextChanged() { Invalidate(); }
  virtual UINT DialogCode() const { return 0; }
  virtual bool HandleDialogChar(char16_t) { return false; }
  virtual bool HandleDialogKey(WORD, uint32_t) { return false; }
  virtual void FocusChanged(TWinControl*) {}
  virtual void DoEnter();
  virtual void DoExit();
  virtual void FontChanged();
  // A control inside this one took the keyboard focus; forms remember it.
  virtual void ChildFocused(TWinControl* control);
  virtual void EnabledChanged() { Invalidate(); }
  // A drag holds the mouse from BeginMouseCapture to EndMouseCapture; when
  // the system takes it away first, MouseCaptureLost ends the drag instead.
  void BeginMouseCapture() { FCapture.Begin(Handle()); }
  void EndMouseCapture() { FCapture.End(); }
  bool MouseCaptured() const { return FCapture.Dragging(); }
  virtual void MouseCaptureLost() {}
  // The drag's events: OnStartDrag or OnStartDock after the kind, whether
  // this control takes `source` (OnDragOver; without one it refuses), the
  // drop, and the end at `target` (none when dropped nowhere).
  virtual void DoStartDrag();
  virtual bool DragOver(TObject* source, int x, int y, TDragState state);
  virtual void DragDrop(TObject* source, int x, int y);
  virtual void DoEndDrag(TObject* target, int x, int y);
  // Lays out the aligned children inside the client area and moves the
  // anchored ones with its size.
  void AlignControls();
  // Applies AutoSize and the size limits to the current bounds.
  void AdjustSize() { SetBounds(Left(), Top(), Width(), Height()); }
  // Scales every control inside this one, bounds and own fonts, for a new screen density.
  void ScaleChildren(int multiplier, int divisor);
  void UpdateTabOrder();
  void UpdateHintTool();
  void AddHintTool(HWND tooltip);
  void ParentFontChanged();
  void ParentShowHintChanged();
  // Paints `area` (client coordinates) with what lies behind this control:
  // the picture its parent shows there, or the parent's colour.
  void PaintParentBackground(HDC dc, const RECT& area) const;

  RECT FBounds{0, 0, 0, 0};

 private:
  void InsertControl(TWinControl* control);
  void RemoveControl(TWinControl* control);
  void CreateChildHandles();
  void WMPaint();
  // Paints the whole client area off-screen and copies it to `dc` in one step.
  void PaintTo(HDC dc);
  // The background painter this control shows, its own or an ancestor's; null for a plain colour.
  const TWinControl* BackgroundSource() const;
  void PaintBackground(HDC dc, const RECT& area) const;
  // Paints `area` of this control with the picture `source` shows there.
  void PaintSourceBackground(const TWinControl& source, HDC dc, const RECT& area) const;
  bool WMSetCursor(LPARAM lParam);
  void WMSize();
  void WMWindowPosChanged();
  bool WMContextMenu(LPARAM lParam);
  // The size that AutoSize, the constraints and the class allow for a request.
  void FitRequestedSize(int& width, int& height);
  void MoveAnchoredChildren(TPoint areaSize);
  // The drag (control_drag_win.cpp).
  void StartDrag(bool immediate, int threshold, POINT screen);
  // Feeds the drag this control holds; true when the message was the drag's.
  bool DragMessage(UINT message, LPARAM lParam);
  void DragMoved(POINT screen);
  void ShowDockOutline(bool accepted, POINT screen);
  void FinishDrag(bool drop);
  // The control the drag meets at `screen`: the one under the pointer, or for
  // a dock drag the dock site there that is not this control or inside it.
  TWinControl* DragTargetAt(POINT screen);
  bool TakesDockAt(TWinControl* client, POINT screen);
  // False when the site the control is in keeps it.
  bool DockInto(TWinControl* site, TPoint at);
  // The control is going: no drag of it or over it goes on.
  void ForgetDrag();
  bool DragTargetOver(TObject* source, TPoint at, TDragState state) override;
  bool DragTargetDrop(TObject* source, TPoint at) override;

  TWinControl* FParent = nullptr;
  std::vector<TWinControl*> FControls;
  TBackgroundPainter FBackgroundPainter;
  TAlign FAlign = TAlign::alNone;
  bool FVisible = true;
  bool FEnabled = true;
  std::string FCaption;
  TFont FFont;
  bool FParentFont = true;
  ::FontHandle FFontHandle;
  TWatchers FHandleWatchers;
  TColor FColor = clBtnFace;
  bool FParentColor = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  int FCursor = crDefault;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  bool FHintToolAdded = false;
  int FTabOrder = -1;
  bool FTabStop = false;
  bool FAligning = false;
  uint32_t FAnchors = kDefaultAnchors;
  // Where the control was when its parent's area had a given size: anchors
  // place it from there. Taken again whenever the control is placed by hand.
  struct AnchorBase {
    TRect Bounds;
    TPoint ParentArea;
    bool Valid = false;
  } FAnchorBase;
  bool FAnchoring = false;
  TPoint FAlignedArea{-1, -1};  // the size of the area at the last alignment
  TSizeConstraints FConstraints;
  bool FAutoSize = false;
  ComponentRef<TComponent> FPopupMenu;
  bool FClickEvents = false;
  bool FClicked = false;
  TNotifyEvent FOnClick, FOnDblClick, FOnEnter, FOnExit, FOnResize;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TKeyEvent FOnKeyDown, FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
  TContextPopupEvent FOnContextPopup;
  TMouseCapture FCapture{[this] { MouseCaptureLost(); }};
  TDragMode FDragMode = TDragMode::dmManual;
  TDragKind FDragKind = TDragKind::dkDrag;
  int FDragCursor = crDrag;
  bool FDockSite = false;
  TNotifyEvent FOnStartDrag, FOnStartDock;
  TDragOverEvent FOnDragOver;
  TDragDropEvent FOnDragDrop;
  TEndDragEvent FOnEndDrag, FOnEndDock;
  TGetSiteInfoEvent FOnGetSiteInfo;
  TDragOverEvent FOnDockOver;
  TDragDropEvent FOnDockDrop;
  TUnDockEvent FOnUnDock;
  TMouseCapture FDragCapture{[this] { EndDrag(false); }};
};

// Mouse buttons as handlers receive them.
constexpr int mbLeft = 0;
constexpr int mbRight = 1;
constexpr int mbMiddle = 2;

// The property entries of the ordinary control events and of the
// properties every visual class publishes alike, for the classes that
// publish them.
namespace control_props {
PropertyDef Anchors();
PropertyDef Constraints();
PropertyDef AutoSize();
PropertyDef PopupMenu();
PropertyDef OnClick();
PropertyDef OnDblClick();
PropertyDef OnMouseDown();
PropertyDef OnMouseMove();
PropertyDef OnMouseUp();
PropertyDef OnKeyDown();
PropertyDef OnKeyPress();
PropertyDef OnKeyUp();
PropertyDef OnEnter();
PropertyDef OnExit();
PropertyDef OnResize();
PropertyDef OnContextPopup();
PropertyDef DragCursor();
PropertyDef DragKind();
PropertyDef DragMode();
PropertyDef OnStartDrag();
PropertyDef OnDragOver();
PropertyDef OnDragDrop();
PropertyDef OnEndDrag();
PropertyDef OnStartDock();
PropertyDef OnEndDock();
PropertyDef DockSite();
PropertyDef OnGetSiteInfo();
PropertyDef OnDockOver();
PropertyDef OnDockDrop();
PropertyDef OnUnDock();
}  // namespace control_props
