// The skinned frame's behaviour on real windows under the full test skin:
// morphs and animations that run again, where objects are drawn, what a
// skin change keeps, the system-menu icon's size, object hints and the logo.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/codecs/bmp_codec.h"
#include "base/stream.h"
#include "full_skin_form.h"
#include "skin/frame/caption_objects.h"
#include "skin/frame/skin_frame_win.h"
#include "skin/frame/skin_hint_win.h"
#include "skin/frame/skin_popup_menu_win.h"
#include "skin/frame/layout/window_placement.h"
#include "ui/system/window_platform_win.h"
#include "ui/graphics/bitmap_win.h"
#include "ui/graphics/canvas_win.h"
#include "ui/system/handles_win.h"
#include "ui/system/resources_win.h"
#include "wine_support.h"

namespace {

uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

class FrameBehaviourTest : public testing::Test {
 protected:
  void SetUp() override { app = std::make_unique<TApplication>(); }
  void TearDown() override {
    MovePointerTo({5, 5});
    app.reset();
    PumpMessages(0);
  }

  TFullSkinForm* MakeForm(TBorderStyle style, TRect bounds = {120, 90, 420, 300}) {
    auto* made = new TFullSkinForm(app.get(), style);
    if (!form) app->AdoptMainForm(made);
    made->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    made->Show();
    SetForegroundWindow(made->Handle());
    PumpMessages(100);
    form = made;
    return made;
  }
  TSkinFrame& Frame() const { return *form->SkinForm->Frame(); }
  // A new skin arrives as a load does: the frame hears of it through the skin notices.
  void LoadSkin(const std::vector<uint8_t>& packed) const {
    form->StoredSkin->SetCompressedData(packed);
    form->SkinData->LoadCompressedStoredSkin(*form->StoredSkin);
  }
  TActiveSkinObject& Object(const std::string& id) const {
    for (size_t i = 0; i < Frame().Objects().Count(); ++i)
      if (Frame().Objects()[i].IDName == id) return Frame().Objects()[i];
    throw std::runtime_error("the frame has no object " + id);
  }
  POINT ScreenPoint(const TActiveSkinObject& object) const {
    RECT bounds;
    GetWindowRect(form->Handle(), &bounds);
    return {bounds.left + (object.ObjectRect.Left + object.ObjectRect.Right) / 2,
            bounds.top + (object.ObjectRect.Top + object.ObjectRect.Bottom) / 2};
  }
  POINT ClientCentre() const {
    POINT p{form->ClientWidth() / 2, form->ClientHeight() / 2};
    ClientToScreen(form->Handle(), &p);
    return p;
  }
  RECT Bounds() const {
    RECT r;
    GetWindowRect(form->Handle(), &r);
    return r;
  }
  uint32_t WindowPixel(int x, int y) const {
    WindowDC dc(form->Handle(), WindowDC::WholeWindow);
    return Rgb(GetPixel(dc.Get(), x, y));
  }
  // Pumps until `done` holds or `milliseconds` pass, calling `watch` after each slice.
  bool PumpUntil(int milliseconds, const std::function<bool()>& done, const std::function<void()>& watch = {}) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (GetTickCount() < end) {
      PumpMessages(5);
      if (watch) watch();
      if (done()) return true;
    }
    return false;
  }

  ScopedSkinNoticeSink skinNotices{WindowSkinNotices()};
  std::unique_ptr<TApplication> app;
  TFullSkinForm* form = nullptr;
};

