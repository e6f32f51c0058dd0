#include "ui/system/input_method_win.h"

void TurnOffInputMethod() {
  // user32 loads imm32 wherever IMEs exist; it is not loaded from the search path here.
  HMODULE imm = GetModuleHandleW(L"imm32.dll");
  if (!imm) return;
  using DisableIme = BOOL(WINAPI*)(DWORD thread);
  const auto disable =
      reinterpret_cast<DisableIme>(reinterpret_cast<void (*)()>(GetProcAddress(imm, "ImmDisableIME")));
  if (disable) disable(0);  // 0: this thread
}
