// Program start with a damaged form, and handles over repeated forms.
#include "app/check_mode_win.h"
#include "app/startup_win.h"
#include "ui/system/handles_win.h"
#include "ui/system/resources_win.h"
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

// Whether a window of this process titled "Vespermark" is on screen.
bool ProgramWindowVisible() {
  bool visible = false;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t title[32] = {};
        GetWindowTextW(window, title, 32);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::wstring(title) == L"Vespermark")
          *reinterpret_cast<bool*>(data) = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&visible));
  return visible;
}

// Starts the program on `stream` while a watcher reads and closes the message
// box it should show.
int RunWithWatcher(const std::vector<uint8_t>& stream, MessageBoxSeen& seen) {
  MessageBoxWatcher watcher([&] { seen.formVisible = ProgramWindowVisible(); });
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

TEST(StartupTest, TheApplicationWindowComesOnceTheMainFormIsPaintedAndWatchersHearOfItOnce) {
  TApplication app;
  TForm1* form = app.CreateForm<TForm1>();
  EXPECT_FALSE(app.HandleAllocated()) << "loading the form makes no second top-level window";
  int made = 0, dropped = 0;
  app.WatchHandle([&] { ++made; });
  app.UnwatchHandle(app.WatchHandle([&] { ++dropped; }));

  // Read from the loop: the application's window is there once nothing is left to paint.
  static struct Seen {
    TApplication* app;
    TForm1* form;
    bool allocated = false, painted = false;
  } seen;
  seen = {&app, form};
  UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) {
    seen.allocated = seen.app->HandleAllocated();
    seen.painted = IsWindowVisible(seen.form->Handle()) && !GetUpdateRect(seen.form->Handle(), nullptr, FALSE);
    seen.app->Terminate();
  });
  app.Run(SW_SHOWNORMAL);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(seen.painted);
  EXPECT_TRUE(seen.allocated);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(dropped, 0);
  int late = 0;
  app.WatchHandle([&] { ++late; });
  EXPECT_EQ(late, 1) << "a watcher that comes after the window hears of it at once";
  EXPECT_EQ(made, 1);
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

namespace {

// The power-off is replaced only for the check's own report, written just
// now; a variable pointing at anything else leaves the program as it is.
TEST(CheckMode, ReplacesThePowerOffOnlyForTheChecksFreshReport) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring report = std::wstring(folder) + L"vespermark-check-test.txt";
  auto write = [&](const char* text) {
    HANDLE file = CreateFileW(report.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    return file;
  };
  auto read = [&] {
    HANDLE file = CreateFileW(report.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    char text[1024] = {};
    DWORD got = 0;
    ReadFile(file, text, sizeof text - 1, &got, nullptr);
    CloseHandle(file);
    return std::string(text, got);
  };
  SetEnvironmentVariableW(L"VESPERMARK_CHECK_REPORT", report.c_str());

  CloseHandle(write("some other file\r\n"));
  EXPECT_EQ(CheckMode::FromEnvironment(), nullptr);
  HANDLE old = write("Vespermark windows-check\r\n");
  FILETIME longAgo{};
  GetSystemTimeAsFileTime(&longAgo);
  ULARGE_INTEGER t{{longAgo.dwLowDateTime, longAgo.dwHighDateTime}};
  t.QuadPart -= 11ULL * 60 * 10'000'000;  // eleven minutes
  longAgo = {t.LowPart, t.HighPart};
  SetFileTime(old, nullptr, nullptr, &longAgo);
  CloseHandle(old);
  EXPECT_EQ(CheckMode::FromEnvironment(), nullptr) << "a report left from another day";

  CloseHandle(write("Vespermark windows-check\r\n"));
  {
    std::unique_ptr<CheckMode> check = CheckMode::FromEnvironment();
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(ActivePowerPlatform().ExitWindowsEx(EwxShutdown | EwxPowerOff, PlannedShutdownReason));
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.uVersion = NOTIFYICON_VERSION_4;
    ActiveShellNotifyIcon()(NIM_SETVERSION, &data);
  }
  const std::string text = read();
  EXPECT_NE(text.find("check-mode on"), std::string::npos) << text;
  EXPECT_NE(text.find("power-off flags=0x9 reason=0x80000000"), std::string::npos) << text;
  EXPECT_NE(text.find("tray setversion ok="), std::string::npos) << text;
  EXPECT_NE(text.find("version=4"), std::string::npos) << text;
  EXPECT_EQ(ActiveShellNotifyIcon(), &SystemShellNotifyIcon) << "put back at the end";
  SetEnvironmentVariableW(L"VESPERMARK_CHECK_REPORT", nullptr);
  DeleteFileW(report.c_str());
}

}  // namespace
