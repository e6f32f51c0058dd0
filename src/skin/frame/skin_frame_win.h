#pragma once
// The skinned frame of one form: sizes the non-client area to the skin's
// borders, paints the frame picture in four strips with the caption objects
// on them, shapes the window with the skin's mask, answers hit-tests and
// routes the pointer to the objects. TSkinForm owns it and feeds it the
// form's messages.
#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "skin/pixels/pixel_effects.h"
#include "skin/pixels/skin_compose.h"
#include "skin/frame/caption_objects.h"
#include "skin/frame/default_frame.h"
#include "skin/frame/layout/frame_geometry.h"
#include "skin/frame/frame_states.h"
#include "skin/frame/skin_hint_win.h"
#include "skin/frame/skin_object_list.h"
#include "skin/frame/system_menu_items.h"
#include "skin/menu/skin_menu_win.h"
#include "ui/system/mouse_capture_win.h"

class TForm;
class TSkinData;
class TImageList;
class TSkinForm;

class TSkinFrame : private TObjectFrame {
 public:
  TSkinFrame(TSkinForm& owner, TForm& form);
  ~TSkinFrame() override;

  bool SkinActive() const { return FSkinActive; }
  // Takes the skin (or leaves the skin-less system frame): objects, borders, shape.
  void ApplySkin(const TSkinData* skin);
  // The skin is going: nothing may point into it any more.
  void ForgetSkin();

