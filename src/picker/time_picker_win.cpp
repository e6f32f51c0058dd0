#include "picker/time_picker_win.h"

#include "base/display_scale.h"
#include "base/rounding.h"


#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "ui/graphics/canvas_win.h"
#include "ui/graphics/font_win.h"
#include "persist/properties.h"
#include "ui/system/resources_win.h"
#include "ui/system/timer_win.h"
#include "panel/color_math.h"
#include "picker/picker_time_format.h"

namespace {

const std::string kBuiltInAM = "AM", kBuiltInPM = "PM", kBuiltInSet = "Set";
const std::string kBuiltInHowToUse = "Left-click to set Hour\rRight-click to set Minute\r    Ctrl key restricts to 5 minutes";

bool ApplicationInForeground() {
  DWORD process = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &process);
  return process == GetCurrentProcessId();
}

POINT PointAt(double angle, int length) {
  return POINT{RoundHalfEvenToInt(std::cos(angle) * length), RoundHalfEvenToInt(length * std::sin(angle))};
}

POINT HourPoint(int n, int length) { return PointAt(n * std::numbers::pi / 6 - std::numbers::pi / 2, length); }
POINT MinutePoint(int n, int length) { return PointAt(n * std::numbers::pi / 30 - std::numbers::pi / 2, length); }

RECT Rect(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

}  // namespace

TTimePicker::TTimePicker(TComponent* owner) : TBorderedPanel(owner), FHintTimer(new TTimer(this)) {
  FHintTimer->SetEnabled(false);
  FHintTimer->SetInterval(1000);
  FHintTimer->SetOnTimer([this](TObject*) { HintTimerFired(); });
  SetColor(clWindow);
  SetFlatColorAdjustment(0);
  SetBorderOuter(TFrameStyleEx::fsLowered);
  SetTabStop(true);
  SetAutoSize(true);
  SetClickEvents(true);
  UpdateMetrics();
  SetBounds(0, 0, 160, 190);
  FClockFaceColors.OnChange = [this] { Invalidate(); };
}

const PropertyTable& TTimePicker::Properties() const {
  using P = TTimePicker;
  static const PropertyTable table(&TBorderedPanel::Properties(),
                                   {
                                       props::Float("Time", &P::SetTime, &P::Time),
                                       props::Nested("ClockFaceColors", &P::ClockFaceColors),
                                       props::String("Format", &P::SetFormat, &P::Format),
                                       props::String("CaptionAM", &P::SetCaptionAM, &P::CaptionAM),
                                       props::String("CaptionPM", &P::SetCaptionPM, &P::CaptionPM),
                                       props::String("CaptionSet", &P::SetCaptionSet, &P::CaptionSet),
                                       props::String("HowToUseMsg", &P::SetHowToUseMsg, &P::HowToUseMsg),
                                       props::Bool("RestrictMinutes", &P::SetRestrictMinutes, &P::RestrictMinutes),
                                       props::Bool("ShowHowToUseHint", &P::SetShowHowToUseHint, &P::ShowHowToUseHint),
                                       props::Bool("ShowSetButton", &P::SetShowSetButton, &P::ShowSetButton),
                                       props::Event("OnChange", &P::SetOnChange),
                                       props::Event("OnSetTime", &P::SetOnSetTime),
                                       props::Event("OnSetBtnClick", &P::SetOnSetBtnClick),
                                       control_props::AutoSize(),
                                       control_props::Anchors(),
                                       control_props::Constraints(),
                                       control_props::PopupMenu(),
                                       control_props::OnClick(),
                                       control_props::OnDblClick(),
                                       control_props::OnContextPopup(),
                                       control_props::OnEnter(),
                                       control_props::OnExit(),
                                       control_props::OnMouseDown(),
                                       control_props::OnMouseMove(),
                                       control_props::OnMouseUp(),
                                       control_props::OnKeyDown(),
                                       control_props::OnKeyPress(),
                                       control_props::OnKeyUp(),
                                       control_props::DragCursor(),
                                       control_props::DragKind(),
                                       control_props::DragMode(),
                                       control_props::OnStartDrag(),
                                       control_props::OnDragOver(),
                                       control_props::OnDragDrop(),
                                       control_props::OnEndDrag(),
                                       control_props::OnStartDock(),
                                       control_props::OnEndDock(),
                                       control_props::DockSite(),
                                       control_props::OnGetSiteInfo(),
                                       control_props::OnDockOver(),
                                       control_props::OnDockDrop(),
                                       control_props::OnUnDock(),
                                   });
  return table;
}

