// The tray icon and the link label as their fixture forms store them: every
// stored property acts and every stored event fires.
#include <algorithm>

#include "fixture_form.h"
#include "label/url_label_win.h"
#include "panel/bordered_panel_win.h"
#include "persist/form_stream.h"
#include "tray/tray_icon_win.h"
#include "ui/graphics/canvas_win.h"
#include "ui/system/cursors_win.h"
#include "ui/graphics/image_list_win.h"
#include "ui/system/resources_win.h"
#include "wine_support.h"

namespace {

std::vector<std::pair<DWORD, NOTIFYICONDATAW>> gRequests;

// What an icon handed to the shell looked like then: the handle may be gone by the time a test looks.
struct ShownIcon {
  int width = 0, height = 0;
  COLORREF centre = CLR_INVALID;
};
std::vector<ShownIcon> gShown;

ShownIcon Look(HICON icon) {
  ShownIcon look;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return look;
  BitmapHandle mask(info.hbmMask), color(info.hbmColor);
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  look.width = bitmap.bmWidth;
  look.height = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, look.width, look.height);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, target);
  DrawIconEx(dc, 0, 0, icon, look.width, look.height, 0, nullptr, DI_NORMAL);
  look.centre = GetPixel(dc, look.width / 2, look.height / 2);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  return look;
}

// Whether some visible window of this thread still had painting to do when the icon entered the shell.
bool gUnpaintedAtAdd = false;

BOOL CALLBACK NoteUpdateRegion(HWND window, LPARAM left) {
  if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) *reinterpret_cast<bool*>(left) = true;
  return TRUE;
}

bool ThreadHasPaintingLeft() {
  bool left = false;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        NoteUpdateRegion(window, param);
        EnumChildWindows(window, NoteUpdateRegion, param);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&left));
  return left;
}

BOOL WINAPI RecordRequest(DWORD command, PNOTIFYICONDATAW data) {
  if (command == NIM_ADD) gUnpaintedAtAdd = ThreadHasPaintingLeft();
  gRequests.push_back({command, *data});
  if (command == NIM_MODIFY && (data->uFlags & NIF_ICON)) gShown.push_back(Look(data->hIcon));
  return TRUE;
}

class TrayFormTest : public FixtureFormTest {
 protected:
  void SetUp() override {
    gRequests.clear();
    gUnpaintedAtAdd = false;
    ActiveShellNotifyIcon() = RecordRequest;
    FixtureFormTest::SetUp();
    Load(L"FIXTURE_TRAY");
    tray = form->Find<TTrayIcon>("Tray");
    menu = form->Find<TFixtureMenu>("Menu1");
  }
  void TearDown() override {
    FixtureFormTest::TearDown();
    ActiveShellNotifyIcon() = SystemShellNotifyIcon;
  }
  void Mouse(UINT event) { SendMessageW(tray->NotifyWindow(), TTrayIcon::kCallbackMessage, 1, event); }
  const NOTIFYICONDATAW* LastRequest(DWORD command) const {
    for (auto r = gRequests.rbegin(); r != gRequests.rend(); ++r)
      if (r->first == command) return &r->second;
    return nullptr;
  }
  TTrayIcon* tray = nullptr;
  TFixtureMenu* menu = nullptr;
};

