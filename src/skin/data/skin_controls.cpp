#include "skin/data/skin_controls.h"

#include <utility>

namespace {

// The up, down and pressed looks of a pair of arrow buttons.
struct ArrowButtonRects {
  TRect &up, &activeup, &downup, &down, &activedown, &downdown;
};

void VisitArrowButtons(SkinFieldVisitor& v, ArrowButtonRects r) {
  v.Rect("upbuttonrect", r.up);
  v.Rect("activeupbuttonrect", r.activeup);
  v.Rect("downupbuttonrect", r.downup);
  v.Rect("downbuttonrect", r.down);
  v.Rect("activedownbuttonrect", r.activedown);
  v.Rect("downdownbuttonrect", r.downdown);
}

// A button's normal, active and pressed looks: "<name>rect", "<name>activerect", "<name>downrect".
void VisitButtonLooks(SkinFieldVisitor& v, const std::string& name, TRect& normal, TRect& active, TRect& down) {
  v.Rect(name + "rect", normal);
  v.Rect(name + "activerect", active);
  v.Rect(name + "downrect", down);
}

}  // namespace

void TDataSkinControl::VisitFields(SkinFieldVisitor& v) {
  v.PictureIndex("pictureindex", pictureindex);
  v.PictureIndex("maskpictureindex", maskpictureindex);
  v.Rect("skinrect", skinrect);
}

void TDataSkinCustomControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinControl::VisitFields(v);
  VisitCornerPoints(v, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
  v.Rect("clientrect", clientrect);
}

void TDataSkinButtonControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("activefontcolor", activefontcolor);
  v.Color("downfontcolor", downfontcolor);
  v.Color("disabledfontcolor", disabledfontcolor);
  v.Rect("activeskinrect", activeskinrect);
  v.Rect("downskinrect", downskinrect);
  v.Rect("disabledskinrect", disabledskinrect);
  v.Boolean("morphing", morphing);
  v.MorphKind("morphkind", morphkind);
}

void TDataSkinMenuButtonControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinButtonControl::VisitFields(v);
  v.Rect("trackbuttonrect", trackbuttonrect);
}

void TDataSkinCheckRadioControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("activefontcolor", activefontcolor);
  v.Color("unenabledfontcolor", unenabledfontcolor);
  v.Color("framefontcolor", framefontcolor);
  v.Rect("activeskinrect", activeskinrect);
  v.Rect("checkimagearea", checkimagearea);
  v.Rect("textarea", textarea);
  v.Rect("checkimagerect", checkimagerect);
  v.Rect("uncheckimagerect", uncheckimagerect);
  v.Rect("activecheckimagerect", activecheckimagerect);
  v.Rect("activeuncheckimagerect", activeuncheckimagerect);
  v.Rect("unenabledcheckimagerect", unenabledcheckimagerect);
  v.Rect("unenableduncheckimagerect", unenableduncheckimagerect);
  v.Boolean("morphing", morphing);
  v.MorphKind("morphkind", morphkind);
}

void TDataSkinPanelControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.PictureIndex("bgpictureindex", bgpictureindex);
  v.Rect("captionrect", captionrect);
  v.Alignment("alignment", alignment);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Rect("checkimagerect", checkimagerect);
  v.Rect("uncheckimagerect", uncheckimagerect);
}

void TDataSkinExPanelControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.Rect("rollhskinrect", rollhskinrect);
  v.Rect("rollvskinrect", rollvskinrect);
  v.Integer("rollleftoffset", rollleftoffset);
  v.Integer("rollrightoffset", rollrightoffset);
  v.Integer("rolltopoffset", rolltopoffset);
  v.Integer("rollbottomoffset", rollbottomoffset);
  v.Rect("rollvcaptionrect", rollvcaptionrect);
  v.Rect("rollhcaptionrect", rollhcaptionrect);
  VisitButtonLooks(v, "closebutton", closebuttonrect, closebuttonactiverect, closebuttondownrect);
  VisitButtonLooks(v, "hrollbutton", hrollbuttonrect, hrollbuttonactiverect, hrollbuttondownrect);
  VisitButtonLooks(v, "hrestorebutton", hrestorebuttonrect, hrestorebuttonactiverect, hrestorebuttondownrect);
  VisitButtonLooks(v, "vrollbutton", vrollbuttonrect, vrollbuttonactiverect, vrollbuttondownrect);
  VisitButtonLooks(v, "vrestorebutton", vrestorebuttonrect, vrestorebuttonactiverect, vrestorebuttondownrect);
  v.Rect("captionrect", captionrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
}

void TDataSkinGaugeControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.Rect("progressarea", progressarea);
  v.Rect("progressrect", progressrect);
  v.Integer("beginoffset", beginoffset);
  v.Integer("endoffset", endoffset);
  v.Boolean("vertical", vertical);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
}

void TDataSkinTrackBarControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.Rect("trackarea", trackarea);
  v.Rect("buttonrect", buttonrect);
  v.Rect("activebuttonrect", activebuttonrect);
  v.Boolean("vertical", vertical);
}

void TDataSkinLabelControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
}

void TDataSkinStdLabelControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinControl::VisitFields(v);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("activefontcolor", activefontcolor, clBlue);
}

void TDataSkinUpDownControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  VisitArrowButtons(v, {upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect, activedownbuttonrect,
                        downdownbuttonrect});
}

void TDataSkinUpDownControl::ClearFrame() {
  lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = TPoint{};
  clientrect = TRect{};
}

void TDataSkinUpDownControl::ReadFromIni(const TMemIniFile& ini) {
  TDataSkinCustomControl::ReadFromIni(ini);
  ClearFrame();
}

void TDataSkinUpDownControl::WriteToIni(TMemIniFile& ini) {
  ClearFrame();
  TDataSkinCustomControl::WriteToIni(ini);
}

void TDataSkinGridControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinControl::VisitFields(v);
  v.Rect("fixedcellrect", fixedcellrect);
  v.Rect("selectcellrect", selectcellrect);
  v.Rect("focuscellrect", focuscellrect);
  v.Integer("fixedcellleftoffset", fixedcellleftoffset);
  v.Integer("fixedcellrightoffset", fixedcellrightoffset);
  v.Rect("fixedcelltextrect", fixedcelltextrect);
  v.Integer("cellleftoffset", cellleftoffset);
  v.Integer("cellrightoffset", cellrightoffset);
  v.Rect("celltextrect", celltextrect);
  v.Color("linescolor", linescolor);
  v.Color("bgcolor", bgcolor);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("selectfontcolor", selectfontcolor);
  v.Color("focusfontcolor", focusfontcolor);
  VisitFont(v, "fixed", fixedfontname, fixedfontheight, fixedfontstyle);
  v.Color("fixedfontcolor", fixedfontcolor);
}

void TDataSkinTabControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinControl::VisitFields(v);
  v.Rect("tabrect", tabrect);
  v.Rect("activetabrect", activetabrect);
  v.Rect("focustabrect", focustabrect);
  v.Rect("mouseintabrect", mouseintabrect);
  v.Rect("clientrect", clientrect);
  v.PictureIndex("bgpictureindex", bgpictureindex);
  VisitCornerPoints(v, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
  v.Integer("tableftoffset", tableftoffset);
  v.Integer("tabrightoffset", tabrightoffset);
  v.Rect("tabsbgrect", tabsbgrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("activefontcolor", activefontcolor);
  v.Color("focusfontcolor", focusfontcolor);
  v.Color("mouseinfontcolor", mouseinfontcolor);
  v.Text("updown", updown);
}

void TDataSkinMainMenuBar::VisitFields(SkinFieldVisitor& v) {
  TDataSkinControl::VisitFields(v);
  v.Rect("itemsrect", itemsrect);
  v.Text("menubaritem", menubaritem);
  v.Text("closebutton", closebutton);
  v.Text("minbutton", minbutton);
  v.Text("maxbutton", maxbutton);
  v.Text("sysmenubutton", sysmenubutton);
  v.Color("trackmarkcolor", trackmarkcolor);
  v.Color("trackmarkactivecolor", trackmarkactivecolor);
}

void TDataSkinControlBar::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.Rect("itemrect", itemrect);
  v.PictureIndex("bgpictureindex", bgpictureindex);
}

void TDataSkinEditControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.Rect("activeskinrect", activeskinrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("disabledfontcolor", disabledfontcolor);
  v.Color("activefontcolor", activefontcolor);
  v.Rect("buttonrect", buttonrect);
  v.Rect("activebuttonrect", activebuttonrect);
  v.Rect("downbuttonrect", downbuttonrect);
  v.Rect("unenabledbuttonrect", unenabledbuttonrect);
}

void TDataSkinMemoControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinEditControl::VisitFields(v);
  v.Color("bgcolor", bgcolor);
  v.Color("activebgcolor", activebgcolor);
}

void TDataSkinListBox::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.Rect("itemrect", itemrect);
  v.Rect("activeitemrect", activeitemrect);
  v.Rect("focusitemrect", focusitemrect);
  v.Integer("itemleftoffset", itemleftoffset);
  v.Integer("itemrightoffset", itemrightoffset);
  v.Rect("itemtextrect", itemtextrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("activefontcolor", activefontcolor);
  v.Color("focusfontcolor", focusfontcolor);
  v.Rect("captionrect", captionrect);
  VisitFont(v, "caption", captionfontname, captionfontheight, captionfontstyle);
  v.Color("captionfontcolor", captionfontcolor);
  VisitArrowButtons(v, {upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect, activedownbuttonrect,
                        downdownbuttonrect});
  v.Rect("checkbuttonrect", checkbuttonrect);
  v.Rect("activecheckbuttonrect", activecheckbuttonrect);
  v.Rect("downcheckbuttonrect", downcheckbuttonrect);
  v.Text("vscrollbarname", vscrollbarname, "vscrollbar");
  v.Text("hscrollbarname", hscrollbarname, "hscrollbar");
  v.Text("bothhscrollbarname", bothhscrollbarname, "bothhscrollbar");
}

void TDataSkinCheckListBox::VisitFields(SkinFieldVisitor& v) {
  TDataSkinListBox::VisitFields(v);
  v.Rect("itemcheckrect", itemcheckrect);
  v.Rect("checkimagerect", checkimagerect);
  v.Rect("uncheckimagerect", uncheckimagerect);
}

void TDataSkinComboBox::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.Rect("itemrect", itemrect);
  v.Rect("focusitemrect", focusitemrect);
  v.Integer("itemleftoffset", itemleftoffset);
  v.Integer("itemrightoffset", itemrightoffset);
  v.Rect("itemtextrect", itemtextrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("focusfontcolor", focusfontcolor);
  v.Text("listboxname", listboxname);
  v.Rect("buttonrect", buttonrect);
  v.Rect("activebuttonrect", activebuttonrect);
  v.Rect("downbuttonrect", downbuttonrect);
  v.Rect("unenabledbuttonrect", unenabledbuttonrect);
}

void TDataSkinScrollBarControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.Rect("trackarea", trackarea);
  VisitArrowButtons(v, {upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect, activedownbuttonrect,
                        downdownbuttonrect});
  v.Rect("thumbrect", thumbrect);
  v.Rect("activethumbrect", activethumbrect);
  v.Rect("downthumbrect", downthumbrect);
  v.Integer("thumboffset1", thumboffset1);
  v.Integer("thumboffset2", thumboffset2);
  v.Rect("glyphrect", glyphrect);
  v.Rect("activeglyphrect", activeglyphrect);
  v.Rect("downglyphrect", downglyphrect);
}

void TDataSkinSpinEditControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.Rect("activeskinrect", activeskinrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("activefontcolor", activefontcolor);
  v.Color("disabledfontcolor", disabledfontcolor);
  VisitArrowButtons(v, {upbuttonrect, activeupbuttonrect, downupbuttonrect, downbuttonrect, activedownbuttonrect,
                        downdownbuttonrect});
}

void TDataSkinScrollBoxControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinCustomControl::VisitFields(v);
  v.PictureIndex("bgpictureindex", bgpictureindex);
}

void TDataSkinTextViewControl::VisitFields(SkinFieldVisitor& v) {
  TDataSkinControl::VisitFields(v);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("bgcolor", bgcolor);
}

void TDataSkinBevel::VisitFields(SkinFieldVisitor& v) {
  TDataSkinControl::VisitFields(v);
  v.Color("lightcolor", lightcolor);
  v.Color("darkcolor", darkcolor);
}

void TDataSkinSlider::VisitFields(SkinFieldVisitor& v) {
  TDataSkinControl::VisitFields(v);
  v.Color("bgcolor", bgcolor);
  v.Rect("hrulerrect", hrulerrect);
  v.Rect("hthumbrect", hthumbrect);
  v.Rect("vrulerrect", vrulerrect);
  v.Rect("vthumbrect", vthumbrect);
  v.Integer("edgesize", edgesize);
  v.Color("pointscolor", pointscolor);
}

namespace {

template <class T>
std::unique_ptr<TDataSkinControl> Make(const std::string& name) {
  return std::make_unique<T>(name);
}

using ControlMaker = std::unique_ptr<TDataSkinControl> (*)(const std::string&);

constexpr std::pair<std::string_view, ControlMaker> kControlTypes[] = {
    {"button", Make<TDataSkinButtonControl>},
    {"menubutton", Make<TDataSkinMenuButtonControl>},
    {"checkradio", Make<TDataSkinCheckRadioControl>},
    {"panel", Make<TDataSkinPanelControl>},
    {"expanel", Make<TDataSkinExPanelControl>},
    {"gauge", Make<TDataSkinGaugeControl>},
    {"splitter", Make<TDataSkinSplitterControl>},
    {"trackbar", Make<TDataSkinTrackBarControl>},
    {"label", Make<TDataSkinLabelControl>},
    {"stdlabel", Make<TDataSkinStdLabelControl>},
    {"updown", Make<TDataSkinUpDownControl>},
    {"grid", Make<TDataSkinGridControl>},
    {"tab", Make<TDataSkinTabControl>},
    {"mainmenubar", Make<TDataSkinMainMenuBar>},
    {"controlbar", Make<TDataSkinControlBar>},
    {"edit", Make<TDataSkinEditControl>},
    {"memo", Make<TDataSkinMemoControl>},
    {"listbox", Make<TDataSkinListBox>},
    {"checklistbox", Make<TDataSkinCheckListBox>},
    {"combobox", Make<TDataSkinComboBox>},
    {"scrollbar", Make<TDataSkinScrollBarControl>},
    {"spinedit", Make<TDataSkinSpinEditControl>},
    {"scrollbox", Make<TDataSkinScrollBoxControl>},
    {"treeview", Make<TDataSkinTreeView>},
    {"listview", Make<TDataSkinListView>},
    {"richedit", Make<TDataSkinRichEdit>},
    {"bevel", Make<TDataSkinBevel>},
    {"slider", Make<TDataSkinSlider>},
};

}  // namespace

std::unique_ptr<TDataSkinControl> CreateSkinControl(std::string_view typeWord, const std::string& name) {
  for (const auto& [word, make] : kControlTypes)
    if (word == typeWord) return make(name);
  return nullptr;
}
