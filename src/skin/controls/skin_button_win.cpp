#include "skin/controls/skin_button_win.h"

#include <windowsx.h>

#include "base/accelerator.h"
#include "persist/properties.h"
#include "skin/pixels/bmp_pixels.h"
#include "skin/controls/glyph_caption_win.h"
#include "skin/pixels/pixel_copy.h"
#include "skin/pixels/pixel_effects.h"
#include "ui/action_list_win.h"
#include "ui/graphics/canvas_win.h"
#include "ui/form_win.h"
#include "ui/system/timer_win.h"

namespace {

constexpr int kMorphInterval = 20;
constexpr TColor kDownBorder = 0x800000;          // navy
constexpr TColor kDownInterior = 0x00B59385;
constexpr TColor kHotInterior = 0x00D2BDB6;
// Behind an action's image, so the glyph's transparent colour is around it.
constexpr TColor kActionGlyphBackground = 0xFF00FF;

const std::array<std::pair<std::string_view, TButtonLayout>, 4> kLayouts{
    {{"blGlyphLeft", blGlyphLeft}, {"blGlyphRight", blGlyphRight}, {"blGlyphTop", blGlyphTop}, {"blGlyphBottom", blGlyphBottom}}};

TForm* ParentForm(TWinControl* control) {
  for (TWinControl* c = control; c; c = c->Parent())
    if (auto* form = dynamic_cast<TForm*>(c)) return form;
  return nullptr;
}

}  // namespace

class TSkinButton::Host : public ButtonHost {
 public:
  explicit Host(TSkinButton& button) : B(button), Behaviour(*this) {}
  bool Focused() const override { return B.TWinControl::Focused(); }
  bool Enabled() const override { return B.TWinControl::Enabled(); }
  void ApplyDown(bool down, bool repaint) override { B.ApplyDown(down, repaint); }
  void StartRepeat() override { B.StartRepeat(); }
  void StopRepeat() override { B.StopRepeat(); }
  bool RepeatRunning() const override { return B.FRepeatTimer != nullptr; }
  void PerformClick() override { B.PerformClick(); }
  void Refresh() override { B.Refresh(); }
  void MouseEntered() override { B.MouseEntered(); }
  void MouseLeft() override { B.MouseLeft(); }
  bool Morphing() const override { return B.Morphing(); }

  TSkinButton& B;
  ButtonBehaviour Behaviour;
};

