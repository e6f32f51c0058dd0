#pragma once
// The outline a dock drag shows where the control would land: a frame of
// the control's size, above every window, that neither takes the mouse nor
// hides what lies under it.
#include "ui/system/window_win.h"

class TDockOutline : public TWindowObject {
 public:
  ~TDockOutline() override;
  void Show(const RECT& screen);
  void Hide();

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetFrameShape(int width, int height);
  SIZE FShapeSize{};
};
