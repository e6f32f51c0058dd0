#include "skin/frame/skin_frame_win.h"

#include <windowsx.h>
// windowsx.h's aliases of IsIconic and IsZoomed would rename the frame's commands.
#undef IsMinimized
#undef IsMaximized

#include <utility>
#include <vector>

#include "base/startup_phases.h"
#include "skin/pixels/bmp_pixels.h"
#include "skin/pixels/mask_region_win.h"
#include "skin/data/skin_data.h"
#include "ui/system/window_platform_win.h"
#include "skin/frame/layout/frame_hit_test.h"
#include "skin/frame/default_frame.h"
#include "skin/frame/layout/frame_limits.h"
#include "skin/frame/layout/window_placement.h"
#include "skin/frame/layout/object_layout.h"
#include "skin/frame/skin_form_win.h"
#include "ui/application_win.h"
#include "ui/form_win.h"
#include "ui/system/timer_win.h"

// The morph and animation timers, made when first needed.
class TSkinFrame::Timers {
 public:
  explicit Timers(TSkinFrame& frame) : F(frame) {}
  void StartMorph() { Start(FMorph, 20, [this] { return F.FObjects.MorphTick(); }); }
  void StartAnimate() { Start(FAnimate, 25, [this] { return F.FObjects.AnimateTick(); }); }
  void StopAll() {
    FMorph.reset();
    FAnimate.reset();
    StopHint();
    StopTrack();
  }
  // Watches the pointer while an object is hot: the system tells a leave
  // into the client area late or not at all.
  void StartTrack() {
    if (!FTrack) {
      FTrack = std::make_unique<TTimer>(nullptr);
      FTrack->SetInterval(50);
      FTrack->SetOnTimer([this](TObject*) {
        if (!F.TrackTick()) FTrack->SetEnabled(false);
      });
    }
    FTrack->SetEnabled(true);
  }
  bool Tracking() const { return FTrack && FTrack->Enabled(); }
  void StopTrack() {
    if (FTrack) FTrack->SetEnabled(false);
  }
  // One shot: the hint shows once the pointer has rested.
  void StartHint() {
    FHint = std::make_unique<TTimer>(nullptr);
    FHint->SetInterval(kHintPause);
    FHint->SetOnTimer([this](TObject*) {
      FHint->SetEnabled(false);
      F.ShowPendingHint();
    });
    FHint->SetEnabled(true);
  }
  void StopHint() {
    if (FHint) FHint->SetEnabled(false);
  }

 private:
  template <class Tick>
  void Start(std::unique_ptr<TTimer>& timer, int interval, Tick tick) {
    if (!timer) {
      timer = std::make_unique<TTimer>(nullptr);
      timer->SetInterval(interval);
      TTimer* self = timer.get();
      timer->SetOnTimer([this, self, tick](TObject*) {
        bool more = tick();
        F.RepaintFrame();
        if (!more) self->SetEnabled(false);
      });
    }
    // A timer that ran out waits, disabled, for the next morph or animation.
    timer->SetEnabled(true);
  }
  TSkinFrame& F;
  std::unique_ptr<TTimer> FMorph, FAnimate, FHint, FTrack;
};

TSkinFrame::TSkinFrame(TSkinForm& owner, TForm& form)
    : FOwner(owner),
      FForm(form),
      FNoise(GetTickCount()),
      FMenu(std::make_unique<TSkinMenu>(form.Handle())),
      FTimers(std::make_unique<Timers>(*this)) {
  LiveFrames().push_back(this);
}

TSkinFrame::~TSkinFrame() {
  FForm.SetBackgroundPainter(nullptr);
  std::erase(LiveFrames(), this);
}

// --- skin ------------------------------------------------------------------------------

void TSkinFrame::ForgetSkin() {
  HideObjectHint();
  FTimers->StopAll();
  FObjects.Clear();
  FSkinActive = false;
}

