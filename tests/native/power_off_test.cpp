#include "app/power_off.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr PlatformHandle ProcessPseudoHandle = static_cast<PlatformHandle>(-1);
constexpr PlatformHandle OpenedToken = 0x1234;
constexpr uint32_t ErrorAccessDenied = 5;
constexpr uint32_t ErrorInvalidHandle = 6;
constexpr uint32_t ErrorPrivilegeNotHeld = 1314;

// Behaves like the system for the cases that matter: a null token makes the
// adjustment set ERROR_INVALID_HANDLE, a zero identifier or an account without
// the privilege leaves ERROR_NOT_ALL_ASSIGNED. Failing calls scribble on their
// out parameters, which the request must not trust.
class FakePowerPlatform : public PowerPlatform {
 public:
  bool OpenFails = false, LookupFails = false, AccountLacksPrivilege = false, ExitRefused = false;
  bool FastStartup = false;

  Log Calls;
  uint32_t DesiredAccess = 0;
  PlatformHandle ProcessPassed = 0;
  const char* SystemName = "unset";
  std::string PrivilegeName;
  PlatformHandle AdjustedToken = 0;
  bool DisableAll = true;
  TokenPrivilegeRecord NewState;
  uint32_t PreviousStateLength = 99, ReturnLengthOnEntry = 99;
  TokenPrivilegeRecord* PreviousState = &NewState;
  uint32_t ExitFlags = 99, ExitReason = 99;
  std::vector<PlatformHandle> Closed;

  PlatformHandle GetCurrentProcess() override {
    Calls.push_back("GetCurrentProcess");
    return ProcessPseudoHandle;
  }
  bool OpenProcessToken(PlatformHandle process, uint32_t desiredAccess,
                        PlatformHandle& token) override {
    Calls.push_back("OpenProcessToken");
    ProcessPassed = process;
    DesiredAccess = desiredAccess;
    token = OpenFails ? 0xBAD : OpenedToken;
    if (OpenFails) FLastError = ErrorAccessDenied;
    return !OpenFails;
  }
  bool LookupPrivilegeLuid(const char* systemName, const std::string& name,
                            PrivilegeLuid& luid) override {
    Calls.push_back("LookupPrivilegeValue");
    SystemName = systemName;
    PrivilegeName = name;
    luid = LookupFails ? PrivilegeLuid{0xBAD, -1} : PrivilegeLuid{19, 0};
    return !LookupFails;
  }
  bool AdjustTokenPrivileges(PlatformHandle token, bool disableAllPrivileges,
                             const TokenPrivilegeRecord& newState, uint32_t previousStateLength,
                             TokenPrivilegeRecord* previousState, uint32_t& returnLength) override {
    Calls.push_back("AdjustTokenPrivileges");
    AdjustedToken = token;
    DisableAll = disableAllPrivileges;
    NewState = newState;
    PreviousStateLength = previousStateLength;
    PreviousState = previousState;
    ReturnLengthOnEntry = returnLength;
    returnLength = 16;
    bool luidKnown = newState.Privileges[0].Luid.LowPart == 19 &&
                     newState.Privileges[0].Luid.HighPart == 0;
    if (token != OpenedToken) {
      FLastError = ErrorInvalidHandle;
      return false;
    }
    FLastError = luidKnown && !AccountLacksPrivilege ? 0 : ErrorNotAllAssigned;
    return true;
  }
  uint32_t GetLastError() override {
    Calls.push_back("GetLastError");
    return FLastError;
  }
  bool ExitWindowsEx(uint32_t flags, uint32_t reason) override {
    Calls.push_back("ExitWindowsEx");
    ExitFlags = flags;
    ExitReason = reason;
    if (ExitRefused) FLastError = ErrorPrivilegeNotHeld;
    return !ExitRefused;
  }
  bool FastStartupEnabled() override { return FastStartup; }
  bool CloseHandle(PlatformHandle handle) override {
    Calls.push_back("CloseHandle");
    Closed.push_back(handle);
    return true;
  }
  std::string ErrorText(uint32_t code) override { return "text of " + std::to_string(code); }
  uint32_t SetThreadExecutionState(uint32_t) override { return EsContinuous; }

