// The main window as the program builds it from its own form resource.
#include <windows.h>
#include <commctrl.h>

#include "app/local_clock_win.h"
#include "ui/system/timer_win.h"
#include "base/utf_win.h"
#include "wine_support.h"

namespace {

std::wstring WindowText(HWND window) {
  wchar_t text[256];
  int n = GetWindowTextW(window, text, 256);
  return std::wstring(text, n);
}

std::string Format(int h, int m, int s) { return UserLongTimeFormat().Format(EncodeTime(h, m, s, 0)); }

TEST_F(MainFormTest, ComponentsAreCreatedInStreamOrderAndBoundToTheirFields) {
  std::vector<std::string> names;
  for (TComponent* c : form->Components()) names.push_back(c->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"URLLabel1", "TimePicker", "BtnStart", "BtnStop", "SkinForm1",
                                             "SkinData1", "CompressedStoredSkin1", "Timer1", "TrayIcon"}));
  EXPECT_EQ(form->Name(), "Form1");
  EXPECT_EQ(Form1, form);
  // References are bound once the whole stream is read.
  EXPECT_EQ(form->BtnStart->SkinData(), form->SkinData1);
  EXPECT_EQ(form->BtnStop->SkinData(), form->SkinData1);
  EXPECT_EQ(form->SkinForm1->TrayIcon(), form->TrayIcon);
  EXPECT_EQ(form->SkinForm1->SkinData(), form->SkinData1);
  EXPECT_EQ(form->SkinData1->CompressedStoredSkin(), form->CompressedStoredSkin1);
  EXPECT_EQ(form->CompressedStoredSkin1->FileName(), "skin.ini");
  for (TComponent* c : form->Components()) EXPECT_FALSE(c->IsLoading()) << c->Name();
  EXPECT_FALSE(form->IsLoading());
  // Events are wired to the form's handlers.
  EXPECT_TRUE(form->BtnStart->OnClick());
  EXPECT_TRUE(form->BtnStop->OnClick());
  EXPECT_TRUE(form->Timer1->OnTimer());
  EXPECT_TRUE(form->TrayIcon->OnClick());
}

TEST_F(MainFormTest, LoadsTheSkinPackedIntoItsForm) {
  const TSkinData& skin = *form->SkinData1;
  EXPECT_FALSE(skin.NoSkin());
  EXPECT_EQ(skin.skinname, "Vespermark");
  EXPECT_EQ(skin.PictureBitmap().Width(), 176);
  EXPECT_EQ(skin.MaskBitmap().BitCount(), 1);
  EXPECT_EQ(skin.ActivePictureBitmaps().size(), 8u);
  EXPECT_EQ(skin.SkinObjects().size(), 12u);
  EXPECT_EQ(skin.IndexOfControl("button"), 0);
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormTest, StartsIdleWithTheIconInTheTray) {
  EXPECT_TRUE(form->BtnStart->Enabled());
  EXPECT_EQ(form->BtnStart->Caption(), "Start");
  EXPECT_FALSE(form->BtnStop->Enabled());
  EXPECT_EQ(form->BtnStop->Caption(), "Stop");
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_EQ(form->Timer1->Interval(), 1000u);
  EXPECT_TRUE(form->TimePicker->Enabled());
  EXPECT_EQ(form->TimePicker->Time(), 0.0);
  EXPECT_EQ(form->TrayIcon->Hint(), "Vespermark");
  EXPECT_TRUE(form->TrayIcon->IconVisible());
  EXPECT_FALSE(form->TrayIcon->Icon().Empty());
  EXPECT_EQ(form->TrayIcon->Icon().Data().size(), 1758u);
  // Not shown until the message loop runs.
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(MainFormTest, WindowHasItsPlaceSizeTitleAndReadableCaptions) {
  RECT window, client;
  GetWindowRect(form->Handle(), &window);
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(window.left, 495);
  EXPECT_EQ(window.top, 255);
  EXPECT_EQ(client.right, 171);
  EXPECT_EQ(client.bottom, 264);
  EXPECT_EQ(WindowText(form->Handle()), L"Vespermark");
  EXPECT_EQ(WindowText(form->BtnStart->Handle()), L"Start");
  EXPECT_EQ(WindowText(form->BtnStop->Handle()), L"Stop");
  EXPECT_EQ(GetParent(form->TimePicker->Handle()), form->Handle());
  // The picker fills the top of the form; the buttons keep their stored place for now.
  EXPECT_EQ(form->TimePicker->Width(), 171);
  EXPECT_EQ(form->TimePicker->Height(), 190);
  EXPECT_EQ(form->BtnStart->Left(), 8);
  EXPECT_EQ(form->BtnStop->Left(), 96);
}

// What the hint tooltip holds for a control; empty while it has no tool for it.
std::wstring TooltipText(HWND control) {
  HWND tooltip = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM data) -> BOOL {
        wchar_t cls[64];
        GetClassNameW(w, cls, 64);
        if (wcscmp(cls, TOOLTIPS_CLASSW) == 0) *reinterpret_cast<HWND*>(data) = w;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tooltip));
  if (!tooltip) return {};
  wchar_t text[128] = {};
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = control;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
  return text;
}

