#include "skin/frame/system_menu_captions_win.h"

#include <windows.h>

#include "base/utf_win.h"
#include "skin/frame/system_menu_strings.h"

namespace {

// Empty when the program carries no such string.
std::string ResourceString(UINT id) {
  const wchar_t* text = nullptr;
  // A zero length asks for a pointer to the resource's own read-only text.
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? WideToUtf8(std::wstring_view(text, static_cast<size_t>(length))) : std::string();
}

}  // namespace

const TSystemMenuCaptions& ProgramMenuCaptions() {
  static const TSystemMenuCaptions captions{
      ResourceString(IDS_MENU_MINIMIZE), ResourceString(IDS_MENU_MAXIMIZE),         ResourceString(IDS_MENU_RESTORE),
      ResourceString(IDS_MENU_ROLLUP),   ResourceString(IDS_MENU_MINIMIZE_TO_TRAY), ResourceString(IDS_MENU_CLOSE),
  };
  return captions;
}
