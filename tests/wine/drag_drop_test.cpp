// Drag and drop and docking between controls, driven by real input: the
// picker of the fixture form dragged with the mouse.
#include <cmath>
#include <optional>

#include "fixture_form.h"
#include "panel/bordered_panel_win.h"
#include "picker/time_picker_win.h"
#include "ui/system/cursors_win.h"
#include "wine_support.h"

namespace {

constexpr int crCross = -3;  // the DragCursor the fixture stores

// Where the dock outline shows: the thread's only visible layered window.
std::optional<RECT> ShownOutline() {
  std::optional<RECT> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        if (IsWindowVisible(window) && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED)) {
          RECT r;
          GetWindowRect(window, &r);
          *reinterpret_cast<std::optional<RECT>*>(found) = r;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

class DragDropTest : public FixtureFormTest {
 protected:
  void SetUp() override {
    FixtureFormTest::SetUp();
    Load(L"FIXTURE_PICKER");
    picker = form->Find<TTimePicker>("Picker");
    fixed = form->Find<TTimePicker>("FixedPicker");
    UpdateWindow(form->Handle());
  }
  void TearDown() override {
    MouseButton(MOUSEEVENTF_LEFTUP);  // a failed test leaves no button down
    Run();
    FixtureFormTest::TearDown();
  }
  // A panel right of the picker; `takes` drags when it is given.
  TBorderedPanel* AddPanel(bool takes) {
    auto* panel = new TBorderedPanel(form);
    panel->SetParent(form);
    panel->SetBounds(picker->Left() + picker->Width() + 10, 8, 60, 200);
    if (takes) {
      panel->SetOnDragOver([this](TObject* s, TObject* source, int x, int y, TDragState state, bool&) {
        form->fired.push_back({.sender = s, .x = x, .y = y, .key = static_cast<int>(state), .other = source,
                               .handler = "PanelDragOver"});
      });
      panel->SetOnDragDrop([this](TObject* s, TObject* source, int x, int y) {
        form->fired.push_back({.sender = s, .x = x, .y = y, .other = source, .handler = "PanelDragDrop"});
      });
    }
    UpdateWindow(form->Handle());
    return panel;
  }
  void Run() { RunApplicationLoop(*app, 60); }
  void MoveTo(const TWinControl& control, POINT client) {
    ClientToScreen(control.Handle(), &client);
    MovePointerTo(client);
    Run();
  }
  void PressOn(const TWinControl& control, POINT client) {
    MoveTo(control, client);
    form->fired.clear();
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    Run();
  }
  void Release() {
    MouseButton(MOUSEEVENTF_LEFTUP);
    Run();
  }
  // The handlers named with `kind` ("Drag" or "Dock") that ran, with the
  // state of those that have one, repeats once.
  std::vector<std::string> DragLog(std::string_view kind = "Drag") const {
    std::vector<std::string> log;
    for (const FiredEvent& e : form->fired) {
      if (e.handler.find(kind) == std::string::npos) continue;
      std::string entry = e.handler;
      if (e.handler.ends_with("Over"))
        entry += e.key == static_cast<int>(TDragState::dsDragEnter) ? " enter"
                 : e.key == static_cast<int>(TDragState::dsDragMove) ? " move"
                                                                      : " leave";
      if (log.empty() || log.back() != entry) log.push_back(entry);
    }
    return log;
  }

  TTimePicker* picker = nullptr;
  TTimePicker* fixed = nullptr;
};

TEST_F(DragDropTest, AnAutomaticDragOntoAPanelThatTakesItStartsGoesOverDropsAndEnds) {
  TBorderedPanel* panel = AddPanel(true);
  picker->SetDragMode(TDragMode::dmAutomatic);
  const double time = picker->Time();
  const int threshold = GetSystemMetrics(SM_CXDRAG);
  PressOn(*picker, {60, 60});
  EXPECT_TRUE(picker->Dragging());
  MoveTo(*picker, {60 + threshold, 60});
  EXPECT_EQ(form->Count("PickerDragOver"), 0) << "within the threshold the press is no drag yet";
  MoveTo(*picker, {80, 70});
  EXPECT_EQ(GetCursor(), CursorHandle(crCross)) << "the stored DragCursor over a control that takes it";
  MoveTo(*picker, {90, 80});
  MoveTo(*form, {picker->Left() + 20, picker->Top() + picker->Height() + 5});
  EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop)) << "the form has no OnDragOver";
  MoveTo(*panel, {20, 30});
  EXPECT_EQ(GetCursor(), CursorHandle(crCross));
  MoveTo(*panel, {25, 40});
  Release();
  EXPECT_EQ(DragLog(), (std::vector<std::string>{"PickerStartDrag", "PickerDragOver enter", "PickerDragOver move",
                                                 "PickerDragOver leave", "PanelDragOver enter", "PanelDragOver move",
                                                 "PanelDragOver leave", "PanelDragDrop", "PickerEndDrag"}));
  const FiredEvent* drop = form->Last("PanelDragDrop");
  ASSERT_NE(drop, nullptr);
  EXPECT_EQ(drop->sender, panel);
  EXPECT_EQ(drop->other, picker);
  EXPECT_EQ(drop->x, 25);
  EXPECT_EQ(drop->y, 40);
  const FiredEvent* end = form->Last("PickerEndDrag");
  ASSERT_NE(end, nullptr);
  EXPECT_EQ(end->other, panel);
  EXPECT_EQ(end->x, 25);
  EXPECT_EQ(end->y, 40);
  EXPECT_FALSE(picker->Dragging());
  EXPECT_NE(GetCapture(), picker->Handle());
  // The drag took the left press: the hour hand did not turn, no mouse event ran.
  EXPECT_EQ(picker->Time(), time);
  EXPECT_EQ(form->Count("PickerMouseDown") + form->Count("PickerMouseUp") + form->Count("PickerChange"), 0);
  // The right button still turns the minute hand.
  MoveTo(*picker, {picker->Layout().ClockCenter.X, picker->Layout().ClockCenter.Y + 30});
  MouseButton(MOUSEEVENTF_RIGHTDOWN);
  Run();
  MouseButton(MOUSEEVENTF_RIGHTUP);
  Run();
  EXPECT_EQ(std::lround(picker->Time() * 1440) % 60, 30);
}