// The timers stop when a morph or an animation ends and must start again at
// the next one: twice over, each caption button's cross-fade runs to its
// active look and back through the steps between, and the size grip's
// frames play forward and backward.
TEST_F(FrameBehaviourTest, MorphsRunForwardAndBackAndTheAnimationPlaysEveryTime) {
  MakeForm(TBorderStyle::bsSingle);
  ASSERT_EQ(GetActiveWindow(), form->Handle());
  const TActiveSkinObject& close = Object("closebutton");
  ASSERT_TRUE(close.morphing);
  auto* grip = dynamic_cast<TSkinAnimateObject*>(&Object("grip"));
  ASSERT_NE(grip, nullptr);
  ASSERT_TRUE(grip->buttonstyle);
  const POINT away = ClientCentre();
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::set<int> tenths;
    auto seen = [&] { tenths.insert(static_cast<int>(close.BlendPos() * 10 + 0.5)); };
    MovePointerTo(ScreenPoint(close));
    EXPECT_TRUE(PumpUntil(1500, [&] { return close.BlendPos() >= 1; }, seen)) << "reaches its active look";
    MovePointerTo(away);
    EXPECT_TRUE(PumpUntil(1500, [&] { return close.BlendPos() <= 0; }, seen)) << "and goes back";
    // Steps in between were drawn, not a jump from one end to the other.
    EXPECT_GE(tenths.size(), 5u);

    std::vector<int> frames;
    auto frame = [&] {
      if (frames.empty() || frames.back() != grip->CurrentFrame) frames.push_back(grip->CurrentFrame);
    };
    MovePointerTo(ScreenPoint(*grip));
    EXPECT_TRUE(PumpUntil(1500, [&] { return grip->CurrentFrame == grip->countframes && !grip->Running(); }, frame));
    MovePointerTo(away);
    EXPECT_TRUE(PumpUntil(1500, [&] { return grip->CurrentFrame == 1 && !grip->Running(); }, frame));
    // 1 .. 6 and back: every frame on the way, twice each.
    EXPECT_GE(frames.size(), static_cast<size_t>(2 * grip->countframes - 1));
  }
}

// Input as a hand gives it: absolute pointer moves and the left button.
void SendPointer(POINT screen, DWORD buttonFlags = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
  SendInput(1, &input, sizeof input);
}

bool InMoveSize(DWORD thread) {
  GUITHREADINFO info{sizeof info};
  return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
}

// Drags from `from` to `to` with the button held, from another thread: the
// GUI thread sits in the system's size loop meanwhile. A release the loop
// missed is given again, and a loop that will not end is cancelled with
// Escape, so the test never hangs. False when the drag had to be cancelled.
bool RealDrag(POINT from, POINT to) {
  const DWORD gui = GetCurrentThreadId();
  std::atomic<bool> finished{false}, released{true};
  std::thread hand([&] {
    SendPointer(from);
    Sleep(60);
    SendPointer(from, MOUSEEVENTF_LEFTDOWN);
    for (int wait = 0; wait < 50 && !InMoveSize(gui); ++wait) Sleep(20);
    for (int step = 1; step <= 10; ++step) {
      SendPointer({from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
      Sleep(25);
    }
    Sleep(60);
    SendPointer(to, MOUSEEVENTF_LEFTUP);
    for (int retry = 0; retry < 10 && InMoveSize(gui); ++retry) {
      Sleep(100);
      SendPointer(to);
      SendPointer(to, MOUSEEVENTF_LEFTUP);
    }
    if (InMoveSize(gui)) {
      released = false;
      PressKey(VK_ESCAPE);
    }
    finished = true;
  });
  const DWORD end = GetTickCount() + 8000;
  while (!finished && GetTickCount() < end) PumpMessages(10);
  hand.join();
  PumpMessages(100);
  return released;
}

// The footer slot is the program's// The footer slot is the program's: it paints it red. Moved to cross the
// client's bottom line, the part below that line shows in the bottom strip;
// touching the client's top line from above, all of it shows in the top one.
TEST_F(FrameBehaviourTest, ObjectsAreDrawnInTheStripBelowOrAboveTheClient) {
  constexpr COLORREF kRed = RGB(255, 0, 0);
  MakeForm(TBorderStyle::bsSingle);
  form->SkinForm->SetOnPaintEvent([](TObject*, const std::string& id, TObjectCanvas& canvas, TRect rect) {
    if (id != "status") return;
    const TRect r = canvas.ToPixels(rect);
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, canvas.Pixels.Height()); ++y)
      for (int x = std::max(r.Left, 0); x < std::min(r.Right, canvas.Pixels.Width()); ++x)
        canvas.Pixels.Set(x, y, Bgr{0, 0, 255});
  });
  struct Case {
    const char* skinrect;
    int top, bottom;  // rows of the slot, in window coordinates
  };
  const int clientTop = 30, clientBottomInPicture = 134, pictureHeight = 150;
  const int dy = (Bounds().bottom - Bounds().top) - pictureHeight;
  for (const Case& c : {Case{"skinrect=10,128,160,140", 128 + dy, 140 + dy}, Case{"skinrect=10,20,160,30", 20, 30}}) {
    SCOPED_TRACE(c.skinrect);
    LoadSkin(FullSkinWith({{"skinrect=10,137,160,145", c.skinrect}}));
    PumpMessages(100);
    const TActiveSkinObject& status = Object("status");
    ASSERT_EQ(status.ObjectRect.Top, c.top);
    const int clientBottom = clientBottomInPicture + dy;
    const int x = status.ObjectRect.Left + 5;
    for (int y = c.top; y < c.bottom; ++y) {
      const bool inClient = y >= clientTop && y < clientBottom;
      EXPECT_EQ(WindowPixel(x, y) == Rgb(kRed), !inClient) << "row " << y;
    }
  }
}

