#pragma once
// What the window layer gives the portable skin engine, without a window:
// a frame whose commands only change its state, and canvases that measure
// text at a fixed width per byte and mark where text goes.
#include <string>
#include <string_view>

#include "skin/frame/caption_objects.h"
#include "skin/menu/menu_paint.h"

class EngineMenu : public TObjectMenu {
 public:
  bool HasSubItems() const override { return true; }
};

class EngineFrame : public TObjectFrame {
 public:
  void CloseForm() override {}
  bool IsMaximized() const override { return Maximized; }
  bool IsMinimized() const override { return Minimized; }
  void Maximize() override { Maximized = true; }
  void Minimize() override { Minimized = true; }
  void Restore() override { Maximized = Minimized = false; }
  bool IsRolledUp() const override { return RolledUp; }
  void SetRolledUp(bool value) override { RolledUp = value; }
  bool AlwaysMinimizeToTray() const override { return ToTray; }
  void MinimizeToTray() override {}
  TObjectMenu* SystemMenuItems() override { return &Menu; }

  // The window layer repaints the whole frame; the walk draws on its own.
  void RedrawObject(TActiveSkinObject&) override {}
  bool IsFormActive() const override { return Active; }
  void StartMorphTimer() override {}
  void StartAnimateTimer() override {}
  bool ShowIcon() const override { return Icon; }
  // Long enough to be cut, with a character of more than one byte.
  std::string CaptionText() const override { return "Vespermark \xE2\x80\x94 power off at 23:59"; }
  void PopUpItems(TObjectMenu&, TRect) override {}
  void RepaintFrame() override {}

  EngineMenu Menu;
  bool Active = true, Maximized = false, Minimized = false, RolledUp = false, ToTray = false, Icon = false;
};

// Marks the first pixel of each text, so that the place is written to.
inline void MarkText(PixelView target, int x, int y, TColor color) {
  if (target.Contains(x, y)) target.Set(x, y, BgrOf(color));
}

class EngineCanvas : public TObjectCanvas {
 public:
  using TObjectCanvas::TObjectCanvas;
  void SelectCaptionFont(const TSkinCaptionObject&) override {}
  int TextWidth(std::string_view text) override { return 6 * int(text.size()); }
  int TextHeight() override { return 14; }
  void DrawText(PixelView target, int x, int y, std::string_view, TColor color) override {
    MarkText(target, x, y, color);
  }
  void DrawFormIcon(TRect rect) override { MarkText(Pixels, rect.Left, rect.Top, clBtnText); }
};

class EngineMenuText : public TMenuTextCanvas {
 public:
  int TextWidth(std::string_view text) override { return 7 * int(text.size()); }
  int TextHeight() override { return 16; }
  void DrawMenuText(PixelView target, int x, int y, std::string_view, TColor color) override {
    MarkText(target, x, y, color);
  }
};
