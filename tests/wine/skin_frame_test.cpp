// The main window's skinned frame: its size, shape, caption objects, the
// answers of its hit-test, and the caption buttons as a user presses them.
#include <set>

#include "ui/system/resources_win.h"
#include "ui/system/window_platform_win.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_notices.h"
#include "skin/frame/skin_frame_win.h"
#include "skin/frame/skin_form_win.h"
#include "wine_support.h"

namespace {

class LoadingSkinForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TLoadingSkinForm"; }
};

// As a form is read: the frame is bound to its skin while loading. The skin's
// pictures shape it as they arrive; a skin that brings none leaves the
// frame's own look once loading ends. Nothing is shaped before either.
TEST(SkinFrameLoadingTest, TheFrameIsShapedWhenTheSkinArrivesOrWhenLoadingEnds) {
  ScopedSkinNoticeSink notices(WindowSkinNotices());
  TApplication app;
  for (bool pictures : {true, false}) {
    auto* form = new LoadingSkinForm(&app);
    auto* skinForm = new TSkinForm(form);
    auto* skin = new TSkinData(form);
    skinForm->BeginLoading();
    skinForm->SetSkinData(skin);
    const HWND window = form->Handle();
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) << pictures << ": nothing shaped yet";
    if (pictures) {
      auto* stored = new TCompressedStoredSkin(form);
      auto packed = RCDataResource(L"FULL_SKIN");
      ASSERT_TRUE(packed.has_value());
      stored->SetCompressedData({packed->begin(), packed->end()});
      skin->SetCompressedStoredSkin(stored);
      EXPECT_TRUE(skinForm->Frame()->SkinActive()) << "shaped as the skin arrives";
    }
    static_cast<TComponent*>(skinForm)->Loaded();  // as the form loader calls it
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) << pictures << ": the frame draws the caption";
    EXPECT_EQ(skinForm->Frame()->SkinActive(), pictures);
    delete form;
  }
}

class SkinFrameTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    form->Show();
    PumpMessages(100);
    window = form->Handle();
    GetWindowRect(window, &bounds);
  }
  // A point of the window, in the screen coordinates the non-client messages carry.
  LPARAM Screen(int x, int y) const { return MAKELPARAM(bounds.left + x, bounds.top + y); }
  LRESULT HitTest(int x, int y) const { return SendMessageW(window, WM_NCHITTEST, 0, Screen(x, y)); }
  const TSkinFrame& Frame() const { return *form->SkinForm1->Frame(); }
  // The centre of the first standard button running `command`.
  POINT ButtonCentre(TSkinCommand command) const {
    for (size_t i = 0; i < Frame().Objects().Count(); ++i)
      if (auto* b = dynamic_cast<const TSkinStdButtonObject*>(&Frame().Objects()[i]); b && b->command == command) {
        const TRect& r = b->ObjectRect;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
      }
    ADD_FAILURE() << "no such button";
    return {};
  }
  // A press on the frame; the pointer moves to the release point, and the
  // captured mouse's messages come in client coordinates.
  void Press(POINT at, POINT releaseAt) {
    SendMessageW(window, WM_NCLBUTTONDOWN, HTOBJECT_CODE, Screen(at.x, at.y));
    RECT now;
    GetWindowRect(window, &now);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    LPARAM client = MAKELPARAM(releaseAt.x - (origin.x - now.left), releaseAt.y - (origin.y - now.top));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, client);
    SendMessageW(window, WM_LBUTTONUP, 0, client);
  }
  static constexpr WPARAM HTOBJECT_CODE = 19;

  HWND window = nullptr;
  RECT bounds{};
};

TEST_F(SkinFrameTest, TheWindowTakesTheSkinsSizeShapeAndCaption) {
  ASSERT_TRUE(Frame().SkinActive());
  EXPECT_EQ(bounds.right - bounds.left, 199);
  EXPECT_EQ(bounds.bottom - bounds.top, 320);
  EXPECT_EQ(form->ClientWidth(), 171);
  EXPECT_EQ(form->ClientHeight(), 264);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  EXPECT_EQ(origin.x - bounds.left, 15);
  EXPECT_EQ(origin.y - bounds.top, 33);
  EXPECT_EQ(form->BtnStart->Left(), 8) << "the controls keep their places in the client area";

  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(window, region.Get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0)) << "outside the mask";
  EXPECT_FALSE(PtInRegion(region.Get(), 198, 319));
  EXPECT_TRUE(PtInRegion(region.Get(), 100, 10));
  EXPECT_TRUE(PtInRegion(region.Get(), 100, 160));

  const TSkinCaptionObject* caption = Frame().Objects().Caption();
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->ObjectRect, (TRect{41, 3, 102 + 23, 18})) << "the caption stretches with the width";
}