// Smaller than its skin allows, the frame keeps the shape it had and draws nothing new.
TEST_F(FrameBehaviourTest, BelowTheLeastFrameSizeNothingIsCutOrDrawn) {
  MakeForm(TBorderStyle::bsSizeable);
  RegionHandle before(CreateRectRgn(0, 0, 0, 0)), after(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(form->Handle(), before.Get()), ERROR);
  RECT shape{};
  GetRgnBox(before.Get(), &shape);
  SetWindowPos(form->Handle(), nullptr, 0, 0, 120, 40, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages(100);
  ASSERT_NE(GetWindowRgn(form->Handle(), after.Get()), ERROR);
  RECT kept{};
  GetRgnBox(after.Get(), &kept);
  EXPECT_TRUE(EqualRect(&shape, &kept)) << "the shape was cut again: " << kept.right << " x " << kept.bottom;
  // Large enough again, it is cut for its size.
  SetWindowPos(form->Handle(), nullptr, 0, 0, 260, 180, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages(100);
  ASSERT_NE(GetWindowRgn(form->Handle(), after.Get()), ERROR);
  GetRgnBox(after.Get(), &kept);
  EXPECT_LE(kept.right, 260);
  EXPECT_GT(kept.right, 240);
}

// A skin with a taller caption band: a maximized form still fills the work
// area, a rolled-up one is the new caption strip, and one smaller than the
// new frame grows to it.
TEST_F(FrameBehaviourTest, ASkinChangeKeepsWhatTheFormsStateNeeds) {
  const std::vector<uint8_t> taller = FullSkinWith({{"clientrect=7,30,193,134", "clientrect=7,40,193,134"}});
  const int tallerStrip = 40 + (150 - 134);
  MakeForm(TBorderStyle::bsSizeable);
  Frame().SetWindowState(TFrameState::Maximized);
  PumpMessages(50);
  const RECT maximized = Bounds();
  LoadSkin(taller);
  PumpMessages(50);
  const TRect area = MaximizeRect(GetMonitorArea(form->Handle(), true), GetMonitorArea(form->Handle(), false), false);
  const RECT now = Bounds();
  EXPECT_TRUE(EqualRect(&now, &maximized));
  EXPECT_EQ(now.left, area.Left);
  EXPECT_EQ(now.bottom, area.Bottom);

  Frame().SetWindowState(TFrameState::Normal);
  PumpMessages(50);
  Frame().RollUp(true);
  PumpMessages(50);
  ASSERT_TRUE(Frame().States().RolledUp());
  LoadSkin(FullSkinWith({}));
  PumpMessages(50);
  EXPECT_EQ(Bounds().bottom - Bounds().top, 150 - (134 - 30)) << "the strip of the skin now in use";
  LoadSkin(taller);
  PumpMessages(50);
  EXPECT_EQ(Bounds().bottom - Bounds().top, tallerStrip);
  Frame().RollUp(false);
  PumpMessages(50);

  SetWindowPos(form->Handle(), nullptr, 0, 0, 100, 30, SWP_NOMOVE | SWP_NOZORDER);
  LoadSkin(FullSkinWith({}));
  PumpMessages(50);
  EXPECT_EQ(Bounds().right - Bounds().left, 200);
  EXPECT_EQ(Bounds().bottom - Bounds().top, 150 - (134 - 30));
}

// Laid out with the other buttons, a system-menu button that shows the
// form's icon takes the small-icon size, not its picture's.
TEST_F(FrameBehaviourTest, ASystemMenuButtonDrawnAsTheIconTakesTheSmallIconSize) {
  MakeForm(TBorderStyle::bsSingle);
  const std::vector<uint8_t> laidOut = FullSkinWith(
      {{"skinrectinapicture=0", "skinrectinapicture=1"}, {"skinrect=8,6,24,22", "skinrect=0,64,12,76"}});
  const int iconWidth = GetSystemMetrics(SM_CXSMICON), iconHeight = GetSystemMetrics(SM_CYSMICON);
  ASSERT_NE(iconWidth, 12);
  for (bool showIcon : {false, true}) {
    SCOPED_TRACE(showIcon ? "icon" : "picture");
    form->SkinForm->SetShowIcon(showIcon);
    LoadSkin(laidOut);
    PumpMessages(50);
    const TRect r = Object("sysmenubutton").ObjectRect;
    EXPECT_EQ(r.Width(), showIcon ? iconWidth : 12);
    EXPECT_EQ(r.Height(), showIcon ? iconHeight : 12);
    // Placed at the caption's left end, and the caption starts after it.
    EXPECT_EQ(r.Left, 8);
    EXPECT_EQ(Object("caption1").ObjectRect.Left, r.Right);
  }
}

// The object's hint shows once the pointer rests on it, drawn from the
// skin's hint picture, and goes when the pointer leaves; a form's own hint
// component shows it instead, and no hint shows while hints are off.
TEST_F(FrameBehaviourTest, ObjectHintsAppearAfterARestAndGo) {
  MakeForm(TBorderStyle::bsSingle);
  const TActiveSkinObject& close = Object("closebutton");
  ASSERT_EQ(close.Hint, "Close");
  const THintWindow& frameHint = Frame().HintWindow();

  MovePointerTo(ScreenPoint(close));
  PumpMessages(TSkinFrame::kHintPause + 200);
  EXPECT_FALSE(frameHint.Showing()) << "hints are off";
  MovePointerTo(ClientCentre());
  PumpMessages(100);

  form->SkinForm->SetShowObjectHint(true);
  MovePointerTo(ScreenPoint(close));
  PumpMessages(TSkinFrame::kHintPause / 3);
  EXPECT_FALSE(frameHint.Showing()) << "not before the pointer has rested";
  ASSERT_TRUE(PumpUntil(TSkinFrame::kHintPause + 500, [&] { return frameHint.Showing(); }));
  EXPECT_EQ(frameHint.Text(), "Close");
  // Drawn from the skin's hint picture: its left edge is the picture's.
  const BmpImage& picture = form->SkinData->ActivePictureBitmaps()[6].Image();
  {
    WindowDC dc(frameHint.Handle(), WindowDC::WholeWindow);
    EXPECT_EQ(Rgb(GetPixel(dc.Get(), 1, 10)),
              picture.pixels[static_cast<size_t>(picture.width) * 10 + 1] & 0xFFFFFF);
  }
  RECT shown;
  GetWindowRect(frameHint.Handle(), &shown);
  const int w = shown.right - shown.left, h = shown.bottom - shown.top;
  EXPECT_GE(w, picture.width);
  EXPECT_GE(h, picture.height);
  // On the screen its outer edges are the picture's own, with no line of the
  // system's border left over.
  auto picturePixel = [&](int x, int y) { return picture.pixels[size_t(picture.width) * size_t(y) + size_t(x)] & 0xFFFFFF; };
  EXPECT_EQ(ScreenPixel({shown.left, shown.top + h / 2}), picturePixel(0, picture.height / 2)) << "left edge";
  EXPECT_EQ(ScreenPixel({shown.left + w / 2, shown.top}), picturePixel(picture.width / 2, 0)) << "top edge";
  EXPECT_EQ(ScreenPixel({shown.right - 1, shown.top + h / 2}), picturePixel(picture.width - 1, picture.height / 2))
      << "right edge";
  EXPECT_EQ(ScreenPixel({shown.left + w / 2, shown.bottom - 1}), picturePixel(picture.width / 2, picture.height - 1))
      << "bottom edge";
  // Shaped by the skin's hint mask, fitted to the size the text asked for:
  // the rounded corners are cut, the edges between them kept.
  RegionHandle shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(frameHint.Handle(), shape.Get()), ERROR) << "the hint window has no region";
  for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
    EXPECT_FALSE(PtInRegion(shape.Get(), x, y)) << x << "," << y;
  for (auto [x, y] : {std::pair{w / 2, 0}, {w - 1, h / 2}, {w / 2, h - 1}, {0, h / 2}, {w / 2, h / 2}})
    EXPECT_TRUE(PtInRegion(shape.Get(), x, y)) << x << "," << y;
  const RECT around = Bounds();
  SaveScreen("hint", RECT{around.left - 10, around.top - 10, std::max(around.right, shown.right) + 10,
                          std::max(around.bottom, shown.bottom) + 10});
  MovePointerTo(ClientCentre());
  EXPECT_TRUE(PumpUntil(500, [&] { return !frameHint.Showing(); })) << "gone when the pointer leaves";

  auto* own = new TSkinHint(form);
  form->SkinForm->SetSkinHint(own);
  MovePointerTo(ScreenPoint(Object("maxbutton")));
  ASSERT_TRUE(PumpUntil(TSkinFrame::kHintPause + 500, [&] { return own->Window().Showing(); }));
  EXPECT_EQ(own->Window().Text(), "Maximize");
  EXPECT_FALSE(frameHint.Showing());
  MovePointerTo(ClientCentre());
  EXPECT_TRUE(PumpUntil(500, [&] { return !own->Window().Showing(); }));
}

// The logo sits in the client's middle over the background; transparent, its
// bottom-left colour lets the background through.
TEST_F(FrameBehaviourTest, TheLogoIsCentredOnTheClientBackground) {
  MakeForm(TBorderStyle::bsSingle);
  auto file = RCDataResource(L"FULL_SKIN_LOGO");
  ASSERT_TRUE(file);
  const BmpImage logo = DecodeBmp(*file);
  // As a form stream stores a bitmap: the file's length, then the file.
  std::vector<uint8_t> data(4);
  const uint32_t size = static_cast<uint32_t>(file->size());
  memcpy(data.data(), &size, 4);
  data.insert(data.end(), file->begin(), file->end());
  auto logoPixel = [&](int x, int y) {
    return logo.pixels[static_cast<size_t>(y) * static_cast<size_t>(logo.width) + static_cast<size_t>(x)] & 0xFFFFFF;
  };
  const uint32_t key = logoPixel(0, logo.height - 1);
  // A pixel of the logo's own colour and one of its key colour.
  int inkX = -1, inkY = -1, keyX = -1, keyY = -1;
  for (int y = 0; y < logo.height; ++y)
    for (int x = 0; x < logo.width; ++x) {
      if (logoPixel(x, y) == key && keyX < 0 && (x > 0 || y < logo.height - 1)) keyX = x, keyY = y;
      if (logoPixel(x, y) != key && inkX < 0) inkX = x, inkY = y;
    }
  ASSERT_GE(inkX, 0);
  ASSERT_GE(keyX, 0);
  const int left = form->ClientWidth() / 2 - logo.width / 2, top = form->ClientHeight() / 2 - logo.height / 2;
  auto clientPixel = [&](int x, int y) {
    WindowDC dc(form->Handle());
    return Rgb(GetPixel(dc.Get(), x, y));
  };
  const uint32_t backgroundAtKey = clientPixel(left + keyX, top + keyY);
  form->SkinForm->SetLogoBitMapData(data);
  PumpMessages(100);
  EXPECT_EQ(clientPixel(left + inkX, top + inkY), logoPixel(inkX, inkY));
  EXPECT_EQ(clientPixel(left + keyX, top + keyY), key);
  form->SkinForm->SetLogoBitMapTransparent(true);
  PumpMessages(100);
  EXPECT_EQ(clientPixel(left + inkX, top + inkY), logoPixel(inkX, inkY));
  EXPECT_EQ(clientPixel(left + keyX, top + keyY), backgroundAtKey);
}

}  // namespace

