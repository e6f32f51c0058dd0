// A popup menu read from a form stream with its items (tests/fixtures/forms/
// menu.txt): images, check and radio marks in the plain and the skinned
// look, hidden items left out, and a click running the item's own handler.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/codecs/ico_file.h"
#include "ui/system/window_platform_win.h"
#include "fixture_form.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skin_form_win.h"
#include "skin/frame/skin_frame_win.h"
#include "skin/frame/skin_popup_menu_win.h"
#include "skin/menu/menu_item_component.h"
#include "skin/menu/skin_menu_win.h"
#include "ui/action.h"
#include "ui/system/handles_win.h"
#include "ui/graphics/image_list_win.h"
#include "wine_support.h"

namespace {

// Opaque green as an icon pixel (ARGB) and as GetPixel reads it.
constexpr uint32_t kGreenArgb = 0xFF00C000;
constexpr COLORREF kGreen = RGB(0, 0xC0, 0);
// Left of every caption in both looks: the mark column of 16-pixel images.
constexpr int kMarkColumn = 21;

std::vector<uint8_t> SolidIcon(uint32_t argb) {
  const std::vector<uint32_t> pixels(16 * 16, argb);
  return BuildIconFile(std::vector<IconEntry>{IconEntry32(16, pixels)});
}

class PopupMenuFormTest : public FixtureFormTest {
 protected:
  void Open() {
    SetCursorPos(5, 5);  // away from the menu: only the test's moves reach it
    popup->Popup(300, 200);
    PumpMessages(100);
  }
  TSkinMenu& Menu() { return form->Find<TSkinForm>("SkinForm1")->Frame()->Menu(); }
  TSkinPopupWindow& Level0() { return Menu().Level(0); }
  LPARAM ItemPoint(int32_t index) {
    const TRect r = Level0().ItemScreenRect(index);
    POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    ScreenToClient(Level0().Handle(), &p);
    return MAKELPARAM(p.x, p.y);
  }
  // The item's mark column as it is on the screen, row by row.
  std::vector<COLORREF> MarkColumn(int32_t index) {
    const TRect r = Level0().ItemScreenRect(index);
    POINT at{r.Left, r.Top};
    ScreenToClient(Level0().Handle(), &at);
    std::vector<COLORREF> pixels;
    WindowDC dc(Level0().Handle());
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < kMarkColumn; ++x) pixels.push_back(GetPixel(dc.Get(), at.x + x, at.y + y));
    return pixels;
  }
  static int CountOf(const std::vector<COLORREF>& pixels, COLORREF colour) {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
  }
  TMenuItemComponent* Item(std::string_view name) { return form->Find<TMenuItemComponent>(name); }

  TSkinPopupMenu* popup = nullptr;
};

TEST_F(PopupMenuFormTest, StreamedItemsShowImagesAndMarksInBothLooksAndRunTheirOwnClicks) {
  Load(L"FIXTURE_MENU");
  ASSERT_TRUE(errors.empty());
  popup = form->Find<TSkinPopupMenu>("Popup1");
  ASSERT_NE(popup, nullptr);
  form->Find<TImageList>("Images1")->AddIconData(SolidIcon(kGreenArgb));

  for (const bool skinned : {false, true}) {
    SCOPED_TRACE(skinned ? "skinned" : "plain");
    popup->SetSkinData(skinned ? form->Find<TSkinData>("SkinData1") : nullptr);
    Item("Small1")->SetChecked(true);
    form->fired.clear();
    Open();
    ASSERT_TRUE(Menu().MenuOpen());
    EXPECT_EQ(Menu().Skin().Skinned(), skinned);
    EXPECT_EQ(form->Handlers(), std::vector<std::string>{"Popup1Popup"});
    std::vector<std::string> captions;
    for (const TMenuItem& item : Level0().Items()) captions.push_back(item.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"&Open", "&Wrap", "-", "&Small", "&Large", "Sa&ve", "&More"}));
    EXPECT_EQ(Level0().Items()[0].ShortCut, "Ctrl+O");
    EXPECT_EQ(Level0().Items()[5].ShortCut, "Ctrl+S");  // the action's

    // The image shows on its item only; an index past the list gives the check mark.
    const std::vector<COLORREF> open = MarkColumn(0), wrap = MarkColumn(1), small = MarkColumn(3),
                                large = MarkColumn(4);
    EXPECT_GT(CountOf(open, kGreen), 150);
    EXPECT_EQ(CountOf(wrap, kGreen), 0);
    // A check mark, a radio mark and no mark: three different columns.
    EXPECT_NE(wrap, small);
    EXPECT_NE(wrap, large);
    EXPECT_NE(small, large);
    const TRect window = WindowBounds(Level0().Handle());
    SaveScreen(skinned ? "menu-skinned" : "menu-plain",
               RECT{window.Left - 10, window.Top - 10, window.Right + 10, window.Bottom + 10});

    // A click closes the menu and runs the item's handler, the item its sender.
    SendMessageW(Level0().Handle(), WM_MOUSEMOVE, 0, ItemPoint(4));
    SendMessageW(Level0().Handle(), WM_LBUTTONUP, 0, ItemPoint(4));
    EXPECT_FALSE(Menu().MenuOpen());
    EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"Popup1Popup", "Large1Click"}));
    ASSERT_NE(form->Last("Large1Click"), nullptr);
    EXPECT_EQ(form->Last("Large1Click")->sender, Item("Large1"));

    // The handler's part: it checks the clicked radio item, and the mark moves
    // to it from the other item of its group the next time the menu opens.
    Item("Large1")->SetChecked(true);
    Open();
    EXPECT_EQ(MarkColumn(4), small);
    EXPECT_EQ(MarkColumn(3), large);
    Menu().CloseAll();
  }
  // The default item is what a double click on a tray icon runs.
  form->fired.clear();
  popup->ClickDefaultItem();
  EXPECT_EQ(form->Handlers(), std::vector<std::string>{"Open1Click"});

  // An item with an action runs it, by the keys as well: Down to it, Enter.
  form->fired.clear();
  Open();
  for (int down = 0; down < 4; ++down) Menu().KeyDown(VK_DOWN, 0);
  ASSERT_EQ(Level0().HotIndex(), 5);
  Menu().KeyDown(VK_RETURN, 0);
  EXPECT_FALSE(Menu().MenuOpen());
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"Popup1Popup", "Save1Execute"}));
  EXPECT_EQ(form->Last("Save1Execute")->sender, form->Find<TAction>("Save1"));
}

}  // namespace
