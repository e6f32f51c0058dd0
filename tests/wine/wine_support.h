#pragma once
// Helpers for the Win32 tests: an application with the main form, a message
// pump, a scripted clock and a power-off seam that records and fails calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/form1_win.h"
#include "app/power_off.h"
#include "ui/application_win.h"
#include "skin/data/skin_notices_win.h"

// Runs the message loop for a while; remembers whether a quit was asked for.
bool PumpMessages(int milliseconds);

// A message box as it was when it opened.
struct SeenMessageBox {
  bool seen = false;
  std::wstring text;
  HWND owner = nullptr;
  bool topmost = false;
};

// Watches the creating thread for a message box, reads it and closes it.
class MessageBoxWatcher {
 public:
  // `whileOpen` runs on the watcher's thread while the box is open.
  explicit MessageBoxWatcher(std::function<void()> whileOpen = {});
  ~MessageBoxWatcher();
  // Stops watching; what the box looked like, if one opened.
  const SeenMessageBox& Finish();

 private:
  std::atomic<bool> FDone{false};
  SeenMessageBox FSeen;
  std::thread FThread;
};

// Real input, as the system delivers it: into the input queue of the
// foreground window, turned into messages by the system (double clicks,
// characters) and dispatched by whichever loop runs next.
void PressKey(WORD key);
// Runs the application's own loop (dialog keys and all) for a while.
void RunApplicationLoop(TApplication& app, int milliseconds);
// The pointer really moves there: the system sends the window under it its mouse messages.
void MovePointerTo(POINT screen);
// Presses or releases a mouse button where the pointer is (MOUSEEVENTF_LEFTDOWN...).
void MouseButton(DWORD flags);
// Moves the pointer to `screen` and clicks the left button `times` times in quick succession.
void ClickLeftAt(POINT screen, int times = 1);
// The form in front with the keyboard, as after a user's click on it.
void BringToFront(TForm& form);
// The colour (0xRRGGBB) the screen shows at a point, whichever window is there.
uint32_t ScreenPixel(POINT screen);
// The screen in `area` (a form with its hint and menu windows) saved as
// full-skin-NAME.bmp for a person to look at, when the test script asks
// for renders (VESPERMARK_RENDER_DIR).
void SaveScreen(const std::string& name, RECT area);

// The monotonic clock follows the wall clock, less every step it was set by.
class FakeClock : public LocalClock {
 public:
  LocalTimestamp now = LocalTimestamp::FromParts(2026, 12, 8, 9, 0, 0, 0);
  int64_t wallSetBy = 0;
  LocalTimestamp Now() override { return now; }
  int64_t MonotonicMilliseconds() override { return now.Milliseconds - wallSetBy; }
  void Set(int h, int m, int s, int ms) { now = LocalTimestamp::FromParts(2026, 12, 8, h, m, s, ms); }
};

class FakePower : public PowerPlatform {
 public:
  std::vector<std::string> calls;
  bool failOpen = false, failExit = false;
  uint32_t lastError = 0;
  uint32_t exitFlags = 0, exitReason = 0;

  PlatformHandle GetCurrentProcess() override { return Log("GetCurrentProcess", 0x1234); }
  bool OpenProcessToken(PlatformHandle, uint32_t, PlatformHandle& token) override {
    token = failOpen ? 0 : 0x77;
    return Log("OpenProcessToken", !failOpen);
  }
  bool LookupPrivilegeLuid(const char*, const std::string&, PrivilegeLuid& luid) override {
    luid.LowPart = 19;
    return Log("LookupPrivilegeLuid", true);
  }
  bool AdjustTokenPrivileges(PlatformHandle, bool, const TokenPrivilegeRecord&, uint32_t, TokenPrivilegeRecord*,
                             uint32_t&) override {
    return Log("AdjustTokenPrivileges", true);
  }
  uint32_t GetLastError() override { return Log("GetLastError", lastError); }
  bool ExitWindowsEx(uint32_t flags, uint32_t reason) override {
    exitFlags = flags;
    exitReason = reason;
    return Log("ExitWindowsEx", !failExit);
  }
  bool FastStartupEnabled() override { return false; }
  bool CloseHandle(PlatformHandle) override { return Log("CloseHandle", true); }
  std::string ErrorText(uint32_t code) override { return "system text " + std::to_string(code); }
  uint32_t SetThreadExecutionState(uint32_t flags) override {
    executionStates.push_back(flags);
    return EsContinuous;
  }
  std::vector<uint32_t> executionStates;

 private:
  template <class T>
  T Log(const char* name, T result) {
    calls.emplace_back(name);
    return result;
  }
};

// A fresh application with the main form read from the program's resource.
class MainFormTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Installed for the test's length, as the program installs it; declared
  // first, so it outlives the application.
  ScopedSkinNoticeSink skinNotices{WindowSkinNotices()};
  std::unique_ptr<TApplication> app;
  TForm1* form = nullptr;
  std::vector<std::string> errors;
  FakeClock clock;
  FakePower power;
};

// The program run as a process of its own (wine_tests.exe --run-program).
class ProgramProcess {
 public:
  ProgramProcess();
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;
  bool Started() const { return FInfo.hProcess != nullptr; }
  // Why the last try to start failed.
  unsigned long StartError() const { return FStartError; }
  // The exit code once it ended within `ms`; -1 if it still runs.
  long WaitForExit(DWORD ms) const;
  // Its top-level windows of our classes with this title: the main window is
  // the one with a size; the tray icon's window has no title, and unlike the
  // hint window it is no tool window.
  std::vector<HWND> Windows(const wchar_t* title) const;

 private:
  PROCESS_INFORMATION FInfo{};
  unsigned long FStartError = 0;
};

template <class Condition>
bool WaitUntil(Condition condition, int ms = 10000) {
  for (int waited = 0; waited < ms; waited += 50, Sleep(50))
    if (condition()) return true;
  return condition();
}

// Live GDI and USER objects of this process. Wine reports none through
// GetGuiResources, so the GDI count then comes from probing the handle table
// and the USER count from this thread's windows.
int GdiObjectCount();
int UserObjectCount();
