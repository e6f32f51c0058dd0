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

void RequestPowerOff(PowerPlatform& platform, const std::function<void()>& terminate) {
  // Each step runs whatever happened before it; a failure only adds a quit request.
  PlatformHandle process = platform.GetCurrentProcess();
  PlatformHandle opened = 0;
  if (!platform.OpenProcessToken(process, ShutdownTokenAccess, opened)) {
    opened = 0;  // whatever a failed call left there is no token of ours
    terminate();
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
  if (platform.GetLastError() != 0) terminate();

  // Made even without the privilege: where the system needs it, it refuses.
  if (!platform.ExitWindowsEx(EwxPowerOff, NoShutdownReason)) terminate();
}
