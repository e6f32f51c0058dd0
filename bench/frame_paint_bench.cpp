// Times the main window's skinned frame under the real GDI: one full frame
// paint (WM_NCPAINT: strips composed, objects drawn, four strips copied),
// one resize (new points, objects laid out, the mask's shape rebuilt), and
// opening a ten-item skinned menu (items measured, window sized, shaped,
// placed, shown and painted once). Prints the median and quartiles of each.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <string>

#include "app/form1_win.h"
#include "skin/data/skin_notices_win.h"
#include "skin/frame/skin_form_win.h"
#include "skin/frame/skin_frame_win.h"
#include "ui/application_win.h"

namespace {

// `reset` runs between the timed steps, untimed.
template <class Step, class Reset = void (*)()>
void Time(const char* what, Step step, Reset reset = [] {}) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> micros;
  for (int i = 0; i < 600; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    step(i);
    GdiFlush();
    QueryPerformanceCounter(&end);
    if (i >= 50) micros.push_back((end.QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart);
    reset();
  }
  std::sort(micros.begin(), micros.end());
  auto at = [&](double q) { return micros[static_cast<size_t>(q * (micros.size() - 1))]; };
  std::printf("%s (%zu runs): median %.0f us, p25 %.0f us, p75 %.0f us\n", what, micros.size(), at(0.5), at(0.25),
              at(0.75));
}

}  // namespace

int main() {
  RegisterMainFormClasses();
  // As the program does: skin loads reach the frame and the buttons.
  ScopedSkinNoticeSink skinNotices(WindowSkinNotices());
  TApplication app;
  TForm1* form = app.CreateForm<TForm1>();
  form->Show();
  app.ProcessMessages();
  HWND window = form->Handle();
  if (!form->SkinForm1->Frame()->SkinActive()) {
    std::printf("the skin did not reach the frame\n");
    return 1;
  }
  Time("frame paint", [&](int) { SendMessageW(window, WM_NCPAINT, 0, 0); });
  Time("resize with a new shape", [&](int i) {
    SetWindowPos(window, nullptr, 0, 0, 199 + i % 2, 320, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
  });
  std::vector<TMenuItem> items;
  for (int i = 0; i < 10; ++i) {
    TMenuItem item;
    item.Caption = i == 4 ? "-" : "Menu item &" + std::to_string(i);
    item.ShortCut = i % 3 == 0 ? "Ctrl+" + std::to_string(i) : "";
    items.push_back(item);
  }
  TSkinFrame& frame = *form->SkinForm1->Frame();
  Time(
      "ten-item skinned menu opened",
      [&](int) {
        frame.ShowMenu(items, TRect{600, 300, 600, 300}, nullptr);
        UpdateWindow(frame.Menu().Level(0).Handle());
      },
      [&] {
        frame.Menu().CloseAll();
        app.ProcessMessages();
      });
  return 0;
}
