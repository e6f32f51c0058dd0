#pragma once
// The link label: shows a web address (or any document or program name) in
// link colours, opens it with the shell when clicked, and takes its visited
// colour once opened.
#include <string>

#include "ui/accessible_win.h"
#include "ui/control_win.h"

// The number the hand cursor is registered under.
constexpr int crURLHand = 26000;

// How the caption is drawn; this label draws plain text only.
enum class TTextStyle { tsNormal };

// The two shell calls the label makes; tests put a fake in so no browser opens.
class LinkShell {
 public:
  virtual ~LinkShell() = default;
  // ShellExecuteEx with the "Open" verb; true when the shell accepted it.
  virtual bool Open(const std::string& target) = 0;
  // Offers the system's choice of program for ".htm" documents.
  virtual void ChooseHtmProgram() = 0;
};
LinkShell& ActiveLinkShell();
void SetLinkShell(LinkShell* shell);

class TURLLabel : public TWinControl, private AccessibleSource {
 public:
  explicit TURLLabel(TComponent* owner);
  std::string_view ClassName() const override { return "TURLLabel"; }
  const PropertyTable& Properties() const override;

  const std::string& URL() const { return FURL; }
  void SetURL(const std::string& value) { FURL = value; }
  bool Visited() const { return FVisited; }
  void SetVisited(bool value);
  TColor VisitedColor() const { return FVisitedColor; }
  void SetVisitedColor(TColor value);
  TColor UnvisitedColor() const { return FUnvisitedColor; }
  void SetUnvisitedColor(TColor value);
  TTextStyle TextStyle() const { return TTextStyle::tsNormal; }
  void SetTextStyle(TTextStyle) {}

  // Raises OnClick, then opens the URL, or the caption when the URL is blank.
  void Click() override;
  void Loaded() override;

 protected:
  void Paint(TCanvas& canvas) override;
  void FontChanged() override;
  void TextChanged() override;
  void MouseDown(int button, uint32_t shift, int x, int y) override;
  void MouseUp(int button, uint32_t shift, int x, int y) override;
  void MouseCaptureLost() override { FPressed = false; }
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateFontColor();
  void FitToCaption();
  TAccessibleItem AccessibleItem(int32_t child) const override;
  void DoAccessibleAction(int32_t) override { Click(); }

  std::string FURL;
  bool FVisited = false;
  TColor FVisitedColor = clPurple;
  TColor FUnvisitedColor = clHighlight;
  bool FPressed = false;
  TAccessibleWindow FAccessible{*this};
};
