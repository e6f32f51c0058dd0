#include "ui/system/cursors_win.h"

#include <array>
#include <map>
#include <string_view>

#include "ui/system/handles_win.h"
#include "ui/system/window_win.h"

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
    case -13:  // crNoDrop
    case -18: return IDC_NO;
    case -19: return IDC_APPSTARTING;
    case -20: return IDC_HELP;
    case -21: return IDC_HAND;
    default: return nullptr;
  }
}

// The drag cursor, drawn here: an arrow carrying a dotted box. 'X' is black,
// '.' white, ' ' shows what lies under it; the hot spot is the arrow's tip.
constexpr std::array<std::string_view, 24> kDragArt{
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X  X.X.X.X.X",
    "      XX   .       .",
    "           X       X",
    "           .       .",
    "           X       X",
    "           .       .",
    "           X       X",
    "           .       .",
    "           X.X.X.X.X",
};

using CursorOwner = UniqueHandle<HCURSOR, DestroyCursor>;

CursorOwner DrawnCursor(const std::array<std::string_view, 24>& art) {
  constexpr int kSize = 32, kRowBytes = kSize / 8;
  std::array<BYTE, kSize * kRowBytes> andMask, xorMask{};
  andMask.fill(0xFF);
  for (size_t y = 0; y < art.size(); ++y)
    for (size_t x = 0; x < art[y].size(); ++x) {
      if (art[y][x] == ' ') continue;
      const size_t byte = y * kRowBytes + x / 8;
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      andMask[byte] &= static_cast<BYTE>(~bit);
      if (art[y][x] == '.') xorMask[byte] |= bit;
    }
  return CursorOwner(CreateCursor(ModuleInstance(), 0, 0, kSize, kSize, andMask.data(), xorMask.data()));
}

std::map<int, LPCWSTR>& CustomCursors() {
  static std::map<int, LPCWSTR> cursors;
  return cursors;
}

}  // namespace

IdentMap<int> CursorIdents() { return kCursorIdents; }

HCURSOR CursorHandle(int cursor) {
  if (cursor == -12) {  // crDrag
    static const CursorOwner drag = DrawnCursor(kDragArt);
    return drag.Get();
  }
  const auto custom = CustomCursors().find(cursor);
  LPCWSTR id = custom != CustomCursors().end() ? custom->second : SystemCursorId(cursor);
  // System cursors are shared and never destroyed.
  return id ? LoadCursorW(nullptr, id) : nullptr;
}

void RegisterCursor(int cursor, LPCWSTR systemCursor) { CustomCursors()[cursor] = systemCursor; }