TEST_F(SkinFrameTest, TheFixedFrameAnswersOnlyClientCaptionAndObject) {
  std::set<LRESULT> answers;
  for (int y = 0; y < 320; y += 3)
    for (int x = 0; x < 199; x += 3) answers.insert(HitTest(x, y));
  EXPECT_EQ(answers, (std::set<LRESULT>{HTCLIENT, HTCAPTION, 19}));
  EXPECT_EQ(HitTest(100, 150), HTCLIENT);
  EXPECT_EQ(HitTest(60, 10), HTCAPTION);
  EXPECT_EQ(HitTest(5, 150), 19);
}

TEST_F(SkinFrameTest, TheSkinSetsTheSmallestFrame) {
  MINMAXINFO info{};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 176);
  EXPECT_EQ(info.ptMinTrackSize.y, 56);
  EXPECT_GT(info.ptMaxTrackSize.x, 199);
}

TEST_F(SkinFrameTest, MinimizeGoesToTheTrayAndADoubleClickOnTheIconBringsItBack) {
  POINT minimize = ButtonCentre(TSkinCommand::cmminimize);
  Press(minimize, minimize);
  PumpMessages(50);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(form->TrayIcon->IconVisible());
  SendMessageW(form->TrayIcon->NotifyWindow(), TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
  PumpMessages(100);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(form->TrayIcon->IconVisible()) << "the form keeps its icon in the tray";
}

TEST_F(SkinFrameTest, CloseActsOnlyWhenReleasedOverTheButton) {
  POINT close = ButtonCentre(TSkinCommand::cmclose);
  Press(close, POINT{-100, close.y});
  EXPECT_FALSE(PumpMessages(100)) << "released outside: nothing";
  Press(close, close);
  EXPECT_TRUE(PumpMessages(100)) << "the program ends";
}

TEST_F(SkinFrameTest, APressThatLosesTheMouseEndsWithoutAction) {
  POINT minimize = ButtonCentre(TSkinCommand::cmminimize);
  SendMessageW(window, WM_NCLBUTTONDOWN, HTOBJECT_CODE, Screen(minimize.x, minimize.y));
  ASSERT_EQ(GetCapture(), window);
  // Another window takes the mouse, as a message box or a drag elsewhere would.
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetCapture(other);
  ReleaseCapture();
  PumpMessages(50);
  EXPECT_TRUE(IsWindowVisible(window)) << "the button did not minimize the window";
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  SendMessageW(window, WM_LBUTTONUP, 0,
               MAKELPARAM(minimize.x - (origin.x - bounds.left), minimize.y - (origin.y - bounds.top)));
  PumpMessages(50);
  EXPECT_TRUE(IsWindowVisible(window)) << "nor does a late release";
  DestroyWindow(other);
}

// What the closing window looks like at every message it gets while it goes.
struct ClosingWatch {
  HWND window = nullptr;
  SIZE size{};
  RECT shape{};
  int looks = 0, changedLooks = 0;
  static ClosingWatch* current;
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current && message->hwnd == current->window && IsWindowVisible(current->window))
      current->Look();
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  void Look() {
    ++looks;
    RECT r, box{};
    GetWindowRect(window, &r);
    const bool shaped = GetWindowRgnBox(window, &box) != ERROR;
    if (!shaped || !EqualRect(&box, &shape) || r.right - r.left != size.cx || r.bottom - r.top != size.cy)
      ++changedLooks;
  }
};
ClosingWatch* ClosingWatch::current = nullptr;

TEST_F(SkinFrameTest, ClosingLeavesTheWindowAsItWasUntilItIsGone) {
  ClosingWatch watch;
  watch.window = window;
  watch.size = {bounds.right - bounds.left, bounds.bottom - bounds.top};
  ASSERT_NE(GetWindowRgnBox(window, &watch.shape), ERROR);
  ClosingWatch::current = &watch;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, ClosingWatch::Hook, nullptr, GetCurrentThreadId());
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpMessages(50));
  app.reset();
  UnhookWindowsHookEx(hook);
  ClosingWatch::current = nullptr;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(watch.changedLooks, 0) << "of " << watch.looks << " looks while it was still shown";
}

