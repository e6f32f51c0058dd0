#include "skin/data/skin_objects.h"

void TDataSkinObject::VisitFields(SkinFieldVisitor& v) {
  v.Text("hint", hint);
  v.PictureIndex("activepictureindex", activepictureindex);
  v.Boolean("skinrectinapicture", skinrectinapicture);
  v.Rect("skinrect", skinrect);
  v.Rect("activeskinrect", activeskinrect);
  v.Boolean("morphing", morphing);
  v.MorphKind("morphkind", morphkind);
}

void TDataUserObject::VisitFields(SkinFieldVisitor& v) { v.Rect("skinrect", skinrect); }

void TDataSkinButton::VisitFields(SkinFieldVisitor& v) {
  TDataSkinObject::VisitFields(v);
  v.Rect("downrect", downrect);
  v.Rect("disableskinrsect", disableskinrsect);
}

void TDataSkinStdButton::VisitFields(SkinFieldVisitor& v) {
  TDataSkinButton::VisitFields(v);
  v.Command("command", command);
  v.Rect("restorerect", restorerect);
  v.Rect("restoreactiverect", restoreactiverect);
  v.Rect("restoredownrect", restoredownrect);
  v.Rect("restoreinactiverect", restoreinactiverect);
}

void TDataSkinAnimate::VisitFields(SkinFieldVisitor& v) {
  TDataSkinObject::VisitFields(v);
  v.Integer("countframes", countframes, 1);
  v.Boolean("cycle", cycle);
  v.Boolean("buttonstyle", buttonstyle);
  v.Integer("timerinterval", timerinterval, 50);
  v.Command("command", command);
}

void TDataSkinAnimate::ReadFromIni(const TMemIniFile& ini) {
  TDataSkinObject::ReadFromIni(ini);
  morphing = false;
}

void TDataSkinCaption::VisitFields(SkinFieldVisitor& v) {
  TDataSkinObject::VisitFields(v);
  v.Rect("textrect", textrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("activefontcolor", activefontcolor);
  v.Alignment("alignment", alignment);
  v.Boolean("shadow", shadow);
  v.Color("shadowcolor", shadowcolor);
  v.Color("activeshadowcolor", activeshadowcolor);
  v.Rect("framerect", framerect);
  v.Rect("activeframerect", activeframerect);
  v.Rect("frametextrect", frametextrect);
  v.Integer("frameleftoffset", frameleftoffset);
  v.Integer("framerightoffset", framerightoffset);
}

void TDataSkinMenuItem::VisitFields(SkinFieldVisitor& v) {
  TDataSkinObject::VisitFields(v);
  v.Integer("itemleftoffset", itemleftoffset);
  v.Integer("itemrightoffset", itemrightoffset);
  v.Rect("dividerrect", dividerrect);
  v.Integer("dividerleftoffset", dividerleftoffset);
  v.Integer("dividerrightoffset", dividerrightoffset);
  v.Rect("textrect", textrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("activefontcolor", activefontcolor);
  v.Color("unenabledfontcolor", unenabledfontcolor);
}

void TDataSkinMainMenuItem::VisitFields(SkinFieldVisitor& v) {
  TDataSkinObject::VisitFields(v);
  v.Integer("itemleftoffset", itemleftoffset);
  v.Integer("itemrightoffset", itemrightoffset);
  v.Rect("downrect", downrect);
  v.Rect("textrect", textrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  v.Color("activefontcolor", activefontcolor);
  v.Color("downfontcolor", downfontcolor);
  v.Color("unenabledfontColor", unenabledfontColor);
}

std::unique_ptr<TDataSkinObject> CreateSkinObject(std::string_view typeWord, const std::string& name) {
  if (typeWord == "caption") return std::make_unique<TDataSkinCaption>(name);
  if (typeWord == "stdbutton") return std::make_unique<TDataSkinStdButton>(name);
  if (typeWord == "mainmenubarbutton") return std::make_unique<TDataSkinMainMenuBarButton>(name);
  if (typeWord == "button") return std::make_unique<TDataSkinButton>(name);
  if (typeWord == "menuitem") return std::make_unique<TDataSkinMenuItem>(name);
  if (typeWord == "mainmenubaritem") return std::make_unique<TDataSkinMainMenuBarItem>(name);
  if (typeWord == "animate") return std::make_unique<TDataSkinAnimate>(name);
  if (typeWord == "userobject") return std::make_unique<TDataUserObject>(name);
  return nullptr;
}
