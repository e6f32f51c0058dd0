// The skinned push button as its fixture form stores it: every stored
// property acts and every stored event fires.
#include "base/codecs/ico_file.h"
#include "fixture_form.h"
#include "skin/controls/skin_button_win.h"
#include "ui/action_list_win.h"
#include "ui/graphics/canvas_win.h"
#include "ui/system/cursors_win.h"
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

// --- actions: the fixture's ActionButton shows Action1 and runs it; the
// OwnClickButton is linked to it too but keeps its own OnClick.

class ButtonActionTest : public ButtonFormTest {
 protected:
  void SetUp() override {
    ButtonFormTest::SetUp();
    actionButton = form->Find<TSkinButton>("ActionButton");
    ownClick = form->Find<TSkinButton>("OwnClickButton");
    action = form->Find<TAction>("Action1");
    form->fired.clear();
  }
  // A click of the real mouse in the middle of the button.
  void RealClick(TSkinButton* target) {
    POINT at{target->Width() / 2, target->Height() / 2};
    ClientToScreen(target->Handle(), &at);
    ClickLeftAt(at);
    PumpMessages(100);
  }
  TSkinButton* actionButton = nullptr;
  TSkinButton* ownClick = nullptr;
  TAction* action = nullptr;
};

TEST_F(ButtonActionTest, TheLinkedActionIsShownAndARealClickExecutesIt) {
  auto* list = form->Find<TActionList>("ActionList1");
  EXPECT_EQ(action->ActionList(), list);
  EXPECT_EQ(list->Images(), form->Find<TImageList>("Images1"));
  EXPECT_EQ(actionButton->Action(), action);
  EXPECT_EQ(actionButton->Caption(), "&Go");
  EXPECT_EQ(actionButton->Hint(), "Runs the action");

  RealClick(actionButton);
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"Action1Update", "Action1Execute"}));
  EXPECT_EQ(form->Last("Action1Execute")->sender, action);

  // What the action shows later, the button shows too.
  action->SetCaption("&Run");
  action->SetHint("Runs it now");
  EXPECT_EQ(actionButton->Caption(), "&Run");
  EXPECT_EQ(actionButton->Hint(), "Runs it now");
  action->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(actionButton->Handle()));
  action->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(actionButton->Handle()));
}

// With a link, Click (the program's own click) does nothing; the user's
// click runs a button's own OnClick instead of the action. Once the action
// goes, the button clicks as the action's handler did.
TEST_F(ButtonActionTest, ClickDoesNothingWithALinkAndAnOwnOnClickWins) {
  actionButton->Click();
  ownClick->Click();
  EXPECT_TRUE(form->fired.empty());

  RealClick(ownClick);
  EXPECT_EQ(form->Handlers(), std::vector<std::string>{"OwnClickButtonClick"});
  EXPECT_EQ(form->Last("OwnClickButtonClick")->sender, ownClick);

  form->fired.clear();
  delete action;
  EXPECT_EQ(actionButton->Action(), nullptr);
  EXPECT_EQ(ownClick->Action(), nullptr);
  actionButton->Click();
  ownClick->Click();
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"Action1Execute", "OwnClickButtonClick"}));
  EXPECT_EQ(form->Last("Action1Execute")->sender, actionButton);
}

TEST_F(ButtonActionTest, TheActionsEnabledDisablesTheButton) {
  action->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(actionButton->Handle()));
  EXPECT_FALSE(actionButton->Enabled());
  RealClick(actionButton);
  EXPECT_TRUE(form->fired.empty());

  action->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(actionButton->Handle()));
  RealClick(actionButton);
  EXPECT_EQ(form->Count("Action1Execute"), 1);

  // A button linked to a disabled action starts disabled.
  action->SetEnabled(false);
  TSkinButton made(nullptr);
  made.SetParent(form);
  made.SetAction(action);
  EXPECT_FALSE(made.Enabled());
  made.SetParent(nullptr);
}

// An icon of the list becomes the glyph of a button without one when the
// action is assigned: a green square, under it a half-transparent blue
// line that shows the fuchsia behind the icon, on a transparent field that
// is the glyph's transparent colour, so no fuchsia shows around it.
TEST_F(ButtonActionTest, TheActionsImageBecomesTheGlyphOfAButtonWithout) {
  auto* images = form->Find<TImageList>("Images1");
  constexpr int kSize = 16, kSquare = 6;
  std::vector<uint32_t> argb(kSize * kSize, 0);
  for (int y = 4; y < 4 + kSquare; ++y)
    for (int x = 5; x < 5 + kSquare; ++x) argb[static_cast<size_t>(y * kSize + x)] = 0xFF00C000;
  for (int x = 5; x < 5 + kSquare; ++x) argb[static_cast<size_t>(12 * kSize + x)] = 0x800000FF;
  const IconEntry entry = IconEntry32(kSize, argb);
  images->AddIconData(BuildIconFile(std::span(&entry, 1)));
  ASSERT_EQ(images->ImageWidth(), kSize);

  auto count = [](TBitmap& bitmap, auto&& is) {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) n += is(GetPixel(bitmap.Canvas().Handle(), x, y));
    return n;
  };
  auto green = [](COLORREF c) { return c == RGB(0, 0xC0, 0); };
  auto fuchsia = [](COLORREF c) { return c == RGB(0xFF, 0, 0xFF); };
  // Half blue over fuchsia; over any other background red or blue would be off.
  auto blueOverFuchsia = [](COLORREF c) {
    return GetRValue(c) >= 0x70 && GetRValue(c) <= 0x90 && GetGValue(c) == 0 && GetBValue(c) >= 0xF0;
  };
  // Loaded while the list was empty: no glyph yet.
  EXPECT_EQ(count(*RenderClient(*actionButton), green), 0);

  actionButton->SetAction(nullptr);
  actionButton->SetAction(action);
  UpdateWindow(form->Handle());
  auto shown = RenderClient(*actionButton);
  EXPECT_EQ(count(*shown, green), kSquare * kSquare);
  EXPECT_EQ(count(*shown, blueOverFuchsia), kSquare);
  EXPECT_EQ(count(*shown, fuchsia), 0);

  // A button with a glyph of its own keeps it.
  button->SetAction(action);
  UpdateWindow(form->Handle());
  EXPECT_EQ(count(*RenderClient(*button), green), 0);

  // The glyph is the button's own: the list going leaves it, and the action list forgets the list.
  delete images;
  EXPECT_EQ(form->Find<TActionList>("ActionList1")->Images(), nullptr);
  actionButton->Invalidate();
  UpdateWindow(form->Handle());
  EXPECT_EQ(count(*RenderClient(*actionButton), green), kSquare * kSquare);
}

}  // namespace