TEST_F(DragDropTest, EscapeOrALostCaptureEndsTheDragWithoutADropWhereAReleaseDrops) {
  picker->SetDragMode(TDragMode::dmAutomatic);
  // The keyboard is the form's, as after a user's click on it.
  BringToFront(*form);
  SetFocus(form->Handle());
  ASSERT_EQ(GetForegroundWindow(), form->Handle());
  PressOn(*picker, {60, 60});
  MoveTo(*picker, {90, 90});
  ASSERT_GE(form->Count("PickerDragOver"), 1);
  PressKey(VK_ESCAPE);
  Run();
  EXPECT_FALSE(picker->Dragging());
  EXPECT_NE(GetCapture(), picker->Handle());
  Release();
  EXPECT_EQ(DragLog(), (std::vector<std::string>{"PickerStartDrag", "PickerDragOver enter", "PickerDragOver leave",
                                                 "PickerEndDrag"}));
  EXPECT_EQ(form->Last("PickerEndDrag")->other, nullptr);
  // Another window takes the mouse: the drag ends as by Escape.
  PressOn(*picker, {60, 60});
  MoveTo(*picker, {90, 90});
  SetCapture(form->Handle());
  Run();
  ReleaseCapture();
  EXPECT_FALSE(picker->Dragging());
  EXPECT_EQ(form->Count("PickerDragDrop"), 0);
  ASSERT_EQ(form->Count("PickerEndDrag"), 1);
  EXPECT_EQ(form->Last("PickerEndDrag")->other, nullptr);
  Release();
  // Released instead, it drops on the picker itself, whose stored handler takes it.
  PressOn(*picker, {60, 60});
  MoveTo(*picker, {90, 90});
  Release();
  ASSERT_EQ(form->Count("PickerDragDrop"), 1);
  EXPECT_EQ(form->Last("PickerDragDrop")->other, picker);
  EXPECT_EQ(form->Last("PickerEndDrag")->other, picker);
}

