// The skin notices as window messages: owner form first, then every other
// form in creation order, each handled before the next is sent.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form1_win.h"
#include "ui/application_win.h"
#include "persist/form_stream.h"
#include "ui/form_win.h"
#include "ui/system/resources_win.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_notices_win.h"
#include "skin/data/skin_package.h"
#include "skin/data/zlib_stream.h"

namespace {

struct Received {
  std::string form;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool noSkin;
};

class TRecordingForm : public TForm {
 public:
  TRecordingForm(TComponent* owner, const std::string& name, std::vector<Received>& log) : TForm(owner), FLog(log) {
    SetName(name);
  }
  std::string_view ClassName() const override { return "TRecordingForm"; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message >= SkinChangingMessage && message <= SkinChangeDoneMessage)
      FLog.push_back({Name(), message, wParam, lParam, reinterpret_cast<TSkinData*>(wParam)->NoSkin()});
    return TForm::WndProc(message, wParam, lParam);
  }

 private:
  std::vector<Received>& FLog;
};

std::vector<uint8_t> SmallPackedSkin() {
  SkinPackage package;
  package.iniText = "[VERSION]\r\nskinname=notices\r\n";
  TMemoryStream raw, packed;
  WriteSkinPackage(raw, package);
  PackStream(raw, packed);
  return std::vector<uint8_t>(packed.Memory(), packed.Memory() + packed.Size());
}

void StoreSmallSkin(TCompressedStoredSkin& stored) { stored.SetCompressedData(SmallPackedSkin()); }

// The program's form resource with other bytes as its "CompressedData".
std::vector<uint8_t> FormWithCompressedData(const std::vector<uint8_t>& compressed) {
  auto resource = RCDataResource(L"TFORM1");
  if (!resource) return {};
  FormObject root = ReadFormStream(*resource);
  for (FormObject& child : root.children)
    for (FormProperty& property : child.properties)
      if (child.name == "CompressedStoredSkin1" && property.name == "CompressedData")
        property.value.bytes = compressed;
  return WriteFormStream(root);
}

RECT WindowRect(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

class SkinNoticeTest : public testing::Test {
 protected:
  ScopedSkinNoticeSink installed{WindowSkinNotices()};
  TApplication app;
  std::vector<Received> log;
  TRecordingForm* first = new TRecordingForm(&app, "First", log);
  TRecordingForm* second = new TRecordingForm(&app, "Second", log);
};

TEST_F(SkinNoticeTest, TheOwnerFormHearsFirstThenEveryOtherFormInOrder) {
  auto* data = new TSkinData(second);
  auto* stored = new TCompressedStoredSkin(second);
  StoreSmallSkin(*stored);
  ASSERT_FALSE(first->HandleAllocated());
  data->SetCompressedStoredSkin(stored);

  // Sending needs the windows, so they were made.
  EXPECT_TRUE(first->HandleAllocated());
  EXPECT_TRUE(second->HandleAllocated());
  const auto wParam = reinterpret_cast<WPARAM>(data);
  const std::vector<std::pair<std::string, UINT>> expected{
      {"Second", SkinChangingMessage},   {"First", SkinChangingMessage},   {"Second", SkinChangedMessage},
      {"First", SkinChangedMessage},     {"Second", SkinChangeDoneMessage}, {"First", SkinChangeDoneMessage}};
  ASSERT_EQ(log.size(), expected.size());
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].form, expected[i].first) << i;
    EXPECT_EQ(log[i].message, expected[i].second) << i;
    EXPECT_EQ(log[i].wParam, wParam) << i;
    EXPECT_EQ(log[i].lParam, 1000) << i;
    // Synchronous: each receiver sees the skin data as it is at that step.
    EXPECT_EQ(log[i].noSkin, expected[i].second == SkinChangingMessage) << i;
  }
  EXPECT_EQ(data->skinname, "notices");
}

TEST_F(SkinNoticeTest, SkinDataOutsideAFormReachesTheFormsInCreationOrder) {
  auto* data = new TSkinData(&app);
  auto* stored = new TCompressedStoredSkin(&app);
  StoreSmallSkin(*stored);
  delete first;
  auto* third = new TRecordingForm(&app, "Third", log);
  data->SetCompressedStoredSkin(stored);
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(log[0].form, "Second");
  EXPECT_EQ(log[1].form, "Third");
  EXPECT_EQ(log[5].form, "Third");
  EXPECT_EQ(AllForms(), (std::vector<TForm*>{second, third}));
}

// Binding SkinData1 sends the notices while the form is still being read,
// which makes its window early; the form still comes up as without a skin.
TEST(SkinNoticeMainForm, TheMainFormTakesItsSkinWhileBeingReadAndComesUpWhole) {
  const std::vector<uint8_t> skinned = FormWithCompressedData(SmallPackedSkin());
  const std::vector<uint8_t> unskinned = FormWithCompressedData({});
  ASSERT_FALSE(skinned.empty());
  ScopedSkinNoticeSink installed(WindowSkinNotices());
  RECT plainWindow, plainClient;
  {
    TApplication app;
    auto* plain = new TForm1(&app, unskinned);
    app.AdoptMainForm(plain);
    EXPECT_TRUE(plain->SkinData1->NoSkin());
    plainWindow = WindowRect(plain->Handle());
    GetClientRect(plain->Handle(), &plainClient);
  }
  TApplication app;
  auto* form = new TForm1(&app, skinned);
  ASSERT_TRUE(form->HandleAllocated());
  app.AdoptMainForm(form);
  EXPECT_FALSE(form->SkinData1->NoSkin());
  EXPECT_EQ(form->SkinData1->skinname, "notices");
  const RECT window = WindowRect(form->Handle());
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_TRUE(EqualRect(&window, &plainWindow));
  EXPECT_TRUE(EqualRect(&client, &plainClient));
  EXPECT_EQ(GetParent(form->TimePicker->Handle()), form->Handle());
}

}  // namespace
