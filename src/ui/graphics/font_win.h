#pragma once
#include "ui/graphics/font.h"
#include "ui/system/handles_win.h"

// A GDI font for a font description.
FontHandle CreateFontHandle(const TFont& font);
