// Writes the fuzzers' seed corpora and the skin.ini dictionary from our own
// assets, so the seeds follow the formats as they change.
//
//   make_seeds ASSETS_DIR OUT_DIR
//
// OUT_DIR/<target>/ gets the seeds of each target, OUT_DIR/skin_ini.dict
// the words of skin.ini (sections, keys, keywords, type words).
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "base/codecs/bmp_codec.h"
#include "persist/form_stream.h"
#include "base/ini_file.h"
#include "base/codecs/little_endian.h"
#include "base/stream.h"
#include "formc/text_form.h"
#include "skin_engine_input.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_controls.h"
#include "skin/data/skin_ini_values.h"
#include "skin/data/skin_objects.h"
#include "skin/data/skin_package.h"
#include "skin/data/zlib_stream.h"

namespace {

namespace fs = std::filesystem;

// The packed-skin target reads its first byte as the mode.
constexpr uint8_t kPackedFileMode = 0;
constexpr uint8_t kRawPackageMode = 1;

const char* const kObjectTypes[] = {"caption",  "stdbutton",       "mainmenubarbutton", "button",
                                    "menuitem", "mainmenubaritem", "animate",           "userobject"};
const char* const kControlTypes[] = {
    "button",   "menubutton", "checkradio", "panel",   "expanel",      "gauge",    "splitter",
    "trackbar", "label",      "stdlabel",   "updown",  "grid",         "tab",      "mainmenubar",
    "controlbar", "edit",     "memo",       "listbox", "checklistbox", "combobox", "scrollbar",
    "spinedit", "scrollbox",  "treeview",   "listview", "richedit",    "bevel",    "slider"};

std::vector<uint8_t> Bytes(TMemoryStream& stream) {
  return std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.Size());
}

std::vector<uint8_t> ReadFile(const fs::path& path) {
  TMemoryStream stream;
  stream.LoadFromFile(path.string());
  return Bytes(stream);
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  fs::create_directories(path.parent_path());
  TMemoryStream(bytes).SaveToFile(path.string());
}

void WriteFile(const fs::path& path, const std::string& text) {
  WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> WithMode(uint8_t mode, const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> out{mode};
  out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

BmpImage TinyImage(uint16_t bitCount, int32_t width, int32_t height) {
  BmpImage image;
  image.width = width;
  image.height = height;
  image.bitCount = bitCount;
  const size_t count = size_t(width) * size_t(height);
  if (bitCount <= 8) {
    image.palette = {0x000000, 0xFFFFFF, 0x3C6E71, 0xD9E4DD};
    image.palette.resize(std::min<size_t>(image.palette.size(), size_t(1) << bitCount));
    for (size_t i = 0; i < count; ++i) image.indices.push_back(uint8_t(i % image.palette.size()));
  }
  for (size_t i = 0; i < count; ++i) image.pixels.push_back(0xFF000000u | uint32_t(i * 0x2F1D07));
  return image;
}

TSkinBitmap TinyBitmap(uint16_t bitCount, int32_t width, int32_t height) {
  TSkinBitmap bitmap;
  bitmap.LoadFromBytes(EncodeBmp(TinyImage(bitCount, width, height)));
  return bitmap;
}

std::vector<uint8_t> PackedFile(TMemoryStream& compressed) {
  TMemoryStream file;
  WritePackedSkinFile(file, compressed);
  return Bytes(file);
}

template <class T>
T Required(T entry, const char* typeWord) {
  if (!entry) throw Exception(std::string("the loader no longer knows the type word \"") + typeWord + "\"");
  return entry;
}

// Our skin's frame, window and version sections, without entries.
TMemIniFile FrameDefinition(const std::string& ourSkinIni) {
  const TMemIniFile ours(ourSkinIni);
  TMemIniFile frame;
  for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "HINTWINDOW"}) {
    TStringList keys;
    ours.ReadSection(section, keys);
    for (int i = 0; i < keys.Count(); ++i) frame.WriteString(section, keys[i], ours.ReadString(section, keys[i], ""));
  }
  return frame;
}

// Adds one entry, with every key of its class in canonical form, per type word.
template <class Create>
void AddEntries(TMemIniFile& ini, const std::string& section, std::span<const char* const> typeWords, Create create) {
  int index = 0;
  for (const char* type : typeWords) {
    const std::string name = section + "-" + type;
    ini.WriteString(section, std::to_string(index++), name + ":" + type);
    Required(create(type, name), type)->WriteToIni(ini);
  }
  ini.WriteInteger(section, "count", index);
}

