#pragma once
// One running copy of the program per user session. The first start holds
// a named mutex in the session's namespace; a later start asks the running
// copy to bring its window to the front and ends without a window.
#include <windows.h>

#include "ui/system/handles_win.h"

class TSingleInstance {
 public:
  TSingleInstance();
  // Whether no other copy in this session held the mutex.
  bool First() const { return FFirst; }
  // Asks the running copy to bring its window to the front.
  static void ActivateRunningCopy();

 private:
  UniqueHandle<HANDLE, CloseHandle> FMutex;
  bool FFirst = true;
};

// Posted to the unowned top-level windows of the session: the running copy's
// application window answers it by bringing the main window to the front.
UINT RunningCopyMessage();
