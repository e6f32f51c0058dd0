#include "ui/graphics/program_icon_win.h"

#include <algorithm>

#include "base/exceptions.h"
#include "base/codecs/ico_file.h"
#include "base/codecs/little_endian.h"
#include "ui/system/system_library_win.h"
#include "ui/system/window_win.h"

namespace {

constexpr wchar_t kProgramIcon[] = L"MAINICON";

using GetSystemMetricsForDpiProc = int(WINAPI*)(int, UINT);

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);

// Looked up at run time: older systems lack both.
GetSystemMetricsForDpiProc MetricsForDpi() {
  static const auto proc = reinterpret_cast<GetSystemMetricsForDpiProc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  return proc;
}

int MetricForDpi(UINT dpi, int metric) {
  if (const auto metricsForDpi = MetricsForDpi(); metricsForDpi && dpi > 0)
    if (int value = metricsForDpi(metric, dpi); value > 0) return value;
  return GetSystemMetrics(metric);
}

int MetricForWindow(HWND window, int metric) {
  static const auto dpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return MetricForDpi(window && dpiForWindow ? dpiForWindow(window) : 0, metric);
}

std::span<const uint8_t> ResourceBytes(const wchar_t* name, const wchar_t* type) {
  HRSRC resource = FindResourceW(ModuleInstance(), name, type);
  HGLOBAL loaded = resource ? LoadResource(ModuleInstance(), resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const uint8_t*>(data), SizeofResource(ModuleInstance(), resource)};
}

// The group lists the program icon's images: 6 header bytes, then 14 a
// picture: its width first (0 for 256), its RT_ICON number last.
std::span<const uint8_t> IconGroup() { return ResourceBytes(kProgramIcon, RT_GROUP_ICON); }
size_t GroupCount(std::span<const uint8_t> group) {
  return group.size() < 6 ? 0 : std::min<size_t>(LoadLE16(&group[4]), (group.size() - 6) / 14);
}

bool CarriesSize(int size) {
  const std::span<const uint8_t> group = IconGroup();
  for (size_t i = 0; i < GroupCount(group); ++i)
    if ((group[6 + i * 14] == 0 ? 256 : group[6 + i * 14]) == size) return true;
  return false;
}

}  // namespace

int SmallIconSize(HWND window) { return MetricForWindow(window, SM_CXSMICON); }
int LargeIconSize(HWND window) { return MetricForWindow(window, SM_CXICON); }
int SmallIconSizeAt(UINT dpi) { return MetricForDpi(dpi, SM_CXSMICON); }
int LargeIconSizeAt(UINT dpi) { return MetricForDpi(dpi, SM_CXICON); }

IconHandle LoadProgramIcon(int size) {
  // A size the icon carries is its own picture. Any other is scaled down
  // from a larger one, which looks better than the system's nearest pick
  // (it may enlarge); that needs comctl32, bound only then.
  if (!CarriesSize(size)) {
    using LoadIconWithScaleDownProc = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    static const TLateBound<LoadIconWithScaleDownProc> scaleDown(ComCtl32Library(), "LoadIconWithScaleDown");
    HICON icon = nullptr;
    if (const auto load = scaleDown.Find(); load && SUCCEEDED(load(ModuleInstance(), kProgramIcon, size, size, &icon)))
      return IconHandle(icon);
  }
  return IconHandle(static_cast<HICON>(LoadImageW(ModuleInstance(), kProgramIcon, IMAGE_ICON, size, size, 0)));
}

bool IsProgramIconImage(std::span<const uint8_t> iconFile) {
  std::vector<IconEntry> entries;
  try {
    entries = ParseIcon(iconFile);
  } catch (const EInvalidGraphic&) {
    return false;
  }
  if (entries.size() != 1) return false;
  const std::span<const uint8_t> group = IconGroup();
  for (size_t i = 0; i < GroupCount(group); ++i) {
    const uint16_t id = LoadLE16(&group[6 + i * 14 + 12]);
    const std::span<const uint8_t> image = ResourceBytes(MAKEINTRESOURCEW(id), RT_ICON);
    if (std::ranges::equal(image, entries.front().image)) return true;
  }
  return false;
}
