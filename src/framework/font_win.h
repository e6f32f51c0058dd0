#pragma once
#include "framework/font.h"
#include "framework/handles_win.h"

// A GDI font for a font description.
FontHandle CreateFontHandle(const TFont& font);
