// The skinned frame's window commands: states, roll-up, the size nudge,
// translucency, and the menus that run them.
#include "skin/frame/skin_frame_win.h"

#include <vector>

#include "ui/system/window_platform_win.h"
#include "skin/frame/layout/frame_limits.h"
#include "skin/frame/skin_form_win.h"
#include "skin/frame/skin_popup_menu_win.h"
#include "skin/frame/system_menu_captions_win.h"
#include "ui/application_win.h"
#include "ui/form_win.h"

namespace {

void SetBounds(HWND window, const TRect& r) {
  SetWindowPos(window, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// Every live frame: a minimized form looks for a free place among the others.
std::vector<TSkinFrame*>& TSkinFrame::LiveFrames() {
  static std::vector<TSkinFrame*> frames;
  return frames;
}

// Posted: the object that runs the command must outlive it.
void TSkinFrame::CloseForm() { PostMessageW(FForm.Handle(), WM_CLOSE, 0, 0); }

bool TSkinFrame::IsMainForm() const { return Application && Application->MainForm() == &FForm; }

bool TSkinFrame::IsMinimized() const {
  return FStates.State() == TFrameState::Minimized || (IsMainForm() && Application->Iconic());
}

void TSkinFrame::Minimize() {
  if (AlwaysMinimizeToTray())
    MinimizeToTray();
  else
    SetWindowState(TFrameState::Minimized);
}

void TSkinFrame::Restore() {
  if (FStates.RestoreUnrolls())
    RollUp(false);
  else if (IsMainForm() && Application->Iconic())
    Application->Restore();
  else
    SetWindowState(TFrameState::Normal);
}

TPoint TSkinFrame::MinFrameSize(bool minimized, bool rolledUp) const {
  TFrameLimitInput in;
  in.Skinned = FSkinActive;
  in.CaptionHeight = DefaultCaptionHeight(IsToolWindow());
  in.PictureWidth = FSkin.PictureWidth;
  in.PictureHeight = FSkin.PictureHeight;
  in.ClientRect = FSkin.Client;
  in.MinWidth = FOwner.MinWidth();
  in.MinHeight = FOwner.MinHeight();
  in.Minimized = minimized;
  in.RolledUp = rolledUp;
  return {MinFrameWidth(in), MinFrameHeight(in)};
}

void TSkinFrame::SetWindowState(TFrameState state) {
  HWND window = FForm.Handle();
  std::vector<TPoint> others;
  for (TSkinFrame* frame : LiveFrames()) {
    HWND other = frame->FForm.Handle();
    if (frame != this && !frame->IsMainForm() && frame->FStates.State() == TFrameState::Minimized &&
        IsWindowVisible(other))
      others.push_back({WindowBounds(other).Left, WindowBounds(other).Top});
  }
  TPoint strip = MinFrameSize(true, false);
  TFrameSurroundings around;
  around.Bounds = WindowBounds(window);
  around.WorkArea = GetMonitorArea(window, true);
  around.Monitor = GetMonitorArea(window, false);
  around.FullScreen = FOwner.MaximizeOnFullScreen();
  around.MainForm = IsMainForm();
  around.MinFrameWidth = strip.X;
  around.MinFrameHeight = strip.Y;
  around.MinimizedOthers = others;
  TStateChange change = FStates.SetWindowState(state, around);
  if (change.Kind == TStateChange::TKind::MinimizeApplication) Application->Minimize();
  if (change.Kind != TStateChange::TKind::SetBounds) return;
  SetBounds(window, change.Bounds);
  if (!change.Restored) return;
  if (change.Bounds.Width() == around.Bounds.Width() && change.Bounds.Height() == around.Bounds.Height()) NudgeSize();
  InvalidateRect(window, nullptr, TRUE);
}

void TSkinFrame::RollUp(bool value) {
  HWND window = FForm.Handle();
  TRect bounds = WindowBounds(window);
  std::optional<int32_t> height =
      FStates.RollUp(value, FOwner.BorderIcons(), bounds.Height(), MinFrameSize(false, true).Y);
  if (!height) return;
  SetWindowPos(window, nullptr, 0, 0, bounds.Width(), *height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FOwner.ChangeRollUpState();
}

void TSkinFrame::NudgeSize() {
  HWND window = FForm.Handle();
  TRect bounds = WindowBounds(window);
  int step = bounds.Width() - 1 < MinFrameSize(IsMinimized(), FStates.RolledUp()).X ? 1 : -1;
  // Both sizes are allowed already (the step keeps the skin's minimum), so the
  // system need not ask the window for its limits: that query costs a monitor
  // lookup each time, on the way to showing the window.
  constexpr UINT kFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING;
  {
    const auto passing = PassingSize();
    SetWindowPos(window, nullptr, 0, 0, bounds.Width() + step, bounds.Height(), kFlags);
  }
  SetWindowPos(window, nullptr, 0, 0, bounds.Width(), bounds.Height(), kFlags);
}

// --- translucency ----------------------------------------------------------------------

void TSkinFrame::ApplyTranslucency() {
  if (!IsLayeredAlphaSupported()) return;
  SetLayeredStyle(FForm.Handle(), FOwner.AlphaBlend());
  if (FOwner.AlphaBlend()) SetWindowAlpha(FForm.Handle(), FOwner.AlphaBlendValue());
}

void TSkinFrame::StartFadeIn() {
  if (!IsLayeredAlphaSupported() || !(FOwner.AlphaBlend() || FOwner.AlphaBlendAnimation())) return;
  SetLayeredStyle(FForm.Handle(), true);
  SetWindowAlpha(FForm.Handle(), 0);
  SetTimer(FForm.Handle(), kFadeTimer, 1, nullptr);
}

// Runs once the window is on the screen, so the fade shows its contents.
void TSkinFrame::FadeIn() {
  HWND window = FForm.Handle();
  KillTimer(window, kFadeTimer);
  const int target = FOwner.AlphaBlend() || !FOwner.AlphaBlendAnimation() ? FOwner.AlphaBlendValue() : 255;
  if (FOwner.AlphaBlendAnimation()) {
    if (Application) Application->ProcessMessages();
    FadeWindowAlpha(window, 5, static_cast<uint8_t>(target));
  } else if (target != 255) {
    SetWindowAlpha(window, static_cast<uint8_t>(target));
  }
  // Fully opaque needs no layer: drawing stays as fast as without one.
  if (target == 255) SetLayeredStyle(window, false);
}

// --- menus ---------------------------------------------------------------------------------

void TSkinFrame::ShowMenu(std::vector<TMenuItem> items, const TRect& anchor,
                          std::function<void(const TMenuItem&)> onCommand, const TSkinData* skin,
                          bool upward, const TImageList* images) {
  FMenu->UseSkinFont = FOwner.UseSkinFontInMenu();
  FMenu->DefaultMenuItemFont.Assign(FOwner.DefMenuItemFont());
  FMenu->DefaultItemHeight = FOwner.DefMenuItemHeight();
  FMenu->AlphaBlend = FOwner.MenusAlphaBlend();
  FMenu->AlphaBlendAnimation = FOwner.MenusAlphaBlendAnimation();
  FMenu->AlphaBlendValue = FOwner.MenusAlphaBlendValue();
  FOwner.SkinMenuOpen();
  FMenu->Popup(nullptr, skin ? skin : FOwner.MenuSkin(), upward, std::move(items), anchor, 0, std::move(onCommand),
               images);
}

void TSkinFrame::ShowSystemMenu(POINT screen) { ShowSystemMenuAt(TRect{screen.x, screen.y, screen.x, screen.y}); }

void TSkinFrame::ShowSystemMenuAt(const TRect& anchor) {
  TSystemMenuState state;
  state.BorderIcons = FOwner.BorderIcons();
  state.Minimized = IsMinimized();
  state.Maximized = IsMaximized();
  state.RolledUp = FStates.RolledUp();
  TSkinPopupMenu* user = FOwner.SystemMenu();
  if (!user) {
    ShowMenu(::SystemMenuItems(state, ProgramMenuCaptions()), anchor, [this](const TMenuItem& item) { RunMenuCommand(FrameCommandOf(item)); });
    return;
  }
  std::vector<TMenuItem> items = FOwner.UseDefaultSysMenu()
                                     ? MergeSystemMenuItems(user->ShownItems(), state, ProgramMenuCaptions())
                                     : user->ShownItems();
  // The frame's own items run its commands; the user's run the menu's handler.
  ShowMenu(std::move(items), anchor, [this](const TMenuItem& item) {
    if (FrameCommandOf(item) != TFrameCommand::None)
      RunMenuCommand(FrameCommandOf(item));
    else if (TSkinPopupMenu* menu = FOwner.SystemMenu(); menu && menu->OnCommand)
      menu->OnCommand(item);
  }, nullptr, false, user->Images());
}

TRect TSkinFrame::SystemMenuAnchor() const {
  const TRect bounds = WindowBounds(FForm.Handle());
  POINT client{0, 0};
  ClientToScreen(FForm.Handle(), &client);
  return TRect{bounds.Left, bounds.Top, bounds.Left, client.y};
}

// A button drops its items below itself: the system menu, the menu the form
// attached to it, or a menu of the form's.
void TSkinFrame::PopUpItems(TObjectMenu& items, TRect windowRect) {
  const TRect bounds = WindowBounds(FForm.Handle());
  const TRect anchor = OffsetBy(windowRect, bounds.Left, bounds.Top);
  if (&items == &FSystemMenuButtonItems) return ShowSystemMenuAt(anchor);
  TSkinPopupMenu* menu = dynamic_cast<TSkinPopupMenu*>(&items);
  if (auto* attached = dynamic_cast<AttachedMenu*>(&items)) menu = FOwner.AttachedItems(attached->ObjectName);
  if (menu) menu->PopupAtRect(anchor, false);
}

bool TSkinFrame::AttachedMenu::HasSubItems() const {
  TSkinPopupMenu* menu = Frame->FOwner.AttachedItems(ObjectName);
  return menu && !menu->Items.empty();
}

void TSkinFrame::AttachItems() {
  FAttached.clear();
  for (size_t i = 0; i < FObjects.Count(); ++i) {
    TActiveSkinObject& object = FObjects[i];
    TObjectMenu** slot = nullptr;
    // The system-menu button keeps the system menu.
    if (auto* standard = dynamic_cast<TSkinStdButtonObject*>(&object); standard && standard->command == TSkinCommand::cmsysmenu)
      continue;
    if (auto* button = dynamic_cast<TSkinButtonObject*>(&object))
      slot = &button->AttachedItems;
    else if (auto* animate = dynamic_cast<TSkinAnimateObject*>(&object))
      slot = &animate->AttachedItems;
    if (!slot) continue;
    *slot = nullptr;
    if (!FOwner.AttachedItems(object.IDName)) continue;
    auto menu = std::make_unique<AttachedMenu>();
    menu->ObjectName = object.IDName;
    menu->Frame = this;
    *slot = menu.get();
    FAttached.push_back(std::move(menu));
  }
}

void TSkinFrame::RunMenuCommand(TFrameCommand command) {
  switch (command) {
    case TFrameCommand::None: break;
    case TFrameCommand::Minimize: Minimize(); break;
    case TFrameCommand::Maximize: Maximize(); break;
    case TFrameCommand::Restore: Restore(); break;
    case TFrameCommand::RollUp: RollUp(true); break;
    case TFrameCommand::MinimizeToTray: MinimizeToTray(); break;
    case TFrameCommand::Close: CloseForm(); break;
    case TFrameCommand::RestoreFromTray: FOwner.RestoreFormFromTray(); break;
  }
}

void TSkinFrame::CaptionDoubleClick() {
  const TBorderStyle style = FForm.BorderStyle();
  const bool sizeable = style == TBorderStyle::bsSizeable || style == TBorderStyle::bsSizeToolWin;
  switch (CaptionDoubleClickCommand(FStates, sizeable, FOwner.BorderIcons())) {
    case TFrameCommand::Restore: Restore(); break;
    case TFrameCommand::Maximize: Maximize(); break;
    case TFrameCommand::RollUp: RollUp(!FStates.RolledUp()); break;
    default: break;
  }
}

bool TSkinFrame::AlwaysMinimizeToTray() const { return FOwner.AlwaysMinimizeToTray(); }

void TSkinFrame::MinimizeToTray() { FOwner.MinimizeFormToTray(); }

bool TSkinFrame::ShowIcon() const { return FOwner.ShowIcon(); }

std::string TSkinFrame::CaptionText() const { return FForm.Caption(); }


// --- the form's events ----------------------------------------------------------------------

void TSkinFrame::MouseDownEvent(const std::string& id, int x, int y, TRect rect, int button) {
  FOwner.ObjectMouseDown(id, x, y, rect, button);
}

void TSkinFrame::MouseUpEvent(const std::string& id, int x, int y, TRect rect, int button) {
  FOwner.ObjectMouseUp(id, x, y, rect, button);
}

void TSkinFrame::MouseMoveEvent(const std::string& id, int x, int y, TRect rect) {
  FOwner.ObjectMouseMove(id, x, y, rect);
}

void TSkinFrame::MouseEnterEvent(const std::string& id) { FOwner.ObjectMouseEnter(id); }

void TSkinFrame::MouseLeaveEvent(const std::string& id) { FOwner.ObjectMouseLeave(id); }

void TSkinFrame::PaintEvent(const std::string& id, TObjectCanvas& canvas, TRect rect) {
  FOwner.ObjectPaint(id, canvas, rect);
}

void TSkinFrame::ActivationEvent(bool active) { FOwner.Activation(active); }
