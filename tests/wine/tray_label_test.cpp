// The tray icon and the link label on their own and on the main window.
#include "ui/system/cursors_win.h"
#include "ui/form_win.h"
#include "ui/system/timer_win.h"
#include "wine_support.h"

namespace {

// A tray icon that counts what it asks of the shell.
class CountingTray : public TTrayIcon {
 public:
  using TTrayIcon::TTrayIcon;
  int adds = 0, removes = 0;
  bool AddIcon() override {
    ++adds;
    return TTrayIcon::AddIcon();
  }
  bool RemoveIcon() override {
    ++removes;
    return TTrayIcon::RemoveIcon();
  }
};

class FakeMenu : public TComponent, public PopupMenuApi {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "FakeMenu"; }
  bool autoPopup = true;
  std::vector<POINT> popups;
  TComponent* popupComponent = nullptr;
  int defaultClicks = 0;
  bool AutoPopup() const override { return autoPopup; }
  void SetPopupComponent(TComponent* component) override { popupComponent = component; }
  void Popup(int x, int y) override { popups.push_back({x, y}); }
  void ClickDefaultItem() override { ++defaultClicks; }
};

class TrayTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    tray = form->TrayIcon;
    tray->SetOnClick([this](TObject* sender) {
      EXPECT_EQ(sender, tray);
      log.push_back("click");
    });
    tray->SetOnDblClick([this](TObject*) { log.push_back("dblclick"); });
  }
  void Mouse(UINT event) { SendMessageW(tray->NotifyWindow(), TTrayIcon::kCallbackMessage, 1, event); }
  int DoubleClickTime() const { return static_cast<int>(GetDoubleClickTime()); }

  TTrayIcon* tray = nullptr;
  std::vector<std::string> log;
};

TEST_F(TrayTest, ASingleClickWaitsOneDoubleClickTime) {
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  PumpMessages(DoubleClickTime() / 2);
  EXPECT_TRUE(log.empty());
  PumpMessages(DoubleClickTime());
  EXPECT_EQ(log, std::vector<std::string>{"click"});
}

TEST_F(TrayTest, ADoubleClickRaisesOnlyTheDoubleClick) {
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  Mouse(WM_LBUTTONDBLCLK);
  Mouse(WM_LBUTTONUP);
  PumpMessages(DoubleClickTime() * 2);
  EXPECT_EQ(log, std::vector<std::string>{"dblclick"});
}

TEST_F(TrayTest, APressHeldLongerClicksOnRelease) {
  Mouse(WM_LBUTTONDOWN);
  PumpMessages(DoubleClickTime() + 150);
  EXPECT_TRUE(log.empty());
  Mouse(WM_LBUTTONUP);
  EXPECT_EQ(log, std::vector<std::string>{"click"});
}

TEST_F(TrayTest, MouseEventsCarryTheButtonShiftStateAndCursorPosition) {
  struct Event {
    std::string kind;
    int button;
    uint32_t shift;
    POINT at;
  };
  std::vector<Event> events;
  tray->SetOnMouseDown([&](TObject*, int b, uint32_t s, int x, int y) { events.push_back({"down", b, s, {x, y}}); });
  tray->SetOnMouseUp([&](TObject*, int b, uint32_t s, int x, int y) { events.push_back({"up", b, s, {x, y}}); });
  tray->SetOnMouseMove([&](TObject*, uint32_t s, int x, int y) { events.push_back({"move", -1, s, {x, y}}); });
  SetCursorPos(321, 123);
  POINT cursor;
  GetCursorPos(&cursor);
  for (UINT e : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN,
                 WM_MBUTTONUP, WM_RBUTTONDBLCLK})
    Mouse(e);
  ASSERT_EQ(events.size(), 7u);
  EXPECT_EQ(events[0].kind, "move");
  EXPECT_EQ(events[1].button, 0);
  EXPECT_EQ(events[1].shift & ssLeft, ssLeft);
  EXPECT_EQ(events[3].button, 1);
  EXPECT_EQ(events[3].shift & ssRight, ssRight);
  EXPECT_EQ(events[5].button, 2);
  EXPECT_EQ(events[5].shift & ssMiddle, ssMiddle);
  for (const Event& e : events) {
    EXPECT_EQ(e.at.x, cursor.x);
    EXPECT_EQ(e.at.y, cursor.y);
  }
}

TEST_F(TrayTest, DisabledIgnoresEveryNotification) {
  auto* menu = new FakeMenu(form);
  tray->SetPopupMenu(menu);
  int downs = 0;
  tray->SetOnMouseDown([&](TObject*, int, uint32_t, int, int) { ++downs; });
  tray->SetEnabled(false);
  for (UINT e : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN}) Mouse(e);
  PumpMessages(DoubleClickTime() + 100);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(downs, 0);
  EXPECT_TRUE(menu->popups.empty());
}

