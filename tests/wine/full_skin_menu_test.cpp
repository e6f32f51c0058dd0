// The skinned menus under the full test skin, whose menu item morphs: the
// morph painted frame by frame, the fade-in, the marks of open sub-menus,
// parent items' commands, popup menus dropped at a rectangle or from a
// caption button, and the form's own menu skin.
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "full_skin_form.h"
#include "skin/frame/caption_objects.h"
#include "skin/frame/skin_frame_win.h"
#include "skin/frame/skin_popup_menu_win.h"
#include "skin/menu/skin_menu_win.h"
#include "ui/system/handles_win.h"
#include "wine_support.h"

namespace {

TMenuItem Item(const std::string& caption, std::vector<TMenuItem> sub = {}, bool enabled = true) {
  TMenuItem item;
  item.Name = item.Caption = caption;
  item.SubItems = std::move(sub);
  item.Enabled = enabled;
  return item;
}

std::vector<std::string> Captions(const std::vector<TMenuItem>& items) {
  std::vector<std::string> captions;
  for (const TMenuItem& item : items) captions.push_back(item.Caption);
  return captions;
}

class FullSkinMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<TApplication>();
    form = new TFullSkinForm(app.get(), TBorderStyle::bsSingle);
    app->AdoptMainForm(form);
    form->SetBounds(120, 90, 300, 210);
    form->Show();
    SetForegroundWindow(form->Handle());
    // Away from the menus: their pointer polling must see only the test's moves.
    SetCursorPos(5, 5);
    PumpMessages(100);
  }
  void TearDown() override {
    app.reset();
    PumpMessages(0);
  }
  TSkinFrame& Frame() { return *form->SkinForm->Frame(); }
  TSkinMenu& Menu() { return Frame().Menu(); }
  TSkinPopupWindow& Level(size_t level) { return Menu().Level(level); }
  LPARAM ItemPoint(size_t level, int32_t index) {
    const TRect r = Level(level).ItemScreenRect(index);
    POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    ScreenToClient(Level(level).Handle(), &p);
    return MAKELPARAM(p.x, p.y);
  }
  void Hover(size_t level, int32_t index) {
    SendMessageW(Level(level).Handle(), WM_MOUSEMOVE, 0, ItemPoint(level, index));
  }
  void Click(size_t level, int32_t index) {
    Hover(level, index);
    SendMessageW(Level(level).Handle(), WM_LBUTTONUP, 0, ItemPoint(level, index));
  }
  // The item's middle row as it is on the screen.
  std::vector<uint32_t> ItemRow(int32_t index) {
    TSkinPopupWindow& popup = Level(0);
    const TRect r = popup.ItemScreenRect(index);
    POINT at{r.Left, (r.Top + r.Bottom) / 2};
    ScreenToClient(popup.Handle(), &at);
    std::vector<uint32_t> row;
    WindowDC dc(popup.Handle());
    for (int x = 0; x < r.Width(); ++x) row.push_back(GetPixel(dc.Get(), at.x + x, at.y));
    return row;
  }
  // The distinct looks the item shows while the message loop runs for `ms`.
  std::vector<std::vector<uint32_t>> WatchItem(int32_t index, int ms) {
    std::vector<std::vector<uint32_t>> looks{ItemRow(index)};
    for (int waited = 0; waited < ms; waited += 4) {
      PumpMessages(4);
      std::vector<uint32_t> row = ItemRow(index);
      if (row != looks.back()) looks.push_back(std::move(row));
    }
    return looks;
  }

  ScopedSkinNoticeSink skinNotices{WindowSkinNotices()};
  std::unique_ptr<TApplication> app;
  TFullSkinForm* form = nullptr;
};

