// What the armed schedule asks of the system beyond the power-off: the
// notifications of the tray icon, keeping the system awake, the resume from
// sleep, and one running copy of the program.
#include "app/local_clock_win.h"
#include "app/single_instance_win.h"
#include "base/utf_win.h"
#include "wine_support.h"

namespace {

struct ShellRequest {
  DWORD command;
  NOTIFYICONDATAW data;
};

std::vector<ShellRequest> gShellRequests;
BOOL gShellAnswer = TRUE;

BOOL WINAPI RecordShellRequest(DWORD command, PNOTIFYICONDATAW data) {
  gShellRequests.push_back({command, *data});
  return gShellAnswer;
}

class NotificationTest : public MainFormTest {
 protected:
  void SetUp() override {
    gShellRequests.clear();
    gShellAnswer = TRUE;
    ActiveShellNotifyIcon() = RecordShellRequest;
    MainFormTest::SetUp();
  }
  void TearDown() override {
    MainFormTest::TearDown();
    ActiveShellNotifyIcon() = SystemShellNotifyIcon;
  }
  // The texts of the notifications asked for, an empty one for each removal.
  std::vector<std::string> Notifications() const {
    std::vector<std::string> texts;
    for (const ShellRequest& r : gShellRequests) {
      if (!(r.data.uFlags & NIF_INFO)) continue;
      EXPECT_EQ(r.command, static_cast<DWORD>(NIM_MODIFY));
      EXPECT_EQ(r.data.hWnd, form->TrayIcon->NotifyWindow()) << "the icon's own entry";
      EXPECT_EQ(r.data.uID, TTrayIcon::kIconId);
      if (r.data.szInfo[0]) {
        EXPECT_STREQ(r.data.szInfoTitle, L"Vespermark");
      }
      texts.push_back(WideToUtf8(r.data.szInfo));
    }
    return texts;
  }
  void Arm(int h, int m, int s, int ms) {
    form->TimePicker->SetTime(EncodeTime(23, 30, 0, 0));
    clock.Set(h, m, s, ms);
    form->BtnStart->Click();
  }
  std::string Target() const { return UserLongTimeFormat().Format(EncodeTime(23, 30, 0, 0)); }
};

TEST_F(NotificationTest, TheWarningOpensTheWindowWhenClickedAndStopTakesItAway) {
  form->Show();
  PumpMessages(50);
  Arm(23, 29, 30, 0);  // less than a minute ahead: warned at once
  ASSERT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(Notifications(),
            (std::vector<std::string>{"Vespermark powers off at " + Target() + ". Double-click its icon to open it.",
                                      "Powering off at " + Target() + ". Click to open Vespermark."}));

  // As the shell tells it under version 4: the icon's number in the high word.
  SendMessageW(form->TrayIcon->NotifyWindow(), TTrayIcon::kCallbackMessage, MAKEWPARAM(900, 700),
               MAKELPARAM(NIN_BALLOONUSERCLICK, TTrayIcon::kIconId));
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(form->Timer1->Enabled()) << "still armed: Stop is one click away";
  EXPECT_TRUE(form->BtnStop->Enabled());

  form->BtnStop->Click();
  EXPECT_EQ(Notifications().back(), "") << "a notification still showing is taken away";
}

// Version 4 lasts only as long as the shell's entry: each new one asks for
// it again (after Explorer restarts too), and for the plain tip it hides.
TEST_F(NotificationTest, EveryNewEntryAsksForVersionFourAndThePlainTip) {
  PumpMessages(50);  // the first entry
  SendMessageW(app->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  std::vector<DWORD> commands;
  for (const ShellRequest& r : gShellRequests) {
    commands.push_back(r.command);
    if (r.command == NIM_SETVERSION) {
      EXPECT_EQ(r.data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    } else if (r.command == NIM_ADD || r.command == NIM_MODIFY) {
      EXPECT_TRUE(r.data.uFlags & NIF_SHOWTIP);
    }
  }
  std::vector<DWORD> afterAdds;
  for (size_t i = 0; i < commands.size(); ++i)
    if (commands[i] == NIM_ADD) afterAdds.push_back(i + 1 < commands.size() ? commands[i + 1] : 0xFFFF);
  EXPECT_EQ(afterAdds, (std::vector<DWORD>{NIM_SETVERSION, NIM_SETVERSION}));
}

TEST_F(NotificationTest, ThePowerOffComesAtTheSameTickWhetherTheWarningShowsOrNot) {
  for (BOOL shellShowsIt : {TRUE, FALSE}) {
    gShellAnswer = shellShowsIt;
    power.calls.clear();
    Arm(23, 29, 59, 400);
    EXPECT_NE(Notifications().back().find("Powering off at"), std::string::npos);
    clock.Set(23, 30, 0, 300);
    PumpMessages(1300);
    EXPECT_FALSE(power.calls.empty()) << shellShowsIt;
    EXPECT_EQ(Notifications().back(), "") << "the power-off takes the warning away";
  }
}

TEST_F(NotificationTest, AResumePastTheTargetDisarmsAndSaysSoInsteadOfPoweringOff) {
  Arm(23, 29, 0, 0);
  // The computer slept through the target, and its clocks do not show the gap.
  clock.Set(23, 31, 0, 0);
  clock.wallSetBy = 119 * 1000;
  SendMessageW(app->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  PumpMessages(1300);
  EXPECT_TRUE(power.calls.empty());
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_TRUE(form->BtnStart->Enabled());
  EXPECT_EQ(Notifications().back(), "Vespermark did not power off at " + Target() +
                                        ": the computer was asleep or too busy then. The schedule is stopped.");
}

TEST_F(MainFormTest, TheSystemIsKeptAwakeOnlyWhileArmed) {
  const uint32_t awake = EsContinuous | EsSystemRequired, released = EsContinuous;
  form->TimePicker->SetTime(EncodeTime(23, 30, 0, 0));
  clock.Set(9, 0, 0, 0);
  form->BtnStart->Click();
  EXPECT_EQ(power.executionStates, (std::vector<uint32_t>{awake}));
  form->BtnStop->Click();
  EXPECT_EQ(power.executionStates, (std::vector<uint32_t>{awake, released}));

  clock.Set(23, 29, 59, 400);
  form->BtnStart->Click();
  clock.Set(23, 30, 0, 300);
  PumpMessages(1300);
  ASSERT_FALSE(power.calls.empty());
  EXPECT_EQ(power.executionStates, (std::vector<uint32_t>{awake, released, awake, released})) << "the power-off";

  clock.Set(9, 0, 0, 0);
  form->BtnStart->Click();
  app.reset();
  EXPECT_EQ(power.executionStates.size(), 6u);
  EXPECT_EQ(power.executionStates.back(), released) << "the program ends armed";
}

// --- one running copy -------------------------------------------------------------

TEST(SingleInstanceTest, ASecondStartBringsTheFirstBackFromTheTrayAndEndsWithoutAWindow) {
  ProgramProcess first;
  ASSERT_TRUE(first.Started()) << "error " << first.StartError();
  HWND window = nullptr;
  std::vector<HWND> trays;
  // The tray icon's window comes once the main window has painted.
  ASSERT_TRUE(WaitUntil([&] {
    std::vector<HWND> found = first.Windows(L"Vespermark");
    window = found.size() == 1 && IsWindowVisible(found[0]) ? found[0] : nullptr;
    trays = first.Windows(L"");
    return window != nullptr && trays.size() == 1;
  }));
  // Into the tray, as a single click on its icon sends it.
  PostMessageW(trays[0], TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDOWN);
  PostMessageW(trays[0], TTrayIcon::kCallbackMessage, 1, WM_LBUTTONUP);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));

  ProgramProcess second;
  ASSERT_TRUE(second.Started()) << "error " << second.StartError();
  EXPECT_EQ(second.WaitForExit(10000), 0) << "the second copy ends at once, having made no window (no tray icon)";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 3000)) << "the first is back";
  EXPECT_EQ(first.Windows(L"Vespermark").size(), 1u);
  EXPECT_EQ(first.Windows(L"").size(), 1u) << "one tray icon";
  HWND start = FindWindowExW(window, nullptr, nullptr, L"Start");
  EXPECT_TRUE(start && IsWindowEnabled(start)) << "the schedule is untouched";

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_NE(first.WaitForExit(10000), -1);
  // With the first gone, a start is a first start again.
  TSingleInstance alone;
  EXPECT_TRUE(alone.First());
}

}  // namespace
