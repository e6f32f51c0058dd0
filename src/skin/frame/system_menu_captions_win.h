#pragma once
// The built-in menu items' captions, read once from the program's string table.
#include "skin/frame/system_menu_items.h"

const TSystemMenuCaptions& ProgramMenuCaptions();
