// The Win32 framework pieces on their own: hooks, the exception boundary,
// timers, DIB bitmaps with their canvas, icons and painting.
#include "ui/graphics/bitmap_win.h"
#include "base/codecs/bmp_codec.h"
#include "ui/graphics/canvas_win.h"
#include "ui/graphics/icon_win.h"
#include "ui/system/input_method_win.h"
#include "ui/system/put_off_win.h"
#include "ui/system/system_library_win.h"
#include "ui/system/timer_win.h"
#include "wine_support.h"

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 7;

TEST(WindowProcHookTest, HooksNestPassOnWhatTheyDoNotHandleAndUnhookCleanly) {
  std::vector<std::string> seen;
  TMessageWindow window(
      [&](UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != kProbe) return false;
        seen.push_back("window");
        result = 1;
        return true;
      },
      false);
  HWND handle = window.Handle();
  {
    std::unique_ptr<TWindowProcHook> outer;
    TWindowProcHook inner(handle, [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == kProbe) seen.push_back("inner");
      return inner.CallPrevious(message, wParam, lParam);
    });
    outer = std::make_unique<TWindowProcHook>(handle, [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == kProbe && wParam == 42) {
        seen.push_back("outer took it");
        return 7;
      }
      if (message == kProbe) seen.push_back("outer");
      return outer->CallPrevious(message, wParam, lParam);
    });
    EXPECT_EQ(SendMessageW(handle, kProbe, 0, 0), 1);
    EXPECT_EQ(SendMessageW(handle, kProbe, 42, 0), 7);
    EXPECT_EQ(seen, (std::vector<std::string>{"outer", "inner", "window", "outer took it"}));
    outer.reset();
    seen.clear();
    SendMessageW(handle, kProbe, 42, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"inner", "window"}));
  }
  seen.clear();
  SendMessageW(handle, kProbe, 0, 0);
  EXPECT_EQ(seen, std::vector<std::string>{"window"});
}

TEST(WindowProcHookTest, HooksComeOffInAnyOrderAndOutliveTheirWindow) {
  std::vector<std::string> seen;
  auto window = std::make_unique<TMessageWindow>(
      [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kProbe) seen.push_back("window");
        return false;
      },
      false);
  HWND handle = window->Handle();
  auto watch = [&](std::unique_ptr<TWindowProcHook>& hook, const char* name) {
    hook = std::make_unique<TWindowProcHook>(handle, [&hook, &seen, name](UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == kProbe) seen.push_back(name);
      return hook->CallPrevious(m, w, l);
    });
  };
  std::unique_ptr<TWindowProcHook> inner, outer;
  watch(inner, "inner");
  watch(outer, "outer");
  inner.reset();  // from under the outer one
  SendMessageW(handle, kProbe, 0, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"outer", "window"}));
  outer.reset();
  seen.clear();
  SendMessageW(handle, kProbe, 0, 0);
  EXPECT_EQ(seen, std::vector<std::string>{"window"});

  watch(outer, "outer");
  window.reset();  // the window goes first; its hook is let go afterwards
  EXPECT_FALSE(IsWindow(handle));
  outer.reset();
}

TEST(ExceptionBoundaryTest, ErrorsInHandlersReachTheApplicationAndTheLoopGoesOn) {
  TApplication app;
  std::vector<std::string> errors;
  app.OnShowError = [&](const std::string& message) { errors.push_back(message); };
  TMessageWindow window([](UINT message, WPARAM, LPARAM, LRESULT&) -> bool {
    if (message == kProbe) throw EConvertError("bad value");
    return false;
  });
  TWindowProcHook hook(window.Handle(), [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == kProbe + 1) throw std::runtime_error("hook failed");
    return hook.CallPrevious(message, wParam, lParam);
  });
  PostMessageW(window.Handle(), kProbe, 0, 0);
  PostMessageW(window.Handle(), kProbe + 1, 0, 0);

  int ticks = 0;
  TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    if (++ticks == 1) throw Exception("tick failed");
  });
  PumpMessages(400);
  EXPECT_GE(ticks, 3);  // the failing tick did not stop the timer
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0], "bad value");
  EXPECT_EQ(errors[1], "hook failed");
  EXPECT_EQ(errors[2], "tick failed");
}

