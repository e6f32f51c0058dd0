#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "persist/form_stream.h"
#include "formc/text_form.h"

namespace {

// Stand in for the program icon and the packed skin, which the resource build supplies.
const std::vector<uint8_t> kDummyIcon{0, 0, 1, 0, 1, 0, 24, 24, 0, 0, 1, 0, 8, 0, 4, 0, 0, 0, 22, 0, 0, 0,
                                      0xDE, 0xAD, 0xBE, 0xEF};
const std::vector<uint8_t> kDummySkinStream{0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};

std::optional<std::string> ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The repository root is the working directory; VESPERMARK_SOURCE_DIR names it otherwise.
std::string FormText() {
  if (auto text = ReadText("assets/form1.txt")) return *text;
  if (const char* root = std::getenv("VESPERMARK_SOURCE_DIR"))
    if (auto text = ReadText(std::string(root) + "/assets/form1.txt")) return *text;
  ADD_FAILURE() << "assets/form1.txt not found: run from the repository root or set VESPERMARK_SOURCE_DIR";
  return {};
}

std::optional<std::vector<uint8_t>> ResolveIncludes(const std::string& name) {
  if (name == "vespermark.ico") return kDummyIcon;
  if (name == "skin.zlib") return kDummySkinStream;
  return std::nullopt;
}

std::vector<uint8_t> CompileForm(const std::string& text) {
  return WriteFormStream(ParseTextForm(text, ResolveIncludes));
}

const FormValue* Find(const FormObject& object, const std::string& name) {
  for (const FormProperty& property : object.properties)
    if (property.name == name) return &property.value;
  return nullptr;
}

const FormValue& Get(const FormObject& object, const std::string& name) {
  static const FormValue missing;
  const FormValue* value = Find(object, name);
  if (!value) ADD_FAILURE() << object.name << " stores no " << name;
  return value ? *value : missing;
}

const FormObject& Child(const FormObject& root, const std::string& name) {
  for (const FormObject& child : root.children)
    if (child.name == name) return child;
  ADD_FAILURE() << "no component " << name;
  return root;
}

void ExpectInteger(const FormObject& object, const std::string& name, int64_t expected, FormValueType type) {
  const FormValue& value = Get(object, name);
  EXPECT_EQ(value.type, type) << object.name << "." << name;
  EXPECT_EQ(value.integer, expected) << object.name << "." << name;
}

class MainFormAsset : public testing::Test {
 protected:
  void SetUp() override {
    FBytes = CompileForm(FormText());
    FForm = ReadFormStream(FBytes);
  }
  std::vector<uint8_t> FBytes;
  FormObject FForm;
};

TEST_F(MainFormAsset, HoldsTheNineComponentsInCreationOrder) {
  EXPECT_EQ(FForm.className, "TForm1");
  EXPECT_EQ(FForm.name, "Form1");
  std::vector<std::pair<std::string, std::string>> children;
  for (const FormObject& child : FForm.children) {
    children.emplace_back(child.name, child.className);
    EXPECT_TRUE(child.children.empty()) << child.name;
  }
  EXPECT_EQ(children, (std::vector<std::pair<std::string, std::string>>{
                          {"URLLabel1", "TURLLabel"},
                          {"TimePicker", "TTimePicker"},
                          {"BtnStart", "TSkinButton"},
                          {"BtnStop", "TSkinButton"},
                          {"SkinForm1", "TSkinForm"},
                          {"SkinData1", "TSkinData"},
                          {"CompressedStoredSkin1", "TCompressedStoredSkin"},
                          {"Timer1", "TTimer"},
                          {"TrayIcon", "TTrayIcon"},
                      }));
}

TEST_F(MainFormAsset, StoresTheFormsOwnValuesInTheSmallestIntegerType) {
  ExpectInteger(FForm, "Left", 495, FormValueType::Int16);
  ExpectInteger(FForm, "Top", 255, FormValueType::Int16);
  ExpectInteger(FForm, "ClientWidth", 171, FormValueType::Int16);
  ExpectInteger(FForm, "ClientHeight", 264, FormValueType::Int16);
  ExpectInteger(FForm, "TextHeight", 13, FormValueType::Int8);
  ExpectInteger(FForm, "PixelsPerInch", 96, FormValueType::Int8);
  ExpectInteger(FForm, "Font.Height", -11, FormValueType::Int8);
  ExpectInteger(Child(FForm, "URLLabel1"), "Height", 13, FormValueType::Int8);

  const FormValue& caption = Get(FForm, "Caption");
  EXPECT_EQ(caption.type, FormValueType::String);
  EXPECT_EQ(caption.text, "Vespermark");
  const FormValue& borderIcons = Get(FForm, "BorderIcons");
  EXPECT_EQ(borderIcons.type, FormValueType::Set);
  EXPECT_TRUE(borderIcons.set.empty());
  const FormValue& borderStyle = Get(FForm, "BorderStyle");
  EXPECT_EQ(borderStyle.type, FormValueType::Ident);
  EXPECT_EQ(borderStyle.text, "bsSingle");
}

TEST_F(MainFormAsset, StoresTheComponentValuesStartUpDependsOn) {
  const FormValue& hint = Get(Child(FForm, "TimePicker"), "Hint");
  EXPECT_EQ(hint.type, FormValueType::WString);
  EXPECT_EQ(hint.wide, u"左键转动时针右键转动分针");

  // The timer's 1000 ms is its constructor value and so is not stored.
  EXPECT_EQ(Find(Child(FForm, "Timer1"), "Interval"), nullptr);
  EXPECT_EQ(Get(Child(FForm, "Timer1"), "Enabled").type, FormValueType::False);
  EXPECT_EQ(Get(Child(FForm, "BtnStop"), "Enabled").type, FormValueType::False);
  EXPECT_EQ(Find(Child(FForm, "BtnStart"), "Enabled"), nullptr);

  const FormValue& icon = Get(Child(FForm, "TrayIcon"), "Icon.Data");
  EXPECT_EQ(icon.type, FormValueType::Binary);
  EXPECT_EQ(icon.bytes, kDummyIcon);
  const FormValue& skin = Get(Child(FForm, "CompressedStoredSkin1"), "CompressedData");
  EXPECT_EQ(skin.type, FormValueType::Binary);
  EXPECT_EQ(skin.bytes, kDummySkinStream);
}

TEST_F(MainFormAsset, WiresReferencesAndHandlersInStreamOrder) {
  std::vector<std::string> references, handlers;
  for (const FormObject& child : FForm.children)
    for (const FormProperty& property : child.properties) {
      if (property.value.type != FormValueType::Ident) continue;
      std::string wiring = child.name + "." + property.name + "=" + property.value.text;
      bool namesComponent = false;
      for (const FormObject& other : FForm.children) namesComponent = namesComponent || other.name == property.value.text;
      if (namesComponent) references.push_back(wiring);
      if (property.name.starts_with("On")) handlers.push_back(wiring);
    }
  EXPECT_EQ(references, (std::vector<std::string>{
                            "BtnStart.SkinData=SkinData1",
                            "BtnStop.SkinData=SkinData1",
                            "SkinForm1.TrayIcon=TrayIcon",
                            "SkinForm1.SkinData=SkinData1",
                            "SkinData1.CompressedStoredSkin=CompressedStoredSkin1",
                        }));
  EXPECT_EQ(handlers, (std::vector<std::string>{
                          "BtnStart.OnClick=BtnStartClick",
                          "BtnStop.OnClick=BtnStopClick",
                          "Timer1.OnTimer=Timer1Timer",
                          "TrayIcon.OnClick=TrayIconClick",
                      }));
}

TEST_F(MainFormAsset, CompileDumpCompileGivesTheSameBytes) {
  const std::string dumped = PrintTextForm(FForm);
  EXPECT_EQ(CompileForm(dumped), FBytes);
  EXPECT_EQ(PrintTextForm(ReadFormStream(CompileForm(dumped))), dumped);
}

}  // namespace