TSkinButton::TSkinButton(TComponent* owner) : TSkinCustomControl(owner), FHost(std::make_unique<Host>(*this)) {
  SetSkinDataName("button");
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

TSkinButton::~TSkinButton() = default;

ButtonBehaviour& TSkinButton::Behaviour() const { return FHost->Behaviour; }

const PropertyTable& TSkinButton::Properties() const {
  using B = TSkinButton;
  static const PropertyTable table(&TSkinCustomControl::Properties(),
                                   {
                                       props::Bool("RepeatMode", &B::SetRepeatMode, &B::RepeatMode),
                                       props::Int("RepeatInterval", &B::SetRepeatInterval, &B::RepeatInterval),
                                       props::Bool("AllowAllUp", &B::SetAllowAllUp, &B::AllowAllUp),
                                       props::Bool("CanFocused", &B::SetCanFocused, &B::CanFocused),
                                       props::Bool("Down", &B::SetDown, &B::Down),
                                       props::Int("GroupIndex", &B::SetGroupIndex, &B::GroupIndex),
                                       props::Binary("Glyph.Data", &B::SetGlyphData, &B::GlyphData),
                                       props::Int("NumGlyphs", &B::SetNumGlyphs, &B::NumGlyphs),
                                       props::Int("Margin", &B::SetMargin, &B::Margin),
                                       props::Int("Spacing", &B::SetSpacing, &B::Spacing),
                                       props::Enum("Layout", &B::SetLayout, &B::Layout, IdentMap<TButtonLayout>(kLayouts)),
                                       props::Bool("Default", &B::SetDefault, &B::Default),
                                       props::Bool("Cancel", &B::SetCancel, &B::Cancel),
                                       props::Int("ModalResult", &B::SetModalResult, &B::ModalResult),
                                       props::Event("OnClick", &B::SetOnClick),
                                       props::Ref("Action", &B::SetAction, &B::Action),
                                       control_props::PopupMenu(),
                                       control_props::OnMouseDown(),
                                       control_props::OnMouseMove(),
                                       control_props::OnMouseUp(),
                                       control_props::OnResize(),
                                       control_props::OnKeyDown(),
                                       control_props::OnKeyPress(),
                                       control_props::OnKeyUp(),
                                   });
  return table;
}

// --- clicks and properties ----------------------------------------------------------

void TSkinButton::Click() {
  if (!Action() && FOnClick) FOnClick(this);
}

void TSkinButton::PerformClick() {
  if (CanFocused())
    if (TForm* form = ParentForm(this)) form->SetModalResult(FModalResult);
  if (FOnClick && Action() && !FOnClickIsActionExecute)
    FOnClick(this);
  else if (Action())
    FActionLink.Execute();
  else if (FOnClick)
    FOnClick(this);
}

void TSkinButton::SetOnClick(TNotifyEvent handler) {
  FOnClick = std::move(handler);
  FOnClickIsActionExecute = false;
}

void TSkinButton::SetAction(TAction* action) {
  // A button without a click of its own clicks as the action does, also
  // after the link goes.
  if (action && !FOnClick) {
    FOnClick = action->OnExecute();
    FOnClickIsActionExecute = true;
  }
  FActionLink.SetAction(action);
}

void TSkinButton::ActionImageChanged() {
  TImageList* images = Action() ? ActionImages(*Action()) : nullptr;
  if (!images || !FGlyph.Empty()) return;
  TFBitmap glyph(images->ImageWidth(), images->ImageHeight());
  {
    TCanvas canvas(glyph.DC());
    canvas.Brush().SetColor(kActionGlyphBackground);
    canvas.FillRect(RECT{0, 0, glyph.Width(), glyph.Height()});
    images->Draw(canvas.Handle(), 0, 0, Action()->ImageIndex());
  }
  FGlyph = std::move(glyph);
  Invalidate();
}

void TSkinButton::SetDown(bool value) { ApplyDown(value, true); }

void TSkinButton::ApplyDown(bool down, bool repaint) {
  if (down == Behaviour().Down) return;
  Behaviour().DownChanged(down);
  if (down && GroupIndex() != 0 && !Behaviour().Options.AllowAllUp) RaiseGroupSiblings();
  if (Morphing()) {
    if (down)
      StopMorph();
    else
      Refresh();
  }
  if (repaint) Invalidate();
}

void TSkinButton::RaiseGroupSiblings() {
  if (!Parent()) return;
  for (TWinControl* sibling : Parent()->Controls())
    if (auto* button = dynamic_cast<TSkinButton*>(sibling);
        button && button != this && button->GroupIndex() == GroupIndex() && button->Down())
      button->SetDown(false);
}

void TSkinButton::SetCanFocused(bool value) { Behaviour().Options.CanFocused = value; }

void TSkinButton::SetGroupIndex(int value) {
  Behaviour().Options.GroupIndex = value;
  if (value != 0) SetCanFocused(false);
}

void TSkinButton::SetDefault(bool value) {
  Behaviour().Options.Default = value;
  if (HandleAllocated() && CanFocused())
    if (TForm* form = ParentForm(this)) form->BroadcastFocusChange(form->ActiveControl());
}

void TSkinButton::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (value == FNumGlyphs) return;
  FNumGlyphs = value;
  Invalidate();
}

void TSkinButton::SetSpacing(int value) {
  if (value == FSpacing) return;
  FSpacing = value;
  Invalidate();
}

void TSkinButton::SetMargin(int value) {
  if (value == FMargin || value < -1) return;
  FMargin = value;
  Invalidate();
}

void TSkinButton::SetLayout(TButtonLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  Invalidate();
}