// --- the value -------------------------------------------------------------------

void TTimePicker::SetTime(TDateTime value) { Accepted(FValue.SetTime(value)); }

void TTimePicker::StepHours(int hours) { Accepted(FValue.StepHours(hours)); }

void TTimePicker::StepMinutes(int minutes) { Accepted(FValue.StepMinutes(minutes)); }

void TTimePicker::Accepted(bool changed) {
  if (!changed) return;
  if (HandleAllocated()) TAccessibleWindow::Notify(Handle(), EVENT_OBJECT_VALUECHANGE);
  try {
    Change();
  } catch (...) {
    Invalidate();
    throw;
  }
  Invalidate();
}

void TTimePicker::Change() {
  if (FOnChange) FOnChange(this);
}

void TTimePicker::SetBtnClick() {
  if (FOnSetBtnClick) FOnSetBtnClick(this);
}

std::string TTimePicker::TimeText() const {
  long minutes = std::lround(FValue.Time() * 1440);
  return FormatPickerTime(FFormat, static_cast<int>(minutes / 60), static_cast<int>(minutes % 60),
                          UserLocaleText(LOCALE_S1159, "AM"), UserLocaleText(LOCALE_S2359, "PM"));
}

// --- size ---------------------------------------------------------------------------

void TTimePicker::StoreCaption(std::string& caption, const std::string& value) {
  if (caption == value) return;
  caption = value;
  UpdateMetrics();
}

void TTimePicker::FontChanged() {
  TBorderedPanel::FontChanged();
  UpdateMetrics();
}

// Measured with the font as the form has it at 96 DPI, the least size is
// then scaled: a font's metrics do not grow in step with the density, and
// the least size must not outgrow the form laid out for it.
void TTimePicker::UpdateMetrics() {
  TFont at96;
  at96.Assign(Font());
  at96.SetHeight(ScaleLength(Font().Height(), kDefaultPixelsPerInch, PixelsPerInch()));
  const ::FontHandle handle = CreateFontHandle(at96);
  WindowDC screen(nullptr);
  SelectGuard font(screen.Get(), handle.Get());
  SIZE zero{};
  GetTextExtentPoint32W(screen.Get(), L"0", 1, &zero);
  FCharWidth = zero.cx;
  FCharHeight = zero.cy;
  SetBounds(Left(), Top(), Width(), Height());
  Invalidate();
}

bool TTimePicker::CanAutoSize(int& width, int& height) {
  PickerSize preferred = PreferredSize(FCharWidth, FCharHeight, FOptions.CaptionSet);
  width = Scaled(preferred.Width);
  height = Scaled(preferred.Height);
  return true;
}

void TTimePicker::ConstrainedResize(SizeLimits& limits) {
  PickerSize preferred = PreferredSize(FCharWidth, FCharHeight, FOptions.CaptionSet);
  limits.MinWidth = std::max(limits.MinWidth, Scaled(preferred.Width));
  limits.MinHeight = std::max(limits.MinHeight, Scaled(preferred.Height));
}

RECT TTimePicker::ClientRect() const { return AdjustForFrames(TBorderedPanel::ClientRect(), false); }

const std::string& TTimePicker::CaptionOr(const std::string& caption, const std::string& builtIn) const {
  return caption.empty() ? builtIn : caption;
}

// --- painting ----------------------------------------------------------------------

