#pragma once
// A windowed panel with an outer frame, a gap and an inner frame in any of
// the frame styles on any of its sides, filled with its colour, with an
// optional caption. Disabling it disables its children and enabling it
// gives back the state each had.
#include <utility>
#include <vector>

#include "ui/control_win.h"
#include "panel/frame_style.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TVerticalAlignment { vaTop, vaCenter, vaBottom };

class TBorderedPanel : public TWinControl {
 public:
  explicit TBorderedPanel(TComponent* owner);
  std::string_view ClassName() const override { return "TBorderedPanel"; }
  const PropertyTable& Properties() const override;

  TFrameStyleEx BorderOuter() const { return FBorderOuter; }
  void SetBorderOuter(TFrameStyleEx value);
  TFrameStyleEx BorderInner() const { return FBorderInner; }
  void SetBorderInner(TFrameStyleEx value);
  uint32_t BorderSides() const { return FBorderSides; }
  void SetBorderSides(uint32_t value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor value) { Store(FBorderColor, value); }
  TColor BorderHighlight() const { return FBorderHighlight; }
  void SetBorderHighlight(TColor value) { Store(FBorderHighlight, value); }
  TColor BorderShadow() const { return FBorderShadow; }
  void SetBorderShadow(TColor value) { Store(FBorderShadow, value); }
  TColor FlatColor() const { return FFlatColor; }
  void SetFlatColor(TColor value) { Store(FFlatColor, value); }
  int FlatColorAdjustment() const { return FFlatColorAdjustment; }
  void SetFlatColorAdjustment(int value) { Store(FFlatColorAdjustment, value); }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value) { Store(FAlignment, value); }
  void SetFrameSides(uint32_t) {}  // an obsolete stored property, read and dropped

  // Transparent: no fill of its own, what lies behind it shows through.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value) { Store(FTransparent, value); }
  void SetOnMouseEnter(TNotifyEvent handler) { FOnMouseEnter = std::move(handler); }
  void SetOnMouseLeave(TNotifyEvent handler) { FOnMouseLeave = std::move(handler); }

  // The rectangle shrunk by the frames on the framed sides (and the border
  // width all round when asked).
  virtual RECT AdjustForFrames(RECT r, bool includeBorderWidth) const;
  virtual RECT GetFrameRect() const;
  // The window's client area less the border width all round; children are
  // aligned inside the frames as well.
  RECT ClientRect() const override;

 protected:
  void Paint(TCanvas& canvas) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void DrawCaption(TCanvas& canvas, RECT r);
  void EnabledChanged() override;
  RECT AlignArea() const override { return AdjustForFrames(ClientRect(), false); }
  // The pointer came over the control or left it: raise OnMouseEnter and OnMouseLeave.
  virtual void NotifyMouseEnter();
  virtual void NotifyMouseLeave();

  template <class T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }

 private:
  void FramesChanged();

  TFrameStyleEx FBorderOuter = TFrameStyleEx::fsRaised;
  TFrameStyleEx FBorderInner = TFrameStyleEx::fsNone;
  uint32_t FBorderSides = kAllSides;
  int FBorderWidth = 0;
  int FBevelWidth = 1;
  TColor FBorderColor = clBtnFace;
  TColor FBorderHighlight = clBtnHighlight;
  TColor FBorderShadow = clBtnShadow;
  TColor FFlatColor = clBtnShadow;
  int FFlatColorAdjustment = 30;
  TAlignment FAlignment = TAlignment::taCenter;
  TVerticalAlignment FVerticalAlignment = TVerticalAlignment::vaCenter;
  std::vector<std::pair<TWinControl*, bool>> FSavedChildStates;
  bool FTransparent = false;
  // A leave notice is asked for once per visit of the pointer.
  bool FTrackingMouse = false;
  TNotifyEvent FOnMouseEnter, FOnMouseLeave;
};