namespace {

// Each edge of a sizeable form, dragged outwards by a real pointer, moves
// that edge only; the frame is rebuilt for every new size.
TEST_F(FrameBehaviourTest, ASizeableFormIsSizedByARealDragOfEachEdge) {
  MakeForm(TBorderStyle::bsSizeable, {200, 150, 500, 360});
  ASSERT_EQ(GetActiveWindow(), form->Handle());
  struct Edge {
    LRESULT code;
    const char* name;
    int dx, dy;  // outwards
  };
  for (const Edge& edge : {Edge{HTLEFT, "left", -30, 0}, Edge{HTRIGHT, "right", 30, 0}, Edge{HTTOP, "top", 0, -25},
                           Edge{HTBOTTOM, "bottom", 0, 25}}) {
    SCOPED_TRACE(edge.name);
    const RECT before = Bounds();
    const int width = before.right - before.left, height = before.bottom - before.top;
    RegionHandle shape(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(form->Handle(), shape.Get());
    // A point of the edge inside the window's shape, along the edge's middle.
    POINT grab{-1, -1};
    for (int i = 0; i < 20 && grab.x < 0; ++i) {
      const POINT p = edge.dx != 0 ? POINT{edge.dx < 0 ? i : width - 1 - i, height / 2}
                                   : POINT{width / 2, edge.dy < 0 ? i : height - 1 - i};
      if (!PtInRegion(shape.Get(), p.x, p.y)) continue;
      if (SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(before.left + p.x, before.top + p.y)) == edge.code)
        grab = p;
    }
    ASSERT_GE(grab.x, 0) << "no point of the edge answers its hit code";
    const POINT from{before.left + grab.x, before.top + grab.y};
    ASSERT_TRUE(RealDrag(from, {from.x + edge.dx, from.y + edge.dy})) << "the size loop missed the release";
    const RECT after = Bounds();
    EXPECT_EQ(after.left, before.left + std::min(edge.dx, 0));
    EXPECT_EQ(after.right, before.right + std::max(edge.dx, 0));
    EXPECT_EQ(after.top, before.top + std::min(edge.dy, 0));
    EXPECT_EQ(after.bottom, before.bottom + std::max(edge.dy, 0));
    EXPECT_EQ(Frame().Geometry().FrameWidth, after.right - after.left);
    EXPECT_EQ(Frame().Geometry().FrameHeight, after.bottom - after.top);
  }
}

}  // namespace

