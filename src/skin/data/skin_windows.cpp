#include "skin/data/skin_windows.h"

void TDataSkinPopupWindow::VisitFields(SkinFieldVisitor& v) {
  v.PictureIndex("windowpictureindex", windowpictureindex);
  v.PictureIndex("maskpictureindex", maskpictureindex);
  VisitCornerPoints(v, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
  v.Rect("itemsrect", itemsrect);
  v.Color("scrollmarkercolor", scrollmarkercolor);
  v.Color("scrollmarkeractivecolor", scrollmarkeractivecolor);
  VisitStretches(v, leftstretch, rightstretch, topstretch, bottomstretch);
}

void TDataSkinHintWindow::VisitFields(SkinFieldVisitor& v) {
  v.PictureIndex("windowpictureindex", windowpictureindex);
  v.PictureIndex("maskpictureindex", maskpictureindex);
  VisitCornerPoints(v, lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
  v.Rect("clientrect", clientrect);
  VisitFont(v, "", fontname, fontheight, fontstyle);
  v.Color("fontcolor", fontcolor);
  VisitStretches(v, leftstretch, rightstretch, topstretch, bottomstretch);
}
