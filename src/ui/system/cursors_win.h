#pragma once
// Cursor numbers as forms store them, and their system cursors.
#include <windows.h>

#include <string_view>
#include <utility>

#include "persist/properties.h"

IdentMap<int> CursorIdents();
// Null for crDefault and unknown numbers.
HCURSOR CursorHandle(int cursor);
// Adds a system cursor under a number of the program's own (the link
// label's hand), loaded when first shown: not while a form is made.
void RegisterCursor(int cursor, LPCWSTR systemCursor);
