#include "ui/control_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <climits>

#include "ui/graphics/canvas_win.h"
#include "ui/system/cursors_win.h"
#include "ui/graphics/font_win.h"
#include "ui/popup_menu.h"
#include "persist/properties.h"
#include "base/startup_phases.h"
#include "base/utf_win.h"
#include "ui/system/system_library_win.h"

namespace {

constexpr std::array<std::string_view, 4> kAnchorIdents{"akLeft", "akTop", "akRight", "akBottom"};

constexpr std::array<std::pair<std::string_view, TAlign>, 6> kAligns{{
    {"alNone", TAlign::alNone}, {"alTop", TAlign::alTop}, {"alBottom", TAlign::alBottom},
    {"alLeft", TAlign::alLeft}, {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient},
}};

// The one tooltip window that shows control hints; it lives as long as the
// program. It and the common controls library that draws it come when the
// pointer first moves over a control with a hint, not at start.
class SharedTooltip {
 public:
  HWND Existing() const { return FWindow; }
  HWND Get() {
    if (!FWindow) {
      static const TLateBound<decltype(&InitCommonControlsEx)> initialize(ComCtl32Library(), "InitCommonControlsEx");
      const auto initializeControls = initialize.Find();
      if (!initializeControls) return nullptr;
      const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
      initializeControls(&controls);
      FWindow = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                                0, 0, 0, nullptr, nullptr, ModuleInstance(), nullptr);
      if (FWindow) SendMessageW(FWindow, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    return FWindow;
  }
  ~SharedTooltip() {
    if (FWindow && IsWindow(FWindow)) DestroyWindow(FWindow);
  }

 private:
  HWND FWindow = nullptr;
};

SharedTooltip gTooltip;

// The tooltip's record of a control's hint, less its text.
TTTOOLINFOW HintTool(HWND control) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = control;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  return info;
}

}  // namespace

uint32_t MouseShiftState(WPARAM keys) {
  uint32_t shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  return shift;
}

uint32_t KeyboardShiftState() {
  uint32_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
  FFont.OnChange = [this] { FontChanged(); };
  FConstraints.OnChange = [this] { AdjustSize(); };
}

TWinControl::~TWinControl() {
  ForgetDrag();
  BeginDestroy();
  DestroyWindowHandle();
  // Children this control does not own still point at us as their parent.
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
  if (FParent) FParent->RemoveControl(this);
}

const PropertyTable& TWinControl::Properties() const {
  static const PropertyTable table(
      &TComponent::Properties(),
      {
          props::Int("Left", &TWinControl::SetLeft, &TWinControl::Left),
          props::Int("Top", &TWinControl::SetTop, &TWinControl::Top),
          props::Int("Width", &TWinControl::SetWidth, &TWinControl::Width),
          props::Int("Height", &TWinControl::SetHeight, &TWinControl::Height),
          props::Enum("Align", &TWinControl::SetAlign, &TWinControl::Align, IdentMap<TAlign>(kAligns)),
          props::Bool("Visible", &TWinControl::SetVisible, &TWinControl::Visible),
          props::Bool("Enabled", &TWinControl::SetEnabled, &TWinControl::Enabled),
          props::String("Caption", &TWinControl::SetCaption, &TWinControl::Caption),
          props::Nested("Font", static_cast<TFont& (TWinControl::*)()>(&TWinControl::Font)),
          props::Bool("ParentFont", &TWinControl::SetParentFont, &TWinControl::ParentFont),
          props::Color("Color", &TWinControl::SetColor, &TWinControl::Color),
          props::Bool("ParentColor", &TWinControl::SetParentColor, &TWinControl::ParentColor),
          props::Bool("Ctl3D", &TWinControl::SetCtl3D, &TWinControl::Ctl3D),
          props::Bool("ParentCtl3D", &TWinControl::SetParentCtl3D, &TWinControl::ParentCtl3D),
          props::IntOrIdent("Cursor", &TWinControl::SetCursor, &TWinControl::Cursor, CursorIdents()),
          props::String("Hint", &TWinControl::SetHint, &TWinControl::Hint),
          props::Bool("ShowHint", &TWinControl::SetShowHint, &TWinControl::ShowHint),
          props::Bool("ParentShowHint", &TWinControl::SetParentShowHint, &TWinControl::ParentShowHint),
          props::Int("TabOrder", &TWinControl::SetTabOrder, &TWinControl::TabOrder),
          props::Bool("TabStop", &TWinControl::SetTabStop, &TWinControl::TabStop),
      });
  return table;
}