TEST_F(SkinFrameTest, TheTrayIconKeepsNoHandlerOfAFrameThatWent) {
  ASSERT_TRUE(form->TrayIcon->OnDblClick());
  delete form->SkinForm1;
  EXPECT_FALSE(form->TrayIcon->OnDblClick());
  EXPECT_EQ(form->TrayIcon->PopupMenu(), nullptr);
  SendMessageW(form->TrayIcon->NotifyWindow(), TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
  PumpMessages(50);
}

TEST_F(SkinFrameTest, TheFormsMenuKeysAndNoticesOpenAndCloseOnlyTheSkinnedMenu) {
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU) << "the system has no menu of its own to open";
  SetForegroundWindow(window);
  PumpMessages(50);
  // Alt+Space, as typed; a timer looks while any menu loop runs and then ends it with Escape.
  static bool skinnedOpen, systemOpen;
  static TSkinMenu* menu;
  skinnedOpen = systemOpen = false;
  menu = &form->SkinForm1->Frame()->Menu();
  UINT_PTR look = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    skinnedOpen = menu->MenuOpen();
    HWND popup = FindWindowW(L"#32768", nullptr);
    systemOpen = popup && IsWindowVisible(popup);
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
  });
  ASSERT_NE(look, 0u);
  keybd_event(VK_MENU, 0, 0, 0);
  keybd_event(VK_SPACE, 0, 0, 0);
  keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
  for (int i = 0; i < 60; ++i) {
    app->ProcessMessages();
    Sleep(10);
  }
  EXPECT_TRUE(skinnedOpen);
  EXPECT_FALSE(systemOpen);

  // A menu of the form that closed tells the frame, which closes the others.
  form->SkinForm1->Frame()->Menu().CloseAll();
  RECT r;
  GetWindowRect(window, &r);
  SendMessageW(window, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 60, r.top + 10));
  ASSERT_TRUE(menu->MenuOpen());
  SendMessageW(window, MenuClosedMessage, 0, 0);
  EXPECT_FALSE(menu->MenuOpen());
}

TEST_F(SkinFrameTest, WithoutItsSkinTheFrameDrawsItsOwnBevelsCaptionAndButtons) {
  form->SkinForm1->SetSkinData(nullptr);
  PumpMessages(50);
  EXPECT_FALSE(Frame().SkinActive());
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) << "still the program's frame, not the system's";
  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(window, region.Get()), ERROR) << "no shape";
  GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 171 + 6);
  EXPECT_EQ(bounds.bottom - bounds.top, 264 + 3 + 19 + 3);
  EXPECT_EQ(form->ClientWidth(), 171);
  EXPECT_EQ(form->ClientHeight(), 264);
  ASSERT_EQ(Frame().Objects().Count(), 5u);
  POINT close = ButtonCentre(TSkinCommand::cmclose);
  EXPECT_EQ(close.x, 177 - 3 - 9);
  EXPECT_EQ(HitTest(close.x, close.y), 19);
  EXPECT_EQ(HitTest(88, 10), HTCAPTION);
  EXPECT_EQ(HitTest(88, 100), HTCLIENT);
  WindowDC dc(window, WindowDC::WholeWindow);
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(GetPixel(dc.Get(), 176, 100), GetSysColor(COLOR_3DDKSHADOW));

  Press(close, close);
  EXPECT_TRUE(PumpMessages(100)) << "its close button ends the program";
}

TEST_F(SkinFrameTest, SkinChangesReachTheFrameAndTheSkinnedButtons) {
  const auto skin = reinterpret_cast<WPARAM>(form->SkinData1);
  SendMessageW(window, SkinChangingMessage, skin, 0);
  EXPECT_FALSE(Frame().SkinActive());
  EXPECT_FALSE(form->BtnStart->HasSkin());
  EXPECT_EQ(Frame().Objects().Count(), 0u) << "nothing may point into the skin while it loads";
  SendMessageW(window, SkinChangedMessage, skin, 0);
  EXPECT_TRUE(Frame().SkinActive());
  EXPECT_TRUE(form->BtnStop->HasSkin());
  EXPECT_EQ(Frame().Objects().Count(), 6u);

  // Another skin data's change leaves the frame as it is.
  TSkinData other(nullptr);
  SendMessageW(window, SkinChangingMessage, reinterpret_cast<WPARAM>(&other), 0);
  EXPECT_TRUE(Frame().SkinActive());
  EXPECT_TRUE(form->BtnStart->HasSkin());
}

