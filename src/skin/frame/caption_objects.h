#pragma once
// The active areas of the skinned frame: the caption text, the caption
// buttons, animations and areas the program paints itself, one per
// [SKINOBJECTS] entry. They decide how they look in each state, how they
// cross-fade, and what a press and a release mean. Nothing here needs a
// window system: the frame's window layer feeds them pointer events and
// timer ticks and carries out what they ask of it through TObjectFrame.
#include <string>
#include <string_view>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"
#include "skin/pixels/glyph_layout.h"
#include "skin/pixels/pixel_buffer.h"
#include "skin/pixels/pixel_effects.h"
#include "skin/data/skin_objects.h"

class TSkinData;
class TActiveSkinObject;
class TSkinCaptionObject;

constexpr int kObjectLeftButton = 0;
constexpr int kObjectRightButton = 1;

// Menu items that drop down from a button; the window layer's menus stand behind it.
class TObjectMenu {
 public:
  virtual ~TObjectMenu() = default;
  virtual bool HasSubItems() const = 0;
};

// The window commands a caption button runs. None of them may free the
// objects before it returns (closing is posted), since the button that
// runs it is still on the stack.
class TFrameCommands {
 public:
  virtual ~TFrameCommands() = default;
  virtual void CloseForm() = 0;
  virtual bool IsMaximized() const = 0;
  virtual bool IsMinimized() const = 0;
  virtual void Maximize() = 0;
  virtual void Minimize() = 0;
  virtual void Restore() = 0;
  virtual bool IsRolledUp() const = 0;
  virtual void SetRolledUp(bool rolledUp) = 0;
  virtual bool AlwaysMinimizeToTray() const = 0;
  virtual void MinimizeToTray() = 0;
  // The items the system-menu button drops down (the frame's own system menu when none is set).
  virtual TObjectMenu* SystemMenuItems() = 0;
};

class TObjectCanvas;

// What the objects need of the frame that holds them.
class TObjectFrame : public TFrameCommands {
 public:
  // Paints one object at once onto the window; nothing while the form is hidden.
  virtual void RedrawObject(TActiveSkinObject& object) = 0;
  virtual bool IsFormActive() const = 0;
  // Both timers are started only when off; a tick reaches TSkinObjectList.
  virtual void StartMorphTimer() = 0;
  virtual void StartAnimateTimer() = 0;
  // The system-menu button shows the form's icon.
  virtual bool ShowIcon() const = 0;
  // The form's caption as the caption object shows it.
  virtual std::string CaptionText() const = 0;
  // Pops `items` up below a rectangle in window coordinates.
  virtual void PopUpItems(TObjectMenu& items, TRect windowRect) = 0;
  // Repaints the whole non-client area.
  virtual void RepaintFrame() = 0;

  // The frame's events, raised with the object's IDName.
  virtual void MouseDownEvent(const std::string& /*id*/, int /*x*/, int /*y*/, TRect /*rect*/, int /*button*/) {}
  virtual void MouseUpEvent(const std::string& /*id*/, int /*x*/, int /*y*/, TRect /*rect*/, int /*button*/) {}
  virtual void MouseMoveEvent(const std::string& /*id*/, int /*x*/, int /*y*/, TRect /*rect*/) {}
  virtual void MouseEnterEvent(const std::string& /*id*/) {}
  virtual void MouseLeaveEvent(const std::string& /*id*/) {}
  virtual void PaintEvent(const std::string& /*id*/, TObjectCanvas& /*canvas*/, TRect /*rect*/) {}
  // OnActivate or OnDeActivate.
  virtual void ActivationEvent(bool /*active*/) {}
  // The hot object's hint; shown only when the frame shows object hints.
  virtual void ShowObjectHint(const std::string& /*hint*/) {}
  virtual void HideObjectHint() {}
};

// Where an object draws: pixels covering part of the window, a window
// point (x, y) being pixel (x - Origin.X, y - Origin.Y), and the drawing
// only the window system can do. Objects that leave their area alone (the
// caption's text over the frame picture) expect the frame's pixels there.
class TObjectCanvas : public TextMeasure {
 public:
  TObjectCanvas(PixelView pixels, TPoint origin) : Pixels(pixels), Origin(origin) {}
  PixelView Pixels;
  TPoint Origin;