void TWinControl::SetParentComponent(TComponent* parent) {
  if (auto* control = dynamic_cast<TWinControl*>(parent)) SetParent(control);
}

TComponent* TWinControl::GetParentComponent() const { return FParent; }

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) {
    DestroyWindowHandle();
    FParent->RemoveControl(this);
  }
  FParent = parent;
  if (FParent) {
    FParent->InsertControl(this);
    if (FParentFont) FFont.Assign(FParent->Font());
    if (FParent->HandleAllocated()) HandleNeeded();
    if (FAutoSize) AdjustSize();
    if (FAlign != TAlign::alNone) FParent->AlignControls();
  }
}

void TWinControl::InsertControl(TWinControl* control) { FControls.push_back(control); }

void TWinControl::RemoveControl(TWinControl* control) {
  std::erase(FControls, control);
  if (!IsDestroying()) AlignControls();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  FitRequestedSize(width, height);
  RECT bounds{left, top, left + std::max(width, 0), top + std::max(height, 0)};
  if (!FAnchoring) {
    // Placed by hand: the anchors keep this place from now on.
    FAnchorBase.Bounds = {bounds.left, bounds.top, bounds.right, bounds.bottom};
    FAnchorBase.ParentArea = FParent ? FParent->FAlignedArea : TPoint{-1, -1};
    FAnchorBase.Valid = FAnchorBase.ParentArea.X >= 0;
  }
  if (EqualRect(&bounds, &FBounds)) return;
  FBounds = bounds;
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, left, top, Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (FParent && FAlign != TAlign::alNone) FParent->AlignControls();
}

void TWinControl::FitRequestedSize(int& width, int& height) {
  // A control sizes itself only once it has a place to size into.
  if (FAutoSize && FParent && !IsLoading()) {
    int w = width, h = height;
    if (CanAutoSize(w, h)) {
      if (FAlign != TAlign::alTop && FAlign != TAlign::alBottom && FAlign != TAlign::alClient) width = w;
      if (FAlign != TAlign::alLeft && FAlign != TAlign::alRight && FAlign != TAlign::alClient) height = h;
    }
  }
  SizeLimits limits{FConstraints.MinWidth(), FConstraints.MinHeight(), FConstraints.MaxWidth(),
                    FConstraints.MaxHeight()};
  ConstrainedResize(limits);
  ConstrainSize(limits, width, height);
}

void TWinControl::SetAnchors(uint32_t value) {
  if (value == FAnchors) return;
  FAnchors = value;
  // Anchored from where it is now.
  FAnchorBase = {{FBounds.left, FBounds.top, FBounds.right, FBounds.bottom},
                 FParent ? FParent->FAlignedArea : TPoint{-1, -1},
                 FParent && FParent->FAlignedArea.X >= 0};
}

void TWinControl::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  if (value) AdjustSize();
}

void TWinControl::MoveAnchoredChildren(TPoint area) {
  for (TWinControl* c : FControls) {
    if (c->FAlign != TAlign::alNone) continue;
    AnchorBase& base = c->FAnchorBase;
    if (!base.Valid) {
      base = {{c->FBounds.left, c->FBounds.top, c->FBounds.right, c->FBounds.bottom}, area, true};
      continue;
    }
    if (c->FAnchors == kDefaultAnchors) continue;
    TRect r = AnchoredBounds(base.Bounds, c->FAnchors, base.ParentArea, area);
    c->FAnchoring = true;
    c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    c->FAnchoring = false;
  }
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, Width(), Height()};
  if (HandleAllocated()) GetClientRect(Handle(), &r);
  return r;
}