TEST_F(DragDropTest, ADockDragMovesTheControlIntoTheDockSiteItIsDroppedOn) {
  picker->SetVisible(false);
  fixed->SetEnabled(true);
  fixed->SetVisible(true);
  fixed->SetBounds(8, 8, 160, 190);
  TBorderedPanel* site = AddPanel(false);
  site->SetBounds(200, 8, 190, 380);
  site->SetDockSite(true);
  UpdateWindow(form->Handle());
  // Dropped where no dock site is, it stays where it was.
  PressOn(*fixed, {20, 20});
  MoveTo(*form, {180, 300});
  EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));
  Release();
  EXPECT_EQ(fixed->Parent(), form);
  EXPECT_EQ(fixed->Left(), 8);
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"FixedPickerStartDock", "FixedPickerEndDock"}));
  EXPECT_EQ(form->Last("FixedPickerEndDock")->other, nullptr);
  // Dropped on the site, it becomes the site's child where its outline was dragged.
  PressOn(*fixed, {20, 20});
  MoveTo(*site, {40, 60});
  ASSERT_NE(CursorHandle(crDrag), nullptr);
  EXPECT_EQ(GetCursor(), CursorHandle(crDrag)) << "the default DragCursor over the site";
  MoveTo(*site, {30, 50});
  Release();
  EXPECT_EQ(fixed->Parent(), site);
  EXPECT_TRUE(IsChild(site->Handle(), fixed->Handle()));
  EXPECT_EQ(fixed->Left(), 10);
  EXPECT_EQ(fixed->Top(), 30);
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"FixedPickerStartDock", "FixedPickerEndDock"}));
  const FiredEvent* end = form->Last("FixedPickerEndDock");
  EXPECT_EQ(end->other, site);
  EXPECT_EQ(end->x, 30);
  EXPECT_EQ(end->y, 50);
  fixed->SetParent(form);
}