// Every object class, then the control classes a few at a time: small
// seeds keep the fuzzer fast.
std::vector<TMemIniFile> EveryClassDefinitions(const TMemIniFile& frame) {
  constexpr size_t kControlsPerSeed = 7;
  std::vector<TMemIniFile> definitions;
  TMemIniFile objects = frame;
  AddEntries(objects, "SKINOBJECTS", kObjectTypes, CreateSkinObject);
  objects.WriteInteger("SKINCONTROLS", "count", 0);
  definitions.push_back(objects);
  const std::span<const char* const> controls(kControlTypes);
  for (size_t first = 0; first < controls.size(); first += kControlsPerSeed) {
    TMemIniFile group = frame;
    group.WriteInteger("SKINOBJECTS", "count", 0);
    AddEntries(group, "SKINCONTROLS", controls.subspan(first, std::min(kControlsPerSeed, controls.size() - first)),
               CreateSkinControl);
    definitions.push_back(group);
  }
  return definitions;
}

std::string IniText(const TMemIniFile& ini) {
  TStringList lines;
  ini.GetStrings(lines);
  return lines.Text();
}

std::string DictionaryEntry(const std::string& word) {
  std::string entry = "\"";
  for (unsigned char c : word) {
    if (c == '"' || c == '\\' || c < 0x20 || c >= 0x7F) {
      char code[5];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      entry += code;
    } else {
      entry += char(c);
    }
  }
  return entry + "\"\n";
}

std::string SkinIniDictionary(const std::vector<TMemIniFile>& definitions) {
  // Numbers at the edges of what a coordinate may be, and of what a window is.
  std::set<std::string> words{"0=",         "1=",         "count=",     "activepicturescount=", "-1", "$FF",
                              "0x7FFFFFFF", "2147483648", "2147483647", "1073741824", "65536", "32768"};
  for (const TMemIniFile& definition : definitions) {
    TStringList lines;
    definition.GetStrings(lines);
    for (int i = 0; i < lines.Count(); ++i) {
      const std::string& line = lines[i];
      const size_t equals = line.find('=');
      const bool numbered = equals > 0 && std::isdigit(static_cast<unsigned char>(line[0]));
      if (line.starts_with("[")) words.insert(line);
      else if (equals != std::string::npos && !numbered) words.insert(line.substr(0, equals + 1));
    }
  }
  for (const char* type : kObjectTypes) words.insert(std::string(":") + type);
  for (const char* type : kControlTypes) words.insert(std::string(":") + type);
  for (int i = 0; i <= int(TSkinAlignment::taCenter); ++i) words.insert(SkinAlignmentText(TSkinAlignment(i)));
  for (int i = 0; i <= int(TMorphKind::mkpush); ++i) words.insert(SkinMorphKindText(TMorphKind(i)));
  for (int i = 0; i <= int(TSkinEffect::ieinvert); ++i) words.insert(SkinEffectText(TSkinEffect(i)));
  for (int i = 0; i <= int(TSkinCommand::cmrollup); ++i) words.insert(SkinCommandText(TSkinCommand(i)));
  for (const char* style : {"fsbold", "fsitalic", "fsunderline", "fsstrikeout"}) words.insert(style);
  std::string dictionary;
  for (const std::string& word : words) dictionary += DictionaryEntry(word);
  return dictionary;
}

// Our skin as a packed skin file.
std::vector<uint8_t> OurPackedFile(const fs::path& assets) {
  TCompressedStoredSkin ours(nullptr);
  if (!ours.PackFromIniFile((assets / "skin" / "skin.ini").string()))
    throw Exception("assets/skin/skin.ini lacks a main section");
  return PackedFile(ours.CompressedStream());
}

void WritePackedSkinSeeds(const fs::path& out, const std::vector<uint8_t>& ourPackedFile,
                          const std::string& definitionText) {
  WriteFile(out / "ours-file", WithMode(kPackedFileMode, ourPackedFile));

  SkinPackage tiny;
  tiny.pictures.picture = TinyBitmap(8, 3, 2);
  tiny.pictures.mask = TinyBitmap(1, 3, 2);
  tiny.pictures.activePictures = {TinyBitmap(24, 2, 2), TinyBitmap(4, 2, 1)};
  tiny.iniText = definitionText;
  TMemoryStream package;
  WriteSkinPackage(package, tiny);
  WriteFile(out / "tiny-package", WithMode(kRawPackageMode, Bytes(package)));
  TMemoryStream compressed;
  PackStream(package, compressed);
  WriteFile(out / "tiny-file", WithMode(kPackedFileMode, PackedFile(compressed)));
}

