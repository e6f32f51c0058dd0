#pragma once
// A frame and a canvas for the caption object tests: the frame records the
// commands, events and repaints it is asked for; the canvas measures text
// at 6 pixels a character and marks where text is drawn.
#include <string>
#include <utility>
#include <vector>

#include "skin/frame/caption_objects.h"

class FakeMenu : public TObjectMenu {
 public:
  bool HasSubItems() const override { return true; }
};

class FakeFrame : public TObjectFrame {
 public:
  void CloseForm() override { Log.push_back("close"); }
  bool IsMaximized() const override { return Maximized; }
  bool IsMinimized() const override { return Minimized; }
  void Maximize() override { Log.push_back("maximize"), Maximized = true; }
  void Minimize() override { Log.push_back("minimize"), Minimized = true; }
  void Restore() override { Log.push_back("restore"), Maximized = Minimized = false; }
  bool IsRolledUp() const override { return RolledUp; }
  void SetRolledUp(bool value) override { Log.push_back(value ? "rollup" : "unroll"), RolledUp = value; }
  bool AlwaysMinimizeToTray() const override { return ToTray; }
  void MinimizeToTray() override { Log.push_back("tray"); }
  TObjectMenu* SystemMenuItems() override { return &SystemMenu; }

  void RedrawObject(TActiveSkinObject&) override { ++Redraws; }
  bool IsFormActive() const override { return Active; }
  void StartMorphTimer() override { MorphTimer = true; }
  void StartAnimateTimer() override { AnimateTimer = true; }
  bool ShowIcon() const override { return Icon; }
  std::string CaptionText() const override { return Caption; }
  void PopUpItems(TObjectMenu& items, TRect rect) override {
    Log.push_back(&items == &SystemMenu ? "popup system" : "popup items");
    PopUpRect = rect;
  }
  void RepaintFrame() override { Log.push_back("repaint"); }

  void MouseDownEvent(const std::string& id, int, int, TRect, int button) override {
    Log.push_back("down " + id + " " + std::to_string(button));
  }
  void MouseUpEvent(const std::string& id, int, int, TRect, int) override { Log.push_back("up " + id); }
  void MouseEnterEvent(const std::string& id) override { Log.push_back("enter " + id); }
  void MouseLeaveEvent(const std::string& id) override { Log.push_back("leave " + id); }
  void ActivationEvent(bool active) override { Log.push_back(active ? "activate" : "deactivate"); }
  void ShowObjectHint(const std::string& hint) override { Log.push_back("hint " + hint); }

  // The log from here on.
  std::vector<std::string> Take() { return std::exchange(Log, {}); }

  std::vector<std::string> Log;
  FakeMenu SystemMenu;
  TRect PopUpRect;
  bool Active = true, Maximized = false, Minimized = false, RolledUp = false, ToTray = false, Icon = false;
  bool MorphTimer = false, AnimateTimer = false;
  int Redraws = 0;
  std::string Caption = "Vespermark";
};

struct DrawnText {
  std::string Text;
  int X = 0, Y = 0;
  TColor Color = 0;
};

class FakeCanvas : public TObjectCanvas {
 public:
  using TObjectCanvas::TObjectCanvas;
  void SelectCaptionFont(const TSkinCaptionObject&) override {}
  int TextWidth(std::string_view text) override { return 6 * int(text.size()); }
  int TextHeight() override { return 14; }
  // Marks the text's top-left pixel with its colour's red.
  void DrawText(PixelView target, int x, int y, std::string_view text, TColor color) override {
    Texts.push_back({std::string(text), x, y, color});
    if (target.Contains(x, y)) target.Set(x, y, {1, 2, RedOf(color)});
  }
  void DrawFormIcon(TRect rect) override { Icons.push_back(rect); }

  std::vector<DrawnText> Texts;
  std::vector<TRect> Icons;
};
