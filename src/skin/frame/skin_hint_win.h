#pragma once
// The hint of a frame's object: a window drawn from the skin's hint picture
// ([HINTWINDOW]) with the text in its client area, or the plain hint window
// when the skin has no such picture. TSkinHint is the component a form can
// name as its frame's hint, with a skin of its own.
#include <string>

#include "persist/component.h"
#include "skin/pixels/pixel_buffer.h"
#include "skin/data/skin_data.h"
#include "ui/graphics/font.h"
#include "ui/system/handles_win.h"
#include "ui/hint_window_win.h"

class TSkinHintWindow : public THintWindow {
 public:
  // The text with the window's top-left at `at` (screen); drawn from `skin`, which may be null.
  void ShowText(const TSkinData* skin, POINT at, const std::string& text);
  void Hide() { ReleaseHandle(); }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The picture is the whole window.
  bool HasBorder() const override { return FPicture.Width() == 0; }

 private:
  // The window's region; none for the whole rectangle.
  void SetShape(RegionHandle region);
  PixelImage FPicture;  // the skin's hint picture fitted to the window; empty for the plain look
  TRect FTextArea;
  TFont FFont;
};

class TSkinHint : public TComponent {
 public:
  explicit TSkinHint(TComponent* owner) : TComponent(owner) {}
  std::string_view ClassName() const override { return "TSkinHint"; }
  const PropertyTable& Properties() const override;

  TSkinData* SkinData() const { return FSkinData.Get(); }
  void SetSkinData(TSkinData* value) { FSkinData.Set(*this, value); }
  // Drawn from this hint's skin, or from `fallback` when it has none.
  void ActivateHint(POINT at, const std::string& text, const TSkinData* fallback);
  void HideHint() { FWindow.Hide(); }
  const TSkinHintWindow& Window() const { return FWindow; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  ComponentRef<TSkinData> FSkinData;
  TSkinHintWindow FWindow;
};