struct TTimePicker::StaticLook {
  TRect Window, Client;
  TColor Color, EffectiveColor, ParentColor;
  // What the parent shows behind the frame's cut-off corners.
  TPoint Place;
  unsigned BackgroundPainters;
  TColor Face, Numbers, HourTicks, MinuteTicks;
  TFrameStyleEx BorderOuter, BorderInner;
  uint32_t BorderSides;
  int BorderWidth, BevelWidth;
  TColor BorderColor, BorderHighlight, BorderShadow, FlatColor;
  int FlatColorAdjustment;
  TAlignment Alignment;
  std::string Caption;
  std::string FontName;
  int FontHeight, FontCharset;
  uint32_t FontStyle;
  TColor FontColor;
  bool Focused, Enabled, ShowSetButton;
  std::string CaptionAM, CaptionPM, CaptionSet;
  // The theme: system colours stand in many of the colours above and in DrawEdge.
  std::array<TColor, clInfoBk - clSystemColor + 1> SystemColors;
  bool operator==(const StaticLook&) const = default;
};

TTimePicker::~TTimePicker() = default;

TTimePicker::StaticLook TTimePicker::CurrentLook() const {
  RECT window = TWinControl::ClientRect(), client = ClientRect();
  const TClockFaceColors& face = FClockFaceColors;
  StaticLook look{
      .Window = {window.left, window.top, window.right, window.bottom},
      .Client = {client.left, client.top, client.right, client.bottom},
      .Color = Color(),
      .EffectiveColor = EffectiveColor(),
      .ParentColor = Parent() ? Parent()->EffectiveColor() : clBtnFace,
      .Place = {Left(), Top()},
      .BackgroundPainters = BackgroundPainterChanges(),
      .Face = face.Face(),
      .Numbers = face.Numbers(),
      .HourTicks = face.HourTicks(),
      .MinuteTicks = face.MinuteTicks(),
      .BorderOuter = BorderOuter(),
      .BorderInner = BorderInner(),
      .BorderSides = BorderSides(),
      .BorderWidth = BorderWidth(),
      .BevelWidth = BevelWidth(),
      .BorderColor = BorderColor(),
      .BorderHighlight = BorderHighlight(),
      .BorderShadow = BorderShadow(),
      .FlatColor = FlatColor(),
      .FlatColorAdjustment = FlatColorAdjustment(),
      .Alignment = Alignment(),
      .Caption = Caption(),
      .FontName = Font().Name(),
      .FontHeight = Font().Height(),
      .FontCharset = Font().Charset(),
      .FontStyle = Font().Style(),
      .FontColor = Font().Color(),
      .Focused = FFocused,
      .Enabled = Enabled(),
      .ShowSetButton = FOptions.ShowSetButton,
      .CaptionAM = FOptions.CaptionAM,
      .CaptionPM = FOptions.CaptionPM,
      .CaptionSet = FOptions.CaptionSet,
      .SystemColors = {},
  };
  for (size_t i = 0; i < look.SystemColors.size(); ++i)
    look.SystemColors[i] = ColorToRGB(clSystemColor | static_cast<TColor>(i));
  return look;
}

void TTimePicker::UpdateLayout(TCanvas& canvas) {
  canvas.Font().Assign(Font());
  canvas.TextWidth("0");  // selects the font
  TEXTMETRICW metrics{};
  GetTextMetricsW(canvas.Handle(), &metrics);
  RECT client = ClientRect();
  PickerMetrics m;
  m.ClientRect = TRect{client.left, client.top, client.right, client.bottom};
  m.Width = Width();
  m.Height = Height();
  m.TextMetricHeight = metrics.tmHeight;
  m.AMCaptionWidth = canvas.TextWidth(CaptionOr(FOptions.CaptionAM, kBuiltInAM));
  m.PMCaptionWidth = canvas.TextWidth(CaptionOr(FOptions.CaptionPM, kBuiltInPM));
  m.PixelsPerInch = PixelsPerInch();
  FLayout = ::UpdateLayout(m);
}