TEST_F(FullSkinMenuTest, AnItemsMorphPaintsItsFramesForwardAndBackEveryTime) {
  Frame().ShowMenu({Item("&First"), Item("&Second")}, TRect{200, 200, 200, 200}, nullptr);
  ASSERT_TRUE(Menu().MenuOpen());
  PumpMessages(400);  // the first item, lit as the menu opened, has morphed in
  const std::vector<uint32_t> normal = ItemRow(1);
  for (int round = 0; round < 2; ++round) {
    Hover(0, 1);
    EXPECT_NE(ItemRow(1), normal) << "the highlight shows at once, round " << round;
    const auto forward = WatchItem(1, 500);
    EXPECT_GE(forward.size(), 5u) << "frames between the faces, round " << round;
    EXPECT_EQ(Level(0).ItemLook(1).BlendPos, 1.0);
    const std::vector<uint32_t> active = forward.back();
    EXPECT_NE(active, normal);

    Hover(0, 0);
    const auto back = WatchItem(1, 500);
    EXPECT_GE(back.size(), 5u) << "round " << round;
    EXPECT_EQ(back.back(), normal) << "back on its normal face, round " << round;
  }
  Menu().CloseAll();
}

TEST_F(FullSkinMenuTest, TheFadeInStepsTheAlphaOverTime) {
  form->SkinForm->SetMenusAlphaBlend(true);
  form->SkinForm->SetMenusAlphaBlendAnimation(true);
  form->SkinForm->SetMenusAlphaBlendValue(150);
  Frame().ShowMenu({Item("&First"), Item("&Second", {Item("&Inner")})}, TRect{200, 200, 200, 200}, nullptr);
  ASSERT_TRUE(Menu().MenuOpen());
  HWND popup = Level(0).Handle();
  auto alpha = [&] {
    BYTE value = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(popup, nullptr, &value, &flags);
    return int{value};
  };
  std::vector<int> seen{alpha()};
  EXPECT_LT(seen.front(), 150) << "the menu is shown before it is opaque";
  for (int waited = 0; waited < 1500 && seen.back() < 150; waited += 5) {
    PumpMessages(5);
    if (alpha() != seen.back()) seen.push_back(alpha());
  }
  EXPECT_EQ(seen.back(), 150);
  EXPECT_GE(seen.size(), 10u) << "many steps, each painted";
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));

  Click(0, 1);
  ASSERT_EQ(Menu().LevelCount(), 2u);
  BYTE subAlpha = 0;
  GetLayeredWindowAttributes(Level(1).Handle(), nullptr, &subAlpha, nullptr);
  EXPECT_EQ(subAlpha, 150) << "only the first window of a menu fades in";
  Menu().CloseAll();
}

TEST_F(FullSkinMenuTest, ASubMenusMarkGoesWithItHoweverItCloses) {
  const std::vector<TMenuItem> items{Item("&One"), Item("&More", {Item("&Inner")}), Item("O&ff", {}, false),
                                          Item("Tw&o")};
  Frame().ShowMenu(items, TRect{200, 200, 200, 200}, nullptr);
  auto openMore = [&](const char* when) {
    Click(0, 1);
    ASSERT_EQ(Menu().LevelCount(), 2u) << when;
    EXPECT_TRUE(Level(0).ItemLook(1).SubOpen) << when;
  };
  openMore("first");
  Hover(0, 3);  // a sibling takes the pointer: the sub-menu closes
  EXPECT_EQ(Menu().LevelCount(), 1u);
  EXPECT_FALSE(Level(0).ItemLook(1).SubOpen);
  EXPECT_FALSE(Level(0).ItemLook(1).Lit) << "no longer drawn lit";
  openMore("after a sibling");

  Hover(0, 2);  // a disabled item neither lights nor closes the sub-menu
  ASSERT_EQ(Menu().LevelCount(), 2u);
  Menu().KeyDown(VK_ESCAPE, 0);
  EXPECT_EQ(Menu().LevelCount(), 1u);
  EXPECT_FALSE(Level(0).ItemLook(1).SubOpen) << "Escape clears the parent's mark, not the hot item's";
  openMore("after Escape");
  Menu().CloseAll();
}

