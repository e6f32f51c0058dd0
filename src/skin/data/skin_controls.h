#pragma once
// The data classes of the [SKINCONTROLS] entries: one per kind of skinned
// control. Each reads the section named by its IDName; fields are named
// after their keys. Fields naming another section hold the name only.
#include <memory>
#include <string>
#include <string_view>

#include "skin/data/skin_fields.h"

class TDataSkinControl : public TSkinSectionData {
 public:
  explicit TDataSkinControl(std::string name) : IDName(std::move(name)) {}
  std::string_view ClassName() const override { return "TDataSkinControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;
  virtual void ReadFromIni(const TMemIniFile& ini) { ReadSection(ini, IDName); }
  virtual void WriteToIni(TMemIniFile& ini) { WriteSection(ini, IDName); }

  std::string IDName;
  int32_t pictureindex = -1;
  int32_t maskpictureindex = -1;
  TRect skinrect;
};

// A control whose look is resized by four corner points, as the form's is.
class TDataSkinCustomControl : public TDataSkinControl {
 public:
  using TDataSkinControl::TDataSkinControl;
  std::string_view ClassName() const override { return "TDataSkinCustomControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  TRect clientrect;
};

class TDataSkinButtonControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinButtonControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  std::string fontname = kSkinDefaultFontName;
  TSkinFontStyles fontstyle = 0;
  int32_t fontheight = 12;
  TColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0, disabledfontcolor = 0;
  TRect activeskinrect, downskinrect, disabledskinrect;
  bool morphing = false;
  TMorphKind morphkind = TMorphKind::mkdefault;
};

class TDataSkinMenuButtonControl : public TDataSkinButtonControl {
 public:
  using TDataSkinButtonControl::TDataSkinButtonControl;
  std::string_view ClassName() const override { return "TDataSkinMenuButtonControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect trackbuttonrect;
};

class TDataSkinCheckRadioControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinCheckRadioControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0, framefontcolor = 0;
  TRect activeskinrect, checkimagearea, textarea, checkimagerect, uncheckimagerect, activecheckimagerect,
      activeuncheckimagerect, unenabledcheckimagerect, unenableduncheckimagerect;
  bool morphing = false;
  TMorphKind morphkind = TMorphKind::mkdefault;
};

class TDataSkinPanelControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinPanelControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  int32_t bgpictureindex = -1;
  TRect captionrect;
  TSkinAlignment alignment = TSkinAlignment::taLeftJustify;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0;
  TRect checkimagerect, uncheckimagerect;
};

class TDataSkinExPanelControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinExPanelControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect rollhskinrect, rollvskinrect;
  int32_t rollleftoffset = 0, rollrightoffset = 0, rolltopoffset = 0, rollbottomoffset = 0;
  TRect rollvcaptionrect, rollhcaptionrect;
  TRect closebuttonrect, closebuttonactiverect, closebuttondownrect;
  TRect hrollbuttonrect, hrollbuttonactiverect, hrollbuttondownrect;
  TRect hrestorebuttonrect, hrestorebuttonactiverect, hrestorebuttondownrect;
  TRect vrollbuttonrect, vrollbuttonactiverect, vrollbuttondownrect;
  TRect vrestorebuttonrect, vrestorebuttonactiverect, vrestorebuttondownrect;
  TRect captionrect;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0;
};

class TDataSkinGaugeControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinGaugeControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect progressarea, progressrect;
  int32_t beginoffset = 0, endoffset = 0;
  bool vertical = false;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0;
};

class TDataSkinSplitterControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinSplitterControl"; }
};

class TDataSkinTrackBarControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinTrackBarControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect trackarea, buttonrect, activebuttonrect;
  bool vertical = false;
};

class TDataSkinLabelControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinLabelControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0;
};

class TDataSkinStdLabelControl : public TDataSkinControl {
 public:
  using TDataSkinControl::TDataSkinControl;
  std::string_view ClassName() const override { return "TDataSkinStdLabelControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0;
  TColor activefontcolor = clBlue;
};

// Its looks are the button rectangles only: the corner points and the
// client rectangle are always zero.
class TDataSkinUpDownControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinUpDownControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;
  void ReadFromIni(const TMemIniFile& ini) override;
  void WriteToIni(TMemIniFile& ini) override;

  TRect upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect, activedownbuttonrect, downdownbuttonrect;

 private:
  void ClearFrame();
};

