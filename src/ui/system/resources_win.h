#pragma once
// The program's own RCDATA resources and the user's locale texts.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The bytes of an RCDATA resource of this module; none when it is missing.
std::optional<std::span<const uint8_t>> RCDataResource(const wchar_t* name);

// A text of the user's regional settings (time format, AM/PM designators).
std::string UserLocaleText(LCTYPE type, const char* fallback);
