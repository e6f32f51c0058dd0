#pragma once
// The link label. For now it shows its caption in its font over the
// parent's colour and sizes itself to it; opening the link comes with the
// label itself.
#include "framework/control_win.h"

class TURLLabel : public TWinControl {
 public:
  explicit TURLLabel(TComponent* owner);
  std::string_view ClassName() const override { return "TURLLabel"; }
  const PropertyTable& Properties() const override;

  const std::string& URL() const { return FURL; }
  void SetURL(const std::string& value) { FURL = value; }
  TColor VisitedColor() const { return FVisitedColor; }
  void SetVisitedColor(TColor value) { FVisitedColor = value; }
  void SetUnvisitedColor(TColor value) { FUnvisitedColor = value; }

  void Loaded() override;

 protected:
  void Paint(TCanvas& canvas) override;
  void FontChanged() override;

 private:
  void AutoSize();

  std::string FURL;
  TColor FVisitedColor = clPurple;
  TColor FUnvisitedColor = clHighlight;
};
