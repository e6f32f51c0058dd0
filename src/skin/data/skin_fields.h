#pragma once
// One walk over a skin section's fields, so that each key is named once and
// reading, writing and dumping all follow it. A walk hands every field with
// its key and value kind to a visitor, in the order the keys are read.
#include <string>
#include <string_view>
#include <utility>

#include "skin/data/skin_ini_values.h"

class SkinFieldVisitor {
 public:
  virtual ~SkinFieldVisitor() = default;
  // `absent` is the value a missing key gives; the kinds without it have a fixed one.
  virtual void Integer(const std::string& key, int32_t& field, int32_t absent = 0) = 0;
  virtual void Color(const std::string& key, TColor& field, TColor absent = 0) = 0;
  virtual void PictureIndex(const std::string& key, int32_t& field) = 0;
  virtual void Boolean(const std::string& key, bool& field) = 0;
  virtual void Rect(const std::string& key, TRect& field) = 0;
  virtual void Point(const std::string& key, TPoint& field) = 0;
  virtual void FontName(const std::string& key, std::string& field) = 0;
  virtual void FontHeight(const std::string& key, int32_t& field) = 0;
  virtual void FontStyles(const std::string& key, TSkinFontStyles& field) = 0;
  virtual void Alignment(const std::string& key, TSkinAlignment& field) = 0;
  virtual void MorphKind(const std::string& key, TMorphKind& field) = 0;
  virtual void Effect(const std::string& key, TSkinEffect& field) = 0;
  virtual void Command(const std::string& key, TSkinCommand& field) = 0;
  virtual void Text(const std::string& key, std::string& field, const std::string& absent = "") = 0;
};

// Fills the fields from one section of a skin definition.
class SkinIniReader : public SkinFieldVisitor {
 public:
  SkinIniReader(const TMemIniFile& ini, std::string section) : FIni(ini), FSection(std::move(section)) {}
  void Integer(const std::string& key, int32_t& field, int32_t absent) override;
  void Color(const std::string& key, TColor& field, TColor absent) override;
  void PictureIndex(const std::string& key, int32_t& field) override;
  void Boolean(const std::string& key, bool& field) override;
  void Rect(const std::string& key, TRect& field) override;
  void Point(const std::string& key, TPoint& field) override;
  void FontName(const std::string& key, std::string& field) override;
  void FontHeight(const std::string& key, int32_t& field) override;
  void FontStyles(const std::string& key, TSkinFontStyles& field) override;
  void Alignment(const std::string& key, TSkinAlignment& field) override;
  void MorphKind(const std::string& key, TMorphKind& field) override;
  void Effect(const std::string& key, TSkinEffect& field) override;
  void Command(const std::string& key, TSkinCommand& field) override;
  void Text(const std::string& key, std::string& field, const std::string& absent) override;

 private:
  const TMemIniFile& FIni;
  std::string FSection;
};

// Writes every field into one section in canonical form.
class SkinIniWriter : public SkinFieldVisitor {
 public:
  SkinIniWriter(TMemIniFile& ini, std::string section) : FIni(ini), FSection(std::move(section)) {}
  void Integer(const std::string& key, int32_t& field, int32_t absent) override;
  void Color(const std::string& key, TColor& field, TColor absent) override;
  void PictureIndex(const std::string& key, int32_t& field) override;
  void Boolean(const std::string& key, bool& field) override;
  void Rect(const std::string& key, TRect& field) override;
  void Point(const std::string& key, TPoint& field) override;
  void FontName(const std::string& key, std::string& field) override;
  void FontHeight(const std::string& key, int32_t& field) override;
  void FontStyles(const std::string& key, TSkinFontStyles& field) override;
  void Alignment(const std::string& key, TSkinAlignment& field) override;
  void MorphKind(const std::string& key, TMorphKind& field) override;
  void Effect(const std::string& key, TSkinEffect& field) override;
  void Command(const std::string& key, TSkinCommand& field) override;
  void Text(const std::string& key, std::string& field, const std::string& absent) override;

 private:
  void Write(const std::string& key, const std::string& value) { FIni.WriteString(FSection, key, value); }
  TMemIniFile& FIni;
  std::string FSection;
};

// Key groups that many sections share.
void VisitCornerPoints(SkinFieldVisitor& v, TPoint& leftTop, TPoint& rightTop, TPoint& leftBottom,
                       TPoint& rightBottom);
void VisitStretches(SkinFieldVisitor& v, bool& left, bool& right, bool& top, bool& bottom);
// "<prefix>fontname", "<prefix>fontheight", "<prefix>fontstyle".
void VisitFont(SkinFieldVisitor& v, const std::string& prefix, std::string& name, int32_t& height,
               TSkinFontStyles& style);

// What every skin data class shares: its class name and its field walk.
class TSkinSectionData {
 public:
  virtual ~TSkinSectionData() = default;
  virtual std::string_view ClassName() const = 0;
  // Each override walks the inherited fields first, then its own.
  virtual void VisitFields(SkinFieldVisitor& visitor) = 0;

 protected:
  void ReadSection(const TMemIniFile& ini, const std::string& section);
  // Replaces the section with every field in canonical form.
  void WriteSection(TMemIniFile& ini, const std::string& section);
};
