#pragma once
// Windowed controls: a component with a window, bounds, alignment, font,
// colour, cursor, hint, tab order and double-buffered painting. The window is
// made when first needed; until then the properties are only kept.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "persist/component.h"
#include "ui/font.h"
#include "ui/handles_win.h"
#include "ui/mouse_capture_win.h"
#include "ui/window_win.h"

class TCanvas;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Cursor numbers as forms store them.
constexpr int crDefault = 0;
constexpr int crArrow = -2;
constexpr int crIBeam = -4;
constexpr int crHandPoint = -21;

// Shift state bits for key and mouse handlers; ssDouble marks the second press of a double click.
enum TShiftState : uint32_t {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
uint32_t KeyboardShiftState();
// The shift state a mouse message carries in its key flags.
uint32_t MouseShiftState(WPARAM keys);

class TWinControl : public TComponent, public TWindowObject {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const PropertyTable& Properties() const override;

  TWinControl* Parent() const { return FParent; }
  void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;
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
  // Counts the background painters set on any control: a picture kept over
  // what a parent shows is stale once this moves.
  static unsigned BackgroundPainterChanges();

 protected:
  virtual void CreateParams(WindowParams& params);
  virtual void CreateHandle();
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void HandleDestroyed() override;

  // Paints the whole client area on an off-screen canvas filled with Color.
  virtual void Paint(TCanvas& canvas);
  virtual void KeyDown(WORD& key, uint32_t shift);
  virtual void KeyUp(WORD& key, uint32_t shift);
  virtual void MouseDown(int button, uint32_t shift, int x, int y);
  virtual void MouseUp(int button, uint32_t shift, int x, int y);
  // Whether a press of this mouse button moves the focus here.
  virtual bool FocusesOnPress(int) const { return true; }
  virtual UINT DialogCode() const { return 0; }
  virtual bool HandleDialogChar(char16_t) { return false; }
  virtual bool HandleDialogKey(WORD, uint32_t) { return false; }
  virtual void FocusChanged(TWinControl*) {}
  virtual void DoEnter() { Invalidate(); }
  virtual void DoExit() { Invalidate(); }
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
  // Lays out the aligned children inside the client area.
  void AlignControls();
  // Scales every control inside this one, bounds and own fonts, for a new screen density.
  void ScaleChildren(int multiplier, int divisor);
  void UpdateTabOrder();
  void UpdateHintTool();
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
  TMouseCapture FCapture{[this] { MouseCaptureLost(); }};
};

// Mouse buttons as handlers receive them.
constexpr int mbLeft = 0;
constexpr int mbRight = 1;
constexpr int mbMiddle = 2;
