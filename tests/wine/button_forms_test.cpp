// The skinned push button as its fixture form stores it: every stored
// property acts and every stored event fires.
#include "fixture_form.h"
#include "skin/controls/skin_button_win.h"
#include "ui/cursors_win.h"
#include "wine_support.h"

namespace {

class ButtonFormTest : public FixtureFormTest {
 protected:
  void SetUp() override {
    FixtureFormTest::SetUp();
    Load(L"FIXTURE_BUTTON");
    button = form->Find<TSkinButton>("Button");
    group = form->Find<TSkinButton>("GroupButton");
    hidden = form->Find<TSkinButton>("HiddenButton");
    menu = form->Find<TFixtureMenu>("Menu1");
    UpdateWindow(form->Handle());
  }
  void Send(TSkinButton* target, UINT message, WPARAM wParam = 0, LPARAM lParam = PointParam(5, 5)) {
    SendMessageW(target->Handle(), message, wParam, lParam);
  }
  TSkinButton* button = nullptr;
  TSkinButton* group = nullptr;
  TSkinButton* hidden = nullptr;
  TFixtureMenu* menu = nullptr;
};

// Caption, glyph, margin, spacing, layout and default font: the loaded
// button draws exactly as one given the same values in code.
TEST_F(ButtonFormTest, TheStoredLookDrawsAsAButtonSetUpInCode) {
  TSkinButton made(nullptr);
  made.SetParent(form);
  made.SetCaption("&Press");
  PixelImage glyph(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) glyph.Set(x, y, BgrOf(clRed));
  made.SetGlyph(std::move(glyph));
  made.SetMargin(4);
  made.SetSpacing(3);
  made.SetLayout(blGlyphRight);
  made.SetUseSkinFont(false);
  made.DefaultFont().SetColor(clMaroon);
  made.DefaultFont().SetStyle(fsBold);
  made.SetBounds(button->Left(), button->Top(), button->Width(), button->Height());
  SetFocus(form->Handle());
  UpdateWindow(form->Handle());
  auto loaded = RenderClient(*button), expected = RenderClient(made);
  EXPECT_TRUE(SamePixels(*loaded, *expected));
  made.SetParent(nullptr);
}

TEST_F(ButtonFormTest, StoredSizesGroupsAndVisibilityAct) {
  // Without a skin the default size replaces the stored 90 x 30.
  EXPECT_EQ(button->Width(), 80);
  EXPECT_EQ(button->Height(), 24);
  // The group button is down, takes no focus, and with AllowAllUp a click raises it.
  EXPECT_TRUE(group->Down());
  EXPECT_FALSE(group->CanFocused());
  Send(group, WM_MOUSEMOVE);
  Send(group, WM_LBUTTONDOWN, MK_LBUTTON);
  Send(group, WM_LBUTTONUP);
  EXPECT_FALSE(group->Down());
  // Aligned to the bottom, it spans the form there.
  EXPECT_EQ(group->Width(), form->ClientWidth());
  EXPECT_EQ(group->Top() + group->Height(), form->ClientHeight());
  EXPECT_FALSE(IsWindowVisible(hidden->Handle()));
  EXPECT_FALSE(IsWindowEnabled(hidden->Handle()));
  SendMessageW(button->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(button->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), CursorHandle(crHandPoint));
  // Anchored to the right and bottom, it keeps its distance to both.
  const int right = form->ClientWidth() - button->Left(), bottom = form->ClientHeight() - button->Top();
  form->SetClientWidth(form->ClientWidth() + 30);
  form->SetClientHeight(form->ClientHeight() + 20);
  PumpMessages(20);
  EXPECT_EQ(form->ClientWidth() - button->Left(), right);
  EXPECT_EQ(form->ClientHeight() - button->Top(), bottom);
}

// TabStop is off and CanFocused on: the press itself takes the focus, and
// the click, the form's modal result and the mouse events follow, the
// release reported after the click.
TEST_F(ButtonFormTest, APressTakesTheFocusWithoutATabStopAndClicks) {
  EXPECT_FALSE(GetWindowLongW(button->Handle(), GWL_STYLE) & WS_TABSTOP);
  SetFocus(form->Handle());
  form->fired.clear();
  Send(button, WM_MOUSEMOVE);
  Send(button, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_TRUE(button->Focused());
  Send(button, WM_LBUTTONUP);
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"ButtonMouseEnter", "ButtonMouseMove", "ButtonMouseDown",
                                                        "ButtonClick", "ButtonMouseUp"}));
  EXPECT_EQ(form->ModalResult(), 7);
  const FiredEvent* up = form->Last("ButtonMouseUp");
  EXPECT_EQ(up->sender, button);
  EXPECT_EQ(up->button, mbLeft);
  EXPECT_EQ(up->x, 5);
  // The right button is no press of the button, but its events still fire.
  Send(button, WM_RBUTTONDOWN, MK_RBUTTON);
  Send(button, WM_RBUTTONUP);
  EXPECT_EQ(form->Count("ButtonClick"), 1);
  EXPECT_EQ(form->Last("ButtonMouseUp")->button, mbRight);
}

TEST_F(ButtonFormTest, KeysClickAndFireTheKeyEvents) {
  button->SetFocus();
  form->fired.clear();
  Send(button, WM_KEYDOWN, VK_SPACE, 0);
  Send(button, WM_KEYUP, VK_SPACE, 0);
  Send(button, WM_CHAR, 'q', 0);
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"ButtonKeyDown", "ButtonClick", "ButtonKeyUp", "ButtonKeyPress"}));
  EXPECT_EQ(form->Last("ButtonKeyDown")->key, VK_SPACE);
  EXPECT_EQ(form->Last("ButtonKeyPress")->key, 'q');
  // Default answers Enter, Cancel answers Escape, the caption's accelerator clicks.
  form->fired.clear();
  EXPECT_TRUE(form->DialogKey(VK_RETURN, 0));
  EXPECT_TRUE(form->DialogKey(VK_ESCAPE, 0));
  EXPECT_TRUE(form->DialogChar(u'p'));
  EXPECT_EQ(form->Count("ButtonClick"), 3);
}

TEST_F(ButtonFormTest, ResizingAndTheContextMenuFireTheirEvents) {
  form->fired.clear();
  button->SetBounds(button->Left(), button->Top(), 100, 40);
  EXPECT_EQ(form->Count("ButtonResize"), 1);
  POINT screen{3, 3};
  ClientToScreen(button->Handle(), &screen);
  Send(button, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->Handle()), PointParam(screen.x, screen.y));
  ASSERT_EQ(menu->popups.size(), 1u);
  EXPECT_EQ(menu->popups[0].y, screen.y);
  EXPECT_EQ(menu->popupComponent, button);
}

}  // namespace
