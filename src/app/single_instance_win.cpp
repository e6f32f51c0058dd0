#include "app/single_instance_win.h"

TSingleInstance::TSingleInstance() : FMutex(CreateMutexW(nullptr, FALSE, L"Local\\Vespermark.RunningCopy")) {
  // Without the mutex the program runs as if it were alone: a second copy
  // is better than none.
  FFirst = !FMutex || GetLastError() != ERROR_ALREADY_EXISTS;
}

void TSingleInstance::ActivateRunningCopy() {
  // This start is what the user just did, so it holds the right to the
  // foreground; the running copy may take it over.
  AllowSetForegroundWindow(ASFW_ANY);
  PostMessageW(HWND_BROADCAST, RunningCopyMessage(), 0, 0);
}

UINT RunningCopyMessage() {
  static const UINT message = RegisterWindowMessageW(L"Vespermark.BringRunningCopyToFront");
  return message;
}
