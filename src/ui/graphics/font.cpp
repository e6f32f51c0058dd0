#include "ui/graphics/font.h"

#include <array>
#include <utility>

#include "persist/properties.h"

namespace {
constexpr std::array<std::pair<std::string_view, int>, 18> kCharsets{{
    {"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2}, {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129}, {"JOHAB_CHARSET", 130},
    {"GB2312_CHARSET", 134}, {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},
    {"TURKISH_CHARSET", 162}, {"VIETNAMESE_CHARSET", 163}, {"HEBREW_CHARSET", 177},
    {"ARABIC_CHARSET", 178}, {"BALTIC_CHARSET", 186}, {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222}, {"EASTEUROPE_CHARSET", 238},
}};
constexpr std::array<std::string_view, 4> kStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
}  // namespace

const PropertyTable& TFont::Properties() const {
  static const PropertyTable table(&TPersistent::Properties(),
                                   {
                                       props::IntOrIdent("Charset", &TFont::SetCharset, &TFont::Charset, IdentMap<int>(kCharsets)),
                                       props::Color("Color", &TFont::SetColor, &TFont::Color),
                                       props::Int("Height", &TFont::SetHeight, &TFont::Height),
                                       props::String("Name", &TFont::SetName, &TFont::Name),
                                       props::Set("Style", &TFont::SetStyle, &TFont::Style, kStyles),
                                   });
  return table;
}

template <class T>
void TFont::Update(T& field, const T& value) {
  if (field == value) return;
  field = value;
  if (OnChange) OnChange();
}

void TFont::SetCharset(int value) { Update(FCharset, value); }
void TFont::SetColor(TColor value) { Update(FColor, value); }
void TFont::SetHeight(int value) { Update(FHeight, value); }
void TFont::SetName(const std::string& value) { Update(FName, value); }
void TFont::SetStyle(uint32_t value) { Update(FStyle, value); }

void TFont::Assign(const TFont& other) {
  if (*this == other) return;
  FCharset = other.FCharset;
  FColor = other.FColor;
  FHeight = other.FHeight;
  FName = other.FName;
  FStyle = other.FStyle;
  if (OnChange) OnChange();
}

bool TFont::operator==(const TFont& other) const {
  return FCharset == other.FCharset && FColor == other.FColor && FHeight == other.FHeight &&
         FName == other.FName && FStyle == other.FStyle;
}