 private:
  uint32_t FLastError = 0;
};

std::vector<PowerOffFailure> Request(FakePowerPlatform& platform) {
  std::vector<PowerOffFailure> failures;
  RequestPowerOff(platform, [&](const PowerOffFailure& failure) {
    platform.Calls.push_back("failed");
    failures.push_back(failure);
  });
  return failures;
}

}  // namespace

TEST(PowerOff, PrivilegedAccountEnablesThePrivilegeAndPowersOff) {
  FakePowerPlatform platform;
  Request(platform);
  EXPECT_EQ(platform.Calls,
            (Log{"GetCurrentProcess", "OpenProcessToken", "LookupPrivilegeValue",
                 "AdjustTokenPrivileges", "GetLastError", "ExitWindowsEx", "CloseHandle"}));
  EXPECT_EQ(platform.ProcessPassed, ProcessPseudoHandle);
  EXPECT_EQ(platform.DesiredAccess, 0x28u) << "TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, nothing more";
  EXPECT_EQ(platform.SystemName, nullptr);
  EXPECT_EQ(platform.PrivilegeName, "SeShutdownPrivilege");
  EXPECT_EQ(platform.AdjustedToken, OpenedToken);
  EXPECT_FALSE(platform.DisableAll);
  EXPECT_EQ(platform.NewState.PrivilegeCount, 1u);
  EXPECT_EQ(platform.NewState.Privileges[0].Attributes, 2u);
  EXPECT_EQ(platform.PreviousStateLength, 0u);
  EXPECT_EQ(platform.PreviousState, nullptr);
  EXPECT_EQ(platform.ReturnLengthOnEntry, 0u);
  EXPECT_EQ(platform.ExitFlags, 8u) << "EWX_POWEROFF alone without Fast Startup, never EWX_FORCE";
  EXPECT_EQ(platform.ExitReason, 0x80000000u) << "other, other, planned";
  EXPECT_EQ(platform.Closed, (std::vector<PlatformHandle>{OpenedToken}));
}

TEST(PowerOff, WithFastStartupOnThePowerOffIsAHybridShutdown) {
  FakePowerPlatform platform;
  platform.FastStartup = true;
  Request(platform);
  EXPECT_EQ(platform.ExitFlags, 0x00400000u | 0x1u | 0x8u) << "EWX_HYBRID_SHUTDOWN | EWX_SHUTDOWN | EWX_POWEROFF";
  EXPECT_EQ(platform.ExitReason, 0x80000000u);
  EXPECT_EQ(platform.DesiredAccess, 0x28u);
}

TEST(PowerOff, EveryFailedStepAddsAQuitRequestAndTheRestStillRuns) {
  FakePowerPlatform platform;
  platform.OpenFails = true;
  platform.ExitRefused = true;
  Request(platform);
  EXPECT_EQ(platform.Calls,
            (Log{"GetCurrentProcess", "OpenProcessToken", "GetLastError", "failed", "LookupPrivilegeValue",
                 "AdjustTokenPrivileges", "GetLastError", "failed", "ExitWindowsEx",
                 "GetLastError", "failed"}));
  EXPECT_EQ(platform.AdjustedToken, 0u) << "a failed open leaves no token, whatever it wrote";
  EXPECT_TRUE(platform.Closed.empty());
}