  // TextWidth, TextHeight and DrawText use the font of the caption last selected.
  virtual void SelectCaptionFont(const TSkinCaptionObject& caption) = 0;
  virtual int TextHeight() = 0;
  // The text with its top-left at (x, y) of `target`, background untouched.
  virtual void DrawText(PixelView target, int x, int y, std::string_view text, TColor color) = 0;
  // The form's small icon inside `rect`, a rectangle of Pixels.
  virtual void DrawFormIcon(TRect rect) = 0;

  TRect ToPixels(TRect windowRect) const { return OffsetBy(windowRect, -Origin.X, -Origin.Y); }
};

// The skin's decoded pictures, owned by the object list for the objects' lifetime.
struct TObjectPictures {
  PixelImage Frame;
  // One per extra picture of the skin; only those the objects use are
  // decoded: most belong to the menus and controls, which keep their own.
  std::vector<PixelImage> Extra;
  // The extra picture of an index, or null when there is none.
  const PixelImage* ExtraAt(int32_t index) const {
    return index >= 0 && static_cast<size_t>(index) < Extra.size() ? &Extra[static_cast<size_t>(index)] : nullptr;
  }
};

class TActiveSkinObject {
 public:
  // `data` may be null for the skin-less frame's buttons.
  TActiveSkinObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                    const TDataSkinObject* data);
  virtual ~TActiveSkinObject() = default;
  TActiveSkinObject(const TActiveSkinObject&) = delete;
  TActiveSkinObject& operator=(const TActiveSkinObject&) = delete;

  virtual bool MorphPending() const;
  // `direct`: straight onto the window; otherwise into a frame strip that
  // already holds the frame picture.
  virtual void Draw(TObjectCanvas& canvas, bool direct);
  virtual void DblClick() {}
  virtual void MouseDown(int x, int y, int button);
  virtual void MouseUp(int x, int y, int button);
  virtual void MouseMove(int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The frame was activated, deactivated or starts a move: forget the
  // pointer, the press and any morph.
  virtual void ResetState();
  // The press ended without a release (the capture went elsewhere): no action.
  virtual void CancelPress();

  void BeginBlend();
  void BlendStep();
  void SetBlendPos(double value);
  double BlendPos() const { return FBlendPos; }

  TObjectFrame& HostFrame;
  bool PointerOver = false;
  const PixelImage* FramePicture = nullptr;
  const PixelImage* ExtraPicture = nullptr;
  const TSkinData* SkinData = nullptr;
  std::string IDName;
  std::string Hint;
  TRect skinrect, activeskinrect;
  TRect ObjectRect;
  bool Lit = false;
  bool morphing = false;
  TMorphKind morphkind = TMorphKind::mkdefault;
  bool Usable = true;
  bool Shown = true;
  bool skinrectinapicture = false;

 protected:
  // The base look with other rectangles: `normal` from `normalPicture`
  // (the frame strip already shows it unless `copyNormal`), `active` from
  // ExtraPicture.
  void DrawLooks(TObjectCanvas& canvas, const PixelImage* normalPicture, TRect normal, TRect active,
                 bool copyNormal);
  // Copies `source` of `picture` onto the object's area, stretched to fit.
  void CopyToObject(TObjectCanvas& canvas, const PixelImage* picture, TRect source) const;
  void PopUp(TObjectMenu* items);

 private:
  double FBlendPos = 0;
};

class TUserObject : public TActiveSkinObject {
 public:
  using TActiveSkinObject::TActiveSkinObject;
  void Draw(TObjectCanvas& canvas, bool direct) override;
};

class TSkinButtonObject : public TActiveSkinObject {
 public:
  TSkinButtonObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                    const TDataSkinButton* data);

  bool MorphPending() const override;
  void Draw(TObjectCanvas& canvas, bool direct) override;
  void MouseDown(int x, int y, int button) override;
  void MouseUp(int x, int y, int button) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void ResetState() override;
  void CancelPress() override;

  void SetPressed(bool value);
  void DropAttachedItems();
  // The menu dropped from this button closed: the button comes up.
  void MenuClosed();

  bool Pressed = false;
  TRect disableskinrsect;
  TRect downrect;
  TObjectMenu* AttachedItems = nullptr;

 protected:
  bool MenuOpen() const { return AttachedItems != nullptr && Pressed; }
};

