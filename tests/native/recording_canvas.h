#pragma once
// A frame canvas for tests: logs every call and rasterises the pen lines and
// pixels into a pixel map, so a test can check both the calls and the picture.
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"
#include "panel/frame_canvas.h"

class RecordingCanvas : public FrameCanvas {
 public:
  void SetPenColor(TColor color) override {
    FPenColor = color;
    Ops.push_back("pen " + ColorName(color));
  }
  void SetPenWidth(int width) override {
    FPenWidth = width;
    Ops.push_back("width " + std::to_string(width));
  }
  void MoveTo(int x, int y) override {
    FPosition = {x, y};
    Ops.push_back("move " + Coords(x, y));
  }
  void LineTo(int x, int y) override {
    Ops.push_back("line " + Coords(x, y));
    if (FPenColor == clNone) throw std::logic_error("line drawn with clNone");
    if (FPenWidth != 1) throw std::logic_error("line drawn with pen width " + std::to_string(FPenWidth));
    if (FPosition.X != x && FPosition.Y != y) throw std::logic_error("slanted line");
    // The end point itself is left out, as GDI does.
    const int dx = x > FPosition.X ? 1 : x < FPosition.X ? -1 : 0;
    const int dy = y > FPosition.Y ? 1 : y < FPosition.Y ? -1 : 0;
    for (TPoint p = FPosition; p.X != x || p.Y != y; p.X += dx, p.Y += dy) Pixels[{p.X, p.Y}] = FPenColor;
    FPosition = {x, y};
  }
  void SetPixel(int x, int y, TColor color) override {
    Ops.push_back("pixel " + Coords(x, y) + " " + ColorName(color));
    if (color == clNone) throw std::logic_error("pixel set to clNone");
    Pixels[{x, y}] = color;
  }

  // One character per pixel of `area`, rows ending in '\n': the legend's
  // character for a known colour, '?' for another, '.' where nothing was drawn.
  std::string Picture(TRect area, const std::map<TColor, char>& legend) const {
    std::string picture;
    for (int y = area.Top; y < area.Bottom; ++y) {
      for (int x = area.Left; x < area.Right; ++x) {
        const auto pixel = Pixels.find({x, y});
        if (pixel == Pixels.end())
          picture += '.';
        else if (const auto known = legend.find(pixel->second); known != legend.end())
          picture += known->second;
        else
          picture += '?';
      }
      picture += '\n';
    }
    return picture;
  }

  // Log entries that drew something ("line" and "pixel").
  int DrawCalls() const {
    int count = 0;
    for (const std::string& op : Ops) count += op.starts_with("line") || op.starts_with("pixel");
    return count;
  }

  std::vector<std::string> Ops;
  std::map<std::pair<int, int>, TColor> Pixels;

 private:
  static std::string Coords(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  static std::string ColorName(TColor color) {
    if (const auto ident = ColorToIdent(color)) return std::string(*ident);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(color));
    return hex;
  }

  TColor FPenColor = clBlack;
  int FPenWidth = 1;
  TPoint FPosition;
};
