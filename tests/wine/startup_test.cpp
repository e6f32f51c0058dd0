// Program start with a damaged form, and handles over repeated forms.
#include "app/startup_win.h"
#include "ui/handles_win.h"
#include "ui/resources_win.h"
#include "base/utf_win.h"
#include "wine_support.h"

namespace {

std::vector<uint8_t> FormResource() {
  auto stream = RCDataResource(L"TFORM1");
  return stream ? std::vector<uint8_t>(stream->begin(), stream->end()) : std::vector<uint8_t>();
}

struct MessageBoxSeen {
  std::wstring text;
  bool formVisible = false;
};

// Starts the program on `stream` while a watcher reads and closes the message
// box it should show.
int RunWithWatcher(const std::vector<uint8_t>& stream, MessageBoxSeen& seen) {
  MessageBoxWatcher watcher([&] {
    HWND form = FindWindowW(L"VespermarkWindow", L"Vespermark");
    seen.formVisible = form && IsWindowVisible(form) && GetWindow(form, GW_OWNER);
  });
  int code = RunVespermark(SW_SHOWNORMAL, std::span<const uint8_t>(stream));
  seen.text = watcher.Finish().text;
  return code;
}

TEST(StartupTest, ADamagedFormIsReportedAndNothingIsShown) {
  std::vector<uint8_t> good = FormResource();
  ASSERT_GT(good.size(), 1000u);

  struct Case {
    const char* name;
    std::vector<uint8_t> stream;
    const wchar_t* expected;
  };
  std::vector<Case> cases;
  auto badSignature = good;
  badSignature[3] = 'X';
  cases.push_back({"signature", badSignature, L"signature"});
  cases.push_back({"truncated", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2), L"offset"});
  auto unknownClass = good;
  std::string timer = "TTimer";
  auto at = std::search(unknownClass.begin(), unknownClass.end(), timer.begin(), timer.end());
  ASSERT_NE(at, unknownClass.end());
  at[5] = 'x';
  cases.push_back({"unknown class", unknownClass, L"TTimex"});

  for (const Case& c : cases) {
    MessageBoxSeen seen;
    EXPECT_EQ(RunWithWatcher(c.stream, seen), 1) << c.name;
    EXPECT_NE(seen.text.find(c.expected), std::wstring::npos) << c.name << ": " << WideToUtf8(seen.text);
    EXPECT_FALSE(seen.formVisible) << c.name;
  }
}

TEST(StartupTest, ApplicationTitleComesFromTheExecutableName) {
  EXPECT_EQ(TitleFromExecutablePath("C:\\Program Files\\VESPERMARK.EXE"), "Vespermark");
  EXPECT_EQ(TitleFromExecutablePath("/tmp/wine_tests.exe"), "wine_tests");
  EXPECT_EQ(TitleFromExecutablePath("Tool.v2.exe"), "Tool.v2");
  TApplication app;
  wchar_t title[64];
  GetWindowTextW(app.Handle(), title, 64);
  EXPECT_STREQ(title, L"wine_tests");
}

TEST(StartupTest, RepeatedFormsLeakNoGdiOrUserObjects) {
  auto cycle = [] {
    TApplication app;
    TForm1* form = app.CreateForm<TForm1>();
    form->Show();
    form->TimePicker->SetTime(0.5);
    PumpMessages(30);
  };
  cycle();  // first use creates shared objects (window classes, the tooltip, stock fonts)
  int gdi = GdiObjectCount(), user = UserObjectCount();
  {
    // The counts do see new objects.
    PenHandle pen(CreatePen(PS_SOLID, 1, 0));
    EXPECT_EQ(GdiObjectCount(), gdi + 1);
    TMessageWindow window(nullptr);
    EXPECT_EQ(UserObjectCount(), user + 1);
  }
  for (int i = 0; i < 10; ++i) cycle();
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_EQ(UserObjectCount(), user);
}

}  // namespace