void TSkinFrame::ApplySkin(const TSkinData* skin) {
  HideObjectHint();
  FTimers->StopAll();
  FObjects.ForgetIndices();
  int clientWidth = FForm.ClientWidth(), clientHeight = FForm.ClientHeight();
  FSkinActive = skin && !skin->NoSkin() && !skin->PictureBitmap().Empty();
  HWND window = FForm.Handle();
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (FSkinActive) {
    FSkin = FrameSkinPointsOf(*skin);
    FStretch = {skin->leftstretch, skin->topstretch, skin->rightstretch, skin->bottomstretch};
    FBorderWidth = skin->borderwidth;
    const TSkinBitmap& inactive = skin->InactivePictureBitmap();
    FInactivePicture = inactive.Empty() ? PixelImage() : PixelImageFromBmp(inactive.Image());
    FAutoRenderInactive = skin->autorenderinginactiveimage;
    FInactiveEffect = skin->inactiveeffect;
    FMask = skin->MaskBitmap().Empty() ? PixelImage() : PixelImageFromBmp(skin->MaskBitmap().Image());
    const auto& extra = skin->ActivePictureBitmaps();
    const int32_t background = skin->bgpictureindex;
    FBackground = background >= 0 && static_cast<size_t>(background) < extra.size() && !extra[background].Empty()
                      ? PixelImageFromBmp(extra[background].Image())
                      : PixelImage();
    MarkStartupPhase("frame: pictures to pixels");
    FObjects.CreateObjects(*skin);
    MarkStartupPhase("frame: caption objects");
    FForm.SetBackgroundPainter([this](HDC dc, const RECT& area) { PaintClientBackground(dc, area); });
  } else {
    // The frame draws itself without a skin too: its own bevels, caption bar and buttons.
    FObjects.Clear();
    FObjects.CreateDefaultObjects(skin);
    FForm.SetBackgroundPainter(nullptr);
    SetWindowRgn(window, nullptr, TRUE);
  }
  FObjects.ApplyBorderIcons(FOwner.BorderIcons());
  AttachItems();
  // The system draws no caption and opens no menu of its own: the frame and its menus are the program's.
  constexpr LONG_PTR kSystemFrame = WS_CAPTION | WS_SYSMENU;
  if (style & kSystemFrame) SetWindowLongPtrW(window, GWL_STYLE, style & ~kSystemFrame);
  FRegionSize = {};
  {
    const auto passing = PassingSize();
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitToNewFrame(clientWidth, clientHeight);
  }
  MarkStartupPhase("frame: style, size fitted");
  FActive = GetActiveWindow() == window;
  UpdateFrame();
  FObjects.UpdateCaptionActive(false);
  InvalidateRect(window, nullptr, TRUE);
  MarkStartupPhase("frame: points, objects placed");
  FOwner.ChangeSkinData();
  MarkStartupPhase("frame: skin passed to the controls");
}