TEST(SystemLibraryTest, BindsOnFirstUseAndReportsAMissingFunctionOnceAsAnError) {
  TApplication app;
  std::vector<std::string> errors;
  app.OnShowError = [&](const std::string& message) { errors.push_back(message); };
  TSystemLibrary library(L"kernel32.dll");
  const TLateBound<decltype(&GetCurrentProcessId)> processId(library, "GetCurrentProcessId");
  ASSERT_NE(processId.Find(), nullptr);
  EXPECT_EQ(processId.Find()(), GetCurrentProcessId());
  EXPECT_TRUE(errors.empty());

  const TLateBound<decltype(&GetCurrentProcessId)> missing(library, "VespermarkNoSuchFunction");
  EXPECT_EQ(missing.Find(), nullptr);
  EXPECT_EQ(missing.Find(), nullptr);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("VespermarkNoSuchFunction"), std::string::npos) << errors[0];
  EXPECT_EQ(processId.Find()(), GetCurrentProcessId()) << "what was bound stays bound";
}

TEST(TimerTest, TicksOnlyWhileEnabledWithAHandlerAndAnInterval) {
  int ticks = 0;
  TTimer timer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  timer.SetInterval(30);
  PumpMessages(150);  // no handler yet: nothing to call
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  PumpMessages(200);
  EXPECT_GE(ticks, 2);
  timer.SetEnabled(false);
  int stopped = ticks;
  PumpMessages(150);
  EXPECT_EQ(ticks, stopped);
  timer.SetInterval(0);
  timer.SetEnabled(true);
  PumpMessages(150);
  EXPECT_EQ(ticks, stopped);
}

TEST(PutOffTest, RunsOnceNothingIsLeftToPaintOnlyTheLatestWorkAndAtOnceWithoutTimers) {
  HWND window = CreateWindowExW(0, L"STATIC", L"put off", WS_POPUP | WS_VISIBLE, 10, 10, 80, 40, nullptr, nullptr,
                                ModuleInstance(), nullptr);
  ASSERT_TRUE(window);
  PumpMessages(50);
  InvalidateRect(window, nullptr, TRUE);
  std::vector<std::string> ran;
  bool paintLeft = true;
  {
    TPutOff putOff;
    putOff.Start([&] { ran.push_back("first"); });
    putOff.Start([&] {
      ran.push_back("second");
      paintLeft = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    });
    EXPECT_TRUE(putOff.Pending());
    EXPECT_TRUE(ran.empty());
    PumpMessages(100);
    EXPECT_EQ(ran, std::vector<std::string>{"second"});
    EXPECT_FALSE(paintLeft) << "the window painted first";
    EXPECT_FALSE(putOff.Pending());

    putOff.Start([&] { ran.push_back("cancelled"); });
    putOff.Cancel();
    TPutOff dropped;
    dropped.Start([&] { ran.push_back("destroyed"); });
  }
  PumpMessages(100);
  EXPECT_EQ(ran.size(), 1u) << "neither the cancelled work nor that of a put-off gone runs";

  ActiveTimerApi().set = [](HWND, UINT_PTR, UINT, TIMERPROC) -> UINT_PTR { return 0; };
  TPutOff starved;
  starved.Start([&] { ran.push_back("now"); });
  ActiveTimerApi() = TimerApi{};
  EXPECT_EQ(ran.back(), "now");
  EXPECT_FALSE(starved.Pending());
  DestroyWindow(window);
}

// On a thread of its own, as the program's thread does: makes a window, gives
// it the keyboard and counts the input-method messages it hears.
int ImeMessagesOnFocus(bool turnedOff) {
  int heard = 0;
  std::thread([&] {
    if (turnedOff) TurnOffInputMethod();
    TMessageWindow window(
        [&](UINT message, WPARAM, LPARAM, LRESULT&) {
          if (message == WM_IME_SETCONTEXT || message == WM_IME_SELECT || message == WM_IME_NOTIFY) ++heard;
          return false;
        },
        false);
    SetWindowPos(window.Handle(), nullptr, 20, 20, 60, 30, SWP_SHOWWINDOW | SWP_NOZORDER);
    SetForegroundWindow(window.Handle());
    SetFocus(window.Handle());
    PumpMessages(50);
  }).join();
  return heard;
}

TEST(InputMethodTest, AThreadWithItTurnedOffHearsNothingOfTheImeWhenItsWindowTakesTheKeyboard) {
  if (ImeMessagesOnFocus(false) == 0) GTEST_SKIP() << "this system starts no input method on focus";
  EXPECT_EQ(ImeMessagesOnFocus(true), 0);
}

