#include "panel/bordered_panel_win.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

#include "ui/graphics/canvas_win.h"
#include "persist/properties.h"
#include "panel/frame_canvas_win.h"
#include "panel/frame_paint.h"

namespace {
constexpr std::array<std::pair<std::string_view, TAlignment>, 3> kAlignments{{
    {"taLeftJustify", TAlignment::taLeftJustify},
    {"taRightJustify", TAlignment::taRightJustify},
    {"taCenter", TAlignment::taCenter},
}};
}  // namespace

TBorderedPanel::TBorderedPanel(TComponent* owner) : TWinControl(owner) {}

const PropertyTable& TBorderedPanel::Properties() const {
  using P = TBorderedPanel;
  static const PropertyTable table(
      &TWinControl::Properties(),
      {
          props::Enum("BorderOuter", &P::SetBorderOuter, &P::BorderOuter, IdentMap<TFrameStyleEx>(kFrameStyleIdents)),
          props::Enum("BorderInner", &P::SetBorderInner, &P::BorderInner, IdentMap<TFrameStyleEx>(kFrameStyleIdents)),
          props::Set("BorderSides", &P::SetBorderSides, &P::BorderSides, kSideIdents),
          props::Int("BorderWidth", &P::SetBorderWidth, &P::BorderWidth),
          props::Int("BevelWidth", &P::SetBevelWidth, &P::BevelWidth),
          props::Color("BorderColor", &P::SetBorderColor, &P::BorderColor),
          props::Color("BorderHighlight", &P::SetBorderHighlight, &P::BorderHighlight),
          props::Color("BorderShadow", &P::SetBorderShadow, &P::BorderShadow),
          props::Color("FlatColor", &P::SetFlatColor, &P::FlatColor),
          props::Int("FlatColorAdjustment", &P::SetFlatColorAdjustment, &P::FlatColorAdjustment),
          props::Enum("Alignment", &P::SetAlignment, &P::Alignment, IdentMap<TAlignment>(kAlignments)),
          props::Set("FrameSides", &P::SetFrameSides, kSideIdents),
          props::Event("OnMouseEnter", &P::SetOnMouseEnter),
          props::Event("OnMouseLeave", &P::SetOnMouseLeave),
      });
  return table;
}

void TBorderedPanel::FramesChanged() {
  AlignControls();
  Invalidate();
}

void TBorderedPanel::SetBorderOuter(TFrameStyleEx value) {
  if (value == FBorderOuter) return;
  FBorderOuter = value;
  FramesChanged();
}

void TBorderedPanel::SetBorderInner(TFrameStyleEx value) {
  if (value == FBorderInner) return;
  FBorderInner = value;
  FramesChanged();
}

void TBorderedPanel::SetBorderSides(uint32_t value) {
  if (value == FBorderSides) return;
  FBorderSides = value;
  FramesChanged();
}

void TBorderedPanel::SetBorderWidth(int value) {
  value = std::max(value, 0);
  if (value == FBorderWidth) return;
  FBorderWidth = value;
  FramesChanged();
}

void TBorderedPanel::SetBevelWidth(int value) {
  value = std::max(value, 1);
  if (value == FBevelWidth) return;
  FBevelWidth = value;
  FramesChanged();
}

RECT TBorderedPanel::AdjustForFrames(RECT r, bool includeBorderWidth) const {
  if (includeBorderWidth) InflateRect(&r, -FBorderWidth, -FBorderWidth);
  int w = FrameStyleWidth(FBorderOuter, FBevelWidth) + FrameStyleWidth(FBorderInner, FBevelWidth);
  if (FBorderSides & sdLeft) r.left += w;
  if (FBorderSides & sdTop) r.top += w;
  if (FBorderSides & sdRight) r.right -= w;
  if (FBorderSides & sdBottom) r.bottom -= w;
  return r;
}

RECT TBorderedPanel::GetFrameRect() const { return RECT{0, 0, Width(), Height()}; }

RECT TBorderedPanel::ClientRect() const {
  RECT r = TWinControl::ClientRect();
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  // Docked controls sit inside the frames.
  return DockSite() ? AdjustForFrames(r, false) : r;
}