TEST_F(TrayTest, TheMenuPopsUpOnRightPressAndTheDoubleClickRunsItsDefaultItem) {
  auto* menu = new FakeMenu(form);
  tray->SetPopupMenu(menu);
  Mouse(WM_RBUTTONDOWN);
  ASSERT_EQ(menu->popups.size(), 1u);
  EXPECT_EQ(menu->popupComponent, tray);
  Mouse(WM_RBUTTONUP);
  Mouse(WM_LBUTTONDOWN);  // the left button pops up nothing by default
  EXPECT_EQ(menu->popups.size(), 1u);
  tray->SetPopupByLeftButton(true);
  Mouse(WM_LBUTTONDOWN);
  EXPECT_EQ(menu->popups.size(), 2u);
  Mouse(WM_LBUTTONDBLCLK);  // not with the left button popping up
  EXPECT_EQ(menu->defaultClicks, 0);
  tray->SetPopupByLeftButton(false);
  Mouse(WM_LBUTTONDBLCLK);
  EXPECT_EQ(menu->defaultClicks, 1);
  menu->autoPopup = false;
  Mouse(WM_RBUTTONDOWN);
  EXPECT_EQ(menu->popups.size(), 2u);
  delete menu;  // the reference goes with it
  EXPECT_EQ(tray->PopupMenu(), nullptr);
  Mouse(WM_RBUTTONDOWN);
}

TEST_F(TrayTest, TheHiddenWindowAgreesToEndTheSessionAndRefusesToClose) {
  HWND window = tray->NotifyWindow();
  EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_EQ(SendMessageW(window, WM_CLOSE, 0, 0), 1);
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(TrayTest, HideAndRestoreTheMainWindow) {
  form->Show();
  tray->HideMainWindow();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(app->Iconic());  // hidden, not minimised
  tray->HideMainWindow();
  EXPECT_FALSE(app->Iconic());
  tray->RestoreMainWindow();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(TrayTest, ActivationGivesTheFocusBackToTheActiveControl) {
  form->Show();
  form->BtnStart->SetFocus();
  EXPECT_EQ(form->ActiveControl(), form->BtnStart);
  SetFocus(nullptr);
  SendMessageW(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), form->BtnStart->Handle());
}

// Version 4 gives keyboard selection and the context-menu key; the menu then
// opens at the icon's anchor point, which the shell passes along.
TEST_F(TrayTest, TheKeyboardOpensTheMenuAtTheIconAndARightClickOpensItOnce) {
  auto* menu = new FakeMenu(form);
  tray->SetPopupMenu(menu);
  SetCursorPos(321, 123);
  POINT cursor;
  GetCursorPos(&cursor);
  auto notify = [&](UINT event, int x, int y) {
    SendMessageW(tray->NotifyWindow(), TTrayIcon::kCallbackMessage, MAKEWPARAM(x, y),
                 MAKELPARAM(event, TTrayIcon::kIconId));
  };
  auto last = [&] { return menu->popups.empty() ? POINT{-1, -1} : menu->popups.back(); };
  notify(NIN_KEYSELECT, 900, 700);  // Enter or Space
  ASSERT_EQ(menu->popups.size(), 1u);
  EXPECT_EQ(last().x, 900);
  EXPECT_EQ(last().y, 700);
  notify(WM_CONTEXTMENU, 880, 690);  // the context-menu key
  ASSERT_EQ(menu->popups.size(), 2u);
  EXPECT_EQ(last().x, 880);
  EXPECT_EQ(last().y, 690);
  // A right click: the press opens the menu at the cursor, and the
  // context-menu notice that ends the click opens nothing more.
  notify(WM_RBUTTONDOWN, 905, 705);
  notify(WM_RBUTTONUP, 905, 705);
  notify(WM_CONTEXTMENU, 905, 705);
  notify(NIN_SELECT, 905, 705);
  ASSERT_EQ(menu->popups.size(), 3u);
  EXPECT_EQ(last().x, cursor.x);
  EXPECT_EQ(last().y, cursor.y);
  notify(WM_CONTEXTMENU, 870, 680);
  EXPECT_EQ(menu->popups.size(), 4u) << "the next context-menu key opens it again";
}

// Around the popup ours is the foreground window (the hidden one while the
// form is in the tray), and a null message follows, as tray menus need.
TEST_F(TrayTest, ThePopupTakesTheForegroundAndIsFollowedByANullMessage) {
  auto* menu = new FakeMenu(form);
  tray->SetPopupMenu(menu);
  int nulls = 0;
  TWindowProcHook* self = nullptr;
  TWindowProcHook watch(form->Handle(), [&](UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NULL) ++nulls;
    return self->CallPrevious(m, w, l);
  });
  self = &watch;
  for (bool shown : {true, false}) {
    if (shown)
      tray->RestoreMainWindow();
    else
      tray->HideMainWindow();
    nulls = 0;
    Mouse(WM_RBUTTONDOWN);
    EXPECT_EQ(GetForegroundWindow(), shown ? form->Handle() : tray->NotifyWindow()) << shown;
    PumpMessages(20);
    EXPECT_EQ(nulls, 1) << shown;
  }
}

class PlainForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TPlainForm"; }
};

// A tray of its own on a plain form, to watch the shell requests and hooks.
class OwnTrayTest : public testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<TApplication>();
    form = app->CreateForm<PlainForm>();
    tray = new CountingTray(form);
    std::vector<uint8_t> icon = Form1Icon();
    for (int i = 0; i < 3; ++i) list.AddIconData(icon);
  }
  static std::vector<uint8_t> Form1Icon() {
    TApplication probe;
    TForm1* main = probe.CreateForm<TForm1>();
    return main->TrayIcon->Icon().Data();
  }
  std::unique_ptr<TApplication> app;
  PlainForm* form = nullptr;
  CountingTray* tray = nullptr;
  TImageList list{nullptr};
};

TEST_F(OwnTrayTest, MinimisingTheApplicationHidesTheFormToTheTray) {
  tray->Loaded();
  form->Show();
  EXPECT_TRUE(tray->MinimizeToTray());
  // As the taskbar button does it.
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(app->Iconic());
  EXPECT_TRUE(tray->IconVisible());
  tray->SetMinimizeToTray(false);
  app->Restore();
  EXPECT_FALSE(app->Iconic());
  app->Minimize();
  EXPECT_TRUE(IsWindowVisible(form->Handle())) << "down on its taskbar button";
  EXPECT_TRUE(IsIconic(form->Handle()));
}

TEST_F(OwnTrayTest, TheTaskbarComingBackPutsTheIconBack) {
  tray->Loaded();
  int before = tray->adds;
  SendMessageW(app->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(tray->adds, before + 1);
  tray->SetIconVisible(false);
  SendMessageW(app->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(tray->adds, before + 1);
}

TEST_F(OwnTrayTest, IconIndexAndCyclingFollowTheImageList) {
  tray->SetIconIndex(2);
  EXPECT_EQ(tray->IconIndex(), 0);  // no list yet
  tray->SetIconList(&list);
  tray->SetIconIndex(7);
  EXPECT_EQ(tray->IconIndex(), 2);
  std::vector<int> next;
  tray->SetOnCycle([&](TObject*, int index) { next.push_back(index); });
  tray->SetAnimateTimerInterval(40);
  tray->SetCycleIcons(true);
  EXPECT_EQ(tray->IconIndex(), 0);
  PumpMessages(300);
  tray->SetCycleIcons(false);
  ASSERT_GE(next.size(), 4u);
  EXPECT_EQ(std::vector<int>(next.begin(), next.begin() + 4), (std::vector<int>{1, 2, 0, 1}));
  size_t stopped = next.size();
  PumpMessages(150);
  EXPECT_EQ(next.size(), stopped);
}

TEST_F(OwnTrayTest, DesignPreviewShowsAndHidesWithoutTouchingIconVisible) {
  tray->SetIconVisible(false);
  int adds = tray->adds, removes = tray->removes;
  tray->SetDesignPreview(true);
  EXPECT_EQ(tray->adds, adds + 1);
  EXPECT_FALSE(tray->IconVisible());
  tray->SetIconVisible(true);
  tray->SetDesignPreview(false);
  EXPECT_EQ(tray->removes, removes + 1);
  EXPECT_TRUE(tray->IconVisible());
}

TEST_F(OwnTrayTest, MinimizedOnStartKeepsTheApplicationHidden) {
  tray->SetMinimizedOnStart(true);
  tray->SetMinimizeToTray(false);
  tray->Loaded();
  EXPECT_FALSE(app->ShowMainForm());
  EXPECT_TRUE(tray->MinimizeToTray());
  EXPECT_TRUE(tray->IconVisible());
  // No window paints, so the icon the hidden form is reached by comes at once.
  PumpMessages(50);
  EXPECT_EQ(tray->adds, 1);
}

TEST_F(OwnTrayTest, DestructionRemovesTheIconAndBothHooks) {
  tray->Loaded();
  form->Show();
  delete tray;
  // Minimising no longer sends the form to the tray.
  app->Minimize();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  SendMessageW(form->Handle(), WM_SHOWWINDOW, 1, 0);
}

// --- the link label --------------------------------------------------------------

class FakeShell : public LinkShell {
 public:
  bool succeed = true;
  std::vector<std::string> opened;
  int chooser = 0;
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return succeed;
  }
  void ChooseHtmProgram() override { ++chooser; }
};

class LabelTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    SetLinkShell(&shell);
    label = form->URLLabel1;
  }
  void TearDown() override {
    SetLinkShell(nullptr);
    MainFormTest::TearDown();
  }
  FakeShell shell;
  TURLLabel* label = nullptr;
};

