// The main window on the taskbar and the program icon at the system's
// sizes: the window owns its button, the application window is never
// shown, and window and tray icons come from the icon drawn for the size.
#include "base/codecs/ico_file.h"
#include "ui/system/display_dpi_win.h"
#include "ui/graphics/program_icon_win.h"
#include "wine_support.h"

namespace {

// The pixels of an icon's colour image, with its width.
std::pair<int, std::vector<uint32_t>> IconPixels(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {0, {}};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = bitmap.bmWidth;
  format.bmiHeader.biHeight = -bitmap.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> pixels(size_t(bitmap.bmWidth) * size_t(bitmap.bmHeight));
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, pixels};
}

class OtherForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TOtherForm"; }
};

// Whether the window was ever shown while the watch lasted.
class ShowWatch {
 public:
  explicit ShowWatch(HWND window)
      : FHook(window, [this](UINT m, WPARAM w, LPARAM l) {
          if ((m == WM_SHOWWINDOW && w) ||
              (m == WM_WINDOWPOSCHANGED && (reinterpret_cast<WINDOWPOS*>(l)->flags & SWP_SHOWWINDOW)))
            shown = true;
          return FHook.CallPrevious(m, w, l);
        }) {}
  bool shown = false;

 private:
  TWindowProcHook FHook;
};

TEST(TaskbarButton, TheMainWindowOwnsItAndTheApplicationWindowIsNeverShown) {
  ScopedSkinNoticeSink notices(WindowSkinNotices());
  TApplication app;
  ShowWatch application(app.Handle());
  TForm1* form = app.CreateForm<TForm1>();
  PostQuitMessage(0);
  app.Run(SW_SHOWNORMAL);
  HWND window = form->Handle();
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
  EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_MINIMIZEBOX) << "the taskbar can minimise it";
  auto* other = new OtherForm(&app);
  other->HandleNeeded();
  EXPECT_EQ(GetWindow(other->Handle(), GW_OWNER), app.Handle()) << "other forms stay off the taskbar";
  EXPECT_FALSE(GetWindowLongPtrW(other->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

  // The minimise button to the tray, a double click on the icon back.
  form->SkinForm1->MinimizeFormToTray();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(app.Iconic());
  SendMessageW(form->TrayIcon->NotifyWindow(), TTrayIcon::kCallbackMessage, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(app.Iconic());
  EXPECT_EQ(GetForegroundWindow(), window) << "back in front";
  // The taskbar button down and up again: it stays a taskbar button.
  SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(window));
  EXPECT_TRUE(IsWindowVisible(window));
  SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
  // Start hides it into the tray.
  form->BtnStart->Click();
  EXPECT_FALSE(IsWindowVisible(window));
  form->BtnStop->Click();
  EXPECT_FALSE(application.shown);
  EXPECT_FALSE(IsWindowVisible(app.Handle()));
}

// Each size the system asks for has its own picture in the program icon (or
// one scaled down from a larger picture),
// bitmaps and PNG images alike, with a clear outside and a solid middle;
// the window and the tray take theirs, while the form keeps its one image.
TEST(ProgramIcons, WindowAndTrayIconsAreTheProgramIconsPicturesForTheirSizes) {
  // 28 and 56 (175 %) are not carried: they are scaled down from larger ones.
  for (int size : {16, 20, 24, 28, 32, 40, 48, 56, 64, 256}) {
    IconHandle icon = LoadProgramIcon(size);
    const auto [width, pixels] = IconPixels(icon.Get());
    ASSERT_EQ(width, size);
    if (size == 24) continue;  // the 8-bit pixel art: its mask, not alpha, clears it (checked natively)
    // Clang 14 cannot capture a structured binding.
    auto alpha = [&, &image = pixels](int x, int y) { return image[size_t(y) * size_t(size) + size_t(x)] >> 24; };
    EXPECT_EQ(alpha(0, size - 1), 0u) << size << ": the corner away from the moon is clear";
    EXPECT_EQ(alpha(size * 10 / 24, size * 16 / 24), 255u) << size << ": the face is solid";
  }
  ScopedSkinNoticeSink notices(WindowSkinNotices());
  TApplication app;
  TForm1* form = app.CreateForm<TForm1>();
  const int small = SmallIconSize(form->Handle()), large = LargeIconSize(form->Handle());
  // What the shell shows: the window's own icon, else its class's.
  auto shownIcon = [&](WPARAM kind) {
    if (auto own = reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, kind, 0))) return own;
    return reinterpret_cast<HICON>(GetClassLongPtrW(form->Handle(), kind == ICON_BIG ? GCLP_HICON : GCLP_HICONSM));
  };
  for (auto [kind, size] : {std::pair{ICON_SMALL, small}, std::pair{ICON_BIG, large}}) {
    IconHandle expected = LoadProgramIcon(size);
    EXPECT_EQ(IconPixels(shownIcon(kind)), IconPixels(expected.Get())) << size;
  }

  static HICON shellIcon = nullptr;
  ActiveShellNotifyIcon() = [](DWORD, PNOTIFYICONDATAW data) -> BOOL {
    shellIcon = data->hIcon;
    return TRUE;
  };
  form->TrayIcon->UpdateIcon();
  ActiveShellNotifyIcon() = SystemShellNotifyIcon;
  IconHandle expected = LoadProgramIcon(small);
  EXPECT_EQ(IconPixels(shellIcon), IconPixels(expected.Get())) << "the picture drawn for the size, not a resample";
  EXPECT_EQ(ParseIcon(form->TrayIcon->Icon().Data()).size(), 1u);
  EXPECT_TRUE(IsProgramIconImage(form->TrayIcon->Icon().Data()));
}

// Moved to a monitor of another scale, the window takes the icons drawn
// for that scale's sizes.
TEST(ProgramIcons, AWindowMovedToAnotherScaleTakesThatScalesIcons) {
  if (SmallIconSizeAt(144) == SmallIconSizeAt(96)) GTEST_SKIP() << "the system gives no icon sizes per density";
  TApplication app;
  OtherForm* form = app.CreateForm<OtherForm>();
  RECT place;
  GetWindowRect(form->Handle(), &place);
  SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&place));
  auto windowIcon = [&](WPARAM kind) {
    return reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, kind, 0));
  };
  EXPECT_EQ(IconPixels(windowIcon(ICON_SMALL)).first, SmallIconSizeAt(144));
  EXPECT_EQ(IconPixels(windowIcon(ICON_BIG)).first, LargeIconSizeAt(144));
}

}  // namespace
