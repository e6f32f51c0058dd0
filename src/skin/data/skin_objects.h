#pragma once
// The data classes of the [SKINOBJECTS] entries: the caption, the caption
// buttons, menu items and animations the frame draws. Each reads the section
// named by its IDName; fields are named after their keys.
#include <memory>
#include <string>
#include <string_view>

#include "skin/data/skin_fields.h"

class TDataSkinObject : public TSkinSectionData {
 public:
  explicit TDataSkinObject(std::string name) : IDName(std::move(name)) {}
  std::string_view ClassName() const override { return "TDataSkinObject"; }
  void VisitFields(SkinFieldVisitor& visitor) override;
  virtual void ReadFromIni(const TMemIniFile& ini) { ReadSection(ini, IDName); }
  virtual void WriteToIni(TMemIniFile& ini) { WriteSection(ini, IDName); }

  std::string IDName;
  std::string hint;
  bool skinrectinapicture = false;
  TRect skinrect, activeskinrect;
  int32_t activepictureindex = -1;
  bool morphing = false;
  TMorphKind morphkind = TMorphKind::mkdefault;
};

// Only "skinrect": the frame lays it out, the program draws into it.
class TDataUserObject : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::string_view ClassName() const override { return "TDataUserObject"; }
  void VisitFields(SkinFieldVisitor& visitor) override;
};

class TDataSkinButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::string_view ClassName() const override { return "TDataSkinButton"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect downrect;
  TRect disableskinrsect;  // the key is spelled so
};

class TDataSkinStdButton : public TDataSkinButton {
 public:
  using TDataSkinButton::TDataSkinButton;
  std::string_view ClassName() const override { return "TDataSkinStdButton"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TSkinCommand command = TSkinCommand::cmclose;
  TRect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;
};

class TDataSkinMainMenuBarButton : public TDataSkinStdButton {
 public:
  using TDataSkinStdButton::TDataSkinStdButton;
  std::string_view ClassName() const override { return "TDataSkinMainMenuBarButton"; }
};

class TDataSkinAnimate : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::string_view ClassName() const override { return "TDataSkinAnimate"; }
  void VisitFields(SkinFieldVisitor& visitor) override;
  // An animation steps through frames; it never cross-fades.
  void ReadFromIni(const TMemIniFile& ini) override;

  int32_t countframes = 0;
  bool cycle = false, buttonstyle = false;
  int32_t timerinterval = 0;
  TSkinCommand command = TSkinCommand::cmclose;
};

class TDataSkinCaption : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::string_view ClassName() const override { return "TDataSkinCaption"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, activefontcolor = 0, shadowcolor = 0, activeshadowcolor = 0;
  bool shadow = false;
  TSkinAlignment alignment = TSkinAlignment::taLeftJustify;
  TRect textrect, framerect, activeframerect;
  int32_t frameleftoffset = 0, framerightoffset = 0;
  TRect frametextrect;
};

class TDataSkinMenuItem : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::string_view ClassName() const override { return "TDataSkinMenuItem"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect dividerrect;
  int32_t dividerleftoffset = 0, dividerrightoffset = 0, itemleftoffset = 0, itemrightoffset = 0;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor unenabledfontcolor = 0, fontcolor = 0, activefontcolor = 0;
  TRect textrect;
};

class TDataSkinMainMenuItem : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::string_view ClassName() const override { return "TDataSkinMainMenuItem"; }
  void VisitFields(SkinFieldVisitor& visitor) override;

  TRect downrect;
  std::string fontname = kSkinDefaultFontName;
  int32_t fontheight = 12;
  TSkinFontStyles fontstyle = 0;
  TColor fontcolor = 0, activefontcolor = 0, downfontcolor = 0, unenabledfontColor = 0;
  TRect textrect;
  int32_t itemleftoffset = 0, itemrightoffset = 0;
};

class TDataSkinMainMenuBarItem : public TDataSkinMainMenuItem {
 public:
  using TDataSkinMainMenuItem::TDataSkinMainMenuItem;
  std::string_view ClassName() const override { return "TDataSkinMainMenuBarItem"; }
};

// The object for an exact type word of [SKINOBJECTS], or null for an unknown one.
std::unique_ptr<TDataSkinObject> CreateSkinObject(std::string_view typeWord, const std::string& name);