// The look and the command of the skin-less caption buttons and of the
// skin's standard buttons.
class TSkinStdButtonObject : public TSkinButtonObject {
 public:
  TSkinStdButtonObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                       const TDataSkinStdButton* data);
  // A button of the frame without skin.
  TSkinStdButtonObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                       std::string name, TSkinCommand command);

  bool MorphPending() const override;
  void Draw(TObjectCanvas& canvas, bool direct) override;
  void DblClick() override;
  void MouseDown(int x, int y, int button) override;
  void MouseUp(int x, int y, int button) override;

  void RunCommand();
  // The window is in the state the command's restore looks stand for.
  bool CommandStateOn() const;

  bool HasSkinData = false;
  TSkinCommand command = TSkinCommand::cmclose;
  TRect restorerect, restoreactiverect, restoreinactiverect, restoredownrect;

 private:
  bool DrawsIcon() const;
  void DrawWithoutSkin(TObjectCanvas& canvas);
};

enum class TCaptionLook { Normal, Active };

// Where the caption's text goes and what is drawn with it.
struct TCaptionTextPlace {
  std::string Text;  // shortened to the text area with "..."
  TPoint At;         // the text's top-left
  TColor Color = 0;
  bool Shadow = false;
  TPoint ShadowAt;  // drawn first, one pixel right and down
  TColor ShadowColor = 0;
  // The frame behind the text: FrameSource of ExtraPicture as a three-piece
  // picture FrameWidth wide, at FrameAt. No frame when FrameWidth is 0.
  TRect FrameSource;
  int FrameWidth = 0;
  TPoint FrameAt;
};

class TSkinCaptionObject : public TActiveSkinObject {
 public:
  TSkinCaptionObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                     const TDataSkinCaption* data);

  void Draw(TObjectCanvas& canvas, bool direct) override;
  void MouseUp(int x, int y, int button) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void ResetState() override { PointerOver = false; }

  // The text area inside the object, relative to its top-left corner.
  TRect TextArea() const;
  // Where the text goes with the object's top-left at `origin`; empty
  // Text when nothing is drawn. `measure` has the caption font selected.
  TCaptionTextPlace PlaceText(TextMeasure& measure, int textHeight, std::string text, TPoint origin,
                              bool active) const;
  // The caption text and its frame drawn into `target`, the object's top-left being `origin`.
  void DrawText(TObjectCanvas& canvas, PixelView target, TPoint origin, bool active);
  // An object-sized picture of the normal or active look, with its text.
  PixelImage BuildLook(TObjectCanvas& canvas, TCaptionLook look);

  std::string fontname;
  TSkinFontStyles fontstyle = 0;
  int32_t fontheight = 0;
  TColor fontcolor = 0, activefontcolor = 0, shadowcolor = 0, activeshadowcolor = 0;
  bool shadow = false;
  TSkinAlignment alignment = TSkinAlignment::taLeftJustify;
  TRect textrect, framerect, activeframerect;
  int32_t frameleftoffset = 0, framerightoffset = 0;
  TRect frametextrect;

 private:
  void RenderInactive(PixelView image);
  NoiseRandom FNoise;
};

class TSkinAnimateObject : public TActiveSkinObject {
 public:
  TSkinAnimateObject(TObjectFrame& frame, const TSkinData* skin, const TObjectPictures& pictures,
                     const TDataSkinAnimate* data);

  void Draw(TObjectCanvas& canvas, bool direct) override;
  void DblClick() override;
  void MouseUp(int x, int y, int button) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void ResetState() override { PointerOver = false; }

  // One 25 ms tick of the animation timer; false once the animation stops.
  bool AnimateTick();
  bool Running() const { return FRunning; }
  // The picture rectangle of frame f (1-based).
  TRect FrameRect(int f) const;

  int CurrentFrame = 1;
  int FrameClock = 0;
  int32_t timerinterval = 25;
  int32_t countframes = 0;
  bool cycle = false, buttonstyle = false;
  bool PlayForward = true;
  TSkinCommand command = TSkinCommand::cmclose;
  TObjectMenu* AttachedItems = nullptr;

 private:
  void Play(bool forward);
  void RunCommand();
  bool FRunning = false;
};

// The window command of `command`, as the standard and animated buttons run it.
void RunFrameCommand(TFrameCommands& frame, TSkinCommand command);