void TSkinButton::SetGlyphData(const std::vector<uint8_t>& data) {
  // The stream holds the file's length first, then the file.
  if (data.size() <= 4) {
    SetGlyph({});
    return;
  }
  SetGlyph(PixelImageFromBmp(DecodeBmp(std::span(data).subspan(4))));
  FGlyphData = data;
}

void TSkinButton::SetGlyph(PixelImage glyph) {
  FGlyph = TFBitmap(glyph.View());
  FGlyphData.clear();
  Invalidate();
}

// --- skin --------------------------------------------------------------------------------

const TDataSkinButtonControl* TSkinButton::ButtonSection() const {
  return dynamic_cast<const TDataSkinButtonControl*>(Section());
}

bool TSkinButton::Morphing() const {
  const TDataSkinButtonControl* section = ButtonSection();
  return HasSkin() && section && section->morphing;
}

void TSkinButton::ApplySkin() {
  StopMorph();
  Behaviour().MorphFactor = 0;
  TSkinCustomControl::ApplySkin();
  if (Morphing() && ((Focused() && CanFocused()) || MouseInside())) Behaviour().MorphFactor = 1;
}

// --- timers ------------------------------------------------------------------------------

void TSkinButton::StartRepeat() {
  StopRepeat();
  FRepeatTimer = new TTimer(this);
  FRepeatTimer->SetInterval(FRepeatInterval);
  FRepeatTimer->SetOnTimer([this](TObject*) { PerformClick(); });
}

void TSkinButton::StopRepeat() { delete std::exchange(FRepeatTimer, nullptr); }

void TSkinButton::Refresh() {
  if (!Morphing()) {
    Invalidate();
    return;
  }
  if (FMorphTimer) return;
  FMorphTimer = new TTimer(this);
  FMorphTimer->SetInterval(kMorphInterval);
  FMorphTimer->SetOnTimer([this](TObject*) { MorphTimerTick(); });
}

void TSkinButton::MorphTimerTick() {
  if (!Behaviour().MorphTick()) StopMorph();
  Invalidate();
}

void TSkinButton::StopMorph() { delete std::exchange(FMorphTimer, nullptr); }

// --- input ---------------------------------------------------------------------------------

void TSkinButton::MouseDown(int button, uint32_t shift, int x, int y) {
  if (button == mbLeft) {
    // The button takes the focus itself, tab stop or not; one that does not get it swallows the press.
    if (CanFocused() && !Focused()) {
      FTakingFocus = true;
      SetFocus();
      FTakingFocus = false;
      if (!Focused()) return;
    }
    BeginMouseCapture();
    Behaviour().Press();
  }
  TSkinCustomControl::MouseDown(button, shift, x, y);
}

void TSkinButton::MouseUp(int button, uint32_t shift, int x, int y) {
  if (button == mbLeft && Behaviour().PressedByMouse) {
    EndMouseCapture();
    Behaviour().Release();
  }
  // A click may have hidden or destroyed the window; then the release is no longer ours to report.
  if (HandleAllocated() && IsWindowVisible(Handle())) TSkinCustomControl::MouseUp(button, shift, x, y);
}

void TSkinButton::MouseCaptureLost() {
  // The press ends where the pointer is not: no click.
  if (Behaviour().PressedByMouse) Behaviour().CaptureLost();
}

void TSkinButton::KeyDown(WORD& key, uint32_t shift) {
  if (key == VK_SPACE)
    Behaviour().KeyDown(ButtonKey::Space);
  else if (key == VK_RETURN)
    Behaviour().KeyDown(ButtonKey::Enter);
  TSkinCustomControl::KeyDown(key, shift);
}

void TSkinButton::KeyUp(WORD& key, uint32_t shift) {
  if (key == VK_SPACE) Behaviour().KeyUp(ButtonKey::Space);
  TSkinCustomControl::KeyUp(key, shift);
}

bool TSkinButton::HandleDialogKey(WORD key, uint32_t shift) {
  if (key == VK_RETURN) return Behaviour().DefaultKey();
  if (key == VK_ESCAPE) return Behaviour().CancelKey((shift & (ssShift | ssCtrl | ssAlt)) != 0, CanFocus());
  return false;
}

