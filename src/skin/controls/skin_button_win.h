#pragma once
// The skinned push button of the main window: drawn entirely from its skin
// section (normal, hot, down and disabled pictures, caption colours, mask),
// or as a plain face without a skin. Its mouse, keyboard, repeat and group
// rules live in ButtonBehaviour; this class feeds it and draws.
#include <memory>

#include "skin/controls/button_behaviour.h"
#include "skin/pixels/fast_bitmap_win.h"
#include "skin/pixels/glyph_layout.h"
#include "skin/controls/skin_control_win.h"
#include "ui/accessible_win.h"
#include "ui/action.h"

class TTimer;

class TSkinButton : public TSkinCustomControl, private AccessibleSource, private ActionClient {
 public:
  explicit TSkinButton(TComponent* owner);
  ~TSkinButton() override;
  std::string_view ClassName() const override { return "TSkinButton"; }
  const PropertyTable& Properties() const override;

  // The programmatic click: OnClick with the button as sender, enabled or
  // not; nothing while an action is linked.
  virtual void Click();
  // The user's click (mouse, keys, repeat): the form's modal result, then
  // an OnClick of its own, else the linked action, else OnClick.
  virtual void PerformClick();
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent handler);

  // The button shows the action's caption, state and hint, and its image
  // while the button has no glyph of its own.
  TAction* Action() const { return FActionLink.Action(); }
  void SetAction(TAction* action);

  bool Down() const { return Behaviour().Down; }
  void SetDown(bool value);
  bool RepeatMode() const { return Behaviour().Options.RepeatMode; }
  void SetRepeatMode(bool value) { Behaviour().Options.RepeatMode = value; }
  int RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int value) { FRepeatInterval = value; }
  bool AllowAllUp() const { return Behaviour().Options.AllowAllUp; }
  void SetAllowAllUp(bool value) { Behaviour().Options.AllowAllUp = value; }
  bool CanFocused() const { return Behaviour().Options.CanFocused; }
  void SetCanFocused(bool value);
  int GroupIndex() const { return Behaviour().Options.GroupIndex; }
  void SetGroupIndex(int value);
  bool Default() const { return Behaviour().Options.Default; }
  void SetDefault(bool value);
  bool Cancel() const { return Behaviour().Options.Cancel; }
  void SetCancel(bool value) { Behaviour().Options.Cancel = value; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  // A BMP strip of NumGlyphs cells, as forms store it (a 4-byte length, then the file).
  void SetGlyphData(const std::vector<uint8_t>& data);
  // The data the glyph was read from, kept to be written back as it came;
  // empty for a glyph set as pixels.
  const std::vector<uint8_t>& GlyphData() const { return FGlyphData; }
  void SetGlyph(PixelImage glyph);

  bool MouseInside() const { return Behaviour().MouseInside; }
  double MorphFactor() const { return Behaviour().MorphFactor; }

  void ApplySkin() override;

 protected:
  void Paint(TCanvas& canvas) override;
  void KeyDown(WORD& key, uint32_t shift) override;
  void KeyUp(WORD& key, uint32_t shift) override;
  void MouseDown(int button, uint32_t shift, int x, int y) override;
  void MouseUp(int button, uint32_t shift, int x, int y) override;
  void MouseCaptureLost() override;
  // The button takes the focus itself on a left press.
  bool FocusesOnPress(int) const override { return false; }
  UINT DialogCode() const override { return DLGC_BUTTON; }
  bool HandleDialogChar(char16_t ch) override;
  bool HandleDialogKey(WORD key, uint32_t shift) override;
  void FocusChanged(TWinControl* focused) override;
  void DoEnter() override;
  void DoExit() override;
  void EnabledChanged() override;
  void CreateHandle() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class Host;
  ButtonBehaviour& Behaviour() const;
  friend class Host;
  void ApplyDown(bool down, bool repaint);
  void StartRepeat();
  void StopRepeat();
  // Repaints, or starts the morph when the skin morphs.
  void Refresh();
  bool Morphing() const;

  const TDataSkinButtonControl* ButtonSection() const;
  bool PtInWindowShape(POINT at) const;
  ButtonFaceState FaceState() const;
  // One state picture with its caption and glyph, at the control's size.
  void DrawStateFace(TFBitmap& face, const TRect& rect, bool active, bool down);
  void DrawDefaultFace(TCanvas& canvas);
  void DrawCaptionAndGlyph(TCanvas& canvas, const TFont& font, TColor color, int cell, bool down);
  void MorphTimerTick();
  void StopMorph();
  void RaiseGroupSiblings();
  TAccessibleItem AccessibleItem(int32_t child) const override;
  void DoAccessibleAction(int32_t child) override;
  void ActionCaptionChanged(const std::string& caption) override { SetCaption(caption); }
  void ActionEnabledChanged(bool enabled) override { SetEnabled(enabled); }
  void ActionHintChanged(const std::string& hint) override { SetHint(hint); }
  void ActionVisibleChanged(bool visible) override { SetVisible(visible); }
  void ActionImageChanged() override;

  std::unique_ptr<Host> FHost;
  TNotifyEvent FOnClick;
  // Set while OnClick is the copy of the action's OnExecute the link made.
  bool FOnClickIsActionExecute = false;
  int FRepeatInterval = 100;
  int FModalResult = 0;
  int FNumGlyphs = 1;
  int FSpacing = 1;
  int FMargin = -1;
  TButtonLayout FLayout = blGlyphLeft;
  TFBitmap FGlyph{0, 0};
  std::vector<uint8_t> FGlyphData;
  // Replaced and freed on demand; owned as components of the button.
  TTimer* FRepeatTimer = nullptr;
  TTimer* FMorphTimer = nullptr;
  // A leave notice is asked for once per visit of the pointer.
  bool FTrackingMouse = false;
  bool FTakingFocus = false;
  TAccessibleWindow FAccessible{*this};
  // Last: it goes first, while the button it tells is whole.
  TActionLink FActionLink{*this};
};
