#include "app/check_mode_win.h"

#include <windows.h>

#include <string>

#include "app/form1_win.h"
#include "app/power_platform_win.h"
#include "base/utf_win.h"
#include "tray/tray_icon_win.h"

namespace {

constexpr wchar_t kVariable[] = L"VESPERMARK_CHECK_REPORT";
constexpr char kFirstLine[] = "Vespermark windows-check";
constexpr ULONGLONG kFreshFor100ns = 10ULL * 60 * 10'000'000;

std::wstring gReport;

void Report(const std::string& line) {
  HANDLE file = CreateFileW(gReport.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// By hand: printf's formatter alone would add 20 KB to the program.
std::string Hex(unsigned value) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789ABCDEF"[value % 16]);
    value /= 16;
  } while (value);
  return "0x" + digits;
}

// Whether the file is the check's own, made just now.
bool IsFreshReport(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char head[sizeof kFirstLine - 1] = {};
  DWORD read = 0;
  FILETIME written{};
  const bool ok = ReadFile(file, head, sizeof head, &read, nullptr) && read == sizeof head &&
                  GetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
  if (!ok || std::string(head, sizeof head) != kFirstLine) return false;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const ULONGLONG then = (ULONGLONG{written.dwHighDateTime} << 32) | written.dwLowDateTime;
  const ULONGLONG current = (ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime;
  return current >= then && current - then < kFreshFor100ns;
}

std::string IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return "none";
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  // A mask-only icon holds its mask and image one above the other.
  const int height = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return std::to_string(bitmap.bmWidth) + "x" + std::to_string(height);
}

BOOL WINAPI RecordingShellNotifyIcon(DWORD command, PNOTIFYICONDATAW data) {
  const BOOL ok = SystemShellNotifyIcon(command, data);
  static const char* const kNames[] = {"add", "modify", "delete", "focus", "setversion"};
  std::string line = std::string("tray ") + (command < 5 ? kNames[command] : "other") + " ok=" + (ok ? "1" : "0");
  if (command == NIM_SETVERSION) line += " version=" + std::to_string(data->uVersion);
  if (command == NIM_ADD || command == NIM_MODIFY)
    line += " flags=" + Hex(data->uFlags) + " icon=" + IconSize(data->hIcon);
  Report(line);
  return ok;
}

// The system's calls, but for the power-off itself.
class CheckPowerPlatform : public SystemPowerPlatform {
 public:
  bool ExitWindowsEx(uint32_t flags, uint32_t reason) override {
    Report("power-off flags=" + Hex(flags) + " reason=" + Hex(reason) + " (not done: check)");
    return true;
  }
};

class ActiveCheckMode : public CheckMode {
 public:
  ActiveCheckMode() {
    SetPowerPlatform(&FPlatform);
    ActiveShellNotifyIcon() = RecordingShellNotifyIcon;
    Report("check-mode on pid=" + std::to_string(GetCurrentProcessId()));
  }
  ~ActiveCheckMode() override {
    ActiveShellNotifyIcon() = SystemShellNotifyIcon;
    SetPowerPlatform(nullptr);
    Report("check-mode off");
  }

 private:
  CheckPowerPlatform FPlatform;
};

}  // namespace

std::unique_ptr<CheckMode> CheckMode::FromEnvironment() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(kVariable, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || !IsFreshReport(path)) return nullptr;
  gReport = path;
  return std::make_unique<ActiveCheckMode>();
}