TEST(PowerOff, FailureTableByStep) {
  struct Case {
    const char* Name;
    void (*Arrange)(FakePowerPlatform&);
    Log Expected;
  };
  const Case cases[] = {
      {"lookup fails: the identifier stays zero and the error test quits",
       [](FakePowerPlatform& p) { p.LookupFails = true; },
       {"GetCurrentProcess", "OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges",
        "GetLastError", "failed", "ExitWindowsEx", "CloseHandle"}},
      {"account lacks the privilege: quit, power-off still asked and refused",
       [](FakePowerPlatform& p) {
         p.AccountLacksPrivilege = true;
         p.ExitRefused = true;
       },
       {"GetCurrentProcess", "OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges",
        "GetLastError", "failed", "ExitWindowsEx", "GetLastError", "failed", "CloseHandle"}},
      {"the system refuses the power-off",
       [](FakePowerPlatform& p) { p.ExitRefused = true; },
       {"GetCurrentProcess", "OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges",
        "GetLastError", "ExitWindowsEx", "GetLastError", "failed", "CloseHandle"}},
      {"token cannot be opened, the power-off is accepted",
       [](FakePowerPlatform& p) { p.OpenFails = true; },
       {"GetCurrentProcess", "OpenProcessToken", "GetLastError", "failed", "LookupPrivilegeValue",
        "AdjustTokenPrivileges", "GetLastError", "failed", "ExitWindowsEx"}},
  };
  for (const Case& c : cases) {
    FakePowerPlatform platform;
    c.Arrange(platform);
    Request(platform);
    EXPECT_EQ(platform.Calls, c.Expected) << c.Name;
  }
}

TEST(PowerOff, TheUserLearnsWhichStepsFailedAndWhy) {
  FakePowerPlatform platform;
  platform.OpenFails = true;
  platform.ExitRefused = true;
  std::vector<PowerOffFailure> failures = Request(platform);
  EXPECT_EQ(failures, (std::vector<PowerOffFailure>{{PowerOffStep::OpenToken, ErrorAccessDenied},
                                                    {PowerOffStep::EnablePrivilege, ErrorInvalidHandle},
                                                    {PowerOffStep::PowerOff, ErrorPrivilegeNotHeld}}));
  EXPECT_EQ(PowerOffFailureMessage(failures, platform),
            "The computer could not be powered off.\n"
            "\nOpening the process's access token failed: text of 5 (error 5)"
            "\nEnabling the shutdown privilege failed: text of 6 (error 6)"
            "\nAsking Windows to power off failed: text of 1314 (error 1314)"
            "\n\nVespermark will now close.");
  EXPECT_TRUE(PowerOffRefused(failures));
  FakePowerPlatform privileged;
  EXPECT_TRUE(Request(privileged).empty());

  // Only a step before the request failed and Windows took it: nothing says
  // the computer stays on, and the program is not closed under the shutdown.
  FakePowerPlatform noToken;
  noToken.OpenFails = true;
  failures = Request(noToken);
  EXPECT_FALSE(PowerOffRefused(failures));
  EXPECT_EQ(PowerOffFailureMessage(failures, noToken),
            "Opening the process's access token failed: text of 5 (error 5)"
            "\nEnabling the shutdown privilege failed: text of 6 (error 6)"
            "\n\nWindows accepted the power-off request all the same.");
}

TEST(PowerOff, FailedLookupPassesAZeroIdentifier) {
  FakePowerPlatform platform;
  platform.LookupFails = true;
  Request(platform);
  EXPECT_EQ(platform.NewState.Privileges[0].Luid.LowPart, 0u);
  EXPECT_EQ(platform.NewState.Privileges[0].Luid.HighPart, 0);
  EXPECT_EQ(platform.NewState.Privileges[0].Attributes, 2u);
}

TEST(OwnedTokenTest, ClosesItsHandleExactlyOnceWhereverItMoves) {
  FakePowerPlatform platform;
  {
    OwnedToken first(platform, 7);
    OwnedToken second(std::move(first));
    EXPECT_EQ(first.Get(), 0u);
    EXPECT_EQ(second.Get(), 7u);
    OwnedToken third(platform, 8);
    third = std::move(second);  // closes 8 at once
    EXPECT_EQ(platform.Closed, (std::vector<PlatformHandle>{8}));
    OwnedToken none(platform, 0);
  }
  EXPECT_EQ(platform.Closed, (std::vector<PlatformHandle>{8, 7}));
}
