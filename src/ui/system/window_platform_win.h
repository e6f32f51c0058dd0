#pragma once
// Layered-window alpha and the monitor area a window lives on.
#include <windows.h>

#include <cstdint>

#include "base/geometry.h"

// Windows 2000 (5.0) and later have layered windows.
bool IsLayeredAlphaSupported();
// The window must have the layered extended style already.
void SetWindowAlpha(HWND window, uint8_t alpha);
// Adds or removes the layered extended style.
void SetLayeredStyle(HWND window, bool layered);
// Raises a layered window's alpha from `step` by `step` up to `target`, which it ends on.
void FadeWindowAlpha(HWND window, int step, uint8_t target);
// The work area (or the whole area) of the monitor nearest the window.
TRect GetMonitorArea(HWND window, bool workArea);
// The same for the monitor nearest a screen point.
TRect GetMonitorAreaAt(TPoint point, bool workArea);
// The window's rectangle on the screen.
TRect WindowBounds(HWND window);