TEST_F(FullSkinMenuTest, OpeningASubMenuRunsItsParentsCommandFirst) {
  std::vector<std::string> chosen;
  bool closeOnParent = false;
  auto run = [&](const TMenuItem& item) {
    chosen.push_back(item.Caption);
    if (closeOnParent && item.Caption == "&More") Menu().CloseAll();
  };
  const std::vector<TMenuItem> items{Item("&One"), Item("&More", {Item("&Inner")})};
  Frame().ShowMenu(items, TRect{200, 200, 200, 200}, run);
  Click(0, 1);
  EXPECT_EQ(chosen, std::vector<std::string>{"&More"});
  ASSERT_EQ(Menu().LevelCount(), 2u);
  Click(1, 0);
  EXPECT_EQ(chosen, (std::vector<std::string>{"&More", "&Inner"}));
  EXPECT_FALSE(Menu().MenuOpen());

  // A parent command that closes the menu leaves it closed.
  closeOnParent = true;
  chosen.clear();
  Frame().ShowMenu(items, TRect{200, 200, 200, 200}, run);
  Click(0, 1);
  EXPECT_EQ(chosen, std::vector<std::string>{"&More"});
  EXPECT_FALSE(Menu().MenuOpen());
  EXPECT_EQ(Menu().LevelCount(), 0u);
}

TEST_F(FullSkinMenuTest, APopupMenuShowsAtARectangleOnItsComponentFormAndFromAButton) {
  // Owned by the application, it finds its frame only through ComponentForm.
  auto* popup = new TSkinPopupMenu(app.get());
  popup->Items = {Item("&Alpha"), Item("&Beta")};
  int popups = 0;
  popup->SetOnPopup([&](TObject* sender) {
    EXPECT_EQ(sender, popup);
    ++popups;
    popup->Items.push_back(Item("&Gamma"));
  });
  const TRect anchor{300, 400, 360, 420};
  popup->PopupAtRect(anchor, true);
  EXPECT_EQ(popups, 1);
  EXPECT_FALSE(Menu().MenuOpen()) << "no frame to show it";

  popup->SetComponentForm(form);
  popup->PopupAtRect(anchor, true);
  ASSERT_TRUE(Menu().MenuOpen());
  EXPECT_EQ(Captions(Level(0).Items()), (std::vector<std::string>{"&Alpha", "&Beta", "&Gamma", "&Gamma"}));
  RECT r;
  GetWindowRect(Level(0).Handle(), &r);
  EXPECT_EQ(r.bottom, anchor.Top) << "upward: it ends on the rectangle's top";
  EXPECT_EQ(r.left, anchor.Left);
  Menu().CloseAll();

  // A caption button drops down the items it is given.
  TSkinButtonObject* button = nullptr;
  for (size_t i = 0; i < Frame().Objects().Count() && !button; ++i)
    if (Frame().Objects()[i].IDName == "maxbutton") button = dynamic_cast<TSkinButtonObject*>(&Frame().Objects()[i]);
  ASSERT_NE(button, nullptr);
  button->AttachedItems = popup;
  button->DropAttachedItems();
  ASSERT_TRUE(Menu().MenuOpen());
  EXPECT_EQ(Captions(Level(0).Items()).size(), 5u);
  RECT frame, dropped;
  GetWindowRect(form->Handle(), &frame);
  GetWindowRect(Level(0).Handle(), &dropped);
  EXPECT_EQ(dropped.top, frame.top + button->ObjectRect.Bottom) << "below the button";
  Menu().CloseAll();
  button->AttachedItems = nullptr;
  delete popup;
}

TEST_F(FullSkinMenuTest, MenusDrawFromTheFormsMenuSkinWhileItLives) {
  auto itemHeight = [&] {
    Frame().ShowMenu({Item("&One")}, TRect{200, 200, 200, 200}, nullptr);
    const int height = Level(0).ItemScreenRect(0).Height();
    Menu().CloseAll();
    return height;
  };
  const int skinned = itemHeight();
  auto* plain = new TSkinData(form);  // holds no skin: the plain look
  form->SkinForm->SetMenusSkinData(plain);
  const int fromMenuSkin = itemHeight();
  EXPECT_EQ(fromMenuSkin, form->SkinForm->DefMenuItemHeight());
  EXPECT_NE(fromMenuSkin, skinned);
  delete plain;
  EXPECT_EQ(form->SkinForm->MenusSkinData(), nullptr);
  EXPECT_EQ(itemHeight(), skinned);
}

}  // namespace
