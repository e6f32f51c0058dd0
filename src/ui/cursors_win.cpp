#include "ui/cursors_win.h"

#include <array>
#include <map>

namespace {

constexpr std::array<std::pair<std::string_view, int>, 22> kCursorIdents{{
    {"crDefault", 0}, {"crNone", -1}, {"crArrow", -2}, {"crCross", -3}, {"crIBeam", -4},
    {"crSize", -22}, {"crSizeNESW", -6}, {"crSizeNS", -7}, {"crSizeNWSE", -8}, {"crSizeWE", -9},
    {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12}, {"crNoDrop", -13}, {"crHSplit", -14},
    {"crVSplit", -15}, {"crMultiDrag", -16}, {"crSQLWait", -17}, {"crNo", -18}, {"crAppStart", -19},
    {"crHelp", -20}, {"crHandPoint", -21},
}};

LPCWSTR SystemCursorId(int cursor) {
  switch (cursor) {
    case -2: return IDC_ARROW;
    case -3: return IDC_CROSS;
    case -4: return IDC_IBEAM;
    case -22: return IDC_SIZEALL;
    case -6: return IDC_SIZENESW;
    case -7: return IDC_SIZENS;
    case -8: return IDC_SIZENWSE;
    case -9: return IDC_SIZEWE;
    case -10: return IDC_UPARROW;
    case -11: return IDC_WAIT;
    case -18: return IDC_NO;
    case -19: return IDC_APPSTARTING;
    case -20: return IDC_HELP;
    case -21: return IDC_HAND;
    default: return nullptr;
  }
}

std::map<int, HCURSOR>& CustomCursors() {
  static std::map<int, HCURSOR> cursors;
  return cursors;
}

}  // namespace

IdentMap<int> CursorIdents() { return kCursorIdents; }

HCURSOR CursorHandle(int cursor) {
  if (auto it = CustomCursors().find(cursor); it != CustomCursors().end()) return it->second;
  LPCWSTR id = SystemCursorId(cursor);
  // System cursors are shared and never destroyed.
  return id ? LoadCursorW(nullptr, id) : nullptr;
}

void RegisterCursor(int cursor, HCURSOR handle) { CustomCursors()[cursor] = handle; }
