// Starts two programs alternately in one Wine session and times each start
// from CreateProcess until its window is on screen (visible to this process)
// and painted (no window of it has anything left to paint and it answers a
// message, so its first paint has ended). Prints every run, the medians and
// the ratio of the first program's medians to the second's.
//
//   startup_race.exe RUNS PROGRAM BASELINE   alternating runs, ABBA order
//   startup_race.exe hold SECONDS PROGRAM X Y
//                                            puts the pointer at screen X, Y,
//                                            starts one copy, waits until it
//                                            is painted, keeps it SECONDS
//                                            (memory is read meanwhile)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

double Millis(LONGLONG ticks) {
  static LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  return ticks * 1000.0 / frequency;
}

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

struct Search {
  DWORD process;
  HWND window;
};

HWND VisibleWindowOf(DWORD process) {
  Search search{process, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->process || !IsWindowVisible(window)) return TRUE;
        s->window = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.window;
}

bool NothingToPaint(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  BOOL clean = TRUE;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM param) -> BOOL {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
          *reinterpret_cast<BOOL*>(param) = FALSE;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&clean));
  return clean;
}

struct Start {
  double visible = -1, painted = -1;
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
};

Start Launch(const std::wstring& program) {
  Start start;
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  LONGLONG began = Now();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &start.process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
    return start;
  }
  // Polling at about a millisecond; ten seconds is a failed start.
  while (Millis(Now() - began) < 10000) {
    if (!start.window) {
      start.window = VisibleWindowOf(start.process.dwProcessId);
      if (start.window) start.visible = Millis(Now() - began);
    }
    if (start.window && NothingToPaint(start.window)) {
      DWORD_PTR ignored;
      SendMessageTimeoutW(start.window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
      if (NothingToPaint(start.window)) {
        start.painted = Millis(Now() - began);
        break;
      }
    }
    if (WaitForSingleObject(start.process.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  return start;
}

void Close(Start& start) {
  if (!start.process.hProcess) return;
  if (start.window) PostMessageW(start.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(start.process.hProcess, 5000) != WAIT_OBJECT_0) {
    TerminateProcess(start.process.hProcess, 1);
    WaitForSingleObject(start.process.hProcess, 5000);
  }
  CloseHandle(start.process.hProcess);
  CloseHandle(start.process.hThread);
  // Wine's services settle between runs.
  Sleep(300);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::wstring Name(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 6 && std::wstring(argv[1]) == L"hold") {
    // Over a control with a hint, the copy makes its tooltip: the pointer's place is part of the reading.
    SetCursorPos(_wtoi(argv[4]), _wtoi(argv[5]));
    Start start = Launch(argv[3]);
    std::printf("painted after %.1f ms\n", start.painted);
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(_wtoi(argv[2]) * 1000));
    Close(start);
    return start.painted < 0;
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: startup_race RUNS PROGRAM BASELINE | startup_race hold SECONDS PROGRAM X Y\n");
    return 2;
  }
  int runs = _wtoi(argv[1]);
  std::wstring programs[2] = {argv[2], argv[3]};
  std::vector<double> visible[2], painted[2];
  int failures = 0;
  for (int run = 0; run < runs; ++run) {
    // ABBA: a slow drift of the machine weighs on both alike.
    for (int k = 0; k < 2; ++k) {
      int which = run % 2 ? 1 - k : k;
      Start start = Launch(programs[which]);
      if (start.painted < 0) {
        ++failures;
        std::wprintf(L"run %2d %-24ls failed\n", run + 1, Name(programs[which]).c_str());
      } else {
        visible[which].push_back(start.visible);
        painted[which].push_back(start.painted);
        std::wprintf(L"run %2d %-24ls visible %6.1f ms  painted %6.1f ms\n", run + 1, Name(programs[which]).c_str(),
                     start.visible, start.painted);
      }
      std::fflush(stdout);
      Close(start);
    }
  }
  for (int which = 0; which < 2; ++which)
    std::wprintf(L"median %-24ls visible %6.1f ms  painted %6.1f ms  (%zu runs)\n", Name(programs[which]).c_str(),
                 Median(visible[which]), Median(painted[which]), painted[which].size());
  std::wprintf(L"ratio visible %.2f  painted %.2f\n", Median(visible[0]) / Median(visible[1]),
               Median(painted[0]) / Median(painted[1]));
  return failures ? 1 : 0;
}
