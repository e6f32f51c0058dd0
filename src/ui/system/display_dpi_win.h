#pragma once
// The density (pixels per inch) of the monitor a point is on. Each monitor
// has its own on Windows 8.1 and later; before that, and where the system
// has no answer, the screen's one density counts.
#include <windows.h>

#ifndef WM_DPICHANGED  // the headers give it only for Windows 7 and later targets
#define WM_DPICHANGED 0x02E0
#endif

int MonitorPixelsPerInch(POINT point);
// The density of the monitor that holds most of the window.
int WindowPixelsPerInch(HWND window);
