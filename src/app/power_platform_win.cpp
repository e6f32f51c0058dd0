#include "app/power_platform_win.h"

#include <windows.h>
#include <versionhelpers.h>

#include <cstring>

#include "base/utf_win.h"

static_assert(sizeof(TokenPrivilegeRecord) == sizeof(TOKEN_PRIVILEGES));
static_assert(sizeof(PrivilegeLuid) == sizeof(LUID));
static_assert(ShutdownTokenAccess == (TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY));
static_assert(EwxShutdown == EWX_SHUTDOWN && EwxPowerOff == EWX_POWEROFF && EwxHybridShutdown == EWX_HYBRID_SHUTDOWN);
static_assert(PlannedShutdownReason ==
              (SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED));
static_assert(EsContinuous == ES_CONTINUOUS && EsSystemRequired == ES_SYSTEM_REQUIRED);

PlatformHandle SystemPowerPlatform::GetCurrentProcess() {
  return reinterpret_cast<PlatformHandle>(::GetCurrentProcess());
}

bool SystemPowerPlatform::OpenProcessToken(PlatformHandle process, uint32_t desiredAccess, PlatformHandle& token) {
  HANDLE handle = nullptr;
  bool ok = ::OpenProcessToken(reinterpret_cast<HANDLE>(process), desiredAccess, &handle) != FALSE;
  token = reinterpret_cast<PlatformHandle>(handle);
  return ok;
}

bool SystemPowerPlatform::LookupPrivilegeLuid(const char* systemName, const std::string& name, PrivilegeLuid& luid) {
  LUID value{};
  std::wstring system = systemName ? Utf8ToWide(systemName) : std::wstring();
  bool ok = ::LookupPrivilegeValueW(systemName ? system.c_str() : nullptr, Utf8ToWide(name).c_str(), &value) != FALSE;
  luid.LowPart = value.LowPart;
  luid.HighPart = value.HighPart;
  return ok;
}

bool SystemPowerPlatform::AdjustTokenPrivileges(PlatformHandle token, bool disableAllPrivileges,
                                                const TokenPrivilegeRecord& newState, uint32_t previousStateLength,
                                                TokenPrivilegeRecord* previousState, uint32_t& returnLength) {
  TOKEN_PRIVILEGES state;
  std::memcpy(&state, &newState, sizeof state);
  DWORD length = 0;
  BOOL ok = ::AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), disableAllPrivileges, &state,
                                    previousStateLength, reinterpret_cast<PTOKEN_PRIVILEGES>(previousState), &length);
  returnLength = length;
  return ok != FALSE;
}

uint32_t SystemPowerPlatform::GetLastError() { return ::GetLastError(); }

bool SystemPowerPlatform::ExitWindowsEx(uint32_t flags, uint32_t reason) { return ::ExitWindowsEx(flags, reason) != FALSE; }

bool SystemPowerPlatform::FastStartupEnabled() {
  // Older systems know neither the setting nor the hybrid flag.
  if (!IsWindows8OrGreater()) return false;
  DWORD value = 0, size = sizeof value;
  return RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Power",
                      L"HiberbootEnabled", RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS &&
         value == 1;
}

bool SystemPowerPlatform::CloseHandle(PlatformHandle handle) {
  return ::CloseHandle(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

std::string SystemPowerPlatform::ErrorText(uint32_t code) {
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide = length ? std::wstring(text, length) : L"unknown error";
  LocalFree(text);
  // The system ends its texts with a line break and often a full stop.
  while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ' || wide.back() == L'.'))
    wide.pop_back();
  return WideToUtf8(wide);
}

uint32_t SystemPowerPlatform::SetThreadExecutionState(uint32_t flags) { return ::SetThreadExecutionState(flags); }
