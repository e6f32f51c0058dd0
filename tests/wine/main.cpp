// Runs the Win32 tests inside one application object, as the program does.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/form1_win.h"
#include "app/startup_win.h"
#include "ui/application_win.h"

namespace {

int gWindowsCreated = 0;

LRESULT CALLBACK CountWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) ++gWindowsCreated;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The program itself, for tests that start it as a process of its own. The
// exit code is the number of windows it made, or 1000 plus its own exit code
// when that is not 0.
int RunProgramCountingWindows() {
  HHOOK hook = SetWindowsHookExW(WH_CBT, CountWindows, nullptr, GetCurrentThreadId());
  int code = RunVespermark(SW_SHOWNORMAL);
  UnhookWindowsHookEx(hook);
  return code != 0 ? 1000 + code : gWindowsCreated;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && wcscmp(argv[1], L"--run-program") == 0) return RunProgramCountingWindows();
  RegisterMainFormClasses();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