namespace {

std::vector<std::string> OpenCaptions(TSkinFrame& frame) {
  std::vector<std::string> captions;
  if (frame.Menu().LevelCount() == 0) return captions;
  for (const TMenuItem& item : frame.Menu().Level(0).Items()) captions.push_back(item.Caption);
  return captions;
}

// A menu attached to the size grip drops down when the grip is clicked,
// also after a skin change; the form's own system menu opens with the
// frame's items merged in, or alone without UseDefaultSysMenu.
TEST_F(FrameBehaviourTest, AttachedItemsAndTheUsersSystemMenu) {
  MakeForm(TBorderStyle::bsSingle);
  auto* menu = new TSkinPopupMenu(form);
  menu->Items = {{.Name = "Blue", .Caption = "&Blue"}, {.Name = "Grey", .Caption = "&Grey"}};
  std::vector<std::string> chosen;
  menu->OnCommand = [&](const TMenuItem& item) { chosen.push_back(item.Name); };
  form->SkinForm->SetAttachedItems("grip", menu);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "first skin" : "after a skin change");
    ClickLeftAt(ScreenPoint(Object("grip")));
    ASSERT_TRUE(PumpUntil(1000, [&] { return Frame().Menu().MenuOpen(); }));
    EXPECT_EQ(OpenCaptions(Frame()), (std::vector<std::string>{"&Blue", "&Grey"}));
    Frame().Menu().CloseAll();
    PumpMessages(50);
    LoadSkin(FullSkinWith({}));
    PumpMessages(50);
  }

  auto* system = new TSkinPopupMenu(form);
  system->Items = {{.Name = "SKF_CLOSE", .Caption = "&Close"}, {.Name = "About", .Caption = "&About"}};
  form->SkinForm->SetSystemMenu(system);
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
  PumpMessages(50);
  ASSERT_TRUE(Frame().Menu().MenuOpen());
  // The default border icons: system menu, minimize, maximize, roll-up.
  EXPECT_EQ(OpenCaptions(Frame()),
            (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "Ro&llUp", "&About", "&Close"}));
  Frame().Menu().CloseAll();
  PumpMessages(50);
  form->SkinForm->SetUseDefaultSysMenu(false);
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
  PumpMessages(50);
  EXPECT_EQ(OpenCaptions(Frame()), (std::vector<std::string>{"&Close", "&About"}));
  Frame().Menu().CloseAll();
  PumpMessages(50);
}

}  // namespace
