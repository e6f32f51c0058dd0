// Drives the real Vespermark.exe from outside, as a user would, for the
// end-to-end run. Each command prints "ok ..." or "FAIL ..." lines.
//   e2e_driver window      waits for the main window, prints its rectangle
//   e2e_driver arm         sets the target one minute ahead with the keyboard,
//                          presses Start and checks the window went to the tray
//   e2e_driver menu        waits for a skinned popup menu, prints its rectangle
//                          and checks that the main window is still the active one
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

HWND FindMainWindow() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        wchar_t title[64], cls[64];
        GetWindowTextW(window, title, 64);
        GetClassNameW(window, cls, 64);
        // The form has a frame; the application window is the zero-size one.
        RECT r;
        GetWindowRect(window, &r);
        if (wcscmp(title, L"Vespermark") == 0 && wcscmp(cls, L"VespermarkWindow") == 0 && r.right - r.left > 50) {
          *reinterpret_cast<HWND*>(data) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindChild(HWND parent, const wchar_t* text, int minHeight) {
  struct Query {
    const wchar_t* text;
    int minHeight;
    HWND found;
  } query{text, minHeight, nullptr};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM data) -> BOOL {
        auto* q = reinterpret_cast<Query*>(data);
        wchar_t title[64];
        GetWindowTextW(window, title, 64);
        RECT r;
        GetClientRect(window, &r);
        if (wcscmp(title, q->text) == 0 && r.bottom >= q->minHeight) {
          q->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

// A top-level window of the program that owns `sibling`, by title.
HWND FindProcessWindow(HWND sibling, const wchar_t* title) {
  struct Query {
    DWORD process;
    const wchar_t* title;
    HWND sibling, found;
  } query{0, title, sibling, nullptr};
  GetWindowThreadProcessId(sibling, &query.process);
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* q = reinterpret_cast<Query*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t text[64], cls[64];
        GetWindowTextW(window, text, 64);
        GetClassNameW(window, cls, 64);
        // The hint window has no title either, but it is a tool window.
        bool tool = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        if (process == q->process && window != q->sibling && wcscmp(cls, L"VespermarkWindow") == 0 &&
            wcscmp(text, q->title) == 0 && !tool) {
          q->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

int Fail(const char* what) {
  std::printf("FAIL %s\n", what);
  return 1;
}

int WaitForWindow() {
  for (int i = 0; i < 200; ++i) {
    HWND form = FindMainWindow();
    if (form && IsWindowVisible(form)) {
      RECT r;
      GetWindowRect(form, &r);
      std::printf("ok window %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
      return 0;
    }
    Sleep(100);
  }
  return Fail("the main window did not appear");
}

void Press(HWND window, UINT key, int times) {
  for (int i = 0; i < times; ++i) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
  }
}

int Arm() {
  HWND form = FindMainWindow();
  if (!form) return Fail("no main window");
  HWND picker = FindChild(form, L"", 150);
  HWND start = FindChild(form, L"Start", 1);
  if (!picker || !start) return Fail("picker or Start button not found");

  SYSTEMTIME now;
  GetLocalTime(&now);
  // Leave time to type the target and press Start before it comes.
  if (now.wSecond >= 45) {
    Sleep((61 - now.wSecond) * 1000);
    GetLocalTime(&now);
  }
  int target = (now.wHour * 60 + now.wMinute + 1) % 1440;
  Press(picker, VK_PRIOR, target / 60);
  Press(picker, VK_UP, target % 60);
  Sleep(500);
  std::printf("ok target %02d:%02d\n", target / 60, target % 60);

  RECT r;
  GetClientRect(start, &r);
  LPARAM centre = MAKELPARAM(r.right / 2, r.bottom / 2);
  PostMessageW(start, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageW(start, WM_LBUTTONUP, 0, centre);
  for (int i = 0; i < 50 && IsWindowVisible(form); ++i) Sleep(100);
  if (IsWindowVisible(form)) return Fail("Start left the window on screen");
  std::printf("ok hidden after Start\n");

  // A single click on the tray icon leaves it hidden: the window is
  // hidden, not minimised.
  HWND tray = FindProcessWindow(form, L"");
  if (!tray) return Fail("tray window not found");
  PostMessageW(tray, 0x800, 1, WM_LBUTTONDOWN);
  PostMessageW(tray, 0x800, 1, WM_LBUTTONUP);
  Sleep(GetDoubleClickTime() + 1000);
  if (IsWindowVisible(form) || IsIconic(form))
    return Fail("a single click on the tray icon brought the window back");
  std::printf("ok still hidden after a tray click\n");
  return 0;
}

int WaitForMenu() {
  for (int i = 0; i < 50; ++i) {
    HWND menu = FindWindowW(L"VespermarkPopup", nullptr);
    if (menu && IsWindowVisible(menu)) {
      RECT r;
      GetWindowRect(menu, &r);
      std::printf("ok menu %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
      HWND form = FindMainWindow();
      if (GetForegroundWindow() == menu) return Fail("the menu took the activation");
      std::printf("ok main window %s\n", form && GetForegroundWindow() == form ? "active" : "not active");
      return 0;
    }
    Sleep(100);
  }
  return Fail("no menu appeared");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (std::strcmp(argv[1], "window") == 0) return WaitForWindow();
  if (std::strcmp(argv[1], "arm") == 0) return Arm();
  if (std::strcmp(argv[1], "menu") == 0) return WaitForMenu();
  return 2;
}