TEST_F(MainFormTest, PickerHintReachesTheTooltipInUtf16OnceThePointerMovesOverThePaintedPicker) {
  EXPECT_EQ(form->TimePicker->Hint(), "左键转动时针右键转动分针");
  EXPECT_TRUE(form->TimePicker->EffectiveShowHint());
  EXPECT_FALSE(form->BtnStart->EffectiveShowHint());
  // The tooltip (and the library behind it) may not exist yet: the first move makes it.
  HWND picker = form->TimePicker->Handle();
  form->Show();
  UpdateWindow(picker);
  SendMessageW(picker, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(TooltipText(picker), L"\u5de6\u952e\u8f6c\u52a8\u65f6\u9488\u53f3\u952e\u8f6c\u52a8\u5206\u9488");
}

TEST_F(MainFormTest, StartArmsHidesAndTicksThenStopDisarms) {
  form->Show();
  form->TimePicker->SetTime(EncodeTime(23, 30, 0, 0));
  clock.Set(9, 0, 0, 0);
  form->BtnStart->Click();
  EXPECT_TRUE(form->Timer1->Enabled());
  EXPECT_FALSE(form->BtnStart->Enabled());
  EXPECT_TRUE(form->BtnStop->Enabled());
  EXPECT_FALSE(form->TimePicker->Enabled());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(IsWindowVisible(app->Handle()));
  EXPECT_EQ(form->TrayIcon->Hint(), Format(23, 30, 0) + "关机");
  EXPECT_EQ(form->TrayIcon->TipText(), Utf8ToWide(Format(23, 30, 0)) + L"\u5173\u673a");

  // The real timer ticks through the message loop.
  clock.Set(9, 0, 1, 0);
  PumpMessages(1300);
  EXPECT_EQ(form->BtnStart->Caption(), Format(9, 0, 1));
  EXPECT_TRUE(power.calls.empty());

  form->BtnStop->Click();
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_TRUE(form->BtnStart->Enabled());
  EXPECT_EQ(form->BtnStart->Caption(), "start");
  EXPECT_FALSE(form->BtnStop->Enabled());
  EXPECT_TRUE(form->TimePicker->Enabled());
  EXPECT_EQ(form->TrayIcon->Hint(), Format(23, 30, 0) + "关机");
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(MainFormTest, TheTickAtTheTargetRequestsThePowerOffOnceAndDisarms) {
  form->TimePicker->SetTime(EncodeTime(23, 30, 0, 0));
  clock.Set(23, 29, 59, 400);
  form->BtnStart->Click();
  clock.Set(23, 30, 0, 300);
  PumpMessages(1300);
  EXPECT_EQ(power.calls, (std::vector<std::string>{"GetCurrentProcess", "OpenProcessToken", "LookupPrivilegeLuid",
                                                   "AdjustTokenPrivileges", "GetLastError", "ExitWindowsEx",
                                                   "CloseHandle"}));
  EXPECT_EQ(power.exitFlags, 8u);
  EXPECT_EQ(power.exitReason, 0x80000000u);
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_EQ(form->BtnStart->Caption(), "start");
  EXPECT_TRUE(form->BtnStart->Enabled());
}

TEST_F(MainFormTest, ASkippedTargetSecondStillFires) {
  form->TimePicker->SetTime(EncodeTime(7, 15, 0, 0));
  clock.Set(7, 14, 59, 0);
  form->BtnStart->Click();
  clock.Set(7, 15, 1, 100);  // a late tick: 07:15:00 was never seen
  PumpMessages(1300);
  EXPECT_FALSE(power.calls.empty());
  EXPECT_FALSE(form->Timer1->Enabled());
}

TEST_F(MainFormTest, AFailedPowerOffIsToldOnceDisarmedAndEndsTheProgramOnlyWhenRefused) {
  bool quitPendingWhileTold = true, armedWhileTold = true;
  app->OnShowError = [&](const std::string& message) {
    errors.push_back(message);
    MSG pending;
    quitPendingWhileTold = PeekMessageW(&pending, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
    armedWhileTold = form->Timer1->Enabled() || form->BtnStop->Enabled();
  };
  auto fire = [&] {
    errors.clear();
    power.calls.clear();
    form->TimePicker->SetTime(EncodeTime(6, 0, 0, 0));
    clock.Set(5, 59, 59, 500);
    form->BtnStart->Click();
    clock.Set(6, 0, 0, 200);
    return PumpMessages(1300);
  };
  auto has = [](const std::string& text, const char* part) { return text.find(part) != std::string::npos; };

  // No token, and the system refuses: the computer stays on and the program ends.
  power.failOpen = true;
  power.failExit = true;
  power.lastError = 5;
  EXPECT_TRUE(fire());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(has(errors[0], "could not be powered off")) << errors[0];
  EXPECT_TRUE(has(errors[0], "Opening the process's access token failed: system text 5 (error 5)")) << errors[0];
  EXPECT_FALSE(quitPendingWhileTold) << "a pending quit would close the box before it is read";
  EXPECT_FALSE(armedWhileTold) << "the box's own loop would run the timer";
  EXPECT_NE(std::find(power.calls.begin(), power.calls.end(), "ExitWindowsEx"), power.calls.end());
  EXPECT_EQ(std::find(power.calls.begin(), power.calls.end(), "CloseHandle"), power.calls.end()) << "no token";

  // No token, but Windows takes the request: the shutdown is under way.
  power.failExit = false;
  EXPECT_FALSE(fire()) << "quitting now would only race the shutdown";
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_FALSE(has(errors[0], "could not be powered off")) << errors[0];
  EXPECT_TRUE(has(errors[0], "Opening the process's access token failed")) << errors[0];
  EXPECT_FALSE(armedWhileTold);
  EXPECT_FALSE(form->Timer1->Enabled());
}

TEST_F(MainFormTest, TheBoxOfAFailedPowerOffOpensInFront) {
  app->OnShowError = nullptr;  // the real message box
  power.failExit = true;
  form->Show();
  auto fireWatched = [&] {
    form->TimePicker->SetTime(EncodeTime(6, 0, 0, 0));
    clock.Set(5, 59, 59, 500);
    form->BtnStart->Click();
    clock.Set(6, 0, 0, 200);
  };
  fireWatched();
  ASSERT_FALSE(IsWindowVisible(form->Handle())) << "in the tray";
  MessageBoxWatcher inTray;
  PumpMessages(1300);
  SeenMessageBox box = inTray.Finish();
  ASSERT_TRUE(box.seen);
  EXPECT_NE(box.text.find(L"could not be powered off"), std::wstring::npos);
  EXPECT_EQ(box.owner, app->Handle());
  EXPECT_TRUE(box.topmost) << "its owner is hidden: nothing else brings it in front";

  fireWatched();
  form->TrayIcon->RestoreMainWindow();
  ASSERT_TRUE(IsWindowVisible(form->Handle()));
  MessageBoxWatcher shown;
  PumpMessages(1300);
  box = shown.Finish();
  ASSERT_TRUE(box.seen);
  EXPECT_EQ(box.owner, form->Handle()) << "in front of the window it belongs to";
}

TEST_F(MainFormTest, TimerFailureThroughAUserClickIsShownAndRetriedOnTheNextClick) {
  form->Show();
  PumpMessages(50);
  ActiveTimerApi().set = [](HWND, UINT_PTR, UINT, TIMERPROC) -> UINT_PTR { return 0; };
  RECT r;
  GetClientRect(form->BtnStart->Handle(), &r);
  auto click = [&] {
    SendMessageW(form->BtnStart->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(form->BtnStart->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  };
  click();
  ASSERT_EQ(errors, std::vector<std::string>{"Not enough timers available"});
  EXPECT_TRUE(form->Timer1->Enabled());
  EXPECT_TRUE(form->BtnStart->Enabled());
  EXPECT_FALSE(form->BtnStop->Enabled());
  EXPECT_TRUE(form->TimePicker->Enabled());
  EXPECT_EQ(form->TrayIcon->Hint(), "Vespermark");
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  click();
  EXPECT_EQ(errors.size(), 2u);
  ActiveTimerApi() = TimerApi{};
  click();
  EXPECT_EQ(errors.size(), 2u);
  EXPECT_FALSE(form->BtnStart->Enabled());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(MainFormTest, TrayClickHidesAVisibleWindowAndRestoresAMinimisedApplication) {
  form->Show();
  form->TrayIconClick(nullptr);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  // Hidden but not minimised: a further click leaves it hidden.
  form->TrayIconClick(nullptr);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  form->TrayIcon->RestoreMainWindow();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  app->Minimize();
  EXPECT_TRUE(app->Iconic());
  form->TrayIconClick(nullptr);
  EXPECT_FALSE(app->Iconic());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(MainFormTest, KeyboardStepsThePickerAcrossMidnight) {
  HWND picker = form->TimePicker->Handle();
  SendMessageW(picker, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_DOUBLE_EQ(form->TimePicker->Time(), 23 / 24.0);
  SendMessageW(picker, WM_KEYDOWN, VK_UP, 0);
  EXPECT_DOUBLE_EQ(form->TimePicker->Time(), (23 * 60 + 1) / 1440.0);
  SendMessageW(picker, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(picker, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_DOUBLE_EQ(form->TimePicker->Time(), (22 * 60 + 59) / 1440.0);
  SendMessageW(picker, WM_KEYDOWN, VK_PRIOR, 0);
  SendMessageW(picker, WM_KEYDOWN, VK_PRIOR, 0);
  EXPECT_DOUBLE_EQ(form->TimePicker->Time(), 59 / 1440.0);
  EXPECT_EQ(SendMessageW(picker, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(MainFormTest, TrayTipIsCutAt127UnitsWithoutSplittingACharacter) {
  std::string hint(126, 'x');
  hint += "\xF0\x9F\x95\x9B";  // one character, two UTF-16 units
  form->TrayIcon->SetHint(hint);
  EXPECT_EQ(form->TrayIcon->TipText(), std::wstring(126, L'x'));
  form->TrayIcon->SetHint(std::string(125, 'y') + "\xF0\x9F\x95\x9B");
  EXPECT_EQ(form->TrayIcon->TipText().size(), 127u);
}

}  // namespace

// Armed and out of sight, the program should wake once a second and no more.
TEST_F(MainFormTest, ArmedAndHiddenTheProgramWakesOnceASecond) {
  form->Show();
  PumpMessages(100);
  // The pointer rests on the face, as it does after setting the time: its hint must not keep ticking.
  const POINT centre{form->TimePicker->Layout().ClockCenter.X, form->TimePicker->Layout().ClockCenter.Y};
  POINT onScreen = centre;
  ClientToScreen(form->TimePicker->Handle(), &onScreen);
  SetCursorPos(onScreen.x, onScreen.y);
  SendMessageW(form->TimePicker->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
  PumpMessages(100);
  form->TimePicker->SetTime(EncodeTime(23, 0, 0, 0));
  form->BtnStart->Click();
  ASSERT_FALSE(IsWindowVisible(form->Handle()));
  int timerMessages = 0;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 10000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER) ++timerMessages;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  EXPECT_GE(timerMessages, 9) << "the schedule's own tick";
  EXPECT_LE(timerMessages, 12) << "at most 1.2 a second";
}

TEST_F(MainFormTest, AChangedTimeFormatReachesTheRunningTimeAndTheTrayTipAtOnce) {
  wchar_t saved[80] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, saved, 80);
  form->TimePicker->SetTime(EncodeTime(23, 30, 0, 0));
  clock.Set(21, 5, 7, 0);
  form->BtnStart->Click();
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, L"HH.mm.ss"));
  SendMessageW(Application->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  const std::string caption = form->BtnStart->Caption(), hint = form->TrayIcon->Hint();
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, saved);
  EXPECT_EQ(caption, "21.05.07");
  EXPECT_EQ(hint, std::string("23.30.00") + PowerOffTipSuffix);
}
