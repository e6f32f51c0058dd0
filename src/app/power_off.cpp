#include "app/power_off.h"

#include <utility>

OwnedToken::OwnedToken(PowerPlatform& platform, PlatformHandle handle)
    : FPlatform(&platform), FHandle(handle) {}

OwnedToken::OwnedToken(OwnedToken&& other) noexcept
    : FPlatform(other.FPlatform), FHandle(std::exchange(other.FHandle, 0)) {}

OwnedToken& OwnedToken::operator=(OwnedToken&& other) noexcept {
  if (this != &other) {
    Close();
    FPlatform = other.FPlatform;
    FHandle = std::exchange(other.FHandle, 0);
  }
  return *this;
}

OwnedToken::~OwnedToken() { Close(); }

void OwnedToken::Close() {
  if (FHandle != 0) FPlatform->CloseHandle(std::exchange(FHandle, 0));
}

namespace {

// With Fast Startup on, the Start menu's power-off is a hybrid shutdown.
uint32_t PowerOffFlags(bool fastStartup) {
  return fastStartup ? EwxHybridShutdown | EwxShutdown | EwxPowerOff : EwxPowerOff;
}

}  // namespace

void RequestPowerOff(PowerPlatform& platform, const std::function<void(const PowerOffFailure&)>& failed) {
  PlatformHandle process = platform.GetCurrentProcess();
  PlatformHandle opened = 0;
  if (!platform.OpenProcessToken(process, ShutdownTokenAccess, opened)) {
    opened = 0;  // whatever a failed call left there is no token of ours
    failed({PowerOffStep::OpenToken, platform.GetLastError()});
  }
  OwnedToken token(platform, opened);

  TokenPrivilegeRecord privileges;
  // A failed look-up must leave the identifier zero, not whatever the call wrote.
  if (!platform.LookupPrivilegeLuid(nullptr, ShutdownPrivilegeName, privileges.Privileges[0].Luid))
    privileges.Privileges[0].Luid = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SePrivilegeEnabled;
  uint32_t returnLength = 0;

  // The adjustment "succeeds" without the privilege (ERROR_NOT_ALL_ASSIGNED),
  // so only the last error tells.
  platform.AdjustTokenPrivileges(token.Get(), false, privileges, 0, nullptr, returnLength);
  if (uint32_t error = platform.GetLastError(); error != 0) failed({PowerOffStep::EnablePrivilege, error});

  // Made even without the privilege: where the system needs it, it refuses.
  if (!platform.ExitWindowsEx(PowerOffFlags(platform.FastStartupEnabled()), PlannedShutdownReason))
    failed({PowerOffStep::PowerOff, platform.GetLastError()});
}

bool PowerOffRefused(const std::vector<PowerOffFailure>& failures) {
  for (const PowerOffFailure& failure : failures)
    if (failure.Step == PowerOffStep::PowerOff) return true;
  return false;
}

std::string PowerOffFailureMessage(const std::vector<PowerOffFailure>& failures, PowerPlatform& platform) {
  bool refused = PowerOffRefused(failures);
  std::string message = refused ? "The computer could not be powered off.\n" : "";
  for (const PowerOffFailure& failure : failures) {
    const char* step = failure.Step == PowerOffStep::OpenToken         ? "Opening the process's access token"
                       : failure.Step == PowerOffStep::EnablePrivilege ? "Enabling the shutdown privilege"
                                                                       : "Asking Windows to power off";
    if (!message.empty()) message += "\n";
    message += std::string(step) + " failed: " + platform.ErrorText(failure.ErrorCode) + " (error " +
               std::to_string(failure.ErrorCode) + ")";
  }
  return message + (refused ? "\n\nVespermark will now close."
                            : "\n\nWindows accepted the power-off request all the same.");
}
