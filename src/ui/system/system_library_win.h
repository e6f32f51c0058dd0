#pragma once
// System DLLs that the first paint does not need (accessibility, the shell,
// COM) are loaded on their first use rather than by the loader at start:
// loading them before the window came up cost as much as the window itself.
// A DLL or function that cannot be bound is reported once, and the caller
// goes on without it.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class TSystemLibrary {
 public:
  explicit TSystemLibrary(const wchar_t* file) : FFile(file), FOwnFile(file) {}
  TSystemLibrary(const TSystemLibrary&) = delete;
  TSystemLibrary& operator=(const TSystemLibrary&) = delete;

  // The function's address, loading the DLL the first time. Null when the
  // DLL or the function is missing; the first such failure is reported.
  FARPROC Find(const char* function);

  // Binds from another file from now on, or from its own again when null,
  // forgetting what was bound: tests see a DLL go missing this way.
  void Redirect(const wchar_t* file);

 private:
  void ReportOnce(const std::string& message);

  const wchar_t* FFile;
  const wchar_t* FOwnFile;
  HMODULE FModule = nullptr;
  std::vector<std::pair<const char*, FARPROC>> FBound;
  bool FReported = false;
};

// One function of a system DLL, typed: `Find()` is null when it cannot be bound.
template <class Function>
class TLateBound {
 public:
  TLateBound(TSystemLibrary& library, const char* name) : FLibrary(library), FName(name) {}
  Function Find() const { return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(FLibrary.Find(FName))); }

 private:
  TSystemLibrary& FLibrary;
  const char* FName;
};

TSystemLibrary& Ole32Library();
TSystemLibrary& OleAut32Library();
TSystemLibrary& OleAccLibrary();
TSystemLibrary& Shell32Library();
TSystemLibrary& ComCtl32Library();

// This thread's single-threaded COM apartment, entered on the first call
// (screen readers and the shell need one); false when COM is not available.
bool EnterComApartment();
// Leaves the apartment if it was entered (the application, at its end).
void LeaveComApartment();
