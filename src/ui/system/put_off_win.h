#pragma once
// Work the first paint does not need, run once the thread has nothing left
// to paint: the system makes a timer's message only when no paint is due.
// A thread timer needs no window of its own, which would cost Wine a round
// trip to the window system.
#include <windows.h>

#include <functional>

class TPutOff {
 public:
  TPutOff() = default;
  TPutOff(const TPutOff&) = delete;
  TPutOff& operator=(const TPutOff&) = delete;
  ~TPutOff() { Cancel(); }

  // Runs `work` later, once; the work already waiting is dropped. With no
  // timer left in the system the work runs now.
  void Start(std::function<void()> work);
  void Cancel();
  bool Pending() const { return FTimer != 0; }

 private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD);

  UINT_PTR FTimer = 0;
  std::function<void()> FWork;
};
