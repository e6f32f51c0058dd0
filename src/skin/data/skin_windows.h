#pragma once
// The data of the skinned pop-up menu window ([POPUPWINDOW]) and of the
// skinned hint window ([HINTWINDOW]).
#include <string>
#include <string_view>

#include "skin/data/skin_fields.h"

class TDataSkinPopupWindow : public TSkinSectionData {
 public:
  std::string_view ClassName() const override { return "TDataSkinPopupWindow"; }
  void VisitFields(SkinFieldVisitor& visitor) override;
  void ReadFromIni(const TMemIniFile& ini) { ReadSection(ini, "POPUPWINDOW"); }
  void WriteToIni(TMemIniFile& ini) { WriteSection(ini, "POPUPWINDOW"); }

  int32_t windowpictureindex = -1;
  int32_t maskpictureindex = -1;
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  TRect itemsrect;
  TColor scrollmarkercolor = 0, scrollmarkeractivecolor = 0;
  bool topstretch = false, leftstretch = false, rightstretch = false, bottomstretch = false;
};

class TDataSkinHintWindow : public TSkinSectionData {
 public:
  std::string_view ClassName() const override { return "TDataSkinHintWindow"; }
  void VisitFields(SkinFieldVisitor& visitor) override;
  void ReadFromIni(const TMemIniFile& ini) { ReadSection(ini, "HINTWINDOW"); }
  void WriteToIni(TMemIniFile& ini) { WriteSection(ini, "HINTWINDOW"); }

  int32_t windowpictureindex = -1;
  int32_t maskpictureindex = -1;
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  TRect clientrect;
  std::string fontname = kSkinDefaultFontName;
  TSkinFontStyles fontstyle = 0;
  int32_t fontheight = 12;
  TColor fontcolor = 0;
  bool topstretch = false, leftstretch = false, rightstretch = false, bottomstretch = false;
};
