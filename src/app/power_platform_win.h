#pragma once
// The power-off request's calls on the real system.
#include "app/power_off.h"

class SystemPowerPlatform : public PowerPlatform {
 public:
  PlatformHandle GetCurrentProcess() override;
  bool OpenProcessToken(PlatformHandle process, uint32_t desiredAccess, PlatformHandle& token) override;
  bool LookupPrivilegeLuid(const char* systemName, const std::string& name, PrivilegeLuid& luid) override;
  bool AdjustTokenPrivileges(PlatformHandle token, bool disableAllPrivileges, const TokenPrivilegeRecord& newState,
                             uint32_t previousStateLength, TokenPrivilegeRecord* previousState,
                             uint32_t& returnLength) override;
  uint32_t GetLastError() override;
  bool ExitWindowsEx(uint32_t flags, uint32_t reason) override;
  bool FastStartupEnabled() override;
  bool CloseHandle(PlatformHandle handle) override;
  std::string ErrorText(uint32_t code) override;
  uint32_t SetThreadExecutionState(uint32_t flags) override;
};