class TDataSkinGridControl : public TDataSkinControl {
 public:
  using TDataSkinControl::TDataSkinControl;
  std::string_view ClassName() const override { return "TDataSkinGridControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect fixedcellrect, selectcellrect, focuscellrect;
  int32_t fixedcellleftoffset = 0, fixedcellrightoffset = 0;
  TRect fixedcelltextrect;
  int32_t cellleftoffset = 0, cellrightoffset = 0;
  TRect celltextrect;
  TColor linescolor = 0, bgcolor = 0;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, selectfontcolor = 0, focusfontcolor = 0;
  std::string fixedfontname = kSkinDefaultFontName;
  int32_t fixedfontheight = 12;
  TSkinFontStyles fixedfontstyle = 0;
  TColor fixedfontcolor = 0;
};

class TDataSkinTabControl : public TDataSkinControl {
 public:
  using TDataSkinControl::TDataSkinControl;
  std::string_view ClassName() const override { return "TDataSkinTabControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect tabrect, activetabrect, focustabrect, mouseintabrect, clientrect;
  int32_t bgpictureindex = -1;
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  int32_t tableftoffset = 0, tabrightoffset = 0;
  TRect tabsbgrect;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0, mouseinfontcolor = 0;
  std::string updown;
};

class TDataSkinMainMenuBar : public TDataSkinControl {
 public:
  using TDataSkinControl::TDataSkinControl;
  std::string_view ClassName() const override { return "TDataSkinMainMenuBar"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect itemsrect;
  std::string menubaritem, closebutton, minbutton, maxbutton, sysmenubutton;
  TColor trackmarkcolor = 0, trackmarkactivecolor = 0;
};

class TDataSkinControlBar : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinControlBar"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect itemrect;
  int32_t bgpictureindex = -1;
};

class TDataSkinEditControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinEditControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect activeskinrect;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, disabledfontcolor = 0, activefontcolor = 0;
  TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
};

class TDataSkinMemoControl : public TDataSkinEditControl {
 public:
  using TDataSkinEditControl::TDataSkinEditControl;
  std::string_view ClassName() const override { return "TDataSkinMemoControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TColor bgcolor = 0, activebgcolor = 0;
};

class TDataSkinListBox : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinListBox"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect itemrect, activeitemrect, focusitemrect;
  int32_t itemleftoffset = 0, itemrightoffset = 0;
  TRect itemtextrect;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, activefontcolor = 0, focusfontcolor = 0;
  TRect captionrect;
  std::string captionfontname = kSkinDefaultFontName;
  int32_t captionfontheight = 12;
  TSkinFontStyles captionfontstyle = 0;
  TColor captionfontcolor = 0;
  TRect upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect, activedownbuttonrect, downdownbuttonrect;
  TRect checkbuttonrect, activecheckbuttonrect, downcheckbuttonrect;
  std::string vscrollbarname = "vscrollbar", hscrollbarname = "hscrollbar", bothhscrollbarname = "bothhscrollbar";
};

class TDataSkinCheckListBox : public TDataSkinListBox {
 public:
  using TDataSkinListBox::TDataSkinListBox;
  std::string_view ClassName() const override { return "TDataSkinCheckListBox"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect itemcheckrect, checkimagerect, uncheckimagerect;
};

class TDataSkinComboBox : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinComboBox"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect itemrect, focusitemrect;
  int32_t itemleftoffset = 0, itemrightoffset = 0;
  TRect itemtextrect;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, focusfontcolor = 0;
  std::string listboxname;
  TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
};

class TDataSkinScrollBarControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinScrollBarControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect trackarea;
  TRect upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect, activedownbuttonrect, downdownbuttonrect;
  TRect thumbrect, activethumbrect, downthumbrect;
  int32_t thumboffset1 = 0, thumboffset2 = 0;
  TRect glyphrect, activeglyphrect, downglyphrect;
};

class TDataSkinSpinEditControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinSpinEditControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect activeskinrect;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0;
  TRect upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect, activedownbuttonrect, downdownbuttonrect;
};

class TDataSkinScrollBoxControl : public TDataSkinCustomControl {
 public:
  using TDataSkinCustomControl::TDataSkinCustomControl;
  std::string_view ClassName() const override { return "TDataSkinScrollBoxControl"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  int32_t bgpictureindex = -1;
};

// The tree view, list view and rich edit share their keys.
class TDataSkinTextViewControl : public TDataSkinControl {
 public:
  using TDataSkinControl::TDataSkinControl;
  void VisitFields(SkinFieldVisitor& visitor) override;

  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, bgcolor = 0;
};

class TDataSkinTreeView : public TDataSkinTextViewControl {
 public:
  using TDataSkinTextViewControl::TDataSkinTextViewControl;
  std::string_view ClassName() const override { return "TDataSkinTreeView"; }
};

class TDataSkinListView : public TDataSkinTextViewControl {
 public:
  using TDataSkinTextViewControl::TDataSkinTextViewControl;
  std::string_view ClassName() const override { return "TDataSkinListView"; }
};

class TDataSkinRichEdit : public TDataSkinTextViewControl {
 public:
  using TDataSkinTextViewControl::TDataSkinTextViewControl;
  std::string_view ClassName() const override { return "TDataSkinRichEdit"; }
};

class TDataSkinBevel : public TDataSkinControl {
 public:
  using TDataSkinControl::TDataSkinControl;
  std::string_view ClassName() const override { return "TDataSkinBevel"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TColor lightcolor = 0, darkcolor = 0;
};

class TDataSkinSlider : public TDataSkinControl {
 public:
  using TDataSkinControl::TDataSkinControl;
  std::string_view ClassName() const override { return "TDataSkinSlider"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TColor bgcolor = 0;
  TRect hrulerrect, hthumbrect, vrulerrect, vthumbrect;
  int32_t edgesize = 0;
  TColor pointscolor = 0;
};

// The control for an exact type word of [SKINCONTROLS], or null for an unknown one.
std::unique_ptr<TDataSkinControl> CreateSkinControl(std::string_view typeWord, const std::string& name);