void TWinControl::SetAlign(TAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  if (FParent) FParent->AlignControls();
}

void TWinControl::AlignControls() {
  if (FAligning || IsLoading()) return;
  FAligning = true;
  RECT area = AlignArea();
  TPoint size{area.right - area.left, area.bottom - area.top};
  MoveAnchoredChildren(size);
  FAlignedArea = size;
  for (TWinControl* c : FControls) {
    if (!c->Visible() || c->FAlign == TAlign::alNone) continue;
    int w = c->Width(), h = c->Height();
    switch (c->FAlign) {
      case TAlign::alTop:
        c->SetBounds(area.left, area.top, area.right - area.left, h);
        area.top += h;
        break;
      case TAlign::alBottom:
        c->SetBounds(area.left, area.bottom - h, area.right - area.left, h);
        area.bottom -= h;
        break;
      case TAlign::alLeft:
        c->SetBounds(area.left, area.top, w, area.bottom - area.top);
        area.left += w;
        break;
      case TAlign::alRight:
        c->SetBounds(area.right - w, area.top, w, area.bottom - area.top);
        area.right -= w;
        break;
      case TAlign::alClient:
        c->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
        break;
      case TAlign::alNone: break;
    }
  }
  FAligning = false;
}

void TWinControl::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  if (HandleAllocated()) ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE);
  if (FParent) FParent->AlignControls();
}

void TWinControl::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  // A disabled window cannot keep the keyboard: hand it to the next tab stop.
  if (!value && Focused() && FParent && FParent->HandleAllocated()) {
    HWND next = GetNextDlgTabItem(FParent->Handle(), Handle(), FALSE);
    if (next && next != Handle()) ::SetFocus(next);
  }
  if (HandleAllocated()) EnableWindow(Handle(), value);
  EnabledChanged();
}

void TWinControl::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  FCaption = value;
  if (HandleAllocated()) SetWindowTextW(Handle(), Utf8ToWide(FCaption).c_str());
  TextChanged();
}

void TWinControl::SetParentFont(bool value) {
  if (value == FParentFont) return;
  FParentFont = value;
  if (FParentFont && FParent) FFont.Assign(FParent->Font());
}

bool TWinControl::DialogChar(char16_t ch) {
  if (HandleDialogChar(ch)) return true;
  for (TWinControl* c : FControls)
    if (c->Visible() && c->DialogChar(ch)) return true;
  return false;
}

bool TWinControl::DialogKey(WORD key, uint32_t shift) {
  if (HandleDialogKey(key, shift)) return true;
  for (TWinControl* c : FControls)
    if (c->Visible() && c->DialogKey(key, shift)) return true;
  return false;
}

void TWinControl::BroadcastFocusChange(TWinControl* focused) {
  FocusChanged(focused);
  for (TWinControl* c : FControls) c->BroadcastFocusChange(focused);
}

void TWinControl::FontChanged() {
  FFontHandle.Reset();
  Invalidate();
  for (TWinControl* c : FControls) c->ParentFontChanged();
}

void TWinControl::ScaleChildren(int multiplier, int divisor) {
  auto scale = [&](int v) { return MulDiv(v, multiplier, divisor); };
  for (TWinControl* c : FControls) {
    RECT b = c->BoundsRect();
    c->SetBounds(scale(b.left), scale(b.top), scale(b.right - b.left), scale(b.bottom - b.top));
    if (!c->ParentFont()) c->Font().SetHeight(scale(c->Font().Height()));
    c->ScaleChildren(multiplier, divisor);
  }
}

void TWinControl::ParentFontChanged() {
  if (FParentFont && FParent) FFont.Assign(FParent->Font());
}