TEST(BitmapTest, DibPixelsCanvasAndBmpRoundTrip) {
  BmpImage source;
  source.width = 3;
  source.height = 2;
  source.bitCount = 8;
  source.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  source.indices = {1, 2, 3, 3, 2, 1};
  source.pixels.resize(6);
  TBitmap bitmap;
  bitmap.LoadFromBytes(EncodeBmp(source));
  ASSERT_EQ(bitmap.Width(), 3);
  ASSERT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.BitCount(), 8);
  EXPECT_EQ(bitmap.ScanLine(0)[0] & 0xFFFFFF, 0xFF0000u);  // top-left, red
  EXPECT_EQ(bitmap.ScanLine(1)[0] & 0xFFFFFF, 0x0000FFu);  // bottom-left, blue
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), RGBColor(0, 255, 0));

  // Drawing goes into the same pixels; a colour outside the palette is written at 24 bits.
  bitmap.Canvas().Brush().SetColor(clWhite);
  RECT r{2, 1, 3, 2};
  bitmap.Canvas().FillRect(r);
  GdiFlush();
  EXPECT_EQ(bitmap.ScanLine(1)[2] & 0xFFFFFF, 0xFFFFFFu);
  BmpImage saved = DecodeBmp(bitmap.SaveToBytes());
  EXPECT_EQ(saved.bitCount, 24);
  EXPECT_EQ(saved.pixels[5] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(saved.pixels[0] & 0xFFFFFF, 0xFF0000u);

  // Unchanged palette pixels go back at the file's depth.
  TBitmap again;
  again.LoadFromBytes(EncodeBmp(source));
  EXPECT_EQ(DecodeBmp(again.SaveToBytes()).bitCount, 8);

  TBitmap copy(6, 4);
  copy.Canvas().StretchDraw(RECT{0, 0, 6, 4}, again);
  GdiFlush();
  EXPECT_EQ(copy.ScanLine(0)[1] & 0xFFFFFF, 0xFF0000u);  // each source pixel covers 2 x 2
  EXPECT_EQ(copy.ScanLine(0)[2] & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(copy.ScanLine(3)[0] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(copy.ScanLine(3)[5] & 0xFFFFFF, 0xFF0000u);
}

TEST(IconTest, LoadsTheProgramIconAndRefusesOtherData) {
  TApplication app;
  ASSERT_NE(app.Icon(), nullptr);
  TIcon icon;
  EXPECT_TRUE(icon.Empty());
  EXPECT_THROW(icon.SetData({1, 2, 3, 4}), EInvalidGraphic);
  EXPECT_TRUE(icon.Empty());
  TIcon shared;
  shared.ShowShared(app.Icon());
  EXPECT_EQ(shared.Handle(), app.Icon());
  // An assigned icon is a copy of its own, alive whatever becomes of the source.
  icon.Assign(shared);
  EXPECT_NE(icon.Handle(), app.Icon());
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon.Handle(), &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(MainFormTest, PaintingFillsThePickerWithItsColour) {
  form->Show();
  PumpMessages(100);
  UpdateWindow(form->Handle());
  HDC dc = GetDC(form->TimePicker->Handle());
  COLORREF face = GetPixel(dc, 30, 30);
  ReleaseDC(form->TimePicker->Handle(), dc);
  EXPECT_EQ(face, RGB(255, 128, 128));
}

}  // namespace

namespace {

TEST_F(MainFormTest, TabOrderFollowsTabOrderAndSkipsDisabledControls) {
  form->Show();
  form->TimePicker->SetFocus();
  HWND next = GetNextDlgTabItem(form->Handle(), form->TimePicker->Handle(), FALSE);
  EXPECT_EQ(next, form->BtnStart->Handle());
  // Stop is disabled, so the walk comes back round to the picker.
  EXPECT_EQ(GetNextDlgTabItem(form->Handle(), next, FALSE), form->TimePicker->Handle());
  form->BtnStop->SetEnabled(true);
  EXPECT_EQ(GetNextDlgTabItem(form->Handle(), next, FALSE), form->BtnStop->Handle());
  // A focused control that is disabled hands the keyboard on.
  form->BtnStart->SetFocus();
  form->BtnStart->SetEnabled(false);
  EXPECT_EQ(GetFocus(), form->BtnStop->Handle());
  // A changed order takes effect at once, and changed back, too.
  form->BtnStart->SetEnabled(true);
  const int startOrder = form->BtnStart->TabOrder(), stopOrder = form->BtnStop->TabOrder();
  form->BtnStop->SetTabOrder(startOrder);
  form->BtnStart->SetTabOrder(stopOrder);
  EXPECT_EQ(GetNextDlgTabItem(form->Handle(), form->TimePicker->Handle(), FALSE), form->BtnStop->Handle());
  form->BtnStart->SetTabOrder(startOrder);
  form->BtnStop->SetTabOrder(stopOrder);
  EXPECT_EQ(GetNextDlgTabItem(form->Handle(), form->TimePicker->Handle(), FALSE), form->BtnStart->Handle());
}

// Run with each show command, leaving the loop at once.
class RunTest : public testing::TestWithParam<int> {};

TEST_P(RunTest, ShowsTheMainFormAsTheShowCommandAsks) {
  TApplication app;
  TForm1* form = app.CreateForm<TForm1>();
  PostQuitMessage(0);
  app.Run(GetParam());
  EXPECT_TRUE(app.Terminated());
  switch (GetParam()) {
    case SW_SHOWMINNOACTIVE:
      // Down on its taskbar button, not in front.
      EXPECT_TRUE(IsIconic(form->Handle()));
      EXPECT_NE(GetForegroundWindow(), form->Handle());
      EXPECT_EQ(form->WindowState(), TWindowState::wsMinimized);
      break;
    case SW_SHOWMAXIMIZED:
      EXPECT_TRUE(IsZoomed(form->Handle()));
      break;
    default:
      EXPECT_TRUE(IsWindowVisible(form->Handle()));
      EXPECT_FALSE(IsIconic(form->Handle()));
  }
}

INSTANTIATE_TEST_SUITE_P(ShowCommands, RunTest, testing::Values(SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE));

}  // namespace

namespace {

// A control whose paint and accelerator handlers fail, for the boundaries.
class FailingControl : public TWinControl {
 public:
  explicit FailingControl(TComponent* owner) : TWinControl(owner) {}
  std::string_view ClassName() const override { return "FailingControl"; }

 protected:
  void Paint(TCanvas&) override { throw Exception("paint failed"); }
  bool HandleDialogChar(char16_t) override { throw Exception("accelerator failed"); }
};

class PlainControl : public TWinControl {
 public:
  explicit PlainControl(TComponent* owner) : TWinControl(owner) {}
  std::string_view ClassName() const override { return "PlainControl"; }
};

// A real key press, through the application's own loop.
void PressKey(TApplication& app, WORD key) {
  ::PressKey(key);
  RunApplicationLoop(app, 50);
}

TEST_F(MainFormTest, TheKeyboardReachesTheClockFaceAtOnceAndComesBackWithTheWindow) {
  form->Show();
  PumpMessages(100);
  const TDateTime before = form->TimePicker->Time();
  PressKey(*app, VK_PRIOR);
  EXPECT_NEAR(form->TimePicker->Time() - before, 1.0 / 24, 1e-9) << "Page Up stepped the hour";

  PressKey(*app, VK_TAB);
  ASSERT_EQ(GetFocus(), form->BtnStart->Handle());
  form->TrayIcon->HideMainWindow();
  PumpMessages(50);
  form->SkinForm1->RestoreFormFromTray();
  PumpMessages(100);
  EXPECT_EQ(GetFocus(), form->BtnStart->Handle()) << "the control that had the keyboard gets it again";
}

TEST(StartMinimizedTest, TheWindowComesBackFromTheTaskbarAndFromTheTray) {
  for (bool throughTray : {false, true}) {
    TApplication app;
    TForm1* form = app.CreateForm<TForm1>();
    PostQuitMessage(0);
    app.Run(SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(form->Handle()));
    if (throughTray)
      SendMessageW(form->TrayIcon->NotifyWindow(), TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
    else
      SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpMessages(100);
    EXPECT_TRUE(IsWindowVisible(form->Handle())) << (throughTray ? "tray" : "taskbar");
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
  }
}

TEST_F(MainFormTest, AHandlerThatThrowsFromTheLoopItselfIsReportedAndTheLoopGoesOn) {
  auto* control = new FailingControl(form);
  control->SetBounds(0, 0, 10, 10);
  control->SetParent(form);
  // Accelerators run from the loop, outside every window procedure.
  PostMessageW(form->Handle(), WM_SYSCHAR, 'x', 0);
  PostMessageW(form->Handle(), WM_SYSCHAR, 'y', 0);
  PostQuitMessage(0);
  app->Run(SW_SHOWNORMAL);
  EXPECT_TRUE(app->Terminated());
  EXPECT_EQ(std::count(errors.begin(), errors.end(), "accelerator failed"), 2);
}

TEST_F(MainFormTest, APaintThatThrowsGivesItsDCBackAndLeavesTheWindowValid) {
  form->Show();
  auto* control = new FailingControl(form);
  control->SetBounds(0, 0, 40, 40);
  control->SetParent(form);
  PumpMessages(50);
  errors.clear();
  int before = GdiObjectCount();
  for (int i = 0; i < 50; ++i) {
    InvalidateRect(control->Handle(), nullptr, FALSE);
    UpdateWindow(control->Handle());
  }
  EXPECT_EQ(GdiObjectCount(), before);
  EXPECT_EQ(errors.size(), 50u);
  EXPECT_FALSE(GetUpdateRect(control->Handle(), nullptr, FALSE)) << "a failed paint must not repeat for ever";
}

TEST(ExceptionBoundaryTest, ErrorBoxesNeverStack) {
  TApplication app;
  int depth = 0, deepest = 0, shown = 0;
  // Stands in for a message box: a modal loop that goes on dispatching.
  app.OnShowError = [&](const std::string&) {
    deepest = std::max(deepest, ++depth);
    ++shown;
    PumpMessages(120);
    --depth;
  };
  TTimer timer(nullptr);
  timer.SetInterval(20);
  timer.SetOnTimer([](TObject*) { throw Exception("tick failed"); });
  PumpMessages(500);
  EXPECT_EQ(deepest, 1);
  EXPECT_GE(shown, 2) << "a later failure is shown once the box is closed";
}

TEST(CanvasTest, AFailedCreationLeavesTheSelectedObjectsAlone) {
  TBitmap bitmap(8, 8);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetColor(clRed);
  canvas.LineTo(1, 1);
  HGDIOBJ red = GetCurrentObject(canvas.Handle(), OBJ_PEN);
  // Fill the GDI handle table so that the next creation fails.
  std::vector<HBRUSH> hog;
  while (hog.size() < 100000) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    if (!brush) break;
    hog.push_back(brush);
  }
  canvas.Pen().SetColor(clBlue);
  EXPECT_THROW(canvas.LineTo(2, 2), EOutOfResources);
  EXPECT_EQ(GetCurrentObject(canvas.Handle(), OBJ_PEN), red);
  EXPECT_EQ(GetObjectType(red), static_cast<DWORD>(OBJ_PEN)) << "the selected pen was deleted";
  for (HBRUSH brush : hog) DeleteObject(brush);
  canvas.LineTo(3, 3);  // and the canvas recovers once handles are free again
  EXPECT_NE(GetCurrentObject(canvas.Handle(), OBJ_PEN), red);
}

TEST(IconTest, AFailedCopyIsAnErrorAndKeepsTheIcon) {
  TApplication app;
  TIcon icon;
  icon.CopyFrom(app.Icon());
  HICON kept = icon.Handle();
  ASSERT_NE(kept, nullptr);
  EXPECT_THROW(icon.CopyFrom(reinterpret_cast<HICON>(0x7ff0)), EOutOfResources);
  EXPECT_EQ(icon.Handle(), kept);
}

TEST_F(MainFormTest, ScalingForTheScreenScalesFontsWithTheControls) {
  int formFont = form->Font().Height(), labelFont = form->URLLabel1->Font().Height();
  int pickerWidth = form->TimePicker->Width();
  form->ScaleBy(3, 2);
  EXPECT_EQ(form->TimePicker->Width(), MulDiv(pickerWidth, 3, 2));
  EXPECT_EQ(form->Font().Height(), MulDiv(formFont, 3, 2));
  EXPECT_EQ(form->TimePicker->Font().Height(), form->Font().Height()) << "a ParentFont control follows the form";
  EXPECT_EQ(form->URLLabel1->Font().Height(), MulDiv(labelFont, 3, 2)) << "a control's own font grows too";
}

TEST_F(MainFormTest, APanelRealignsItsChildrenWhenItsBorderOrBevelWidthChanges) {
  TBorderedPanel* panel = form->TimePicker;
  panel->SetBorderOuter(TFrameStyleEx::fsStatus);  // as wide as the bevel
  auto* child = new PlainControl(form);
  child->SetParent(panel);
  child->SetAlign(TAlign::alTop);
  RECT before = child->BoundsRect();
  panel->SetBorderWidth(panel->BorderWidth() + 4);
  EXPECT_EQ(child->BoundsRect().top, before.top + 4);
  panel->SetBevelWidth(panel->BevelWidth() + 2);
  EXPECT_EQ(child->BoundsRect().top, before.top + 4 + 2);
}

}  // namespace
