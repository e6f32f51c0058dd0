// Times one full paint of the main window's picker (the cost of each drag
// step) under the real GDI: prints the median and quartiles of many paints.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/form1_win.h"
#include "ui/application_win.h"
#include "ui/graphics/bitmap_win.h"
#include "ui/graphics/canvas_win.h"

int main() {
  RegisterMainFormClasses();
  TApplication app;
  TForm1* form = app.CreateForm<TForm1>();
  form->Show();
  TTimePicker* picker = form->TimePicker;
  TBitmap target(picker->Width(), picker->Height());

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> micros;
  for (int i = 0; i < 2000; ++i) {
    picker->SetTime((i % 1440) / 1440.0);  // a new hand position each time, as a drag gives
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    SendMessageW(picker->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Canvas().Handle()), PRF_CLIENT);
    GdiFlush();
    QueryPerformanceCounter(&end);
    if (i >= 100) micros.push_back((end.QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart);
  }
  std::sort(micros.begin(), micros.end());
  auto at = [&](double q) { return micros[static_cast<size_t>(q * (micros.size() - 1))]; };
  std::printf("picker paint (%zu runs): median %.0f us, p25 %.0f us, p75 %.0f us\n", micros.size(), at(0.5), at(0.25),
              at(0.75));
  return 0;
}