void TBorderedPanel::Paint(TCanvas& canvas) {
  RECT frame = GetFrameRect();
  // The corners a rounded frame cuts off show what lies behind the panel,
  // a parent's skin as well as its colour; the frame's ring in the parent's
  // colour is left out so that they keep it.
  if (FBorderOuter == TFrameStyleEx::fsFlatRounded) PaintParentBackground(canvas.Handle(), frame);
  GdiFrameCanvas frameCanvas(canvas);
  // Transparent, the whole control shows what is behind it before the frame goes on.
  if (FTransparent && FBorderOuter != TFrameStyleEx::fsFlatRounded) PaintParentBackground(canvas.Handle(), frame);
  TRect inner = PaintPanelFrame(frameCanvas, TRect{frame.left, frame.top, frame.right, frame.bottom}, FBorderOuter,
                                FBorderInner, FBorderWidth, FBorderSides, FBevelWidth, FBorderColor, FBorderHighlight,
                                FBorderShadow, FFlatColor, FFlatColorAdjustment, Color(), clNone, FTransparent);
  RECT r{inner.Left, inner.Top, inner.Right, inner.Bottom};
  if (!FTransparent) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  DrawCaption(canvas, r);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
}

LRESULT TBorderedPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The window class has no redraw flags, so after a resize only the part
  // that came into view would be painted and the old frame edges would stay;
  // after a move the cut-off corners would show what was behind before.
  constexpr UINT kStays = SWP_NOSIZE | SWP_NOMOVE;
  if (message == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & kStays) != kStays)
    Invalidate();
  switch (message) {
    case WM_MOUSEMOVE:
      if (!FTrackingMouse) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        FTrackingMouse = TrackMouseEvent(&track) != FALSE;
        NotifyMouseEnter();
      }
      break;
    case WM_MOUSELEAVE:
      FTrackingMouse = false;
      NotifyMouseLeave();
      return 0;
    case WM_ERASEBKGND:
      if (!FTransparent) break;
      {
        RECT all{0, 0, Width(), Height()};
        PaintParentBackground(reinterpret_cast<HDC>(wParam), all);
      }
      return 1;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

void TBorderedPanel::NotifyMouseEnter() {
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TBorderedPanel::NotifyMouseLeave() {
  if (FOnMouseLeave) FOnMouseLeave(this);
}

void TBorderedPanel::DrawCaption(TCanvas& canvas, RECT r) {
  if (Caption().empty()) return;
  canvas.Font().Assign(Font());
  RECT t = r;
  t.left += 1;
  UINT horizontal = FAlignment == TAlignment::taLeftJustify    ? DT_LEFT
                    : FAlignment == TAlignment::taRightJustify ? DT_RIGHT
                                                               : DT_CENTER;
  UINT flags = horizontal | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
  RECT measure = t;
  int h = canvas.DrawText(Caption(), measure, flags | DT_CALCRECT);
  if (FVerticalAlignment == TVerticalAlignment::vaCenter) {
    t.top = (r.top + r.bottom - h) / 2;
    t.bottom = t.top + h;
  } else if (FVerticalAlignment == TVerticalAlignment::vaBottom) {
    t.top = r.bottom - h - 1;
  }
  if (Enabled()) {
    canvas.DrawText(Caption(), t, flags);
    return;
  }
  RECT shadow = t;
  OffsetRect(&shadow, 1, 1);
  canvas.Font().SetColor(clBtnHighlight);
  canvas.DrawText(Caption(), shadow, flags);
  canvas.Font().SetColor(clBtnShadow);
  canvas.DrawText(Caption(), t, flags);
}

void TBorderedPanel::EnabledChanged() {
  TWinControl::EnabledChanged();
  Update();
  if (!Enabled()) {
    FSavedChildStates.clear();
    for (TWinControl* child : Controls()) FSavedChildStates.emplace_back(child, child->Enabled());
    for (TWinControl* child : Controls()) child->SetEnabled(false);
    return;
  }
  for (TWinControl* child : Controls()) {
    auto saved = std::find_if(FSavedChildStates.begin(), FSavedChildStates.end(),
                              [child](const auto& entry) { return entry.first == child; });
    child->SetEnabled(saved == FSavedChildStates.end() || saved->second);
  }
}