// A drag repaints at every step, so only the hands, the strip's text and the
// item states are drawn each time, over a copy of the rest.
void TTimePicker::Paint(TCanvas& canvas) {
  StaticLook look = CurrentLook();
  if (!FStaticLook || !(*FStaticLook == look)) {
    FStaticLook.reset();  // a redraw that throws leaves no picture taken as current
    FStaticImage.SetSize(look.Window.Width(), look.Window.Height());
    PaintStatic(FStaticImage.Canvas(), RECT{0, 0, look.Window.Width(), look.Window.Height()});
    FStaticLook = std::make_unique<StaticLook>(std::move(look));
  }
  canvas.Draw(0, 0, FStaticImage);

  canvas.Font().Assign(Font());
  RECT strip = Rect(FLayout.TimeRect);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.DrawText(TimeText(), strip, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  DrawHands(canvas);
  DrawRadioGlyph(canvas, FLayout.AMRect, !FValue.IsPM());
  DrawRadioGlyph(canvas, FLayout.PMRect, FValue.IsPM());
  if (FOptions.ShowSetButton && FInput.SetPressed()) DrawSetButton(canvas, true);
}

void TTimePicker::PaintStatic(TCanvas& canvas, const RECT& client) {
  canvas.Brush().SetColor(EffectiveColor());
  canvas.FillRect(client);
  canvas.Font().Assign(Font());
  TBorderedPanel::Paint(canvas);
  UpdateLayout(canvas);
  canvas.Font().Assign(Font());

  RECT strip = Rect(FLayout.TimeRect);
  bool flat = BorderOuter() == TFrameStyleEx::fsFlat || BorderOuter() == TFrameStyleEx::fsFlatBold;
  DrawEdge(canvas.Handle(), &strip, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE | (flat ? BF_FLAT : 0));

  DrawClockFace(canvas);
  canvas.Font().Assign(Font());

  const int margin = Scaled(5);
  int separatorY = FLayout.AMRect.Top - margin;
  canvas.Pen().SetColor(clBtnShadow);
  canvas.Pen().SetWidth(1);
  canvas.MoveTo(margin, separatorY);
  canvas.LineTo(Width() - margin, separatorY);

  // The captions; their glyphs follow the time.
  auto caption = [&](const TRect& item, const std::string& text) {
    RECT r = Rect(item);
    r.left += Scaled(14);
    canvas.Brush().SetColor(Color());
    canvas.DrawText(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  };
  caption(FLayout.AMRect, CaptionOr(FOptions.CaptionAM, kBuiltInAM));
  caption(FLayout.PMRect, CaptionOr(FOptions.CaptionPM, kBuiltInPM));
  if (FOptions.ShowSetButton) DrawSetButton(canvas, false);
}

void TTimePicker::DrawClockFace(TCanvas& canvas) {
  const TClockFaceColors& colors = FClockFaceColors;
  int cx = FLayout.ClockCenter.X, cy = FLayout.ClockCenter.Y, r = FLayout.ClockRadius;
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(FFocused ? ShadeColor(colors.Face(), 40) : colors.Face());
  canvas.Brush().SetColor(colors.Face());
  canvas.Font().SetStyle(fsBold);
  canvas.Font().SetHeight(-RoundHalfEvenToInt(r * 0.2));
  canvas.Ellipse(FLayout.ClockRect.Left, FLayout.ClockRect.Top, FLayout.ClockRect.Right, FLayout.ClockRect.Bottom);

  UINT savedAlign = GetTextAlign(canvas.Handle());
  SetTextAlign(canvas.Handle(), TA_CENTER);
  int half = canvas.TextHeight("0") / 2;
  canvas.Font().SetColor(colors.Numbers());
  for (int n = 1; n <= 12; ++n) {
    POINT d = HourPoint(n, RoundHalfEvenToInt(r * 0.75));
    canvas.TextOut(cx + d.x, cy + d.y - half, std::to_string(n));
  }
  SetTextAlign(canvas.Handle(), savedAlign);

  canvas.Pen().SetColor(colors.HourTicks());
  canvas.Brush().SetColor(colors.HourTicks());
  int t = RoundHalfEvenToInt(r * 0.02);
  for (int i = 1; i <= 60; ++i) {
    POINT d = MinutePoint(i, RoundHalfEvenToInt(r * 0.92));
    if (i % 5 == 0)
      canvas.Rectangle(cx + d.x - t, cy + d.y - t, cx + d.x + t + 1, cy + d.y + t + 1);
    else
      canvas.SetPixel(cx + d.x, cy + d.y, colors.MinuteTicks());
  }
}

void TTimePicker::DrawHands(TCanvas& canvas) {
  int cx = FLayout.ClockCenter.X, cy = FLayout.ClockCenter.Y, r = FLayout.ClockRadius;
  int h, m, s, ms;
  DecodeTime(FValue.Time(), h, m, s, ms);
  if (h > 12) h -= 12;
  int w = RoundHalfEvenToInt(r * 0.04);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(FClockFaceColors.Hands());
  canvas.Brush().SetColor(FClockFaceColors.Hands());
  auto hand = [&](POINT tip, POINT base, double phi) {
    POINT p{RoundHalfEvenToInt(std::cos(phi) * w), RoundHalfEvenToInt(std::sin(phi) * w)};
    POINT points[4] = {{cx, cy},
                       {cx + base.x - p.x, cy + base.y - p.y},
                       {cx + tip.x, cy + tip.y},
                       {cx + base.x + p.x, cy + base.y + p.y}};
    canvas.Polygon(points);
  };
  hand(MinutePoint(m, RoundHalfEvenToInt(r * 0.8)), MinutePoint(m, RoundHalfEvenToInt(r * 0.25)), m * std::numbers::pi / 30);
  hand(HourPoint(h, RoundHalfEvenToInt(r * 0.5)), HourPoint(h, RoundHalfEvenToInt(r * 0.15)), h * std::numbers::pi / 6);
}

void TTimePicker::DrawRadioGlyph(TCanvas& canvas, const TRect& item, bool checked) {
  TBitmap& glyph = FRadioGlyphs.Glyph(checked, Color());
  canvas.Draw(item.Left, item.Top + (item.Height() - glyph.Height()) / 2, glyph);
}

int TTimePicker::Scaled(int length) const { return ScaleLength(length, PixelsPerInch(), kDefaultPixelsPerInch); }

void TTimePicker::DrawSetButton(TCanvas& canvas, bool pressed) {
  RECT r = Rect(FLayout.SetRect);
  canvas.Brush().SetColor(clBtnFace);
  bool flat = BorderOuter() == TFrameStyleEx::fsFlat || BorderOuter() == TFrameStyleEx::fsFlatBold;
  UINT edge = pressed ? EDGE_SUNKEN : flat ? EDGE_ETCHED : EDGE_RAISED;
  DrawEdge(canvas.Handle(), &r, edge, BF_RECT | BF_MIDDLE | BF_ADJUST);
  if (pressed) {
    r.left += 2;
    r.top += 2;
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.DrawText(CaptionOr(FOptions.CaptionSet, kBuiltInSet), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

// --- input ---------------------------------------------------------------------------

namespace {

PickerMouseKeys MouseKeys(uint32_t shift) {
  return {.LeftHeld = (shift & ssLeft) != 0, .RightHeld = (shift & ssRight) != 0, .Ctrl = (shift & ssCtrl) != 0};
}

PickerKey KeyOf(WORD key) {
  switch (key) {
    case VK_PRIOR: return PickerKey::PageUp;
    case VK_NEXT: return PickerKey::PageDown;
    case VK_UP: return PickerKey::Up;
    case VK_DOWN: return PickerKey::Down;
    case VK_RETURN: return PickerKey::Enter;
    default: return PickerKey::Other;
  }
}

}  // namespace

bool TTimePicker::InClock(int x, int y) const { return FLayout.ClockRect.Contains(TPoint{x, y}); }

void TTimePicker::SetTimeDone() {
  if (FOnSetTime) FOnSetTime(this);
}

void TTimePicker::Perform(const PickerEffects& effects) {
  if (effects.ReleaseMouse) EndMouseCapture();
  if (effects.TakeMouse) BeginMouseCapture();
  if (effects.Repaint) Invalidate();
  Accepted(effects.TimeAccepted);
  if (effects.SetTime) SetTimeDone();
  if (effects.ClickSet) SetBtnClick();
}

void TTimePicker::MouseDown(int button, uint32_t shift, int x, int y) {
  TBorderedPanel::MouseDown(button, shift, x, y);
  if (CanFocus() && !Focused()) SetFocus();
  if (button != mbLeft && button != mbRight) return;
  Perform(FInput.MouseDown(button == mbLeft ? PickerButton::Left : PickerButton::Right, {x, y}, MouseKeys(shift)));
}

void TTimePicker::MouseMove(uint32_t shift, int x, int y) {
  if (FShowHowToUseHint) UpdateHowToUseHint(x, y);
  TBorderedPanel::MouseMove(shift, x, y);
  Perform(FInput.MouseMove({x, y}, MouseKeys(shift)));
}

void TTimePicker::MouseUp(int button, uint32_t shift, int x, int y) {
  TBorderedPanel::MouseUp(button, shift, x, y);
  if (button != mbLeft && button != mbRight) return;
  Perform(FInput.MouseUp(button == mbLeft ? PickerButton::Left : PickerButton::Right, {x, y}, MouseKeys(shift)));
}

void TTimePicker::MouseCaptureLost() { Perform(FInput.CaptureLost()); }

// A screen reader hears the hint as its name and the strip's text as its value.
TAccessibleItem TTimePicker::AccessibleItem(int32_t) const {
  return SpinAccessible(Hint(), TimeText(), {Enabled(), TabStop(), FFocused});
}

LRESULT TTimePicker::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; FAccessible.HandleMessage(Handle(), message, wParam, lParam, result)) return result;
  return TBorderedPanel::WndProc(message, wParam, lParam);
}

void TTimePicker::DoEnter() {
  FFocused = true;
  TBorderedPanel::DoEnter();
}

void TTimePicker::DoExit() {
  FFocused = false;
  TBorderedPanel::DoExit();
}

void TTimePicker::HandleDestroyed() {
  FFocused = false;
  TBorderedPanel::HandleDestroyed();
}

// --- the how-to-use hint ---------------------------------------------------------

POINT TTimePicker::CursorInClient() const {
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(Handle(), &at);
  return at;
}

void TTimePicker::NotifyMouseEnter() {
  TBorderedPanel::NotifyMouseEnter();
  if (!FShowHowToUseHint) return;
  POINT at = CursorInClient();
  UpdateHowToUseHint(at.x, at.y);
}

void TTimePicker::NotifyMouseLeave() {
  TBorderedPanel::NotifyMouseLeave();
  HideHowToUseHint();
}

void TTimePicker::EnabledChanged() {
  TBorderedPanel::EnabledChanged();
  if (Enabled()) return;
  FHintTimer->SetEnabled(false);
  HideHowToUseHint();
}

void TTimePicker::UpdateHowToUseHint(int x, int y) {
  if (!InClock(x, y) || !ApplicationInForeground()) {
    FHintTimer->SetEnabled(false);
    HideHowToUseHint();
    Invalidate();
    Update();
    return;
  }
  if (!FHintWindow) FHintWindow = std::make_unique<THintWindow>();
  const std::string& text = FHowToUseMsg.empty() ? kBuiltInHowToUse : FHowToUseMsg;
  RECT r = FHintWindow->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), text);
  POINT corner{0, Height()};
  ClientToScreen(Handle(), &corner);
  OffsetRect(&r, corner.x - r.left, corner.y - r.top);
  POINT shownAt = FHintWindow->Origin();
  if (!FHintWindow->Showing() || shownAt.x != r.left || shownAt.y != r.top) {
    FHintWindow->ActivateHint(r, text);
    FHintTimer->SetEnabled(true);
  }
}

void TTimePicker::HideHowToUseHint() {
  if (FHintWindow) FHintWindow->ReleaseHandle();
}

void TTimePicker::HintTimerFired() {
  POINT at = CursorInClient();
  // A picker out of sight or out of use keeps no hint and no timer: an armed,
  // hidden program wakes for its schedule alone.
  if (InClock(at.x, at.y) && IsWindowVisible(Handle()) && Enabled()) return;
  FHintTimer->SetEnabled(false);
  HideHowToUseHint();
  Invalidate();
  Update();
}

bool TTimePicker::HandleDialogChar(char16_t ch) {
  PickerEffects effects = FInput.Character(ch, Enabled());
  Perform(effects);
  return effects.Handled;
}

void TTimePicker::KeyDown(WORD& key, uint32_t shift) {
  TBorderedPanel::KeyDown(key, shift);
  if (key == 0) return;
  PickerEffects effects = FInput.KeyDown(KeyOf(key));
  if (effects.Handled) key = 0;
  Perform(effects);
}
