// The skinned popup menus on the real main window: the system menu on the
// caption, the tray icon's menu, levels, the open delay, keys, scrolling.
#include <string>
#include <vector>

#include "ui/system/window_platform_win.h"
#include "skin/frame/skin_form_win.h"
#include "skin/frame/skin_frame_win.h"
#include "skin/menu/skin_menu_win.h"
#include "wine_support.h"

namespace {

class SkinMenuTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    form->Show();
    PumpMessages(100);
    window = form->Handle();
  }
  TSkinFrame& Frame() { return *form->SkinForm1->Frame(); }
  TSkinMenu& Menu() { return Frame().Menu(); }
  std::vector<std::string> Captions(size_t level) {
    std::vector<std::string> captions;
    for (const TMenuItem& item : Menu().Level(level).Items()) captions.push_back(item.Caption);
    return captions;
  }
  // The centre of an item of a level, in that level's client coordinates.
  LPARAM ItemPoint(size_t level, int32_t index) {
    TSkinPopupWindow& popup = Menu().Level(level);
    const TRect r = popup.ItemScreenRect(index);
    POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    ScreenToClient(popup.Handle(), &p);
    return MAKELPARAM(p.x, p.y);
  }
  // The pointer over an item of a level, as the window sees it.
  void Hover(size_t level, int32_t index) {
    SendMessageW(Menu().Level(level).Handle(), WM_MOUSEMOVE, 0, ItemPoint(level, index));
  }
  void Click(size_t level, int32_t index) {
    Hover(level, index);
    SendMessageW(Menu().Level(level).Handle(), WM_LBUTTONUP, 0, ItemPoint(level, index));
  }
  void RightClickCaption() {
    RECT r;
    GetWindowRect(window, &r);
    SetCursorPos(r.left + 60, r.top + 10);
    SendMessageW(window, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 60, r.top + 10));
  }
  TMenuItem Item(const std::string& caption, std::vector<TMenuItem> sub = {}) {
    TMenuItem item;
    item.Name = caption;
    item.Caption = caption;
    item.SubItems = std::move(sub);
    return item;
  }

  HWND window = nullptr;
};

