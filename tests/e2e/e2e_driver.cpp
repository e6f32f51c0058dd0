// Drives the real Vespermark.exe from outside, as a user would, for the
// end-to-end run. Each command prints "ok ..." or "FAIL ..." lines.
//   e2e_driver window      waits for the main window, prints its rectangle
//   e2e_driver arm         sets the target one minute ahead with the keyboard,
//                          presses Start and checks the window went to the tray
//   e2e_driver menu        waits for a skinned popup menu, prints its rectangle
//                          and its items as a screen reader reads them, and
//                          checks that the main window is still the active one
//   e2e_driver accessible  reads Start, the clock face and the link label as a
//                          screen reader does, from this process
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

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
        // The form has a frame and a class of its own; the application window is the zero-size one.
        RECT r;
        GetWindowRect(window, &r);
        if (wcscmp(title, L"Vespermark") == 0 && wcscmp(cls, L"VespermarkForm") == 0 && r.right - r.left > 50) {
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

// The IAccessible identifier, spelled out: the static libraries' one reads wrong.
const IID kAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// A window's client as a screen reader sees it: role, state, name, value and
// default action of the client (child 0) or one of its parts.
struct AccessibleView {
  long role = -1, state = -1;
  std::string name, value, action;
};

std::string Narrow(BSTR text) {
  if (!text) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  SysFreeString(text);
  return out;
}

bool Read(IAccessible* object, long child, AccessibleView& view) {
  VARIANT id;
  VariantInit(&id);
  id.vt = VT_I4;
  id.lVal = child;
  VARIANT number;
  VariantInit(&number);
  if (object->get_accRole(id, &number) != S_OK) return false;
  view.role = number.lVal;
  VariantInit(&number);
  if (object->get_accState(id, &number) == S_OK) view.state = number.lVal;
  BSTR text = nullptr;
  if (object->get_accName(id, &text) == S_OK) view.name = Narrow(text);
  text = nullptr;
  if (object->get_accValue(id, &text) == S_OK) view.value = Narrow(text);
  text = nullptr;
  if (object->get_accDefaultAction(id, &text) == S_OK) view.action = Narrow(text);
  return true;
}

IAccessible* ClientObject(HWND window) {
  IAccessible* object = nullptr;
  if (!window || FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kAccessible,
                                                   reinterpret_cast<void**>(&object))))
    return nullptr;
  return object;
}

void PrintView(const char* what, const AccessibleView& view) {
  std::printf("ok %s role 0x%lx state 0x%lx name \"%s\" value \"%s\" action \"%s\"\n", what, view.role, view.state,
              view.name.c_str(), view.value.c_str(), view.action.c_str());
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
      IAccessible* object = ClientObject(menu);
      AccessibleView view;
      if (!object || !Read(object, 0, view) || view.role != ROLE_SYSTEM_MENUPOPUP) {
        if (object) object->Release();
        return Fail("the menu does not answer as a popup menu");
      }
      long count = 0;
      object->get_accChildCount(&count);
      std::string names;
      for (long child = 1; child <= count; ++child) {
        AccessibleView item;
        if (!Read(object, child, item)) continue;
        names += (names.empty() ? "" : "|") + (item.role == ROLE_SYSTEM_SEPARATOR ? std::string("-") : item.name);
      }
      object->Release();
      std::printf("ok menu items %s\n", names.c_str());
      HWND form = FindMainWindow();
      if (GetForegroundWindow() == menu) return Fail("the menu took the activation");
      std::printf("ok main window %s\n", form && GetForegroundWindow() == form ? "active" : "not active");
      return 0;
    }
    Sleep(100);
  }
  return Fail("no menu appeared");
}

int ReadControls() {
  HWND form = FindMainWindow();
  if (!form) return Fail("no main window");
  const struct {
    const char* what;
    HWND window;
    long role;
  } controls[] = {{"start", FindChild(form, L"Start", 1), ROLE_SYSTEM_PUSHBUTTON},
                  {"clock face", FindChild(form, L"", 150), ROLE_SYSTEM_SPINBUTTON},
                  {"link", FindChild(form, L"vespermark.example.org", 1), ROLE_SYSTEM_LINK}};
  int failed = 0;
  for (const auto& control : controls) {
    IAccessible* object = ClientObject(control.window);
    AccessibleView view;
    if (object && Read(object, 0, view) && view.role == control.role && !view.name.empty())
      PrintView(control.what, view);
    else
      failed += Fail(control.what);
    if (object) object->Release();
  }
  return failed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (std::strcmp(argv[1], "window") == 0) return WaitForWindow();
  if (std::strcmp(argv[1], "arm") == 0) return Arm();
  // Apartment-threaded, as screen readers call: the objects' proxies live here.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (std::strcmp(argv[1], "menu") == 0) return WaitForMenu();
  if (std::strcmp(argv[1], "accessible") == 0) return ReadControls();
  return 2;
}