// A maximized form still fills its area; any other keeps its client, or its
// caption strip when rolled up or minimized, and none is smaller than the
// new frame allows.
void TSkinFrame::FitToNewFrame(int clientWidth, int clientHeight) {
  HWND window = FForm.Handle();
  if (IsMaximized()) {
    const TRect area = MaximizeRect(GetMonitorArea(window, true), GetMonitorArea(window, false),
                                    FOwner.MaximizeOnFullScreen());
    SetWindowPos(window, nullptr, area.Left, area.Top, area.Width(), area.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  const TRect bounds = WindowBounds(window);
  RECT client;
  GetClientRect(window, &client);
  const TPoint kept{bounds.Width() + clientWidth - client.right, bounds.Height() + clientHeight - client.bottom};
  const TPoint size = SizeAfterSkinChange(kept, MinFrameSize(IsMinimized(), FStates.RolledUp()), FStates.RolledUp(),
                                          FStates.State() == TFrameState::Minimized);
  SetWindowPos(window, nullptr, 0, 0, size.X, size.Y, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSkinFrame::UpdateFrame() {
  const TRect bounds = WindowBounds(FForm.Handle());
  UpdateFrame(bounds.Width(), bounds.Height());
}

void TSkinFrame::UpdateFrame(int32_t width, int32_t height) {
  if (!FSkinActive || BelowMinimum(width, height)) return;
  FFrame = ComputeFramePoints(FSkin, width, height);
  ArrangeObjects();
  if (!FPassingSize) UpdateRegion();
}

bool TSkinFrame::BelowMinimum(int32_t width, int32_t height) const {
  const TPoint least = MinFrameSize(IsMinimized(), FStates.RolledUp());
  return width < least.X || height < least.Y;
}

TPoint TSkinFrame::SmallIconSize() {
  const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
  if (width > 0 && height > 0) return {width, height};
  return {GetSystemMetrics(SM_CXSIZE), GetSystemMetrics(SM_CYSIZE)};
}

void TSkinFrame::ArrangeObjects() {
  std::vector<TFrameObjectPlace> places = FObjects.Places();
  if (FSkinActive)
    ::ArrangeObjects(places, FSkin, FFrame, FOwner.ShowIcon() ? std::optional<TPoint>(SmallIconSize()) : std::nullopt);
  else
    FCaptionSpan = PlaceDefaultButtons(places, WindowBounds(FForm.Handle()).Width(), IsToolWindow());
  FObjects.Place(places);
}

bool TSkinFrame::IsToolWindow() const {
  const TBorderStyle style = FForm.BorderStyle();
  return style == TBorderStyle::bsToolWindow || style == TBorderStyle::bsSizeToolWin;
}

bool TSkinFrame::IsSizeable() const {
  const TBorderStyle style = FForm.BorderStyle();
  return style == TBorderStyle::bsSizeable || style == TBorderStyle::bsSizeToolWin;
}

void TSkinFrame::UpdateRegion() {
  HWND window = FForm.Handle();
  // A form without a border has no frame to shape.
  if (FForm.BorderStyle() == TBorderStyle::bsNone) {
    FRegionSize = {};
    FMaskStrips = {};
    SetWindowRgn(window, nullptr, TRUE);
    return;
  }
  // Setting a region changes the frame, which reports a size again: the
  // shape is rebuilt only for a new size.
  if (FRegionSize == TPoint{FFrame.FrameWidth, FFrame.FrameHeight}) return;
  FRegionSize = {FFrame.FrameWidth, FFrame.FrameHeight};
  if (FMask.Width() == 0) {
    SetWindowRgn(window, nullptr, TRUE);
    FMaskStrips = {};
    return;
  }
  TFramePoints points = MaskSplitPoints(FSkin), scaled = MaskSplitPoints(FFrame);
  FMaskStrips = SplitMaskBorders(points, scaled, FMask.View(), FFrame.FrameWidth, FFrame.FrameHeight);
  RegionHandle region = ScaledMaskRegion(points, scaled, FMask.View(), FFrame.FrameWidth, FFrame.FrameHeight);
  // The window owns the region once it is set, and frees the one before it.
  if (region && SetWindowRgn(window, region.Get(), TRUE)) region.Release();
  MarkStartupPhase("frame: mask region", std::to_string(FFrame.FrameWidth) + "x" + std::to_string(FFrame.FrameHeight));
}

bool TSkinFrame::TrackTick() {
  if (!FActive || FInSizeMove) return false;
  POINT cursor;
  GetCursorPos(&cursor);
  const TPoint p = WindowPoint(cursor);
  RECT client;
  GetClientRect(FForm.Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(FForm.Handle(), &origin);
  const TPoint corner = WindowPoint(origin);
  const TRect inside = Bounds(corner.X, corner.Y, client.right, client.bottom);
  if (!inside.Contains(p))
    FObjects.TrackObjects(p);
  else if (FObjects.HotObject() != -1)
    FObjects.TrackObjects(TPoint{-1, -1}, false);
  return FObjects.HotObject() != -1;
}

void TSkinFrame::ApplyShowIcon() {
  ArrangeObjects();
  RepaintFrame();
}

void TSkinFrame::ShowObjectHint(const std::string& hint) {
  if (!FOwner.ShowObjectHint()) return;
  FPendingHint = hint;
  FTimers->StartHint();
}

void TSkinFrame::ShowPendingHint() {
  if (FPendingHint.empty() || FObjects.HotObject() == -1) return;
  POINT cursor;
  GetCursorPos(&cursor);
  // Below the pointer, clear of the cursor's picture.
  const POINT at{cursor.x, cursor.y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3};
  if (TSkinHint* hint = FOwner.SkinHint())
    hint->ActivateHint(at, FPendingHint, FOwner.SkinData());
  else
    FHintWindow.ShowText(FOwner.SkinData(), at, FPendingHint);
}

void TSkinFrame::HideObjectHint() {
  FPendingHint.clear();
  FTimers->StopHint();
  if (TSkinHint* hint = FOwner.SkinHint()) hint->HideHint();
  FHintWindow.Hide();
}

void TSkinFrame::StartMorphTimer() { FTimers->StartMorph(); }

void TSkinFrame::StartAnimateTimer() { FTimers->StartAnimate(); }

// --- input --------------------------------------------------------------------------------

TPoint TSkinFrame::WindowPoint(POINT screen) const {
  const TRect bounds = WindowBounds(FForm.Handle());
  return {screen.x - bounds.Left, screen.y - bounds.Top};
}

TPoint TSkinFrame::WindowPointFromClient(LPARAM lParam) const {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(FForm.Handle(), &p);
  return WindowPoint(p);
}

int TSkinFrame::HitTest(POINT screen) const {
  const TRect bounds = WindowBounds(FForm.Handle());
  const TPoint p{screen.x - bounds.Left, screen.y - bounds.Top};
  std::vector<TRect> captions;
  for (size_t i = 0; i < FObjects.Count(); ++i)
    if (dynamic_cast<const TSkinCaptionObject*>(&FObjects[i])) captions.push_back(FObjects[i].ObjectRect);
  TFrameHitState state;
  state.Sizeable = IsSizeable();
  state.Minimized = IsMinimized();
  state.RolledUp = FStates.RolledUp();
  state.InSizeMove = FInSizeMove;
  state.Maximized = IsMaximized();
  state.ObjectHot = FObjects.HotObject() != -1;
  state.CaptionObjects = captions;
  if (!FSkinActive)
    return DefaultHitTest(p, bounds.Width(), bounds.Height(), FCaptionSpan.Left, FCaptionSpan.Right,
                          DefaultCaptionHeight(IsToolWindow()), state);
  TMaskQuery inMask;
  if (FMask.Width() > 0)
    inMask = [this](TPoint q) { return PointInFrameMask(FMaskStrips, FFrame.Mask, q); };
  return FrameHitTest(p, FFrame, FBorderWidth, inMask, state);
}

void TSkinFrame::TrackNonClientLeave() {
  if (FTrackingLeave) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, FForm.Handle(), 0};
  FTrackingLeave = TrackMouseEvent(&track) != FALSE;
}

bool TSkinFrame::PressObjects(UINT message, LPARAM lParam, LRESULT& result) {
  TPoint p = WindowPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (FObjects.Press(p, message == WM_NCLBUTTONDOWN ? kObjectLeftButton : kObjectRightButton))
    FCapture.Begin(FForm.Handle());
  result = 0;
  return true;
}

bool TSkinFrame::ReleaseObjects(UINT message, LPARAM lParam) {
  if (FObjects.CapturedObject() == -1) return false;
  const bool nonClient = message == WM_NCLBUTTONUP || message == WM_NCRBUTTONUP;
  TPoint p = nonClient ? WindowPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) : WindowPointFromClient(lParam);
  const int button = message == WM_LBUTTONUP || message == WM_NCLBUTTONUP ? kObjectLeftButton : kObjectRightButton;
  // The capture ends before the object acts: a command may close or hide the window.
  if (FObjects.CapturedObject() != -1) FCapture.End();
  FObjects.Release(p, button);
  return false;
}

bool TSkinFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // A form without a border has no frame to draw or act on.
  if (FForm.BorderStyle() == TBorderStyle::bsNone) return false;
  HWND window = FForm.Handle();
  switch (message) {
    case WM_NCCALCSIZE: {
      auto* r = reinterpret_cast<RECT*>(lParam);  // the first rectangle either way
      const TRect window{r->left, r->top, r->right, r->bottom};
      TRect client = FSkinActive ? SkinnedClientRect(window, FSkin) : DefaultClientRect(window, IsToolWindow());
      *r = RECT{client.Left, client.Top, client.Right, client.Bottom};
      result = 0;
      return true;
    }
    case WM_NCPAINT:
      if (FSkinActive)
        PaintFrame();
      else
        PaintDefaultFrame();
      MarkStartupPhase("paint frame");
      result = 0;
      return true;
    case WM_NCACTIVATE:
      // Answered without the default handling: Windows must not draw its own caption.
      FActive = wParam != FALSE;
      if (!FObjects.UpdateCaptionActive(true)) RepaintFrame();
      result = TRUE;
      return true;
    case WM_NCHITTEST: {
      const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      result = HitTest(screen);
      if (result == HTOBJECT && !FTimers->Tracking()) {
        FObjects.TrackObjects(WindowPoint(screen));
        if (FObjects.HotObject() != -1) FTimers->StartTrack();
      }
      return true;
    }
    case WM_NCMOUSEMOVE: {
      TrackNonClientLeave();
      TPoint p = WindowPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      FObjects.TrackObjects(p);
      FObjects.Move(p);
      if (FObjects.HotObject() != -1) FTimers->StartTrack();
      return false;
    }
    case WM_NCMOUSELEAVE:
      FTrackingLeave = false;
      if (FObjects.CapturedObject() == -1) FObjects.TrackObjects(TPoint{-1, -1}, false);
      return false;
    case WM_NCRBUTTONDOWN:
      if (wParam != HTCAPTION) return PressObjects(message, lParam, result);
      FObjects.ForgetCapture();
      {
        POINT cursor;
        GetCursorPos(&cursor);
        ShowSystemMenu(cursor);
      }
      result = 0;
      return true;
    case WM_NCRBUTTONUP:
      if (FObjects.CapturedObject() != -1) return ReleaseObjects(message, lParam);
      if (wParam != HTCAPTION) return false;
      // The system would open its own menu for the caption.
      result = 0;
      return true;
    case WM_SYSCOMMAND:
      // The menu keys: an open skinned menu closes, Alt+Space opens the skinned
      // system menu, and the system opens no menu of its own.
      if ((wParam & 0xFFF0) != SC_KEYMENU) return false;
      if (FMenu->MenuOpen())
        FMenu->CloseAll();
      else if (lParam == VK_SPACE)
        ShowSystemMenuAt(SystemMenuAnchor());
      result = 0;
      return true;
    case WM_NCLBUTTONDOWN:
      // The system sees the press first (a move or size loop on the caption
      // and the sizing edges); the objects get it after, unless such a loop ran.
      FSizeMoveDuringPress = false;
      return false;
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK: {
      // Answered here: the system would maximize or restore the window by itself.
      TPoint p = WindowPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      const int button = message == WM_NCLBUTTONDBLCLK ? kObjectLeftButton : kObjectRightButton;
      if (FObjects.DoubleClick(p, button)) FCapture.Begin(window);
      if (wParam == HTCAPTION) {
        FObjects.ForgetCapture();
        if (button == kObjectLeftButton) CaptionDoubleClick();
      }
      result = 0;
      return true;
    }
    case WM_SYNCPAINT:
      if (!FStates.RolledUp()) return false;
      RepaintFrame();
      result = 0;
      return true;
    case WM_MOUSEMOVE: {
      if (FObjects.CapturedObject() == -1) return false;
      TPoint p = WindowPointFromClient(lParam);
      FObjects.Move(p);
      FObjects.TrackObjects(p);
      return false;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_NCLBUTTONUP: return ReleaseObjects(message, lParam);
    case WM_GETMINMAXINFO: {
      // The frame is never smaller than its skin allows, nor larger than the monitor's area.
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      TPoint least = MinFrameSize(IsMinimized(), FStates.RolledUp());
      info->ptMinTrackSize = POINT{least.X, least.Y};
      TPoint most = MaxTrackSize(GetMonitorArea(window, true), GetMonitorArea(window, false),
                                 FOwner.MaximizeOnFullScreen());
      info->ptMaxTrackSize = POINT{most.X, most.Y};
      return false;
    }
    case WM_MOVING: {
      auto* proposed = reinterpret_cast<RECT*>(lParam);
      TMovingState state;
      state.Maximized = IsMaximized();
      state.Magnetic = FOwner.Magnetic();
      state.MagneticSize = FOwner.MagneticSize();
      TRect moved = MovingRect({proposed->left, proposed->top, proposed->right, proposed->bottom},
                               WindowBounds(window),
                               GetMonitorArea(window, true), state);
      *proposed = RECT{moved.Left, moved.Top, moved.Right, moved.Bottom};
      return false;
    }
    case WM_ENTERSIZEMOVE: {
      // The system moves or sizes the window: no object is hot or pressed meanwhile.
      FObjects.ResetStates();
      FObjects.ForgetIndices();
      HideObjectHint();
      FInSizeMove = FSizeMoveDuringPress = true;
      BOOL fullDrag = FALSE;
      FFullDrag = SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0) && fullDrag;
      return false;
    }
    case WM_EXITSIZEMOVE:
      FObjects.ForgetIndices();
      FInSizeMove = false;
      RepaintFrame();
      return false;
    case MenuClosedMessage:
      // A menu of the form closed: the others go with it, and buttons held down by their menus come up.
      if (FMenu->MenuOpen()) FMenu->CloseAll();
      FObjects.MenusClosed();
      RepaintFrame();
      FOwner.SkinMenuClose();
      return false;
    case WM_CAPTURECHANGED:
      FCapture.HandleMessage(message, lParam);
      return false;
  }
  return false;
}

void TSkinFrame::AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (FForm.BorderStyle() == TBorderStyle::bsNone) return;
  switch (message) {
    case WM_NCLBUTTONDOWN:
      if (std::exchange(FSizeMoveDuringPress, false)) break;
      {
        LRESULT unused = 0;
        PressObjects(message, lParam, unused);
      }
      // The caption's press was the system's move loop.
      if (wParam == HTCAPTION) FObjects.ForgetCapture();
      break;
    case WM_SIZING:
      // A live drag: the frame follows the proposed rectangle before the window takes it.
      if (FInSizeMove && FFullDrag && FSkinActive) {
        const auto* r = reinterpret_cast<const RECT*>(lParam);
        const TPoint least = MinFrameSize(IsMinimized(), FStates.RolledUp());
        if (r->right - r->left >= least.X && r->bottom - r->top >= least.Y)
          UpdateFrame(r->right - r->left, r->bottom - r->top);
      }
      break;
    case WM_SIZE:
      if (FInSizeMove && FFullDrag && FSkinActive) break;  // WM_SIZING has drawn it
      if (FSkinActive)
        UpdateFrame();
      else
        RepaintFrame();
      // The logo stays centred.
      if (!FOwner.LogoBitMap().View().Empty()) InvalidateRect(FForm.Handle(), nullptr, TRUE);
      // A translucent window shows what lies behind it: all of it is drawn again.
      if (FOwner.AlphaBlend() && FOwner.AlphaBlendValue() < 255) {
        RepaintFrame();
        InvalidateRect(FForm.Handle(), nullptr, TRUE);
      }
      break;
    case WM_SETTEXT: RepaintFrame(); break;
    case WM_ACTIVATE:
      FObjects.ResetStates();
      HideObjectHint();
      RepaintFrame();
      // The form's menus go with its activation.
      if (LOWORD(wParam) == WA_INACTIVE && FMenu->MenuOpen()) FMenu->CloseAll();
      break;
    case WM_DESTROY:
      FTimers->StopAll();
      KillTimer(FForm.Handle(), kFadeTimer);
      break;
    case WM_SHOWWINDOW:
      if (wParam) {
        StartFadeIn();
        NudgeSize();
      } else if (FOwner.AlphaBlend()) {
        SetLayeredStyle(FForm.Handle(), false);
      }
      break;
    case WM_TIMER:
      if (wParam == kFadeTimer) FadeIn();
      break;
  }
}