HFONT TWinControl::FontHandle() {
  if (!FFontHandle) FFontHandle = CreateFontHandle(FFont);
  return FFontHandle.Get();
}

void TWinControl::SetColor(TColor value) {
  FParentColor = false;
  if (value == FColor) return;
  FColor = value;
  Invalidate();
}

void TWinControl::SetParentColor(bool value) {
  if (value == FParentColor) return;
  FParentColor = value;
  Invalidate();
}

TColor TWinControl::EffectiveColor() const { return FParentColor && FParent ? FParent->EffectiveColor() : FColor; }

void TWinControl::SetHint(const std::string& value) {
  if (value == FHint) return;
  FHint = value;
  UpdateHintTool();
}

void TWinControl::SetShowHint(bool value) {
  FParentShowHint = false;
  if (value == FShowHint) return;
  FShowHint = value;
  UpdateHintTool();
  for (TWinControl* c : FControls) c->ParentShowHintChanged();
}

void TWinControl::SetParentShowHint(bool value) {
  if (value == FParentShowHint) return;
  FParentShowHint = value;
  UpdateHintTool();
}

void TWinControl::ParentShowHintChanged() {
  if (!FParentShowHint) return;
  UpdateHintTool();
  for (TWinControl* c : FControls) c->ParentShowHintChanged();
}

bool TWinControl::EffectiveShowHint() const {
  if (FParentShowHint && FParent) return FParent->EffectiveShowHint();
  return FShowHint;
}

void TWinControl::UpdateHintTool() {
  // Before the tooltip exists the first pointer move adds the tool (AddHintTool).
  HWND tooltip = gTooltip.Existing();
  if (!HandleAllocated() || !tooltip) return;
  TTTOOLINFOW info = HintTool(Handle());
  if (FHintToolAdded) {
    SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    FHintToolAdded = false;
  }
  AddHintTool(tooltip);
}

