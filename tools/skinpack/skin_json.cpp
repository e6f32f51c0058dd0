#include "skin_json.h"

#include "ui/graphics/font.h"
#include "json_writer.h"
#include "skin/data/skin_fields.h"

namespace {

// Writes each visited field as a member under its key: rectangles as
// [L,T,R,B], points as [X,Y], keyword kinds as their numbers.
class JsonFieldWriter : public SkinFieldVisitor {
 public:
  explicit JsonFieldWriter(JsonWriter& json) : F(json) {}

  void Integer(const std::string& key, int32_t& field, int32_t) override { Number(key, field); }
  void Color(const std::string& key, TColor& field, TColor) override { Number(key, field); }
  void PictureIndex(const std::string& key, int32_t& field) override { Number(key, field); }
  void Boolean(const std::string& key, bool& field) override {
    F.Key(key);
    F.Boolean(field);
  }
  void Rect(const std::string& key, TRect& field) override {
    F.Key(key);
    Numbers({field.Left, field.Top, field.Right, field.Bottom});
  }
  void Point(const std::string& key, TPoint& field) override {
    F.Key(key);
    Numbers({field.X, field.Y});
  }
  void FontName(const std::string& key, std::string& field) override { Text(key, field, ""); }
  void FontHeight(const std::string& key, int32_t& field) override { Number(key, field); }
  void FontStyles(const std::string& key, TSkinFontStyles& field) override {
    F.Key(key);
    F.BeginArray();
    for (const auto& [bit, name] :
         {std::pair{fsBold, "bold"}, {fsItalic, "italic"}, {fsUnderline, "underline"}, {fsStrikeOut, "strikeout"}})
      if (field & bit) F.String(name);
    F.EndArray();
  }
  void Alignment(const std::string& key, TSkinAlignment& field) override { Number(key, int32_t(field)); }
  void MorphKind(const std::string& key, TMorphKind& field) override { Number(key, int32_t(field)); }
  void Effect(const std::string& key, TSkinEffect& field) override { Number(key, int32_t(field)); }
  void Command(const std::string& key, TSkinCommand& field) override { Number(key, int32_t(field)); }
  void Text(const std::string& key, std::string& field, const std::string&) override {
    F.Key(key);
    F.String(field);
  }

 private:
  void Number(const std::string& key, int32_t value) {
    F.Key(key);
    F.Integer(value);
  }
  void Numbers(std::initializer_list<int32_t> values) {
    F.BeginArray();
    for (const int32_t value : values) F.Integer(value);
    F.EndArray();
  }

  JsonWriter& F;
};

void WritePicture(JsonWriter& json, const TSkinBitmap& bitmap) {
  if (bitmap.Empty()) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("width");
  json.Integer(bitmap.Width());
  json.Key("height");
  json.Integer(bitmap.Height());
  json.Key("bitcount");
  json.Integer(bitmap.BitCount());
  json.EndObject();
}

void WriteSection(JsonWriter& json, TSkinSectionData& section) {
  json.BeginObject();
  JsonFieldWriter fields(json);
  section.VisitFields(fields);
  json.EndObject();
}

// Objects and controls, each with its class and name before its fields.
template <class T>
void WriteEntries(JsonWriter& json, const std::vector<std::unique_ptr<T>>& entries) {
  json.BeginArray();
  for (const std::unique_ptr<T>& entry : entries) {
    json.BeginObject();
    json.Key("class");
    json.String(entry->ClassName());
    json.Key("IDName");
    json.String(entry->IDName);
    JsonFieldWriter fields(json);
    entry->VisitFields(fields);
    json.EndObject();
  }
  json.EndArray();
}

}  // namespace

std::string SkinDataJson(TSkinData& data, const std::vector<uint32_t>& notices) {
  JsonWriter json;
  json.BeginObject();
  json.Key("notices");
  json.BeginArray();
  for (const uint32_t notice : notices) json.Integer(notice);
  json.EndArray();
  json.Key("NoSkin");
  json.Boolean(data.NoSkin());

  JsonFieldWriter fields(json);
  data.VisitFields(fields);
  json.Key("PictureName");
  json.String(data.PictureName());
  json.Key("InactivePictureName");
  json.String(data.InactivePictureName());
  json.Key("MaskName");
  json.String(data.MaskName());
  json.Key("ActivePictureNames");
  json.BeginArray();
  for (int i = 0; i < data.ActivePictureNames().Count(); ++i) json.String(data.ActivePictureNames()[i]);
  json.EndArray();

  json.Key("picture");
  WritePicture(json, data.PictureBitmap());
  json.Key("inactivepicture");
  WritePicture(json, data.InactivePictureBitmap());
  json.Key("mask");
  WritePicture(json, data.MaskBitmap());
  json.Key("activepictures");
  json.BeginArray();
  for (const TSkinBitmap& bitmap : data.ActivePictureBitmaps()) WritePicture(json, bitmap);
  json.EndArray();

  json.Key("PopupWindow");
  WriteSection(json, data.PopupWindow());
  json.Key("HintWindow");
  WriteSection(json, data.HintWindow());
  json.Key("SkinObjects");
  WriteEntries(json, data.SkinObjects());
  json.Key("SkinControls");
  WriteEntries(json, data.SkinControls());
  json.EndObject();
  return json.Text();
}
