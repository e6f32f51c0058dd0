#pragma once
// The program icon ("MAINICON", drawn at many sizes) as the system wants
// it: at the icon sizes of the monitor a window is on.
#include <windows.h>

#include <cstdint>
#include <span>

#include "ui/system/handles_win.h"

// SM_CXSMICON and SM_CXICON for the window's monitor where the system
// knows per-monitor sizes (Windows 10 1607 and later), else the system's.
int SmallIconSize(HWND window);
int LargeIconSize(HWND window);
// The same for a density the window is about to take.
int SmallIconSizeAt(UINT dpi);
int LargeIconSizeAt(UINT dpi);
// The program icon's image of that size, or the nearest larger one scaled
// down; empty when the module has no program icon.
IconHandle LoadProgramIcon(int size);
// Whether icon-file data holds exactly one of the program icon's images
// (the form stores its 24-pixel one), byte for byte.
bool IsProgramIconImage(std::span<const uint8_t> iconFile);