// The stored site (the fixture's picker) answers through its handlers: where
// and whether it takes the dock, the drop, and keeping a client that leaves.
TEST_F(DragDropTest, ADockSitesHandlersDecideWhereItTakesADockAndWhetherAClientLeavesIt) {
  fixed->SetEnabled(true);
  fixed->SetVisible(true);
  fixed->SetBounds(8, 320, 160, 70);
  UpdateWindow(form->Handle());
  // A site that takes no dock is passed over before it hears of the drag.
  form->siteTakesNoDock = true;
  PressOn(*fixed, {20, 20});
  MoveTo(*picker, {100, 100});
  EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));
  const FiredEvent* asked = form->Last("PickerGetSiteInfo");
  ASSERT_NE(asked, nullptr);
  EXPECT_EQ(asked->other, fixed);
  POINT screen{100, 100};
  ClientToScreen(picker->Handle(), &screen);
  EXPECT_EQ(asked->x, screen.x);
  EXPECT_EQ(asked->y, screen.y);
  Release();
  EXPECT_EQ(DragLog("Dock"), (std::vector<std::string>{"FixedPickerStartDock", "FixedPickerEndDock"}));
  form->siteTakesNoDock = false;
  // One that answers for its top-left corner only takes it there.
  POINT corner{0, 0};
  ClientToScreen(picker->Handle(), &corner);
  form->siteInfluence = {corner.x, corner.y, corner.x + 60, corner.y + 60};
  PressOn(*fixed, {20, 20});
  MoveTo(*picker, {100, 100});
  EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));
  EXPECT_EQ(form->Count("PickerDockOver"), 0);
  MoveTo(*picker, {40, 40});
  EXPECT_EQ(GetCursor(), CursorHandle(crDrag));
  EXPECT_TRUE(ShownOutline());
  // Its OnDockOver may still refuse: the drop then ends nowhere.
  form->refuseDock = true;
  MoveTo(*picker, {30, 30});
  EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));
  EXPECT_FALSE(ShownOutline()) << "no outline where no site takes the dock";
  Release();
  EXPECT_EQ(fixed->Parent(), form);
  EXPECT_EQ(form->Last("FixedPickerEndDock")->other, nullptr);
  EXPECT_EQ(form->Count("PickerDockDrop"), 0);
  form->refuseDock = false;
  form->siteInfluence = {};
  // Taken, the client docks and the site hears the drop where it was. Held
  // by its corner, the pointer is over the outline's frame: the drag finds
  // the site through it.
  PressOn(*fixed, {1, 1});
  MoveTo(*picker, {60, 80});
  POINT pointer{60, 80};
  ClientToScreen(picker->Handle(), &pointer);
  const std::optional<RECT> outline = ShownOutline();
  ASSERT_TRUE(outline);
  EXPECT_EQ(outline->left, pointer.x - 1);
  EXPECT_EQ(outline->top, pointer.y - 1);
  EXPECT_EQ(outline->right - outline->left, fixed->Width());
  EXPECT_EQ(outline->bottom - outline->top, fixed->Height());
  MoveTo(*picker, {50, 70});
  Release();
  EXPECT_FALSE(ShownOutline());
  EXPECT_EQ(fixed->Parent(), picker);
  EXPECT_EQ(fixed->Left(), 49);
  EXPECT_EQ(fixed->Top(), 69);
  EXPECT_EQ(DragLog("Dock"), (std::vector<std::string>{"FixedPickerStartDock", "PickerDockOver enter", "PickerDockOver move",
                                                 "PickerDockOver leave", "PickerDockDrop", "FixedPickerEndDock"}));
  const FiredEvent* drop = form->Last("PickerDockDrop");
  ASSERT_NE(drop, nullptr);
  EXPECT_EQ(drop->sender, picker);
  EXPECT_EQ(drop->other, fixed);
  EXPECT_EQ(drop->x, 50);
  EXPECT_EQ(drop->y, 70);
  EXPECT_EQ(form->Last("FixedPickerEndDock")->other, picker);
  // Moved within its site, it is not undocked.
  PressOn(*fixed, {20, 20});
  MoveTo(*picker, {70, 90});
  MoveTo(*picker, {60, 80});
  Release();
  EXPECT_EQ(fixed->Left(), 40);
  EXPECT_EQ(form->Count("PickerUnDock"), 0);
  // Leaving for another site, the site may keep it; then it lets it go.
  TBorderedPanel* site = AddPanel(false);
  site->SetDockSite(true);
  form->keepDocked = true;
  PressOn(*fixed, {20, 20});
  MoveTo(*site, {30, 40});
  MoveTo(*site, {20, 30});
  Release();
  const FiredEvent* undock = form->Last("PickerUnDock");
  ASSERT_NE(undock, nullptr);
  EXPECT_EQ(undock->sender, picker);
  EXPECT_EQ(undock->other, fixed);
  EXPECT_EQ(undock->target, site);
  EXPECT_EQ(fixed->Parent(), picker);
  EXPECT_EQ(fixed->Left(), 40);
  EXPECT_EQ(form->Last("FixedPickerEndDock")->other, nullptr);
  form->keepDocked = false;
  PressOn(*fixed, {20, 20});
  MoveTo(*site, {30, 40});
  MoveTo(*site, {20, 30});
  Release();
  EXPECT_EQ(fixed->Parent(), site);
  EXPECT_EQ(fixed->Top(), 10);
  EXPECT_EQ(form->Last("FixedPickerEndDock")->other, site);
  fixed->SetParent(form);
}

}  // namespace
