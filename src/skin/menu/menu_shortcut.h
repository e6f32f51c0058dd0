#pragma once
// A menu item's shortcut as form streams store it (a virtual key in the low
// byte, Shift 0x2000, Ctrl 0x4000, Alt 0x8000) and as the menu shows it.
#include <cstdint>
#include <string>

// "Ctrl+S", "Shift+Alt+F4"...; empty for no key or a key without a name.
std::string ShortCutText(uint16_t shortCut);
