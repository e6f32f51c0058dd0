#include <windows.h>

#include <cstdlib>
#include <exception>

#include "app/startup_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) { return RunVespermark(showCommand); }

// Replaces libstdc++'s default terminate handler, which would name the
// uncaught exception's type on stderr: a window program has no stderr, and
// the demangler that names it costs tens of kilobytes. Nothing reaches here
// but a fault, as no exception may leave a boundary.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
