#include "skin/data/skin_fields.h"

void SkinIniReader::Integer(const std::string& key, int32_t& field, int32_t absent) {
  field = ReadSkinInteger(FIni, FSection, key, absent);
}
void SkinIniReader::Color(const std::string& key, TColor& field, TColor absent) {
  field = ReadSkinColor(FIni, FSection, key, absent);
}
void SkinIniReader::PictureIndex(const std::string& key, int32_t& field) {
  field = ReadSkinPictureIndex(FIni, FSection, key);
}
void SkinIniReader::Boolean(const std::string& key, bool& field) { field = ReadSkinBool(FIni, FSection, key); }
void SkinIniReader::Rect(const std::string& key, TRect& field) { field = ReadSkinRect(FIni, FSection, key); }
void SkinIniReader::Point(const std::string& key, TPoint& field) { field = ReadSkinPoint(FIni, FSection, key); }
void SkinIniReader::FontName(const std::string& key, std::string& field) {
  field = ReadSkinFontName(FIni, FSection, key);
}
void SkinIniReader::FontHeight(const std::string& key, int32_t& field) {
  field = ReadSkinFontHeight(FIni, FSection, key);
}
void SkinIniReader::FontStyles(const std::string& key, TSkinFontStyles& field) {
  field = ReadSkinFontStyles(FIni, FSection, key);
}
void SkinIniReader::Alignment(const std::string& key, TSkinAlignment& field) {
  field = ReadSkinAlignment(FIni, FSection, key);
}
void SkinIniReader::MorphKind(const std::string& key, TMorphKind& field) {
  field = ReadSkinMorphKind(FIni, FSection, key);
}
void SkinIniReader::Effect(const std::string& key, TSkinEffect& field) { field = ReadSkinEffect(FIni, FSection, key); }
void SkinIniReader::Command(const std::string& key, TSkinCommand& field) {
  field = ReadSkinCommand(FIni, FSection, key);
}
void SkinIniReader::Text(const std::string& key, std::string& field, const std::string& absent) {
  field = ReadSkinText(FIni, FSection, key, absent);
}

void SkinIniWriter::Integer(const std::string& key, int32_t& field, int32_t) { FIni.WriteInteger(FSection, key, field); }
void SkinIniWriter::Color(const std::string& key, TColor& field, TColor) { FIni.WriteInteger(FSection, key, field); }
void SkinIniWriter::PictureIndex(const std::string& key, int32_t& field) { FIni.WriteInteger(FSection, key, field); }
void SkinIniWriter::Boolean(const std::string& key, bool& field) { FIni.WriteBool(FSection, key, field); }
void SkinIniWriter::Rect(const std::string& key, TRect& field) { Write(key, SkinRectText(field)); }
void SkinIniWriter::Point(const std::string& key, TPoint& field) { Write(key, SkinPointText(field)); }
void SkinIniWriter::FontName(const std::string& key, std::string& field) { Write(key, field); }
void SkinIniWriter::FontHeight(const std::string& key, int32_t& field) { FIni.WriteInteger(FSection, key, field); }
void SkinIniWriter::FontStyles(const std::string& key, TSkinFontStyles& field) {
  Write(key, SkinFontStylesText(field));
}
void SkinIniWriter::Alignment(const std::string& key, TSkinAlignment& field) { Write(key, SkinAlignmentText(field)); }
void SkinIniWriter::MorphKind(const std::string& key, TMorphKind& field) { Write(key, SkinMorphKindText(field)); }
void SkinIniWriter::Effect(const std::string& key, TSkinEffect& field) { Write(key, SkinEffectText(field)); }
void SkinIniWriter::Command(const std::string& key, TSkinCommand& field) { Write(key, SkinCommandText(field)); }
void SkinIniWriter::Text(const std::string& key, std::string& field, const std::string&) { Write(key, field); }

void VisitCornerPoints(SkinFieldVisitor& v, TPoint& leftTop, TPoint& rightTop, TPoint& leftBottom,
                       TPoint& rightBottom) {
  v.Point("lefttoppoint", leftTop);
  v.Point("righttoppoint", rightTop);
  v.Point("leftbottompoint", leftBottom);
  v.Point("rightbottompoint", rightBottom);
}

void VisitStretches(SkinFieldVisitor& v, bool& left, bool& right, bool& top, bool& bottom) {
  v.Boolean("leftstretch", left);
  v.Boolean("rightstretch", right);
  v.Boolean("topstretch", top);
  v.Boolean("bottomstretch", bottom);
}

void VisitFont(SkinFieldVisitor& v, const std::string& prefix, std::string& name, int32_t& height,
               TSkinFontStyles& style) {
  v.FontName(prefix + "fontname", name);
  v.FontHeight(prefix + "fontheight", height);
  v.FontStyles(prefix + "fontstyle", style);
}

void TSkinSectionData::ReadSection(const TMemIniFile& ini, const std::string& section) {
  SkinIniReader reader(ini, section);
  VisitFields(reader);
}

void TSkinSectionData::WriteSection(TMemIniFile& ini, const std::string& section) {
  ini.EraseSection(section);
  SkinIniWriter writer(ini, section);
  VisitFields(writer);
}