// The shell hears nothing while the form loads and paints; once every
// window has painted, the entry comes with the stored icon and tip.
TEST_F(TrayFormTest, TheStoredIconAndTipEnterTheNotificationAreaOnceTheFormHasPainted) {
  ASSERT_FALSE(gRequests.empty()) << "the queue has run: the icon is in";
  EXPECT_EQ(gRequests.front().first, static_cast<DWORD>(NIM_ADD)) << "no request before the entry";
  EXPECT_EQ(std::count_if(gRequests.begin(), gRequests.end(), [](auto& r) { return r.first == NIM_ADD; }), 1);
  EXPECT_FALSE(gUnpaintedAtAdd) << "the first paint does not wait for the shell";
  const NOTIFYICONDATAW* added = LastRequest(NIM_ADD);
  EXPECT_EQ(std::wstring(added->szTip), L"Fixture tray");
  ASSERT_NE(added->hIcon, nullptr);
  EXPECT_NE(added->hIcon, app->Icon()) << "the stored icon, not the application's";
  // MinimizeToTray is off: minimising leaves the main form alone.
  SendMessageW(app->Handle(), WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_TRUE(form->Visible());
}

TEST_F(TrayFormTest, MouseEventsAndTheLeftButtonMenuFire) {
  Mouse(WM_MOUSEMOVE);
  Mouse(WM_LBUTTONDOWN);
  EXPECT_EQ(menu->popups.size(), 1u) << "PopupByLeftButton";
  Mouse(WM_LBUTTONUP);
  Mouse(WM_LBUTTONDBLCLK);
  Mouse(WM_LBUTTONUP);
  Mouse(NIN_BALLOONUSERCLICK);
  PumpMessages(static_cast<int>(GetDoubleClickTime()) + 100);
  EXPECT_EQ(form->Handlers(), (std::vector<std::string>{"TrayMouseMove", "TrayMouseDown", "TrayMouseUp", "TrayDblClick",
                                                        "TrayMouseUp", "TrayBalloonClick"}));
  const FiredEvent* down = form->Last("TrayMouseDown");
  EXPECT_EQ(down->sender, tray);
  EXPECT_EQ(down->button, mbLeft);
  EXPECT_TRUE(down->shift & ssLeft);
  // A single click arrives after the double-click time.
  form->fired.clear();
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  PumpMessages(static_cast<int>(GetDoubleClickTime()) + 100);
  EXPECT_EQ(form->Count("TrayClick"), 1);
}

// The images the form stores, at the size it stores, are what the
// notification area gets, in turn, each step raising OnCycle.
TEST_F(TrayFormTest, CyclingThroughTheStoredImageListRaisesOnCycle) {
  auto* images = form->Find<TImageList>("Images1");
  ASSERT_EQ(images->Count(), 3);
  gShown.clear();
  tray->SetCycleIcons(true);
  PumpMessages(300);  // AnimateTimerInterval is 40 ms
  tray->SetCycleIcons(false);
  ASSERT_GE(form->Count("TrayCycle"), 4);
  std::vector<int> next;
  for (const FiredEvent& e : form->fired)
    if (e.handler == "TrayCycle") next.push_back(e.key);
  EXPECT_EQ(std::vector<int>(next.begin(), next.begin() + 4), (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(form->Last("TrayCycle")->sender, tray);
  // SetCycleIcons shows image 0 first, then each tick shows the image it steps from.
  ASSERT_GE(gShown.size(), 5u);
  const COLORREF red = RGB(0xE0, 0x30, 0x30), green = RGB(0x30, 0xB0, 0x40), blue = RGB(0x30, 0x50, 0xE0);
  const std::vector<COLORREF> expected{red, red, green, blue, red};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(gShown[i].centre, expected[i]) << "step " << i;
    EXPECT_EQ(gShown[i].width, 20) << "step " << i;
    EXPECT_EQ(gShown[i].height, 18) << "step " << i;
  }
}

// A stored image list that is cut short or has a size no icon takes stops
// the load with an error that names the property and what is wrong.
TEST_F(TrayFormTest, BadStoredImagesAreRefusedNamingTheProperty) {
  auto loadError = [](const std::string& property, const std::function<void(FormValue&)>& change) {
    return FixtureLoadError(L"FIXTURE_TRAY", "Images1", property, change);
  };
  const std::string cut = loadError("Images", [](FormValue& v) { v.bytes.pop_back(); });
  EXPECT_NE(cut.find("property \"Images\" of object \"Images1\" (TImageList)"), std::string::npos) << cut;
  EXPECT_NE(cut.find("image 2 of"), std::string::npos) << cut;
  const std::string notIcon = loadError("Images", [](FormValue& v) { v.bytes[8] ^= 0xFF; });
  EXPECT_NE(notIcon.find("image 0: Invalid icon"), std::string::npos) << notIcon;
  const std::string size = loadError("Width", [](FormValue& v) { v.integer = 0; });
  EXPECT_NE(size.find("property \"Width\" of object \"Images1\" (TImageList)"), std::string::npos) << size;
  EXPECT_NE(size.find("an image width of 0 is outside 1 to 256 pixels"), std::string::npos) << size;
}

// Every stored picture names its property and object when it cannot be
// decoded, cut short or of another kind, as the image list's data does.
TEST_F(TrayFormTest, BadIconAndGlyphDataAreRefusedNamingThePropertyAndObject) {
  struct Case {
    const wchar_t* fixture;
    std::string object, property, named, reason;
    std::function<void(FormValue&)> change;
  };
  const auto cut = [](FormValue& v) { v.bytes.resize(v.bytes.size() / 2); };
  const Case cases[] = {
      {L"FIXTURE_TRAY", "Tray", "Icon.Data", "(TTrayIcon)", "Invalid icon", cut},
      {L"FIXTURE_TRAY", "Tray", "Icon.Data", "(TTrayIcon)", "Invalid icon", [](FormValue& v) { v.bytes[2] = 7; }},
      {L"FIXTURE_BUTTON", "Button", "Glyph.Data", "(TSkinButton)", "Invalid bitmap", cut},
      // After the stored length comes the file, which must start "BM".
      {L"FIXTURE_BUTTON", "Button", "Glyph.Data", "(TSkinButton)", "Invalid bitmap", [](FormValue& v) { v.bytes[4] = 'X'; }},
  };
  for (const Case& c : cases) {
    const std::string error = FixtureLoadError(c.fixture, c.object, c.property, c.change);
    const std::string named = "property \"" + c.property + "\" of object \"" + c.object + "\" " + c.named;
    EXPECT_NE(error.find(named), std::string::npos) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

// The setter takes a copy: the source may destroy its handle right after.
TEST_F(TrayFormTest, TheIconSetterKeepsAnIconOfItsOwn) {
  {
    TIcon source;
    source.CopyFrom(app->Icon());
    tray->SetIcon(source);
    EXPECT_NE(tray->Icon().Handle(), source.Handle());
  }
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(tray->Icon().Handle(), &info)) << "still a live icon after its source went";
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

class NoDefaultIconTray : public TTrayIcon {
 public:
  using TTrayIcon::TTrayIcon;
  bool LoadDefaultIcon() override { return false; }
};

TEST_F(TrayFormTest, ASubclassMayDeclineTheApplicationsIconAndAnyControlMayOwnIt) {
  NoDefaultIconTray declining(nullptr);
  declining.SetIconVisible(true);
  EXPECT_TRUE(declining.Icon().Empty());
  EXPECT_EQ(LastRequest(NIM_ADD)->hIcon, nullptr);
  // A tray icon owned by a control inside the form hides and restores the main form.
  auto* owner = new TBorderedPanel(form);
  owner->SetParent(form);
  auto* owned = new TTrayIcon(owner);
  EXPECT_EQ(owned->Icon().Handle(), app->Icon());
  owned->HideMainWindow();
  EXPECT_FALSE(form->Visible());
  owned->RestoreMainWindow();
  EXPECT_TRUE(form->Visible());
}

TEST_F(TrayFormTest, AControlThatOwnsItIsHookedAgainWhenItsWindowIsMadeAgain) {
  auto* owner = new TBorderedPanel(form);
  owner->SetParent(form);
  new TTrayIcon(owner);
  auto* active = new TBorderedPanel(form);
  active->SetParent(form);
  int focused = 0;
  TWindowProcHook focusCount(active->Handle(), [&](UINT m, WPARAM w, LPARAM l) {
    if (m == WM_SETFOCUS) ++focused;
    return focusCount.CallPrevious(m, w, l);
  });
  // The tray icon answers the owner's activation by focusing the form's active control.
  auto focusesOnActivation = [&] {
    ::SetFocus(active->Handle());
    ::SetFocus(nullptr);
    EXPECT_EQ(form->ActiveControl(), active);
    const int before = focused;
    SendMessageW(owner->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    return focused - before;
  };
  EXPECT_EQ(focusesOnActivation(), 1);
  // A change of parent destroys the owner's window; it is made again with the new parent.
  owner->SetParent(nullptr);
  EXPECT_FALSE(owner->HandleAllocated());
  owner->SetParent(form);
  ASSERT_TRUE(owner->HandleAllocated());
  EXPECT_EQ(focusesOnActivation(), 1);
}

class RecordingShell : public LinkShell {
 public:
  std::vector<std::string> opened;
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
  void ChooseHtmProgram() override {}
};

class LabelFormTest : public FixtureFormTest {
 protected:
  void SetUp() override {
    FixtureFormTest::SetUp();
    SetLinkShell(&shell);
    Load(L"FIXTURE_LABEL");
    link = form->Find<TURLLabel>("Link");
    visited = form->Find<TURLLabel>("VisitedLink");
    UpdateWindow(form->Handle());
  }
  void TearDown() override {
    FixtureFormTest::TearDown();
    SetLinkShell(nullptr);
  }
  // Whether the label shows any pixel of the colour.
  static bool Shows(TURLLabel& label, TColor color) {
    auto image = RenderClient(label);
    for (int y = 0; y < label.Height(); ++y)
      for (int x = 0; x < label.Width(); ++x)
        if (GetPixel(image->Canvas().Handle(), x, y) == static_cast<COLORREF>(ColorToRGB(color))) return true;
    return false;
  }
  SIZE TextSize(TURLLabel& label, const std::string& text) {
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(label.Font());
    return scratch.Canvas().TextExtent(text);
  }
  RecordingShell shell;
  TURLLabel* link = nullptr;
  TURLLabel* visited = nullptr;
};

TEST_F(LabelFormTest, TheStoredColoursFontAndSizeShow) {
  // Sized to its caption in its own font, whatever the stored size was.
  SIZE text = TextSize(*link, link->Caption());
  EXPECT_EQ(link->Width(), text.cx);
  EXPECT_EQ(link->Height(), text.cy);
  EXPECT_GT(link->Height(), 13) << "the stored 16-pixel font, not the form's";
  EXPECT_TRUE(Shows(*link, clRed)) << "UnvisitedColor";
  EXPECT_TRUE(Shows(*link, clMoneyGreen)) << "the parent's colour behind the text";
  EXPECT_TRUE(Shows(*visited, clNavy)) << "a stored Visited label shows VisitedColor";
  SendMessageW(link->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), CursorHandle(crHandPoint));
}

TEST_F(LabelFormTest, AClickRaisesOnClickThenOpensTheStoredURLAndTurnsVisited) {
  SendMessageW(link->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(2, 2));
  SendMessageW(link->Handle(), WM_LBUTTONUP, 0, PointParam(2, 2));
  EXPECT_EQ(form->Handlers(), std::vector<std::string>{"LinkClick"});
  EXPECT_EQ(form->fired[0].sender, link);
  EXPECT_EQ(shell.opened, std::vector<std::string>{"  https://example.org/fixture  "}) << "the URL as stored";
  UpdateWindow(link->Handle());
  EXPECT_TRUE(Shows(*link, clNavy));
  EXPECT_FALSE(Shows(*link, clRed));
}

TEST_F(LabelFormTest, ANewCaptionResizesTheLabel) {
  link->SetCaption("a much longer address than before.example.org");
  EXPECT_EQ(link->Width(), TextSize(*link, link->Caption()).cx);
}

// A label made in code keeps its link look when it is put on a form whose
// font has none of it.
TEST_F(LabelFormTest, ALabelMadeInCodeKeepsItsLinkLookOnAParent) {
  auto* made = new TURLLabel(form);
  made->SetCaption("made.example.org");
  made->SetParent(form);
  EXPECT_EQ(made->Font().Color(), clHighlight);
  EXPECT_TRUE(made->Font().Style() & fsUnderline);
  EXPECT_FALSE(form->Font().Style() & fsUnderline);
}

}  // namespace