bool TSkinButton::HandleDialogChar(char16_t ch) {
  if (!IsAccelerator(ch, Caption()) || !CanFocus() || !CanFocused()) return false;
  SetFocus();
  PerformClick();
  return true;
}

void TSkinButton::FocusChanged(TWinControl* focused) {
  Behaviour().FocusMovedTo(focused == this, dynamic_cast<TSkinButton*>(focused) != nullptr);
}

void TSkinButton::DoEnter() { Behaviour().FocusGained(); }

void TSkinButton::DoExit() { Behaviour().FocusLost(); }

void TSkinButton::EnabledChanged() {
  StopMorph();
  Behaviour().EnabledChanged();
}

void TSkinButton::CreateHandle() {
  TSkinCustomControl::CreateHandle();
  Behaviour().ActsAsDefault = Behaviour().Options.Default;
  UpdateSkinRegion();
}

bool TSkinButton::PtInWindowShape(POINT at) const {
  if (at.x < 0 || at.y < 0 || at.x >= Width() || at.y >= Height()) return false;
  // A shaped button's cut corners are not the button.
  RegionHandle shape(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(Handle(), shape.Get()) == ERROR) return true;
  return PtInRegion(shape.Get(), at.x, at.y) != FALSE;
}

TAccessibleItem TSkinButton::AccessibleItem(int32_t) const {
  return PushButtonAccessible(Caption(), {{Enabled(), CanFocused(), Focused()}, Down(), Behaviour().ActsAsDefault,
                                          MouseInside()});
}

// A screen reader presses the button as the user does.
void TSkinButton::DoAccessibleAction(int32_t) { PerformClick(); }

LRESULT TSkinButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; FAccessible.HandleMessage(Handle(), message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_MOUSEMOVE: {
      if (!FTrackingMouse) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        FTrackingMouse = TrackMouseEvent(&track) != FALSE;
      }
      // While the mouse is held the capture hides leaving; the pointer's place tells.
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      bool inside = PtInWindowShape(at);
      if (inside && !Behaviour().MouseInside)
        Behaviour().Enter();
      else if (!inside && Behaviour().MouseInside && Behaviour().PressedByMouse)
        Behaviour().Leave();
      break;
    }
    case WM_MOUSELEAVE:
      FTrackingMouse = false;
      if (!Behaviour().PressedByMouse && Behaviour().MouseInside) Behaviour().Leave();
      return 0;
    case WM_CHAR:
      if (wParam == ' ' || wParam == '\r') return 0;  // handled on key down and up
      break;
    case WM_COMMAND:
      if (FTakingFocus) return 0;  // what the focus change set off is no command of this press
      break;
  }
  return TSkinCustomControl::WndProc(message, wParam, lParam);
}

// --- painting ---------------------------------------------------------------------------

ButtonFaceState TSkinButton::FaceState() const {
  ButtonFaceState s;
  const TDataSkinButtonControl* section = ButtonSection();
  s.Morphing = Morphing();
  s.MorphFactor = Behaviour().MorphFactor;
  s.Enabled = TWinControl::Enabled();
  s.HasDisabledPicture = section && section->disabledskinrect.Width() > 0 && section->disabledskinrect.Height() > 0;
  s.Down = Behaviour().Down;
  s.GroupIndex = GroupIndex();
  s.MouseInside = Behaviour().MouseInside;
  s.Focused = TWinControl::Focused();
  s.CanFocused = CanFocused();
  s.PressedByMouse = Behaviour().PressedByMouse;
  return s;
}

