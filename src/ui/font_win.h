#pragma once
#include "ui/font.h"
#include "ui/handles_win.h"

// A GDI font for a font description.
FontHandle CreateFontHandle(const TFont& font);
