#pragma once
// The application object: the hidden window that hears the system's
// broadcasts and owns the forms other than the main one, the program icon,
// the main form (which owns the taskbar button), the message loop and the
// handler that shows errors escaping event handlers.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include "base/watchers.h"
#include "persist/component.h"
#include "ui/system/put_off_win.h"
#include "ui/system/window_win.h"

class TForm;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  std::string_view ClassName() const override { return "TApplication"; }

  void Initialize() {}
  // The hidden window is made when first asked for, or once the main form is
  // painted: the first paint needs no second top-level window, which costs
  // Wine as much as the form's own.
  HWND Handle() const;
  bool HandleAllocated() const { return FWindow != nullptr; }
  // Runs `watcher` once the window exists (now, if it does), so a hook on it
  // waits for it instead of making it early. The id takes the watcher back.
  int WatchHandle(std::function<void()> watcher);
  void UnwatchHandle(int id);
  const std::string& Title() const { return FTitle; }
  HICON Icon() const { return FIcon; }
  TForm* MainForm() const { return FMainForm; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool value) { FShowMainForm = value; }

  // Creates a form owned by the application; the first becomes the main form
  // and gets its window at once.
  template <class F>
  F* CreateForm() {
    auto* form = new F(this);
    AdoptMainForm(form);
    return form;
  }
  // Makes a form created with the application as owner the main form, if
  // there is none yet.
  void AdoptMainForm(TForm* form);
  // Shows the main form as the show command asks, then loops over messages
  // until a quit message arrives.
  void Run(int showCommand);
  // Asks the loop to end by posting a quit message.
  void Terminate();
  bool Terminated() const { return FTerminated; }
  void ProcessMessages();

  // The main form goes down to its taskbar button, or comes back from it
  // (or from the tray) to the front.
  void Minimize();
  void Restore();
  // Whether the application is minimised: its main form's window is, even
  // while hidden in the tray.
  bool Iconic() const;
  // The form that is or will become the main form: the first the
  // application owns. It gets the taskbar button, so its window is made
  // with no owner.
  bool IsMainFormCandidate(const TForm& form) const;
  // The main form's window changed its size state; the application window
  // hears it as its own (hooks on it act on minimising).
  void MainFormSized(WPARAM sizeKind);

  // Shows the error's message in a message box; the loop goes on. One box
  // at a time: errors raised while it is open are not shown.
  void HandleException(std::exception_ptr error) noexcept;
  // The same box for an error that is no exception.
  void ShowErrorMessage(const std::string& message) noexcept;
  // Where HandleException sends the text; a message box unless replaced (tests).
  std::function<void(const std::string& message)> OnShowError;

 private:
  class AppWindow;
  LRESULT AppWndProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  void ProcessMessage(MSG& msg);
  // Offers a typed character to the main form's controls as an accelerator.
  bool DispatchDialogChar(const MSG& msg);
  // Offers an Enter or Escape key press to the main form's buttons (default and cancel).
  bool DispatchDialogKey(const MSG& msg);

  std::string FTitle;
  HICON FIcon = nullptr;  // loaded from the module: shared, never destroyed
  TForm* FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminated = false;
  bool FShowingError = false;
  mutable std::unique_ptr<AppWindow> FWindow;
  TWatchers FHandleWatchers;
  TPutOff FWindowPutOff;
};

extern TApplication* Application;

// The title the application gets from its executable: no folder, no
// extension, every letter after the first in lower case.
std::string TitleFromExecutablePath(std::string_view path);
