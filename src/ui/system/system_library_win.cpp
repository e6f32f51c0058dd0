#include "ui/system/system_library_win.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>

#include "base/exceptions.h"
#include "base/utf_win.h"
#include "ui/system/window_win.h"

FARPROC TSystemLibrary::Find(const char* function) {
  const auto bound = std::find_if(FBound.begin(), FBound.end(),
                                  [&](const auto& entry) { return std::strcmp(entry.first, function) == 0; });
  if (bound != FBound.end()) return bound->second;
  if (!FModule) {
    FModule = LoadLibraryW(FFile);
    if (!FModule) {
      ReportOnce("The system library " + WideToUtf8(FFile) + " could not be loaded (system error " +
                 std::to_string(GetLastError()) + "); what needs it is not available.");
      return nullptr;
    }
  }
  const FARPROC address = GetProcAddress(FModule, function);
  if (!address) {
    ReportOnce("The system library " + WideToUtf8(FFile) + " has no function " + function +
               "; what needs it is not available.");
    return nullptr;
  }
  FBound.emplace_back(function, address);
  return address;
}

void TSystemLibrary::Redirect(const wchar_t* file) {
  FFile = file ? file : FOwnFile;
  FModule = nullptr;  // a DLL once loaded stays loaded for the process
  FBound.clear();
  FReported = false;
}

void TSystemLibrary::ReportOnce(const std::string& message) {
  if (std::exchange(FReported, true)) return;
  ReportException(std::make_exception_ptr(Exception(message)));
}

TSystemLibrary& Ole32Library() {
  static TSystemLibrary library(L"ole32.dll");
  return library;
}

TSystemLibrary& OleAut32Library() {
  static TSystemLibrary library(L"oleaut32.dll");
  return library;
}

TSystemLibrary& OleAccLibrary() {
  static TSystemLibrary library(L"oleacc.dll");
  return library;
}

TSystemLibrary& Shell32Library() {
  static TSystemLibrary library(L"shell32.dll");
  return library;
}

TSystemLibrary& ComCtl32Library() {
  static TSystemLibrary library(L"comctl32.dll");
  return library;
}

namespace {
bool gComEntered = false;
}  // namespace

bool EnterComApartment() {
  if (gComEntered) return true;
  static const TLateBound<decltype(&CoInitializeEx)> initialize(Ole32Library(), "CoInitializeEx");
  const auto function = initialize.Find();
  if (!function) return false;
  // S_FALSE: this thread was in the apartment already; it is left as often as entered.
  const HRESULT result = function(nullptr, COINIT_APARTMENTTHREADED);
  gComEntered = SUCCEEDED(result);
  // Someone made this thread multi-threaded before us: COM works, it is just not ours to leave.
  return gComEntered || result == RPC_E_CHANGED_MODE;
}

void LeaveComApartment() {
  if (!std::exchange(gComEntered, false)) return;
  static const TLateBound<decltype(&CoUninitialize)> uninitialize(Ole32Library(), "CoUninitialize");
  if (const auto function = uninitialize.Find()) function();
}