TEST_F(SkinFrameTest, NoHandlesLeakOverResizesAndSkinReloads) {
  auto resize = [&] {
    for (int i = 0; i < 20; ++i) SetWindowPos(window, nullptr, 0, 0, 199 + i % 3, 320 + i % 2, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages(50);
  };
  auto reload = [&] {
    for (int i = 0; i < 20; ++i) form->SkinData1->LoadCompressedStoredSkin(*form->CompressedStoredSkin1);
    PumpMessages(50);
  };
  for (int warmUp = 0; warmUp < 2; ++warmUp) {  // first uses make shared objects
    resize();
    reload();
  }
  // A few shared objects come and go with painting; a leak in any step
  // would add 20 or more.
  const int slack = 5;
  int gdi = GdiObjectCount(), user = UserObjectCount();
  resize();
  EXPECT_LE(GdiObjectCount(), gdi + slack) << "resizes";
  reload();
  EXPECT_LE(GdiObjectCount(), gdi + slack) << "skin reloads";
  EXPECT_LE(UserObjectCount(), user + slack);
  EXPECT_TRUE(Frame().SkinActive());
}

}  // namespace

namespace {

// Pixels of the caption text's colour inside the caption object.
int CaptionPixels(HWND window, const TRect& r, TColor color) {
  WindowDC dc(window, WindowDC::WholeWindow);
  const COLORREF want = static_cast<COLORREF>(ColorToRGB(color));
  int count = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) count += GetPixel(dc.Get(), x, y) == want;
  return count;
}

TEST_F(SkinFrameTest, TheCaptionTextFollowsActivation) {
  const TSkinCaptionObject& caption = *Frame().Objects().Caption();
  ASSERT_NE(caption.fontcolor, caption.activefontcolor);
  SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
  EXPECT_GT(CaptionPixels(window, caption.ObjectRect, caption.activefontcolor), 20) << "\"Vespermark\" drawn active";
  SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(CaptionPixels(window, caption.ObjectRect, caption.activefontcolor), 0);
  EXPECT_GT(CaptionPixels(window, caption.ObjectRect, caption.fontcolor), 20) << "and inactive";
}

TEST_F(SkinFrameTest, RollUpMaximizeAndRestoreWhenTheFormPermitsThem) {
  form->SkinForm1->SetBorderIcons(sbiMinimize | sbiMaximize | sbiRollUp | sbiSystemMenu);
  const RECT before = bounds;
  auto size = [&] {
    GetWindowRect(window, &bounds);
    return POINT{bounds.right - bounds.left, bounds.bottom - bounds.top};
  };
  // A fixed border rolls up on a caption double click, and down on the next.
  SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, Screen(60, 10));
  EXPECT_EQ(size().y, 56);
  EXPECT_EQ(HitTest(60, 10), HTCAPTION);
  SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, Screen(60, 10));
  EXPECT_EQ(size().y, 320);

  POINT maximize = ButtonCentre(TSkinCommand::cmmaximize);
  Press(maximize, maximize);
  const TRect work = GetMonitorArea(window, true);
  EXPECT_EQ(size().x, work.Width() - 2) << "no task bar: a 1-pixel margin";
  EXPECT_EQ(bounds.left, work.Left + 1);
  maximize = ButtonCentre(TSkinCommand::cmmaximize);
  Press(maximize, maximize);
  size();
  EXPECT_EQ(bounds.left, before.left);
  EXPECT_EQ(bounds.bottom, before.bottom);
  EXPECT_EQ(form->ClientWidth(), 171);
}

}  // namespace

namespace {

TEST_F(SkinFrameTest, TranslucencyAndTheFadeIn) {
  ASSERT_TRUE(IsLayeredAlphaSupported());
  auto layered = [&] { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
  auto alpha = [&] {
    BYTE value = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(window, nullptr, &value, &flags);
    return int(value);
  };
  form->SkinForm1->SetAlphaBlendValue(180);
  form->SkinForm1->SetAlphaBlend(true);
  EXPECT_TRUE(layered());
  EXPECT_EQ(alpha(), 180);
  form->Hide();
  EXPECT_FALSE(layered());
  form->Show();
  PumpMessages(100);
  EXPECT_TRUE(layered());
  EXPECT_EQ(alpha(), 180) << "faded in to the form's value";

  // A fade alone ends opaque, and opaque windows need no layer.
  form->SkinForm1->SetAlphaBlend(false);
  form->SkinForm1->SetAlphaBlendAnimation(true);
  form->Hide();
  form->Show();
  EXPECT_TRUE(layered());
  PumpMessages(100);
  EXPECT_FALSE(layered());
}

}  // namespace