void TSkinButton::Paint(TCanvas& canvas) {
  if (Width() <= 0 || Height() <= 0) return;
  ReadSkinSection();
  const TDataSkinButtonControl* section = ButtonSection();
  if (!HasSkin() || !section || Picture().Width() == 0) {
    DrawDefaultFace(canvas);
    return;
  }
  auto empty = [](const TRect& r) { return r.Width() < 1 || r.Height() < 1; };
  TRect active = empty(section->activeskinrect) ? SkinRect() : section->activeskinrect;
  TRect down = empty(section->downskinrect) ? active : section->downskinrect;

  TFBitmap face(Width(), Height());
  switch (ChooseButtonFace(FaceState()).Face) {
    case ButtonFace::Morph: {
      TFBitmap hot(Width(), Height());
      DrawStateFace(face, SkinRect(), false, false);
      DrawStateFace(hot, active, true, false);
      TransitionFor(section->morphkind)(face.View(), hot.View(), Behaviour().MorphFactor);
      break;
    }
    case ButtonFace::Disabled: DrawStateFace(face, section->disabledskinrect, false, false); break;
    case ButtonFace::Down: DrawStateFace(face, down, true, true); break;
    case ButtonFace::Active: DrawStateFace(face, active, true, false); break;
    case ButtonFace::Normal: DrawStateFace(face, SkinRect(), false, false); break;
  }
  DrawPixels(canvas.Handle(), 0, 0, face.View());
}

void TSkinButton::DrawStateFace(TFBitmap& face, const TRect& rect, bool active, bool down) {
  const TDataSkinButtonControl* section = ButtonSection();
  PixelImage composed = ComposeFace(rect);
  PixelView target = face.View();
  CopyPixels(target, PixelBox(0, 0, composed.Width(), composed.Height()), composed.View(),
             PixelBox(0, 0, composed.Width(), composed.Height()));
  TFont font;
  if (UseSkinFont()) {
    font.SetName(section->fontname);
    font.SetHeight(section->fontheight);
    font.SetStyle(section->fontstyle);
    font.SetCharset(DefaultFont().Charset());
  } else {
    font.Assign(DefaultFont());
  }
  bool enabled = TWinControl::Enabled();
  TColor color = ButtonCaptionColor({section->fontcolor, section->activefontcolor, section->downfontcolor,
                                     section->disabledfontcolor},
                                    enabled, active, down);
  TCanvas canvas(face.DC());
  DrawCaptionAndGlyph(canvas, font, color, ButtonGlyphCell(active, down, enabled, FNumGlyphs), active && down);
}

void TSkinButton::DrawDefaultFace(TCanvas& canvas) {
  ButtonFaceState state = FaceState();
  bool downLook = ShowsDownLook(state);
  bool hot = state.MouseInside || (state.Focused && state.CanFocused);
  RECT r{0, 0, Width(), Height()};
  canvas.Brush().SetColor(downLook || hot ? kDownBorder : clBtnShadow);
  canvas.FillRect(r);
  InflateRect(&r, -1, -1);
  canvas.Brush().SetColor(downLook ? kDownInterior : hot ? kHotInterior : clBtnFace);
  canvas.FillRect(r);
  TColor color = state.Enabled ? DefaultFont().Color() : clBtnShadow;
  DrawCaptionAndGlyph(canvas, DefaultFont(), color,
                      ButtonGlyphCell(state.MouseInside, Behaviour().Down, state.Enabled, FNumGlyphs), downLook);
}

void TSkinButton::DrawCaptionAndGlyph(TCanvas& canvas, const TFont& font, TColor color, int cell, bool down) {
  TRect client = HasSkin() ? ScaledPoints().Client : TRect{0, 0, Width(), Height()};
  canvas.Font().Assign(font);
  canvas.Font().SetColor(color);
  if (FGlyph.Empty()) {
    // A caption too wide for its area (Start's running time in a long
    // format) would be cut at the button's edges.
    CanvasSizedTextMeasure measure(canvas);
    constexpr int kFaceMargin = 3;  // the face's bevel
    const TCaptionFit fit = FitCaption(measure, Caption(), client, TRect{0, 0, Width(), Height()}, kFaceMargin,
                                       font.Height());
    client = fit.Area;
    canvas.Font().SetHeight(fit.FontHeight);
  }
  DrawGlyphAndCaption(canvas, client, FMargin, FSpacing, FLayout, Caption(), FGlyph.Empty() ? nullptr : FGlyph.Handle(),
                      FNumGlyphs, cell, down);
}