// Our skin with every coordinate at the far end of 32 bits: with `ends`
// the rectangles' right and bottom and the points, otherwise the
// rectangles' left and top; the sizes and offsets become `integer`.
TMemIniFile AtTheEdges(const TMemIniFile& ours, bool ends, const std::string& integer) {
  const std::string far = "2147483647";
  TMemIniFile edges = ours;
  TStringList sections;
  ours.ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i) {
    TStringList keys;
    ours.ReadSection(sections[i], keys);
    for (int k = 0; k < keys.Count(); ++k) {
      const std::string& key = keys[k];
      const std::string value = ours.ReadString(sections[i], key, "");
      const bool numbers = !value.empty() && value.find_first_not_of("0123456789,") == std::string::npos;
      const auto commas = std::count(value.begin(), value.end(), ',');
      std::string changed;
      if (numbers && commas == 3) {
        const size_t middle = value.find(',', value.find(',') + 1);
        changed = ends ? value.substr(0, middle) + "," + far + "," + far : far + "," + far + value.substr(middle);
      } else if (numbers && commas == 1) {
        changed = ends ? far + "," + far : far + value.substr(value.find(','));
      } else if (key.find("offset") != std::string::npos || key == "borderwidth" || key == "countframes" ||
                 key == "timerinterval" || key == "fontheight") {
        changed = integer;
      }
      if (!changed.empty()) edges.WriteString(sections[i], key, changed);
    }
  }
  return edges;
}

// The skin engine's seeds: our skin packed, and our skin.ini over generated
// pictures of our pictures' sizes, as it is and changed towards paths our
// skin leaves alone (morphs, inactive effects, buttons at the left,
// animations, points outside the pictures, every value at the edge).
void WriteSkinEngineSeeds(const fs::path& assets, const fs::path& out, const std::string& ourSkinIni,
                          const std::vector<uint8_t>& ourPackedFile) {
  const EngineDrive drive{.GrowX = 23, .GrowY = 17, .BorderIcons = 31, .Flags = efActive | efSizeable};
  std::vector<uint8_t> packed;
  WriteDrive(packed, drive);
  packed.insert(packed.end(), ourPackedFile.begin(), ourPackedFile.end());
  WriteFile(out / "ours-file", packed);

  const TMemIniFile ours(ourSkinIni);
  GeneratedSkin generated;
  auto slot = [&](size_t index, const std::string& name, bool mask) {
    if (name.empty()) return;
    TSkinBitmap bitmap;
    bitmap.LoadFromFile((assets / "skin" / name).string());
    generated.Slots[index] = {uint16_t(bitmap.Width()), uint16_t(bitmap.Height()), uint8_t(mask ? 4 : 6)};
  };
  slot(0, ours.ReadString("PICTURES", "picture", ""), false);
  slot(1, ours.ReadString("PICTURES", "inactivepicture", ""), false);
  slot(2, ours.ReadString("PICTURES", "mask", ""), true);
  TStringList active;
  ReadSkinList(ours, "PICTURES", "activepictures", active);
  generated.ActiveCount = std::min<size_t>(active.Count(), kActiveSlots);
  for (size_t i = 0; i < generated.ActiveCount; ++i)
    slot(kMainSlots + i, active[int(i)], active[int(i)].find("mask") != std::string::npos);

  auto write = [&](const std::string& name, const TMemIniFile& ini, EngineDrive seedDrive) {
    seedDrive.Generated = true;
    generated.IniText = IniText(ini);
    std::vector<uint8_t> bytes;
    WriteDrive(bytes, seedDrive);
    WriteGeneratedSkin(bytes, generated);
    WriteFile(out / name, bytes);
  };
  write("ours-generated", ours, drive);

  TMemIniFile morphs = ours;
  TStringList sections;
  morphs.ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i) {
    if (!morphs.ValueExists(sections[i], "morphing")) continue;
    morphs.WriteString(sections[i], "morphing", "1");
    morphs.WriteString(sections[i], "morphkind", SkinMorphKindText(TMorphKind(i % (int(TMorphKind::mkpush) + 1))));
    if (morphs.ReadString(sections[i], "activeskinrect", "0,0,0,0") == "0,0,0,0")
      morphs.WriteString(sections[i], "activeskinrect", morphs.ReadString(sections[i], "downrect", "0,0,8,8"));
  }
  write("morphs", morphs, drive);

  for (int effect = 0; effect <= int(TSkinEffect::ieinvert); ++effect) {
    TMemIniFile inactive = ours;
    inactive.WriteString("FORMINFO", "autorenderinginactiveimage", "1");
    inactive.WriteString("FORMINFO", "inactiveeffect", SkinEffectText(TSkinEffect(effect)));
    write("inactive-" + std::to_string(effect), inactive, {.Flags = efShowIcon});
  }

  TMemIniFile left = ours;
  left.WriteString("FORMINFO", "buttonsinleft", "1");
  left.WriteString("FORMINFO", "buttonsrect", "0,0,0,0");
  for (const char* edge : {"leftstretch", "rightstretch", "topstretch", "bottomstretch"})
    left.WriteString("FORMINFO", edge, "1");
  left.WriteString("sysmenubutton", "skinrectinapicture", "1");
  write("buttons-left", left, {.GrowX = 63, .BorderIcons = 7, .Flags = efShowIcon | efToolWindow});

  TMemIniFile animated = ours;
  animated.WriteString("SKINOBJECTS", "12", "spinner:animate");
  animated.WriteInteger("SKINOBJECTS", "count", 13);
  const std::pair<const char*, const char*> spinner[] = {
      {"activepictureindex", "0"}, {"skinrect", "60,20,68,28"}, {"activeskinrect", "0,0,24,8"},
      {"countframes", "3"},        {"cycle", "1"},              {"buttonstyle", "1"},
      {"timerinterval", "25"},     {"command", "cmsysmenu"}};
  for (const auto& [key, value] : spinner) animated.WriteString("spinner", key, value);
  write("animated", animated, drive);

  TMemIniFile outside = ours;
  outside.WriteString("FORMINFO", "righttoppoint", "4000,34");
  outside.WriteString("FORMINFO", "clientrect", "15,33,4163,1124");
  outside.WriteString("caption1", "skinrect", "41,3,3000,18");
  outside.WriteString("MENUITEM", "skinrect", "0,22,3000,44");
  outside.WriteString("button", "skinrect", "0,1,66,3000");
  write("outside", outside, drive);

  write("edges-far", AtTheEdges(morphs, true, "2147483647"), drive);
  write("edges-crossed", AtTheEdges(morphs, false, "-2147483648"), {.GrowX = 1, .Flags = efShowIcon});
}

