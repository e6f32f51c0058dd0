#pragma once
// The value kinds of skin.ini: how each is read from a section (with its
// value when the key is absent) and written back in canonical form.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/color.h"
#include "ui/graphics/font.h"
#include "base/geometry.h"
#include "base/ini_file.h"
#include "base/string_list.h"

// TFontStyle bits (fsBold, fsItalic, fsUnderline, fsStrikeOut) in one byte.
using TSkinFontStyles = uint8_t;

enum class TSkinAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum class TMorphKind : uint8_t { mkdefault, mkgradient, mkleftgradient, mkrightgradient, mkleftslide, mkrightslide, mkpush };
enum class TSkinEffect : uint8_t { iebrightness, iedarkness, iegrayscale, ienoise, iesplitblur, ieinvert };
enum class TSkinCommand : uint8_t { cmclose, cmmaximize, cmminimize, cmsysmenu, cmdefault, cmrollup };

inline const std::string kSkinDefaultFontName = "Arial";
constexpr int32_t kSkinDefaultFontHeight = 14;

// A skin's integers are decimal with an optional sign, within 32 bits;
// hexadecimal and every other spelling is not an integer.
std::optional<int32_t> ParseSkinInteger(std::string_view text);
// Absent keys, and present ones that are not integers, give the default.
int32_t ReadSkinInteger(const TMemIniFile& ini, const std::string& section, const std::string& key,
                        int32_t absent = 0);
TColor ReadSkinColor(const TMemIniFile& ini, const std::string& section, const std::string& key, TColor absent = 0);
int32_t ReadSkinPictureIndex(const TMemIniFile& ini, const std::string& section, const std::string& key);
// True only for the integer 1.
bool ReadSkinBool(const TMemIniFile& ini, const std::string& section, const std::string& key);

// Each comma-separated piece keeps only its digits ("-3" reads 3). A piece
// without digits, a missing piece or a number beyond 32 bits raises
// EConvertError; pieces after the needed ones are ignored. Absent: zero.
TRect ReadSkinRect(const TMemIniFile& ini, const std::string& section, const std::string& key);
TPoint ReadSkinPoint(const TMemIniFile& ini, const std::string& section, const std::string& key);

std::string ReadSkinFontName(const TMemIniFile& ini, const std::string& section, const std::string& key);
int32_t ReadSkinFontHeight(const TMemIniFile& ini, const std::string& section, const std::string& key);
// Case-sensitive substring tests for "fsbold", "fsitalic", "fsunderline", "fsstrikeout".
TSkinFontStyles ReadSkinFontStyles(const TMemIniFile& ini, const std::string& section, const std::string& key);

// Keywords compare exactly; an unknown word gives the kind's fallback.
TSkinAlignment ReadSkinAlignment(const TMemIniFile& ini, const std::string& section, const std::string& key);
TMorphKind ReadSkinMorphKind(const TMemIniFile& ini, const std::string& section, const std::string& key);
TSkinEffect ReadSkinEffect(const TMemIniFile& ini, const std::string& section, const std::string& key);
TSkinCommand ReadSkinCommand(const TMemIniFile& ini, const std::string& section, const std::string& key);

std::string ReadSkinText(const TMemIniFile& ini, const std::string& section, const std::string& key,
                         const std::string& absent = "");

// How many numbered entries ("0", "1", ...) to read for a count: never more
// than the keys the section holds, so neither a lying count nor one far-off
// entry number can make a reader loop or allocate without bound.
int32_t SkinEntryLimit(const TMemIniFile& ini, const std::string& section, int32_t count);
// A list: the count key (name + "count") and the items "0".."count-1";
// an absent item is an empty text.
void ReadSkinList(const TMemIniFile& ini, const std::string& section, const std::string& name, TStringList& items);

std::string SkinRectText(const TRect& rect);
std::string SkinPointText(const TPoint& point);
std::string SkinFontStylesText(TSkinFontStyles styles);
std::string SkinAlignmentText(TSkinAlignment alignment);
std::string SkinMorphKindText(TMorphKind kind);
std::string SkinEffectText(TSkinEffect effect);
std::string SkinCommandText(TSkinCommand command);
void WriteSkinList(TMemIniFile& ini, const std::string& section, const std::string& name, const TStringList& items);