TEST_F(LabelTest, ClickingOpensTheAddressWithItsSchemeAndTurnsVisited) {
  form->Show();
  EXPECT_EQ(label->Font().Color(), clHighlight);
  EXPECT_EQ(label->VisitedColor(), clNavy);
  HWND window = label->Handle();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  // The shell takes a name without a scheme for a file, and fails to open it.
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_TRUE(shell.opened[0].starts_with("https://")) << shell.opened[0];
  EXPECT_NE(shell.opened[0].find(label->Caption()), std::string::npos) << "the address the caption shows";
  EXPECT_TRUE(label->Visited());
  EXPECT_EQ(label->Font().Color(), clNavy);
  // Released outside: no click.
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(-5, 2));
  EXPECT_EQ(shell.opened.size(), 1u);
}

TEST_F(LabelTest, ARealDoubleClickOpensTheAddressOnce) {
  form->Show();
  BringToFront(*form);
  POINT at{3, 3};
  ClientToScreen(label->Handle(), &at);
  ClickLeftAt(at, 2);
  PumpMessages(GetDoubleClickTime() + 100);
  EXPECT_EQ(shell.opened.size(), 1u);
  ClickLeftAt(at, 1);  // past the double-click time: a click of its own
  PumpMessages(100);
  EXPECT_EQ(shell.opened.size(), 2u);
}

TEST_F(LabelTest, TheUrlWinsUnlessBlankAndABlankTargetDoesNothing) {
  label->SetURL("  ");
  label->Click();
  label->SetURL(" http://example.org/ ");
  label->Click();
  label->SetURL("");
  label->SetCaption(" \t");
  label->Click();
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"vespermark.example.org", " http://example.org/ "}));
}

TEST_F(LabelTest, AFailedOpenOffersAProgramOnlyForHtmPages) {
  shell.succeed = false;
  label->SetURL("C:\\docs\\INDEX.HTM");
  label->Click();
  EXPECT_EQ(shell.chooser, 1);
  EXPECT_FALSE(label->Visited());
  label->SetURL("C:\\docs\\readme.txt");
  label->Click();
  EXPECT_EQ(shell.chooser, 1);
  EXPECT_EQ(label->Font().Color(), clHighlight);
}

TEST_F(LabelTest, HandCursorColoursAndSize) {
  EXPECT_EQ(label->Cursor(), 26000);
  EXPECT_EQ(CursorHandle(26000), LoadCursorW(nullptr, IDC_HAND));
  label->SetVisited(true);
  label->SetVisitedColor(clRed);
  EXPECT_EQ(label->Font().Color(), clRed);
  label->SetVisited(false);
  EXPECT_EQ(label->Font().Color(), clHighlight);
  // Sized to its caption and drawn over what the form shows behind it.
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, label->FontHandle());
  SIZE size;
  GetTextExtentPoint32W(dc, L"vespermark.example.org", 22, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(label->Width(), size.cx);
  EXPECT_EQ(label->Height(), size.cy);
  form->Show();
  PumpMessages(100);
  UpdateWindow(label->Handle());
  // The form tiles its skin's client piece; one piece further right the
  // form's own pixel is the one the label must show at its corner.
  const int32_t piece = form->SkinData1->clientrect.Width();
  HDC labelDC = GetDC(label->Handle());
  HDC formDC = GetDC(form->Handle());
  EXPECT_EQ(GetPixel(labelDC, 0, 0), GetPixel(formDC, label->Left() + piece, label->Top()));
  EXPECT_NE(GetPixel(labelDC, 0, 0), GetSysColor(COLOR_BTNFACE)) << "not the plain colour";
  ReleaseDC(form->Handle(), formDC);
  ReleaseDC(label->Handle(), labelDC);
}

}  // namespace