  // Handles a message of the form when the frame takes it; `result` is then the answer.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Messages that the form's own procedure must see first; then this runs.
  void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam);

  const TScaledFramePoints& Geometry() const { return FFrame; }
  const TFrameStates& States() const { return FStates; }
  void SetWindowState(TFrameState state);
  // The form's AlphaBlend setting takes effect: layered and translucent, or opaque.
  void ApplyTranslucency();
  // The system menu as a skinned popup at a screen point.
  void ShowSystemMenu(POINT screen);
  // Any of the frame's menus, below `anchor` or above it when `upward`: the
  // chosen item runs its OnClick and `onCommand` once every level has
  // closed. Drawn from `skin`, or from the form's menu skin when none, with
  // the items' images from `images`.
  void ShowMenu(std::vector<TMenuItem> items, const TRect& anchor,
                std::function<void(const TMenuItem&)> onCommand, const TSkinData* skin = nullptr,
                bool upward = false, const TImageList* images = nullptr);
  // Carries out a menu item's frame command.
  void RunMenuCommand(TFrameCommand command);
  TSkinMenu& Menu() { return *FMenu; }
  // Rolls the form up to its caption strip or back down.
  void RollUp(bool value);
  const TSkinObjectList& Objects() const { return FObjects; }
  // The system-menu button shows the icon or its picture from now on.
  void ApplyShowIcon();
  // The form's attached items changed.
  void ApplyAttachedItems() { AttachItems(); }
  // The window an object's hint shows in when the form names no hint component.
  const TSkinHintWindow& HintWindow() const { return FHintWindow; }
  // How long the pointer rests on an object before its hint shows.
  static constexpr int kHintPause = 500;

 private:
  // TObjectFrame
  void CloseForm() override;
  bool IsMaximized() const override { return FStates.State() == TFrameState::Maximized; }
  bool IsMinimized() const override;
  void Maximize() override { SetWindowState(TFrameState::Maximized); }
  void Minimize() override;
  void Restore() override;
  bool IsRolledUp() const override { return FStates.RolledUp(); }
  void SetRolledUp(bool value) override { RollUp(value); }
  bool AlwaysMinimizeToTray() const override;
  void MinimizeToTray() override;
  TObjectMenu* SystemMenuItems() override { return &FSystemMenuButtonItems; }
  void RedrawObject(TActiveSkinObject& object) override;
  bool IsFormActive() const override { return FActive; }
  void StartMorphTimer() override;
  void StartAnimateTimer() override;
  bool ShowIcon() const override;
  std::string CaptionText() const override;
  void PopUpItems(TObjectMenu& items, TRect windowRect) override;
  void RepaintFrame() override;
  void MouseDownEvent(const std::string& id, int x, int y, TRect rect, int button) override;
  void MouseUpEvent(const std::string& id, int x, int y, TRect rect, int button) override;
  void MouseMoveEvent(const std::string& id, int x, int y, TRect rect) override;
  void MouseEnterEvent(const std::string& id) override;
  void MouseLeaveEvent(const std::string& id) override;
  void PaintEvent(const std::string& id, TObjectCanvas& canvas, TRect rect) override;
  void ActivationEvent(bool active) override;
  void ShowObjectHint(const std::string& hint) override;
  void HideObjectHint() override;
  void ShowPendingHint();
  // One tick of the pointer watch; false when nothing is hot any more.
  bool TrackTick();

  static std::vector<TSkinFrame*>& LiveFrames();
  // The form's window timer that runs the fade-in.
  static constexpr UINT_PTR kFadeTimer = 1;
  void UpdateFrame();
  // For a window of this size (a live drag's proposed rectangle).
  void UpdateFrame(int32_t width, int32_t height);
  void ArrangeObjects();
  // The frame is smaller than its skin allows: nothing is drawn or shaped.
  bool BelowMinimum(int32_t width, int32_t height) const;
  // Where the system-menu button draws the form's icon.
  static TPoint SmallIconSize();
  void FitToNewFrame(int clientWidth, int clientHeight);
  bool IsToolWindow() const;
  bool IsSizeable() const;
  void UpdateRegion();
  // While the guard lives, sizes are passed through (FPassingSize).
  class PassingSizeGuard {
   public:
    explicit PassingSizeGuard(bool& flag) : FFlag(flag), FBefore(std::exchange(flag, true)) {}
    ~PassingSizeGuard() { FFlag = FBefore; }
    PassingSizeGuard(const PassingSizeGuard&) = delete;
    PassingSizeGuard& operator=(const PassingSizeGuard&) = delete;

   private:
    bool& FFlag;
    bool FBefore;
  };
  PassingSizeGuard PassingSize() { return PassingSizeGuard(FPassingSize); }
  void PaintFrame();
  void PaintDefaultFrame();
  void PaintClientBackground(HDC dc, const RECT& area) const;
  int HitTest(POINT screen) const;
  TPoint WindowPoint(POINT screen) const;
  TPoint WindowPointFromClient(LPARAM lParam) const;
  void TrackNonClientLeave();
  void CaptionDoubleClick();
  void ShowSystemMenuAt(const TRect& anchor);
  // Where Alt+Space drops the system menu: the window's left edge, below the caption.
  TRect SystemMenuAnchor() const;
  bool PressObjects(UINT message, LPARAM lParam, LRESULT& result);
  bool ReleaseObjects(UINT message, LPARAM lParam);
  bool IsMainForm() const;
  TPoint MinFrameSize(bool minimized, bool rolledUp) const;
  // Widens or narrows the form by one pixel and back: the frame is rebuilt for the same size.
  void NudgeSize();
  // Shown: the fade-in (or the translucency) starts from invisible.
  void StartFadeIn();
  void FadeIn();

  TSkinForm& FOwner;
  TForm& FForm;
  bool FSkinActive = false;
  bool FActive = false;
  bool FTrackingLeave = false;
  // Held while a caption object is pressed; losing it ends the press without action.
  TMouseCapture FCapture{[this] { FObjects.CancelPress(); }};
  bool FInSizeMove = false;  // the system's move or size loop runs
  bool FSizeMoveDuringPress = false;  // such a loop ran inside the last press's default handling
  bool FFullDrag = false;  // the system shows the window's contents while it is dragged
  TFrameSkinPoints FSkin;
  TScaledFramePoints FFrame;
  TStretchEdges FStretch;
  int FBorderWidth = 0;
  PixelImage FInactivePicture, FMask;
  PixelImage FBackground;  // the skin's own client picture, when it names one
  // Without an inactive picture the skin may darken or grey the active one.
  bool FAutoRenderInactive = false;
  TSkinEffect FInactiveEffect = TSkinEffect::iebrightness;
  NoiseRandom FNoise;
  TBorderStrips FMaskStrips;
  TPoint FRegionSize;  // the frame size the window's shape was cut for
  // Sizes the window only passes through (a skin being fitted, the nudge on
  // showing) get no shape of their own: cutting one is the dearest step of
  // a frame update, and the size that follows at once gets its own.
  bool FPassingSize = false;
  TCaptionSpan FCaptionSpan;  // the skin-less caption between its button groups
  TFrameStates FStates;
  // What the system-menu button drops down: the system menu, built when it opens.
  struct SystemMenuButtonItems : TObjectMenu {
    bool HasSubItems() const override { return true; }
  } FSystemMenuButtonItems;
  // Items a form attached to one of its button objects, by the object's name.
  struct AttachedMenu : TObjectMenu {
    std::string ObjectName;
    TSkinFrame* Frame = nullptr;
    bool HasSubItems() const override;
  };
  std::vector<std::unique_ptr<AttachedMenu>> FAttached;
  // Gives the buttons the items the form attached to them (again after every skin change).
  void AttachItems();
  std::unique_ptr<TSkinMenu> FMenu;
  TSkinObjectList FObjects{*this};
  class Timers;
  std::unique_ptr<Timers> FTimers;
  TSkinHintWindow FHintWindow;
  std::string FPendingHint;
};
