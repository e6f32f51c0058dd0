// Saving forms again from their components, as a form designer does: the
// program's own form and a form holding the second skin uncompressed.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "base/codecs/little_endian.h"
#include "formc/form_resave.h"
#include "formc/text_form.h"
#include "persist/form_stream.h"
#include "persist/properties.h"
#include "skin/data/compressed_stored_skin.h"

namespace {

const std::string kFullSkin = "tests/fixtures/skins/full/";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path << " not found: run from the repository root";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  const std::string text = ReadText(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Resaved(const std::vector<uint8_t>& stream) {
  return WriteFormStream(ResaveForm(ReadFormStream(stream)));
}

// The program's form with its real packed skin; `edit` may change the text first.
std::vector<uint8_t> ProgramForm(const std::string& from = "", const std::string& to = "") {
  std::string text = ReadText("assets/form1.txt");
  if (!from.empty()) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
  }
  TCompressedStoredSkin skin(nullptr);
  EXPECT_TRUE(skin.PackFromIniFile("assets/skin/skin.ini"));
  const std::vector<uint8_t> zlib = skin.CompressedData();
  const std::vector<uint8_t> icon = ReadBytes("assets/icon/vespermark-icon.txt");  // any bytes will do
  return WriteFormStream(ParseTextForm(text, [&](const std::string& name) -> std::optional<std::vector<uint8_t>> {
    if (name == "skin.zlib") return zlib;
    if (name == "vespermark.ico") return icon;
    return std::nullopt;
  }));
}

TEST(FormResave, TheProgramsFormComesBackByteForByte) {
  const std::vector<uint8_t> original = ProgramForm();
  EXPECT_EQ(Resaved(original), original);
  // The stored skin is written from the component, not copied: a default
  // value spelled out and the design place in another order come back in
  // the component's own form.
  const std::vector<uint8_t> respelled =
      ProgramForm("    FileName = 'skin.ini'\n    CompressedData = {@skin.zlib}\n    Left = 8\n    Top = 72\n",
                  "    Top = 72\n    CompressedFileName = ''\n    FileName = 'skin.ini'\n"
                  "    CompressedData = {@skin.zlib}\n    Left = 8\n");
  EXPECT_NE(respelled, original);
  EXPECT_EQ(Resaved(respelled), original);
}

// "Pictures" as the package lays pictures out, put together from the files.
std::vector<uint8_t> FullSkinPictures() {
  std::vector<uint8_t> bytes;
  for (const char* name : {"frame.bmp", "frame-inactive.bmp", "frame-mask.bmp"}) {
    bytes.push_back(0);
    const std::vector<uint8_t> file = ReadBytes(kFullSkin + name);
    bytes.insert(bytes.end(), file.begin(), file.end());
  }
  const std::vector<const char*> active{"caption-buttons.bmp", "caption.bmp", "grip.bmp", "menu-item.bmp",
                                        "popup.bmp",           "popup-mask.bmp", "hint.bmp", "button.bmp",
                                        "button-mask.bmp",     "client.bmp"};
  uint8_t count[4];
  StoreLE32(count, uint32_t(active.size()));
  bytes.insert(bytes.end(), count, count + 4);
  for (const char* name : active) {
    const std::vector<uint8_t> file = ReadBytes(kFullSkin + name);
    bytes.insert(bytes.end(), file.begin(), file.end());
  }
  return bytes;
}

TEST(FormResave, AFormHoldingTheSecondSkinUncompressedComesBackByteForByte) {
  FormObject skin;
  skin.className = "TStoredSkin";
  skin.name = "StoredSkin1";
  FormValue lines;
  lines.type = FormValueType::List;
  std::istringstream ini(ReadText(kFullSkin + "skin.ini"));
  for (std::string line; std::getline(ini, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.items.push_back(StringFormValue(line));
  }
  ASSERT_GT(lines.items.size(), 100u);
  FormValue pictures;
  pictures.type = FormValueType::Binary;
  pictures.bytes = FullSkinPictures();
  skin.properties = {{"FileName", 0, StringFormValue("skin.ini")},
                     {"IniStrings.Strings", 0, lines},
                     {"Pictures", 0, pictures},
                     {"Left", 0, IntegerFormValue(8)},
                     {"Top", 0, IntegerFormValue(128)}};
  FormObject form;
  form.className = "TForm1";
  form.name = "Form1";
  form.properties = {{"Caption", 0, StringFormValue("Dusk")}};
  form.children = {skin};

  const std::vector<uint8_t> original = WriteFormStream(form);
  EXPECT_EQ(Resaved(original), original);

  // Written from the component: a wide file name and another order of the
  // properties come back in the component's own form.
  FormObject& respelled = form.children[0];
  std::rotate(respelled.properties.begin(), respelled.properties.end() - 1, respelled.properties.end());
  FormValue& fileName = respelled.properties[1].value;
  fileName.type = FormValueType::WString;
  fileName.wide = u"skin.ini";
  const std::vector<uint8_t> respelledBytes = WriteFormStream(form);
  EXPECT_NE(respelledBytes, original);
  EXPECT_EQ(Resaved(respelledBytes), original);
}

}  // namespace