void WriteBmpSeeds(const fs::path& out) {
  for (uint16_t bitCount : {1, 2, 4, 8, 16, 24, 32})
    WriteFile(out / ("tiny-" + std::to_string(bitCount) + ".bmp"), EncodeBmp(TinyImage(bitCount, 5, 3)));
  BmpImage translucent = TinyImage(32, 4, 2);
  translucent.pixels[1] &= 0x80FFFFFF;
  WriteFile(out / "tiny-alpha.bmp", EncodeBmp(translucent));
}

// Our form, with a few placeholder bytes for every included file.
void WriteFormSeeds(const fs::path& assets, const fs::path& out) {
  const std::vector<uint8_t> text = ReadFile(assets / "form1.txt");
  const FormObject form =
      ParseTextForm(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
                    [](const std::string&) { return std::vector<uint8_t>{0, 1, 2, 3, 4, 5, 6, 7}; });
  const std::vector<uint8_t> binary = WriteFormStream(form);
  WriteFile(out / "form1.bin", binary);
  WriteFile(out / "form1.txt", PrintTextForm(form));
  // As compiled into a resource: 0xFF, type 10, name, flags, size.
  std::vector<uint8_t> resource{0xFF};
  AppendLE16(resource, 10);
  for (char c : std::string("TFORM1")) resource.push_back(uint8_t(c));
  resource.push_back(0);
  AppendLE16(resource, 0x1030);
  AppendLE32(resource, uint32_t(binary.size()));
  resource.insert(resource.end(), binary.begin(), binary.end());
  WriteFile(out / "form1.res", resource);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: make_seeds ASSETS_DIR OUT_DIR\n", stderr);
    return 2;
  }
  try {
    const fs::path assets = argv[1], out = argv[2];
    const std::vector<uint8_t> skinIni = ReadFile(assets / "skin" / "skin.ini");
    const std::string ourSkinText(skinIni.begin(), skinIni.end());
    const std::vector<TMemIniFile> everyClass = EveryClassDefinitions(FrameDefinition(ourSkinText));
    WriteFile(out / "skin_ini" / "ours.ini", ourSkinText);
    for (size_t i = 0; i < everyClass.size(); ++i)
      WriteFile(out / "skin_ini" / ("every-class-" + std::to_string(i) + ".ini"), IniText(everyClass[i]));
    WriteFile(out / "skin_ini.dict", SkinIniDictionary(everyClass));
    const std::vector<uint8_t> ourPackedFile = OurPackedFile(assets);
    WritePackedSkinSeeds(out / "packed_skin", ourPackedFile, IniText(everyClass[0]));
    WriteSkinEngineSeeds(assets, out / "skin_engine", ourSkinText, ourPackedFile);
    WriteBmpSeeds(out / "bmp");
    WriteFormSeeds(assets, out / "form_stream");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_seeds: %s\n", error.what());
    return 1;
  }
  return 0;
}
