#pragma once
// A small popup that shows a text at a screen rectangle, like a tooltip,
// without ever taking the activation.
#include <string>

#include "ui/system/window_win.h"

class THintWindow : public TWindowObject {
 public:
  THintWindow() = default;
  ~THintWindow() override;

  // The size the text needs, lines broken at CR/LF and words at maxWidth.
  RECT CalcHintRect(int maxWidth, const std::string& text);
  // Shows the text with the window's top-left at the rectangle's.
  void ActivateHint(const RECT& screenRect, const std::string& text);
  // Destroys the window; the object stays for reuse.
  void ReleaseHandle();
  bool Showing() const;
  // The top-left corner of the shown window.
  POINT Origin() const;
  const std::string& Text() const { return FText; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Whether the window is made with the system's 1-pixel border; a look
  // that draws its own edges paints over the whole window instead.
  virtual bool HasBorder() const { return true; }

 private:
  std::string FText;
};