TEST_F(SkinMenuTest, TheCaptionsSystemMenuNeverTakesActivationAndMinimizesToTheTray) {
  SetActiveWindow(window);
  RightClickCaption();
  ASSERT_TRUE(Menu().MenuOpen());
  EXPECT_EQ(Captions(0), (std::vector<std::string>{"Mi&nimize", "Minimize to &Tray", "-", "&Close"}));
  EXPECT_EQ(Menu().Level(0).Items()[3].ShortCut, "Alt+F4");
  HWND popup = Menu().Level(0).Handle();
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_TRUE(GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(Menu().Level(0).HotIndex(), 0) << "the first item is lit when the menu opens";
  SendMessageW(popup, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  PumpMessages(50);
  EXPECT_EQ(GetActiveWindow(), window) << "the form stays active";

  Click(0, 1);
  PumpMessages(50);
  EXPECT_FALSE(Menu().MenuOpen()) << "every level closes before the command runs";
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(form->TrayIcon->IconVisible());
}

TEST_F(SkinMenuTest, AnyPressOutsideTheLevelsClosesTheMenuHoweverShort) {
  // Press and release in one go, as a touchpad tap gives them.
  auto tap = [](POINT at, DWORD down, DWORD up) {
    SetCursorPos(at.x, at.y);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].mi.dwFlags = up;
    SendInput(2, input, sizeof(INPUT));
  };
  RECT face;
  GetWindowRect(form->TimePicker->Handle(), &face);
  const POINT onFace{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
  for (auto [down, up] : {std::pair{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                          std::pair{MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}}) {
    RightClickCaption();
    ASSERT_TRUE(Menu().MenuOpen());
    const TRect separator = Menu().Level(0).ItemScreenRect(2);
    tap(POINT{(separator.Left + separator.Right) / 2, (separator.Top + separator.Bottom) / 2}, down, up);
    PumpMessages(100);
    EXPECT_TRUE(Menu().MenuOpen()) << "a press on the menu keeps it";
    tap(onFace, down, up);
    PumpMessages(100);
    EXPECT_FALSE(Menu().MenuOpen());
  }
}

TEST_F(SkinMenuTest, AMenuClosesWhenItsSkinIsReloadedOrDestroyed) {
  RightClickCaption();
  ASSERT_TRUE(Menu().MenuOpen());
  form->SkinData1->LoadCompressedStoredSkin(*form->CompressedStoredSkin1);
  EXPECT_FALSE(Menu().MenuOpen()) << "a reload frees the objects the menu draws from";
  RightClickCaption();
  ASSERT_TRUE(Menu().MenuOpen());
  delete form->SkinData1;
  EXPECT_FALSE(Menu().MenuOpen());
  PumpMessages(50);
}

TEST_F(SkinMenuTest, TheTrayMenuRestoresAndCloses) {
  form->SkinForm1->MinimizeFormToTray();
  PumpMessages(50);
  ASSERT_FALSE(IsWindowVisible(window));
  SendMessageW(form->TrayIcon->NotifyWindow(), TTrayIcon::kCallbackMessage, 1, WM_RBUTTONDOWN);
  ASSERT_TRUE(Menu().MenuOpen());
  EXPECT_EQ(Captions(0), (std::vector<std::string>{"&Restore", "-", "&Close"}));
  Click(0, 1);  // a separator is never chosen
  EXPECT_TRUE(Menu().MenuOpen());
  Click(0, 0);
  PumpMessages(100);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(form->TrayIcon->IconVisible()) << "the form keeps its icon in the tray";

  SendMessageW(form->TrayIcon->NotifyWindow(), TTrayIcon::kCallbackMessage, 1, WM_RBUTTONDOWN);
  Click(0, 2);
  EXPECT_TRUE(PumpMessages(100)) << "Close ends the program";
}

TEST_F(SkinMenuTest, SubMenusOpenAfterTheDelayOrAtOnceAndKeysWalkTheLevels) {
  std::vector<std::string> chosen;
  auto run = [&](const TMenuItem& item) { chosen.push_back(item.Caption); };
  const std::vector<TMenuItem> items{Item("&One"), Item("&More", {Item("&Inner"), Item("I&tem")}), Item("Tw&o")};
  Frame().ShowMenu(items, TRect{200, 200, 200, 200}, run);
  ASSERT_EQ(Menu().LevelCount(), 1u);

  Hover(0, 1);
  PumpMessages(250);
  EXPECT_EQ(Menu().LevelCount(), 1u) << "not before 500 ms";
  Hover(0, 2);  // moved on: the pending sub-menu is cancelled
  PumpMessages(700);
  EXPECT_EQ(Menu().LevelCount(), 1u);
  Hover(0, 1);
  PumpMessages(700);
  ASSERT_EQ(Menu().LevelCount(), 2u);
  const TRect parent = Menu().Level(0).ItemScreenRect(1), child = Menu().Level(1).ItemScreenRect(0);
  EXPECT_EQ(child.Top, parent.Top) << "level with its parent item";
  EXPECT_GT(child.Left, parent.Right);

  EXPECT_TRUE(Menu().KeyDown(VK_ESCAPE, 0));
  EXPECT_EQ(Menu().LevelCount(), 1u) << "Escape closes one level";
  Click(0, 1);
  EXPECT_EQ(Menu().LevelCount(), 2u) << "a click opens the sub-menu at once";
  Menu().KeyDown(VK_DOWN, 0);
  EXPECT_EQ(Menu().Level(1).HotIndex(), 1);
  Menu().KeyDown(VK_DOWN, 0);
  EXPECT_EQ(Menu().Level(1).HotIndex(), 0) << "wraps at the end";
  Menu().KeyDown('T', u'T');  // an accelerator picks and runs its item
  EXPECT_FALSE(Menu().MenuOpen());
  // The parent ran its own command each time its sub-menu opened: after the delay and on the click.
  EXPECT_EQ(chosen, (std::vector<std::string>{"&More", "&More", "I&tem"}));
}

TEST_F(SkinMenuTest, AMenuTallerThanTheWorkAreaScrollsAndUpWrapsToTheLastPage) {
  std::vector<TMenuItem> items;
  for (int i = 0; i < 80; ++i) items.push_back(Item("Item " + std::to_string(i)));
  Frame().ShowMenu(items, TRect{200, 200, 200, 200}, nullptr);
  TSkinPopupWindow& popup = Menu().Level(0);
  ASSERT_TRUE(popup.Scrolling());
  RECT r;
  GetWindowRect(popup.Handle(), &r);
  const TRect work = GetMonitorArea(window, true);
  EXPECT_EQ(r.top, work.Top) << "a scrolling window starts at the work area's top";
  EXPECT_LE(r.bottom - r.top, work.Height());
  Menu().KeyDown(VK_UP, 0);
  EXPECT_EQ(popup.HotIndex(), 79);
  EXPECT_GT(popup.FirstShown(), 0) << "scrolled so that the last item shows";
  Menu().CloseAll();
}

TEST_F(SkinMenuTest, FiftyOpeningsLeakNoHandles) {
  auto openAndClose = [&] {
    RightClickCaption();
    PumpMessages(10);
    Menu().CloseAll();
    PumpMessages(10);
  };
  for (int i = 0; i < 3; ++i) openAndClose();
  PumpMessages(100);  // the closed windows are freed by the next watch tick
  const int gdi = GdiObjectCount(), user = UserObjectCount();
  for (int i = 0; i < 50; ++i) openAndClose();
  PumpMessages(100);
  // A few shared objects come and go with painting; a leak per opening would add 50.
  EXPECT_LE(GdiObjectCount(), gdi + 5);
  EXPECT_LE(UserObjectCount(), user + 5);
}

}  // namespace