void TWinControl::AddHintTool(HWND tooltip) {
  if (FHint.empty() || !EffectiveShowHint()) return;
  TTTOOLINFOW info = HintTool(Handle());
  std::wstring text = Utf8ToWide(FHint);
  info.lpszText = text.data();
  FHintToolAdded = SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void TWinControl::SetTabOrder(int value) {
  if (value == FTabOrder) return;
  FTabOrder = value;
  if (FParent) FParent->UpdateTabOrder();
}

void TWinControl::SetTabStop(bool value) {
  if (value == FTabStop) return;
  FTabStop = value;
  if (HandleAllocated()) {
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

void TWinControl::UpdateTabOrder() {
  if (!HandleAllocated()) return;
  std::vector<TWinControl*> ordered = FControls;
  std::stable_sort(ordered.begin(), ordered.end(), [](TWinControl* a, TWinControl* b) {
    auto key = [](TWinControl* c) { return c->FTabOrder < 0 ? INT_MAX : c->FTabOrder; };
    return key(a) < key(b);
  });
  // The dialog manager walks siblings in z-order, so z-order is the tab order.
  // A window already in its place is not moved: each move costs Wine a round trip.
  HWND after = HWND_TOP;
  for (TWinControl* c : ordered) {
    if (!c->HandleAllocated()) continue;
    HWND before = GetWindow(c->Handle(), GW_HWNDPREV);
    if (before != (after == HWND_TOP ? nullptr : after))
      SetWindowPos(c->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = c->Handle();
  }
}

void TWinControl::HandleNeeded() {
  if (HandleAllocated()) return;
  if (FParent) FParent->HandleNeeded();  // which makes ours too
  if (!HandleAllocated()) CreateHandle();
}

void TWinControl::CreateParams(WindowParams& params) {
  params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (FVisible) params.style |= WS_VISIBLE;
  if (FTabStop) params.style |= WS_TABSTOP;
  if (!FEnabled) params.style |= WS_DISABLED;
  params.caption = Utf8ToWide(FCaption);
  params.bounds = FBounds;
  params.parent = FParent ? FParent->Handle() : nullptr;
}

void TWinControl::CreateHandle() {
  WindowParams params;
  CreateParams(params);
  CreateWindowHandle(params);
  FHandleWatchers.Notify();
  UpdateHintTool();
  CreateChildHandles();
}

int TWinControl::WatchHandle(std::function<void()> watcher) { return FHandleWatchers.Add(std::move(watcher)); }

void TWinControl::UnwatchHandle(int id) { FHandleWatchers.Remove(id); }

void TWinControl::CreateChildHandles() {
  for (TWinControl* c : FControls)
    if (!c->HandleAllocated()) c->CreateHandle();
  UpdateTabOrder();
}

void TWinControl::HandleDestroyed() { FHintToolAdded = false; }

bool TWinControl::Focused() const { return HandleAllocated() && GetFocus() == Handle(); }

bool TWinControl::CanFocus() const {
  for (const TWinControl* c = this; c; c = c->FParent)
    if (!c->FVisible || !c->FEnabled) return false;
  return true;
}

void TWinControl::SetFocus() {
  HandleNeeded();
  ::SetFocus(Handle());
}

void TWinControl::Invalidate() {
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TWinControl::Update() {
  if (HandleAllocated()) UpdateWindow(Handle());
}

void TWinControl::Loaded() {
  TComponent::Loaded();
  if (FAutoSize) AdjustSize();
  AlignControls();
}

void TWinControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  FPopupMenu.Notify(component, operation);
}

void TWinControl::ChildFocused(TWinControl* control) {
  if (FParent) FParent->ChildFocused(control);
}

void TWinControl::Paint(TCanvas&) {}

void TWinControl::KeyDown(WORD& key, uint32_t shift) {
  if (FOnKeyDown) FOnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, uint32_t shift) {
  if (FOnKeyUp) FOnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t& key) {
  if (FOnKeyPress) FOnKeyPress(this, key);
}

void TWinControl::MouseDown(int button, uint32_t shift, int x, int y) {
  if (FOnMouseDown) FOnMouseDown(this, button, shift, x, y);
}

void TWinControl::MouseMove(uint32_t shift, int x, int y) {
  if (FOnMouseMove) FOnMouseMove(this, shift, x, y);
}

void TWinControl::MouseUp(int button, uint32_t shift, int x, int y) {
  if (FOnMouseUp) FOnMouseUp(this, button, shift, x, y);
}

void TWinControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TWinControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TWinControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TWinControl::DoEnter() {
  Invalidate();
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  Invalidate();
  if (FOnExit) FOnExit(this);
}

bool TWinControl::WMContextMenu(LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  // From the keyboard the position is (-1, -1): the menu opens at the control's corner.
  const bool fromKeyboard = at.x == -1 && at.y == -1;
  if (fromKeyboard) {
    at = {0, 0};
    ClientToScreen(Handle(), &at);
  }
  POINT client = at;
  ScreenToClient(Handle(), &client);
  bool handled = false;
  if (FOnContextPopup) FOnContextPopup(this, fromKeyboard ? -1 : client.x, fromKeyboard ? -1 : client.y, handled);
  if (handled) return true;
  auto* menu = dynamic_cast<PopupMenuApi*>(FPopupMenu.Get());
  if (!menu || !menu->AutoPopup()) return false;
  menu->SetPopupComponent(this);
  menu->Popup(at.x, at.y);
  return true;
}

void TWinControl::WMPaint() {
  {
    PaintDC dc(Handle());
    PaintTo(dc.Get());
  }
  MarkStartupPhase("paint", Name());
}

void TWinControl::PaintTo(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right > 0 && client.bottom > 0) {
    MemoryDCHandle memory(CreateCompatibleDC(dc));
    BitmapHandle bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (memory && bitmap) {
      SelectGuard keep(memory.Get(), bitmap.Get());
      PaintBackground(memory.Get(), client);
      {
        TCanvas canvas(memory.Get());
        canvas.Brush().SetColor(EffectiveColor());
        canvas.Font().Assign(FFont);
        Paint(canvas);
      }
      BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
  }
}

namespace {
unsigned gBackgroundPainterChanges = 0;

void FillWithColor(HDC dc, const RECT& area, TColor color) {
  BrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  FillRect(dc, &area, brush.Get());
}
}  // namespace

unsigned TWinControl::BackgroundPainterChanges() { return gBackgroundPainterChanges; }

void TWinControl::SetBackgroundPainter(TBackgroundPainter painter) {
  FBackgroundPainter = std::move(painter);
  ++gBackgroundPainterChanges;
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

const TWinControl* TWinControl::BackgroundSource() const {
  if (FBackgroundPainter) return this;
  return FParentColor && FParent ? FParent->BackgroundSource() : nullptr;
}

void TWinControl::PaintBackground(HDC dc, const RECT& area) const {
  const TWinControl* source = BackgroundSource();
  if (source && source->HandleAllocated()) {
    PaintSourceBackground(*source, dc, area);
    return;
  }
  FillWithColor(dc, area, EffectiveColor());
}

void TWinControl::PaintParentBackground(HDC dc, const RECT& area) const {
  const TWinControl* source = FParent ? FParent->BackgroundSource() : nullptr;
  if (source && source->HandleAllocated() && HandleAllocated()) {
    PaintSourceBackground(*source, dc, area);
    return;
  }
  FillWithColor(dc, area, FParent ? FParent->EffectiveColor() : clBtnFace);
}

void TWinControl::PaintSourceBackground(const TWinControl& source, HDC dc, const RECT& area) const {
  // The source paints in its own client coordinates.
  POINT offset{0, 0};
  MapWindowPoints(Handle(), source.Handle(), &offset, 1);
  POINT old;
  OffsetViewportOrgEx(dc, -offset.x, -offset.y, &old);
  RECT there{area.left + offset.x, area.top + offset.y, area.right + offset.x, area.bottom + offset.y};
  source.FBackgroundPainter(dc, there);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

bool TWinControl::WMSetCursor(LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT || FCursor == crDefault) return false;
  HCURSOR cursor = CursorHandle(FCursor);
  if (!cursor) return false;
  ::SetCursor(cursor);
  return true;
}

void TWinControl::WMSize() {
  AlignControls();
  Resize();
}

void TWinControl::WMWindowPosChanged() {
  RECT r;
  GetWindowRect(Handle(), &r);
  if (FParent && FParent->HandleAllocated()) MapWindowPoints(nullptr, FParent->Handle(), reinterpret_cast<POINT*>(&r), 2);
  FBounds = r;
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (Dragging() && DragMessage(message, lParam)) return 0;
  switch (message) {
    case WM_PAINT: WMPaint(); return 0;
    case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETCURSOR:
      if (WMSetCursor(lParam)) return TRUE;
      break;
    case WM_SIZE: WMSize(); break;
    case WM_WINDOWPOSCHANGED:
      WMWindowPosChanged();
      break;
    case WM_GETDLGCODE: return DialogCode();
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      KeyDown(key, KeyboardShiftState());
      if (key == 0) return 0;
      break;
    }
    case WM_KEYUP: {
      WORD key = static_cast<WORD>(wParam);
      KeyUp(key, KeyboardShiftState());
      if (key == 0) return 0;
      break;
    }
    case WM_CHAR: {
      char16_t key = static_cast<char16_t>(wParam);
      KeyPress(key);
      if (key == 0) return 0;
      wParam = key;
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      const int button = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK   ? mbLeft
                         : message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK ? mbRight
                                                                                    : mbMiddle;
      // An automatic drag takes the left press: the control does not see it.
      if (button == mbLeft && FDragMode == TDragMode::dmAutomatic) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(Handle(), &at);
        StartDrag(false, -1, at);
        return 0;
      }
      if (FTabStop && !Focused() && CanFocus() && FocusesOnPress(button)) SetFocus();
      const bool second = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
      if (button == mbLeft) {
        FClicked = FClickEvents;
        if (second) DblClick();
      }
      MouseDown(button, MouseShiftState(wParam) | (second ? uint32_t{ssDouble} : 0), GET_X_LPARAM(lParam),
                GET_Y_LPARAM(lParam));
      return 0;
    }
    case WM_MOUSEMOVE:
      // Input comes before painting: a pointer resting where the window
      // appears would otherwise make the tooltip ahead of the first paint.
      if (!FHintToolAdded && !FHint.empty() && EffectiveShowHint() && !GetUpdateRect(Handle(), nullptr, FALSE)) {
        if (HWND tooltip = gTooltip.Get()) {
          AddHintTool(tooltip);
          // The tool sees the pointer from the next move on; this one starts its wait.
          MSG move{Handle(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
          if (FHintToolAdded) SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
        }
      }
      MouseMove(MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const int button = message == WM_LBUTTONUP ? mbLeft : message == WM_RBUTTONUP ? mbRight : mbMiddle;
      const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      MouseUp(button, MouseShiftState(wParam), x, y);
      if (button == mbLeft && std::exchange(FClicked, false) && HandleAllocated()) {
        RECT client = ClientRect();
        if (x >= client.left && y >= client.top && x < client.right && y < client.bottom) Click();
      }
      if (message == WM_RBUTTONUP) break;  // the default handling asks for the context menu
      return 0;
    }
    case WM_CONTEXTMENU:
      if (WMContextMenu(lParam)) return 0;
      break;
    case WM_SETFOCUS:
      if (FParent) FParent->ChildFocused(this);
      DoEnter();
      break;
    case WM_KILLFOCUS: DoExit(); break;
    case WM_CAPTURECHANGED:
      FCapture.HandleMessage(message, lParam);
      FDragCapture.HandleMessage(message, lParam);
      break;
    case WM_DESTROY:
      if (FHintToolAdded) {
        TTTOOLINFOW info = HintTool(Handle());
        SendMessageW(gTooltip.Existing(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        FHintToolAdded = false;
      }
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

namespace control_props {
using C = TWinControl;
PropertyDef Anchors() { return props::Set("Anchors", &C::SetAnchors, &C::Anchors, kAnchorIdents); }
PropertyDef Constraints() { return props::Nested("Constraints", &C::Constraints); }
PropertyDef AutoSize() { return props::Bool("AutoSize", &C::SetAutoSize, &C::AutoSize); }
PropertyDef PopupMenu() { return props::Ref("PopupMenu", &C::SetPopupMenu, &C::PopupMenu); }
PropertyDef OnClick() { return props::Event("OnClick", &C::SetOnClick); }
PropertyDef OnDblClick() { return props::Event("OnDblClick", &C::SetOnDblClick); }
PropertyDef OnMouseDown() { return props::Event("OnMouseDown", &C::SetOnMouseDown); }
PropertyDef OnMouseMove() { return props::Event("OnMouseMove", &C::SetOnMouseMove); }
PropertyDef OnMouseUp() { return props::Event("OnMouseUp", &C::SetOnMouseUp); }
PropertyDef OnKeyDown() { return props::Event("OnKeyDown", &C::SetOnKeyDown); }
PropertyDef OnKeyPress() { return props::Event("OnKeyPress", &C::SetOnKeyPress); }
PropertyDef OnKeyUp() { return props::Event("OnKeyUp", &C::SetOnKeyUp); }
PropertyDef OnEnter() { return props::Event("OnEnter", &C::SetOnEnter); }
PropertyDef OnExit() { return props::Event("OnExit", &C::SetOnExit); }
PropertyDef OnResize() { return props::Event("OnResize", &C::SetOnResize); }
PropertyDef OnContextPopup() { return props::Event("OnContextPopup", &C::SetOnContextPopup); }
}  // namespace control_props
