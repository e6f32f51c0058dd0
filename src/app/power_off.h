#pragma once
// Asking the system to power the machine off, with the shutdown privilege
// enabled in the process's own token first. Each failed step is handed to
// the caller, which tells the user; when the system refused the request the
// program ends, since a window that only vanished would look like a
// power-off that worked. Once the request is accepted the program stays for
// the shutdown to end it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using PlatformHandle = uintptr_t;

// The platform's privilege identifier, record entry and one-entry privilege
// record, field for field.
struct PrivilegeLuid {
  uint32_t LowPart = 0;
  int32_t HighPart = 0;
};

struct PrivilegeEntry {
  PrivilegeLuid Luid;
  uint32_t Attributes = 0;
};

struct TokenPrivilegeRecord {
  uint32_t PrivilegeCount = 0;
  PrivilegeEntry Privileges[1];
};

static_assert(sizeof(PrivilegeLuid) == 8 && sizeof(PrivilegeEntry) == 12 &&
              sizeof(TokenPrivilegeRecord) == 16);

// Only what the privilege change needs: TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY.
inline constexpr uint32_t ShutdownTokenAccess = 0x20 | 0x08;
inline constexpr char ShutdownPrivilegeName[] = "SeShutdownPrivilege";
inline constexpr uint32_t SePrivilegeEnabled = 2;
inline constexpr uint32_t EwxShutdown = 0x1;
inline constexpr uint32_t EwxPowerOff = 0x8;
inline constexpr uint32_t EwxHybridShutdown = 0x00400000;
// SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED:
// the event log records the power-off as planned.
inline constexpr uint32_t PlannedShutdownReason = 0x00000000 | 0x00000000 | 0x80000000;
inline constexpr uint32_t ErrorNotAllAssigned = 1300;
// SetThreadExecutionState flags: the state lasts until changed, and the
// system is kept out of idle sleep (the display may still turn off).
inline constexpr uint32_t EsContinuous = 0x80000000;
inline constexpr uint32_t EsSystemRequired = 0x00000001;

// The system calls the request makes, one to one, so that each can be
// observed and made to fail.
struct PowerPlatform {
  virtual ~PowerPlatform() = default;
  virtual PlatformHandle GetCurrentProcess() = 0;
  virtual bool OpenProcessToken(PlatformHandle process, uint32_t desiredAccess,
                                PlatformHandle& token) = 0;
  // A null systemName means the local system.
  virtual bool LookupPrivilegeLuid(const char* systemName, const std::string& name,
                                    PrivilegeLuid& luid) = 0;
  virtual bool AdjustTokenPrivileges(PlatformHandle token, bool disableAllPrivileges,
                                     const TokenPrivilegeRecord& newState,
                                     uint32_t previousStateLength,
                                     TokenPrivilegeRecord* previousState,
                                     uint32_t& returnLength) = 0;
  virtual uint32_t GetLastError() = 0;
  virtual bool ExitWindowsEx(uint32_t flags, uint32_t reason) = 0;
  // Whether Fast Startup is on (Windows 8 and later), so that a power-off
  // should be the hybrid one the Start menu makes.
  virtual bool FastStartupEnabled() = 0;
  virtual bool CloseHandle(PlatformHandle handle) = 0;
  // The system's text for an error code, in the user's language.
  virtual std::string ErrorText(uint32_t code) = 0;
  // Keeps the system awake while the schedule is armed; answers the
  // previous state, 0 on failure.
  virtual uint32_t SetThreadExecutionState(uint32_t flags) = 0;
};

enum class PowerOffStep { OpenToken, EnablePrivilege, PowerOff };

struct PowerOffFailure {
  PowerOffStep Step;
  uint32_t ErrorCode = 0;
  bool operator==(const PowerOffFailure&) const = default;
};

// Owns an opened token and closes it through the platform when it goes away.
class OwnedToken {
 public:
  OwnedToken(PowerPlatform& platform, PlatformHandle handle);
  OwnedToken(OwnedToken&& other) noexcept;
  OwnedToken& operator=(OwnedToken&& other) noexcept;
  OwnedToken(const OwnedToken&) = delete;
  OwnedToken& operator=(const OwnedToken&) = delete;
  ~OwnedToken();

  PlatformHandle Get() const { return FHandle; }

 private:
  void Close();

  PowerPlatform* FPlatform;
  PlatformHandle FHandle;
};

// Every step runs whatever happened before it; `failed` is called for each
// step that failed, so possibly more than once in one request.
void RequestPowerOff(PowerPlatform& platform, const std::function<void(const PowerOffFailure&)>& failed);

// Whether the system refused the power-off itself (not only a step before it).
bool PowerOffRefused(const std::vector<PowerOffFailure>& failures);

// What to tell the user: which steps failed, each with the system's text,
// and whether the computer is left running.
std::string PowerOffFailureMessage(const std::vector<PowerOffFailure>& failures, PowerPlatform& platform);
