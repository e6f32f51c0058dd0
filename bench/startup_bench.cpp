// Times each phase of the program's own start-up under Wine: runs itself
// RUNS times, each copy running the program's start-up with a recorder of
// its phase marks, and prints per phase the median of how long it took and
// of when it ended (from the process's creation), in the order they ended.
// Phases after the first paint show what was put off until then.
//
//   startup_bench.exe [RUNS]      (default 15)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup_win.h"
#include "base/startup_phases.h"
#include "ui/application_win.h"

namespace {

struct Mark {
  std::string phase;
  LONGLONG ticks;
};

std::vector<Mark> gMarks;
LONGLONG gFrequency = 1;

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

void Record(std::string_view phase, std::string_view detail) {
  std::string name(phase);
  if (!detail.empty()) name.append(" ").append(detail);
  gMarks.push_back({std::move(name), Now()});
  // Long enough for everything put off past the first paint to have run.
  if (phase == "main form ready")
    SetTimer(nullptr, 0, 1500, [](HWND, UINT, UINT_PTR, DWORD) {
      if (Application) Application->Terminate();
    });
}

// The process's creation on the performance counter's scale.
LONGLONG ProcessCreation() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimePreciseAsFileTime(&now);
  LONGLONG ticksNow = Now();
  auto hundredNs = [](FILETIME t) { return (LONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return ticksNow - (hundredNs(now) - hundredNs(created)) * gFrequency / 10'000'000;
}

int RunOnce() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  gFrequency = frequency.QuadPart;
  const LONGLONG created = ProcessCreation();
  gMarks.reserve(256);
  gMarks.push_back({"process start to main (loader, static initialisation)", Now()});
  gStartupPhaseRecorder = Record;
  int code = RunVespermark(SW_SHOWNORMAL);
  gStartupPhaseRecorder = nullptr;
  for (const Mark& mark : gMarks)
    std::printf("%lld\t%s\n", (mark.ticks - created) * 1'000'000 / gFrequency, mark.phase.c_str());
  return code;
}

// One copy's marks: microseconds since creation, by phase name.
std::vector<std::pair<std::string, long long>> RunCopy(const std::string& self) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string commandLine = "\"" + self + "\" --once";
  PROCESS_INFORMATION process{};
  std::vector<std::pair<std::string, long long>> marks;
  if (!CreateProcessA(self.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    return marks;
  }
  CloseHandle(writeEnd);
  std::string output;
  char buffer[4096];
  DWORD got;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(readEnd);
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    marks.emplace_back(line.substr(tab + 1), std::stoll(line.substr(0, tab)));
  }
  return marks;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--once") return RunOnce();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);

  // A phase that ends more than once is told apart by its count.
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> took, ended;
  for (int run = 0; run < runs; ++run) {
    auto marks = RunCopy(self);
    std::map<std::string, int> seen;
    long long previous = 0;
    for (auto& [phase, micros] : marks) {
      int n = ++seen[phase];
      std::string key = n == 1 ? phase : phase + " #" + std::to_string(n);
      if (!took.count(key)) order.push_back(key);
      took[key].push_back((micros - previous) / 1000.0);
      ended[key].push_back(micros / 1000.0);
      previous = micros;
    }
    Sleep(300);
  }
  std::printf("%-58s %9s %9s %5s\n", "phase (medians of runs that reached it)", "took ms", "ended ms", "runs");
  for (const std::string& key : order)
    std::printf("%-58s %9.2f %9.2f %5zu\n", key.c_str(), Median(took[key]), Median(ended[key]), took[key].size());
  return 0;
}
