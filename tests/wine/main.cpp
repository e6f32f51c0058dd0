// Runs the Win32 tests inside one application object, as the program does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/form1_win.h"
#include "ui/application_win.h"

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterMainFormClasses();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
