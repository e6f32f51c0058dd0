#include "ui/system/resources_win.h"

#include "base/utf_win.h"
#include "ui/system/window_win.h"

std::optional<std::span<const uint8_t>> RCDataResource(const wchar_t* name) {
  HRSRC resource = FindResourceW(ModuleInstance(), name, MAKEINTRESOURCEW(10));
  HGLOBAL loaded = resource ? LoadResource(ModuleInstance(), resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::span<const uint8_t>(static_cast<const uint8_t*>(data), SizeofResource(ModuleInstance(), resource));
}

std::string UserLocaleText(LCTYPE type, const char* fallback) {
  wchar_t buffer[128];
  int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 128);
  if (length <= 1) return fallback;
  return WideToUtf8(std::wstring_view(buffer, static_cast<size_t>(length - 1)));
}
