#include "app/startup_win.h"

#include "app/check_mode_win.h"
#include "app/form1_win.h"
#include "app/single_instance_win.h"
#include "ui/application_win.h"
#include "ui/system/input_method_win.h"
#include "base/startup_phases.h"
#include "skin/data/skin_notices_win.h"

int RunVespermark(int showCommand, std::optional<std::span<const uint8_t>> formStream) {
  // Before any window: a second start leaves no window and no tray icon behind.
  TSingleInstance instance;
  if (!instance.First()) {
    TSingleInstance::ActivateRunningCopy();
    return 0;
  }
  TurnOffInputMethod();
  RegisterMainFormClasses();
  MarkStartupPhase("single instance, classes");
  // Before the form: its tray icon's first requests are reported too.
  const std::unique_ptr<CheckMode> check = CheckMode::FromEnvironment();

  ScopedSkinNoticeSink skinNotices(WindowSkinNotices());
  TApplication application;
  application.Initialize();
  MarkStartupPhase("application object");
  try {
    if (formStream)
      application.AdoptMainForm(new TForm1(&application, *formStream));
    else
      application.CreateForm<TForm1>();
  } catch (...) {
    // The half-built form goes with the application; nothing was shown.
    application.HandleException(std::current_exception());
    return 1;
  }
  MarkStartupPhase("main form ready");
  application.Run(showCommand);
  return 0;
}
