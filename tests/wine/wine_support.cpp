#include "wine_support.h"

#include <cstdlib>

#include "base/stream.h"
#include "ui/graphics/bitmap_win.h"
#include "ui/graphics/canvas_win.h"
#include "ui/system/handles_win.h"
#include "ui/system/timer_win.h"

bool PumpMessages(int milliseconds) {
  bool quit = false;
  DWORD end = GetTickCount() + milliseconds;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (GetTickCount() < end) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (GetTickCount() < end);
  return quit;
}

MessageBoxWatcher::MessageBoxWatcher(std::function<void()> whileOpen) {
  DWORD thread = GetCurrentThreadId();
  FThread = std::thread([this, thread, whileOpen = std::move(whileOpen)] {
    while (!FDone) {
      HWND box = nullptr;
      EnumThreadWindows(
          thread,
          [](HWND w, LPARAM data) -> BOOL {
            wchar_t cls[16];
            GetClassNameW(w, cls, 16);
            if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w)) *reinterpret_cast<HWND*>(data) = w;
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&box));
      if (box) {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        FSeen = {true, text, GetWindow(box, GW_OWNER), (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0};
        if (whileOpen) whileOpen();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(20);
    }
  });
}

MessageBoxWatcher::~MessageBoxWatcher() { Finish(); }

const SeenMessageBox& MessageBoxWatcher::Finish() {
  FDone = true;
  if (FThread.joinable()) FThread.join();
  return FSeen;
}

void PressKey(WORD key) {
  INPUT keys[2]{};
  for (INPUT& input : keys) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  }
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

void RunApplicationLoop(TApplication& app, int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (GetTickCount() < end) {
    app.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void MovePointerTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &move, sizeof move);
}

void MouseButton(DWORD flags) {
  INPUT press{};
  press.type = INPUT_MOUSE;
  press.mi.dwFlags = flags;
  SendInput(1, &press, sizeof press);
}

void ClickLeftAt(POINT screen, int times) {
  SetCursorPos(screen.x, screen.y);
  std::vector<INPUT> clicks(2 * static_cast<size_t>(times));
  for (size_t i = 0; i < clicks.size(); ++i) {
    clicks[i].type = INPUT_MOUSE;
    clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
  SendInput(static_cast<UINT>(clicks.size()), clicks.data(), sizeof(INPUT));
}

void BringToFront(TForm& form) {
  SetForegroundWindow(form.Handle());
  SetActiveWindow(form.Handle());
  PumpMessages(50);
}

void MainFormTest::SetUp() {
  app = std::make_unique<TApplication>();
  app->OnShowError = [this](const std::string& message) { errors.push_back(message); };
  form = app->CreateForm<TForm1>();
  form->SetClock(&clock);
  SetPowerPlatform(&power);
}

void MainFormTest::TearDown() {
  SetPowerPlatform(nullptr);
  ActiveTimerApi() = TimerApi{};
  app.reset();
  PumpMessages(0);
}

ProgramProcess::ProgramProcess() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(path) + L"\" --run-program";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // Wine's process start can fail for a moment on a loaded host; a second try
  // tells that apart from a program that cannot start.
  for (int attempt = 0; attempt < 3; ++attempt, Sleep(250)) {
    if (CreateProcessW(path, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &FInfo)) {
      CloseHandle(FInfo.hThread);
      return;
    }
    FStartError = GetLastError();
  }
}

ProgramProcess::~ProgramProcess() {
  if (!FInfo.hProcess) return;
  if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(FInfo.hProcess, 1);
  CloseHandle(FInfo.hProcess);
}

long ProgramProcess::WaitForExit(DWORD ms) const {
  DWORD code = 0;
  if (WaitForSingleObject(FInfo.hProcess, ms) != WAIT_OBJECT_0 || !GetExitCodeProcess(FInfo.hProcess, &code))
    return -1;
  return static_cast<long>(code);
}

std::vector<HWND> ProgramProcess::Windows(const wchar_t* title) const {
  struct Query {
    DWORD process;
    const wchar_t* title;
    std::vector<HWND> found;
  } query{FInfo.dwProcessId, title, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* q = reinterpret_cast<Query*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t text[64], cls[64];
        GetWindowTextW(window, text, 64);
        GetClassNameW(window, cls, 64);
        RECT r;
        GetWindowRect(window, &r);
        bool fits = *q->title ? r.right - r.left > 50 : !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        bool ours = wcscmp(cls, L"VespermarkWindow") == 0 || wcscmp(cls, L"VespermarkForm") == 0;
        if (process == q->process && ours && wcscmp(text, q->title) == 0 && fits)
          q->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

int GdiObjectCount() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
  // Wine accepts a handle's table index without its generation bits.
  int count = 0;
  for (uintptr_t index = 32; index < 0x10000; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
  return count;
}

int UserObjectCount() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return static_cast<int>(n);
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        ++*reinterpret_cast<int*>(data);
        EnumChildWindows(
            window,
            [](HWND, LPARAM inner) -> BOOL {
              ++*reinterpret_cast<int*>(inner);
              return TRUE;
            },
            data);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  // Message-only windows (timers) are not enumerated above.
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) ++count;
  return count;
}

uint32_t ScreenPixel(POINT screen) {
  WindowDC dc(nullptr);
  const COLORREF c = GetPixel(dc.Get(), screen.x, screen.y);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

void SaveScreen(const std::string& name, RECT area) {
  const char* folder = std::getenv("VESPERMARK_RENDER_DIR");
  if (!folder) return;
  TBitmap shot(area.right - area.left, area.bottom - area.top);
  {
    WindowDC screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen.Get(), area.left, area.top, SRCCOPY);
  }
  GdiFlush();
  TFileStream file(std::string(folder) + "/full-skin-" + name + ".bmp", fmCreate);
  shot.SaveToStream(file);
}
